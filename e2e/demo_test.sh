#!/bin/bash
# The whole path, as the demonstration runs it: build the distribution of
# the component kit as it ships (and a floppy set), install it from the
# self-extracting setup.exe, check the files, the Start menu, the registry
# value, the development environments, the uninstall record and the
# Add/Remove Programs entry, remove it; then the failure paths and the
# other ways to install it.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$root/tools/demo" "$build" >"$out" 2>&1
code=$?
fail=0
check() { grep -qF -- "$1" "$out" || { echo "missing: $1"; fail=1; }; }
[ $code -eq 0 ] || { echo "demo exit code $code"; fail=1; }
check 'setup: Mode: build'
check 'files archive at offset'
check 'bin\uninstall.exe'
check 'setup: Floppy set written'
check 'disk 2 asked for: put in'
check 'setup: Mode: self-extract'
check '(234 files installed'
check '234 files in C:\Program Files\Vantrel32\Version2, by kind:'
check '   106 .pas'
check '    57 .dfm'
check 'OtherLinks/Source for Load Program.LNK'
check 'setup: Exit code 0'
check 'loader: Exit code 0'
check 'Start Menu/Programs/Vantrel 2.0/Vantrel32 Help.LNK'
check 'Start Menu/Programs/Vantrel 2.0/Other Links.LNK'
check '    VantrelDirectory    REG_SZ    C:\Program Files\Vantrel32\Version2'
check '"UninstallString"="\"C:\\Program Files\\Vantrel32\\Version2\\uninstall.exe\" Vantrel 32"'
check '"QuietUninstallString"="\"C:\\Program Files\\Vantrel32\\Version2\\uninstall.exe\" /SILENT Vantrel 32"'
check '"Publisher"="Vantrel Software"'
check '"NoModify"=dword:00000001'
check '"VTRL32.HLP"="C:\\Program Files\\Vantrel32\\Version2"'
check 'Vantrel 32|||Vantrel 32'
# The run's order: every file, then the Start-menu folders with their
# links, then the registry value.
log=$build/demo/prefix/drive_c/VantrelDemo/install-en_US.log
at() { grep -n -F -- "$1" "$log" | sed -n "${2:-1}p" | cut -d: -f1; }
last_file=$(grep -n '^setup: Installed ' "$log" | tail -1 | cut -d: -f1)
main_folder=$(at 'setup: Link folder C:\users\')
sub_folder=$(at 'setup: Link folder C:\Program Files\Vantrel32\Version2\OtherLinks (SubFolder)')
last_link=$(at 'setup: Link Source for' 3)
value=$(at 'setup: Registry value \Software\Vantrel Software\Vantrel96 | VantrelDirectory')
[ -n "$last_file" ] && [ -n "$main_folder" ] && [ -n "$sub_folder" ] && [ -n "$last_link" ] && [ -n "$value" ] &&
  [ "$last_file" -lt "$main_folder" ] && [ "$main_folder" -lt "$sub_folder" ] && [ "$sub_folder" -lt "$last_link" ] &&
  [ "$last_link" -lt "$value" ] ||
  { echo "the run's order: files to $last_file, folders at $main_folder and $sub_folder, links to $last_link, value at $value"; fail=1; }
# The development environments: the package compiled and registered, the
# compiling window shown, the completion page for a good Delphi 3.0.
check 'setup: Delphi 3.0: started "C:\Delphi3\BIN\DCC32.EXE" Vantrel32.DPK in C:\Program Files\Vantrel32\Version2'
check 'setup: Completion page: Delphi3Good'
check 'object repository: 18 sections, 17 of the form templates'
check 'DELPHI3.CNT: :Link vtrl32.hlp'
# Removed as the control panel does it: Wine's uninstaller starts the
# entry's UninstallString, a person clicks Start and OK; what is left is
# the uninstall program and its folders (deleted at restart), and after
# the restart only what the environments keep.
check 'clicked Start in Remove Vantrel 32'
check 'clicked OK in Uninstall'
check 'files left: 1'
check 'Add/Remove Programs no longer lists the product'
check '> restart work: \??\C:\Program Files\Vantrel32'
check 'Left behind: only the documented leftovers'
grep -q 'Left behind beyond' "$out" && { echo "the removal left more than it documents"; fail=1; }
# The wizard: shown for real, answered from the response file, pictured.
check 'setup: wizard of DialogManager1: 5 pages'
check 'setup: form SelectLanguageForm answered from C:\VantrelDemo\demo.rsp(3)'
check 'setup: form WelcomeForm answered from C:\VantrelDemo\demo.rsp(6)'
check 'setup: form MusicSelectForm answered from C:\VantrelDemo\demo.rsp(8)'
check 'setup: form FileGroupSelectForm answered from C:\VantrelDemo\demo.rsp(12)'
check 'setup: form SelectFolderForm answered from C:\VantrelDemo\demo.rsp(15)'
# The copy window, the compiling window, the completion page at the end.
check 'setup: Copy window DuringCopyForm shown'
check 'FormCompile.png'
check 'setup: wizard of DialogManager2: 1 pages'
check 'setup: form GoodInstallForm: default answer FinishBtn'
shot=$build/screenshots/en_US/02-WelcomeForm.png
size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "no PNG")' "$shot" 2>&1)
[ "$size" = 478x395 ] || { echo "welcome page screenshot: $size"; fail=1; }
[ $fail -eq 0 ] || cat "$out"

export VTRL_WINEPREFIX=$build/demo/prefix
C=$VTRL_WINEPREFIX/drive_c/VantrelDemo
target="$VTRL_WINEPREFIX/drive_c/Program Files/Vantrel32/Version2"
# bad_response NAME TEXT EXPECTED: a silent run with the response file TEXT
# ends with exit code 1 before anything is installed, its log naming the
# file and line as EXPECTED says.
bad_response() {
  local name=$1 code=0
  printf '%b' "$2" > "$C/$name.rsp"
  (cd "$C/user" && "$root/tools/wine-run" 'C:\VantrelDemo\dist\setup.exe' /SILENT "/RESPONSE=C:\\VantrelDemo\\$name.rsp" \
     "/LOG=C:\\VantrelDemo\\$name.log") || code=$?
  local log
  log=$(tr -d '\r' < "$C/$name.log" 2>/dev/null)
  [ $code -eq 1 ] || { echo "$name: exit code $code"; fail=1; }
  grep -qF -- "$3" <<<"$log" || { echo "$name: the line is not named"; fail=1; }
  [ ! -e "$target/Vantrel32.DPK" ] || { echo "$name: files were installed"; fail=1; }
  [ $fail -eq 0 ] || echo "$log"
}
# A response file that names a control the page does not have stops the
# run before anything is installed, naming the file and line; so does one
# for a page that would come only after the files are installed (the
# failed-installation page): it is checked before the work begins.
bad_response bad '[SelectLanguageForm]\r\nclick NextButton\r\n' 'C:\VantrelDemo\bad.rsp(2)'
bad_response later '[BadInstallForm]\r\nclick FinishButton\r\n' \
  'C:\VantrelDemo\later.rsp(2): the form BadInstallForm has no control FinishButton; did you mean FinishBtn?'

# A person at the screen who does not want the product: Esc on the
# language page; Enter there, then the welcome window's close box; Alt+F4
# on the welcome page. Each is the page's Cancel, confirmed (Yes to "Are
# you sure you want to abort this installation?"): the failed-installation
# page, exit code 2, nothing installed. The keys and the close command are
# posted to the real windows as Windows delivers them.
person_cancels() {
  local name=$1 code=0; shift
  rm -f "$C/$name.log"
  (cd "$C/user" && timeout -k 5 120 "$root/tools/wine-run" 'C:\VantrelDemo\dist\setup.exe' "/LOG=C:\\VantrelDemo\\$name.log") &
  local setup=$!
  "$root/tools/wine-run" "$build/e2e/clickthrough.exe" 60 "$@" '*=>Yes' 'Setup incomplete=>Finish' >/dev/null \
    || { echo "$name: $(tr -d '\r' < "$C/$name.log" 2>/dev/null | tail -3)"; fail=1; }
  wait $setup || code=$?
  [ $code -eq 2 ] || { echo "$name: exit code $code, not the user's abort"; fail=1; }
  grep -qF 'installation complete' "$C/$name.log" && { echo "$name: reported as installed"; fail=1; }
  [ ! -e "$target/Vantrel32.DPK" ] || { echo "$name: files were installed"; fail=1; }
}
person_cancels esc 'Select a language=>{ESC}'
person_cancels closebox 'Select a language=>{ENTER}' 'Welcome=>{CLOSE}'
person_cancels altf4 'Select a language=>Next >' 'Welcome=>{ALT+F4}'

# The same distribution installed from a plain directory: the loading
# program as setup.exe with "setup.1" and "files.1" beside it.
mkdir -p "$C/plain"
cp "$C/dist/files.1" "$C/dist/setup.1" "$C/plain/"
cp "$C/kit/VantrelLoadProgram.exe" "$C/plain/setup.exe"
(cd "$C/user" && "$root/tools/wine-run" 'C:\VantrelDemo\plain\setup.exe' /SILENT '/LOG=C:\VantrelDemo\plain.log')
code=$?
log=$(tr -d '\r' < "$C/plain.log" 2>/dev/null)
[ $code -eq 0 ] || { echo "plain directory install: exit code $code"; fail=1; }
grep -qF 'setup: Mode: normal' <<<"$log" || { echo "plain directory install: not the normal mode"; fail=1; }
grep -qF '[C:\VantrelDemo\plain]' <<<"$log" || { echo "plain directory install: source directory not passed"; fail=1; }
grep -qF 'form SelectFolderForm: default answer NextBtn' <<<"$log" || { echo "plain directory install: the wizard was not answered"; fail=1; }
[ "$(find "$target" -maxdepth 1 -type f | wc -l)" -eq 234 ] || { echo "plain directory install: files missing"; fail=1; }
cmp -s "$target/cmp_TInstall.pas" "$root/product/Source/cmp_TInstall.pas" || { echo "plain directory install: content differs"; fail=1; }
[ $fail -eq 0 ] || echo "$log"

# A scripted install: another folder (/DIR=, relative to where it starts)
# and a language (/LANG=) without the language page.
(cd "$C/user" && "$root/tools/wine-run" 'C:\VantrelDemo\plain\setup.exe' /SILENT '/DIR=..\Elsewhere\Demo' /LANG=German \
   '/LOG=C:\VantrelDemo\scripted.log')
code=$?
log=$(tr -d '\r' < "$C/scripted.log" 2>/dev/null)
[ $code -eq 0 ] || { echo "scripted install: exit code $code"; fail=1; }
grep -qF 'setup: Main directory from /DIR=: C:\VantrelDemo\Elsewhere\Demo' <<<"$log" || { echo "scripted install: /DIR= not taken"; fail=1; }
grep -qF 'setup: Language from /LANG=: German' <<<"$log" || { echo "scripted install: /LANG= not taken"; fail=1; }
grep -qF 'SelectLanguageForm' <<<"$log" && { echo "scripted install: the language page was shown"; fail=1; }
cmp -s "$C/Elsewhere/Demo/Vtrl32.hlp" "$root/product/Help/Vtrl32.hlp" || { echo "scripted install: not in the folder /DIR= named"; fail=1; }
(cd "$C/user" && "$root/tools/wine-run" 'C:\VantrelDemo\plain\setup.exe' /SILENT /LANG=Klingon '/LOG=C:\VantrelDemo\klingon.log')
code=$?
[ $code -eq 1 ] || { echo "unknown language: exit code $code"; fail=1; }
grep -qF 'Unknown language "Klingon"' "$C/klingon.log" || { echo "unknown language: not named"; fail=1; }
[ $fail -eq 0 ] || echo "$log"

# The floppy set, installed: the disks copied to folders, the disk-change
# page answered from a response file for each further disk.
if [ -f "$build/demo/floppy/disk1/setup.exe" ]; then
  (cd "$C/user" && "$root/tools/wine-run" 'C:\Program Files\Vantrel32\Version2\uninstall.exe' /SILENT Vantrel 32) >/dev/null 2>&1
  rm -rf "$C/floppy"; mkdir -p "$C/floppy"
  : > "$C/floppy.rsp"
  for n in 1 2 3 4; do
    [ -d "$build/demo/floppy/disk$n" ] || continue
    cp -r "$build/demo/floppy/disk$n" "$C/floppy/disk$n"
    [ "$n" = 1 ] || printf '[ChangeDiskForm]\r\nPathEdit.Text = C:\\VantrelDemo\\floppy\\disk%d\r\nclick InstallBtn\r\n' "$n" >> "$C/floppy.rsp"
  done
  disks=$(ls -d "$C/floppy"/disk* | wc -l)
  (cd "$C/user" && "$root/tools/wine-run" 'C:\VantrelDemo\floppy\disk1\setup.exe' /SILENT '/RESPONSE=C:\VantrelDemo\floppy.rsp' \
     '/LOG=C:\VantrelDemo\floppy.log')
  code=$?
  log=$(tr -d '\r' < "$C/floppy.log" 2>/dev/null)
  [ $code -eq 0 ] || { echo "floppy install: exit code $code"; fail=1; }
  asked=$(grep -c 'form ChangeDiskForm answered from' <<<"$log")
  [ "$disks" -ge 2 ] && [ "$asked" -eq $((disks - 1)) ] || { echo "floppy install: $asked disks asked for of $disks"; fail=1; }
  [ "$(find "$target" -maxdepth 1 -type f | wc -l)" -eq 234 ] || { echo "floppy install: files missing"; fail=1; }
  cmp -s "$target/Vtrl32.hlp" "$root/product/Help/Vtrl32.hlp" || { echo "floppy install: the last disk's file differs"; fail=1; }
  [ $fail -eq 0 ] || echo "$log"
else
  echo "NOTE: the demonstration wrote no floppy set here; its install is not tested"
fi

# A file whose folder is gone on the build machine stops the build naming
# it; no distribution is left half written.
rm -rf "$C/broken"; mkdir -p "$C/broken/builder"
cp -r "$C/builder/product" "$C/builder/bin" "$C/builder/setup.exe" "$C/broken/builder/"
rm -rf "$C/broken/builder/product/Lib"
printf 'C:\\VantrelDemo\\broken\\dist\r\n' > "$C/broken/builder/BUILD.INF"
"$root/tools/wine-run" reg add 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory /d 'C:\VantrelDemo\kit' /f >/dev/null 2>&1
(cd "$C/broken/builder" && "$root/tools/wine-run" setup.exe /SILENT '/LOG=C:\VantrelDemo\broken.log' '*BUILD')
code=$?
log=$(tr -d '\r' < "$C/broken.log" 2>/dev/null)
[ $code -ne 0 ] || { echo "build without product\\Lib: exit code 0"; fail=1; }
grep -qE 'Files\.vdf\([0-9]+:1\): File403: the source file product\\Lib\\vtrlz_adler\.obj does not exist' <<<"$log" ||
  { echo "build without product\\Lib: the file is not named at its place in Files.vdf"; fail=1; }
[ -z "$(ls -A "$C/broken/dist" 2>/dev/null)" ] || { echo "build without product\\Lib: a partial distribution: $(ls "$C/broken/dist")"; fail=1; }
[ $fail -eq 0 ] || echo "$log"
exit $fail
