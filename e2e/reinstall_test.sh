#!/bin/bash
# Installing a product that is installed already, end to end under Wine:
# the sample product "Gizmo" (e2e/testdata/gizmo.vdf) is built into a real
# distribution and installed silently through the loading program, every
# run appending to one log.
#
#   1  installed twice in its own folder: the uninstall record lists each
#      file once, and "EstimatedSize" is what those files take on disk, the
#      same after the second install as after the first; the uninstall
#      program then removes the product (its own file at the restart)
#   2  installed with /DIR= elsewhere, then again without /DIR=: the second
#      run installs into the folder the product is in, and the log says
#      which version goes over which
#   3  a record whose InstallLocation is no full path: ignored (logged),
#      the definition's folder is used
#   4  the log: each run of the loading program, the setup program and the
#      uninstall program begins with its mark, before its own lines
#
# Everything runs in a Wine prefix of its own under WORK_DIR (drive letters
# are prefix-wide), recreated on every run; the log stays there.
# Usage: reinstall_test.sh SETUP_GIZMO LOADER UNINSTALL WINE_RUN WORK_DIR
set -u
# One display for every Wine program of the run (wine-run would start an
# Xvfb per program otherwise).
if [ -z "${DISPLAY:-}" ]; then
  exec "$(cd "$(dirname "$0")/.." && pwd)/tools/with-display" bash "$0" "$@"
fi
[ $# -eq 5 ] || { echo "usage: $0 SETUP_GIZMO LOADER UNINSTALL WINE_RUN WORK_DIR"; exit 2; }
setup_gizmo=$(realpath "$1") loader=$(realpath "$2") uninstall_exe=$(realpath "$3")
wine_run=$(realpath "$4") work=$(realpath -m "$5")
TIMEOUT=${REINSTALL_TIMEOUT:-120}

export VTRL_WINEPREFIX=$work/prefix WINEPREFIX=$work/prefix WINEDEBUG=-all
C=$WINEPREFIX/drive_c/gizmo            # C:\gizmo: builder, kit, distribution, log
XDIR=$work/xdrive                      # drive X:
DEST=$XDIR/Gizmo                       # X:\Gizmo, the definition's folder
RECORD='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gizmo'
SESSION='HKLM\System\CurrentControlSet\Control\Session Manager'
LOG='C:\gizmo\logs\runs.log'
LOGFILE=$C/logs/runs.log

source "$(dirname "$0")/prefix_session.sh"

# ------------------------------------------------------------- the product

# The product's files behind P: and the uninstall program behind U:; the
# distribution built by "setup.exe *BUILD" into C:\gizmo\dist. Ends the
# script when the build fails: nothing else can run.
build_distribution() {
  end_prefix
  rm -rf "$work"; mkdir -p "$work/src/Data" "$work/u" "$XDIR"
  printf 'Gizmo 2.0\r\nThe read-me.\r\n' > "$work/src/readme.txt"
  printf '[Gizmo]\r\nColor=Blue\r\n' > "$work/src/gizmo.ini"
  local f
  for f in alpha bravo delta echo; do head -c 70000 /dev/urandom > "$work/src/Data/$f.dat"; done
  seq 1 3000 | sed 's/^/Gizmo measurement line /' > "$work/src/Data/charlie.txt"
  cp "$uninstall_exe" "$work/u/uninstall.exe"
  quiet wineboot -i
  mkdir -p "$C/builder" "$C/kit" "$C/user" "$C/logs"
  drive p "$work/src"; drive u "$work/u"; drive x "$XDIR"
  cp "$setup_gizmo" "$C/builder/setup.exe"
  cp "$loader" "$C/kit/VantrelLoadProgram.exe"
  printf 'C:\\gizmo\\dist\r\n' > "$C/builder/BUILD.INF"
  # One Wine session from the registry value to the build (a fresh prefix
  # once lost a value written in a session of its own).
  /usr/lib/wine/wineserver -p
  quiet reg add 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory /d 'C:\gizmo\kit' /f
  (cd "$C/builder" && timeout -k 10 300 "$wine_run" setup.exe /SILENT '/LOG=C:\gizmo\logs\build.log' '*BUILD' \
     </dev/null >/dev/null 2>&1)
  local code=$?
  if [ $code -ne 0 ] || [ ! -f "$C/dist/setup.exe" ]; then
    echo "The distribution could not be built (exit code $code):"; cat "$C/logs/build.log" 2>/dev/null
    exit 1
  fi
}

# run PROGRAM ARGS...: a silent run from C:\gizmo\user, logged to LOG;
# sets code.
run() {
  local program=$1; shift
  (cd "$C/user" && timeout -k 10 "$TIMEOUT" "$wine_run" "$program" /SILENT "/LOG=$LOG" "$@" </dev/null >/dev/null 2>&1)
  code=$?
}
install() { run 'C:\gizmo\dist\setup.exe' "$@"; }

# The record's values: value NAME; the paths its Files key lists.
value() { wr reg query "$RECORD" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
listed() { wr reg query "$RECORD\\Files" 2>/dev/null | tr -d '\r' | sed -n 's/^ *File[0-9]* *REG_SZ *//p'; }
unix_of() { local p=${1//\\//}; echo "$XDIR/${p#X:/}"; }  # X:\... only
# The size the list of installed programs should show: the listed files
# and the uninstall program, in KB rounded up.
expected_kb() {
  local bytes=0 p
  while IFS= read -r p; do
    [ -f "$(unix_of "$p")" ] && bytes=$(( bytes + $(stat -c %s "$(unix_of "$p")") ))
  done < <(listed)
  bytes=$(( bytes + $(stat -c %s "$(unix_of "$(value InstallLocation)")/uninstall.exe" 2>/dev/null || echo 0) ))
  echo $(( (bytes + 1023) / 1024 ))
}
# check_record STEP: every file once, "Entries" their number, the size
# measured from them.
check_record() {
  local kb dups entries count
  dups=$(listed | sort -f | uniq -di)
  [ -z "$dups" ] || problem "$1: the record lists again: $(tr '\n' ' ' <<<"$dups")"
  entries=$(wr reg query "$RECORD\\Files" /v Entries 2>/dev/null | tr -d '\r' | sed -n 's/^ *Entries *REG_SZ *//p')
  count=$(listed | wc -l)
  [ "$entries" = "$count" ] || problem "$1: Files has $count entries, its count says ${entries:-none}"
  kb=$(value EstimatedSize); kb=$(( ${kb:-0} ))
  [ "$kb" -eq "$(expected_kb)" ] || problem "$1: EstimatedSize $kb KB, the listed files take $(expected_kb) KB"
  SIZE=$kb
}

# ---------------------------------------------------------------- steps

build_distribution
rm -f "$LOGFILE"

# 1: the same product twice in the same folder.
install
[ "$code" -eq 0 ] || problem "first install: exit code $code"
check_record "first install"
first_size=$SIZE first_list=$(listed | sort)
echo "first install: EstimatedSize $first_size KB, $(wc -l <<<"$first_list") files listed"
grep -qF 'over the installed' "$LOGFILE" && problem "first install: logged as installing over an installed copy"
install
[ "$code" -eq 0 ] || problem "second install: exit code $code"
check_record "second install"
echo "second install: EstimatedSize $SIZE KB, $(listed | wc -l) files listed"
[ "$SIZE" -eq "$first_size" ] || problem "second install: EstimatedSize $SIZE KB, after the first $first_size KB"
[ "$(listed | sort)" = "$first_list" ] || problem "second install: the record lists other files"
grep -qF 'setup: Installing 2.0 over the installed 2.0 in X:\Gizmo' "$LOGFILE" ||
  problem "second install: the log does not say it installs over the installed copy"
run 'X:\Gizmo\uninstall.exe' Gizmo
[ "$code" -eq 0 ] || problem "removal after two installs: exit code $code"
quiet reg query "$RECORD" && problem "removal after two installs: the record is still there"
left=$(cd "$DEST" 2>/dev/null && find . -type f ! -name uninstall.exe)
[ -z "$left" ] || problem "removal after two installs left: $(tr '\n' ' ' <<<"$left")"
wr reg query "$SESSION" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' | grep -qiF 'Gizmo\uninstall.exe' ||
  problem "removal after two installs: uninstall.exe is not deleted at the restart"
quiet reg delete "$SESSION" /v PendingFileRenameOperations /f
rm -rf "$DEST"

# 2: installed elsewhere with /DIR=, then again without it.
install '/DIR=X:\Elsewhere\Gizmo'
[ "$code" -eq 0 ] || problem "install with /DIR=: exit code $code"
[ -f "$XDIR/Elsewhere/Gizmo/readme.txt" ] || problem "install with /DIR=: not in X:\\Elsewhere\\Gizmo"
[ "$(value InstallLocation)" = 'X:\Elsewhere\Gizmo' ] || problem "install with /DIR=: InstallLocation $(value InstallLocation)"
quiet reg add "$RECORD" /v DisplayVersion /d 1.0 /f
rm -f "$XDIR/Elsewhere/Gizmo/readme.txt"
install
[ "$code" -eq 0 ] || problem "install over it: exit code $code"
[ -f "$XDIR/Elsewhere/Gizmo/readme.txt" ] || problem "install over it: not in the installed folder X:\\Elsewhere\\Gizmo"
[ -e "$DEST" ] && problem "install over it: installed into the definition's X:\\Gizmo"
grep -qF 'setup: Installing 2.0 over the installed 1.0 in X:\Elsewhere\Gizmo' "$LOGFILE" ||
  problem "install over it: the log does not name the versions and the folder"
[ "$(value DisplayVersion)" = 2.0 ] || problem "install over it: DisplayVersion $(value DisplayVersion)"
check_record "install over it"

# 3: an InstallLocation that is no full path is not followed.
quiet reg add "$RECORD" /v InstallLocation /d Gizmo /f
install
[ "$code" -eq 0 ] || problem "relative InstallLocation: exit code $code"
[ -f "$DEST/readme.txt" ] || problem "relative InstallLocation: not in the definition's X:\\Gizmo"
grep -qF 'names the install location "Gizmo", which is not a full path: it is ignored' "$LOGFILE" ||
  problem "relative InstallLocation: the log does not say it is ignored"
check_record "relative InstallLocation"

# 4: the marks. The runs end with the loading program's or the uninstall
# program's exit code; each begins with a mark, and the setup program's
# own mark comes before its first line.
marks=$(tr -d '\r' < "$LOGFILE" | awk '
  function stamp_ok(line) {
    return line ~ /^----- [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9] [^ ]+\.exe \(.*\) started: .*\/LOG=/
  }
  BEGIN { runs = 0; fresh = 1 }
  fresh {
    runs++; fresh = 0; marks = 0; setup = 0
    if (!stamp_ok($0)) print "run " runs " begins without its mark: " $0
  }
  /^----- / {
    marks++
    if (!stamp_ok($0)) print "run " runs ": malformed mark: " $0
    next
  }
  /^setup: / && !setup { setup = 1; if (marks != 2) print "run " runs ": the setup program has no mark of its own before its lines" }
  /^(loader|uninstall): Exit code / {
    if (marks != (setup ? 2 : 1)) print "run " runs ": " marks " marks"
    fresh = 1
  }
  END { print "runs " runs }')
grep -v '^runs ' <<<"$marks" | while IFS= read -r m; do [ -n "$m" ] && echo "FAIL: log: $m"; done
grep -q '^run ' <<<"$marks" && fail=1
[ "$(grep '^runs ' <<<"$marks")" = "runs 6" ] || problem "log: $(grep '^runs ' <<<"$marks"), expected 6 (five installs, one removal)"
grep -qF ' uninstall.exe (X:\Gizmo\uninstall.exe) started: ' "$LOGFILE" || problem "log: the removal's mark does not name its program"

[ $fail -eq 0 ] && echo "installing again: all checks passed" || { echo "log: $LOGFILE"; }
exit $fail
