// What a file container asks of the files it holds. The file component
// itself lives above the model; the containers reach their files through
// this class only.
#pragma once

// <windows.h> maps CopyFile and ReplaceFile to their A/W forms, which would
// rename the file operations of that name in some files and not in others.
// Include it once here and drop the two macros; code that wants the system
// calls names CopyFileA and ReplaceFileA.
#include <windows.h>
#undef CopyFile
#undef ReplaceFile

#include <string>

#include "cmp_TInstallContainer.h"

namespace vtrl {

class TInstallFileBase : public TFileRelated {
    VTRL_CLASS(TInstallFileBase)
public:
    // Files have the file rank and are installed with their container.
    explicit TInstallFileBase(TComponent* AOwner) : TFileRelated(AOwner) {
        FInclude = true;
        FRank = rkFile;
        FProcessWithContainer = true;
    }

    // The source path at build time, which is also the member's key in the
    // archive.
    virtual std::string SourcePath() const = 0;
    // Copies size, date and version of this file's archive member, when the
    // archive has it.
    virtual void ReadArchiveInfo() = 0;
    // Reads size, date and version of the source file.
    virtual void ReadSourceInfo() = 0;
    // The build pass's work on this file: compresses it into its archive.
    virtual void CompressFile() = 0;
    // The copy pass's work on this file: copies it without packing.
    virtual void CopyFile() = 0;

    // Sizes as the last ReadArchiveInfo or ReadSourceInfo found them.
    int32_t ArchivedSize() const { return FArchivedSize; }
    int32_t UnpackedSize() const { return FUnpackedSize; }

protected:
    int32_t FArchivedSize = 0;
    int32_t FUnpackedSize = 0;
};

}  // namespace vtrl
