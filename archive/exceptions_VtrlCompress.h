// The archive's error classes: the EVC family (archive component) and its
// EVCFH branch (directory), with the system's fixed message texts.
#pragma once

#include <string>

#include "SysUtils.h"

namespace vtrl {

class EVC : public Exception {
public:
    explicit EVC(std::string_view Text) : Exception(TranslateMessageText(Text)) {}
};

// Errors that name a file keep the name in FileName; the message is the
// fixed text followed by the name.
#define VTRL_EVC_NAMED(Cls, Parent, Text)                                         \
    class Cls : public Parent {                                                   \
    public:                                                                       \
        explicit Cls(std::string Name) : Parent(Text), FileName(std::move(Name)) { \
            Message += FileName;                                                  \
        }                                                                         \
        std::string FileName;                                                     \
    };
#define VTRL_EVC_PLAIN(Cls, Parent, Text)   \
    class Cls : public Parent {             \
    public:                                 \
        Cls() : Parent(Text) {}             \
    };

VTRL_EVC_PLAIN(EVCCannotCreateTemp, EVC, "Cannot open a temporary file into which to compress a file")
VTRL_EVC_NAMED(EVCCouldNotOpenFile, EVC, "Could not open the following file: ")
VTRL_EVC_NAMED(EVCCouldNotCreateFile, EVC, "Could not create the file ")
VTRL_EVC_PLAIN(EVCDiskFull, EVC, "Disk is full")
VTRL_EVC_PLAIN(EVCStop, EVC, "Operation aborted by user")
VTRL_EVC_PLAIN(EVCNewDiskEventNotAssigned, EVC,
               "There was no event handler for the OnNewDisk event, therefore no new disk could be inserted")
VTRL_EVC_PLAIN(EVCNotEnoughSpace, EVC, "There is too little space on this disk to operate")
VTRL_EVC_NAMED(EVCWrongDecompressedSize, EVC,
               "The decompressed file's size does not match with the actual size the file.  The file is ")

// Its message carries the name; the inherited FileName stays empty.
class EVCCouldNotOpenCompressedFile : public EVCCouldNotOpenFile {
public:
    explicit EVCCouldNotOpenCompressedFile(const std::string& Name) : EVCCouldNotOpenFile("") {
        Message = TranslateMessageText(
                      "Could not open the compressed file. The following value is the current value of "
                      "the CompressedFile property: ") +
                  Name;
    }
};

class EVCFH : public EVC {
public:
    using EVC::EVC;
};
VTRL_EVC_PLAIN(EVCFHInvalidNewFileHeader, EVCFH, "Tried to add an invalid file header")
VTRL_EVC_NAMED(EVCFHFileNotInArchive, EVCFH, "The following file was not found in the archive: ")
VTRL_EVC_PLAIN(EVCFHCannotReadHeaders, EVCFH,
               "Could not read the file headers for the compressed file. The Archive file could possible be corrupt.")
VTRL_EVC_PLAIN(EVCFHCannotWriteHeaders, EVCFH, "Could not write the file headers for the compressed file")
VTRL_EVC_PLAIN(EVCFHCannotReadHeaderCount, EVCFH, "Could not read the file header count for the compressed file")

#undef VTRL_EVC_NAMED
#undef VTRL_EVC_PLAIN

}  // namespace vtrl
