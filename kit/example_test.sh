#!/bin/bash
# The kit as an author receives it: tools/make-kit puts it together, and
# under Wine, with the kit's folder alone, the authoring chapter's Windows
# session runs as written in a copy of the kit's example; the distribution
# it builds installs through the whole wizard (answered by a response
# file), its links point at the installed files, the record's size counts
# each file once, and the removal leaves nothing of it.
#   example_test.sh WIN64_BUILD WORK_DIR
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
win=$(realpath "$1") work=$(realpath -m "$2")
source "$root/kit/wine_session.sh"

rm -rf "$work/out"
"$root/tools/make-kit" "$win" - "$work/out" >/dev/null || { echo "make-kit failed"; exit 1; }
kit=$work/out/vantrel-kit
doc=$kit/AUTHORING.md
# The chapters stand alone: no file of the repository is named.
for gone in product/demo translate/ engine/ tools/ '`make '; do
  check '! grep -qF -- "$gone" "$doc"' "AUTHORING.md names $gone, which the kit does not have"
done
for need in '## Running `setup`' 'Exit codes of `setup`' '### Running `uninstall`' '#### TInstallShellLink' \
            'ToggleBtn' 'did you mean'; do
  check 'grep -qF -- "$need" "$doc"' "AUTHORING.md lacks $need"
done
while read -r img; do
  check '[ -f "$kit/$img" ]' "AUTHORING.md shows $img, which the kit lacks"
done < <(grep -o 'docs/screenshots/[A-Za-z-]*\.png' "$doc" | sort -u)

wr cmd /c exit >/dev/null 2>&1  # makes the prefix
A=$WINEPREFIX/drive_c/author
PRODUCT="Sample Product"
DEST="$WINEPREFIX/drive_c/Program Files/$PRODUCT"
RECORD="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUCT"
rm -rf "$A" "$DEST"
mkdir -p "$A"
cp -r "$kit" "$A/kit"
cp -r "$kit/sample" "$A/example"
E=$A/example

# The chapter's session, as written, with KIT the kit's folder.
block=$(awk '/^```bat$/ { on = 1; next } /^```$/ && on { exit } on' "$doc")
check '[ -n "$block" ]' "AUTHORING.md has no Windows session"
{ printf '%s\r\n' 'set KIT=C:\author\kit'; printf '%s\r\n' "$block"; } > "$E/session.bat"
(cd "$E" && wr cmd /c session.bat >"$A/session.out" 2>&1)
check '[ -f "$E/dist/setup.exe" ]' "the session built nothing: $(tr -d '\r' < "$A/session.out" | tail -5)"
check 'grep -q "AllowChoice = False" "$E/files.vdf"' "harvesting again lost the example's own group settings"
(cd "$E" && wr 'C:\author\kit\windows\vtrlkit.exe' check product.vdf >"$A/check.out" 2>&1)
check 'grep -q "no problems found" "$A/check.out"' "check of the example: $(tr -d '\r' < "$A/check.out")"

# The whole wizard: language, welcome, components, folder; answered as a
# person would, with the documented form and control names.
cat > "$A/example.rsp" <<'RSP'
[SelectLanguageForm]
click NextBtn
[WelcomeForm]
click NextBtn
[FileGroupSelectForm]
select GroupListBox = Sample Product\Program files\Documents
click ToggleBtn
click NextBtn
[SelectFolderForm]
FolderEdit.Text = Sample Links
click NextBtn
RSP
(cd "$A" && wr 'C:\author\example\dist\setup.exe' '/RESPONSE=C:\author\example.rsp' '/LOG=C:\author\install.log' \
   >/dev/null 2>&1)
code=$?
log=$(tr -d '\r' < "$A/install.log" 2>/dev/null)
check '[ $code -eq 0 ]' "install exit code $code: $(grep -i 'fail\|error' <<<"$log" | head -3)"
check 'grep -q "wizard of BeforeInstall: 4 pages" <<<"$log"' "the wizard did not show its four pages"
check 'cmp -s "$E/product/README.TXT" "$DEST/README.TXT"' "README.TXT is not installed"
check 'cmp -s "$E/product/bin/SAMPLE.EXE" "$DEST/bin/SAMPLE.EXE"' "bin\\SAMPLE.EXE is not installed"
check '[ ! -e "$DEST/Docs/USAGE.TXT" ]' "the documents were installed though the person left them out"
menu=$(find "$WINEPREFIX/drive_c" -type d -path '*Start Menu/Programs/Sample Links' | head -1)
check '[ -n "$menu" ]' "no Start-menu folder 'Sample Links' (the folder page's answer)"
for l in 'Sample Product.LNK' 'Read Me.LNK' 'Uninstall Sample Product.LNK'; do
  check '[ -f "$menu/$l" ]' "no link $l in the Start-menu folder"
done
check 'grep -aq "README.TXT" "$menu/Read Me.LNK"' "the Read Me link does not point at README.TXT"
check 'grep -aq "SAMPLE.EXE" "$menu/Sample Product.LNK"' "the program link does not point at SAMPLE.EXE"

PKEY='HKLM\Software\Sample Company\Sample Product'
check 'wr reg query "$PKEY" /v InstallDir 2>/dev/null | tr -d "\r" | grep -qF "C:\Program Files\Sample Product"' \
  "the product's registry value InstallDir is not written"

# The removal, as a package tool runs it.
quiet_uninstall "$RECORD" "$A"
check '[ $? -eq 0 ]' "uninstall failed"
left=$(cd "$DEST" 2>/dev/null && find . -type f ! -name uninstall.exe | sort | tr '\n' ' ')
check '[ -z "$left" ]' "the removal left: $left"
check '[ -z "$(find "$menu" -name "*.LNK" 2>/dev/null)" ]' "the removal left links"
check '! wr reg query "$RECORD" >/dev/null 2>&1' "the record remains"
check '! wr reg query "$PKEY" >/dev/null 2>&1' "the product's registry key remains"
[ $fail -eq 0 ] || { echo "--- session"; tr -d '\r' < "$A/session.out"; echo "--- install.log"; echo "$log"; }
exit $fail
