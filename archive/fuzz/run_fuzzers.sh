#!/bin/bash
# Runs each archive fuzz target for SECONDS seconds from seed archives.
#   run_fuzzers.sh FUZZ_BUILD_DIR [SECONDS]
# Exit status 0 when no target found a crash, hang or leak.
# FUZZ_SEED fixes libFuzzer's seed (default 1, so that the short runs of the
# test suite walk the same inputs each time); 0 lets libFuzzer choose.
set -e
build=$(cd "$1" && pwd)
seconds=${2:-15}
work=$build/corpus
mkdir -p "$work/seeds"
src=$work/seeds/src
mkdir -p "$src"
printf 'hello\n' > "$src/a.txt"
seq 1 400 > "$src/b.txt"
: > "$src/empty.bin"
arc=$build/fuzz_vtrlarc
(cd "$src" && "$arc" add ../single.1 --level max a.txt b.txt empty.bin >/dev/null &&
  "$arc" add ../stored.1 --level none a.txt >/dev/null)
# A self-extracting layout: loader bytes, two archives, trailer.
python3 - "$work/seeds" <<'PY'
import struct, sys, os
d = sys.argv[1]
a = open(os.path.join(d, 'single.1'), 'rb').read()
b = open(os.path.join(d, 'stored.1'), 'rb').read()
loader = b'MZ' + bytes(62)
s0 = len(loader); f0 = s0 + len(b)
body = loader + b + a
trailer = bytes([14]) + b'SELFEXTRACTING' + bytes(1) + struct.pack('<4i', s0, f0 - 1, f0, len(body) - 1) + bytes(24)
open(os.path.join(d, 'setup.exe'), 'wb').write(body + trailer)
# The same, signed: a PE32+ header whose certificate table (data directory
# 4) follows the trailer after zeros up to a multiple of 8.
pe = bytearray(0x40 + 24 + 240)
pe[0:2] = b'MZ'; struct.pack_into('<I', pe, 0x3C, 0x40); pe[0x40:0x44] = b'PE\0\0'
struct.pack_into('<H', pe, 0x40 + 4 + 16, 240); opt = 0x40 + 24
struct.pack_into('<H', pe, opt, 0x20B); struct.pack_into('<I', pe, opt + 108, 16)
s0 = len(pe); f0 = s0 + len(b)
body = bytes(pe) + b + a
image = bytearray(body + bytes([14]) + b'SELFEXTRACTING' + bytes(1) + struct.pack('<4i', s0, f0 - 1, f0, len(body) - 1) + bytes(24))
image += bytes(-len(image) % 8)
table = struct.pack('<IHH', 16, 0x200, 2) + bytes(8)
struct.pack_into('<II', image, opt + 112 + 4 * 8, len(image), len(table))
open(os.path.join(d, 'signed.exe'), 'wb').write(bytes(image) + table)
PY
status=0
for t in fuzz_directory fuzz_trailer fuzz_extract; do
  corpus=$work/$t
  mkdir -p "$corpus"
  cp "$work/seeds/"*.1 "$work/seeds/setup.exe" "$work/seeds/signed.exe" "$corpus/"
  echo "== $t ($seconds s)"
  if ! "$build/$t" "$corpus" -max_total_time="$seconds" -seed="${FUZZ_SEED:-1}" -max_len=8192 -timeout=10 -rss_limit_mb=1024 \
       -print_final_stats=0 -artifact_prefix="$work/$t-" 2>"$work/$t.log"; then
    tail -40 "$work/$t.log"
    status=1
  else
    grep -E "^#[0-9]+.*DONE" "$work/$t.log" | tail -1 || tail -1 "$work/$t.log"
  fi
done
exit $status
