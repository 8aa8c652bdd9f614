// TUninstallEXE: the install file that installs the uninstall program and
// writes the uninstall record's top-level values instead of a file entry.
#pragma once

#include "cmp_TInstallFile.h"

namespace vtrl {

// Installed like any file (in a definition it is the file "uninstall.exe"
// in its container's destination directory). It is never listed under
// "Files" or "ActiveX": the uninstall program removes itself separately.
class TUninstallEXE : public TInstallFile {
    VTRL_CLASS(TUninstallEXE)
public:
    using TInstallFile::TInstallFile;

    // Writes "DisplayName" = ProductName and "UninstallString" = the quoted
    // program path, a blank and ProductName under Key. Raises Exception when
    // there is no TInstall, EIRCannotWriteValue when a write fails.
    void WriteUninstallInfo(const std::string& Key) override;
};

}  // namespace vtrl
