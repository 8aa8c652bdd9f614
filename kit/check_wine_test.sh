#!/bin/bash
# vtrlkit check: a sound definition and the kit's sample pass with exit
# code 0; each broken one fails with exit code 1 and its one problem named
# with the file (and, for the reader's errors, the line) that holds it.
# The Windows build runs under Wine and checks everything; the native build
# checks the text's form only and exits 3 when that is sound.
#   check_wine_test.sh VTRLKIT TESTDATA_DIR [WINE_RUN]
set -u
kit=$1 testdata=$2 wine_run=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$testdata/check/." "$work/"
if [ -n "$wine_run" ]; then cp "$kit" "$work/vtrlkit.exe"; run=("$wine_run" vtrlkit.exe); else run=("$kit"); fi
# The long key's source exists, so that its length is the one problem.
long=$(printf 'k%.0s' $(seq 1 100))
mkdir -p "$work/files/$long" && echo long > "$work/files/$long/long.txt"
cd "$work"
fail=0

check() {  # CODE DEFINITION [PATTERN]: the exit code, one line on stderr, matching PATTERN
  local want=$1 def=$2 pattern=${3:-}
  "${run[@]}" check "$def" >out.txt 2>err.txt
  local got=$?
  tr -d '\r' <err.txt >err.lf
  [ "$got" -eq "$want" ] || { echo "$def: exit code $got, expected $want"; cat err.lf; fail=1; return; }
  [ -z "$pattern" ] && { [ -s err.lf ] && { echo "$def: unexpected output"; cat err.lf; fail=1; }; return; }
  [ "$(wc -l <err.lf)" -eq 1 ] || { echo "$def: expected one problem"; cat err.lf; fail=1; }
  grep -Eq "$pattern" err.lf || { echo "$def: expected /$pattern/"; cat err.lf; fail=1; }
}

"${run[@]}" check >/dev/null 2>&1; [ $? -eq 2 ] || { echo "check without a definition: not exit code 2"; fail=1; }
"${run[@]}" --help 2>/dev/null | grep -q "vtrlkit check DEFINITION" || { echo "--help lacks check"; fail=1; }

# The reader's errors, with the position; an error inside an included file
# names that file and its line, a missing include names the include line.
check 1 malformed.vdf '^malformed\.vdf\(11:[0-9]+\): '
check 1 missing_include.vdf '^missing_include\.vdf\(15:[0-9]+\): .*nowhere\.vdf'
if [ -n "$wine_run" ]; then
  check 0 good.vdf
  check 1 unknown_class.vdf '^unknown_class\.vdf\(15:[0-9]+\): .*TInstallBogus'
  check 1 unknown_property.vdf '^unknown_property\.vdf\(12:[0-9]+\): .*Colour'
  check 1 bad_enum.vdf '^bad_enum\.vdf\(12:[0-9]+\): .*ddNowhere'
  check 1 error_in_include.vdf '^parts[/\\]broken_part\.vdf\(12:[0-9]+\): .*Order'
  # What the build refuses, each named with its component and placed at
  # its object; relative sources are taken from the definition's folder.
  check 1 missing_source.vdf '^missing_source\.vdf\(15:3\): File2: the source file files\\gone\.txt does not exist'
  check 1 missing_source_in_part.vdf '^parts[/\\]missing_part\.vdf\(8:3\): File3: the source file files\\c\.txt does not exist'
  check 1 long_key.vdf '^long_key\.vdf\(15:3\): LongKey: the archive key .* is longer than 100 characters'
  check 1 duplicate_key.vdf '^duplicate_key\.vdf\(15:3\): Again: the archive key files\\A\.TXT is also the key of File1'
  # The kit's sample, with its files harvested as the authoring chapter
  # says (any file stands in for the uninstall program here).
  mkdir sample && cp -r "$testdata/../sample/." sample/ && : > sample/uninstall.exe && cp vtrlkit.exe sample/
  (cd sample && "${run[@]}" harvest product --group-per-folder > files.vdf)
  grep -q "FileName = 'README.TXT'" sample/files.vdf || { echo "the sample's harvest lacks README.TXT"; fail=1; }
  check 0 sample/product.vdf
  # From another folder the sources are still found beside the definition.
  mkdir elsewhere; cp vtrlkit.exe elsewhere/; cd elsewhere
  check 0 ../good.vdf
  cd ..
else
  # Natively the classes are not known: a sound text is checked in part.
  check 3 good.vdf 'need the Windows build of vtrlkit'
  check 3 unknown_class.vdf 'need the Windows build of vtrlkit'
  check 3 error_in_include.vdf 'need the Windows build of vtrlkit'
fi
check 1 nothere.vdf '^nothere\.vdf'
exit $fail
