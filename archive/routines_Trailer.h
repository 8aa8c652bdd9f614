// Where the trailer of a self-extracting setup program lies.
//
// Unsigned, the program ends with its trailer:
//   loading program | "setup.1" | "files.1" | trailer (56 bytes)
// Signed afterwards (Authenticode), the signer pads the file with zeros to
// a multiple of 8 and appends its certificate table, whose place it writes
// into the PE header (data directory 4, a file offset and a size):
//   loading program | "setup.1" | "files.1" | trailer | 0-7 zeros | table
// The signature covers the archives, so they stay where the build put them.
//
// No Format here: the loading program links this.
#pragma once

#include <cstdint>
#include <string>

#include "FileShim.h"
#include "types_Archive.h"

namespace vtrl {

// The certificate table as the PE header places it.
struct TCertificateTable {
    int64_t Offset = 0;
    int64_t Size = 0;
};

// True when Head (the file's first bytes, HeadSize of them) is a PE image
// whose header names a certificate table; Table then holds its place,
// unchecked.
bool ReadCertificateTable(const uint8_t* Head, size_t HeadSize, TCertificateTable& Table);

// The bytes of the head ReadCertificateTable needs from any PE image whose
// PE signature lies in its first 4 KB (linkers put it at 0x40 to 0x200).
inline constexpr size_t CertificateHeadSize = 4096 + 24 + 240;

struct TTrailerPlace {
    TExtractionInfo Info;  // the 56 bytes before End, decoded
    int64_t End = 0;       // where the trailer ends: the file's size, or its certificate table less the padding
    bool Signed = false;   // a certificate table follows
    bool Found = false;    // a sound trailer lies at End - 56 (IsSoundTrailer)
    std::string Damage;    // when not empty: the certificate table is damaged, and how
};

// Finds the trailer of the open file File. An unsigned file's last 56 bytes
// are taken whatever they hold, as the readers always took them; in a
// signed file the trailer is looked for before the table. A table that
// lies outside the file, is not the file's last part or covers the
// archives is damage, described in Damage.
TTrailerPlace FindTrailer(TFileHandle File);

// The positions of X describe the file exactly up to End: loading
// program, "setup.1", "files.1" and the trailer, without gaps.
bool DescribesSetupProgram(const TExtractionInfo& X, int64_t End);
// The 56 bytes at Trailer are a sound trailer ending at End: the
// signature, and positions that describe the file up to End.
bool IsSoundTrailer(const uint8_t* Trailer, int64_t End);

// Clears the certificate table's entry in the PE header Head (the same
// head ReadCertificateTable reads): the loading program cut out of a
// signed setup program carries no signature.
bool ClearCertificateTable(uint8_t* Head, size_t HeadSize);

}  // namespace vtrl
