#!/bin/bash
# The component kit made known to the development environments, end to
# end under Wine, against stand-ins of our own: the registry keys and
# folders of Delphi 3.0, Delphi 2.0 and C++Builder 1.0, their repository
# files and help contents, a stand-in "DCC32.EXE" and "DELPHI32.EXE" that
# record how they were started. The product (e2e/testdata/devenv.vdf) is
# built into a real distribution.
#
#   1  installed through the wizard (answered from a response file, on the
#      display): the repository entries written (the earlier installation's
#      section replaced, a file with a single section kept), the help links,
#      the compiler started hidden on the package in the install folder, the
#      package listed, enabled and on the library path, the completion page
#      saying so, and its Finish starting Delphi
#   2  installed again, silently: every change once; a silent run does not
#      start Delphi
#   3  removed: the environments' changes stay (they are not in the record)
#   4  Delphi 3.0 without its compiler: the completion page says the package
#      is not installed
#   5  no Delphi 3.0: no compiling window, the Delphi 2.0 page
#
# Usage: devenv_test.sh SETUP LOADER UNINSTALL STANDIN_DEVTOOL WINE_RUN WORK_DIR
#   DEVENV_SHOTS=DIR keeps the wizard's screenshots of step 1 there.
set -u
if [ -z "${DISPLAY:-}" ]; then
  exec "$(cd "$(dirname "$0")/.." && pwd)/tools/with-display" bash "$0" "$@"
fi
[ $# -eq 6 ] || { echo "usage: $0 SETUP LOADER UNINSTALL STANDIN_DEVTOOL WINE_RUN WORK_DIR"; exit 2; }
setup=$(realpath "$1") loader=$(realpath "$2") uninstall_exe=$(realpath "$3") devtool=$(realpath "$4")
wine_run=$(realpath "$5") work=$(realpath -m "$6")
TIMEOUT=${DEVENV_TIMEOUT:-180}

export VTRL_WINEPREFIX=$work/prefix WINEPREFIX=$work/prefix WINEDEBUG=-all
C=$WINEPREFIX/drive_c/devenv           # C:\devenv: builder, kit, distribution, logs
D3=$WINEPREFIX/drive_c/Delphi3         # C:\Delphi3
D2=$WINEPREFIX/drive_c/Delphi2
CB=$WINEPREFIX/drive_c/CBuilder
DEST=$WINEPREFIX/drive_c/Program\ Files/Vantrel32/Version2
W='C:\Program Files\Vantrel32\Version2'
RECORD='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel 32 Test'
D3KEY='HKCU\Software\Borland\Delphi\3.0'
LOG='C:\devenv\logs\runs.log'
LOGFILE=$C/logs/runs.log

source "$(dirname "$0")/prefix_session.sh"
names() { wr reg query "$1" 2>/dev/null | tr -d '\r' | sed -n 's/^    \(.*\) *REG_SZ .*/\1/p' | sed 's/ *$//' | sort; }
lf() { tr -d '\r' < "$1"; }
# The log of this run alone: from its last start mark on.
last_run() { lf "$LOGFILE" | awk '/^----- .* started: / { buf = "" } { buf = buf $0 "\n" } END { printf "%s", buf }'; }
run() {
  (cd "$C/user" && timeout -k 10 "$TIMEOUT" "$wine_run" 'C:\devenv\dist\setup.exe' "$@" "/LOG=$LOG" \
     </dev/null >/dev/null 2>&1)
  code=$?
}
# wait_for FILE: the stand-ins run on their own; their record comes when they have run.
wait_for() { local i; for i in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done; return 1; }

# ------------------------------------------------------------- the product
end_prefix
rm -rf "$work"; mkdir -p "$work/src" "$work/u"
printf 'package Vantrel32;\r\nend.\r\n' > "$work/src/Vantrel32.DPK"
printf 'unit ordlg_Welcome;\r\nend.\r\n' > "$work/src/ordlg_Welcome.pas"
head -c 766 /dev/zero > "$work/src/Welcome.ico"
printf '?_\x03\x00help' > "$work/src/Vtrl32.hlp"
cp "$uninstall_exe" "$work/u/uninstall.exe"
quiet wineboot -i
mkdir -p "$C/builder" "$C/kit" "$C/user" "$C/logs"
drive p "$work/src"; drive u "$work/u"
build_distribution devenv "$setup" "$loader"

# -------------------------------------------------- the stand-in environments
mkdir -p "$D3/BIN" "$D3/HELP" "$D3/Repository" "$D2/Bin" "$CB/Bin" "$CB/HELP" "$WINEPREFIX/drive_c/OldKit"
cp "$devtool" "$D3/BIN/DCC32.EXE"; cp "$devtool" "$D3/BIN/DELPHI32.EXE"
printf ':Base delphi3.hlp\r\n1 Delphi\r\n' > "$D3/HELP/DELPHI3.CNT"
printf ':Base bcb.hlp\r\n1 C++Builder\r\n' > "$CB/HELP/BCB.CNT"
# Delphi 3.0's repository is the user's own; it holds an earlier
# installation's entry. Delphi 2.0's has one section only; C++Builder's
# holds the same earlier entry as its only section.
printf '[Repository Pages]\r\nForms=\r\n[C:\\OldKit\\ordlg_Welcome]\r\nName=Old welcome\r\n' > "$D3/Repository/DELPHI32.DRO"
printf '[Repository Pages]\r\nForms=\r\n' > "$D2/Bin/DELPHI32.DRO"
printf '[C:\\OldKit\\ordlg_Welcome]\r\nName=Old welcome\r\n' > "$CB/Bin/BCB.DRO"
printf 'package' > "$WINEPREFIX/drive_c/OldKit/Vantrel32.DPK"
quiet reg add 'HKLM\Software\Borland\Delphi\3.0' /v RootDir /d 'C:\Delphi3' /f
quiet reg add 'HKLM\Software\Borland\Delphi\2.0' /v RootDir /d 'C:\Delphi2' /f
quiet reg add 'HKLM\Software\Borland\C++Builder\1.0' /v RootDir /d 'C:\CBuilder' /f
quiet reg add "$D3KEY\\repository" /v BaseDir /d 'C:\Delphi3\Repository' /f
quiet reg add "$D3KEY\\Known Packages" /v 'C:\OldKit\Vantrel32.dpl' /d Vantrel32 /f
quiet reg add "$D3KEY\\Known Packages" /v 'C:\Delphi3\BIN\dclstd30.dpl' /d 'Standard components' /f
quiet reg add "$D3KEY\\Disabled Packages" /v 'C:\OldKit\VANTREL32.DPL' /d Vantrel32 /f
quiet reg add "$D3KEY\\Library" /v SearchPath /d '$(DELPHI)\Lib;C:\OldKit;C:\Nowhere' /f
echo "--- before: $D3KEY"; wr reg query "$D3KEY" /s 2>/dev/null | tr -d '\r' | grep -v '^$'

section_of() { grep -c "^\[$2\]" <(lf "$1"); }
check_registered() {  # STEP: what the install leaves in the environments
  local step=$1
  [ "$(section_of "$D3/Repository/DELPHI32.DRO" "C:\\\\OldKit\\\\ordlg_Welcome")" = 0 ] ||
    problem "$step: Delphi 3.0's repository keeps the earlier installation's section"
  [ "$(section_of "$D3/Repository/DELPHI32.DRO" "C:\\\\Program Files\\\\Vantrel32\\\\Version2\\\\ordlg_Welcome")" = 1 ] ||
    problem "$step: Delphi 3.0's repository has not one section of the unit: $(lf "$D3/Repository/DELPHI32.DRO")"
  grep -qxF "Icon=$W\\Welcome.ico" <(lf "$D3/Repository/DELPHI32.DRO") ||
    problem "$step: Delphi 3.0's entry has no icon"
  grep -qxF "Vantrel=" <(lf "$D3/Repository/DELPHI32.DRO") || problem "$step: the page Vantrel is not listed"
  [ "$(section_of "$D2/Bin/DELPHI32.DRO" "C:\\\\Program Files\\\\Vantrel32\\\\Version2\\\\ordlg_Welcome")" = 1 ] ||
    problem "$step: Delphi 2.0's repository lacks the entry"
  [ "$(grep -ic '^:Link vtrl32.hlp$' <(lf "$D3/HELP/DELPHI3.CNT"))" = 1 ] ||
    problem "$step: DELPHI3.CNT has not one help link: $(lf "$D3/HELP/DELPHI3.CNT")"
  [ "$(grep -ic '^:Link vtrl32.hlp$' <(lf "$CB/HELP/BCB.CNT"))" = 1 ] ||
    problem "$step: BCB.CNT has not one help link: $(lf "$CB/HELP/BCB.CNT")"
  local known; known=$(names "$D3KEY\\Known Packages" | tr '\n' '|')
  [ "$known" = "C:\\Delphi3\\BIN\\dclstd30.dpl|$W\\Vantrel32.DPL|" ] || problem "$step: Known Packages: $known"
  [ -z "$(names "$D3KEY\\Disabled Packages")" ] || problem "$step: the package is still disabled"
  [ "$(value "$D3KEY\\Library" SearchPath)" = "\$(DELPHI)\\Lib;C:\\Nowhere;$W" ] ||
    problem "$step: SearchPath is $(value "$D3KEY\\Library" SearchPath)"
}

# 1: through the wizard, as a person sees it.
shots=${DEVENV_SHOTS:-$work/shots}; mkdir -p "$shots"
cat > "$C/user/wizard.rsp" <<'RSP'
[WelcomeForm]
click NextBtn
[MusicSelectForm]
click ProceedBTN
RSP
run "/RESPONSE=C:\\devenv\\user\\wizard.rsp" "/SCREENSHOTS=Z:${shots//\//\\}"
[ "$code" -eq 0 ] || problem "install: exit code $code"
this=$(last_run)
grep -q "Development environments: Delphi 3.0 in C:\\\\Delphi3\\\\BIN; C++Builder 1.0 in C:\\\\CBuilder" <<<"$this" ||
  problem "install: the environments were not found"
grep -q 'Completion page: Delphi3Good' <<<"$this" || problem "install: the completion page is not Delphi3Good"
wait_for "$D3/BIN/DCC32.LOG" || problem "install: the compiler was not started"
[ "$(lf "$D3/BIN/DCC32.LOG")" = "$(printf 'command line: "C:\\Delphi3\\BIN\\DCC32.EXE" Vantrel32.DPK\ncurrent folder: %s' "$W")" ] ||
  problem "install: the compiler's record: $(lf "$D3/BIN/DCC32.LOG")"
wait_for "$D3/BIN/DELPHI32.LOG" || problem "install: Finish did not start Delphi"
check_registered install
# C++Builder's file had one section: the earlier entry stays beside the new one.
[ "$(section_of "$CB/Bin/BCB.DRO" "C:\\\\OldKit\\\\ordlg_Welcome")" = 1 ] ||
  problem "install: the single section of C++Builder's repository was erased"
[ "$(section_of "$CB/Bin/BCB.DRO" "C:\\\\Program Files\\\\Vantrel32\\\\Version2\\\\ordlg_Welcome")" = 1 ] ||
  problem "install: C++Builder's repository lacks the entry"
ls "$shots"/*FormCompile.png >/dev/null 2>&1 || problem "install: no screenshot of the compiling window"
ls "$shots"/*GoodInstallForm.png >/dev/null 2>&1 || problem "install: no screenshot of the completion page"
echo "--- after: $D3KEY"; wr reg query "$D3KEY" /s 2>/dev/null | tr -d '\r' | grep -v '^$'
echo "--- compiler: $(lf "$D3/BIN/DCC32.LOG" | tr '\n' ' ')"

# 2: again, silently.
rm -f "$D3/BIN/DCC32.LOG" "$D3/BIN/DELPHI32.LOG"
run /SILENT
[ "$code" -eq 0 ] || problem "second install: exit code $code"
wait_for "$D3/BIN/DCC32.LOG" || problem "second install: the compiler was not started"
check_registered "second install"
sleep 1
[ ! -e "$D3/BIN/DELPHI32.LOG" ] || problem "second install: a silent run started Delphi"

# 3: removed; what the environments were given stays.
(cd "$C/user" && timeout -k 10 "$TIMEOUT" "$wine_run" "$W\\uninstall.exe" /SILENT "/LOG=$LOG" Vantrel 32 Test \
   </dev/null >/dev/null 2>&1)
[ $? -eq 0 ] || problem "removal: exit code $?"
[ ! -e "$DEST/Vantrel32.DPK" ] || problem "removal: the package source is still there"
quiet reg query "$RECORD" && problem "removal: the record is still there"
check_registered removal

# 4: Delphi 3.0 without its compiler.
rm -f "$D3/BIN/DCC32.EXE"
run /SILENT
[ "$code" -eq 0 ] || problem "without the compiler: exit code $code"
grep -q 'Completion page: Delphi3Bad' <<<"$(last_run)" || problem "without the compiler: not the Delphi3Bad page"

# 5: no Delphi 3.0 at all.
quiet reg delete 'HKLM\Software\Borland\Delphi\3.0' /f
run /SILENT
[ "$code" -eq 0 ] || problem "without Delphi 3.0: exit code $code"
this=$(last_run)
grep -q 'Completion page: Delphi2Good' <<<"$this" || problem "without Delphi 3.0: not the Delphi2Good page"
grep -q 'FormCompile' <<<"$this" && problem "without Delphi 3.0: the compiling window was shown"

[ $fail -eq 0 ] && echo "development environments: all checks passed" || { echo "--- $LOGFILE"; lf "$LOGFILE"; }
exit $fail
