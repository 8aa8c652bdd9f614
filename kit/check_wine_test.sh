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
  # The closing count of problems is checked by the cases with several.
  tr -d '\r' <err.txt | grep -Ev '^[^ ]+: [0-9]+ problems?$' >err.lf
  [ "$got" -eq "$want" ] || { echo "$def: exit code $got, expected $want"; cat err.lf; fail=1; return; }
  [ -z "$pattern" ] && {
    [ -s err.lf ] && { echo "$def: unexpected output"; cat err.lf; fail=1; }
    [ "$want" -ne 0 ] || grep -q "no problems found" out.txt || { echo "$def: no word that it is sound"; fail=1; }
    return
  }
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
  cp "$testdata/../../translate/StandardTables.vdf" sample/
  (cd sample && "${run[@]}" harvest product --group-per-folder --output files.vdf)
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
# Several problems: every one in one run, in the order the lines of
# PATTERNS give, at the author's file and line, then their count.
check_all() {  # DEFINITION COUNT PATTERN...: exit code 1, COUNT problems matching the patterns in order
  local def=$1 count=$2
  shift 2
  "${run[@]}" check "$def" >out.txt 2>err.txt
  local got=$?
  tr -d '\r' <err.txt >err.lf
  [ "$got" -eq 1 ] || { echo "$def: exit code $got, expected 1"; cat err.lf; fail=1; return; }
  grep -Eq "^$def: $count problems\$" err.lf || { echo "$def: no closing count of $count"; cat err.lf; fail=1; }
  [ "$(grep -Evc ': [0-9]+ problems?$' err.lf)" -eq "$count" ] || { echo "$def: not $count problems"; cat err.lf; fail=1; }
  local line=0 p
  for p in "$@"; do
    line=$((line + 1))
    sed -n "${line}p" err.lf | grep -Eq "$p" || { echo "$def: line $line is not /$p/"; cat err.lf; fail=1; }
  done
}

if [ -n "$wine_run" ]; then
  # A new author's first definition: misspelt properties, values, a class
  # and a reference, one in an included file, all reported at once, with
  # the name that was meant.
  cp vtrlkit.exe trial/ && cd trial
  check_all typos.vdf 7 \
    '^typos\.vdf\(5:17\): Property Verison does not exist in TInstallInformation; did you mean Version\?$' \
    '^typos\.vdf\(7:19\): .ddProgramFileDir. is not a value of TPathSpecifiers; did you mean ddProgramFilesDir\?$' \
    '^typos\.vdf\(12:5\): Property DestDirTyp does not exist in TInstallFileGroup; did you mean DestDirType\?$' \
    '^typos\.vdf\(15:17\): Class TInstalFile not found; did you mean TInstallFile\?$' \
    '^more_typos\.vdf\(5:3\): Property OverwriteMod does not exist in TInstallFile; did you mean OverwriteMode\?$' \
    '^typos\.vdf\(25:21\): Enumeration value expected for property OverwriteMode' \
    '^typos\.vdf\(22:17\): Component Grop1 not found; did you mean Group1\?$'
  # What the install would stop at: a source folder without a drive, links
  # to nothing or to no full path, a folder that does not resolve, pages
  # with containers of the wrong kind. The link in its short form passes.
  check_all rules.vdf 7 \
    '^rules\.vdf\(14:3\): File1: the source folder \\tmp\\x\\product\\bin has no drive' \
    '^rules\.vdf\(28:3\): Stray: its destination cannot be resolved: loose is not a full path' \
    '^rules\.vdf\(45:3\): NowhereLink: it links to nothing' \
    '^rules\.vdf\(49:3\): RelativeLink: its target docs\\readme\.txt is not a full path' \
    '^rules\.vdf\(54:3\): LooseFolder: its folder \\Loose is not a full path' \
    '^rules\.vdf\(61:3\): FolderPage: The container for FolderPage must be a TShellLinkGroup \(Install1 is a TInstall\)$' \
    '^rules\.vdf\(64:3\): GroupsPage: Container for GroupsPage must be TFileContainer descendant'
  # embed reads the definition as the setup program will, and writes
  # nothing when it cannot.
  : > setup.exe
  "${run[@]}" embed setup.exe typos.vdf out.exe >/dev/null 2>err.txt
  [ $? -eq 1 ] || { echo "embed of typos.vdf: not exit code 1"; fail=1; }
  grep -q "did you mean Version" err.txt || { echo "embed of typos.vdf: the errors are not named"; cat err.txt; fail=1; }
  [ ! -e out.exe ] || { echo "embed of typos.vdf wrote out.exe"; fail=1; }
  cd ..
fi
check 1 nothere.vdf '^nothere\.vdf'
exit $fail
