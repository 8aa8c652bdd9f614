# What the kit's end-to-end scripts share, sourced with root and work set:
# a display (the script runs again under one when there is none), the Wine
# prefix under work, wr to run a program in it, check to note a failure,
# and the prefix's server stopped at the end.
if [ -z "${DISPLAY:-}" ]; then exec "$root/tools/with-display" bash "$0" "$@"; fi
export VTRL_WINEPREFIX=$work/prefix WINEPREFIX=$work/prefix
wr() { "$root/tools/wine-run" "$@"; }
fail=0
check() { if ! eval "$1"; then echo "FAILED: $2"; fail=1; fi; }
trap '/usr/lib/wine/wineserver -k 2>/dev/null' EXIT

# Runs the QuietUninstallString of the record key $1 from the folder $2, as
# a package tool would; its exit code.
quiet_uninstall() {
  local quiet
  quiet=$(wr reg query "$1" /v QuietUninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
  [ -n "$quiet" ] || { echo "no QuietUninstallString under $1"; return 1; }
  (cd "$2" && eval "wr $(sed 's/\\/\\\\/g' <<<"$quiet")" >/dev/null 2>&1)
}
