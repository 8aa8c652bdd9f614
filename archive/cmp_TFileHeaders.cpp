// The archive directory in memory: entry records, the ordered directory
// with its key index, DOS dates and the self-extracting trailer.
#include "cmp_TFileHeaders.h"

#include <cmath>

#include "FileShim.h"

namespace vtrl {

namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

// 1899-12-30, day 0 of the stored day count, counted from 1970-01-01.
constexpr int64_t DayZero = -25569;

// ASCII letters folded to lower case; other bytes (UTF-8 sequences of
// non-ASCII letters) compare exactly.
std::string FoldKey(std::string_view Key) { return LowerCase(Key); }

bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

double DosDateTimeToDateTime(int32_t DosDateTime) {
    uint32_t v = static_cast<uint32_t>(DosDateTime);
    unsigned year = ((v >> 25) & 0x7f) + 1980, month = (v >> 21) & 0x0f, day = (v >> 16) & 0x1f;
    unsigned hour = (v >> 11) & 0x1f, minute = (v >> 5) & 0x3f, second = (v & 0x1f) * 2;
    if (month < 1) month = 1;
    if (day < 1) day = 1;
    int64_t days = DaysFromCivil(year, month, day) - DayZero;
    return static_cast<double>(days) + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

bool DateTimeToDosDateTime(double DateTime, int32_t& DosDateTime) {
    // 1980-01-01 is day 29221, 2107-12-31 day 75751.
    if (!std::isfinite(DateTime) || DateTime < 29221.0 || DateTime >= 75752.0) return false;
    double whole = std::floor(DateTime);
    int64_t ms = std::llround((DateTime - whole) * 86400000.0);
    int64_t days = static_cast<int64_t>(whole);
    if (ms >= 86400000) ms = 86399999;
    int y;
    unsigned m, d;
    CivilFromDays(days + DayZero, y, m, d);
    int64_t secs = ms / 1000;
    uint32_t date = (static_cast<uint32_t>(y - 1980) << 9) | (m << 5) | d;
    uint32_t time = static_cast<uint32_t>((secs / 3600) << 11 | ((secs / 60) % 60) << 5 | (secs % 60) / 2);
    DosDateTime = static_cast<int32_t>((date << 16) | time);
    return true;
}

std::string SourceKey(std::string_view SourceLine) {
    return std::string(SourceLine.substr(0, SourceLine.find(';')));
}

// ------------------------------------------------------------ TFileHeader

void TSourceFiles::Set(std::string_view Key, std::string File) {
    FFiles[FoldKey(SourceKey(Key).substr(0, MaxSourcePath))] = std::move(File);
}

const std::string& TSourceFiles::FileOf(const std::string& Key) const {
    if (FFiles.empty()) return Key;
    auto it = FFiles.find(FoldKey(Key));
    return it == FFiles.end() ? Key : it->second;
}

void TFileHeader::FillFromSource(std::string_view SourceLine, const TFileVersionFunc& FileVersion,
                                 const TSourceFiles* Substitutes) {
    SourcePath = SourceKey(SourceLine).substr(0, MaxSourcePath);
    TFileHandleOwner f(FileOpenRead(Substitutes ? Substitutes->FileOf(SourcePath) : SourcePath));
    if (!f.Valid()) throw EVCCouldNotOpenFile(SourcePath);
    int32_t dos = FileGetDate(f.Get());
    FileDate = dos == -1 ? 0.0 : DosDateTimeToDateTime(dos);
    int64_t size = FileSize(f.Get());
    // Sizes are 32-bit fields: a file of 2 GB or more cannot be a member.
    if (size < 0 || size > INT32_MAX) throw EVCCouldNotOpenFile(SourcePath);
    UncompressedSize = static_cast<int32_t>(size);
    f.Close();
    VersionText = FileVersion ? FileVersion(SourcePath).substr(0, MaxVersionText) : std::string();
}

void TFileHeader::ReadFrom(TVtrlStream& Stream) {
    TFileHeaderBytes b;
    if (Stream.Read(b.data(), FileHeaderSize) != FileHeaderSize) throw EVCFHCannotReadHeaders();
    if (!DecodeFileHeader(b.data(), *this)) throw EVCFHCannotReadHeaders();
    InArchive = true;
}

void TFileHeader::WriteTo(TVtrlStream& Stream) const {
    TFileHeaderBytes b = EncodeFileHeader(*this);
    if (Stream.Write(b.data(), FileHeaderSize) != FileHeaderSize) throw EVCFHCannotWriteHeaders();
}

bool TFileHeader::Valid() const {
    for (char c : SourcePath)
        if (!IsBlankChar(c)) return true;
    return false;
}

// ----------------------------------------------------------- TFileHeaders

TFileHeader& TFileHeaders::Get(int Index) const {
    if (Index < 0 || Index >= Count()) throw Exception("GetFileHeaders--module cmp_TFileHeaders--Create constructor");
    return *FItems[static_cast<size_t>(Index)];
}

void TFileHeaders::Add(std::unique_ptr<TFileHeader> Entry) {
    if (!Entry || !Entry->Valid()) throw EVCFHInvalidNewFileHeader();
    FIndex.try_emplace(FoldKey(Entry->SourcePath), Count());
    FTotalFull += Entry->UncompressedSize;
    FTotalPacked += Entry->CompressedSize;
    FItems.push_back(std::move(Entry));
}

void TFileHeaders::Clear() {
    FItems.clear();
    FIndex.clear();
    FTotalFull = FTotalPacked = 0;
    FTotalsValid = true;
}

void TFileHeaders::AddFromList(const TStringList& List, bool KeepExisting, const TFileVersionFunc& FileVersion,
                               const TSourceFiles* Substitutes) {
    if (!KeepExisting) Clear();
    for (int i = 0; i < List.Count(); ++i) {
        auto e = std::make_unique<TFileHeader>();
        e->FillFromSource(List[i], FileVersion, Substitutes);
        e->BatchIndex = i + 1;
        Add(std::move(e));
    }
}

int TFileHeaders::IndexOf(std::string_view SourceLine) const {
    auto it = FIndex.find(FoldKey(SourceKey(SourceLine)));
    return it == FIndex.end() ? -1 : it->second;
}

void TFileHeaders::Totals(int64_t& Full, int64_t& Packed) const {
    if (!FTotalsValid) {
        FTotalFull = FTotalPacked = 0;
        for (const auto& e : FItems) {
            FTotalFull += e->UncompressedSize;
            FTotalPacked += e->CompressedSize;
        }
        FTotalsValid = true;
    }
    Full = FTotalFull;
    Packed = FTotalPacked;
}

namespace {

// The directory is damaged; Cause says how, for the log.
[[noreturn]] void DamagedDirectory(std::string Cause) {
    EVCFHCannotReadHeaders e;
    e.Detail = std::move(Cause);
    throw e;
}

}  // namespace

// The details are joined without Fmt: the loading program reads archives
// with this alone, and Fmt's number formats would bring the C library's
// printf into it.
void TFileHeaders::ReadFrom(TVtrlStream& Stream, int64_t Offset) {
    Clear();
    uint8_t start[ArchiveStartSize];
    if (Stream.Seek(Offset, soFromBeginning) != Offset || Stream.Read(start, 4) != 4 ||
        Stream.Read(start + 4, 1) != 1) {
        EVCFHCannotReadHeaderCount e;
        e.Detail = "the archive start at position " + IntToStr(Offset) + " is cut short";
        throw e;
    }
    int32_t count = GetInt32(start + ArchiveStartCount);
    MultiVolume = start[ArchiveStartMultiVolume];
    // No writer ever stores a negative count: reading one as an empty
    // directory would present a damaged archive as a sound one.
    if (count < 0) DamagedDirectory("negative entry count " + IntToStr(count));
    if (count == 0) return;
    // Every record takes 164 bytes of the file, so a count the file cannot
    // hold is damage; refusing it early keeps a hostile count from making
    // the reader allocate or loop without bound.
    int64_t size = Stream.Size();
    if (size < 0 || (size - Offset - ArchiveStartSize) / FileHeaderSize < count)
        DamagedDirectory("entry count " + IntToStr(count) + " is more than the file's " + IntToStr(size) +
                         " bytes can hold");
    FItems.reserve(static_cast<size_t>(count));
    int64_t p = Offset + ArchiveStartSize;
    for (int32_t i = 0; i < count; ++i) {
        auto e = std::make_unique<TFileHeader>();
        auto where = [&] {
            return "record " + IntToStr(i + 1) + " of " + IntToStr(count) + " at position " + IntToStr(p - Offset);
        };
        if (Stream.Seek(p, soFromBeginning) != p) DamagedDirectory(where() + " cannot be reached");
        try {
            e->ReadFrom(Stream);
        } catch (const EVCFHCannotReadHeaders&) {
            DamagedDirectory(where() + " is cut short or has a text longer than its field");
        }
        if (e->UncompressedSize < 0 || e->CompressedSize < 0 || e->DataPos < 0)
            DamagedDirectory(where() + " has a negative size or position");
        int64_t next = Offset + static_cast<int64_t>(e->NextHeaderPos);
        // Records only ever follow each other: a chain that points back
        // would repeat entries.
        if (i + 1 < count && next < p + FileHeaderSize) DamagedDirectory(where() + " points back");
        // The last record's next position is where the directory (and, in
        // a single file, the last member's data) ends: the file must reach
        // it, or the archive was cut short.
        if (i + 1 == count && next > size)
            DamagedDirectory("the directory ends at position " + IntToStr(next - Offset) +
                             ", beyond the end of the file (" + IntToStr(size - Offset) + " bytes)");
        p = next;
        try {
            Add(std::move(e));
        } catch (EVCFHInvalidNewFileHeader& x) {
            x.Detail = "record " + IntToStr(i + 1) + " of " + IntToStr(count) + " has a blank key";
            throw;
        }
    }
}

void TFileHeaders::WriteStart(TVtrlStream& Stream, int32_t EntryCount) const {
    uint8_t start[ArchiveStartSize];
    PutInt32(start + ArchiveStartCount, EntryCount);
    start[ArchiveStartMultiVolume] = MultiVolume;
    if (Stream.Seek(0, soFromBeginning) != 0 || Stream.Write(start, ArchiveStartSize) != ArchiveStartSize)
        throw EVCFHCannotWriteHeaders();
}

void TFileHeaders::WriteTo(TVtrlStream& Stream) {
    WriteStart(Stream, Count());
    if (MultiVolume == 0) return;
    int64_t pos = ArchiveStartSize;
    for (auto& e : FItems) {
        e->NextHeaderPos = static_cast<int32_t>(pos + FileHeaderSize);
        e->WriteTo(Stream);
        pos += FileHeaderSize;
    }
}

}  // namespace vtrl
