#!/bin/bash
# Runs the language table fuzz target for SECONDS seconds from the seeds
# beside this script.
#   run_fuzzers.sh FUZZ_BUILD_DIR [SECONDS]
# Exit status 0 when the target found no crash, hang, leak or broken promise.
# FUZZ_SEED fixes libFuzzer's seed (default 1); 0 lets libFuzzer choose.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-15}
work=$build/corpus
t=language_table_fuzz
corpus=$work/$t
mkdir -p "$corpus"
cp "$here"/seeds/*.txt "$corpus/"
echo "== $t ($seconds s)"
if ! "$build/$t" "$corpus" -max_total_time="$seconds" -seed="${FUZZ_SEED:-1}" \
     -max_len=4096 -timeout=10 -rss_limit_mb=1024 -print_final_stats=0 -artifact_prefix="$work/$t-" \
     2>"$work/$t.log"; then
  tail -40 "$work/$t.log"
  exit 1
fi
grep -E "^#[0-9]+.*DONE" "$work/$t.log" | tail -1 || tail -1 "$work/$t.log"
