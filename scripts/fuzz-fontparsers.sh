#!/usr/bin/env bash
# Builds the font file readers natively with libFuzzer and AddressSanitizer and fuzzes
# them for the given number of seconds, starting from real font files.
#   scripts/fuzz-fontparsers.sh [seconds] [work-folder]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
secs="${1:-5}"
work="${2:-${QL_BUILD_DIR:-$src/build}/fuzz}"
mkdir -p "$work/corpus" "$work/artifacts"
bin="$work/fontparsers-fuzz"
sources=("$src"/fontengine/parsers/*.cpp "$src/fuzz/FontParsersFuzz.cpp")
# Rebuild only when a source is newer than the binary.
rebuild=0
[ -x "$bin" ] || rebuild=1
for f in "${sources[@]}" "$src"/fontengine/parsers/*.h; do [ "$f" -nt "$bin" ] && rebuild=1; done
if [ $rebuild = 1 ]; then
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src" "${sources[@]}" -o "$bin"
fi
# Seeds: real font files of every kind the readers take, cut to what they read.
python3 "$src/fuzz/make-seeds.py" "$work/corpus" \
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf \
  /usr/share/fonts/truetype/noto/NotoSans-Regular.ttf /usr/share/fonts/opentype/urw-base35/C059-Roman.otf \
  /usr/share/wine/fonts/marlett.ttf /usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1 \
  /usr/share/fonts/X11/Type1/NimbusSans-Regular.pfb /usr/share/wine/fonts/sserife.fon /usr/share/wine/fonts/coure.fon
"$bin" -max_total_time="$secs" -max_len=40000 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" 2>"$work/fuzz.log" || {
  tail -40 "$work/fuzz.log"
  echo "fuzzing found a fault; input kept in $work/artifacts" >&2
  exit 1
}
grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$work/fuzz.log" | tail -2
echo "fuzzed font readers for ${secs}s: no fault"
