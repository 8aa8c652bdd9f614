# The helpers of an end-to-end script that runs in a Wine prefix of its
# own. Source it after setting WINEPREFIX and wine_run (tools/wine-run).
#   wr ...        runs a Windows program (its output as it comes)
#   quiet ...     runs one with its output dropped
#   drive L DIR   maps the drive L: to DIR
#   problem TEXT  reports a failed check (the script ends with exit $fail)
#   value KEY NAME  a registry value's data as reg prints it
#   build_distribution ROOT SETUP LOADER
#                 builds C:\ROOT\dist from SETUP with "*BUILD" (the setup
#                 program in C:\ROOT\builder, the loading program in
#                 C:\ROOT\kit, the log C:\ROOT\logs\build.log); a
#                 failed build ends the script, showing the log
# The prefix's server is ended when the script ends.
end_prefix() { /usr/lib/wine/wineserver -k 2>/dev/null; /usr/lib/wine/wineserver -w 2>/dev/null; }
trap end_prefix EXIT
wr() { "$wine_run" "$@"; }
quiet() { "$wine_run" "$@" >/dev/null 2>&1; }
drive() { ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"; }
fail=0
problem() { echo "FAIL: $*"; fail=1; }
# A query that printed nothing at all never ran (a start lost under load):
# it is asked again; a missing value says so and is not.
value() {
  local out i
  for i in 1 2 3; do
    out=$("$wine_run" reg query "$1" /v "$2" 2>&1) && break
    [ -n "$out" ] && break
  done
  printf '%s\n' "$out" | tr -d '\r' | sed -n 's/^ .* REG_[A-Z_]* *//p'
}
build_distribution() {
  local root=$1 C=$WINEPREFIX/drive_c/$1 code
  mkdir -p "$C/builder" "$C/kit" "$C/logs"
  cp "$2" "$C/builder/setup.exe"
  cp "$3" "$C/kit/VantrelLoadProgram.exe"
  printf 'C:\\%s\\dist\r\n' "$root" > "$C/builder/BUILD.INF"
  /usr/lib/wine/wineserver -p
  quiet reg add 'HKLM\Software\Vantrel Software\Vantrel96' /v VantrelDirectory /d "C:\\$root\\kit" /f
  (cd "$C/builder" && timeout -k 10 300 "$wine_run" setup.exe /SILENT "/LOG=C:\\$root\\logs\\build.log" '*BUILD' \
     </dev/null >/dev/null 2>&1)
  code=$?
  if [ $code -ne 0 ] || [ ! -f "$C/dist/setup.exe" ]; then
    echo "The distribution could not be built (exit code $code):"; tr -d '\r' < "$C/logs/build.log" 2>/dev/null
    exit 1
  fi
}
