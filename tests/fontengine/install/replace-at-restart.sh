#!/usr/bin/env bash
# Replacing a font file in use at the next start needs a restart of the Wine server,
# which would end every other test of the shared prefix: so this runs in its own prefix.
set -euo pipefail
runner="$1"   # the build's wine-run.sh
exe="$2"      # the phases executable
scratch="$(mktemp -d "${TMPDIR:-/tmp}/ql-restart.XXXXXX")"
trap 'WINEPREFIX="$scratch/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
export QL_WINEPREFIX="$scratch/prefix"
"$runner" "$exe" --gtest_filter=Restart.Schedule
WINEPREFIX="$QL_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
WINEPREFIX="$QL_WINEPREFIX" wineserver -w >/dev/null 2>&1 || true
"$runner" "$exe" --gtest_filter=Restart.Replaced
