#!/usr/bin/env bash
# make_dist.sh <build folder> <output folder>
# Makes the portable zip and the installer of the program built in <build folder>
# (scripts/package.sh builds it first). Needs python3, zip and makensis.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD_DIR="$(cd "$1" && pwd)"
dist="$2"

# The version block's fixed part (signature 0xFEEF04BD, then the file version).
version=$(python3 - "$BUILD_DIR/Stickwell.exe" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at < 0:
    sys.exit("Stickwell.exe has no version information")
ms, ls = struct.unpack_from("<II", data, at + 8)
print("%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF))
PY
)
echo "package: Stickwell $version"

rm -rf "$dist"
mkdir -p "$dist"
dist="$(cd "$dist" && pwd)"
stage="$dist/stage/Stickwell"
mkdir -p "$stage"
cp "$BUILD_DIR/Stickwell.exe" "$BUILD_DIR/PDFGen.dll" "$BUILD_DIR/tips.dat" "$BUILD_DIR/WqzHelp.chm" "$stage/"
for d in Templates BackGrounds Graphics Samples; do
    cp -r "$BUILD_DIR/$d" "$stage/$d"
done
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$HERE/readme.txt" > "$stage/readme.txt"

# The portable zip: one folder, Stickwell.
zip_name="Stickwell-$version-portable.zip"
(cd "$dist/stage" && zip -q -r -X "$dist/$zip_name" Stickwell)

# What the uninstaller removes: each installed file, then each folder from the deepest.
list="$dist/stage/uninstall.nsh"
(cd "$stage" && find . -type f | LC_ALL=C sort) | while read -r f; do
    f="${f#./}"
    printf 'Delete "$INSTDIR\\%s"\n' "${f//\//\\}"
done > "$list"
(cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while read -r d; do
    d="${d#./}"
    printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}"
done >> "$list"

setup_name="Stickwell-$version-setup.exe"
makensis -V2 -NOCD -DSTAGE="$stage" -DOUTFILE="$dist/$setup_name" -DUNINSTALL_LIST="$list" \
    -DICON="$ROOT/resources/res/Stickwell.ico" "$HERE/Stickwell.nsi"
rm -rf "$dist/stage"
echo "package: $dist/$zip_name"
echo "package: $dist/$setup_name"
