#!/bin/bash
# Signed distributions under Wine, with a test certificate made by openssl
# and osslsigncode as the author's signing command (BUILD.INF's
# SignCommand): the build signs the setup program inside setup.1, the
# uninstall program inside files.1 and the self-extracting setup.exe, and
# each verifies; vtrlarc reads the signed file; it installs silently and
# through the wizard, and the installed uninstall.exe verifies and removes
# the product. A setup.exe whose certificate table is damaged is refused
# with a clear error and exit code; a failing signing command fails the
# build and leaves no distribution.
#   signing_test.sh VTRLKIT SETUP_KIT LOADER UNINSTALL VTRLARC CLICKTHROUGH WORK_DIR
set -u
kit=$(realpath "$1") setup=$(realpath "$2") loader=$(realpath "$3") uninstall=$(realpath "$4")
vtrlarc=$(realpath "$5") clickthrough=$(realpath "$6") work=$(realpath -m "$7")
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/kit/wine_session.sh"
for tool in openssl osslsigncode python3; do
  command -v $tool >/dev/null || { echo "FAILED: $tool is not installed (make deps)"; exit 1; }
done

wr cmd /c exit >/dev/null 2>&1  # makes the prefix
A=$WINEPREFIX/drive_c/author
P=$A/project
PRODUCT="Sample Product"
DEST="$WINEPREFIX/drive_c/Program Files/$PRODUCT"
RECORD="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUCT"
rm -rf "$A" "$DEST"
wr reg delete "$RECORD" /f >/dev/null 2>&1
mkdir -p "$A/kit" "$A/user" "$P"
cp "$kit" "$A/kit/vtrlkit.exe"
cp "$setup" "$A/kit/setup.exe"
cp "$loader" "$A/kit/VantrelLoadProgram.exe"
cp "$vtrlarc" "$A/kit/vtrlarc.exe"
cp -r "$root/kit/sample/." "$P/"
cp "$root/translate/StandardTables.vdf" "$uninstall" "$P/"
(cd "$P" && wr 'C:\author\kit\vtrlkit.exe' embed 'C:\author\kit\setup.exe' product.vdf setup.exe >/dev/null 2>&1)
[ -f "$P/setup.exe" ] || { echo "FAILED: embedding the sample definition"; exit 1; }
wr reg add 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory /d 'C:\author\kit' /f >/dev/null 2>&1

# The test certificate, self-signed, and the signing command.
openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Sample Company test signing" -days 30 \
  -keyout "$A/key.pem" -out "$A/cert.pem" >/dev/null 2>&1 || { echo "FAILED: openssl"; exit 1; }
verifies() { osslsigncode verify -CAfile "$A/cert.pem" -in "$1" >/dev/null 2>&1; }
sign_command="osslsigncode sign -certs '$A/cert.pem' -key '$A/key.pem' -n '$PRODUCT' -in %1 -out %2"
# build DIR [SIGNCOMMAND]: builds into P/DIR; the build's exit code.
build() {
  { printf '%s\r\n' "$1"; [ -z "${2:-}" ] || printf 'SignCommand=%s\r\n' "$2"; } > "$P/BUILD.INF"
  rm -f "$A/build.log"
  (cd "$A/user" && wr 'C:\author\project\setup.exe' /SILENT '/LOG=C:\author\build.log' '*BUILD' >/dev/null 2>&1)
}
log_of() { tr -d '\r' < "$1" 2>/dev/null; }

# 1. the signed build
build dist "$sign_command"
code=$?
S=$P/dist/setup.exe
check '[ $code -eq 0 ] && [ -f "$S" ]' "the signed build failed ($code): $(log_of "$A/build.log" | tail -5)"
check 'verifies "$S"' "the signed setup.exe does not verify: $(osslsigncode verify -CAfile "$A/cert.pem" -in "$S" 2>&1 | tail -3)"
check 'grep -q "Signing .*uninstall.exe" <(log_of "$A/build.log")' "the build log does not show the uninstall program signed"
rm -rf "$A/parts" && mkdir -p "$A/parts"
(cd "$A" && wr 'C:\author\kit\vtrlarc.exe' extract 'C:\author\project\dist\setup.1' 'C:\author\parts\setup' >/dev/null 2>&1
 wr 'C:\author\kit\vtrlarc.exe' extract 'C:\author\project\dist\files.1' 'C:\author\parts\files' >/dev/null 2>&1)
check 'verifies "$A/parts/setup/setup.exe"' "the setup program in setup.1 is not signed"
check 'verifies "$A/parts/files/uninstall.exe"' "the uninstall program in files.1 is not signed"
check 'cmp -s "$A/parts/files/README.TXT" "$P/product/README.TXT"' "files.1 does not hold the product's README.TXT"
check '! verifies "$P/uninstall.exe" && ! verifies "$P/setup.exe"' "the author's own programs were changed by the build"
list=$(cd "$A" && wr 'C:\author\kit\vtrlarc.exe' list 'C:\author\project\dist\setup.exe' 2>&1 | tr -d '\r')
check 'grep -q "^files archive at offset" <<<"$list"' "vtrlarc list does not find the archives of the signed setup.exe: $list"
tested=$(cd "$A" && wr 'C:\author\kit\vtrlarc.exe' test 'C:\author\project\dist\setup.exe' 2>&1 | tr -d '\r')
check 'grep -q "members tested, 0 damaged" <<<"$tested"' "vtrlarc test of the signed setup.exe: $tested"

# 2. a silent install of the signed setup.exe, and its removal by the
# installed uninstall.exe, which verifies
(cd "$A/user" && wr 'C:\author\project\dist\setup.exe' /SILENT '/LOG=C:\author\install.log' >/dev/null 2>&1)
code=$?
check '[ $code -eq 0 ]' "silent install exit code $code: $(log_of "$A/install.log" | grep -i 'fail\|error\|damaged' | head -3)"
check 'cmp -s "$P/product/README.TXT" "$DEST/README.TXT"' "the silent install did not install README.TXT"
check 'verifies "$DEST/uninstall.exe"' "the installed uninstall.exe does not verify"
quiet_uninstall "$RECORD" "$A/user"
code=$?
check '[ $code -eq 0 ]' "uninstall exit code $code"
check '[ ! -e "$DEST/README.TXT" ] && ! wr reg query "$RECORD" >/dev/null 2>&1' "the removal left the product behind"

# 3. the wizard, as a person goes through it: each page's Next button is
# clicked in the window itself, then the installed uninstall.exe removes
# the product, confirmed with its buttons
(cd "$A/user" && wr 'C:\author\project\dist\setup.exe' '/LOG=C:\author\wizard.log' >/dev/null 2>&1) &
setup_pid=$!
steps=$(wr "$clickthrough" 90 '*=>Next >' '*=>Next >' '*=>Next >' '*=>Next >' 2>&1 | tr -d '\r')
wait $setup_pid
code=$?
check '[ $code -eq 0 ]' "wizard install exit code $code ($steps): $(log_of "$A/wizard.log" | grep -i 'fail\|error' | head -3)"
check 'grep -q "wizard of BeforeInstall: 4 pages" <(log_of "$A/wizard.log")' "the wizard did not show its four pages: $steps"
check 'cmp -s "$P/product/bin/SAMPLE.EXE" "$DEST/bin/SAMPLE.EXE"' "the wizard install did not install bin\\SAMPLE.EXE"
check 'verifies "$DEST/uninstall.exe"' "the uninstall.exe the wizard installed does not verify"
quiet_uninstall "$RECORD" "$A/user"
check '[ ! -e "$DEST/bin/SAMPLE.EXE" ]' "the removal after the wizard install left the product behind"

# 4. damaged certificate tables: refused by the loading program (exit code
# 11, the cause in its log) and by vtrlarc, never read past
damage() {  # damage KIND OUT: a copy of the signed setup.exe with its table entry damaged
  python3 - "$S" "$2" "$1" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
pe = struct.unpack_from('<I', data, 0x3C)[0]
opt = pe + 24
entry = opt + (112 if struct.unpack_from('<H', data, opt)[0] == 0x20B else 96) + 4 * 8
off, size = struct.unpack_from('<II', data, entry)
kind = sys.argv[3]
if kind == 'beyond': off = len(data) + 64
elif kind == 'longer': size += 8
elif kind == 'shorter': size -= 8
elif kind == 'overlap': off, size = off - 4096, size + 4096
elif kind == 'huge': size = 0xFFFFFFF0
struct.pack_into('<II', data, entry, off, size)
open(sys.argv[2], 'wb').write(data)
PY
}
for kind in beyond longer shorter overlap huge; do
  mkdir -p "$A/damaged-$kind"
  damage $kind "$A/damaged-$kind/setup.exe"
  (cd "$A/user" && wr "C:\\author\\damaged-$kind\\setup.exe" /SILENT "/LOG=C:\\author\\damaged-$kind.log" >/dev/null 2>&1)
  code=$?
  check '[ $code -eq 11 ]' "the setup.exe with a $kind certificate table gave exit code $code, not 11"
  check 'grep -q "is damaged: its certificate table (offset" <(log_of "$A/damaged-$kind.log")' \
    "the loader's log does not name the $kind certificate table: $(log_of "$A/damaged-$kind.log" | tail -2)"
  out=$(cd "$A" && wr 'C:\author\kit\vtrlarc.exe' list "C:\\author\\damaged-$kind\\setup.exe" 2>&1)
  code=$?
  check '[ $code -eq 1 ] && grep -q "is damaged: its certificate table" <<<"$out"' "vtrlarc list of the $kind table ($code): $out"
done
check '[ ! -e "$DEST" ] || [ -z "$(find "$DEST" -type f ! -name uninstall.exe)" ]' "a damaged setup.exe installed files"

# 5. signing commands that fail: the build fails with the command's output
# in its log and leaves no distribution, not even the one built before
build dist "osslsigncode sign -certs '$A/missing.pem' -key '$A/key.pem' -in %1 -out %2"
code=$?
log=$(log_of "$A/build.log")
check '[ $code -ne 0 ]' "a failing signing command gave a build that succeeded"
check 'grep -q "The signing command failed on C:.author.project.setup.exe (exit code [1-9]" <<<"$log"' "the build log does not report the failed signing: $(tail -3 <<<"$log")"
check 'grep -qi "missing.pem\|certificate" <<<"$log"' "the build log lacks the signing command's output: $(tail -5 <<<"$log")"
left=$(cd "$P/dist" 2>/dev/null && ls)
check '[ -z "$left" ]' "the failed build left in dist: $left"
check '[ -z "$(ls "$WINEPREFIX/drive_c/users/"*/Temp 2>/dev/null | grep vtrlsign)" ]' "the failed build left its signing folder"
build dist "cp %1 %2"
code=$?
check '[ $code -ne 0 ] && grep -q "without a signature" <(log_of "$A/build.log")' "a command that signs nothing gave a build: $(log_of "$A/build.log" | tail -2)"
check '[ -z "$(ls "$P/dist" 2>/dev/null)" ]' "the build that signed nothing left files"
build dist "osslsigncode sign -in"
code=$?
check '[ $code -ne 0 ] && grep -q "names no %1" <(log_of "$A/build.log")' "a command without %1 gave: $(log_of "$A/build.log" | tail -2)"

[ $fail -eq 0 ] || { echo "--- build.log"; log_of "$A/build.log" | tail -20; }
exit $fail
