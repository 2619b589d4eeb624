#!/usr/bin/env bash
# Interoperability with Info-ZIP, 7-Zip and Python's zipfile: makes archives with those tools,
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

# Names outside ASCII, as each tool writes them on Linux; and 7-Zip's AES.
export LC_ALL=C.UTF-8
mkdir -p names
printf 'cafe font' > "names/café ñ.ttf"
printf 'omega font' > "names/Ωmega.ttf"
(cd names && zip -q ../infozip-names.zip "café ñ.ttf" "Ωmega.ttf")
(cd names && 7zz a -tzip -bso0 -bsp0 ../7zip-names.zip "café ñ.ttf" "Ωmega.ttf")
python3 - <<'PY'
import zipfile
with zipfile.ZipFile("python-names.zip", "w") as z:
    for n in ("café ñ.ttf", "Ωmega.ttf"):
        z.write("names/" + n, n, compress_type=zipfile.ZIP_DEFLATED)
PY
7zz a -tzip -mem=AES256 -p"$pw" -bso0 -bsp0 7zip-aes.zip src/noise.bin

QL_INTEROP_DIR="$work" "$run" "$exe"

echo "--- the engine's extracted names, as the Linux side sees them"
for a in infozip-names 7zip-names python-names; do
  [ "$(cat "out-$a/café ñ.ttf")" = "cafe font" ] || { echo "$a: café ñ.ttf not extracted by name"; exit 1; }
  [ "$(cat "out-$a/Ωmega.ttf")" = "omega font" ] || { echo "$a: Ωmega.ttf not extracted by name"; exit 1; }
done
echo "--- the engine's non-ASCII names, read by the other tools"
[ "$(unzip -Z1 engine-names.zip)" = "café ñ.ttf" ] || { echo "Info-ZIP reads another name"; exit 1; }
unzip -q engine-names.zip -d out-iz
[ "$(cat "out-iz/café ñ.ttf")" = "cafe font" ] || { echo "Info-ZIP extracted another name"; exit 1; }
7zz x -oout-7z -bso0 -bsp0 engine-names.zip
[ "$(cat "out-7z/café ñ.ttf")" = "cafe font" ] || { echo "7-Zip extracted another name"; exit 1; }
python3 -c 'import zipfile; n = zipfile.ZipFile("engine-names.zip").namelist(); assert n == ["café ñ.ttf"], n'

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
