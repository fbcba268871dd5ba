#!/usr/bin/env bash
# Packs the Windows programs into a portable zip: a folder Tervan with
# tervan.exe, tervan-cli.exe, the settings file, the DXF header, the user
# guide, a README and the licence. Unzipped anywhere, it runs; the settings and the Log
# folder of received transmissions live beside the programs.
# Usage: package-windows.sh BUILD ZIP   (from the source folder)
set -euo pipefail
build=$(realpath "$1")
zip=$(realpath -m "$2")
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
