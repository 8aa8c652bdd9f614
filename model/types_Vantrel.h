// Enumerations shared by the install components.
#pragma once

#include "Classes.h"

namespace vtrl {

// How a stored location is anchored on the target machine.
VTRL_ENUM(TPathSpecifiers, ddAbsolute, ddSystem, ddWindows, ddProgramFilesDir, ddCommonFilesDir, ddLoading,
          ddContainerDestDir, ddContainerArchiveFile, ddObjectLink, ddBDEDLLDir, ddMainInstallDir,
          ddDesktopMenuDir, ddProgramMenuDir, ddStartMenuDir, ddFontDir, ddStartUpMenuDir)
using TPathSpecifierSet = TSet<TPathSpecifiers>;

VTRL_ENUM(TInstallType, itFull, itDefault, itCompact, itAlways, itCustom)
using TInstallTypes = TSet<TInstallType>;

// Which pass a file container is running.
VTRL_ENUM(TFileContainerState, fcsNone, fcsCompress, fcsInstall, fcsCopy)

VTRL_ENUM(TInstallFileType, iftNormal, iftJustADLL, iftApplicationSpecificDLL, iftVendorSharedDLL,
          iftSystemWideDLL)
VTRL_ENUM(TInstallFileState, ifsNone, ifsCompress, ifsInstall, ifsCopying)

// Processing ranks: helpers are sorted by rank first.
constexpr int32_t rkFileGroup = 1000;
constexpr int32_t rkFile = 2000;
constexpr int32_t rkShellLinkGroup = 7000;
constexpr int32_t rkShellLink = 8000;
constexpr int32_t rkRegistry = 8500;
// Dialog managers and dialog components: the receivers of broadcasts.
constexpr int32_t rkDialog = 9000;

// Registry key under which every product's uninstall record lives.
inline constexpr const char* UninstallKeyBase = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

}  // namespace vtrl
