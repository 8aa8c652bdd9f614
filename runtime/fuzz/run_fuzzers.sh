#!/bin/bash
# Runs the definition fuzz target for SECONDS seconds from the repository's
# definitions and the hand-written seeds beside this script.
#   run_fuzzers.sh FUZZ_BUILD_DIR [SECONDS]
# Exit status 0 when the target found no crash, hang, leak or broken promise.
# FUZZ_SEED fixes libFuzzer's seed (default 1, so that the short run of the
# test suite walks the same inputs each time); 0 lets libFuzzer choose.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-15}
work=$build/corpus
t=fuzz_definition
corpus=$work/$t
mkdir -p "$corpus"
cp "$here"/seeds/*.vdf "$root/product/Vantrel32.vdf" "$corpus/"
for f in "$root"/engine/testdata/*.vdf; do cp "$f" "$corpus/testdata-$(basename "$f")"; done
echo "== $t ($seconds s)"
# 16 KB leaves room for nesting past the depth limit.
if ! "$build/$t" "$corpus" -dict="$here/definition.dict" -max_total_time="$seconds" -seed="${FUZZ_SEED:-1}" \
     -max_len=16384 -timeout=10 -rss_limit_mb=1024 -print_final_stats=0 -artifact_prefix="$work/$t-" \
     2>"$work/$t.log"; then
  tail -40 "$work/$t.log"
  exit 1
fi
grep -E "^#[0-9]+.*DONE" "$work/$t.log" | tail -1 || tail -1 "$work/$t.log"
