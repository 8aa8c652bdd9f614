// TVtrlCompress: the archive component. Compresses source files into a
// single-file archive, extracts members under an overwrite policy, copies
// plain files, splits an archive into a disk set and answers questions
// about the directory. Portable: all file access goes through FileShim.
#pragma once

#include <memory>
#include <string>

#include "Classes.h"
#include "TypInfo.h"
#include "cmp_TFileHeaders.h"
#include "cmp_TInflateAhead.h"
#include "cmp_TPrecompressCache.h"
#include "exceptions_VtrlCompress.h"
#include "routines_Compression.h"

namespace vtrl {

// What happens to an existing destination file.
VTRL_ENUM(TOverwriteType, owAlways, owNever, owVersion, owDate, owVersionDate)
// Start a fresh archive or append to it (a file component's AddToArchive).
VTRL_ENUM(TlzhCommand, lzcOverwrite, lzcOnlyAdd)

// Result of comparing two version texts from the first one's point of view.
enum TVersionOrder { voOlder = -1, voEqual = 0, voNewer = 1 };
// Compares version texts component by component (split at "."), each
// component as text by character codes: "10" < "9", "950" > "1000"; an
// empty text is older than any other.
TVersionOrder CompareVersionTexts(std::string_view A, std::string_view B);

// The statistics handed to every event. Percentages are rounded to the
// nearest integer and read 0 where their divisor is 0. Totals are kept in
// 64 bits so that a damaged directory cannot overflow them.
struct TlzhFileStats {
    uint8_t Percent = 0;         // share of the current member done
    int32_t BytesDone = 0;       // bytes of the current member done
    std::string MemberName;      // SourcePath (CopyPlainFile: the source)
    int32_t PackedSize = 0;      // compressed size (while compressing: so far)
    uint8_t Ratio = 0;           // PackedSize as a percentage of FullSize
    int32_t FullSize = 0;        // uncompressed size
    TFileHeaderRecord Header;    // copy of the member's entry record
    bool Finished = false;       // true only in a member's last status report
    uint8_t TotalPercent = 0;    // share of the whole operation done
    int64_t TotalDone = 0;       // bytes done in the whole operation
    int64_t TotalPacked = 0;     // sum of CompressedSize (compressing: added so far)
    uint8_t TotalRatio = 0;      // TotalPacked as a percentage of TotalFull
    int64_t TotalFull = 0;       // sum of UncompressedSize
};

class TVtrlCompress;
class TMemberReader;
class TReplacementFile;
using TlzhFileStatsEvent = TEvent<TVtrlCompress*, const TlzhFileStats&>;
// (VtrlCompress, DiskNumber, Path): the handler may change Path, the
// directory where the volume is expected (without trailing backslash).
using TlzhNewDiskEvent = TEvent<TVtrlCompress*, int, std::string&>;

class TVtrlCompress : public TComponent {
    VTRL_CLASS(TVtrlCompress)
public:
    explicit TVtrlCompress(TComponent* AOwner);
    ~TVtrlCompress() override;

    // ----- published properties
    bool Abort = false;  // request to stop; tested at every progress step
    const std::string& CompressedFile() const { return FCompressedFile; }
    // Keeps the loaded directory only when the name designates the same
    // archive (same name, or the same disk set under another volume name).
    void SetCompressedFile(const std::string& Value);
    TCompressionLevel CompressionLevel = colMax;
    std::string ExtractDirectory;
    const TStringList& FilesToProcess() const { return FFilesToProcess; }
    // Removes the blank lines from the GIVEN list too, then copies it.
    void SetFilesToProcess(TStringList& List);
    int32_t Offset = 0;  // the archive's position inside its file
    TOverwriteType Overwrite = owAlways;

    TNotifyEvent OnAborted;
    TlzhFileStatsEvent OnBeforeAdding, OnAfterAdding, OnBeforeExtracting, OnAfterExtracting, OnListing,
        OnReplace, OnStatus;
    TNotifyEvent OnFullDisk;
    TlzhNewDiskEvent OnNewDisk;

    // ----- public state
    // File name for the next extracted member; blank: the member's own name.
    std::string DestinationName;
    TlzhFileStats FileStats;
    // Version text of a file; the shared version reader unless replaced.
    TFileVersionFunc FileVersion;
    // Members compressed from another file than their source path; the
    // workers of Precompress take them as they stand when it is called.
    TSourceFiles SourceFiles;

    // ----- operations (each on the main thread, never nested)
    // Number of directory entries; loads the directory unless compressing.
    int EntryCount();
    // Raises Exception "Tried to access the <n>th file..." out of range.
    void GetFileStats(int Index, TlzhFileStats& Stats);
    // Index of the first entry whose whole SourcePath equals Key without
    // regard to ASCII case, or -1.
    int IndexOfFile(const std::string& Key);
    // The directory, loaded when needed.
    const TFileHeaders& Directory();
    // Adds the sources in FilesToProcess to CompressedFile; Append keeps
    // the members of an existing archive. On failure the archive holds the
    // members complete before it, and its count says so.
    void CompressFiles(bool Append);
    // Extracts the members named in FilesToProcess into ExtractDirectory.
    // Each member is inflated into a temporary file beside its destination
    // and takes the destination's place only once it is complete, its size
    // checked and its date set (FileReplace): a member that fails or is
    // cancelled leaves the file it was to replace exactly as it was, and no
    // temporary file behind. A destination that cannot be replaced raises
    // EVCCouldNotCreateFile with it. Every failure names in its Detail the
    // member, the archive (and volume of a disk set) and the cause.
    void ExtractFiles();
    // Writes CompressedFile (read at Offset) as a disk set.
    void SplitToDisks(const std::string& TargetDirectory, const std::string& TargetName);
    // Inflates member Index without writing it anywhere and checks its size:
    // raises what extracting it would raise (EVCWrongDecompressedSize,
    // ECompressionError, volume errors), with the same Detail.
    void VerifyMember(int Index);
    // Copies an uncompressed file under the overwrite policy, with the
    // guarantee of ExtractFiles: the copy is written beside Destination and
    // replaces it only when complete. Raises EVCStop when Abort is set
    // during the copy, EVCCouldNotOpenFile (Source) when the source cannot
    // be opened or read, the date error when the date cannot be set, and
    // the destination errors of ExtractFiles; Detail names the source.
    void CopyPlainFile(const std::string& Source, const std::string& Destination);

    // How many files the last ExtractFiles or CopyPlainFile put in place:
    // reset when either starts, raised each time a member or the copied
    // file has replaced (or become) its destination. A member the overwrite
    // rule kept out, or one that failed, does not count; after a failure or
    // a cancel it tells how many files that call did write.
    int FilesWritten() const { return FFilesWritten; }
    // Closes the archive volume that extractions keep open between calls
    // (so that a run of single-member extractions opens it once). Another
    // archive name, a failure and the component's end close it too.
    void CloseArchive();

    // Starts deflating Members on Threads threads for the CompressFiles
    // calls that follow (a build's pass adds them one by one): a member
    // whose source still has the size and date the worker read is written
    // from memory, byte for byte what deflating it in the pass would write,
    // with the same events; any other member is deflated in the pass as
    // always. Replaces what an earlier call left. No other operation may
    // run while workers read the sources. Holds at most about Budget bytes.
    void Precompress(const std::vector<TPrecompressMember>& Members, int Threads,
                     int64_t Budget = TPrecompressCache::DefaultBudget);
    // Stops the workers and frees every member not taken. Safe to call at
    // any time; never raises.
    void ClearPrecompressed() noexcept;
    // The running cache (its counts, for tests and measurements); null when
    // none runs.
    TPrecompressCache* Precompressed() const { return FPrecompressed.get(); }
    // The worker inflating the open archive's members ahead of the
    // extraction (its counts, for tests and measurements); null when none
    // runs.
    TInflateAhead* InflatedAhead() const { return FInflateAhead.get(); }
    // Members handed over by the inflate-ahead workers of this component so
    // far (Hits) and members the extraction inflated itself meanwhile.
    struct TAheadCounts {
        int Hits = 0, Misses = 0;
    };
    TAheadCounts InflatedAheadCounts() const;

    // Called for a short write: fires OnFullDisk, or raises EVCDiskFull.
    virtual void DiskFull();

    // Volume n's file name: the extension of CompressedFile replaced by
    // "." + n for a disk set; CompressedFile itself otherwise.
    std::string VolumeName(int Volume) const;

protected:
    // Creates (truncating) one volume of a disk set being written; null when
    // it cannot be created. Tests put a medium of limited size here.
    virtual std::unique_ptr<TVtrlStream> CreateVolume(const std::string& Name);

private:
    enum TMode { mdNone, mdCompress, mdExtract };
    friend class TMemberReader;

    void ReadDirectory();
    void EnsureDirectory();
    // Opens volume n of the archive, asking OnNewDisk for it up to four
    // times when it is missing; raises Exception "Could not open the correct
    // disk file n" or EVCCouldNotOpenCompressedFile.
    TFileHandle OpenVolume(int Volume, bool ReadWrite);
    TFileHandle OpenVolumeFile(std::string Name, int Volume, bool ReadWrite);
    // Volume n open for reading during one operation (kept in FReadVolume).
    TFileHandle ReadVolume(int Volume);
    // Closes the volume open for reading (and nothing else).
    void CloseReadVolume();
    // Stops the inflate-ahead worker, keeping its counts.
    void StopInflatingAhead() noexcept;
    // One progress step of the member being added: SourcePos bytes of its
    // source read, Packed bytes of it in the archive.
    void AddStatus(int64_t SourcePos, int64_t Packed);
    void CompressBody(bool Append);
    void CompressMember(TFileHeader& Entry, TVtrlStream& Archive);
    // Deflates Source into Archive; returns the source bytes consumed.
    int64_t DeflateSource(TFileHeader& Entry, TFileHandle Source, TVtrlStream& Archive, int64_t DataStart);
    // Writes a member deflated ahead, with the progress steps deflating it
    // here would have made; returns its source size.
    int64_t WritePrecompressed(const TPrecompressed& Member, TVtrlStream& Archive);
    void SplitBody(const std::string& TargetDirectory, const std::string& TargetName);
    void ExtractBody();
    void ExtractLine(const std::string& Line);
    void ExtractMember(size_t Index, TFileHeader& Entry, const std::string& Destination);
    // Member Index as the inflate-ahead worker left it in memory; null when
    // the extraction inflates it itself.
    std::optional<std::span<const uint8_t>> TakeInflatedAhead(size_t Index);
    // One block of a member's inflated data: checked against the recorded
    // size, written to Destination (when given) and reported.
    void DeliverInflated(const TFileHeader& Entry, const uint8_t* Data, int32_t Count, TReplacementFile* Destination);
    // Between blocks: a cancel is seen and the messages are processed.
    void ExtractionRound();
    // Writes a member inflated ahead; true, as for a stream that ended.
    bool WriteInflated(const TFileHeader& Entry, std::span<const uint8_t> Data, TReplacementFile& Destination);
    // Inflates the member into Destination (nowhere when it is null); true
    // when its zlib stream ended.
    bool InflateMember(TFileHeader& Entry, TMemberReader& Reader, TReplacementFile* Destination);
    void CopyPlainBody(const std::string& Source);
    // A write to File came up short: DiskFull, with the system's reason in
    // the detail of what it raises.
    void WriteFailed(const std::string& File);
    // "member KEY, archive FILE[, volume N]": where a failure of extraction
    // or verification happened, for the detail.
    std::string MemberContext(const std::string& Key) const;
    void FillEntryStats(const TFileHeader& Entry);
    void FillTotals();
    void FireStatus();
    // Runs an operation with the common ending on an exception.
    void RunGuarded(const std::function<void()>& Body, bool SwallowSilentAbort);
    // The decision for an existing destination: true to replace it.
    bool ShouldReplace(const std::string& Destination, const std::string& ArchivedVersion, double ArchivedDate);

    TMode FMode = mdNone;
    int FCurrentVolume = 0;
    bool FDirectoryLoaded = false;
    int32_t FLoadedOffset = 0;
    TFileHandleOwner FReadVolume;
    int FReadVolumeNumber = 0;
    std::string FReadVolumeName;  // the file FReadVolume was opened as
    std::string FMadeDirectory;  // destination directory known to exist
    int FFilesWritten = 0;
    std::string FCompressedFile;
    TFileHeaders FDirectory;
    // The archive the last compression wrote and its size then: while the
    // file still has that size, FDirectory is its directory.
    std::string FAppendedFile;
    int64_t FAppendedSize = -1;
    TStringList FFilesToProcess;
    std::unique_ptr<TPrecompressCache> FPrecompressed;
    // Members of the archive being extracted, inflated ahead; it lives
    // while the archive is open for reading.
    std::unique_ptr<TInflateAhead> FInflateAhead;
    TAheadCounts FAheadDone;  // of the workers stopped before
};

// Percentage Part / Whole rounded, 0 when Whole is 0, held to 0..100.
uint8_t PercentOf(int64_t Part, int64_t Whole);

// The archive component every file and builder of a run shares: one per
// process, created on first use, without an owner, never destroyed (file
// components may still reach it while the definition is torn down).
TVtrlCompress& VtrlCompress();

// Deflating ahead for the length of a scope (a build's pass over its
// members): the cache is emptied when the scope ends, by a failure too.
class TPrecompressScope {
public:
    TPrecompressScope(TVtrlCompress& Archive, const std::vector<TPrecompressMember>& Members,
                      int Threads = PrecompressThreads())
        : FArchive(Archive) {
        FArchive.Precompress(Members, Threads);
    }
    ~TPrecompressScope() { FArchive.ClearPrecompressed(); }
    TPrecompressScope(const TPrecompressScope&) = delete;
    TPrecompressScope& operator=(const TPrecompressScope&) = delete;

private:
    TVtrlCompress& FArchive;
};

}  // namespace vtrl
