// TInstallFile: the work on one file (read, compress, install, copy).
#include "cmp_TInstallFile.h"

namespace vtrl {

TVtrlCompress& VtrlCompress() {
    static TVtrlCompress* shared = new TVtrlCompress(nullptr);
    return *shared;
}

void TInstallFile::ProcessHelpers() { throw Exception("Installing files is not available yet: " + FFileName); }
void TInstallFile::CompressFile() { throw Exception("Compressing files is not available yet: " + FFileName); }
void TInstallFile::CopyFile() { throw Exception("Copying files is not available yet: " + FFileName); }
void TInstallFile::ReadArchiveInfo() { CheckedArchiveFile(); }
void TInstallFile::ReadSourceInfo() {}
void TInstallFile::ReplaceFile(const std::string&) {}
void TInstallFile::ContinueAfterReboot() {}
void TInstallFile::WriteUninstallInfo(const std::string&) {}
void TInstallFile::RegisterDLLServer() {}
void TInstallFile::RegisterEXEServer() {}
bool TInstallFile::HasSelfRegisterFlag() { return false; }
void TInstallFile::IncrementSharedDLLCount() {}

}  // namespace vtrl
