#!/bin/bash
# Servers and shared files, end to end under Wine: the product "Server Kit"
# (e2e/testdata/servers.vdf) holds an in-process server (Gauge.ocx, the
# stand-in library), a program server (Automate.exe, the stand-in
# program), a library the vendor's products share (vtrlcomm.dll, in Common
# Files) and a read-me. It is built into a real distribution and installed
# silently through the loading program.
#
#   1  the install registers both servers (the library with OLE ready, the
#      program with /REGSERVER after its quoted path), counts the three
#      shared files once each, and the record lists the servers under
#      "ActiveX" with their styles, the rest under "Files"
#   2  installed again over itself: each count stays 1
#   3  the removal through the uninstall program's window, a person
#      answering Yes to each shared file: the servers are unregistered, the
#      files and their counts are gone
#   4  installed again, then removed silently: the shared files whose
#      count runs out are kept, as the question's silent answer says; both
#      servers stay registered, their files and counts stay
#
# Everything runs in a Wine prefix of its own under WORK_DIR (drive letters
# are prefix-wide), recreated on every run.
# Usage: servers_test.sh SETUP LOADER UNINSTALL SERVER_DLL SERVER_EXE CLICKTHROUGH WINE_RUN WORK_DIR
set -u
if [ -z "${DISPLAY:-}" ]; then
  exec "$(cd "$(dirname "$0")/.." && pwd)/tools/with-display" bash "$0" "$@"
fi
[ $# -eq 8 ] || { echo "usage: $0 SETUP LOADER UNINSTALL SERVER_DLL SERVER_EXE CLICKTHROUGH WINE_RUN WORK_DIR"; exit 2; }
setup=$(realpath "$1") loader=$(realpath "$2") uninstall_exe=$(realpath "$3") server_dll=$(realpath "$4")
server_exe=$(realpath "$5") clickthrough=$(realpath "$6") wine_run=$(realpath "$7") work=$(realpath -m "$8")
TIMEOUT=${SERVERS_TIMEOUT:-120}

export VTRL_WINEPREFIX=$work/prefix WINEPREFIX=$work/prefix WINEDEBUG=-all
C=$WINEPREFIX/drive_c/servers          # C:\servers: builder, kit, distribution, log
XDIR=$work/xdrive                      # drive X:
DEST=$XDIR/Server\ Kit
W='X:\Server Kit'
COMMON='C:\Program Files\Common Files\System\vtrlcomm.dll'
RECORD='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Server Kit'
SHARED='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
STANDIN='HKCU\Software\Vantrel Tests\Stand-in server'
LOG='C:\servers\logs\runs.log'
LOGFILE=$C/logs/runs.log

source "$(dirname "$0")/prefix_session.sh"

# value KEY NAME (prefix_session.sh) prints numbers in hex.
count() { local v; v=$(value "$SHARED" "$1"); echo $(( ${v:-0} )); }
entries() { wr reg query "$RECORD\\$1" 2>/dev/null | tr -d '\r' | sed -n 's/^ *File[0-9]* *REG_SZ *//p'; }
standin() { local v; v=$(value "$STANDIN" "$1"); [ -n "$v" ] && echo $(( v )) || echo none; }
# wait_for NAME VALUE: the program server runs on its own; its record comes
# when it has run.
wait_for() { local i; for i in $(seq 100); do [ "$(standin "$1")" = "$2" ] && return 0; sleep 0.1; done; return 1; }
# clear_standin: the stand-ins' record goes, and is seen gone: a deletion
# lost under load would leave the last step's calls for the next to count.
clear_standin() {
  local i out
  for i in 1 2 3; do
    quiet reg delete "$STANDIN" /f
    # Gone when the query fails saying so (one that printed nothing never ran).
    out=$(wr reg query "$STANDIN" 2>&1) || { [ -n "$out" ] && return 0; }
  done
  problem "the stand-ins' record $STANDIN cannot be deleted"
}

run() {
  local program=$1; shift
  (cd "$C/user" && timeout -k 10 "$TIMEOUT" "$wine_run" "$program" "$@" </dev/null >/dev/null 2>&1)
  code=$?
}

# ------------------------------------------------------------- the product
end_prefix
rm -rf "$work"; mkdir -p "$work/src" "$work/u" "$XDIR"
cp "$server_dll" "$work/src/Gauge.ocx"
cp "$server_exe" "$work/src/Automate.exe"
head -c 20000 /dev/urandom > "$work/src/vtrlcomm.dll"
printf 'Server Kit 1.0\r\n' > "$work/src/readme.txt"
cp "$uninstall_exe" "$work/u/uninstall.exe"
quiet wineboot -i
mkdir -p "$C/builder" "$C/kit" "$C/user" "$C/logs"
drive p "$work/src"; drive u "$work/u"; drive x "$XDIR"
build_distribution servers "$setup" "$loader"
clear_standin

# check_installed STEP: servers registered, each shared file counted once,
# the record's lists.
check_installed() {
  [ "$(standin Registered)" = 1 ] || problem "$1: the in-process server is not registered"
  [ "$(standin OleReady)" = 1 ] || problem "$1: OLE was not ready for DllRegisterServer"
  [ "$(value "$STANDIN" Path)" = "$W\\Gauge.ocx" ] || problem "$1: the server registered is $(value "$STANDIN" Path)"
  wait_for ProgramRegistered 1 || problem "$1: the program server was not started with /REGSERVER"
  [ "$(value "$STANDIN" CommandLine)" = "\"$W\\Automate.exe\" /REGSERVER" ] ||
    problem "$1: the program server's command line: $(value "$STANDIN" CommandLine)"
  local f
  for f in "$W\\Gauge.ocx" "$W\\Automate.exe" "$COMMON"; do
    [ "$(count "$f")" = 1 ] || problem "$1: the shared count of $f is $(count "$f"), not 1"
  done
  [ "$(count "$W\\readme.txt")" = 0 ] || problem "$1: the read-me is counted as shared"
  local servers; servers=$(entries ActiveX | sort)
  [ "$servers" = "$(printf '%s\n' "$W\\Automate.exe;1" "$W\\Gauge.ocx;0")" ] ||
    problem "$1: the record's servers: $(tr '\n' ' ' <<<"$servers")"
  local files; files=$(entries Files)
  grep -qxF "$COMMON" <<<"$files" || problem "$1: the record does not list $COMMON"
  grep -qiF 'Gauge.ocx' <<<"$files" && problem "$1: the record lists the server among the files"
}

# 1: installed.
run 'C:\servers\dist\setup.exe' /SILENT "/LOG=$LOG"
[ "$code" -eq 0 ] || problem "install: exit code $code"
[ -f "$WINEPREFIX/drive_c/Program Files/Common Files/System/vtrlcomm.dll" ] ||
  problem "install: vtrlcomm.dll is not in Common Files\\System"
check_installed install
[ "$(standin Calls)" = 1 ] || problem "install: DllRegisterServer called $(standin Calls) times"

# 2: again, over itself.
clear_standin
run 'C:\servers\dist\setup.exe' /SILENT "/LOG=$LOG"
[ "$code" -eq 0 ] || problem "second install: exit code $code"
check_installed "second install"
grep -qF "Shared file $W\\Gauge.ocx: counted for Server Kit already, count 1" "$LOGFILE" ||
  problem "second install: the log does not say the server was counted already"

# 3: a person removes it through the uninstall program's window and
# answers Yes for each shared file.
(cd "$C/user" && timeout -k 10 "$TIMEOUT" "$wine_run" "$W\\uninstall.exe" "/LOG=$LOG" Server Kit \
   </dev/null >/dev/null 2>&1) &
remover=$!
clicked=$(wr "$clickthrough" 60 'Remove Server Kit=>Start' '*=>Yes' '*=>Yes' '*=>Yes' '*=>OK' 2>&1 | tr -d '\r')
wait $remover; code=$?
[ "$code" -eq 0 ] || problem "removal by a person: exit code $code ($clicked)"
[ "$(standin Registered)" = 0 ] && [ "$(standin UnregisterCalls)" = 1 ] ||
  problem "removal by a person: the in-process server was not unregistered once ($(standin UnregisterCalls) calls)"
wait_for ProgramRegistered 0 || problem "removal by a person: the program server was not started with /UNREGSERVER"
left=$(cd "$DEST" 2>/dev/null && find . -type f ! -name uninstall.exe)
[ -z "$left" ] || problem "removal by a person left: $(tr '\n' ' ' <<<"$left")"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Common Files/System/vtrlcomm.dll" ] ||
  problem "removal by a person: vtrlcomm.dll is still there"
for f in "$W\\Gauge.ocx" "$W\\Automate.exe" "$COMMON"; do
  [ -z "$(value "$SHARED" "$f")" ] || problem "removal by a person: $f still has a count"
done
quiet reg query "$RECORD" && problem "removal by a person: the record is still there"

# 4: installed again, then removed silently: what is shared is kept.
clear_standin
run 'C:\servers\dist\setup.exe' /SILENT "/LOG=$LOG"
[ "$code" -eq 0 ] || problem "third install: exit code $code"
check_installed "third install"
run "$W\\uninstall.exe" /SILENT "/LOG=$LOG" Server Kit
[ "$code" -eq 0 ] || problem "silent removal: exit code $code"
for f in Gauge.ocx Automate.exe; do
  [ -f "$DEST/$f" ] || problem "silent removal: the shared $f was deleted"
  grep -qF "Shared file kept: $W\\$f" "$LOGFILE" || problem "silent removal: the log does not say $f is kept"
done
[ "$(standin Registered)" = 1 ] && [ "$(standin UnregisterCalls)" = none ] ||
  problem "silent removal: the kept server was unregistered"
[ "$(count "$W\\Gauge.ocx")" = 1 ] || problem "silent removal: the kept server's count is $(count "$W\\Gauge.ocx")"
[ ! -e "$DEST/readme.txt" ] || problem "silent removal: the read-me is still there"

[ $fail -eq 0 ] && echo "servers and shared files: all checks passed" || { echo "--- $LOGFILE"; tr -d '\r' <"$LOGFILE"; }
exit $fail
