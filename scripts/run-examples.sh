#!/usr/bin/env bash
# Converts every bundled example with tervan-cli, each in a folder of its own
# under BUILD/run, and says for each the model, what the conversion found and
# the files it wrote. VERBOSE=1 prints the observation tables and levelling
# rows as well.
#   run-examples.sh [BUILD]             the examples, a folder each
#   run-examples.sh BUILD --together    all in one folder, BUILD/run-together,
#                                       one after the other (to prove that no
#                                       example's outputs replace an example)
set -euo pipefail
build=${1:-build}
together=no
[ "${2:-}" = "--together" ] && together=yes
cli="$build/bin/tervan-cli"
out="$build/run"
[ $together = yes ] && out="$build/run-together"
rm -rf "$out"
mkdir -p "$out"

# example file, model, then any further options. The kor example is converted
# into every output but its own kor file, which would be the example itself.
examples=(
  "leica1200.txt Leica1200"
  "level.gsi DNA8"
  "dini.txt Dini_USB"
  "zeiss3303.txt Zeiss3303"
  "pentax200polar.txt Pentax200Polar"
  "pentax200coord.txt Pentax200Coordinate"
  "pentax300polar.txt Pentax300Polar"
  "pentax300coord.txt Pentax300Coordinate"
  "kolida300.raw Kolida300Polar"
  "kolida440.txt Kolida440"
  "points_nxyz.txt nxyz"
  "points_nyxz.txt nyxz"
  "survey.kor kor --set KorFile=No"
  # its codes as layers of the drawing, and the lists that office software imports
  "gsi8.gsi GSI --set CsvFile=Yes --set LandXmlFile=Yes --set LayerPerCode=Yes"
  "gsi16.gsi GSI"
  # A polar traverse without a single coordinate in it: the stations and
  # backsights come from the known points, every other point is computed.
  "traverse.txt Pentax300Polar --set ComputeXYZ=Yes --known traverse_known.txt"
  # A BFFB line from the DNA8 result (level.gsi gives level.dat, and that
  # gives level_.dat); the seed keeps its random errors the same every run.
  "level.dat Dini_BF --seed 1"
)
# The files an example needs beside it.
needs() {
  case "$1" in
    traverse.txt) echo traverse.txt traverse_known.txt ;;
    level.dat) echo level.gsi ;;
    *) echo "$1" ;;
  esac
}

# Together, every example is there from the start.
[ $together = yes ] && cp examples/* "$out/"

count=0
for entry in "${examples[@]}"; do
  read -r file model options <<<"$entry"
  model=${model//_/ }
  stem=${file%.*}
  folder="$out"
  [ $together = no ] && folder="$out/$stem"
  mkdir -p "$folder"
  for f in $(needs "$file"); do
    [ -e "$folder/$f" ] || cp "examples/$f" "$folder/$f"
  done
  # level.dat is made by converting level.gsi first.
  [ "$file" = level.dat ] && [ ! -e "$folder/level.dat" ] && "$cli" convert -q --model DNA8 "$folder/level.gsi"
  before=$(cd "$folder" && ls)
  # The known points are named from the example's folder.
  options=${options//traverse_known.txt/$folder/traverse_known.txt}
  # shellcheck disable=SC2086
  "$cli" convert --model "$model" $options "$folder/$file" >"$folder.table" 2>"$folder.said" || {
    cat "$folder.said" >&2
    echo "$file ($model): tervan-cli failed" >&2
    exit 1
  }
  printf '%-20s %s\n' "$file" "$model${options:+ ($options)}" | sed "s|$folder/||g"
  sed "s|^tervan-cli: $folder/$file: |  |; s|$folder/||g" "$folder.said"
  # The files written, as the example's base name and the suffixes on it.
  written=$(cd "$folder" && ls | grep -vxF -f <(printf '%s\n' "$before") || true)
  n=$(printf '%s' "$written" | grep -c . || true)
  [ "$n" = 1 ] && noun=file || noun=files
  base=${file%.*}
  suffixes=$(printf '%s\n' "$written" | sed -n "s|^$base||p" | tr '\n' ' ')
  others=$(printf '%s\n' "$written" | grep -v "^$base" | tr '\n' ' ' || true)
  printf '  %d %s in %s/: %s\n' "$n" "$noun" "$folder" "${suffixes:+$base + $suffixes}$others" |
    fold -s -w 78 | sed '2,$s/^/    /'
  if [ "${VERBOSE:-0}" = 1 ]; then
    tr -d '\r' <"$folder.table"
    echo
  fi
  rm -f "$folder.table" "$folder.said"
  count=$((count + 1))
done

echo
echo "$count examples converted into $out."
if [ $together = no ]; then
  cat <<TXT
Next: VERBOSE=1 make run prints the observation tables too; make gui opens the
window on an example; on a file of your own:
  $cli convert --model auto YOUR_FILE
TXT
fi
