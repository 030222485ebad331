#!/usr/bin/env bash
# Runs every fuzz target for a short while over its checked-in corpus; a finding fails the run.
#   scripts/fuzz.sh [SECONDS]   (default 20 per target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in NumberTextFuzz EvaluationFuzz ConnectionTextFuzz RowListFuzz LottoFileFuzz; do
  scratch=$(mktemp -d)
  echo "== $target ($seconds s)"
  # New inputs go to the scratch folder, so the checked-in corpus stays small.
  # An input that takes over 10 s or 1 GB of memory counts as a finding, as a crash does.
  if ! build-fuzz/$target -max_total_time="$seconds" -print_final_stats=0 \
       -timeout=10 -rss_limit_mb=1024 \
       -artifact_prefix="$scratch/" "$scratch" "fuzz/corpus/$target" 2>"$scratch/log"; then
    tail -n 40 "$scratch/log"
    echo "FAIL: $target found a problem; the input is in $scratch"
    exit 1
  fi
  tail -n 2 "$scratch/log"
  rm -rf "$scratch"
done
