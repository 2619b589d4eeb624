#!/usr/bin/env bash
# Reads every font file under a folder (default /usr/share/fonts) with the program's font
# readers (built natively), with fc-scan, and with FreeType opening each face and reading
# its names (the closest peer), each timed as a whole process on the same files in the same
# run, and prints files per second and the ratios.
#   scripts/bench-fontreader.sh [folder] [rounds]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
root="${1:-/usr/share/fonts}"
rounds="${2:-3}"
work="${QL_BUILD_DIR:-$src/build}/bench"
mkdir -p "$work"

# The peer builds against FreeType's headers, needed by this benchmark only.
if ! dpkg-query -W -f='${Status}' libfreetype-dev 2>/dev/null | grep -q 'install ok installed'; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libfreetype-dev pkg-config
fi

# Each driver is rebuilt only when a source is newer than it.
newer() { local bin="$1"; shift; [ ! -x "$bin" ] || [ -n "$(find "$@" -newer "$bin" -print -quit)" ]; }
reader="$work/bench-fontreader"
if newer "$reader" "$src"/fontengine/parsers "$src/fuzz/BenchFontReader.cpp"; then
  clang++ -std=c++20 -O2 -DNDEBUG -I"$src" "$src"/fontengine/parsers/*.cpp "$src/fuzz/BenchFontReader.cpp" -o "$reader"
fi
freetype="$work/bench-freetype"
if newer "$freetype" "$src/fuzz/BenchFreeType.c"; then
  read -ra ft_flags <<<"$(pkg-config --cflags --libs freetype2)"
  cc -O2 "$src/fuzz/BenchFreeType.c" "${ft_flags[@]}" -o "$freetype"
fi

list="$work/fonts.txt"
find "$root" -type f \( -iname '*.ttf' -o -iname '*.otf' -o -iname '*.ttc' -o -iname '*.pfb' -o -iname '*.pfa' \
  -o -iname '*.t1' -o -iname '*.fon' \) | sort > "$list"
n=$(wc -l < "$list")
[ "$n" -gt 0 ] || { echo "no font files under $root" >&2; exit 1; }
# All sides read from the page cache.
xargs -d '\n' cat < "$list" > /dev/null

now() { date +%s.%N; }
# Seconds a command takes as a whole process, its output discarded.
whole() {
  local t0 t1
  t0=$(now)
  "$@" > /dev/null 2>&1 || true
  t1=$(now)
  awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }'
}
min() { awk -v a="$1" -v b="${2:-$1}" 'BEGIN { print (a < b ? a : b) }'; }
best_reader="" best_fc="" best_ft=""
for _ in $(seq "$rounds"); do
  best_reader=$(min "$(whole "$reader" < "$list")" "$best_reader")
  best_fc=$(min "$(whole xargs -d '\n' -a "$list" fc-scan \
    --format '%{family}%{style}%{fullname}%{postscriptname}%{fontversion}\n')" "$best_fc")
  best_ft=$(min "$(whole "$freetype" < "$list")" "$best_ft")
done
faces=$("$freetype" < "$list" | cut -d' ' -f2)
awk -v n="$n" -v faces="$faces" -v r="$best_reader" -v f="$best_fc" -v t="$best_ft" -v root="$root" \
    -v rounds="$rounds" 'BEGIN {
  printf "%d font files (%d faces) under %s; whole processes, best of %d rounds\n", n, faces, root, rounds
  printf "font readers:        %10.0f files/s  (%.3f s)\n", n / r, r
  printf "FreeType face+names: %10.0f files/s  (%.3f s)  readers %.1fx faster\n", n / t, t, t / r
  printf "fc-scan:             %10.0f files/s  (%.3f s)  readers %.1fx faster\n", n / f, f, f / r
}'
