#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillery Pro under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
# Wine's desktop process must start on a display, so without one everything runs on Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
bash scripts/setup.sh
bash scripts/build.sh --target QuilleryPro XMoorline
build="${QL_BUILD_DIR:-build}"
export WINEPREFIX="${WINEPREFIX:-$PWD/$build/run-prefix}"
export FONTCONFIG_FILE="${FONTCONFIG_FILE:-$PWD/scripts/run-fonts.conf}"
export WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
wine regsvr32 /s "$build/bin/XMoorline.dll" || true
exec wine "$build/bin/QuilleryPro.exe" "$@"
