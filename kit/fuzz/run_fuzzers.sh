#!/bin/bash
# Runs the resource writer's fuzz target for SECONDS seconds from the
# test libraries.
#   run_fuzzers.sh FUZZ_BUILD_DIR TESTDATA_DIR [SECONDS]
# Exit status 0 when it found no crash, hang or leak. FUZZ_SEED fixes
# libFuzzer's seed (default 1); 0 lets libFuzzer choose.
set -e
build=$(cd "$1" && pwd)
testdata=$2
seconds=${3:-15}
work=$build/corpus
corpus=$work/fuzz_peresources
mkdir -p "$corpus"
cp "$testdata"/*.dll "$corpus/"
echo "== fuzz_peresources ($seconds s)"
if ! "$build/fuzz_peresources" "$corpus" -max_total_time="$seconds" -seed="${FUZZ_SEED:-1}" -max_len=8192 -timeout=10 \
     -rss_limit_mb=1024 -print_final_stats=0 -artifact_prefix="$work/fuzz_peresources-" 2>"$work/fuzz_peresources.log"; then
  tail -40 "$work/fuzz_peresources.log"
  exit 1
fi
grep -E "^#[0-9]+.*DONE" "$work/fuzz_peresources.log" | tail -1 || tail -1 "$work/fuzz_peresources.log"
