// Reading the trailer of a self-extracting setup program. Apart from the
// archive directory, which the loading program links without Format.
#include "FileShim.h"
#include "cmp_TFileHeaders.h"

namespace vtrl {

TExtractionInfo ReadExtractionInfo(const std::string& SetupFile) {
    TFileHandleOwner f(FileOpenRead(SetupFile));
    if (!f.Valid())
        throw Exception(Fmt(TranslateMessageText("Could not open the archive file %s when trying to find the correct "
                                                 "offset into the self extracting file"),
                            SetupFile));
    TExtractionInfoBytes b{};
    int64_t size = FileSize(f.Get());
    if (size < ExtractionInfoSize || FileSeek(f.Get(), size - ExtractionInfoSize, soFromBeginning) < 0 ||
        FileRead(f.Get(), b.data(), ExtractionInfoSize) != ExtractionInfoSize)
        throw Exception(Fmt(TranslateMessageText("Could not read the extraction info from the archive file %s when "
                                                 "trying to find the correct offset into the self extracting file"),
                            SetupFile));
    return DecodeExtractionInfo(b.data());
}

}  // namespace vtrl
