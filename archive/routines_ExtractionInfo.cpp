// Reading the trailer of a self-extracting setup program. Apart from the
// archive directory, which the loading program links without Format.
#include "FileShim.h"
#include "cmp_TFileHeaders.h"
#include "routines_Trailer.h"

namespace vtrl {

TTrailerPlace ReadTrailer(const std::string& SetupFile) {
    TFileHandleOwner f(FileOpenRead(SetupFile));
    if (!f.Valid())
        throw Exception(Fmt(TranslateMessageText("Could not open the archive file %s when trying to find the correct "
                                                 "offset into the self extracting file"),
                            SetupFile));
    TTrailerPlace place = FindTrailer(f.Get());
    if (!place.Damage.empty())
        throw Exception(Fmt(TranslateMessageText("The setup program %s is damaged: %s"), SetupFile, place.Damage));
    // Unsigned, the last 56 bytes are the trailer whatever they hold, as
    // they always were; signed, a trailer must have been found.
    if (place.End < ExtractionInfoSize || (place.Signed && !place.Found))
        throw Exception(Fmt(TranslateMessageText("Could not read the extraction info from the archive file %s when "
                                                 "trying to find the correct offset into the self extracting file"),
                            SetupFile));
    return place;
}

TExtractionInfo ReadExtractionInfo(const std::string& SetupFile) { return ReadTrailer(SetupFile).Info; }

}  // namespace vtrl
