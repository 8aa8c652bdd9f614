#!/bin/bash
# End-to-end check of the archive tool: add, append, list, test, extract,
# and a damaged archive that "test" must reject.
#   vtrlarc_test.sh PATH_TO_VTRLARC
set -e
arc=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir src
printf 'first\n' > src/a.txt
seq 1 50000 > src/b.txt
"$arc" add files.1 --level fastest src/a.txt
"$arc" add files.1 --append --level max src/b.txt
"$arc" list files.1 > list.txt
grep -q ' src/a.txt$' list.txt
grep -q ' src/b.txt$' list.txt
grep -q '^archive at offset 0: 2 members' list.txt
"$arc" test files.1 | grep -q '2 members tested, 0 damaged'
"$arc" extract files.1 out src/b.txt
cmp src/b.txt out/b.txt
[ ! -e out/a.txt ]
# Flip a byte inside b.txt's compressed data: test fails, extract fails.
python3 - <<'PY'
data = bytearray(open('files.1', 'rb').read())
data[-100] ^= 0xFF
open('bad.1', 'wb').write(data)
PY
if "$arc" test bad.1 > /dev/null 2>&1; then echo "damage not found"; exit 1; fi
if "$arc" extract bad.1 bad src/b.txt 2> err.txt; then echo "damaged member extracted"; exit 1; fi
[ ! -e bad/b.txt ]
if "$arc" list nothing.1 2> /dev/null; then exit 1; fi
echo "vtrlarc ok"
