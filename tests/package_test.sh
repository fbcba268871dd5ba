#!/usr/bin/env bash
# make package, checked: the Debian package holds both programs with their
# settings file and DXF header, the links in bin, the desktop entry and the
# icon; and tervan-cli, installed and started through its link, finds its
# files beside it and converts.
# Usage: package_test.sh CPACK BUILD_DIR SOURCE_DIR
set -euo pipefail
cpack=$1 build=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && "$cpack" -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/tervan_*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/tervan ./usr/bin/tervan-cli ./usr/lib/tervan/tervan ./usr/lib/tervan/tervan-cli \
         ./usr/lib/tervan/Tervan.ini ./usr/lib/tervan/dxf_header.txt ./usr/lib/tervan/guide/index.html \
         ./usr/share/applications/tervan.desktop ./usr/share/icons/hicolor/64x64/apps/tervan.png \
         ./usr/share/man/man1/tervan-cli.1 ./usr/share/man/man1/tervan.1 \
         ./usr/share/bash-completion/completions/tervan-cli; do
  grep -Eq " $f( ->|$)" <<<"$contents" || { echo "the package lacks $f"; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "the package does not depend on Qt"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
cp "$source/examples/leica1200.txt" "$work/job.txt"
HOME="$work/home" "$work/root/usr/bin/tervan-cli" convert -q --model auto "$work/job.txt" 2>"$work/err"
grep -q "model Leica1200 (detected)" "$work/err" || { cat "$work/err"; exit 1; }
# the shipped settings write every output, the DXF drawing with the shipped header
test -s "$work/job_nxyz.txt" && test -s "$work/job_3d.dxf"
# The manual pages format without a warning and name every option of the
# usage; the completion is valid bash; both programs tell their version.
cli="$work/root/usr/bin/tervan-cli"
for page in "$work"/root/usr/share/man/man1/*.1; do
  warnings=$(groff -ww -z -man -Tutf8 "$page" 2>&1)
  [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
  MANWIDTH=80 man -l "$page" >/dev/null
done
manual=$(MANWIDTH=200 man -l "$work/root/usr/share/man/man1/tervan-cli.1" 2>/dev/null)
for option in $("$cli" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "$option" <<<"$manual" || { echo "the manual page lacks $option"; exit 1; }
done
bash -n "$work/root/usr/share/bash-completion/completions/tervan-cli"
version=$(sed -n 's/^Version: //p' <(dpkg-deb -f "$deb"))
[ "$("$cli" --version)" = "tervan-cli $version" ] || { echo "tervan-cli --version: $("$cli" --version)"; exit 1; }
[ "$("$work/root/usr/bin/tervan" --version)" = "tervan $version" ] || { echo "tervan --version"; exit 1; }
echo "package ok: $(basename "$deb")"
