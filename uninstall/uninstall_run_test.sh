#!/bin/bash
# Runs the real uninstall program under Wine, silently, on a fake uninstall
# record of a scratch product, and checks what it removed and kept, the
# record, the log and its exit codes; then the run without a product name
# and a start through Wine's Add/Remove Programs with an unquoted path.
# Runs in a prefix of its own: the program schedules its own deletion at
# restart, which is prefix-wide state.
# Usage: uninstall_run_test.sh UNINSTALL_EXE WINE_RUN PREFIX_DIR
set -u
exe=$(realpath "$1") wine_run=$2
export VTRL_WINEPREFIX=$(realpath -m "$3")
reg() { "$wine_run" reg "$@" >/dev/null 2>&1; }
"$wine_run" cmd /c exit >/dev/null 2>&1  # creates the prefix once

product="Scratch Product Name"
base="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
shared="HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"
top="$VTRL_WINEPREFIX/drive_c/vtrl-uninstall-test-$$"
wtop="C:\\vtrl-uninstall-test-$$"
cleanup() {
  rm -rf "$top"
  reg delete "$base" /f
  reg delete 'HKLM\Software\Vantrel Uninstall Test' /f
  for f in Shared\\shared.dll Shared\\asked.dll; do reg delete "$shared" /v "$wtop\\$f" /f; done
}
trap cleanup EXIT
mkdir -p "$top/Scratch App/Sub" "$top/Shared" "$top/Late" "$top/bin"
for f in "Scratch App/app.exe" "Scratch App/readme.txt" "Scratch App/Sub/data.dat" \
         "Scratch App/Sub/more.dat" Shared/shared.dll Shared/asked.dll Late/late.txt; do
  echo data >"$top/$f"
done
cp "$exe" "$top/bin/uninstall.exe"

add() { reg add "$base\\$1" /v "$2" /d "$3" /f; }
reg add "$base" /v DisplayName /d "$product" /f
reg add "$base" /v UninstallString /d "\"$wtop\\bin\\uninstall.exe\" $product" /f
add Files File1 "$wtop\\Scratch App\\app.exe"
add Files File2 "$wtop\\Scratch App\\Sub\\data.dat"
add Files File3 "$wtop\\Shared\\shared.dll"
add Files File4 "$wtop\\Shared\\asked.dll"
add Files File5 "$wtop\\Scratch App\\gone-already.txt"
add Files Entries 5
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

cd "$top/bin"
"$wine_run" uninstall.exe /SILENT /LOG=run.log $product 2>stderr.txt
code=$?
cat run.log
fail=0
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
reg query "$base" && { echo "record key still there"; fail=1; }
reg query 'HKLM\Software\Vantrel Uninstall Test' && { echo "recorded registry key still there"; fail=1; }
for line in "uninstall: Product: $product" \
    "uninstall: Deleted $wtop\\Scratch App\\Sub\\data.dat" \
    "Shared file kept, count now 1: $wtop\\Shared\\shared.dll" \
    "Uninstall has determined that the file $wtop\\Shared\\asked.dll is no longer used by an application. Is it o.k. to delete it?" \
    "Files deleted: 4" "Directories removed: 2" "Record deleted" \
    "ActiveX servers removed: 0" "INI file entry removal is not available yet" \
    "Database alias removal is not available yet" "Database engine removal is not available yet" \
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

# Run again for the same product: no record, nothing removed but itself.
cp "$exe" "$top/bin/uninstall.exe" 2>/dev/null
"$wine_run" uninstall.exe /SILENT /LOG=again.log $product 2>/dev/null
code=$?
[ "$code" -eq 0 ] || { echo "second run: exit code $code"; fail=1; }
grep -qF "Files deleted: 0" again.log || { echo "second run deleted files"; cat again.log; fail=1; }
[ -f "$top/Shared/shared.dll" ] && [ -f "$top/Late/late.txt" ] || { echo "second run removed files"; fail=1; }

# Without a product name: the error, Start never runs, a non-zero exit code.
cp "$exe" "$top/bin/uninstall2.exe"
"$wine_run" uninstall2.exe /SILENT /LOG=noarg.log 2>/dev/null
code=$?
cat noarg.log
[ "$code" -ne 0 ] || { echo "no argument: exit code 0"; fail=1; }
grep -qF "Please remove this software from the Add/Remove Programs from the Control Panel" noarg.log ||
  { echo "no argument: log lacks the message"; fail=1; }
grep -qF "Removal started" noarg.log && { echo "no argument: removal ran"; fail=1; }
exit $fail
