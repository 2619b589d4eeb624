#!/usr/bin/env bash
# Times the installed-font enumeration under Wine over the Debian fonts: N fonts, then
# 2N (the time per font should stay flat), beside fc-scan over the same files. Both take
# the median of at least 7 runs after a warm-up run (for Wine, the run that creates the
# build's prefix).
# Usage: scripts/bench-enumeration.sh [N] [runs]   (default: half of the font files found; 7)
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
runs="${2:-7}"
[ "$runs" -ge 7 ] || runs=7
[ $((2 * n)) -le "$total" ] || { echo "need $((2 * n)) font files, found $total" >&2; exit 1; }
sed 's|/|\\|g; s|^|Z:|' "$work/unix.txt" >"$work/win.txt"
echo "font files found: $total"

# Warm-up: creates the prefix (once) and starts Wine's server before any clock runs.
"$build/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
for count in "$n" $((2 * n)); do
  echo "== $count fonts"
  "$build/wine-run.sh" "$exe" "$(printf 'Z:%s' "$work/win.txt" | sed 's|/|\\|g')" "$count" "$runs" 2>/dev/null |
    tr -d '\r'
  head -n "$count" "$work/unix.txt" >"$work/some.txt"
  xargs -d '\n' -a "$work/some.txt" fc-scan --format '%{family}\n' >/dev/null  # warm-up
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    xargs -d '\n' -a "$work/some.txt" fc-scan --format '%{family}\n' >/dev/null
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { print (e - s) * 1000 }'
  done | median | awk -v c="$count" -v r="$runs" \
    '{ printf "fc-scan median of %d runs: %.1f ms (%.3f ms/font)\n", r, $1, $1 / c }'
done
