#!/usr/bin/env bash
# Converts every bundled example with tervan-cli into BUILD/run, printing the
# observation table (or levelling rows) and the files written.
set -euo pipefail
build=${1:-build}
cli="$build/bin/tervan-cli"
out="$build/run"
rm -rf "$out"
mkdir -p "$out"

# example file -> model
examples=(
  "leica1200.txt Leica1200"
  "level.gsi DNA8"
  "dini.txt Dini USB"
  "zeiss3303.txt Zeiss3303"
  "pentax200polar.txt Pentax200Polar"
  "pentax200coord.txt Pentax200Coordinate"
  "pentax300polar.txt Pentax300Polar"
  "pentax300coord.txt Pentax300Coordinate"
  "kolida300.raw Kolida300Polar"
  "kolida440.txt Kolida440"
  "points_nxyz.txt nxyz"
  "points_nyxz.txt nyxz"
  "points.kor kor"
  "gsi8.gsi GSI"
  "gsi16.gsi GSI"
)

for entry in "${examples[@]}"; do
  read -r file model <<<"$entry"
  cp "examples/$file" "$out/$file"
  echo "== $file ($model)"
  "$cli" convert --model "$model" "$out/$file" | tr -d '\r'
  echo
done
# A polar traverse without a single coordinate in it: the stations and
# backsights come from the known points, every other point is computed.
cp examples/traverse.txt examples/traverse_known.txt "$out/"
echo "== traverse.txt (Pentax300Polar, ComputeXYZ with the known points of traverse_known.txt)"
"$cli" convert --model Pentax300Polar --set ComputeXYZ=Yes --known "$out/traverse_known.txt" "$out/traverse.txt" |
  tr -d '\r'
echo
# The codes of gsi8.gsi as layers of the drawing, with the lists that office
# software imports; the CSV list then read back as a model of its own.
cp examples/gsi8.gsi "$out/coded.gsi"
echo "== coded.gsi (GSI, with CsvFile, LandXmlFile and LayerPerCode)"
"$cli" convert --model GSI --set CsvFile=Yes --set LandXmlFile=Yes --set LayerPerCode=Yes "$out/coded.gsi" | tr -d '\r'
echo
cp "$out/coded.csv" "$out/coded_back.csv"
echo "== coded_back.csv (csv)"
"$cli" convert --model csv "$out/coded_back.csv" | tr -d '\r'
echo
# A BFFB line from the DNA8 result (level.gsi gives level.dat, and that
# gives level_.dat); the seed keeps its random errors the same every run.
echo "== level.dat (Dini BF)"
"$cli" convert --model "Dini BF" --seed 1 "$out/level.dat" | tr -d '\r'
echo
echo "== files written in $out"
ls -l "$out"
