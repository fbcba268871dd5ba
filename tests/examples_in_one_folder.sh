#!/usr/bin/env bash
# Every example converted as make run converts it, but all in one folder one
# after the other: no example's outputs may replace an example.
# Usage: examples_in_one_folder.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
cd "$1"
bash scripts/run-examples.sh "$2" --together >/dev/null
status=0
for example in examples/*; do
  cmp -s "$example" "$2/run-together/${example#examples/}" || {
    echo "${example#examples/} was changed by converting the examples beside it"
    status=1
  }
done
exit $status
