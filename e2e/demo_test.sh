#!/bin/bash
# The whole path, as the demonstration runs it: build the sample product's
# distribution, install it from the self-extracting setup.exe, check the
# files, the uninstall record and the Add/Remove Programs entry, remove it.
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
check 'P:\Source\VtrlLabel.pas'
check 'setup: Mode: self-extract'
check 'setup: Installed C:\Program Files\Vantrel Components\Source\VtrlLabel.pas'
check 'setup: Exit code 0'
check 'loader: Exit code 0'
check './Help/vtriGerman.txt                         108 bytes'
check '"UninstallString"="\"C:\\Program Files\\Vantrel Components\\uninstall.exe\" Vantrel Components"'
check '"Entries"="12"'
check '"File7"="C:\\Program Files\\Vantrel Components\\Help\\vtriGerman.txt"'
check 'Vantrel Components|||Vantrel Components'
# Removed as the control panel does it: Wine's uninstaller starts the
# entry's UninstallString, a person clicks Start and OK; what is left is
# the uninstall program (deleted at restart), and after the restart nothing.
check 'clicked Start in Remove Vantrel Components'
check 'clicked OK in Uninstall'
check 'files left: 1'
check 'Add/Remove Programs no longer lists the product'
check '"QuietUninstallString"="\"C:\\Program Files\\Vantrel Components\\uninstall.exe\" /SILENT Vantrel Components"'
check '"Publisher"="Vantrel Software"'
check '"NoModify"=dword:00000001'
check '> restart work: \??\C:\Program Files\Vantrel Components\uninstall.exe'
check 'Left behind: only the documented leftovers'
check 'Left behind: nothing'
grep -q 'Left behind beyond' "$out" && { echo "the removal left more than it documents"; fail=1; }
# The wizard: shown for real, answered from the response file, pictured.
check 'setup: wizard of BeforeInstallManager: 5 pages'
check 'setup: form SelectLanguageForm answered from C:\VantrelDemo\demo.rsp(3)'
check 'setup: form WelcomeForm answered from C:\VantrelDemo\demo.rsp(6)'
check 'setup: form MusicSelectForm answered from C:\VantrelDemo\demo.rsp(8)'
check 'setup: form SelectFolderForm answered from C:\VantrelDemo\demo.rsp(16)'
# The copy window while the files are copied, the completion page at the end.
check 'setup: Copy window DuringCopyForm shown'
check 'setup: wizard of GoodInstallManager: 1 pages'
check 'setup: form GoodInstallForm: default answer FinishBtn'
# The Start menu: the main folder's links, and the link to the sub folder.
check 'Start Menu\\Programs\\Vantrel Components\\Vantrel Components Uninstall.LNK"'
check 'Start Menu\\Programs\\Vantrel Components\\Other Links.LNK"'
check 'Vantrel Components\\Other Links\\Label source.LNK"'
shot=$build/screenshots/en_US/02-WelcomeForm.png
size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "no PNG")' "$shot" 2>&1)
[ "$size" = 478x395 ] || { echo "welcome page screenshot: $size"; fail=1; }
[ $fail -eq 0 ] || cat "$out"

export VTRL_WINEPREFIX=$build/demo/prefix
C=$VTRL_WINEPREFIX/drive_c/VantrelDemo
target="$VTRL_WINEPREFIX/drive_c/Program Files/Vantrel Components"
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
  [ ! -e "$target/README.TXT" ] || { echo "$name: files were installed"; fail=1; }
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
# on the welcome page. Each is the page's Cancel: the failed-installation
# page, exit code 2, nothing installed. The keys and the close command are
# posted to the real windows as Windows delivers them.
person_cancels() {
  local name=$1 code=0; shift
  rm -f "$C/$name.log"
  (cd "$C/user" && "$root/tools/wine-run" 'C:\VantrelDemo\dist\setup.exe' "/LOG=C:\\VantrelDemo\\$name.log") &
  local setup=$!
  "$root/tools/wine-run" "$build/e2e/clickthrough.exe" 60 "$@" 'Setup incomplete=>Finish' >/dev/null \
    || { echo "$name: $(tr -d '\r' < "$C/$name.log" 2>/dev/null | tail -3)"; fail=1; }
  wait $setup || code=$?
  [ $code -eq 2 ] || { echo "$name: exit code $code, not the user's abort"; fail=1; }
  grep -qF 'installation complete' "$C/$name.log" && { echo "$name: reported as installed"; fail=1; }
  [ ! -e "$target/README.TXT" ] || { echo "$name: files were installed"; fail=1; }
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
[ "$(find "$target" -type f | wc -l)" -eq 10 ] || { echo "plain directory install: files missing"; fail=1; }
cmp -s "$target/Source/VtrlLabel.pas" "$root/product/Source/VtrlLabel.pas" || { echo "plain directory install: content differs"; fail=1; }
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
cmp -s "$C/Elsewhere/Demo/Source/VtrlLabel.pas" "$root/product/Source/VtrlLabel.pas" || { echo "scripted install: not in the folder /DIR= named"; fail=1; }
(cd "$C/user" && "$root/tools/wine-run" 'C:\VantrelDemo\plain\setup.exe' /SILENT /LANG=Klingon '/LOG=C:\VantrelDemo\klingon.log')
code=$?
[ $code -eq 1 ] || { echo "unknown language: exit code $code"; fail=1; }
grep -qF 'Unknown language "Klingon"' "$C/klingon.log" || { echo "unknown language: not named"; fail=1; }
[ $fail -eq 0 ] || echo "$log"
exit $fail
