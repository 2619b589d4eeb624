#!/usr/bin/env bash
# Times Quillery Pro's start: from process start to the main window shown with every font
# in the tree, beside a bare Wine process start (cmd /c exit) in the same prefix and font
# set, the floor under Wine. Three font sets, each in a prefix of its own: the tests' fixed
# set, N = half of the fonts Debian's font packages give, and 2N = all of them (about 1,900
# with fonts-noto-extra, which this benchmark installs). Prints medians and the 2N/N ratio
# of the part above the floor.
#   scripts/bench-startup.sh [runs]   (default 5, after one warm-up run per set)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QL_BUILD_DIR:-build}"
runs="${1:-5}"
mkdir -p "$build"
build="$(cd "$build" && pwd)"
work="$build/bench-startup"
bin="$build/bin"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

if [ -z "${QL_BENCH_INNER:-}" ]; then
  # Debian's other font packages, for this benchmark only (never in CI or set-up).
  extra=(fonts-noto-extra)
  for p in "${extra[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${extra[@]}" >/dev/null
      break
    fi
  done
  bash scripts/build.sh --target QuilleryPro XMoorline qlprobe >/dev/null
  mkdir -p "$work"

  # N and 2N: every second font file, and all of them, as folders of links; Wine's own
  # fonts join every set (frame controls draw with them), as in the tests' set.
  find /usr/share/fonts -type f \( -iname '*.ttf' -o -iname '*.otf' -o -iname '*.ttc' -o -iname '*.pfb' \
    -o -iname '*.t1' \) | sort >"$work/all.txt"
  awk 'NR % 2 == 1' "$work/all.txt" >"$work/half.txt"
  for set in half all; do
    mkdir -p "$work/$set"
    if ! cmp -s "$work/$set.txt" "$work/$set/files.txt"; then
      rm -rf "$work/$set/fonts"
      mkdir -p "$work/$set/fonts"
      i=0
      while IFS= read -r f; do
        i=$((i + 1))
        ln -s "$f" "$work/$set/fonts/$(printf %05d $i)-${f##*/}"
      done <"$work/$set.txt"
      cp "$work/$set.txt" "$work/$set/files.txt"
    fi
    cat >"$work/$set/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$work/$set/fonts</dir>
  <dir>/usr/share/wine/fonts</dir>
  <cachedir>$work/fontconfig-cache</cachedir>
</fontconfig>
CONF
  done
  mkdir -p "$work/test"
  cp "$build/fonts.conf" "$work/test/fonts.conf"
  # One virtual display for the whole measurement.
  exec env QL_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
program="$(winpath "$bin/QuilleryPro.exe")"
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
field() { tr -d '\r' | sed -n "s/^$1=//p"; }

# Prints: files fonts floor_ms program_ms window_ms shell_floor_ms (medians)
measure() {
  local set="$1" files
  export FONTCONFIG_FILE="$work/$set/fonts.conf" WINEPREFIX="$work/$set/prefix"
  # Font files of the set, Wine's own included.
  files=$(sed -n 's|.*<dir>\(.*\)</dir>.*|\1|p' "$FONTCONFIG_FILE" | xargs -I{} find -L {} -type f \
    \( -iname '*.ttf' -o -iname '*.otf' -o -iname '*.ttc' -o -iname '*.pfb' -o -iname '*.t1' -o -iname '*.fon' \) |
    wc -l)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # As in the tests' prefix: without a window manager, managed windows wait on every hide.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  fi
  wineserver -p
  # Warm-up: Wine's font cache of the prefix, the file cache, the program's first run.
  wine "$bin/qlprobe.exe" time -- cmd /c exit >/dev/null
  wine "$bin/qlprobe.exe" start --caption "Quillery Pro " --tree --close --timeout 600 -- "$program" \
    >"$work/$set/warmup.txt"
  local floor=() prog=() win=() shell=() fonts="" out t0 t1
  for _ in $(seq "$runs"); do
    floor+=("$(wine "$bin/qlprobe.exe" time -- cmd /c exit | field exit_ms)")
    out="$(wine "$bin/qlprobe.exe" start --caption "Quillery Pro " --tree --close --timeout 600 -- "$program")"
    prog+=("$(field tree_ms <<<"$out")")
    win+=("$(field window_ms <<<"$out")")
    fonts="$(field fonts <<<"$out")"
    t0=$(date +%s.%N)
    wine cmd /c exit >/dev/null 2>&1
    t1=$(date +%s.%N)
    shell+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { print (b - a) * 1000 }')")
  done
  wineserver -k
  echo "$files $fonts $(printf '%s\n' "${floor[@]}" | median) $(printf '%s\n' "${prog[@]}" | median)" \
    "$(printf '%s\n' "${win[@]}" | median) $(printf '%s\n' "${shell[@]}" | median)"
}

echo "Start of Quillery Pro to its main window with the tree filled; medians of $runs runs (ms)"
printf '%-10s %6s %6s %10s %10s %12s %12s %14s\n' "font set" files fonts floor program "above floor" \
  "window shown" "wine cmd floor"
declare -A above fontsOf
for set in test half all; do
  read -r files fonts floor prog win shell <<<"$(measure "$set")"
  label=$set
  [ "$set" = half ] && label="N"
  [ "$set" = all ] && label="2N"
  above[$set]=$(awk -v p="$prog" -v f="$floor" 'BEGIN { printf "%.1f", p - f }')
  fontsOf[$set]=$fonts
  printf '%-10s %6s %6s %10.1f %10.1f %12.1f %12.1f %14.1f\n' "$label" "$files" "$fonts" "$floor" "$prog" \
    "${above[$set]}" "$win" "$shell"
done
awk -v a="${above[all]}" -v h="${above[half]}" -v fa="${fontsOf[all]}" -v fh="${fontsOf[half]}" 'BEGIN {
  printf "2N/N ratio of the part above the floor: %.2f (fonts %d / %d; goal under 2.2)\n", a / h, fa, fh
  printf "2N above the floor: %.0f ms (goal within 600 ms)\n", a
}'
echo "floor: cmd /c exit started by the same probe that starts the program; \"wine cmd floor\" is the same"
echo "command started from the shell, for reference"
