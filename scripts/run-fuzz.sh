#!/usr/bin/env bash
# Runs the fuzz targets built in BUILD (fuzz-targets.txt lists them), one
# after the other, each for FUZZ_SECONDS (default 60) or FUZZ_RUNS runs,
# whichever ends first. FUZZ_TARGETS picks some of them by name.
#
# Each target starts from its seed folder fuzz/corpus/<target>/ (read only)
# and keeps what it finds in BUILD/corpus/<target>/; a crash, a leak or a
# time-out is saved in BUILD/findings/<target>/ and makes the run fail.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
targets=${FUZZ_TARGETS:-$(cat "$build/fuzz-targets.txt")}

failed=()
for target in $targets; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  seeds="$source_dir/fuzz/corpus/$target"
  [ -d "$seeds" ] || seeds=""
  echo "== $target: ${seconds} s"
  # The first folder is the one libFuzzer writes to: never the seeds.
  if ! "$build/bin/fuzz_$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" $seeds 2>"$build/findings/$target.log"; then
    failed+=("$target")
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/findings/$target.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]} (see $build/findings/)"
  exit 1
fi
echo "no findings"
