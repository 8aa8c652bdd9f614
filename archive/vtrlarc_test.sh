#!/bin/bash
# End-to-end check of the archive tool: add, append, list, test, extract;
# damaged archives that "test" and "extract" must reject, naming the member,
# the archive and the cause, without touching the file a user had; a link
# at the destination that is replaced, not written through; a
# self-extracting file whose loading program reads as an empty archive.
#   vtrlarc_test.sh PATH_TO_VTRLARC [RUNNER]
# RUNNER runs the program (tools/wine-run for the Windows build).
set -e
arc=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
runner=
[ -n "${2:-}" ] && runner=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Runs the tool; a Windows program's line ends become Unix ones.
vtrlarc() {
  local rc=0
  $runner "$arc" "$@" > "$work/.out" 2> "$work/.err" || rc=$?
  tr -d '\r' < "$work/.out"
  tr -d '\r' < "$work/.err" >&2
  return $rc
}
fail() { echo "FAILED: $*"; exit 1; }

mkdir src
printf 'first\n' > src/a.txt
seq 1 50000 > src/b.txt
vtrlarc add files.1 --level fastest src/a.txt
vtrlarc add files.1 --append --level max src/b.txt
vtrlarc list files.1 > list.txt
grep -q ' src/a.txt$' list.txt
grep -q ' src/b.txt$' list.txt
grep -q '^archive at offset 0: 2 members' list.txt
vtrlarc test files.1 | grep -q '2 members tested, 0 damaged'
vtrlarc extract files.1 out src/b.txt
cmp src/b.txt out/b.txt
[ ! -e out/a.txt ]

# Flip a byte inside b.txt's compressed data: test fails, extract fails,
# both name the member, the archive and zlib's reason.
python3 - <<'PY'
data = bytearray(open('files.1', 'rb').read())
data[-100] ^= 0xFF
open('bad.1', 'wb').write(data)
neg = bytearray(open('files.1', 'rb').read())
neg[0:4] = (-5).to_bytes(4, 'little', signed=True)
open('negative.1', 'wb').write(neg)
PY
if vtrlarc test bad.1 > /dev/null 2> err.txt; then fail "damage not found"; fi
grep -q '^error (member src/b.txt, archive bad.1: zlib: ' err.txt || fail "test: $(cat err.txt)"
if vtrlarc extract bad.1 bad src/b.txt 2> err.txt; then fail "damaged member extracted"; fi
grep -q '^vtrlarc: error (member src/b.txt, archive bad.1: zlib: ' err.txt || fail "extract: $(cat err.txt)"
[ ! -e bad ] || [ -z "$(ls -A bad)" ] || fail "left in bad/: $(ls -A bad)"

# The user's older b.txt survives a damaged member, bytes and date.
mkdir old
printf 'old b\n' > old/b.txt
touch -d '2001-03-04 05:06:08' old/b.txt
before=$(stat -c %Y old/b.txt)
if vtrlarc extract bad.1 old src/b.txt 2> /dev/null; then fail "damaged member extracted over old/b.txt"; fi
[ "$(cat old/b.txt)" = "old b" ] || fail "old/b.txt changed"
[ "$(stat -c %Y old/b.txt)" = "$before" ] || fail "old/b.txt redated"
[ "$(ls -A old)" = "b.txt" ] || fail "left in old/: $(ls -A old)"

# A negative entry count is a damaged directory, not an empty archive.
if vtrlarc test negative.1 > out.txt 2> err.txt; then fail "negative count: $(cat out.txt)"; fi
grep -q 'negative entry count -5' err.txt || fail "negative count: $(cat err.txt)"

# A link at the destination is replaced; the file it points to stays.
mkdir links elsewhere
printf 'not yours\n' > elsewhere/victim.txt
ln -s ../elsewhere/victim.txt links/b.txt
vtrlarc extract files.1 links src/b.txt
[ "$(cat elsewhere/victim.txt)" = "not yours" ] || fail "extraction wrote through the link"
[ ! -L links/b.txt ] || fail "the link is still there"
cmp src/b.txt links/b.txt

# A self-extracting file whose loading program begins with five zero bytes
# (an entry count of 0): its trailer is read before the file is taken for
# an empty archive.
python3 - <<'PY'
import struct
files = open('files.1', 'rb').read()
loader = bytes(5) + b'loading program' + bytes(44)
s0 = len(loader); f0 = s0 + len(files)
body = loader + files + files
trailer = bytes([14]) + b'SELFEXTRACTING' + bytes(1) + struct.pack('<4i', s0, f0 - 1, f0, len(body) - 1) + bytes(24)
open('setup.exe', 'wb').write(body + trailer)
PY
vtrlarc list setup.exe > list.txt
grep -q '^files archive at offset ' list.txt || fail "setup.exe: $(cat list.txt)"
vtrlarc test setup.exe | grep -q '4 members tested, 0 damaged'
vtrlarc extract setup.exe sfx src/a.txt
cmp src/a.txt sfx/a.txt

if vtrlarc list nothing.1 2> /dev/null; then exit 1; fi
echo "vtrlarc ok"
