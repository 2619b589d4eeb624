#!/usr/bin/env bash
# Times the installed-font enumeration under Wine over the Debian fonts: N fonts, then
# 2N (the time per font should stay flat), beside fc-scan over the same files.
# Usage: scripts/bench-enumeration.sh [N]   (default: half of the font files found)
# More fonts: apt-get install fonts-noto-extra (about 1,900 files with fonts-noto-core).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QL_BUILD_DIR:-build}"
bash scripts/build.sh --target engine_bench_enumeration >/dev/null
exe="$build/bin/engine_bench_enumeration.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

find /usr/share/fonts \( -name '*.ttf' -o -name '*.otf' -o -name '*.ttc' \) | sort >"$work/unix.txt"
total=$(wc -l <"$work/unix.txt")
n="${1:-$((total / 2))}"
[ $((2 * n)) -le "$total" ] || { echo "need $((2 * n)) font files, found $total" >&2; exit 1; }
sed 's|/|\\|g; s|^|Z:|' "$work/unix.txt" >"$work/win.txt"
echo "font files found: $total"

for count in "$n" $((2 * n)); do
  echo "== $count fonts"
  "$build/wine-run.sh" "$exe" "$(printf 'Z:%s' "$work/win.txt" | sed 's|/|\\|g')" "$count" 3 2>/dev/null
  head -n "$count" "$work/unix.txt" >"$work/some.txt"
  start=$(date +%s.%N)
  xargs -d '\n' fc-scan --format '%{family}\n' <"$work/some.txt" >/dev/null
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" -v c="$count" \
    'BEGIN { printf "fc-scan %.1f ms (%.3f ms/font)\n", (e - s) * 1000, (e - s) * 1000 / c }'
done
