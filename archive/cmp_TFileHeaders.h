// The archive directory in memory: TFileHeader (one entry record) and
// TFileHeaders (the ordered directory with its key index), the DOS date
// conversions and the self-extracting trailer reader.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Classes.h"
#include "exceptions_VtrlCompress.h"
#include "routines_Compression.h"
#include "types_Archive.h"

namespace vtrl {

// The file version text of a path, empty without version information.
using TFileVersionFunc = std::function<std::string(const std::string& Path)>;

// Days since 1899-12-30 with the time of day as fraction, from a DOS date
// and time (local time, two-second steps).
double DosDateTimeToDateTime(int32_t DosDateTime);
// The DOS date and time of a day count; false when it lies outside the
// DOS range 1980-2107 or is not a number.
bool DateTimeToDosDateTime(double DateTime, int32_t& DosDateTime);

// The key part of a source line: the text up to the first ";".
std::string SourceKey(std::string_view SourceLine);

// The files some members are read from instead of their source paths (a
// build's signed copies of its programs), by the members' keys, compared
// with ASCII letters folded. The key stays the source path: what is
// installed looks its member up by it.
class TSourceFiles {
public:
    void Set(std::string_view Key, std::string File);
    void Clear() { FFiles.clear(); }
    bool Empty() const { return FFiles.empty(); }
    // The file to read for the member Key: its substitute, or Key itself.
    const std::string& FileOf(const std::string& Key) const;

private:
    std::unordered_map<std::string, std::string> FFiles;
};

// One directory entry: the stored record plus whether it came from the
// archive (true) or from a source file of this run (false).
class TFileHeader : public TFileHeaderRecord {
public:
    bool InArchive = false;

    // Fills SourcePath (the key of SourceLine, cut to 100 characters),
    // FileDate, UncompressedSize and VersionText from the source file.
    // Raises EVCCouldNotOpenFile with the cut path when it cannot be opened.
    // Date and size come from the key's substitute in Substitutes, if any.
    void FillFromSource(std::string_view SourceLine, const TFileVersionFunc& FileVersion,
                        const TSourceFiles* Substitutes = nullptr);
    // Reads the 164-byte record and sets InArchive. Raises
    // EVCFHCannotReadHeaders on a short read or a text length out of range.
    void ReadFrom(TVtrlStream& Stream);
    // Raises EVCFHCannotWriteHeaders on a short write.
    void WriteTo(TVtrlStream& Stream) const;
    // True when SourcePath is not blank.
    bool Valid() const;
};

// The ordered directory of an archive; owns its entries. Lookup by key
// goes through a hash index of case-folded keys that keeps, for each key,
// the first entry in directory order.
class TFileHeaders {
public:
    uint8_t MultiVolume = 0;

    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises Exception "GetFileHeaders--..." for an index out of range.
    TFileHeader& Get(int Index) const;
    // Appends a valid entry (takes ownership); raises
    // EVCFHInvalidNewFileHeader for a blank SourcePath.
    void Add(std::unique_ptr<TFileHeader> Entry);
    void Clear();
    // Creates one entry per line of List (BatchIndex = line + 1); clears the
    // directory first unless KeepExisting.
    void AddFromList(const TStringList& List, bool KeepExisting, const TFileVersionFunc& FileVersion,
                     const TSourceFiles* Substitutes = nullptr);
    // The first entry whose SourcePath equals the key of SourceLine
    // (text up to its first ";"), compared with ASCII letters folded; -1
    // when there is none.
    int IndexOf(std::string_view SourceLine) const;
    // Sums of UncompressedSize and CompressedSize over all entries. Cached
    // (an added entry is added to the cached sums); call InvalidateTotals
    // after changing entries' sizes, or AdjustTotals with the change of one
    // entry: a build changes one entry per member, and summing them all
    // again each time would make it quadratic.
    void Totals(int64_t& Full, int64_t& Packed) const;
    void InvalidateTotals() { FTotalsValid = false; }
    void AdjustTotals(int64_t FullChange, int64_t PackedChange) {
        FTotalFull += FullChange;
        FTotalPacked += PackedChange;
    }

    // Reads the directory of the archive that starts at Offset in Stream.
    // Raises EVCFHCannotReadHeaderCount, EVCFHCannotReadHeaders (also for a
    // negative count, a count or record chain the file cannot hold, and a
    // directory whose last record points beyond the end of the file) or
    // EVCFHInvalidNewFileHeader, with the damage described in Detail.
    void ReadFrom(TVtrlStream& Stream, int64_t Offset);
    // Writes the 5-byte start at position 0 and, for a disk set, all records
    // after it (NextHeaderPos = position after each record).
    void WriteTo(TVtrlStream& Stream);
    // Writes only the 5-byte start at position 0 with the given count.
    void WriteStart(TVtrlStream& Stream, int32_t EntryCount) const;

private:
    std::vector<std::unique_ptr<TFileHeader>> FItems;
    std::unordered_map<std::string, int> FIndex;
    mutable bool FTotalsValid = false;
    mutable int64_t FTotalFull = 0, FTotalPacked = 0;
};

struct TTrailerPlace;

// Reads the 56-byte trailer of a self-extracting setup, before the
// certificate table of a signed one. Raises Exception with the fixed texts
// when the file cannot be opened or is too short, and when its certificate
// table is damaged.
TTrailerPlace ReadTrailer(const std::string& SetupFile);
TExtractionInfo ReadExtractionInfo(const std::string& SetupFile);

}  // namespace vtrl
