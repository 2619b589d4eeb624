#!/usr/bin/env bash
# Starts Quillery Pro on a virtual display in the build's prefix (the tests' fixed font
# set), waits for its main window with the font tree filled, saves a PNG of the screen
# and closes the program.
#   scripts/screenshot.sh [out.png]   (default: build/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QL_BUILD_DIR:-build}"
out="${1:-$build/screenshot.png}"
bash scripts/build.sh --target QuilleryPro XMoorline qlprobe >/dev/null
build="$(cd "$build" && pwd)"
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
rm -f "$out"
# One display for the whole run: Wine's desktop process must not outlive it.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$0/wine-run.sh" "$0/bin/qlprobe.exe" start --caption "Quillery Pro " --tree --shot "$1" --close --timeout 120 \
    -- "$2" >/dev/null
  rc=$?
  WINEPREFIX="${QL_WINEPREFIX:-$0/wineprefix}" timeout 60 wineserver -w || true
  exit $rc' "$build" "$(winpath "$out")" "$(winpath "$build/bin/QuilleryPro.exe")"
[ -f "$out" ] || { echo "no picture taken" >&2; exit 1; }
echo "saved $out"
