#!/bin/bash
# The loading program under Wine, with a stand-in setup program that records
# how it was started: from a plain distribution directory (a name with
# blanks) and as a self-extracting setup.exe it must pass the right
# arguments and options, return the setup program's exit code and remove
# its temporary directory, except for the restart code 3010. Without
# "setup.1" it ends with code 10, with a damaged one with code 11.
set -u
loader=$1 recorder=$2 vtrlarc=$3 wine_run=$4 clickthrough=$5
# The build tree's Wine prefix (as tools/wine-run finds it from here): the
# runs below change into scratch directories, where it would find none.
if [ -z "${VTRL_WINEPREFIX:-}" ]; then
  dir=$PWD
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export VTRL_WINEPREFIX=$dir/wineprefix
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() { if ! eval "$1"; then echo "FAILED: $2"; fail=1; fi; }
win() { echo "Z:${1//\//\\}"; }   # a Unix path as Wine sees it

mkdir -p "$work/src" "$work/Dist Dir" "$work/self"
cp "$recorder" "$work/src/setup_prog.exe"
echo "presetup" > "$work/src/presetup.txt"
echo "product" > "$work/src/product.txt"
(cd "$work" && "$wine_run" "$vtrlarc" add "$(win "$work/setup.1")" "$(win "$work/src/setup_prog.exe")" \
   "$(win "$work/src/presetup.txt")" >/dev/null &&
 "$wine_run" "$vtrlarc" add "$(win "$work/files.1")" "$(win "$work/src/product.txt")" >/dev/null) ||
  { echo "cannot build the test archives"; exit 1; }

# run DIR NAME EXIT: runs DIR/NAME silently with a log; the recorder exits
# with EXIT. Sets code, sets args/dir/files from the record.
run() {
  rm -f "$work/record.txt"
  (cd "$work" && VTRL_RECORD="$(win "$work/record.txt")" VTRL_RECORD_EXIT=$3 \
     "$wine_run" "$1/$2" /SILENT /LOG=loader.log 2>"$work/stderr.txt")
  code=$?
  args=$(grep '^arg=' "$work/record.txt" 2>/dev/null | cut -d= -f2- | tr -d '\r')
  tempdir=$(grep '^dir=' "$work/record.txt" 2>/dev/null | cut -d= -f2- | tr -d '\r')
  files=$(grep '^file=' "$work/record.txt" 2>/dev/null | cut -d= -f2- | tr -d '\r' | sort | tr '\n' ' ')
  unixtemp=""
  [ -n "$tempdir" ] && unixtemp=$(WINEDEBUG=-all "$wine_run" winepath -u "$tempdir" 2>/dev/null)
}

# --- plain distribution directory
cp "$loader" "$work/Dist Dir/setup.exe"
cp "$work/setup.1" "$work/files.1" "$work/Dist Dir/"
run "$work/Dist Dir" setup.exe 7
expected=$(printf '/SILENT\n/LOG=%s\n%s' "$(win "$work/loader.log")" "$(win "$work/Dist Dir")")
check '[ "$code" -eq 7 ]' "plain: exit code $code, expected the setup program's 7"
check '[ "$args" = "$expected" ]' "plain: arguments were [$args], expected [$expected]"
check '[ "$files" = "presetup.txt setup_prog.exe vtrlsetup.lck " ]' "plain: files beside the setup program: [$files]"
check '[ -n "$unixtemp" ] && [ -d "$(dirname "$unixtemp")" ] && [ ! -e "$unixtemp" ]' \
  "plain: temporary directory $unixtemp left behind"
check 'grep -q "loader: Exit code 7" "$work/loader.log"' "plain: log lacks the exit code"

# --- answering options: names relative to where the loader was started
# reach the setup program absolute (it runs in its temporary directory)
rm -f "$work/record.txt"
(cd "$work" && VTRL_RECORD="$(win "$work/record.txt")" VTRL_RECORD_EXIT=0 \
   "$wine_run" "$work/Dist Dir/setup.exe" /RESPONSE=answers.rsp /RECORD=rec.rsp "/SCREENSHOTS=my shots" \
   2>"$work/stderr.txt")
code=$?
args=$(grep '^arg=' "$work/record.txt" 2>/dev/null | cut -d= -f2- | tr -d '\r')
expected=$(printf '/RESPONSE=%s\n/RECORD=%s\n/SCREENSHOTS=%s\n%s' "$(win "$work/answers.rsp")" \
  "$(win "$work/rec.rsp")" "$(win "$work/my shots")" "$(win "$work/Dist Dir")")
check '[ "$code" -eq 0 ]' "answering options: exit code $code"
check '[ "$args" = "$expected" ]' "answering options: arguments were [$args], expected [$expected]"

# --- self-extracting setup.exe: loader | setup.1 | files.1 | trailer
python3 - "$loader" "$work/setup.1" "$work/files.1" "$work/self/setup.exe" <<'PY'
import struct, sys
loader, s1, f1 = (open(p, 'rb').read() for p in sys.argv[1:4])
a = len(loader); b = a + len(s1); c = b + len(f1)
t = bytes([14]) + b'SELFEXTRACTING' + b'\0' + struct.pack('<4i', a, b - 1, b, c - 1) + bytes(24)
assert len(t) == 56
open(sys.argv[4], 'wb').write(loader + s1 + f1 + t)
PY
run "$work/self" setup.exe 0
expected=$(printf '/SILENT\n/LOG=%s\n*SELFEXTRACT\nsetup.exe\n%s' "$(win "$work/loader.log")" "$(win "$work/self")")
check '[ "$code" -eq 0 ]' "self-extracting: exit code $code"
check '[ "$args" = "$expected" ]' "self-extracting: arguments were [$args], expected [$expected]"
check '[ "$files" = "presetup.txt setup_prog.exe vtrlsetup.lck " ]' "self-extracting: files: [$files]"
check '[ -n "$unixtemp" ] && [ ! -e "$unixtemp" ]' "self-extracting: temporary directory left behind"
check '[ ! -e "$work/self/setup.1" ]' "self-extracting: wrote setup.1 beside itself"

# --- restart needed: the files stay for the continuation
# (a Unix exit status keeps only the low byte of 3010, so the log tells)
run "$work/self" setup.exe 3010
check 'grep -q "loader: Exit code 3010" "$work/loader.log"' "restart: exit code $code, expected 3010"
check '[ -n "$unixtemp" ] && [ -f "$unixtemp/setup_prog.exe" ]' "restart: the setup program's files were removed"
check '[ -n "$unixtemp" ] && [ ! -e "$unixtemp/vtrlsetup.lck" ]' "restart: the kept directory keeps its lock file"

# --- what earlier loaders left: the directory of one that was ended (its
# lock file free) goes with the next run, the one kept for the restart
# above stays
kept=$unixtemp
tempbase=$(dirname "$kept")
dead="$tempbase/vtrlsetupDEAD-0"
mkdir -p "$dead" && touch "$dead/setup_prog.exe" "$dead/presetup.txt" "$dead/vtrlsetup.lck"
run "$work/self" setup.exe 0
check '[ ! -e "$dead" ]' "stale: the directory of an ended loader is still there"
check 'grep -q "Removed the stale temporary directory .*vtrlsetupDEAD-0" "$work/loader.log"' \
  "stale: the log does not name the removed directory"
check '[ -f "$kept/setup_prog.exe" ]' "stale: the directory kept for the restart was removed"
rm -rf "$kept" "$dead"

# --- a wrong option: the usage on standard error, exit code 1, the setup
# program never started; in a visible run too (a script that typed /S must
# not wait on a box with nothing on its console: the box is answered here)
for option in /FOO /DIR "/DIR=" /S; do
  rm -f "$work/record.txt"
  silent=/SILENT
  [ "$option" = /S ] && silent=/VERBOSE
  (cd "$work" && VTRL_RECORD="$(win "$work/record.txt")" VTRL_RECORD_EXIT=0 \
     "$wine_run" "$work/self/setup.exe" $silent "$option" /LOG=loader.log 2>"$work/stderr.txt") &
  started=$!
  [ "$option" = /S ] && "$wine_run" "$clickthrough" 60 'Setup=>OK' >/dev/null
  wait $started
  code=$?
  check '[ "$code" -eq 1 ]' "option $option: exit code $code, expected 1"
  check '[ ! -e "$work/record.txt" ]' "option $option: the setup program was started"
  check 'grep -q "Usage: setup.exe" "$work/stderr.txt"' "option $option: no usage on standard error"
done
check 'grep -q "Unknown option /FOO" "$work/loader.log"' "option /FOO: not named in the log"
check 'grep -q "The option /DIR needs a value: /DIR=<path>." "$work/loader.log"' "option /DIR: its value not asked for"
# --- the usage asked for: on standard output, exit code 0, nothing started
for option in "/?" /HELP; do
  rm -f "$work/record.txt"
  (cd "$work" && VTRL_RECORD="$(win "$work/record.txt")" VTRL_RECORD_EXIT=0 \
     "$wine_run" "$work/self/setup.exe" /SILENT "$option" /LOG=loader.log >"$work/stdout.txt")
  code=$?
  check '[ "$code" -eq 0 ]' "option $option: exit code $code, expected 0"
  check '[ ! -e "$work/record.txt" ]' "option $option: the setup program was started"
  check 'grep -q "Usage: setup.exe" "$work/stdout.txt"' "option $option: no usage on standard output"
done

# --- a loader alone: no distribution
mkdir -p "$work/alone" && cp "$loader" "$work/alone/setup.exe"
run "$work/alone" setup.exe 0
check '[ "$code" -eq 10 ]' "no setup.1: exit code $code, expected 10"
check 'grep -q "setup.1 was not found" "$work/stderr.txt"' "no setup.1: no message on standard error"

# --- a damaged setup.1
mkdir -p "$work/bad" && cp "$loader" "$work/bad/setup.exe"
head -c 300 "$work/setup.1" > "$work/bad/setup.1"
run "$work/bad" setup.exe 0
check '[ "$code" -eq 11 ]' "damaged setup.1: exit code $code, expected 11"

# The loading program imports no library that Windows would look for in a
# download folder first, and not the window system either: it loads that
# (from the system directory) only to show a failure.
imports=$(x86_64-w64-mingw32-objdump -p "$loader" | grep 'DLL Name' | awk '{print toupper($3)}' | sort | tr '\n' ' ')
check '[ "$imports" = "KERNEL32.DLL MSVCRT.DLL " ]' "imports: $imports"
exit $fail
