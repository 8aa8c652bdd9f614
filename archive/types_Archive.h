// The stored layouts of the archive format: the archive start, the 164-byte
// entry record and the 56-byte self-extracting trailer. These layouts are
// fixed; earlier distributions and the loading program rely on every byte.
//
// Map of an archive (all integers little-endian, "position" counted from
// the start of the archive, which is Offset bytes into its file):
//
//   Single-file layout (MultiVolume = 0), e.g. "files.1":
//     0     start: entry count (4), MultiVolume (1)
//     5     record 1 (164)   data 1 (CompressedSize bytes, one zlib stream)
//     ...   record 2 (164)   data 2 ...            (walked via NextHeaderPos)
//
//   Disk-set layout (MultiVolume = 1), volumes "files.1", "files.2", ...:
//     volume 1:  start (5), record i at 5 + 164 * i, then the data of all
//                members in directory order without gaps;
//     volume n>1: data only, continuing at position 0.
//     A member spans FirstDisk/DataPos to LastDisk/LastBytePos (inclusive).
//
//   Self-extracting setup:
//     loading program | "setup.1" archive | "files.1" archive | trailer (56)
//     The trailer is the file's last 56 bytes; its positions count from the
//     start of the setup program file.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vtrl {

// ---------------------------------------------------------- archive start
inline constexpr int32_t ArchiveStartSize = 5;
inline constexpr int ArchiveStartCount = 0;        // int32: number of entries (members)
inline constexpr int ArchiveStartMultiVolume = 4;  // uint8: 0 single file, 1 disk set

// ----------------------------------------------------------- entry record
inline constexpr int32_t FileHeaderSize = 164;
inline constexpr int MaxSourcePath = 100;
inline constexpr int MaxVersionText = 20;

namespace fh {
inline constexpr int BatchIndex = 0;         // int32: 1-based line of the source list that made the entry
inline constexpr int FileDate = 4;           // double: last-write date, days since 1899-12-30 (local), even seconds
inline constexpr int LastDisk = 12;          // uint8: volume of the last data byte; 0 in a single file
                                             // 13..15: padding, zero
inline constexpr int LastBytePos = 16;       // int32: position in LastDisk of the LAST data byte (inclusive)
inline constexpr int SourcePath = 20;        // length byte (0-100) + 100 chars, unused zero: the member key
                                             // 121..123: padding, zero
inline constexpr int NextHeaderPos = 124;    // int32: position of the next record (single file: after the data)
inline constexpr int UncompressedSize = 128; // int32: bytes before compression
inline constexpr int DataPos = 132;          // int32: position in FirstDisk of the first data byte
inline constexpr int CompressedSize = 136;   // int32: bytes of the zlib stream
inline constexpr int FirstDisk = 140;        // uint8: volume of the first data byte; 0 in a single file
inline constexpr int VersionText = 141;      // length byte (0-20) + 20 chars: file version text, e.g. 4.0.1.0
                                             // 162..163: padding, zero
}  // namespace fh

// The entry record's fields in the order stored.
struct TFileHeaderRecord {
    int32_t BatchIndex = 0;
    double FileDate = 0;
    uint8_t LastDisk = 0;
    int32_t LastBytePos = 0;
    std::string SourcePath;  // at most MaxSourcePath bytes
    int32_t NextHeaderPos = 0;
    int32_t UncompressedSize = 0;
    int32_t DataPos = 0;
    int32_t CompressedSize = 0;
    uint8_t FirstDisk = 0;
    std::string VersionText;  // at most MaxVersionText bytes
};

using TFileHeaderBytes = std::array<uint8_t, FileHeaderSize>;

// ------------------------------------------------- self-extracting trailer
inline constexpr int32_t ExtractionInfoSize = 56;
inline constexpr std::string_view ExtractionSignature = "SELFEXTRACTING";
namespace xi {
inline constexpr int Signature = 0;    // length byte 14 + "SELFEXTRACTING" (readers do not test it)
                                       // 15: zero
inline constexpr int SetupStart = 16;  // int32: where "setup.1" begins (= size of the loading program)
inline constexpr int SetupLast = 20;   // int32: last byte of "setup.1" (inclusive)
inline constexpr int FilesStart = 24;  // int32: where "files.1" begins: its Offset
inline constexpr int FilesLast = 28;   // int32: last byte of "files.1" (inclusive)
inline constexpr int Title = 32;       // length byte (0-20) + 20 chars; always empty (all zero)
                                       // 53..55: zero
}  // namespace xi

struct TExtractionInfo {
    int32_t SetupStart = 0;
    int32_t SetupLast = 0;
    int32_t FilesStart = 0;
    int32_t FilesLast = 0;
    std::string Title;
};

using TExtractionInfoBytes = std::array<uint8_t, ExtractionInfoSize>;

// ------------------------------------------------------- byte-level codec

inline void PutInt32(uint8_t* p, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}
inline int32_t GetInt32(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(u);
}
inline void PutDouble(uint8_t* p, double d) {
    uint64_t u;
    std::memcpy(&u, &d, 8);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}
inline double GetDouble(const uint8_t* p) {
    uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<uint64_t>(p[i]) << (8 * i);
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}
// A length-prefixed text of at most Max characters; longer texts are cut.
inline void PutShortString(uint8_t* p, std::string_view s, int Max) {
    size_t n = s.size() < static_cast<size_t>(Max) ? s.size() : static_cast<size_t>(Max);
    p[0] = static_cast<uint8_t>(n);
    std::memcpy(p + 1, s.data(), n);
}
// False when the length byte exceeds Max (a damaged record).
inline bool GetShortString(const uint8_t* p, int Max, std::string& s) {
    if (p[0] > Max) return false;
    s.assign(reinterpret_cast<const char*>(p + 1), p[0]);
    return true;
}

// The 164 bytes of a record; padding and unused characters are zero.
inline TFileHeaderBytes EncodeFileHeader(const TFileHeaderRecord& r) {
    TFileHeaderBytes b{};
    PutInt32(&b[fh::BatchIndex], r.BatchIndex);
    PutDouble(&b[fh::FileDate], r.FileDate);
    b[fh::LastDisk] = r.LastDisk;
    PutInt32(&b[fh::LastBytePos], r.LastBytePos);
    PutShortString(&b[fh::SourcePath], r.SourcePath, MaxSourcePath);
    PutInt32(&b[fh::NextHeaderPos], r.NextHeaderPos);
    PutInt32(&b[fh::UncompressedSize], r.UncompressedSize);
    PutInt32(&b[fh::DataPos], r.DataPos);
    PutInt32(&b[fh::CompressedSize], r.CompressedSize);
    b[fh::FirstDisk] = r.FirstDisk;
    PutShortString(&b[fh::VersionText], r.VersionText, MaxVersionText);
    return b;
}

// Fills r from 164 bytes; false when a text's length byte is out of range.
inline bool DecodeFileHeader(const uint8_t* b, TFileHeaderRecord& r) {
    r.BatchIndex = GetInt32(b + fh::BatchIndex);
    r.FileDate = GetDouble(b + fh::FileDate);
    r.LastDisk = b[fh::LastDisk];
    r.LastBytePos = GetInt32(b + fh::LastBytePos);
    r.NextHeaderPos = GetInt32(b + fh::NextHeaderPos);
    r.UncompressedSize = GetInt32(b + fh::UncompressedSize);
    r.DataPos = GetInt32(b + fh::DataPos);
    r.CompressedSize = GetInt32(b + fh::CompressedSize);
    r.FirstDisk = b[fh::FirstDisk];
    return GetShortString(b + fh::SourcePath, MaxSourcePath, r.SourcePath) &&
           GetShortString(b + fh::VersionText, MaxVersionText, r.VersionText);
}

inline TExtractionInfoBytes EncodeExtractionInfo(const TExtractionInfo& x) {
    TExtractionInfoBytes b{};
    PutShortString(&b[xi::Signature], ExtractionSignature, 14);
    PutInt32(&b[xi::SetupStart], x.SetupStart);
    PutInt32(&b[xi::SetupLast], x.SetupLast);
    PutInt32(&b[xi::FilesStart], x.FilesStart);
    PutInt32(&b[xi::FilesLast], x.FilesLast);
    PutShortString(&b[xi::Title], x.Title, MaxVersionText);
    return b;
}

// Readers take the trailer by its place and do not test the signature; a
// title length byte over 20 is read as 20 characters.
inline TExtractionInfo DecodeExtractionInfo(const uint8_t* b) {
    TExtractionInfo x;
    x.SetupStart = GetInt32(b + xi::SetupStart);
    x.SetupLast = GetInt32(b + xi::SetupLast);
    x.FilesStart = GetInt32(b + xi::FilesStart);
    x.FilesLast = GetInt32(b + xi::FilesLast);
    uint8_t n = b[xi::Title] > MaxVersionText ? MaxVersionText : b[xi::Title];
    x.Title.assign(reinterpret_cast<const char*>(b + xi::Title + 1), n);
    return x;
}

}  // namespace vtrl
