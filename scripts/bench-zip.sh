#!/usr/bin/env bash
# Archives and extracts the installed font files with the project's zip engine and with
# Info-ZIP zip -6 / unzip, and prints throughput and sizes. The engine runs twice: as the
# program's build under Wine (Wine's file creation is slow: about a millisecond per
# new file) and as a native build of the same sources, which compares the engine itself.
# Info-ZIP compresses on one thread, the engine on up to four: each engine figure is
# given threaded and on one thread, so that the comparison is like for like.
# Then a file larger than 1 GB goes through the program's (32-bit) build and back,
# streamed, with the peak memory it took (QL_BENCH_LARGE=0 skips it).
# Usage: scripts/bench-zip.sh [font folder]   (build first: scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QL_BUILD_DIR:-build}"
src="${1:-/usr/share/fonts}"
drv="$PWD/$build/bin/zip_bench.exe"
run="$PWD/$build/wine-run.sh"
[ -x "$run" ] && [ -f "$drv" ] || { echo "build first: scripts/build.sh" >&2; exit 1; }
work="$(mktemp -d "$PWD/$build/bench-zip.XXXXXX")"
trap 'rm -rf "$work"' EXIT

(cd "$src" && find . -type f | sed 's|^\./||' | sort) > "$work/list"
# Windows paths for the engine.
winsrc="Z:$(echo "$src" | tr / '\\')"
sed 's|/|\\|g' "$work/list" > "$work/list.win"
bytes=$(cd "$src" && tr '\n' '\0' < "$work/list" | xargs -0 stat -c %s | awk '{s+=$1} END {print s}')
files=$(wc -l < "$work/list")
echo "input: $files files, $((bytes / 1048576)) MB from $src"

now() { date +%s.%N; }
calc() { awk "BEGIN { printf \"%.2f\", $* }"; }
# Warm the page cache so the first tool is not penalised.
(cd "$src" && tr '\n' '\0' < "$work/list" | xargs -0 cat > /dev/null)
"$run" cmd /c exit > /dev/null 2>&1 || true

t0=$(now); (cd "$src" && zip -q -6 -X "$work/infozip.zip" -@ < "$work/list"); t1=$(now)
iz_zip=$(calc "$t1 - $t0")
t0=$(now); unzip -q -o "$work/infozip.zip" -d "$work/iz-out"; t1=$(now)
iz_unzip=$(calc "$t1 - $t0")

winwork="Z:$(echo "$work" | tr / '\\')"
# engine_zip <threads> <archive name>: seconds outside and inside the call
engine_zip() {
  local t0 t1 inside
  t0=$(now)
  inside=$("$run" "$drv" zip "$winwork\\$2" "$winsrc" "$winwork\\list.win" "$1" 2>/dev/null | tr -d '\r')
  t1=$(now)
  echo "$(calc "$t1 - $t0") $inside"
}
read -r en_zip en_zip_in < <(engine_zip 0 engine.zip)
read -r en_zip1 en_zip1_in < <(engine_zip 1 engine1.zip)
t0=$(now)
en_unzip_in=$("$run" "$drv" unzip "$winwork\\engine.zip" "$winwork\\en-out" 2>/dev/null | tr -d '\r')
t1=$(now); en_unzip=$(calc "$t1 - $t0")

# The same engine sources, built natively.
cxx="$(command -v c++ || command -v clang++)"
"$cxx" -std=c++20 -O2 -I. platform/zip/Zip*.cpp tests/platform/zip/ZipBench.cpp -lz -pthread -o "$work/zip_bench"
nat_zip=$("$work/zip_bench" zip "$work/native.zip" "$src" "$work/list" 0 2>/dev/null)
nat_zip1=$("$work/zip_bench" zip "$work/native1.zip" "$src" "$work/list" 1 2>/dev/null)
nat_unzip=$("$work/zip_bench" unzip "$work/native.zip" "$work/nat-out" 2>/dev/null)
diff -rq "$src" "$work/nat-out" > /dev/null || { echo "native round trip differs" >&2; exit 1; }

diff -rq "$src" "$work/en-out" > /dev/null && same=identical || same=DIFFERENT
unzip -tq "$work/engine.zip" > /dev/null && tested="unzip -t OK" || tested="unzip -t FAILED"

threads=$(( $(nproc) < 4 ? $(nproc) : 4 ))
mbps() { calc "$bytes / 1048576 / $1"; }
mb() { calc "$(stat -c %s "$1") / 1048576"; }
row() { printf '%-34s %10s %10s %12s\n' "$@"; }
row "" "zip MB/s" "unzip MB/s" "archive MB"
row "Info-ZIP zip -6/unzip (1 thread)" "$(mbps "$iz_zip")" "$(mbps "$iz_unzip")" "$(mb "$work/infozip.zip")"
row "engine, Wine, total, $threads threads" "$(mbps "$en_zip")" "$(mbps "$en_unzip")" "$(mb "$work/engine.zip")"
row "engine, Wine, total, 1 thread" "$(mbps "$en_zip1")" "" "$(mb "$work/engine1.zip")"
row "engine, Wine, in call, $threads threads" "$(mbps "$en_zip_in")" "$(mbps "$en_unzip_in")" ""
row "engine, Wine, in call, 1 thread" "$(mbps "$en_zip1_in")" "" ""
row "engine, native, $threads threads" "$(mbps "$nat_zip")" "$(mbps "$nat_unzip")" "$(mb "$work/native.zip")"
row "engine, native, 1 thread" "$(mbps "$nat_zip1")" "" "$(mb "$work/native1.zip")"
echo "archive sizes in bytes: Info-ZIP $(stat -c %s "$work/infozip.zip"), engine $(stat -c %s "$work/engine.zip")"
echo "engine round trip: $same; $tested"
echo "times (s): Info-ZIP $iz_zip / $iz_unzip, engine under Wine $en_zip ($en_zip1 on 1 thread) / $en_unzip," \
     "native $nat_zip ($nat_zip1 on 1 thread) / $nat_unzip"

[ "${QL_BENCH_LARGE:-1}" = 0 ] && exit 0
# A file over 1 GB: half font bytes, half random, so that deflate has work to do.
echo "--- streamed round trip of a file over 1 GB (the program's 32-bit build under Wine)"
mkdir -p "$work/large"
head -c 64M /dev/urandom > "$work/chunk"
find "$src" -type f -name '*.ttf' -print0 | xargs -0 cat | head -c 64M >> "$work/chunk"
for _ in $(seq 9); do cat "$work/chunk"; done > "$work/large/large.bin"
rm -f "$work/chunk" "$work/iz-out" "$work/en-out" "$work/nat-out" -r
echo "large.bin" > "$work/large.list"
large=$(stat -c %s "$work/large/large.bin")
winlarge="$winwork\\large"
zip_s=$("$run" "$drv" zip "$winwork\\large.zip" "$winlarge" "$winwork\\large.list" 2> "$work/zip.err" | tr -d '\r') \
  || { cat "$work/zip.err" >&2; exit 1; }
unzip_s=$("$run" "$drv" unzip "$winwork\\large.zip" "$winwork\\large-out" 2> "$work/unzip.err" | tr -d '\r') \
  || { cat "$work/unzip.err" >&2; exit 1; }
cmp "$work/large/large.bin" "$work/large-out/large.bin" && same=identical || same=DIFFERENT
unzip -tq "$work/large.zip" > /dev/null && tested="unzip -t OK" || tested="unzip -t FAILED"
echo "$((large / 1048576)) MB: zip $(calc "$large / 1048576 / $zip_s") MB/s ($(tr -d '\r' < "$work/zip.err")), " \
     "unzip $(calc "$large / 1048576 / $unzip_s") MB/s ($(tr -d '\r' < "$work/unzip.err")); archive" \
     "$(mb "$work/large.zip") MB; round trip $same; $tested"
