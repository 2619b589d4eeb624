#!/usr/bin/env bash
# Times the installed-fonts tree fill (synthetic faces) and the proof sheet of all fonts
# (entries cycling through the installed faces), both ways of writing the sheet, at
# 1,000, 5,000 and 10,000 entries, under Wine on a virtual display.
# After each sheet it times one font's preview (the next click in the tree).
# Usage: scripts/bench-preview.sh [runs] [sizes...]   (default: 3 runs, 1000 5000 10000)
# QL_BENCH_FACES=n, QL_BENCH_SHEETS_ONLY=1, QL_BENCH_VERBOSE=1: see tests/preview/PreviewBench.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QL_BUILD_DIR:-build}"
bash scripts/build.sh --target preview_bench >/dev/null
runs="${1:-3}"
shift || true
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/wine-run.sh" "$build/bin/preview_bench.exe" "$runs" "$@" 2>/dev/null
