#!/bin/bash
# Runs the platform cases of shelllink_test in a Wine prefix of its own, set
# to one Windows version (the version is prefix-wide), with a display of its
# own: Program Manager's DDE server lives only while Wine's desktop runs.
# Usage: shelllink_platform_test.sh TEST_EXE VERSION PREFIX_DIR
set -euo pipefail
exe=$(realpath -m "$1") version=$2 prefix=$(realpath -m "$3")  # Wine wants absolute paths
root=$(cd "$(dirname "$0")/.." && pwd)
export VTRL_WINEPREFIX=$prefix VTRL_WINEVERSION=$version WINEPREFIX=$prefix
status=0
"$root/tools/with-display" bash -c '
  "$0" reg query "HKCU\\Software\\Wine" >/dev/null 2>&1  # makes the prefix
  rm -rf "$WINEPREFIX/drive_c/vtrltest"
  VTRL_PLATFORM_VERSION='"$version"' "$0" "$1" --gtest_brief=1 --gtest_filter="ShellLinkPlatform.*"
  code=$?
  # Program Manager opens a folder window (an explorer process of this
  # prefix) for every group it shows; they would keep the prefix, and this
  # script, alive. The prefix is this test'"'"'s own: end its processes, and
  # let its wineserver end before the display goes.
  /usr/lib/wine/wineserver -k 2>/dev/null
  /usr/lib/wine/wineserver -w
  exit $code' "$root/tools/wine-run" "$exe" || status=1
exit $status
