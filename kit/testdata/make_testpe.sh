#!/bin/bash
# Rebuilds the small libraries the resource writer's native tests read:
#   testpe64_none.dll  x86_64, no resources
#   testpe64.dll       x86_64, manifest, version, bitmap, RCDATA
#   testpe64_def.dll   x86_64, the same and an INSTALLDEFINITION (language 1033)
#   testpe32.dll       i686 (PE32), the resources of testpe64.dll
#   testpe64_server.dll x86_64, version information marked OLESelfRegister
# The outputs are committed: the native build has no cross compiler.
set -e
cd "$(dirname "$0")"
build() {  # ARCH OUT [RC]
  local cc=$1-w64-mingw32-gcc obj= entry=DllMainCRTStartup
  [ "$1" = i686 ] && entry=_DllMainCRTStartup@12
  if [ -n "${3:-}" ]; then
    $1-w64-mingw32-windres "$3" -O coff -o "$2.res.o"
    obj=$2.res.o
  fi
  $cc -Os -shared -nostdlib -s -Wl,--no-insert-timestamp -Wl,--dynamicbase -Wl,-e,$entry -o "$2" testpe.c $obj
  rm -f "$2.res.o"
}
build x86_64 testpe64_none.dll
build x86_64 testpe64.dll testpe.rc
build x86_64 testpe64_def.dll testpe_def.rc
build i686 testpe32.dll testpe.rc
build x86_64 testpe64_server.dll testpe_server.rc
