#!/bin/bash
# The build and floppy-set modes of a real setup program under Wine, in a
# Wine prefix of its own (the registry value "VantrelDirectory" and drive A:
# are prefix-wide):
#  - the build's errors: no "BUILD.INF", an empty one, no kit directory in a
#    silent run, no loading program, a missing source file;
#  - a build puts files whose Include is false into "files.1", the program
#    and its presetup file into "setup.1", and makes setup.exe = loading
#    program + "setup.1" + "files.1" + trailer; a second build gives the same
#    bytes;
#  - the floppy set on 1.44 MB-like disks (tmpfs mounts behind drive A:, when
#    mounting is permitted), answering "Please insert disk %d" through the
#    test handshake of cmp_TInstall_build.h; and a cancelled disk prompt.
set -u
setup=$1 loader=$2 vtrlarc=$3 wine_run=$4
work=$(mktemp -d)
export VTRL_WINEPREFIX=$work/prefix
mounts=()
cleanup() {
  WINEPREFIX=$VTRL_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null
  for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
fail=0
check() { if ! eval "$1"; then echo "FAILED: $2"; fail=1; fi; }
wr() { "$wine_run" "$@"; }
C=$VTRL_WINEPREFIX/drive_c/vtrlbuild
key='HKLM\Software\Vantrel Software\Vantrel96'

wr wineboot -i >/dev/null 2>&1
mkdir -p "$C/prog" "$C/src" "$C/kit"
cp "$setup" "$C/prog/setup.exe"
cp "$loader" "$C/kit/VantrelLoadProgram.exe"
echo "presetup file" > "$C/prog/presetup.txt"
echo "read me" > "$C/src/readme.txt"
head -c 20000 /dev/zero | tr '\0' 'x' > "$C/src/optional.bin"
# Archives keep the sources' dates: fix them so that builds compare.
touch -d '2020-01-02 03:04:06' "$C"/prog/* "$C"/src/* "$C"/kit/*

# build NAME: runs the build mode silently; sets code and log.
build() {
  rm -f "$work/$1.log"
  (cd "$C/prog" && "$wine_run" setup.exe /SILENT "/LOG=Z:${work//\//\\}\\$1.log" '*BUILD' 2>/dev/null)
  code=$?
  log=$(cat "$work/$1.log" 2>/dev/null)
}
haslog() { grep -qF "$1" <<<"$log"; }

build noinf
check '[ "$code" -ne 0 ]' "no BUILD.INF: exit code 0"
check 'haslog "Need to have a BUILD.INF file in this directory with the first line specifying the build directory"' \
  "no BUILD.INF: message missing"

printf '' > "$C/prog/BUILD.INF"
build emptyinf
check '[ "$code" -ne 0 ]' "empty BUILD.INF: exit code 0"
check 'haslog "Must be 1 line in BUILD.INF. This line should specify the build directory"' "empty BUILD.INF: message"
printf '   \r\n' > "$C/prog/BUILD.INF"
build blankinf
check 'haslog "Must be 1 line in BUILD.INF"' "blank line in BUILD.INF: message"

printf 'C:\\vtrlbuild\\out1\r\n' > "$C/prog/BUILD.INF"
wr reg delete "$key" /f >/dev/null 2>&1
build nokit
check '[ "$code" -ne 0 ]' "no kit directory: exit code 0"
check 'haslog "registry value VantrelDirectory"' "no kit directory: message"

wr reg add "$key" /v VantrelDirectory /d 'C:\vtrlbuild\nokit' /f >/dev/null 2>&1
build noloader
check '[ "$code" -ne 0 ]' "no loading program: exit code 0"
check 'haslog "The loader program C:\vtrlbuild\nokit\VantrelLoadProgram.exe was not found"' "no loading program: message"

wr reg add "$key" /v VantrelDirectory /d 'C:\vtrlbuild\kit' /f >/dev/null 2>&1
mv "$C/src/optional.bin" "$C/src/optional.away"
build nosource
check '[ "$code" -ne 0 ]' "missing source: exit code 0"
check 'haslog "File2: the source file C:\vtrlbuild\src\optional.bin does not exist"' "missing source: message"
check '[ ! -e "$C/out1/setup.1" ] && [ ! -e "$C/out1/setup.exe" ] && [ ! -e "$C/out1/files.1" ]' \
  "missing source: a partial distribution was left behind"
mv "$C/src/optional.away" "$C/src/optional.bin"

build good1
check '[ "$code" -eq 0 ]' "build: exit code $code"; haslog "Build finished" || { echo "$log"; fail=1; }
out=$C/out1
list=$(cd "$out" && "$wine_run" "$vtrlarc" list files.1 2>&1)
check 'grep -qiF "C:\vtrlbuild\src\optional.bin" <<<"$list"' "files.1 lacks the file whose Include is false"
check 'grep -qiF "C:\vtrlbuild\src\readme.txt" <<<"$list"' "files.1 lacks readme.txt"
list1=$(cd "$out" && "$wine_run" "$vtrlarc" list setup.1 2>&1)
check 'grep -qF " .\\setup.exe" <<<"$list1"' "setup.1 lacks the setup program under its name"
check 'grep -qF " .\\presetup.txt" <<<"$list1"' "setup.1 lacks the presetup file under its name"
check '! grep -qiF "vtrlbuild" <<<"$list1"' "setup.1 names the folder it was built in"
python3 - "$loader" "$out/setup.1" "$out/files.1" "$out/setup.exe" <<'PY' || fail=1
import struct, sys
loader, s1, f1, exe = (open(p, 'rb').read() for p in sys.argv[1:5])
a = len(loader); b = a + len(s1); c = b + len(f1)
t = bytes([14]) + b'SELFEXTRACTING' + b'\0' + struct.pack('<4i', a, b - 1, b, c - 1) + bytes(24)
if exe != loader + s1 + f1 + t:
    print("FAILED: setup.exe is not loader + setup.1 + files.1 + trailer"); sys.exit(1)
PY

# A second build, after the first one's "setup.exe" exists, into another
# directory and into the same one again.
printf 'C:\\vtrlbuild\\out2\r\n' > "$C/prog/BUILD.INF"
build good2
for f in files.1 setup.1 setup.exe; do
  check 'cmp -s "$C/out1/$f" "$C/out2/$f"' "second build: $f differs"
done
# The same program and presetup file in another folder, started from a
# third one: the distribution does not depend on where it was built.
mkdir -p "$C/prog2" "$C/elsewhere"
cp -p "$C/prog/setup.exe" "$C/prog/presetup.txt" "$C/prog2/"
printf 'C:\\vtrlbuild\\out4\r\n' > "$C/prog2/BUILD.INF"
rm -f "$work/moved.log"
(cd "$C/elsewhere" && "$wine_run" 'C:\vtrlbuild\prog2\setup.exe' /SILENT "/LOG=Z:${work//\//\\}\\moved.log" '*BUILD' 2>/dev/null)
code=$?
check '[ $code -eq 0 ]' "build from another folder: $(cat "$work/moved.log" 2>/dev/null | tail -2)"
for f in files.1 setup.1 setup.exe; do
  check 'cmp -s "$C/out1/$f" "$C/out4/$f"' "build of the program in another folder: $f differs"
done
cp "$C/out1/setup.exe" "$work/first-setup.exe"
printf 'C:\\vtrlbuild\\out1\r\n' > "$C/prog/BUILD.INF"
build good3
check 'cmp -s "$work/first-setup.exe" "$C/out1/setup.exe"' "rebuild into the same directory: setup.exe differs"

# ----------------------------------------------------------- floppy set
# Disks just large enough for setup.exe and setup.1 plus 100 KB, and a
# files.1 of incompressible data that needs three of them.
partsize=$(( $(stat -c %s "$loader") + $(stat -c %s "$out/setup.1") ))
disk_kb=$(( (partsize + 102400) / 1024 / 4 * 4 + 4 ))
head -c $(( disk_kb * 1024 * 2 )) /dev/urandom > "$C/src/optional.bin"
printf 'C:\\vtrlbuild\\big\r\n' > "$C/prog/BUILD.INF"
build big
check '[ "$code" -eq 0 ]' "large build: exit code $code"
hand=$work/hand
mkdir -p "$hand"
mounted=yes
for n in 1 2 3 4; do
  mkdir -p "$work/disk$n"
  if mount -t tmpfs -o size=${disk_kb}k tmpfs "$work/disk$n" 2>/dev/null; then mounts+=("$work/disk$n")
  else mounted=no; fi
done
if [ $mounted = no ]; then
  echo "NOTE: cannot mount tmpfs disks here; the floppy-set test is skipped"
  exit $fail
fi

# todisk NAME ANSWER: runs the floppy mode, changing the disk behind a:
# whenever it asks, answering ANSWER for disk 2 and OK otherwise.
todisk() {
  ln -sfn "$work/disk1" "$VTRL_WINEPREFIX/dosdevices/a:"
  rm -f "$hand"/*
  (cd "$C/prog" && VTRL_TEST_DISK_HANDSHAKE="Z:${hand//\//\\}" "$wine_run" setup.exe /SILENT \
     "/LOG=Z:${work//\//\\}\\$1.log" '*TODISK' setup.exe 'C:\vtrlbuild\big' 2>/dev/null) &
  pid=$!
  asked=""
  while kill -0 $pid 2>/dev/null; do
    for f in "$hand"/insert*.txt; do
      [ -e "$f" ] || continue
      n=$(basename "$f" .txt); n=${n#insert}
      [ -e "$hand/inserted$n.txt" ] && continue
      asked="$asked $n"
      ln -sfn "$work/disk$n" "$VTRL_WINEPREFIX/dosdevices/a:"
      answer=OK; [ "$n" = 2 ] && answer=$2
      echo "$answer" > "$hand/inserted$n.tmp" && mv "$hand/inserted$n.tmp" "$hand/inserted$n.txt"
    done
    sleep 0.2
  done
  wait $pid
  code=$?
  log=$(cat "$work/$1.log" 2>/dev/null)
}

todisk floppy OK
check '[ "$code" -eq 0 ]' "floppy set: exit code $code"; haslog "Floppy set written" || { echo "$log"; fail=1; }
check '[ "$asked" = " 2 3 1" ]' "floppy set: disks asked for:$asked, expected 2 3 1"
check 'cmp -s "$work/disk1/setup.exe" "$loader"' "floppy set: setup.exe is not the loading program"
check 'cmp -s "$work/disk1/setup.1" "$out/setup.1"' "floppy set: setup.1 differs"
check '[ -f "$work/disk2/files.2" ] && [ -f "$work/disk3/files.3" ]' "floppy set: volumes missing"
# The disk set, gathered in one directory, is a sound archive with the
# sources' bytes.
mkdir -p "$work/all" && cp "$work"/disk*/files.* "$work/all/"
(cd "$work/all" && "$wine_run" "$vtrlarc" extract files.1 'Z:\'"${work//\//\\}"'\all\x' >/dev/null 2>&1)
check 'cmp -s "$work/all/x/optional.bin" "$C/src/optional.bin"' "floppy set: optional.bin does not come back"

# The same setup.exe signed after the build, as an author may sign it by
# hand: the same set, and the loading program on disk 1 carries no
# certificate entry, which would point past its own end.
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=test -days 2 -keyout "$work/key.pem" -out "$work/cert.pem" \
  >/dev/null 2>&1
check 'osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -in "$C/big/setup.exe" -out "$work/signed.exe" \
  >/dev/null 2>&1' "osslsigncode could not sign the large build's setup.exe"
cp "$work/signed.exe" "$C/big/setup.exe"
for n in 1 2 3 4; do rm -rf "$work/disk$n"/*; done
todisk signed OK
check '[ "$code" -eq 0 ]' "floppy set of a signed setup.exe: exit code $code"
check 'cmp -s "$work/disk1/setup.1" "$C/big/setup.1"' "floppy set of a signed setup.exe: setup.1 differs"
unsigned=$(python3 - "$work/signed.exe" "$work/disk1/setup.exe" <<'PY'
import struct, sys
signed, disk = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
pe = struct.unpack_from('<I', signed, 0x3C)[0]
entry = pe + 24 + 112 + 4 * 8
loader = bytearray(signed[:len(disk)])
loader[entry:entry + 8] = bytes(8)
print('same' if loader == disk and struct.unpack_from('<II', signed, entry)[1] > 0 else 'differs')
PY
)
check '[ "$unsigned" = same ]' "floppy set of a signed setup.exe: disk 1's setup.exe is not the loading program without its certificate entry"

for n in 1 2 3 4; do rm -rf "$work/disk$n"/*; done
todisk cancel Cancel
check '[ "$code" -ne 0 ]' "cancelled disk prompt: exit code 0"
check 'haslog "Aborted"' "cancelled disk prompt: no \"Aborted\""
check '[ -f "$work/disk1/files.1" ]' "cancelled disk prompt: the first disk was not kept"
exit $fail
