#!/bin/bash
# A file in use, replaced at the next restart, for real under Wine: a
# product whose two DLLs another program keeps loaded is installed from its
# distribution over them; the new DLLs go beside the old ones, the run asks
# for the restart and leaves a start-up link; `wineboot -r` stands for the
# restart (the system puts the new DLLs in place); the link then starts the
# continuation run the way the start-up group would, which finishes the
# installation (it registers lockme2.dll, a server, now that the new file
# is in place) and removes its own link and list.
#
# One Windows version per run, in a Wine prefix of its own (the version,
# the restart and the start-up group are prefix-wide):
#   win95  WININIT.INI [Rename] lines; run with /NORESTART, exit code 3010
#   nt40   delayed moves; Windows is asked to restart (shutdown privilege)
#   nt351  delayed moves; the run cannot restart this Windows and says so;
#          the link is meant to be a Program Manager item of "Startup", but
#          Wine's Program Manager takes no arguments in an item's command
#          line, so a shell link in the Startup folder takes its place
#
# Under Wine, ExitWindowsEx starts "wineboot --end-session", which at once
# carries out the delayed moves and WININIT.INI and starts the start-up
# items, without ending programs that have no window. The program holding
# the DLLs therefore refuses the end of the session (as a program with
# unsaved work would), and the script restarts the prefix itself: it ends
# every process, then runs `wineboot -r`.
#
# On NT 4 the product is then removed while a program holds its DLL again:
# the uninstall program deletes the rest, leaves the DLL (and the folders
# that hold it) for deletion at the next restart and ends with exit code
# 3010; after the restart nothing of the product remains but the server
# lockme2.dll, which another product is made to share: its count goes
# down by one and it stays registered.
# Usage: restart_test.sh SETUP LOADER OLD_DLL NEW_DLL HOLDDLL RUNLINK UNINSTALL VERSION WORK_DIR
set -u
[ $# -eq 9 ] || { echo "usage: $0 SETUP LOADER OLD_DLL NEW_DLL HOLDDLL RUNLINK UNINSTALL VERSION WORK_DIR"; exit 2; }
setup=$(realpath "$1") loader=$(realpath "$2") old=$(realpath "$3") new=$(realpath "$4")
holddll=$(realpath "$5") runlink=$(realpath "$6") uninstall=$(realpath "$7") version=$8 work=$(realpath -m "$9")
root=$(cd "$(dirname "$0")/../.." && pwd)
# One display for every Wine program of the run.
if [ -z "${DISPLAY:-}" ]; then exec "$root/tools/with-display" bash "$0" "$@"; fi
WINE=$root/tools/wine-run
WINESERVER=/usr/lib/wine/wineserver
export VTRL_WINEPREFIX=$work/prefix VTRL_WINEVERSION=$version WINEPREFIX=$work/prefix
wr() { "$WINE" "$@"; }
quiet() { wr "$@" >/dev/null 2>&1; }
fail=0
check() { if ! eval "$1"; then echo "FAILED ($version): $2"; fail=1; fi; }

C=$WINEPREFIX/drive_c/vtrlrestart
DEST="$WINEPREFIX/drive_c/Program Files/Vantrel Restart Test"
WDEST='C:\Program Files\Vantrel Restart Test'
LIST='HKLM\SOFTWARE\VANTRELINSTALLING'
SESSION='HKLM\System\CurrentControlSet\Control\Session Manager'
SHARED='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
SERVER='HKCU\Software\Vantrel Tests\lockme'
# registered: the version of lockme.dll that registered itself, or none.
registered() { local v; v=$(wr reg query "$SERVER" /v Registered 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_DWORD *//p'); [ -n "$v" ] && echo $((v)) || echo none; }
shared_count() { local v; v=$(wr reg query "$SHARED" /v "$1" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_DWORD *//p'); echo $((${v:-0})); }

# Ends every process of the prefix, as a restart does (and so that no
# process of the test outlives it).
end_prefix() { "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null; }
trap end_prefix EXIT

quiet reg query 'HKCU\Software\Wine'  # makes the prefix of that version
end_prefix
# What an earlier run may have left.
rm -rf "$C" "$DEST"
find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname 'wininit.*' -delete
find "$WINEPREFIX/drive_c/users" -ipath '*startup*' -iname '*.lnk' -delete 2>/dev/null
quiet reg delete "$LIST" /f
quiet reg delete "$SESSION" /v PendingFileRenameOperations /f
quiet reg delete "$SHARED" /f
quiet reg delete "$SERVER" /f

# ------------------------------------------------- the distribution
mkdir -p "$C/prog" "$C/src" "$C/kit" "$C/logs"
cp "$setup" "$C/prog/setup.exe"
cp "$loader" "$C/kit/VantrelLoadProgram.exe"
cp "$new" "$C/src/lockme.dll"
cp "$new" "$C/src/lockme2.dll"
cp "$uninstall" "$C/src/uninstall.exe"
printf 'Vantrel Restart Test\r\n' > "$C/src/readme.txt"
printf 'C:\\vtrlrestart\\dist\r\n' > "$C/prog/BUILD.INF"
quiet reg add 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory /d 'C:\vtrlrestart\kit' /f
build() { (cd "$C/prog" && wr setup.exe /SILENT '/LOG=C:\vtrlrestart\logs\build.log' '*BUILD' >/dev/null 2>&1); }
build
# A program that never started wrote no log: under load the first start in
# a new Wine session can fail before the program runs. Once more, then.
if [ ! -f "$C/dist/setup.exe" ] && [ ! -f "$C/logs/build.log" ]; then
  echo "NOTE ($version): the build program did not start; starting it again"
  build
fi
if [ ! -f "$C/dist/setup.exe" ]; then
  echo "FAILED ($version): the distribution was not built"; cat "$C/logs/build.log"; exit 1
fi

# ------------------------------ the old DLLs, kept loaded by a program
mkdir -p "$DEST"
cp "$old" "$DEST/lockme.dll"
cp "$old" "$DEST/lockme2.dll"
(cd "$C" && exec "$WINE" "$holddll" --veto-restart 'C:\vtrlrestart\ready' "$WDEST\\lockme.dll" "$WDEST\\lockme2.dll" \
   </dev/null >/dev/null 2>"$C/logs/holddll.txt") &
for i in $(seq 600); do [ -e "$C/ready" ] && break; sleep 0.1; done
if [ ! -e "$C/ready" ]; then
  echo "FAILED ($version): the DLLs could not be held: $(cat "$C/logs/holddll.txt")"; exit 1
fi

# ------------------------------------------------------- the install
options=(/SILENT '/LOG=C:\vtrlrestart\logs\run.log')
[ "$version" = win95 ] && options+=(/NORESTART)
(cd "$C" && timeout -k 10 300 "$WINE" 'C:\vtrlrestart\dist\setup.exe' "${options[@]}" </dev/null >/dev/null 2>&1)
code=$?
log=$(tr -d '\r' < "$C/logs/run.log" 2>/dev/null)
has() { grep -qiF -- "$1" <<<"$log"; }
check '[ $code -ne 124 ] && [ $code -ne 137 ]' "the install did not end"
check 'has "loader: Exit code 3010"' "the loading program did not end with 3010"
check 'has "$WDEST\\lockme.dll is in use"' "the log does not name the DLL in use"
check 'has "Installed $WDEST\\lockme2.dll for the next restart"' "lockme2.dll was not installed for the restart"
check 'has "Installed $WDEST\\readme.txt"' "readme.txt was not installed"
check 'cmp -s "$DEST/lockme.dll" "$old" && cmp -s "$DEST/lockme2.dll" "$old"' "a DLL in use was changed"
check 'cmp -s "$DEST/lockme.1" "$new" && cmp -s "$DEST/lockme2.1" "$new"' "the new DLLs are not beside the old ones"
check '[ "$(registered)" = none ]' "the server in use was registered before the restart ($(registered))"
check '[ "$(shared_count "$WDEST\\lockme2.dll")" = 1 ]' "the server's shared count is $(shared_count "$WDEST\\lockme2.dll")"
list=$(wr reg query "$LIST" 2>/dev/null | tr -d '\r')
check 'grep -qE "LockFile\s+REG_SZ\s+0" <<<"$list" && grep -qE "LockFile2\s+REG_SZ\s+0" <<<"$list"' \
  "the unfinished-install list lacks the two files: $list"
case $version in
  win95)
    wininit=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname wininit.ini | head -1)
    lines=$(tr -d '\r' < "$wininit" 2>/dev/null)
    check 'grep -qiE "^C:\\\\[^ ]+\\\\LOCKME\.DLL=C:\\\\[^ ]+\\\\lockme\.1$" <<<"$lines"' "no WININIT.INI line for lockme.dll: $lines"
    check 'grep -qiE "^C:\\\\[^ ]+\\\\LOCKME2\.DLL=C:\\\\[^ ]+\\\\lockme2\.1$" <<<"$lines"' "no WININIT.INI line for lockme2.dll: $lines"
    check '! has "Asked Windows to restart"' "/NORESTART was not followed"
    ;;
  nt40)
    check 'has "Asked Windows to restart"' "Windows was not asked to restart"
    ;;
  nt351)
    check 'has "Could not reboot windows. Please manually reboot windows."' "no message that Windows cannot be restarted"
    ;;
esac
if [ "$version" != win95 ]; then
  pending=$(wr reg query "$SESSION" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
  check 'grep -qiF "Vantrel Restart Test\\lockme.1" <<<"$pending"' "no delayed move of lockme.1: $pending"
fi
link=$(find "$WINEPREFIX/drive_c/users" -ipath '*startup*' -iname 'setup.lnk' | head -1)
check '[ -n "$link" ]' "no start-up link"
check 'grep -qiE "Startup\\\\setup\.LNK\s+REG_SZ\s+1" <<<"$list"' "the link is not listed as a file"
if [ "$version" = nt351 ]; then
  check 'grep -qE "setup\s+REG_SZ\s+2" <<<"$list"' "the Program Manager item is not listed"
  check 'has "Program Manager refused the item setup"' "no word of the Program Manager's refusal"
fi

# ------------------------------------------------------- the restart
end_prefix  # every program ends, the holder of the DLLs too
quiet wineboot -r
end_prefix
check 'cmp -s "$DEST/lockme.dll" "$new" && cmp -s "$DEST/lockme2.dll" "$new"' "the new DLLs are not in place after the restart"
check '[ ! -e "$DEST/lockme.1" ] && [ ! -e "$DEST/lockme2.1" ]' "the new DLLs' temporary names remain"
[ "$version" = win95 ] && check '[ -z "$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname wininit.ini)" ]' \
  "WININIT.INI was not processed"

# ------------------------------------- the continuation, from the link
if [ -n "$link" ]; then
  # "start /wait" neither waits for a link's target nor returns its code.
  winlink=$(wr winepath -w "$link" 2>/dev/null | tr -d '\r')
  (cd "$C" && timeout -k 10 300 "$WINE" "$runlink" "$winlink" </dev/null >/dev/null 2>&1)
  code=$?
  end_prefix
  log=$(tr -d '\r' < "$C/logs/run.log")
  check '[ $code -eq 0 ]' "the continuation ended with $code"
  check 'has "Mode: continuation"' "the link did not start the continuation"
  check 'has "Continuing LockFile" && has "Continuing LockFile2"' "the files were not continued"
  check 'has "Run ended: installation complete after the restart"' "the continuation did not complete"
  check '[ "$(registered)" = 2 ]' "the continuation did not register the new server (registered: $(registered))"
  check '[ ! -e "$link" ]' "the start-up link remains"
  check '! quiet reg query "$LIST"' "the unfinished-install list remains"
fi
# ---------------------------- the removal while the DLL is in use again
if [ "$version" = nt40 ]; then
  rm -f "$C/ready2"
  (cd "$C" && exec "$WINE" "$holddll" 'C:\vtrlrestart\ready2' "$WDEST\lockme.dll" \
     </dev/null >/dev/null 2>"$C/logs/holddll2.txt") &
  for i in $(seq 600); do [ -e "$C/ready2" ] && break; sleep 0.1; done
  check '[ -e "$C/ready2" ]' "the new DLL could not be held: $(cat "$C/logs/holddll2.txt")"
  quiet reg delete "$SESSION" /v PendingFileRenameOperations /f
  # Another product shares the server.
  quiet reg add "$SHARED" /v "$WDEST\lockme2.dll" /t REG_DWORD /d 2 /f
  (cd "$C" && timeout -k 10 300 "$WINE" "$WDEST\uninstall.exe" /SILENT '/LOG=C:\vtrlrestart\logs\uninstall.log' \
     Vantrel Restart Test </dev/null >/dev/null 2>&1)
  code=$?
  log=$(tr -d '\r' < "$C/logs/uninstall.log" 2>/dev/null)
  # Wine hands the shell the exit code's low byte: 3010 is 194.
  check '[ $code -eq $((3010 % 256)) ] && has "uninstall: Exit code 3010"' \
    "the removal of a product whose DLL is in use did not end with 3010 ($code)"
  check 'has "$WDEST\lockme.dll is in use: it is deleted at the next restart"' "the log does not name the DLL left for the restart"
  check '[ -e "$DEST/lockme.dll" ]' "the DLL in use is gone before the restart"
  check '[ ! -e "$DEST/readme.txt" ]' "the files not in use were not deleted"
  check '[ -e "$DEST/lockme2.dll" ] && [ "$(shared_count "$WDEST\lockme2.dll")" = 1 ]' \
    "the shared server was not kept with its count one less ($(shared_count "$WDEST\lockme2.dll"))"
  check '[ "$(registered)" = 2 ] && has "Shared file kept, count now 1: $WDEST\lockme2.dll"' \
    "the shared server was not kept registered"
  check '! quiet reg query "HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel Restart Test"' \
    "the uninstall record remains"
  pending=$(wr reg query "$SESSION" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
  check 'grep -qiF "Vantrel Restart Test\lockme.dll" <<<"$pending"' "the DLL's deletion is not pending: $pending"
  end_prefix
  quiet wineboot -r
  end_prefix
  # The folder was there before the install (it held the older DLLs), so
  # it stays; nothing of the product is left in it but the shared server.
  check '[ -d "$DEST" ] && [ "$(ls -A "$DEST")" = lockme2.dll ]' \
    "after the restart the folder does not hold the shared server alone: $(find "$DEST" 2>/dev/null | tr '\n' ' ')"
  [ $fail -eq 0 ] || { echo "--- uninstall.log"; cat "$C/logs/uninstall.log"; }
fi
[ $fail -eq 0 ] || { echo "--- run.log"; cat "$C/logs/run.log"; }
exit $fail
