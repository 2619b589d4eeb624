#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (windows on Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build="${QL_BUILD_DIR:-build}"
export WINEPREFIX="$PWD/$build/wineprefix"
# Create the prefix once, before the clock of any test starts. The warm-up runs on the
# test display: the desktop process it starts lives on with the persistent server, and
# without a display every later window test would find none.
set +e
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24" bash -c '
  "$0/wine-run.sh" cmd /c exit >/dev/null 2>&1
  WINEARCH=win32 wineserver -p >/dev/null 2>&1
  exec ctest --test-dir "$0" "$@"' "$build" --output-on-failure -j"${QL_JOBS:-$(nproc)}" "$@"
rc=$?
wineserver -k >/dev/null 2>&1
exit $rc
