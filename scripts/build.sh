#!/usr/bin/env bash
# Configures and builds everything into ${QL_BUILD_DIR:-build}.
# The configure step runs once per build folder and set of options: afterwards the build
# itself re-runs it whenever a CMake file or a globbed folder changes.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QL_BUILD_DIR:-build}"
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
key="$(printf '%s\n' "${options[@]}" "${CMAKE_CXX_COMPILER_LAUNCHER:-}" "${CMAKE_C_COMPILER_LAUNCHER:-}" | sha256sum)"
stamp="$build/.configured"
if [ ! -f "$build/CMakeCache.txt" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$key" ]; then
  cmake -S . -B "$build" "${options[@]}" >/dev/null
  echo "$key" >"$stamp"
fi
cmake --build "$build" -j"${QL_JOBS:-$(nproc)}" "$@"
