#!/usr/bin/env bash
# Archives and extracts the installed font files with the project's zip engine and with
# Info-ZIP zip -6 / unzip, and prints throughput and sizes. The engine runs twice: as the
# program's build under Wine (Wine's file creation is slow: about a millisecond per
# new file) and as a native build of the same sources, which compares the engine itself.
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
t0=$(now)
en_zip_in=$("$run" "$drv" zip "$winwork\\engine.zip" "$winsrc" "$winwork\\list.win" | tr -d '\r')
t1=$(now); en_zip=$(calc "$t1 - $t0")
t0=$(now)
en_unzip_in=$("$run" "$drv" unzip "$winwork\\engine.zip" "$winwork\\en-out" | tr -d '\r')
t1=$(now); en_unzip=$(calc "$t1 - $t0")

# The same engine sources, built natively.
cxx="$(command -v c++ || command -v clang++)"
"$cxx" -std=c++20 -O2 -I. platform/zip/Zip*.cpp tests/platform/zip/ZipBench.cpp -lz -o "$work/zip_bench"
nat_zip=$("$work/zip_bench" zip "$work/native.zip" "$src" "$work/list")
nat_unzip=$("$work/zip_bench" unzip "$work/native.zip" "$work/nat-out")
diff -rq "$src" "$work/nat-out" > /dev/null || { echo "native round trip differs" >&2; exit 1; }

diff -rq "$src" "$work/en-out" > /dev/null && same=identical || same=DIFFERENT
unzip -tq "$work/engine.zip" > /dev/null && tested="unzip -t OK" || tested="unzip -t FAILED"

mbps() { calc "$bytes / 1048576 / $1"; }
mb() { calc "$(stat -c %s "$1") / 1048576"; }
printf '%-22s %10s %10s %12s\n' "" "zip MB/s" "unzip MB/s" "archive MB"
printf '%-22s %10s %10s %12s\n' "Info-ZIP zip -6/unzip" "$(mbps "$iz_zip")" "$(mbps "$iz_unzip")" \
  "$(mb "$work/infozip.zip")"
printf '%-22s %10s %10s %12s\n' "engine (Wine, total)" "$(mbps "$en_zip")" "$(mbps "$en_unzip")" \
  "$(mb "$work/engine.zip")"
printf '%-22s %10s %10s\n' "engine (Wine, in call)" "$(mbps "$en_zip_in")" "$(mbps "$en_unzip_in")"
printf '%-22s %10s %10s %12s\n' "engine (native build)" "$(mbps "$nat_zip")" "$(mbps "$nat_unzip")" \
  "$(mb "$work/native.zip")"
echo "archive sizes in bytes: Info-ZIP $(stat -c %s "$work/infozip.zip"), engine $(stat -c %s "$work/engine.zip")"
echo "engine round trip: $same; $tested"
echo "times (s): Info-ZIP $iz_zip / $iz_unzip, engine under Wine $en_zip / $en_unzip, native $nat_zip / $nat_unzip"
