#!/bin/bash
# Fault injection, end to end under Wine: the sample product "Gizmo"
# (e2e/testdata/gizmo.vdf) is built into a real distribution and installed
# silently through the real loading program while one thing goes wrong:
#
#   1a/1b  an unknown option (/FOO) and "/?" (the usage asked for: exit code 0)
#   2      uninstall with a wrong product name ("Gizmoo")
#   3/3p   a damaged member in the middle of files.1 (self-extracting and
#          plain-directory form)
#   4      files.1 missing from a plain distribution directory
#   5      the destination drive fills up half-way (a small tmpfs behind X:)
#   6      a destination file held open by another program (holdfile.exe):
#          not a failure but a replacement at restart, exit code 3010
#   7      a volume (files.2) missing from a floppy set
#
# For each row it checks: a) the run ends within $FAULT_TIMEOUT seconds,
# b) exit code 1, c) the log names the file and the cause, d) the older
# copies seeded in the destination (dated 2001, overwrite mode owAlways) are
# byte-identical unless the log says they were installed, and no file is
# left half-written, e) the uninstall program, when the partial install
# wrote a record, removes what the install wrote and keeps the seeded files
# and the user's own file. It prints one line per row and exits non-zero
# when any check fails.
#
# Everything runs in a Wine prefix of its own under WORK_DIR (drive letters
# and the restart-time deletions are prefix-wide), recreated on every run;
# the logs stay there for inspection.
# Usage: fault_injection_test.sh SETUP_GIZMO LOADER UNINSTALL VTRLARC HOLDFILE WINE_RUN WORK_DIR
set -u
# One display for every Wine program of the run (wine-run would start an
# Xvfb per program otherwise).
if [ -z "${DISPLAY:-}" ]; then
  exec "$(cd "$(dirname "$0")/.." && pwd)/tools/with-display" bash "$0" "$@"
fi
[ $# -eq 7 ] || { echo "usage: $0 SETUP_GIZMO LOADER UNINSTALL VTRLARC HOLDFILE WINE_RUN WORK_DIR"; exit 2; }
setup_gizmo=$(realpath "$1") loader=$(realpath "$2") uninstall_exe=$(realpath "$3")
vtrlarc=$(realpath "$4") holdfile=$(realpath "$5") wine_run=$(realpath "$6") work=$(realpath -m "$7")
TIMEOUT=${FAULT_TIMEOUT:-90}   # each install and uninstall
BUILD_TIMEOUT=300               # building the distribution and the floppy set

export VTRL_WINEPREFIX=$work/prefix WINEPREFIX=$work/prefix WINEDEBUG=-all
C=$WINEPREFIX/drive_c/gizmo            # C:\gizmo: builder, kit, distributions, logs
XDIR=$work/xdrive                      # drive X: in the ordinary rows
DEST=$XDIR/Gizmo                       # X:\Gizmo, the product's destination
PRODUCT=Gizmo
RECORD="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUCT"
SESSION='HKLM\System\CurrentControlSet\Control\Session Manager'
NOTES="My Notes.txt"                   # the user's own file beside the product
SEEDED=(readme.txt Data/alpha.dat Data/bravo.dat Data/charlie.txt Data/delta.dat)
CAUSE_MISSING='not found|cannot find|could not find|cannot be found|missing|does not exist|no such|cannot open|could not open'

mounts=()
end_prefix() { /usr/lib/wine/wineserver -k 2>/dev/null; /usr/lib/wine/wineserver -w 2>/dev/null; }
cleanup() {
  end_prefix
  for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
}
trap cleanup EXIT

wr() { "$wine_run" "$@"; }
quiet() { "$wine_run" "$@" >/dev/null 2>&1; }
unix_of() { local p=${1//\\//}; echo "$WINEPREFIX/drive_c/${p#C:/}"; }  # C:\... only
drive() { ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"; }

# ------------------------------------------------------------- the matrix
declare -A TITLE RESULT
ROWS=() NOTICES=()
row() { ROWS+=("$1"); TITLE[$1]=$2; for c in a b c d e; do RESULT[$1.$c]=ok; done; }
fail() {  # fail ROW CHECK REASON: a check can collect several reasons
  local r=$3
  [ ${#r} -gt 160 ] && r="${r:0:157}..."
  if [ "${RESULT[$1.$2]}" = ok ]; then RESULT[$1.$2]="FAIL: $r"; else RESULT[$1.$2]+="; $r"; fi
}
skip_row() { for c in a b c d e; do RESULT[$1.$c]="skipped ($2)"; done; }
# A fault of this script, not of the product: the row fails, saying so.
script_fault() { for c in a b c d e; do fail "$1" $c "script: $2"; done; }
print_matrix() {
  echo
  echo "=== fault injection: a) ends  b) exit code 1  c) log names file and cause  d) older files kept  e) uninstall"
  local bad=0 id c
  for id in "${ROWS[@]}"; do
    printf '%-3s %-33s' "$id" "${TITLE[$id]}"
    for c in a b c d e; do
      printf ' | %s) %s' $c "${RESULT[$id.$c]}"
      [[ ${RESULT[$id.$c]} == FAIL* ]] && bad=1
    done
    echo
  done
  local n
  for n in "${NOTICES[@]}"; do echo "note: $n"; done
  return $bad
}

# ------------------------------------------------------------- the product

# Random data keeps the data files' archived size near their real size, so
# that the small disks below fill up where the script expects; charlie.txt
# is text, so that damage lands inside Huffman-coded data, not a stored block.
make_product() {
  mkdir -p "$work/src/Data" "$work/u" "$work/older" "$work/logs"
  printf 'Gizmo 2.0\r\nThe new read-me.\r\n' > "$work/src/readme.txt"
  printf '[Gizmo]\r\nColor=Blue\r\n' > "$work/src/gizmo.ini"
  local f
  for f in alpha bravo delta echo; do head -c 262144 /dev/urandom > "$work/src/Data/$f.dat"; done
  seq 1 30000 | sed 's/^/Gizmo measurement line /' > "$work/src/Data/charlie.txt"
  cp "$uninstall_exe" "$work/u/uninstall.exe"
  touch -d '2024-05-06 07:08:10' "$work"/src/* "$work"/src/Data/* "$work/u/uninstall.exe"
}
# The product's own bytes of a destination file (relative to X:\Gizmo).
new_copy() { if [ "$1" = uninstall.exe ]; then echo "$work/u/uninstall.exe"; else echo "$work/src/$1"; fi; }

# build_distribution: setup.exe *BUILD into C:\gizmo\dist, and the plain
# directory form (loading program as setup.exe, setup.1, files.1) in
# C:\gizmo\plain. Ends the script when the build fails: no row can run.
build_distribution() {
  end_prefix
  local m
  while read -r m; do umount "$m"; done < <(findmnt -rn -o TARGET | grep -F "$work/")
  rm -rf "$work"; mkdir -p "$work"
  make_product
  quiet wineboot -i
  mkdir -p "$C/builder" "$C/kit" "$C/user" "$C/logs" "$XDIR"
  drive p "$work/src"; drive u "$work/u"; drive x "$XDIR"
  cp "$setup_gizmo" "$C/builder/setup.exe"
  cp "$loader" "$C/kit/VantrelLoadProgram.exe"
  printf 'C:\\gizmo\\dist\r\n' > "$C/builder/BUILD.INF"
  # One Wine session from the registry value to the build: once (in a CI
  # run) the build found the value blank, as if the write had been lost
  # between two sessions of the fresh prefix. The value is read back too.
  /usr/lib/wine/wineserver -p
  local try
  for try in 1 2 3; do
    quiet reg add 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory /d 'C:\gizmo\kit' /f
    wr reg query 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory 2>/dev/null | grep -qF 'C:\gizmo\kit' && break
    echo "note: the registry value VantrelDirectory was not there after writing it (try $try)"
  done
  (cd "$C/builder" && timeout -k 10 "$BUILD_TIMEOUT" "$wine_run" setup.exe /SILENT '/LOG=C:\gizmo\logs\build.log' '*BUILD' \
     </dev/null >/dev/null 2>&1)
  local code=$?
  if [ $code -ne 0 ] || [ ! -f "$C/dist/setup.exe" ] || [ ! -f "$C/dist/files.1" ]; then
    echo "The distribution could not be built (exit code $code):"; cat "$C/logs/build.log" 2>/dev/null
    exit 1
  fi
  mkdir -p "$C/plain"
  cp "$loader" "$C/plain/setup.exe"
  cp "$C/dist/setup.1" "$C/dist/files.1" "$C/plain/"
}

# members FILE: one line per archive member: key, first and last volume,
# data position (from the archive's start) and compressed size. FILE is an
# archive, a disk set's volume 1 or a self-extracting setup.exe.
members() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
off = 0
if len(data) >= 56 and data[-56] == 14 and data[-55:-41] == b'SELFEXTRACTING':
    off = struct.unpack_from('<i', data, len(data) - 56 + 24)[0]
count, multi = struct.unpack_from('<i', data, off)[0], data[off + 4]
pos = 5
for _ in range(count):
    rec = data[off + pos:off + pos + 164]
    key = rec[21:21 + rec[20]].decode('utf-8', 'replace')
    nxt, _, datapos, csize = struct.unpack_from('<4i', rec, 124)
    print(f"{key}\t{rec[140]}\t{rec[12]}\t{off + datapos}\t{csize}")
    pos = pos + 164 if multi else nxt
PY
}

# damage FILE NAME: flips 16 bytes in the middle of the compressed data of
# the member whose key ends in NAME.
damage() {
  local line
  line=$(members "$1" | grep -i -- "\\\\$2	") || { echo "no member $2 in $1"; return 1; }
  python3 - "$1" "$(cut -f4 <<<"$line")" "$(cut -f5 <<<"$line")" <<'PY'
import sys
path, pos, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
with open(path, 'r+b') as f:
    f.seek(pos + size // 2)
    b = f.read(16)
    f.seek(pos + size // 2)
    f.write(bytes(x ^ 0xFF for x in b))
PY
}

# ---------------------------------------------------------- shared steps

# reset: no product installed, no record, no pending deletion; X: is the
# ordinary drive again.
reset_state() {
  quiet reg delete "$RECORD" /f
  quiet reg delete "$SESSION" /v PendingFileRenameOperations /f
  drive x "$XDIR"
  rm -rf "$DEST"
}

# seed DEST_ROOT FILE...: older copies of product files (relative to
# X:\Gizmo), dated 2001, plus the user's own notes and settings. The older
# bytes are kept in $work/older for comparison.
seed() {
  local root=$1 f; shift
  rm -rf "$work/older"; mkdir -p "$work/older"
  SEEDS=("$NOTES" gizmo.ini "$@")
  for f in "${SEEDS[@]}"; do
    mkdir -p "$(dirname "$work/older/$f")" "$(dirname "$root/$f")"
    { printf 'Gizmo 1.0: the older %s\r\n' "$f"; head -c 3000 /dev/urandom; } > "$work/older/$f"
    cp "$work/older/$f" "$root/$f"
    touch -d '2001-02-03 04:05:06' "$root/$f"
  done
  DIRS_BEFORE=$(cd "$root/.." && find "$(basename "$root")" -type d | sort)
}

# run_windows DIR TIMEOUT PROGRAM ARGS...: runs a Windows program from DIR;
# sets code (the exit code, or "hangs") and ends every process of the
# prefix when it does not end in time.
run_windows() {
  local dir=$1 limit=$2; shift 2
  (cd "$dir" && timeout -k 10 "$limit" "$wine_run" "$@" </dev/null >"$work/stdout.txt" 2>"$work/stderr.txt")
  code=$?
  if [ $code -eq 124 ] || [ $code -eq 137 ]; then
    code=hangs
    end_prefix
  fi
}

# install ROW PROGRAM [ARGS...]: the silent install, logged to
# C:\gizmo\logs\ROW.log; sets code and log (with standard error).
install() {
  local id=$1 program=$2; shift 2
  rm -f "$C/logs/$id.log"
  run_windows "$C/user" "$TIMEOUT" "$program" /SILENT "/LOG=C:\\gizmo\\logs\\$id.log" "$@"
  log=$(cat "$C/logs/$id.log" "$work/stderr.txt" 2>/dev/null | tr -d '\r')
}

# uninstall ROW NAME [PROGRAM]: the uninstall program (the installed one
# unless PROGRAM is given), silently; sets code and ulog.
uninstall() {
  rm -f "$C/logs/$1-uninstall.log"
  run_windows "$C/user" "$TIMEOUT" "${3:-X:\\Gizmo\\uninstall.exe}" /SILENT "/LOG=C:\\gizmo\\logs\\$1-uninstall.log" "$2"
  ulog=$(cat "$C/logs/$1-uninstall.log" "$work/stderr.txt" 2>/dev/null | tr -d '\r')
}

has_record() { quiet reg query "$RECORD"; }
pending_self_delete() {
  wr reg query "$SESSION" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' | grep -qiF 'Gizmo\uninstall.exe'
}
# The files under X:\Gizmo with their checksums, for "nothing changed".
snapshot() { (cd "$DEST" 2>/dev/null && find . -type f -exec md5sum {} + | sort -k2); }
installed_in_log() { grep -qiF "Installed X:\\Gizmo\\${1//\//\\}" <<<"$log"; }

# ----------------------------------------------------------- the checks

# a) and b): the run ended, with exit code 1.
check_end() {
  if [ "$code" = hangs ]; then
    fail "$1" a "hangs (no end within $TIMEOUT s)"
    fail "$1" b "no exit code (hangs)"
    return
  fi
  [ "$code" -eq "${2:-1}" ] || fail "$1" b "exit code $code ($(grep -o 'Exit code [0-9]*' <<<"$log" | sort -u | tr '\n' ' ' | sed 's/ $//'))"
}

# c): CHECK_LOG ROW NAME_RE CAUSE_RE: the log's failure lines (all but the
# progress lines) name the file and the cause.
check_log() {
  local failure
  failure=$(grep -v -E 'Installed |Mode: |Run started|Exit code|Deleted presetup' <<<"$log")
  local said
  said=$(grep -m1 -iE 'fail|error|cannot|could not|usage' <<<"$failure" | sed 's/^[a-z]*: //')
  [ -n "$said" ] || said=$(tail -n1 <<<"$failure")
  grep -qiE -- "$2" <<<"$failure" || fail "$1" c "no name ${2//\\/}: \"$said\""
  grep -qiE -- "$3" <<<"$failure" || fail "$1" c "no cause: \"$said\""
  # A failed call whose error text is that of success names no cause.
  grep -qiE 'Success\.|completed successfully' <<<"$failure" && fail "$1" c "the cause reads as success: \"$said\""
}

# d): CHECK_FILES ROW [MUST_KEEP...]: every seeded file is its older copy,
# or, when the log reports it installed and it is not in MUST_KEEP, the
# product's copy; every other file is a complete product file. Sets KEPT
# to the seeded files still holding their older bytes.
check_files() {
  local id=$1 f rel new; shift
  local must=" $* $NOTES gizmo.ini "
  KEPT=()
  for f in "${SEEDS[@]}"; do
    if [ ! -e "$DEST/$f" ]; then fail "$id" d "$f deleted"; continue; fi
    if cmp -s "$DEST/$f" "$work/older/$f"; then KEPT+=("$f"); continue; fi
    new=$(new_copy "$f")
    if [[ $must == *" $f "* ]] || ! installed_in_log "$f"; then
      if cmp -s "$DEST/$f" "$new"; then fail "$id" d "$f replaced although its install failed or never ran"
      else fail "$id" d "$f damaged ($(stat -c %s "$DEST/$f") bytes)"; fi
    elif ! cmp -s "$DEST/$f" "$new"; then
      fail "$id" d "$f neither the older nor the new copy"
    fi
  done
  while IFS= read -r -d '' f; do
    rel=${f#"$DEST"/}
    [[ " ${SEEDS[*]} " == *" $rel "* ]] && continue
    new=$(new_copy "$rel")
    [ -f "$new" ] && cmp -s "$f" "$new" && continue
    if [ -f "$new" ]; then fail "$id" d "$rel left incomplete ($(stat -c %s "$f") of $(stat -c %s "$new") bytes)"
    else fail "$id" d "stray file $rel"; fi
  done < <(find "$DEST" -type f -print0 2>/dev/null)
}

# e): CHECK_UNINSTALL ROW [nothing]: with a record, the uninstall program
# removes all the install wrote (its own file may wait for the restart)
# and keeps KEPT; without one, the install must have written nothing.
# "nothing": the row must not install anything, so no record either.
check_uninstall() {
  local id=$1 expect=${2:-} f rel
  if ! has_record; then
    while IFS= read -r -d '' f; do
      rel=${f#"$DEST"/}
      [[ " ${KEPT[*]} " == *" $rel "* ]] || fail "$id" e "no uninstall record, but $rel was written"
    done < <(find "$DEST" -type f -print0 2>/dev/null)
    return
  fi
  [ "$expect" = nothing ] && fail "$id" e "an uninstall record was written"
  if [ -f "$DEST/uninstall.exe" ]; then
    uninstall "$id" "$PRODUCT"
  else
    # The run stopped before the uninstall program was installed; the
    # record must still be one that the program can follow.
    NOTICES+=("row $id: the record was written before uninstall.exe was installed; removed with a copy of the program")
    cp "$work/u/uninstall.exe" "$C/kit/uninstall.exe"
    uninstall "$id" "$PRODUCT" 'C:\gizmo\kit\uninstall.exe'
  fi
  if [ "$code" = hangs ]; then fail "$id" e "uninstall hangs"; return; fi
  [ "$code" -eq 0 ] || fail "$id" e "uninstall exit code $code"
  has_record && fail "$id" e "record still there"
  while IFS= read -r -d '' f; do
    rel=${f#"$DEST"/}
    [[ " ${KEPT[*]} " == *" $rel "* ]] && continue
    [ "$rel" = uninstall.exe ] && pending_self_delete && continue
    fail "$id" e "left $rel"
  done < <(find "$DEST" -type f -print0 2>/dev/null)
  for f in "${KEPT[@]}"; do
    cmp -s "$DEST/$f" "$work/older/$f" || fail "$id" e "removed or changed the user's $f"
  done
  while IFS= read -r f; do
    grep -qxF "$f" <<<"$DIRS_BEFORE" || [ -n "$(ls -A "$XDIR/$f" 2>/dev/null)" ] || fail "$id" e "left empty directory $f"
  done < <(cd "$XDIR" && find Gizmo -type d 2>/dev/null | sort)
}

# ---------------------------------------------------------------- rows

row_unknown_option() {  # 1a / 1b
  local id=$1 option=$2
  row "$id" "unknown option $option"
  reset_state
  seed "$DEST" "${SEEDED[@]}"
  install "$id" 'C:\gizmo\dist\setup.exe' "$option"
  # The usage asked for ends well; a wrong option does not.
  if [ "$option" = '/?' ]; then check_end "$id" 0; else check_end "$id"; fi
  grep -qi usage <<<"$log" || fail "$id" c "no usage message: \"$(head -c 100 <<<"$log")\""
  [ "$option" = '/?' ] || grep -qiF -- "$option" <<<"$log" || fail "$id" c "the option $option is not named"
  check_files "$id" "${SEEDED[@]}"
  check_uninstall "$id" nothing
}

row_wrong_product_name() {  # 2
  local id=2 before after record_before record_after
  row $id "uninstall \"Gizmoo\""
  reset_state
  seed "$DEST"
  install 2-install 'C:\gizmo\dist\setup.exe'
  if [ "$code" != 0 ] || ! has_record; then
    for c in a b c d e; do fail $id $c "the install before it failed (exit code $code)"; done
    return
  fi
  check_files $id
  before=$(snapshot); record_before=$(wr reg query "$RECORD" /s 2>/dev/null)
  uninstall $id Gizmoo
  log=$ulog
  check_end $id
  check_log $id 'Gizmoo' 'not found|not installed|no (uninstall )?record|unknown|cannot find|could not find|does not exist|no such'
  after=$(snapshot); record_after=$(wr reg query "$RECORD" /s 2>/dev/null)
  [ "$before" = "$after" ] || fail $id d "files changed: $(diff <(echo "$before") <(echo "$after") | grep '^[<>]' | head -3 | tr '\n' ' ')"
  [ "$record_before" = "$record_after" ] || fail $id d "the uninstall record changed"
  [ -f "$DEST/uninstall.exe" ] || fail $id d "uninstall.exe deleted"
  pending_self_delete && fail $id d "uninstall.exe scheduled for deletion"
  # The first run's own deletion would not be told apart from the second's.
  quiet reg delete "$SESSION" /v PendingFileRenameOperations /f
  check_uninstall $id
}

row_damaged_member() {  # 3 / 3p
  local id=$1 form=$2 dir=$C/damaged-$1
  row "$id" "damaged member ($form)"
  reset_state
  rm -rf "$dir"; mkdir -p "$dir"
  if [ "$form" = self-extracting ]; then cp "$C/dist/setup.exe" "$dir/"; victim=$dir/setup.exe
  else cp "$C/plain/"* "$dir/"; victim=$dir/files.1; fi
  damage "$victim" charlie.txt || { script_fault "$id" "no member to damage"; return; }
  # The archive tool must see the damage, or the row would test nothing.
  if (cd "$dir" && quiet "$vtrlarc" test "$(basename "$victim")"); then
    script_fault "$id" "the damage went unnoticed by vtrlarc test"; return
  fi
  seed "$DEST" "${SEEDED[@]}"
  install "$id" "C:\\gizmo\\damaged-$id\\setup.exe"
  check_end "$id"
  check_log "$id" 'charlie\.txt' 'damaged|corrupt|invalid|incorrect|data error|check'
  check_files "$id" Data/charlie.txt Data/delta.dat
  check_uninstall "$id"
}

row_missing_archive() {  # 4
  local id=4 dir=$C/nofiles
  row $id "files.1 missing (plain)"
  reset_state
  rm -rf "$dir"; mkdir -p "$dir"
  cp "$C/plain/setup.exe" "$C/plain/setup.1" "$dir/"
  seed "$DEST" "${SEEDED[@]}"
  install $id 'C:\gizmo\nofiles\setup.exe'
  check_end $id
  check_log $id 'files\.1' "$CAUSE_MISSING"
  check_files $id "${SEEDED[@]}"
  check_uninstall $id nothing
}

row_disk_full() {  # 5
  local id=5 disk=$work/full need=65536 f
  row $id "destination drive fills up"
  reset_state
  # Room for the seeded copies, the program files and alpha.dat, and 64 KB
  # to spare: the disk fills up while bravo.dat is written.
  for f in "$work/u/uninstall.exe" "$work/src/readme.txt" "$work/src/gizmo.ini" "$work/src/Data/alpha.dat"; do
    need=$(( need + ($(stat -c %s "$f") + 4095) / 4096 * 4096 ))
  done
  need=$(( need + 7 * 4096 ))   # the seven seeded copies, 3 KB each
  mkdir -p "$disk"
  if ! mount -t tmpfs -o size=$(( need / 1024 ))k tmpfs "$disk" 2>/dev/null; then
    skip_row $id "cannot mount a tmpfs here"; return
  fi
  mounts+=("$disk")
  drive x "$disk"
  DEST=$disk/Gizmo XDIR_SAVED=$XDIR XDIR=$disk
  seed "$DEST" "${SEEDED[@]}"
  install $id 'C:\gizmo\dist\setup.exe'
  check_end $id
  check_log $id 'readme\.txt|uninstall\.exe|gizmo\.ini|alpha\.dat|bravo\.dat|charlie\.txt|delta\.dat|echo\.dat' \
    'space|full'
  check_files $id
  check_uninstall $id
  DEST=$XDIR_SAVED/Gizmo XDIR=$XDIR_SAVED
  drive x "$XDIR"
  end_prefix
  umount "$disk" 2>/dev/null && unset 'mounts[-1]'
}

row_file_in_use() {  # 6
  local id=6 flag=$C/held.flag held_code i pending
  row $id "destination file in use (replaced at restart)"
  reset_state
  seed "$DEST" "${SEEDED[@]}"
  rm -f "$flag"
  (cd "$C/user" && exec "$wine_run" "$holdfile" 'X:\Gizmo\Data\delta.dat' 'C:\gizmo\held.flag' \
     </dev/null >/dev/null 2>"$work/holdfile.txt") &
  local holder=$!
  for i in $(seq 300); do [ -e "$flag" ] || ! kill -0 $holder 2>/dev/null || sleep 0.1; done
  if [ ! -e "$flag" ]; then
    script_fault $id "holdfile could not hold the file: $(cat "$work/holdfile.txt")"
    kill $holder 2>/dev/null; wait $holder 2>/dev/null
    return
  fi
  # Not a failure: the file in use is written beside it and replaces it at
  # the next restart, which this run leaves to the user.
  install $id 'C:\gizmo\plain\setup.exe' /NORESTART
  rm -f "$flag"
  wait $holder; held_code=$?
  if [ "$code" = hangs ]; then fail $id a "hangs (no end within $TIMEOUT s)"
  else grep -q 'Exit code 3010' <<<"$log" || fail $id b "exit code $code, not 3010 (restart needed)"; fi
  grep -qiE 'delta\.dat is in use' <<<"$log" || fail $id c "the log does not say that delta.dat is in use"
  [ "$code" = hangs ] || [ $held_code -eq 0 ] || fail $id d "holdfile ended with $held_code: the file was not held throughout"
  cmp -s "$DEST/Data/delta.dat" "$work/older/Data/delta.dat" || fail $id d "the held delta.dat was changed"
  cmp -s "$DEST/Data/delta.1" "$(new_copy Data/delta.dat)" || fail $id d "Data/delta.1 is not the product's delta.dat"
  pending=$(wr reg query "$SESSION" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
  grep -qiF 'Gizmo\Data\delta.1' <<<"$pending" || fail $id d "no replacement at restart: $pending"
  quiet reg query 'HKLM\SOFTWARE\VANTRELINSTALLING' || fail $id d "no unfinished-install list"
  # What the restart would finish is undone here; the restart itself is
  # tested in prefixes of its own.
  quiet reg delete 'HKLM\SOFTWARE\VANTRELINSTALLING' /f
  find "$WINEPREFIX/drive_c/users" -ipath '*startup*' -iname 'setup.lnk' -delete 2>/dev/null
  rm -f "$DEST/Data/delta.1"
}

# make_floppy_set: "setup.exe *TODISK" onto tmpfs disks behind A:, each just
# large enough for the loading program, setup.1 and 100 KB; answers the disk
# prompts through the build's test handshake. Sets DISKS (the count).
make_floppy_set() {
  local part disk_kb n hand=$C/hand asked=""
  part=$(( $(stat -c %s "$loader") + $(stat -c %s "$C/dist/setup.1") ))
  disk_kb=$(( (part + 102400) / 1024 / 4 * 4 + 4 ))
  DISKS=$(( 2 + $(stat -c %s "$C/dist/files.1") / (disk_kb * 1024) + 1 ))
  for n in $(seq "$DISKS"); do
    mkdir -p "$work/disk$n"
    mount -t tmpfs -o size=${disk_kb}k tmpfs "$work/disk$n" 2>/dev/null || return 1
    mounts+=("$work/disk$n")
  done
  mkdir -p "$hand"; rm -f "$hand"/*
  drive a "$work/disk1"
  (cd "$C/builder" && VTRL_TEST_DISK_HANDSHAKE='C:\gizmo\hand' timeout -k 10 "$BUILD_TIMEOUT" "$wine_run" setup.exe \
     /SILENT '/LOG=C:\gizmo\logs\todisk.log' '*TODISK' setup.exe 'C:\gizmo\dist' </dev/null >/dev/null 2>&1) &
  local pid=$!
  while kill -0 $pid 2>/dev/null; do
    for f in "$hand"/insert*.txt; do
      [ -e "$f" ] || continue
      n=$(basename "$f" .txt); n=${n#insert}
      [ -e "$hand/inserted$n.txt" ] && continue
      asked+=" $n"
      drive a "$work/disk$n"
      echo OK > "$hand/inserted$n.tmp" && mv "$hand/inserted$n.tmp" "$hand/inserted$n.txt"
    done
    sleep 0.2
  done
  wait $pid
}

row_missing_volume() {  # 7
  local id=7 set=$C/set7 n first
  row $id "volume files.2 missing"
  reset_state
  if ! make_floppy_set; then
    if [ ${#mounts[@]} -eq 0 ] || ! mountpoint -q "$work/disk1"; then skip_row $id "cannot mount a tmpfs here"
    else script_fault $id "the floppy set was not written ($(tail -n1 "$C/logs/todisk.log" | tr -d '\r'))"; fi
    return
  fi
  if [ ! -f "$work/disk2/files.2" ]; then
    script_fault $id "the floppy set has no files.2 ($(tail -n1 "$C/logs/todisk.log" | tr -d '\r'))"
    return
  fi
  rm -rf "$set"; mkdir -p "$set"
  cp "$work/disk1/"* "$set/"
  for n in $(seq 3 "$DISKS"); do cp "$work/disk$n"/files.* "$set/" 2>/dev/null; done
  # The first member that reaches into the missing volume, and the seeded
  # files from it on, must stay as they were.
  first=$(members "$set/files.1" | awk -F'\t' '$3 >= 2 { print $1; exit }')
  first=${first##*\\}
  local must=() f reached=no
  for f in readme.txt uninstall.exe gizmo.ini Data/alpha.dat Data/bravo.dat Data/charlie.txt Data/delta.dat Data/echo.dat; do
    [ "${f##*/}" = "$first" ] && reached=yes
    [ $reached = yes ] && [[ " ${SEEDED[*]} " == *" $f "* ]] && must+=("$f")
  done
  seed "$DEST" "${SEEDED[@]}"
  install $id 'C:\gizmo\set7\setup.exe'
  check_end $id
  check_log $id 'files\.2' "$CAUSE_MISSING"
  check_files $id "${must[@]}"
  check_uninstall $id
  end_prefix
  for n in $(seq "$DISKS"); do umount "$work/disk$n" 2>/dev/null; done
  mounts=()
}

# ----------------------------------------------------------------- main
build_distribution
row_unknown_option 1a /FOO
row_unknown_option 1b '/?'
row_wrong_product_name
row_damaged_member 3 self-extracting
row_damaged_member 3p plain
row_missing_archive
row_disk_full
row_file_in_use
row_missing_volume
print_matrix
status=$?
echo "logs: $C/logs"
exit $status
