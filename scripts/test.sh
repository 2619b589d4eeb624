#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (windows on Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build="${QL_BUILD_DIR:-build}"
export WINEPREFIX="$PWD/$build/wineprefix"
# Create the prefix once, before the clock of any test starts.
"$build/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
WINEARCH=win32 wineserver -p >/dev/null 2>&1 || true
set +e
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build" --output-on-failure -j"${QL_JOBS:-$(nproc)}" "$@"
rc=$?
wineserver -k >/dev/null 2>&1
exit $rc
