#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the project.
# Idempotent; run as root.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
pkgs=(g++-mingw-w64-i686-posix mingw-w64-tools mingw-w64-i686-dev libz-mingw-w64-dev
      wine wine32:i386 xvfb xauth x11-utils cmake make python3 zip unzip zlib1g-dev
      fonts-dejavu-core fonts-liberation fonts-urw-base35 fonts-noto-core
      clang libclang-rt-14-dev fontconfig googletest fonts-wine libwine-dev 7zip)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  updated=0
fi
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
