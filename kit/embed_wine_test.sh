#!/bin/bash
# Under Wine: the Windows build of vtrlkit puts a definition into the kit's
# setup program; the Windows loader reads it back byte for byte, and the
# manifest, the forms and (in a library that has it) the version
# information read as before; the setup program then installs from it.
# The kit's setup program without a definition fails with a clear message
# and exit code 1.
#   embed_wine_test.sh VTRLKIT SETUP_KIT READRESOURCE DEFINITION WINE_RUN TESTDATA_DIR
set -u
kit=$1 setup=$2 readres=$3 definition=$4 wine_run=$5 testdata=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$kit" "$work/vtrlkit.exe"
cp "$setup" "$work/kitsetup.exe"
cp "$readres" "$work/readresource.exe"
cp "$definition" "$work/product.vdf"
cp "$testdata/testpe64.dll" "$work/verlib.dll"
cd "$work"
fail=0

"$wine_run" kitsetup.exe /SILENT /LOG=bare.log 2>/dev/null
code=$?
[ "$code" -eq 1 ] || { echo "setup without a definition: exit code $code, expected 1"; fail=1; }
grep -q "The setup program holds no installation definition" bare.log ||
  { echo "setup without a definition: log lacks the message"; cat bare.log; fail=1; }

"$wine_run" vtrlkit.exe embed kitsetup.exe product.vdf setup.exe 2>stderr.txt
code=$?
[ "$code" -eq 0 ] || { echo "vtrlkit embed: exit code $code"; cat stderr.txt; exit 1; }
"$wine_run" vtrlkit.exe embed kitsetup.exe product.vdf again.exe 2>/dev/null
cmp -s setup.exe again.exe || { echo "two embeds gave different bytes"; fail=1; }

"$wine_run" readresource.exe setup.exe 10 INSTALLDEFINITION def.out 2>&1 ||
  { echo "the loader finds no INSTALLDEFINITION"; fail=1; }
# The text is the file's, after the line mark that names it.
{ printf "//#line 1 'product.vdf'\n"; cat product.vdf; } > marked.vdf
cmp -s def.out marked.vdf || { echo "the embedded definition differs from the file"; fail=1; }
# The manifest and the forms read as they did in the kit's program.
for res in "24 1" "10 ORDLG_WELCOMEDLG" "10 DLGCMP_TBASECONTAINER"; do
  set -- $res
  "$wine_run" readresource.exe kitsetup.exe "$1" "$2" before.out 2>/dev/null ||
    { echo "the kit's setup program lacks resource $1/$2"; fail=1; continue; }
  "$wine_run" readresource.exe setup.exe "$1" "$2" after.out 2>&1 ||
    { echo "the embedded setup program lacks resource $1/$2"; fail=1; continue; }
  cmp -s before.out after.out || { echo "resource $1/$2 changed"; fail=1; }
done

# Version information (the kit's program has none; a test library has).
"$wine_run" vtrlkit.exe embed verlib.dll product.vdf verlib2.dll 2>&1 || { echo "embed into a library failed"; fail=1; }
"$wine_run" readresource.exe verlib.dll 16 1 before.out 2>/dev/null
"$wine_run" readresource.exe verlib2.dll 16 1 after.out 2>&1 || { echo "version information lost"; fail=1; }
cmp -s before.out after.out && [ -s after.out ] || { echo "version information changed"; fail=1; }
"$wine_run" readresource.exe verlib2.dll 10 INSTALLDEFINITION def2.out 2>&1 && cmp -s def2.out marked.vdf ||
  { echo "the library's embedded definition differs"; fail=1; }

# The embedded program installs.
"$wine_run" setup.exe /SILENT /LOG=run.log 2>/dev/null
code=$?
[ "$code" -eq 0 ] || { echo "embedded setup: exit code $code, expected 0"; cat run.log; fail=1; }
for line in "Definition loaded" "Run ended: installation complete" "Exit code 0"; do
  grep -q "$line" run.log || { echo "log lacks: $line"; fail=1; }
done
# A build names each problem at the author's file and line, in an
# included file too, not at the place in the embedded text.
mkdir -p author/parts && cp kitsetup.exe vtrlkit.exe author/ && cd author
printf 'dist\r\n' > BUILD.INF
cat > product.vdf <<'VDF'
object IM: TIM
  object Install1: TInstall
    Information.ProductName = 'Placed Problems'
    DestDir = '\Placed Problems'
  end
  include 'parts/files.vdf'
  object Late: TInstallFile
    Container = Install1
    IncludeFromDir = 'files'
    FileName = 'late.txt'
  end
end
VDF
cat > parts/files.vdf <<'VDF'
// the product's files
object Gone: TInstallFile
  Container = Install1
  IncludeFromDir = 'files'
  FileName = 'gone.txt'
end
VDF
"$wine_run" vtrlkit.exe embed kitsetup.exe product.vdf setup.exe 2>/dev/null || { echo "embed of the placed definition failed"; fail=1; }
"$wine_run" setup.exe /SILENT /LOG=build.log '*BUILD' 2>/dev/null
code=$?
[ "$code" -eq 1 ] || { echo "build with missing sources: exit code $code, expected 1"; fail=1; }
tr -d '\r' < build.log > build.lf
grep -Eq 'parts[/\\]files\.vdf\(2:1\): Gone: the source file files\\gone\.txt does not exist' build.lf ||
  { echo "the build does not name parts/files.vdf(2:1)"; cat build.lf; fail=1; }
grep -Eq 'product\.vdf\(7:3\): Late: the source file files\\late\.txt does not exist' build.lf ||
  { echo "the build does not name product.vdf(7:3)"; cat build.lf; fail=1; }
[ ! -e dist/setup.exe ] || { echo "a build with problems wrote a distribution"; fail=1; }
cd ..
exit $fail
