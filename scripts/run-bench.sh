#!/usr/bin/env bash
# Runs every benchmark of bench/ on data generated into BUILD/bench-data.
set -euo pipefail
build=${1:-build}
mkdir -p "$build/bench-data"
# Tervan against mawk (and ogr2ogr when installed) on a million points; the
# peak memory from 10,000 up to ten million points.
"$build/bin/bench_peers" "$build/bench-data/peers" 1000000 3 10000000
"$build/bin/bench_convert" "$build/bench-data"
"$build/bin/bench_hvsd" "$build/bench-data"
"$build/bin/bench_detect" "$build/bench-data"
if [ -x "$build/bin/bench_gui_table" ]; then
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/bench_gui_table" "$build/bench-data"
fi
if [ -x "$build/bin/bench_plan" ]; then
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/bench_plan" "$build/bench-data"
fi
