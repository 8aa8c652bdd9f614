# The helpers of an end-to-end script that runs in a Wine prefix of its
# own. Source it after setting WINEPREFIX and wine_run (tools/wine-run).
#   wr ...        runs a Windows program (its output as it comes)
#   quiet ...     runs one with its output dropped
#   drive L DIR   maps the drive L: to DIR
#   problem TEXT  reports a failed check (the script ends with exit $fail)
#   value KEY NAME  a registry value's data as reg prints it
# The prefix's server is ended when the script ends.
end_prefix() { /usr/lib/wine/wineserver -k 2>/dev/null; /usr/lib/wine/wineserver -w 2>/dev/null; }
trap end_prefix EXIT
wr() { "$wine_run" "$@"; }
quiet() { "$wine_run" "$@" >/dev/null 2>&1; }
drive() { ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"; }
fail=0
problem() { echo "FAIL: $*"; fail=1; }
value() { wr reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/^ .* REG_[A-Z_]* *//p'; }
