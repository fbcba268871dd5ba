#!/usr/bin/env bash
# Packs the Windows programs into a portable zip: a folder Tervan with
# tervan.exe, tervan-cli.exe, the settings file, the DXF header, the user
# guide, a README and the licence. Unzipped anywhere it can write, it runs
# with the settings and the Log folder of received transmissions beside the
# programs. The same files make the installer, SETUP (makensis), which puts
# them into Program Files; the settings then live in the user's profile.
# Usage: package-windows.sh BUILD ZIP SETUP   (from the source folder)
set -euo pipefail
build=$(realpath "$1")
zip=$(realpath -m "$2")
setup=$(realpath -m "$3")
cd "$(dirname "$0")/.."

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder="$stage/Tervan"
mkdir -p "$folder"
for program in tervan.exe tervan-cli.exe; do
  x86_64-w64-mingw32-strip -o "$folder/$program" "$build/bin/$program"
done
cp resources/Tervan.ini resources/dxf_header.txt "$folder/"
cp -r docs/guide "$folder/guide"
# Windows editors want CR LF.
sed 's/$/\r/' resources/windows-readme.txt >"$folder/README.txt"
sed 's/$/\r/' LICENSE >"$folder/LICENSE.txt"

mkdir -p "$(dirname "$zip")"
rm -f "$zip"
(cd "$stage" && zip -q -X -r "$zip" Tervan)
echo "$zip: $(unzip -Z1 "$zip" | tr '\n' ' ')"

version=$(sed -n 's/^project(Tervan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p "$(dirname "$setup")"
makensis -V2 -DVERSION="$version" -DSTAGE="$folder" -DOUTFILE="$setup" \
  -DSIZE_KB="$(du -sk "$folder" | cut -f1)" resources/tervan.nsi
echo "$setup: Tervan $version"
