#!/bin/bash
# An author's whole path under Wine, with the kit's released programs only:
# a generated product tree is harvested into definition objects, included
# by a hand-written definition, embedded into the kit's setup program,
# built into a distribution (setup.exe *BUILD), installed silently and
# removed again through the record's QuietUninstallString; the installed
# tree is compared with the product file by file, and nothing but the
# uninstall program (deleted at restart) may remain. Then the README's
# Windows session runs as written, in a batch file under Wine's command
# prompt, and must make the same setup program and files.1.
#   authoring_test.sh VTRLKIT SETUP_KIT LOADER UNINSTALL WORK_DIR
set -u
kit=$(realpath "$1") setup=$(realpath "$2") loader=$(realpath "$3") uninstall=$(realpath "$4") work=$(realpath -m "$5")
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/kit/wine_session.sh"

wr cmd /c exit >/dev/null 2>&1  # makes the prefix
A=$WINEPREFIX/drive_c/author
DEST="$WINEPREFIX/drive_c/Program Files/Harvested Product"
PRODUCT="Harvested Product"
RECORD="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUCT"
rm -rf "$A" "$DEST"
wr reg delete "$RECORD" /f >/dev/null 2>&1
P=$A/project  # the author's folder: the product's tree, the definition, the setup program
mkdir -p "$A/kit" "$P/product/Docs/Read Me First" "$P/product/bin"
cp "$kit" "$A/kit/vtrlkit.exe"
cp "$setup" "$A/kit/setup.exe"
cp "$loader" "$A/kit/VantrelLoadProgram.exe"
cp "$uninstall" "$A/kit/uninstall.exe"
# The product: a few folders, a name with blanks, an empty file, a larger one.
printf 'main program\r\n' > "$P/product/bin/tool.exe"
head -c 300000 /dev/urandom > "$P/product/bin/data.bin"
: > "$P/product/bin/empty.txt"
printf 'read me\r\n' > "$P/product/Docs/Read Me First/read me.txt"
printf 'licence\r\n' > "$P/product/Docs/LICENCE.TXT"
cp "$uninstall" "$P/uninstall.exe"

# 1. harvest the tree into objects for the root group's container; the
# paths stay relative, so the keys carry no drive letter
(cd "$P" && wr 'C:\author\kit\vtrlkit.exe' harvest product --group-per-folder --container Install1 \
   --output files.vdf 2> harvest.err)
check '[ -s "$P/files.vdf" ]' "harvest wrote nothing: $(cat "$P/harvest.err")"
check "grep -qF \"IncludeFromDir = 'product\\\\Docs\\\\Read Me First'\" \"\$P/files.vdf\"" "harvest did not keep the paths relative"
# 2. the hand-written part, which includes the harvested one
cat > "$A/project/product.vdf" <<'VDF'
object IM: TIM
  object Install1: TInstall
    Information.CompanyName = 'Harvest Test Company'
    Information.ProductName = 'Harvested Product'
    Information.Version = '3.1'
    DestDir = '\Harvested Product'
  end
  object Uninstaller: TUninstallEXE
    Container = Install1
    FileName = 'uninstall.exe'
    IncludeFromDir = '.'
    DestDirType = ddContainerDestDir
    ArchiveFileType = ddContainerArchiveFile
  end
  include 'files.vdf'
end
VDF
# 3. the product's setup program, without a compiler
(cd "$P" && wr 'C:\author\kit\vtrlkit.exe' embed 'C:\author\kit\setup.exe' product.vdf setup.exe 2> embed.err)
check '[ -f "$P/setup.exe" ]' "embed failed: $(cat "$P/embed.err")"
# 4. the distribution, built from another folder: relative sources and the
# relative build directory are the setup program's folder's
printf 'dist\r\n' > "$P/BUILD.INF"
wr reg add 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory /d 'C:\author\kit' /f >/dev/null 2>&1
mkdir -p "$A/user"
(cd "$A/user" && wr 'C:\author\project\setup.exe' /SILENT '/LOG=C:\author\build.log' '*BUILD' >/dev/null 2>&1)
check '[ -f "$P/dist/setup.exe" ]' "the build failed: $(tr -d '\r' < "$A/build.log" 2>/dev/null | tail -3)"
# 5. the install
(cd "$A/user" && wr 'C:\author\project\dist\setup.exe' /SILENT '/LOG=C:\author\install.log' >/dev/null 2>&1)
code=$?
check '[ $code -eq 0 ]' "install exit code $code: $(tr -d '\r' < "$A/install.log" 2>/dev/null | grep -i 'fail\|error' | head -3)"
while IFS= read -r -d '' f; do
  rel=${f#"$P/product/"}
  check 'cmp -s "$f" "$DEST/$rel"' "installed $rel differs from the product's"
done < <(find "$P/product" -type f -print0)
check '[ "$(find "$DEST" -type f | wc -l)" -eq 6 ]' "the installed tree has $(find "$DEST" -type f | wc -l) files, not 5 and the uninstall program"
# 6. the removal, as a package tool would run it
quiet_uninstall "$RECORD" "$A/user"
code=$?
check '[ $code -eq 0 ]' "uninstall exit code $code"
left=$(cd "$DEST" 2>/dev/null && find . -type f | sort | tr '\n' ' ')
check '[ "$left" = "./uninstall.exe " ]' "the removal left: $left"
check '! wr reg query "$RECORD" >/dev/null 2>&1' "the record remains"
# 7. the README's Windows session, run as written by Windows' command
# prompt in a copy of the author's folder; the same product with the same
# dates gives the same files.1, and the same definition the same setup
# program (setup.1 differs only in that program's date)
W=$A/win
rm -rf "$W" "$A/wkit"
mkdir -p "$A/wkit/windows" "$W"
cp "$A"/kit/* "$A/wkit/windows/"
cp -rp "$P/product" "$P/product.vdf" "$P/uninstall.exe" "$W/"
block=$(awk '/^```bat$/ { on = 1; next } /^```$/ && on { exit } on' "$root/README.md")
check '[ -n "$block" ]' "the README has no Windows session"
{ printf '%s\r\n' 'set KIT=C:\author\wkit'; printf '%s\r\n' "$block"; } > "$W/session.bat"
(cd "$W" && wr cmd /c session.bat >"$A/session.out" 2>&1)
check '[ -f "$W/dist/setup.exe" ] && [ -f "$W/dist/setup.1" ]' \
  "the README's Windows session built nothing: $(tr -d '\r' < "$A/session.out" | tail -5)"
check 'cmp -s "$W/dist/files.1" "$P/dist/files.1"' "the Windows session's files.1 differs from the first build's"
check 'cmp -s "$W/setup.exe" "$P/setup.exe"' "the Windows session's setup program differs from the first one"

[ $fail -eq 0 ] || { echo "--- files.vdf"; cat "$P/files.vdf"; echo "--- install.log"; tr -d '\r' < "$A/install.log"; }
exit $fail
