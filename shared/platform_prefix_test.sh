#!/bin/bash
# Runs the platform and restart cases of shared_test in a Wine prefix of its
# own, set to one Windows version, because the version and a restart
# (wineboot -r) are prefix-wide and must not touch the shared prefix.
# Usage: platform_prefix_test.sh TEST_EXE VERSION EXPECTED_CLASS PREFIX_DIR
#   VERSION is a Wine version name (win95, nt40, nt351); the prefix is created
#   on first use and reused by later runs.
set -euo pipefail
exe=$(realpath -m "$1") version=$2 class=$3 prefix=$(realpath -m "$4")  # Wine wants absolute paths
# tools/wine-run creates the prefix of that version on first use.
WINE=$(cd "$(dirname "$0")/.." && pwd)/tools/wine-run
WINESERVER=/usr/lib/wine/wineserver
export VTRL_WINEPREFIX=$prefix VTRL_WINEVERSION=$version WINEPREFIX=$prefix
"$WINE" reg query 'HKCU\Software\Wine' >/dev/null 2>&1  # makes the prefix

# Leftovers of an earlier run (a failed one may not have restarted).
rm -rf "$prefix/drive_c/vtrltest"
find "$prefix/drive_c/windows" -maxdepth 1 -iname 'wininit.*' -delete

run() { "$WINE" "$exe" --gtest_brief=1 "$@"; }

VTRL_EXPECT_PLATFORM=$class run --gtest_filter='PlatformPrefix.*'
status=0
if [ "$class" = 1 ] || [ "$class" = 2 ]; then
  VTRL_RESTART_PHASE=schedule run --gtest_filter='RestartPrefix.*' || status=1
  "$WINE" wineboot -r >/dev/null 2>&1
  VTRL_RESTART_PHASE=after run --gtest_filter='RestartPrefix.*' || status=1
fi
# Let this prefix's wineserver end, so no process of the test outlives it.
"$WINESERVER" -w
exit $status
