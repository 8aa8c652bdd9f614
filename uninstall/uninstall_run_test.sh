#!/bin/bash
# Runs the real uninstall program under Wine, silently, on a fake uninstall
# record of a scratch product, and checks what it removed and kept, the
# record, the log and its exit codes. Before that, the runs that must change
# nothing: another product's name, an empty name, a name reaching into the
# record, a damaged record; after it, the run for the record just removed
# and the run without a product name.
# Runs in a prefix of its own: the program schedules its own deletion at
# restart, which is prefix-wide state.
# Usage: uninstall_run_test.sh UNINSTALL_EXE WINE_RUN PREFIX_DIR
set -u
exe=$(realpath "$1") wine_run=$2
export VTRL_WINEPREFIX=$(realpath -m "$3")
reg() { "$wine_run" reg "$@" >/dev/null 2>&1; }
"$wine_run" cmd /c exit >/dev/null 2>&1  # creates the prefix once
# One server for the whole script: with a server started and ended per
# call, a registry write of the set-up was seen lost once.
WINEPREFIX=$VTRL_WINEPREFIX /usr/lib/wine/wineserver -p 2>/dev/null

product="Scratch Product Name"
base="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
shared="HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"
top="$VTRL_WINEPREFIX/drive_c/vtrl-uninstall-test-$$"
wtop="C:\\vtrl-uninstall-test-$$"
damaged="Scratch Damaged Product"
dbase="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$damaged"
cleanup() {
  rm -rf "$top"
  reg delete "$base" /f
  reg delete "$dbase" /f
  reg delete 'HKLM\Software\Vantrel Uninstall Test' /f
  for f in Shared\\shared.dll Shared\\asked.dll; do reg delete "$shared" /v "$wtop\\$f" /f; done
  WINEPREFIX=$VTRL_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null
}
trap cleanup EXIT
mkdir -p "$top/Scratch App/Sub" "$top/Shared" "$top/Late" "$top/bin"
for f in "Scratch App/app.exe" "Scratch App/readme.txt" "Scratch App/Sub/data.dat" \
         "Scratch App/Sub/more.dat" Shared/shared.dll Shared/asked.dll Late/late.txt; do
  echo data >"$top/$f"
done
cp "$exe" "$top/bin/uninstall.exe"
echo "the user's own" >"$top/bin/Notepad"

add() { reg add "$base\\$1" /v "$2" /d "$3" /f; }
reg add "$base" /v DisplayName /d "$product" /f
reg add "$base" /v UninstallString /d "\"$wtop\\bin\\uninstall.exe\" $product" /f
add Files File1 "$wtop\\Scratch App\\app.exe"
add Files File2 "$wtop\\Scratch App\\Sub\\data.dat"
add Files File3 "$wtop\\Shared\\shared.dll"
add Files File4 "$wtop\\Shared\\asked.dll"
add Files File5 "$wtop\\Scratch App\\gone-already.txt"
# A bare name, as an older setup recorded a link whose folder did not
# resolve: the program runs from bin, where the user has a file of that name.
add Files File6 "Notepad"
add Files Entries 6
add Files1 File1 "$wtop\\Scratch App\\Sub\\more.dat"
add Files1 File2 "$wtop\\Scratch App\\readme.txt"
add Files1 Entries 2
# Files2 is missing, so Files3 is never looked at.
add Files3 File1 "$wtop\\Late\\late.txt"
add Files3 Entries 1
reg add "$shared" /v "$wtop\\Shared\\shared.dll" /t REG_DWORD /d 2 /f
reg add "$shared" /v "$wtop\\Shared\\asked.dll" /t REG_DWORD /d 1 /f
reg add 'HKLM\Software\Vantrel Uninstall Test' /v Color /d Blue /f
add RegistryKeys Entries 1
add 'RegistryKeys\RegistryKey1' Key '\Software\Vantrel Uninstall Test'
reg add "$base\\RegistryKeys\\RegistryKey1" /v Root /t REG_DWORD /d 4 /f
add 'RegistryKeys\RegistryKey1\Entries' Color Blue
# An INI file whose only entry is the product's: it goes, and so does its
# directory. A share of the database engine: the key Wine's prefix has for
# the engine holds no use count, so the engine and its settings stay.
mkdir -p "$top/Ini"
printf '[Main]\r\nColor=Blue\r\n' >"$top/Ini/app.ini"
add 'INIFiles\1' FilePath "$wtop\\Ini\\app.ini"
add 'INIFiles\1\Entries\Main' Color x
add BDE Entries 1
engine_before=$("$wine_run" reg query 'HKLM\Software\Borland' /s 2>/dev/null | tr -d '\r')

cd "$top/bin"
fail=0
# What a run that must change nothing could change: the record, the files,
# the program file and the work waiting for the restart.
record() { "$wine_run" reg query "$1" /s 2>/dev/null | tr -d '\r'; }
files() { (cd "$top" && find . -path ./bin -prune -o -type f -print | sort); }
restart_work() {
  "$wine_run" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null | tr -d '\r'
  cat "$VTRL_WINEPREFIX/drive_c/windows/wininit.ini" 2>/dev/null
}
record_before=$(record "$base") files_before=$(files) restart_before=$(restart_work)
# Runs uninstall.exe silently with the arguments after LOG and MESSAGE and
# checks that it fails with exit code 1, reports MESSAGE in the log and on
# standard error, and changes nothing.
refused() {
  local log=$1 message=$2
  shift 2
  "$wine_run" uninstall.exe /SILENT "/LOG=$log" "$@" 2>"$log.err"
  local code=$?
  [ "$code" -eq 1 ] || { echo "$log: exit code $code, expected 1"; cat "$log"; fail=1; }
  grep -qF -- "$message" "$log" || { echo "$log: log lacks: $message"; cat "$log"; fail=1; }
  grep -qF -- "$message" "$log.err" || { echo "$log: standard error lacks: $message"; fail=1; }
  grep -qF "Removal started" "$log" && { echo "$log: removal ran"; fail=1; }
  [ "$(record "$base")" = "$record_before" ] || { echo "$log: record changed"; record "$base"; fail=1; }
  [ "$(files)" = "$files_before" ] || { echo "$log: files changed: $(files)"; fail=1; }
  [ -f "$top/bin/uninstall.exe" ] || { echo "$log: program file deleted"; fail=1; }
  [ "$(restart_work)" = "$restart_before" ] || { echo "$log: work scheduled for the restart: $(restart_work)"; fail=1; }
}
# A name one letter off: no record, so the installed program must not
# remove itself and leave the record pointing at nothing.
refused other.log "There is no uninstall record for the product ${product}o. Nothing was removed." ${product}o
# An empty name would make the Uninstall key itself the record, with every
# product's record below it.
refused empty.log "Please remove this software from the Add/Remove Programs from the Control Panel" ""
# A name that reaches into the record is no product's name.
refused files.log "There is no uninstall record for the product $product\\Files1. Nothing was removed." "$product\\Files1"
# A Files entry that is not a string: the rest must not go without it.
reg add "$dbase\\Files" /v File1 /t REG_DWORD /d 5 /f
reg add "$dbase\\Files" /v File2 /d "$wtop\\Scratch App\\app.exe" /f
damaged_before=$(record "$dbase")
refused damaged.log "The uninstall record of the product $damaged is damaged: the value \"File1\" of HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$damaged\\Files is not a string. Nothing was removed." $damaged
[ "$(record "$dbase")" = "$damaged_before" ] || { echo "damaged record changed"; record "$dbase"; fail=1; }

"$wine_run" uninstall.exe /SILENT /LOG=run.log $product 2>stderr.txt
code=$?
cat run.log
check() { "$@" || { echo "failed: ${*: -1}"; fail=1; }; }
[ "$code" -eq 0 ] || { echo "exit code $code, expected 0"; fail=1; }
for f in "Scratch App/app.exe" "Scratch App/readme.txt" "Scratch App/Sub/data.dat" "Scratch App/Sub/more.dat"; do
  [ ! -e "$top/$f" ] || { echo "not deleted: $f"; fail=1; }
done
# The sub-directory is listed after its parent; both go.
[ ! -d "$top/Scratch App" ] || { echo "empty directories left: $(find "$top/Scratch App")"; fail=1; }
[ -f "$top/Shared/shared.dll" ] || { echo "shared file with count 2 deleted"; fail=1; }
# Count 1: the question is asked; the unattended answer No keeps file and count.
[ -f "$top/Shared/asked.dll" ] || { echo "shared file with count 1 deleted in a silent run"; fail=1; }
[ -f "$top/Late/late.txt" ] || { echo "Files3 was processed although Files2 is missing"; fail=1; }
q=$("$wine_run" reg query "$shared" /v "$wtop\\Shared\\shared.dll" 2>/dev/null | tr -d '\r')
echo "$q" | grep -qE 'REG_DWORD\s+0x1$' || { echo "count not 1: $q"; fail=1; }
q=$("$wine_run" reg query "$shared" /v "$wtop\\Shared\\asked.dll" 2>/dev/null | tr -d '\r')
echo "$q" | grep -qE 'REG_DWORD\s+0x1$' || { echo "count of the kept file changed: $q"; fail=1; }
[ "$(cat "$top/bin/Notepad" 2>/dev/null)" = "the user's own" ] ||
  { echo "the user's file Notepad in the current folder was deleted or changed"; fail=1; }
grep -qF "Entry \"Notepad\" of HKEY_LOCAL_MACHINE" run.log && grep -qF "skipped: it is not a full path" run.log ||
  { echo "log lacks the skipped entry Notepad"; fail=1; }
reg query "$base" && { echo "record key still there"; fail=1; }
reg query 'HKLM\Software\Vantrel Uninstall Test' && { echo "recorded registry key still there"; fail=1; }
[ ! -d "$top/Ini" ] || { echo "INI file or its directory left: $(find "$top/Ini")"; fail=1; }
[ "$("$wine_run" reg query 'HKLM\Software\Borland' /s 2>/dev/null | tr -d '\r')" = "$engine_before" ] ||
  { echo "database engine keys changed"; fail=1; }
for line in "uninstall: Product: $product" \
    "uninstall: Deleted $wtop\\Scratch App\\Sub\\data.dat" \
    "Shared file kept, count now 1: $wtop\\Shared\\shared.dll" \
    "Uninstall has determined that the file $wtop\\Shared\\asked.dll is no longer used by an application. Is it o.k. to delete it?" \
    "Files deleted: 4" "Directories removed: 2" "Record deleted" \
    "ActiveX servers removed: 0" "INI files changed: 1" \
    "No database aliases recorded" "Database engine kept: its use count \"\" is no number" \
    "Exit code 0"; do
  grep -qF -- "$line" run.log || { echo "log lacks: $line"; fail=1; }
done
grep -qF "$product has finished removing itself" run.log ||
  grep -qF "The uninstallation program for $product will be removed after you reboot your computer." run.log ||
  { echo "log lacks the final message"; fail=1; }

# The running program cannot delete its own file; the deletion waits for
# the next restart.
pending=$("$wine_run" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
if grep -qF "will be removed after you reboot" run.log; then
  echo "$pending" | grep -qiF "vtrl-uninstall-test-$$\\bin\\uninstall.exe" || { echo "no delayed deletion: $pending"; fail=1; }
fi

# Run again for the same product: the record is gone, so nothing is
# removed, the program file included.
cp "$exe" "$top/bin/uninstall.exe" 2>/dev/null
record_before=$(record "$base") files_before=$(files) restart_before=$(restart_work)
refused again.log "There is no uninstall record for the product $product. Nothing was removed." $product
[ -f "$top/Shared/shared.dll" ] && [ -f "$top/Late/late.txt" ] || { echo "second run removed files"; fail=1; }

# Without a product name: the error, Start never runs, a non-zero exit code.
cp "$exe" "$top/bin/uninstall2.exe"
"$wine_run" uninstall2.exe /SILENT /LOG=noarg.log 2>/dev/null
code=$?
cat noarg.log
[ "$code" -eq 1 ] || { echo "no argument: exit code $code, expected 1"; fail=1; }
grep -qF "Please remove this software from the Add/Remove Programs from the Control Panel" noarg.log ||
  { echo "no argument: log lacks the message"; fail=1; }
grep -qF "Removal started" noarg.log && { echo "no argument: removal ran"; fail=1; }
exit $fail
