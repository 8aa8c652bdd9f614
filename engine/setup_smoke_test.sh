#!/bin/bash
# Starts the real setup program under Wine, silently, on a small embedded
# definition, and checks its exit code and its log.
set -u
exe=$1 wine_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/setup.exe"
cd "$work"
"$wine_run" setup.exe /SILENT /LOG=run.log 2>stderr.txt
code=$?
cat run.log
fail=0
[ "$code" -eq 0 ] || { echo "exit code $code, expected 0"; fail=1; }
for line in "Mode: normal" "Definition loaded" "Run started" "Run ended: installation complete" "Exit code 0"; do
  grep -q "$line" run.log || { echo "log lacks: $line"; fail=1; }
done

# A silent run asks nothing of the screen, so under Wine it does not start
# the desktop process (which costs a run a tenth of a second and more). In
# a prefix of its own, where nothing else runs, no explorer.exe may appear.
shared=${VTRL_WINEPREFIX:?}
export VTRL_WINEPREFIX=$work/prefix VTRL_WINETEMPLATE=$(dirname "$shared")/wineprefix-template
trap 'WINEPREFIX=$work/prefix /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
# The desktop processes of the private prefix, one pid a line.
desktops() {
  for pid in $(pgrep -f 'explorer.exe' || true); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$work/prefix" && echo "$pid"
  done
}
"$wine_run" cmd /c exit 0 >/dev/null 2>&1   # creates the prefix; its desktop may start here
WINEPREFIX=$work/prefix /usr/lib/wine/wineserver -k 2>/dev/null
WINEPREFIX=$work/prefix /usr/lib/wine/wineserver -w 2>/dev/null
# The desktop the prefix's creation started may take a moment to go.
for _ in $(seq 50); do [ -z "$(desktops)" ] && break; sleep 0.1; done
"$wine_run" setup.exe /SILENT /LOG=private.log 2>>stderr.txt || { echo "the silent run in its own prefix failed"; fail=1; }
for pid in $(desktops); do
  echo "the silent run started the desktop process (explorer.exe, pid $pid)"
  fail=1
done
exit $fail
