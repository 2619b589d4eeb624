#!/usr/bin/env bash
# Reads every font file under a folder (default /usr/share/fonts) with the program's
# font readers, built natively, and with fc-scan on the same files in the same run,
# and prints files per second for both and their ratio.
#   scripts/bench-fontreader.sh [folder] [rounds]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
root="${1:-/usr/share/fonts}"
rounds="${2:-3}"
work="${QL_BUILD_DIR:-$src/build}/bench"
mkdir -p "$work"
bin="$work/bench-fontreader"
clang++ -std=c++20 -O2 -DNDEBUG -I"$src" "$src"/fontengine/parsers/*.cpp "$src/fuzz/BenchFontReader.cpp" -o "$bin"

list="$work/fonts.txt"
find "$root" -type f \( -iname '*.ttf' -o -iname '*.otf' -o -iname '*.ttc' -o -iname '*.pfb' -o -iname '*.pfa' \
  -o -iname '*.t1' -o -iname '*.fon' \) | sort > "$list"
n=$(wc -l < "$list")
[ "$n" -gt 0 ] || { echo "no font files under $root" >&2; exit 1; }
# Both sides read from the page cache.
xargs -d '\n' cat < "$list" > /dev/null

now() { date +%s.%N; }
best_reader=""
best_fc=""
for _ in $(seq "$rounds"); do
  read -r _count secs _found < <("$bin" < "$list")
  t0=$(now)
  xargs -d '\n' fc-scan --format '%{family}%{style}%{fullname}%{postscriptname}%{fontversion}\n' < "$list" > /dev/null 2>&1 || true
  t1=$(now)
  fc=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
  best_reader=$(awk -v a="$secs" -v b="${best_reader:-$secs}" 'BEGIN { print (a < b ? a : b) }')
  best_fc=$(awk -v a="$fc" -v b="${best_fc:-$fc}" 'BEGIN { print (a < b ? a : b) }')
done
awk -v n="$n" -v r="$best_reader" -v f="$best_fc" -v root="$root" -v rounds="$rounds" 'BEGIN {
  printf "%d font files under %s (best of %d rounds)\n", n, root, rounds
  printf "font readers: %10.0f files/s  (%.3f s)\n", n / r, r
  printf "fc-scan:      %10.0f files/s  (%.3f s)\n", n / f, f
  printf "ratio:        %10.1fx\n", f / r
}'
