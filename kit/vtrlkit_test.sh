#!/bin/bash
# The authoring tool's command line: usage and exit codes, embed's output,
# that a failed embed leaves no file behind, and harvest's output file
# written, updated with the author's edits kept, and left alone on failure.
#   vtrlkit_test.sh VTRLKIT TESTDATA_DIR
set -u
kit=$1 testdata=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
expect() {  # CODE DESCRIPTION COMMAND...
  local want=$1 what=$2; shift 2
  "$@" >"$work/out.txt" 2>"$work/err.txt"
  local got=$?
  [ "$got" -eq "$want" ] || { echo "$what: exit code $got, expected $want"; cat "$work/err.txt"; fail=1; }
}
printf 'object IM: TIM\r\nend\r\n' > "$work/def.vdf"
cp "$testdata/testpe64.dll" "$work/setup.exe"

expect 2 "no arguments" "$kit"
grep -q "vtrlkit embed SETUP.EXE" "$work/err.txt" || { echo "usage text missing"; fail=1; }
expect 0 "--help" "$kit" --help
grep -q "vtrlkit embed SETUP.EXE" "$work/out.txt" || { echo "--help prints no usage"; fail=1; }
expect 2 "unknown command" "$kit" frobnicate
expect 2 "embed with too few arguments" "$kit" embed "$work/setup.exe" "$work/def.vdf"

expect 0 "embed" "$kit" embed "$work/setup.exe" "$work/def.vdf" "$work/out.exe"
[ -s "$work/out.exe" ] || { echo "embed wrote no output"; fail=1; }
grep -q "object IM: TIM" "$work/out.exe" || { echo "the output lacks the definition"; fail=1; }
cmp -s "$testdata/testpe64.dll" "$work/setup.exe" || { echo "embed changed its input"; fail=1; }
cp "$work/out.exe" "$work/first.exe"
expect 0 "embed again over the output" "$kit" embed "$work/setup.exe" "$work/def.vdf" "$work/out.exe"
cmp -s "$work/first.exe" "$work/out.exe" || { echo "two runs gave different bytes"; fail=1; }

expect 1 "output is the input" "$kit" embed "$work/setup.exe" "$work/def.vdf" "$work/setup.exe"
grep -q "may not be the setup program" "$work/err.txt" || { echo "no clear message for OUT = SETUP"; fail=1; }
expect 1 "missing definition" "$kit" embed "$work/setup.exe" "$work/missing.vdf" "$work/new.exe"
grep -q "missing.vdf" "$work/err.txt" || { echo "the message does not name the missing file"; fail=1; }
head -c 300 "$testdata/testpe64.dll" > "$work/cut.exe"
expect 1 "truncated program" "$kit" embed "$work/cut.exe" "$work/def.vdf" "$work/new.exe"
grep -q "cut.exe" "$work/err.txt" || { echo "the message does not name the damaged program"; fail=1; }
[ ! -e "$work/new.exe" ] || { echo "a failed embed left an output file"; fail=1; }
ls "$work" | grep -q '^~vt' && { echo "a failed embed left a temporary file"; fail=1; }

mkdir -p "$work/proj/product/bin"
printf 'x' > "$work/proj/product/bin/app.exe"
printf 'x' > "$work/proj/product/old.txt"
expect 0 "harvest --output" "$kit" harvest "$work/proj/product" --group-per-folder --output "$work/proj/files.vdf"
grep -qF "IncludeFromDir = 'product\bin'" "$work/proj/files.vdf" || { echo "harvest --output: sources not relative to the file"; fail=1; }
(cd "$work/proj" && "$kit" harvest ./product/ --group-per-folder) | cmp -s - "$work/proj/files.vdf" || { echo "stdout and --output differ"; fail=1; }
sed -i "s/GroupName = 'bin'/GroupName = 'Programs'/" "$work/proj/files.vdf"
rm "$work/proj/product/old.txt"
expect 0 "harvest --output again" "$kit" harvest "$work/proj/product" --group-per-folder --output "$work/proj/files.vdf"
grep -qF "GroupName = 'Programs'" "$work/proj/files.vdf" || { echo "the update lost the author's group name"; fail=1; }
grep -q "File_old_txt" "$work/proj/files.vdf" && { echo "the update kept a vanished file"; fail=1; }
grep -qF "note: File_old_txt: dropped" "$work/err.txt" || { echo "no note for the dropped file"; fail=1; }
printf 'object A: TX\n  Tag = =\nend\n' > "$work/proj/files.vdf"
expect 1 "harvest into a malformed file" "$kit" harvest "$work/proj/product" --output "$work/proj/files.vdf"
grep -qF "files.vdf(2:9): " "$work/err.txt" || { echo "the message does not place the error"; fail=1; }
[ "$(cat "$work/proj/files.vdf")" = "$(printf 'object A: TX\n  Tag = =\nend')" ] || { echo "a failed update changed the file"; fail=1; }
expect 2 "--output without a file" "$kit" harvest "$work/proj/product" --output
expect 1 "a prefix without a drive" "$kit" harvest "$work/proj/product" --prefix '\tmp\x'
grep -qF 'prefix \tmp\x starts at the root of no drive' "$work/err.txt" || { echo "no clear message for the prefix"; fail=1; }
exit $fail
