#include "routines_Trailer.h"

#include <cstring>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

namespace {

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return static_cast<uint32_t>(GetInt32(p)); }

// PE layout: "MZ", the PE signature's offset at 0x3C; after "PE\0\0" the
// 20-byte file header, then the optional header, whose data directories
// begin at 96 (PE32) or 112 (PE32+) after their count. The certificate
// table is directory 4, and its address is a file offset, not an RVA.
constexpr size_t PEOffsetAt = 0x3C, PEHeadersMax = 4096;
constexpr uint32_t SecurityDirectory = 4;
constexpr int64_t OverlapSearch = 1 << 20;

// Where the certificate table's entry lies in Head, or 0 when Head is no PE
// image or its header has no such entry.
size_t CertificateEntryAt(const uint8_t* Head, size_t HeadSize) {
    if (HeadSize < PEOffsetAt + 4 || Head[0] != 'M' || Head[1] != 'Z') return 0;
    const size_t pe = Get32(Head + PEOffsetAt);
    if (pe > PEHeadersMax || pe + 24 + 2 > HeadSize || std::memcmp(Head + pe, "PE\0\0", 4) != 0) return 0;
    const size_t optional = pe + 24, optionalSize = Get16(Head + pe + 4 + 16);
    size_t count = 0, directories = 0;
    switch (Get16(Head + optional)) {
    case 0x10B: count = 92, directories = 96; break;   // PE32
    case 0x20B: count = 108, directories = 112; break;  // PE32+
    default: return 0;
    }
    const size_t entry = directories + 8 * SecurityDirectory;
    if (entry + 8 > optionalSize || optional + entry + 8 > HeadSize) return 0;
    if (Get32(Head + optional + count) <= SecurityDirectory) return 0;
    return optional + entry;
}

bool ReadAt(TFileHandle File, int64_t Position, void* Buffer, int32_t Count) {
    return FileSeek(File, Position, soFromBeginning) == Position && FileRead(File, Buffer, Count) == Count;
}

std::string TablePlace(const TCertificateTable& T) {
    return "its certificate table (offset " + IntToStr(T.Offset) + ", " + IntToStr(T.Size) + " bytes)";
}

}  // namespace

bool ReadCertificateTable(const uint8_t* Head, size_t HeadSize, TCertificateTable& Table) {
    const size_t entry = CertificateEntryAt(Head, HeadSize);
    if (entry == 0) return false;
    Table.Offset = Get32(Head + entry);
    Table.Size = Get32(Head + entry + 4);
    return Table.Offset != 0 || Table.Size != 0;
}

bool ClearCertificateTable(uint8_t* Head, size_t HeadSize) {
    const size_t entry = CertificateEntryAt(Head, HeadSize);
    if (entry == 0) return false;
    std::memset(Head + entry, 0, 8);
    return true;
}

bool DescribesSetupProgram(const TExtractionInfo& X, int64_t End) {
    return X.SetupStart > 0 && X.SetupLast >= X.SetupStart && X.FilesStart == int64_t(X.SetupLast) + 1 &&
           X.FilesLast >= X.FilesStart && int64_t(X.FilesLast) + 1 + ExtractionInfoSize == End;
}

bool IsSoundTrailer(const uint8_t* Trailer, int64_t End) {
    return Trailer[xi::Signature] == ExtractionSignature.size() &&
           std::memcmp(Trailer + xi::Signature + 1, ExtractionSignature.data(), ExtractionSignature.size()) == 0 &&
           DescribesSetupProgram(DecodeExtractionInfo(Trailer), End);
}

TTrailerPlace FindTrailer(TFileHandle File) {
    TTrailerPlace place;
    const int64_t size = FileSize(File);
    if (size < ExtractionInfoSize) return place;

    std::vector<uint8_t> head(static_cast<size_t>(size < int64_t(CertificateHeadSize) ? size : CertificateHeadSize));
    TCertificateTable table;
    if (!ReadAt(File, 0, head.data(), static_cast<int32_t>(head.size())) ||
        !ReadCertificateTable(head.data(), head.size(), table)) {
        TExtractionInfoBytes b{};
        if (ReadAt(File, size - ExtractionInfoSize, b.data(), ExtractionInfoSize)) {
            place.Info = DecodeExtractionInfo(b.data());
            place.End = size;
            place.Found = IsSoundTrailer(b.data(), size);
        }
        return place;
    }

    place.Signed = true;
    place.End = table.Offset;
    if (table.Offset <= 0 || table.Offset + table.Size > size) {
        place.Damage = TablePlace(table) + " lies outside the file's " + IntToStr(size) + " bytes";
        return place;
    }
    if (table.Size < 8) {  // less than one entry's header
        place.Damage = TablePlace(table) + " is too small to hold a certificate";
        return place;
    }
    if (table.Offset + table.Size != size) {
        place.Damage = TablePlace(table) + " ends before the file's end at " + IntToStr(size) + " bytes";
        return place;
    }
    // The trailer and the signer's padding: the trailer's positions end it
    // exactly, which tells the padding from the trailer's own zeros.
    uint8_t tail[ExtractionInfoSize + 7] = {};
    const int64_t from = table.Offset - int64_t(sizeof tail) < 0 ? 0 : table.Offset - int64_t(sizeof tail);
    const int32_t got = static_cast<int32_t>(table.Offset - from);
    if (ReadAt(File, from, tail, got))
        for (int32_t pad = 0; pad < 8 && got - pad >= ExtractionInfoSize; ++pad) {
            const uint8_t* t = tail + got - pad - ExtractionInfoSize;
            if (pad > 0 && tail[got - pad] != 0) break;  // the padding is zeros
            if (IsSoundTrailer(t, table.Offset - pad)) {
                place.Info = DecodeExtractionInfo(t);
                place.End = table.Offset - pad;
                place.Found = true;
                return place;
            }
        }
    // No trailer before the table. One inside it means the table's entry
    // was moved over the archives; with none, this is a signed program
    // that carries no archives (a loading program beside its "setup.1", or
    // any other program). The search looks at the table's first megabyte.
    const int64_t reach = table.Size < OverlapSearch ? table.Size : OverlapSearch;
    std::vector<uint8_t> region(static_cast<size_t>(reach));
    if (ReadAt(File, table.Offset, region.data(), static_cast<int32_t>(reach)))
        for (size_t at = 0; at + ExtractionInfoSize <= region.size(); ++at)
            if (region[at] == ExtractionSignature.size() &&
                IsSoundTrailer(region.data() + at, table.Offset + int64_t(at) + ExtractionInfoSize)) {
                place.Damage = TablePlace(table) + " overlaps the setup archives";
                break;
            }
    return place;
}

}  // namespace vtrl
