#!/bin/bash
# Starts the real setup program under Wine, silently, on a small embedded
# definition, and checks its exit code and its log.
set -u
exe=$1 wine_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/setup.exe"
cd "$work"
"$wine_run" setup.exe /SILENT /LOG=run.log 2>stderr.txt
code=$?
cat run.log
fail=0
[ "$code" -eq 0 ] || { echo "exit code $code, expected 0"; fail=1; }
for line in "Mode: normal" "Definition loaded" "Run started" "Run ended: installation complete" "Exit code 0"; do
  grep -q "$line" run.log || { echo "log lacks: $line"; fail=1; }
done
exit $fail
