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
check '"Entries"="7"'
check '"File7"="C:\\Program Files\\Vantrel Components\\Help\\vtriGerman.txt"'
check 'Vantrel Components|||Vantrel Components'
check 'uninstall: Files deleted: 7'
check 'files left: 1'
check 'Add/Remove Programs no longer lists the product'
[ $fail -eq 0 ] || cat "$out"
exit $fail
