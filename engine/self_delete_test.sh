#!/bin/bash
# A finished run marks the setup program for deletion at the next restart:
# on the Windows 95 family through WININIT.INI ("nul=" and the short path),
# otherwise through the delayed move. After a restart (wineboot -r) the
# program is gone. Runs in a prefix of its own per Windows version.
# Usage: self_delete_test.sh SETUP_EXE VERSION PREFIX_DIR
set -u
exe=$(realpath "$1") version=$2 prefix=$(realpath -m "$3")
# tools/wine-run creates the prefix of that version on first use.
WINE=$(cd "$(dirname "$0")/.." && pwd)/tools/wine-run
export VTRL_WINEPREFIX=$prefix VTRL_WINEVERSION=$version WINEPREFIX=$prefix
"$WINE" reg query 'HKCU\Software\Wine' >/dev/null 2>&1  # makes the prefix

dir="$prefix/drive_c/Vantrel Self Delete"
rm -rf "$dir"; mkdir -p "$dir"
find "$prefix/drive_c/windows" -maxdepth 1 -iname 'wininit.*' -delete
cp "$exe" "$dir/setup.exe"
cd "$dir"
"$WINE" setup.exe /SILENT /LOG=run.log || { echo "setup failed"; cat run.log; exit 1; }
fail=0
wininit=$(find "$prefix/drive_c/windows" -maxdepth 1 -iname wininit.ini | head -1)
pending=$("$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
if [ "$version" = win95 ]; then
  # The short path has no blanks: "C:\VANTRE~1\setup.exe" or Wine's hashed form.
  if ! grep -qiE '^nul=C:\\[^ \\]+\\setup\.exe\s*$' "$wininit" 2>/dev/null; then
    echo "WININIT.INI lacks the nul line:"; cat "$wininit" 2>/dev/null; fail=1
  fi
  grep -qi '^\[Rename\]' "$wininit" 2>/dev/null || { echo "no [Rename] section"; fail=1; }
else
  [ -z "$wininit" ] || { echo "WININIT.INI written on NT"; fail=1; }
  echo "$pending" | grep -qi 'Vantrel Self Delete\\setup.exe' || { echo "no delayed move: $pending"; fail=1; }
fi
[ -f setup.exe ] || { echo "deleted before the restart"; fail=1; }
cd /
"$WINE" wineboot -r >/dev/null 2>&1
/usr/lib/wine/wineserver -w
[ ! -e "$dir/setup.exe" ] || { echo "setup.exe still there after the restart"; fail=1; }
rm -rf "$dir"
exit $fail
