#!/usr/bin/env bash
# Interoperability with Info-ZIP and Python's zipfile: makes archives with those tools,
# runs the engine under Wine to read them and to write its own, then checks the
# engine's archives with the same tools.
# Usage: interop.sh <wine-run.sh> <zip_interop.exe> <scratch folder>
set -euo pipefail
run="$1"; exe="$2"; work="$3"
pw=TiderunKeyphrase
rm -rf "$work"
mkdir -p "$work/src"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf "$work/src/"
head -c 40000 /dev/urandom > "$work/src/noise.bin"
: > "$work/src/empty.txt"
cd "$work"

zip -q -j -6 infozip.zip src/*
zip -q -j -e -P "$pw" infozip-enc.zip src/*
# Written to a pipe, zip cannot seek back: data descriptors, and the check byte from the time.
zip -q -j -e -P "$pw" - src/* > infozip-stream.zip
python3 - <<'PY'
import zipfile
with zipfile.ZipFile("python.zip", "w") as z:
    z.write("src/DejaVuSans.ttf", "fonts/sub/DejaVuSans.ttf", compress_type=zipfile.ZIP_DEFLATED)
    z.write("src/noise.bin", "noise.bin", compress_type=zipfile.ZIP_STORED)
    z.write("src/DejaVuSerif-Bold.ttf", "DejaVuSerif-Bold.ttf", compress_type=zipfile.ZIP_DEFLATED)
    z.write("src/empty.txt", "empty.txt", compress_type=zipfile.ZIP_DEFLATED)
    z.writestr("fonts/", b"")
PY

QL_INTEROP_DIR="$work" "$run" "$exe"

echo "--- checking the engine's archives with Info-ZIP and Python"
unzip -tq engine.zip
unzip -tq -P "$pw" engine-enc.zip
unzip -tq -P "$pw" engine-update.zip
[ "$(unzip -Z1 engine-update.zip | sort | tr '\n' ' ')" = "DejaVuSans.ttf DejaVuSerif-Bold.ttf empty.txt noise.bin " ] \
  || { echo "engine-update.zip has the wrong members"; exit 1; }
if unzip -tq -P wrong engine-enc.zip >/dev/null 2>&1; then
  echo "a wrong password was accepted"; exit 1
fi
mkdir -p out
unzip -q -P "$pw" -d out engine-enc.zip
for f in src/*; do cmp "$f" "out/$(basename "$f")"; done
python3 - "$pw" <<'PY'
import sys, zipfile, os
pw = sys.argv[1].encode()
for name, pwd in (("engine.zip", None), ("engine-enc.zip", pw)):
    with zipfile.ZipFile(name) as z:
        assert z.comment == b"", name
        names = sorted(z.namelist())
        assert names == sorted(os.listdir("src")), (name, names)
        for i in z.infolist():
            assert "/" not in i.filename
            assert bool(i.flag_bits & 1) == (pwd is not None), (name, i.filename)
            assert i.compress_type in (0, 8)
            data = z.read(i, pwd=pwd)
            assert data == open("src/" + i.filename, "rb").read(), i.filename
print("python zipfile: engine archives OK")
PY
echo "interop OK"
