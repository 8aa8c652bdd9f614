// TVtrlCompress: extracting members (reading across volumes and inflating),
// the overwrite decision with the version-text comparison, and plain copies.
// Both write a temporary file beside the destination and put it in place
// in one step once it is complete.
#include "FileShim.h"
#include "cmp_TVtrlCompress.h"
#include "routines_Inflate.h"

#include <algorithm>
#include <optional>

namespace vtrl {

namespace {

constexpr int32_t PlainCopyBlock = 8192;

// The last-write date of an existing file as a day count; 0 (older than
// anything) when it cannot be read.
double FileDateOf(const std::string& Name) {
    TFileHandleOwner f(FileOpenRead(Name));
    int32_t dos = f.Valid() ? FileGetDate(f.Get()) : -1;
    return dos == -1 ? 0.0 : DosDateTimeToDateTime(dos);
}

// ----- failure details

// Puts where a failure happened in front of the cause its raise site left
// in the detail.
void AddContext(Exception& E, const std::string& Context) {
    E.Detail = E.Detail.empty() ? Context : Context + ": " + E.Detail;
}

[[noreturn]] void RaiseDateError(std::string Cause) {
    Exception e(TranslateMessageText("Cannot set the date of the file just extracted."));
    e.Detail = std::move(Cause);
    throw e;
}

void SetDateOf(TFileHandle File, int32_t DosDateTime) {
    if (!FileSetDate(File, DosDateTime)) RaiseDateError(SysErrorMessage(GetLastOSError()));
}

}  // namespace

// A file written beside its destination under a temporary name. It takes
// the destination's place only through PutInPlace; dropped before that it
// is removed, so a failed or cancelled write leaves the destination as it
// was and nothing beside it.
class TReplacementFile {
public:
    // Raises EVCCouldNotCreateFile (Destination) when no file can be
    // created beside it.
    explicit TReplacementFile(const std::string& Destination) : FDestination(Destination) {
        FHandle.Reset(FileCreateBeside(Destination, FTemp));
        if (!FHandle.Valid()) {
            int err = GetLastOSError();
            EVCCouldNotCreateFile e(Destination);
            e.Detail = OSCause("cannot create a temporary file beside it", err);
            throw e;
        }
    }
    ~TReplacementFile() {
        if (FTemp.empty()) return;
        FHandle.Close();
        FileDelete(FTemp);
    }
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;

    TFileHandle Handle() const { return FHandle.Get(); }
    const std::string& TempName() const { return FTemp; }

    // Closes the file and puts it in the destination's place. Raises
    // EVCCouldNotCreateFile (Destination) with the system's reason when the
    // destination cannot be replaced; it is then left as it was.
    void PutInPlace() {
        if (!FileReplaceOpen(FHandle.Release(), FTemp, FDestination)) {
            int err = GetLastOSError();
            EVCCouldNotCreateFile e(FDestination);
            e.Detail = OSCause("cannot replace it", err);
            throw e;
        }
        FTemp.clear();
    }

private:
    std::string FDestination, FTemp;
    TFileHandleOwner FHandle;
};

// Reads one member's compressed bytes in order, moving from volume to
// volume of a disk set; never reads past the member's last byte.
class TMemberReader {
public:
    TMemberReader(TVtrlCompress& Owner, const TFileHeader& Entry) : C(Owner), E(Entry) {
        if (C.FDirectory.MultiVolume == 1) {
            First = E.FirstDisk;
            Last = E.LastDisk;
            if (First == 0 || Last < First) Damaged(Fmt("its volumes %d to %d are out of order", First, Last));
        }
        V = First;
        C.FCurrentVolume = V;
        H = C.ReadVolume(First ? First : 1);
        Pos = static_cast<int64_t>(C.Offset) + E.DataPos;
        if (FileSeek(H, Pos, soFromBeginning) != Pos) Damaged(Fmt("its data position %d cannot be reached", E.DataPos));
    }
    // Up to Count bytes; 0 when the member has ended.
    int32_t Read(uint8_t* Buffer, int32_t Count) {
        for (;;) {
            int32_t want = Count;
            if (V == Last) {
                int64_t limit = static_cast<int64_t>(C.Offset) + E.LastBytePos + 1 - Pos;
                if (limit <= 0) return 0;
                if (limit < want) want = static_cast<int32_t>(limit);
            }
            int32_t n = FileRead(H, Buffer, want);
            if (n > 0) {
                Pos += n;
                return n;
            }
            // A failed read is not the end of the data: taken as one, it
            // would pass for a damaged member at best.
            if (n < 0) {
                int err = GetLastOSError();
                EVCCouldNotOpenCompressedFile e(C.VolumeName(V ? V : 1));
                e.Detail = OSCause(Fmt("cannot read at position %d", Pos), err);
                throw e;
            }
            if (V >= Last) return 0;
            C.FCurrentVolume = ++V;
            H = C.ReadVolume(V);
            Pos = 0;
        }
    }

private:
    [[noreturn]] static void Damaged(std::string Cause) {
        EVCFHCannotReadHeaders e;
        e.Detail = std::move(Cause);
        throw e;
    }

    TVtrlCompress& C;
    const TFileHeader& E;
    TFileHandle H;  // owned by the component for the whole operation
    int First = 0, Last = 0, V = 0;
    int64_t Pos = 0;
};

// ------------------------------------------------------ version comparison

TVersionOrder CompareVersionTexts(std::string_view A, std::string_view B) {
    for (int i = 1;; ++i) {
        std::string a = GetToken(A, '.', i), b = GetToken(B, '.', i);
        if (a.empty() || b.empty()) {
            if (!a.empty()) return voNewer;
            if (!b.empty()) return voOlder;
            return voEqual;
        }
        // std::string compares by unsigned character codes: "10" < "9".
        int c = a.compare(b);
        if (c != 0) return c < 0 ? voOlder : voNewer;
    }
}

bool TVtrlCompress::ShouldReplace(const std::string& Destination, const std::string& ArchivedVersion,
                                  double ArchivedDate) {
    auto newerDate = [&] { return FileDateOf(Destination) < ArchivedDate; };
    switch (Overwrite) {
    case owAlways: return true;
    case owNever: return false;
    case owVersion: return CompareVersionTexts(ArchivedVersion, FileVersion(Destination)) == voNewer;
    case owDate: return newerDate();
    case owVersionDate: {
        TVersionOrder o = CompareVersionTexts(ArchivedVersion, FileVersion(Destination));
        return o == voEqual ? newerDate() : o == voNewer;
    }
    }
    throw Exception(TranslateMessageText("Overwrite flag is not in [owNever,owAlways,owVersion,owDate,owVersionDate]"));
}

// -------------------------------------------------------------- extraction

void TVtrlCompress::ExtractFiles() {
    Abort = false;
    FMode = mdExtract;
    FFilesWritten = 0;
    RunGuarded(
        [&] {
            try {
                ExtractBody();
            } catch (...) {
                CloseArchive();
                FFilesToProcess.Clear();
                DestinationName.clear();
                throw;
            }
        },
        true);
    // The volume stays open for the next extraction from the same archive
    // (an install extracts its files one call each): CloseArchive, another
    // archive or a failure closes it.
    FFilesToProcess.Clear();
    DestinationName.clear();
}

void TVtrlCompress::CloseArchive() {
    StopInflatingAhead();
    CloseReadVolume();
}

void TVtrlCompress::StopInflatingAhead() noexcept {
    if (!FInflateAhead) return;
    FAheadDone.Hits += FInflateAhead->Hits();
    FAheadDone.Misses += FInflateAhead->Misses();
    FInflateAhead.reset();
}

TVtrlCompress::TAheadCounts TVtrlCompress::InflatedAheadCounts() const {
    TAheadCounts c = FAheadDone;
    if (FInflateAhead) {
        c.Hits += FInflateAhead->Hits();
        c.Misses += FInflateAhead->Misses();
    }
    return c;
}

void TVtrlCompress::CloseReadVolume() {
    FReadVolume.Close();
    FReadVolumeName.clear();
}

TFileHandle TVtrlCompress::ReadVolume(int Volume) {
    // Members that follow each other on one volume share its handle: opening
    // the archive again for each small member costs more than inflating it.
    const std::string name = VolumeName(Volume);
    if (!FReadVolume.Valid() || FReadVolumeNumber != Volume || FReadVolumeName != name) {
        CloseReadVolume();
        FReadVolume.Reset(OpenVolume(Volume, false));
        FReadVolumeNumber = Volume;
        FReadVolumeName = name;
    }
    return FReadVolume.Get();
}

std::string TVtrlCompress::MemberContext(const std::string& Key) const {
    std::string s = "member " + Key + ", archive ";
    if (FDirectory.MultiVolume == 1 && FCurrentVolume > 0)
        return s + VolumeName(FCurrentVolume) + ", volume " + IntToStr(FCurrentVolume);
    s += FCompressedFile;
    if (Offset != 0) s += " at offset " + IntToStr(Offset);
    return s;
}

void TVtrlCompress::ExtractBody() {
    FMadeDirectory.clear();
    EnsureDirectory();
    FCurrentVolume = 0;
    FillTotals();
    for (int line = 0; line < FFilesToProcess.Count(); ++line) {
        const std::string key = FFilesToProcess[line];
        FCurrentVolume = 0;
        try {
            ExtractLine(key);
        } catch (const EVCStop&) {
            throw;  // a cancel is logged as such, without details
        } catch (const EAbort&) {
            throw;
        } catch (Exception& e) {
            int index = FDirectory.IndexOf(key);
            AddContext(e, MemberContext(index >= 0 ? FDirectory.Get(index).SourcePath : key));
            throw;
        }
        DestinationName.clear();
    }
}

void TVtrlCompress::ExtractLine(const std::string& Line) {
    int index = FDirectory.IndexOf(Line);
    if (index < 0) throw EVCFHFileNotInArchive(Line);
    TFileHeader& e = FDirectory.Get(index);
    FillEntryStats(e);
    if (Trim(DestinationName).empty()) DestinationName = ExtractFileName(e.SourcePath);
    if (OnBeforeExtracting) OnBeforeExtracting(this, FileStats);
    auto destination = [&] { return AddBackSlash(ExtractDirectory) + ExtractFileName(DestinationName); };
    std::string dest = destination();
    bool extract = true;
    if (FileExists(dest)) {
        extract = ShouldReplace(dest, e.VersionText, e.FileDate);
        if (extract && OnReplace) {
            OnReplace(this, FileStats);
            dest = destination();
        }
    }
    if (extract) ExtractMember(static_cast<size_t>(index), e, dest);
}

std::optional<std::span<const uint8_t>> TVtrlCompress::TakeInflatedAhead(size_t Index) {
    // The worker reads one file from one position: a disk set, whose
    // members may want another disk, is read by the extraction alone.
    if (FDirectory.MultiVolume != 0 || FDirectory.Count() < 2) return std::nullopt;
    // A worker running belongs to this archive at this offset: another name
    // closes the archive, and another offset reads the directory again,
    // which both stop it.
    if (!FInflateAhead) {
        std::vector<TAheadMember> members;
        members.reserve(static_cast<size_t>(FDirectory.Count()));
        for (int i = 0; i < FDirectory.Count(); ++i) {
            const TFileHeader& e = FDirectory.Get(i);
            members.push_back({e.DataPos, e.LastBytePos, e.UncompressedSize});
        }
        FInflateAhead = std::make_unique<TInflateAhead>(FCompressedFile, Offset, std::move(members),
                                                        TInflateAhead::DefaultBudget, Index);
    }
    return FInflateAhead->Take(Index);
}

void TVtrlCompress::ExtractMember(size_t Index, TFileHeader& Entry, const std::string& Destination) {
    const std::optional<std::span<const uint8_t>> inflated = TakeInflatedAhead(Index);
    std::optional<TMemberReader> reader;
    if (!inflated) reader.emplace(*this, Entry);
    if (!IsPlainFileName(ExtractFileName(Destination))) {
        EVCCouldNotCreateFile e(Destination);
        e.Detail = "not a plain file name";
        throw e;
    }
    std::string dir = ExtractFileDir(Destination);
    if (!dir.empty() && dir != FMadeDirectory) {
        ForceDirectories(dir);
        // What a killed run left half-written beside its destinations goes
        // (once per directory and process; a file still being written stays).
        (void)RemoveStaleBesideFiles(dir);
        FMadeDirectory = dir;  // most members of one run go to one directory
    }
    // The member goes into a file of its own beside the destination, which
    // it replaces only once it is complete and dated: a damaged member, a
    // full disk, a cancel or a missing volume leaves the old file as it was.
    TReplacementFile out(Destination);
    const bool complete = inflated ? WriteInflated(Entry, *inflated, out) : InflateMember(Entry, *reader, &out);
    FileStats.Finished = true;
    FireStatus();
    FileStats.Finished = false;
    CheckInflatedSize(Entry, complete, FileSize(out.Handle()));
    int32_t dos = 0;
    if (!DateTimeToDosDateTime(Entry.FileDate, dos)) RaiseDateError("the recorded date lies outside 1980-2107");
    SetDateOf(out.Handle(), dos);
    out.PutInPlace();
    ++FFilesWritten;
}

void TVtrlCompress::WriteFailed(const std::string& File) {
    const int err = GetLastOSError();
    try {
        DiskFull();
    } catch (Exception& e) {
        // A write that stops short without an error code (what Wine gives
        // on a full volume) is the medium being full.
        if (e.Detail.empty())
            e.Detail = err == 0 ? "cannot write " + File + ": the disk is full" : OSCause("cannot write " + File, err);
        throw;
    }
}

void TVtrlCompress::DeliverInflated(const TFileHeader& Entry, const uint8_t* Data, int32_t Count,
                                    TReplacementFile* Destination) {
    // Data that inflates beyond the recorded size is damaged; stopping here
    // keeps a hostile member from filling the disk.
    if (Count > Entry.UncompressedSize - FileStats.BytesDone)
        RaiseWrongSize(Entry.SourcePath,
                       Fmt("it inflates to more than the %d bytes the directory records", Entry.UncompressedSize));
    if (Destination && FileWrite(Destination->Handle(), Data, Count) != Count) WriteFailed(Destination->TempName());
    FileStats.BytesDone += Count;
    FileStats.TotalDone += Count;
    FileStats.Percent = PercentOf(FileStats.BytesDone, FileStats.FullSize);
    FileStats.TotalPercent = PercentOf(FileStats.TotalDone, FileStats.TotalFull);
    FireStatus();
}

void TVtrlCompress::ExtractionRound() {
    if (Abort) throw EVCStop();
    ProcessMessages();
}

bool TVtrlCompress::InflateMember(TFileHeader& Entry, TMemberReader& Reader, TReplacementFile* Destination) {
    return InflateStream([&](uint8_t* Buffer, int32_t Count) { return Reader.Read(Buffer, Count); },
                         [&](const uint8_t* Data, int32_t Count) { DeliverInflated(Entry, Data, Count, Destination); },
                         [&] { ExtractionRound(); });
}

bool TVtrlCompress::WriteInflated(const TFileHeader& Entry, std::span<const uint8_t> Data,
                                  TReplacementFile& Destination) {
    // In the blocks inflating gives, with the same events and the same
    // chances to cancel.
    constexpr size_t Block = 65536;
    ExtractionRound();
    for (size_t at = 0; at < Data.size(); at += Block) {
        DeliverInflated(Entry, Data.data() + at, static_cast<int32_t>(std::min(Block, Data.size() - at)), &Destination);
        ExtractionRound();
    }
    return true;
}

void TVtrlCompress::VerifyMember(int Index) {
    EnsureDirectory();
    TFileHeader& e = FDirectory.Get(Index);
    FillEntryStats(e);
    struct TClose {
        TFileHandleOwner& V;
        ~TClose() { V.Close(); }
    } close{FReadVolume};
    FCurrentVolume = 0;
    try {
        TMemberReader reader(*this, e);
        bool complete = InflateMember(e, reader, nullptr);
        CheckInflatedSize(e, complete, FileStats.BytesDone);
    } catch (const EVCStop&) {
        throw;
    } catch (const EAbort&) {
        throw;
    } catch (Exception& x) {
        AddContext(x, MemberContext(e.SourcePath));
        throw;
    }
}

// ------------------------------------------------------------- plain copy

void TVtrlCompress::CopyPlainFile(const std::string& Source, const std::string& Destination) {
    Abort = false;
    Offset = 0;
    FFilesWritten = 0;
    ExtractDirectory = ExtractFileDir(Destination);
    DestinationName = ExtractFileName(Destination);
    // The name is for this copy only; left set it would rename the next
    // extracted member.
    struct TClearName {
        std::string& Name;
        ~TClearName() { Name.clear(); }
    } clearName{DestinationName};
    try {
        CopyPlainBody(Source);
    } catch (const EVCStop&) {
        throw;
    } catch (const EAbort&) {
        throw;
    } catch (Exception& e) {
        AddContext(e, "source " + Source);
        throw;
    }
}

// The copy loop fails as extraction does: a cancel raises EVCStop, a read
// error names the source, and the copy replaces the destination only once
// it is complete and dated.
void TVtrlCompress::CopyPlainBody(const std::string& Source) {
    auto destination = [&] { return AddBackSlash(ExtractDirectory) + DestinationName; };
    std::string dest = destination();
    if (FileExists(dest)) {
        double sourceDate = FileDateOf(Source);
        if (!ShouldReplace(dest, FileVersion(Source), sourceDate)) return;
        if (OnReplace) {
            TlzhFileStats empty;
            OnReplace(this, empty);
            dest = destination();
        }
    }
    TlzhFileStats stats;
    stats.MemberName = Source;
    TFileHandleOwner in(FileOpenRead(Source));
    if (!in.Valid()) {
        int err = GetLastOSError();
        EVCCouldNotOpenFile e(Source);
        e.Detail = SysErrorMessage(err);
        throw e;
    }
    int32_t date = FileGetDate(in.Get());
    int64_t size = FileSize(in.Get());
    stats.FullSize = static_cast<int32_t>(size > INT32_MAX ? INT32_MAX : size);
    TReplacementFile out(dest);
    std::vector<uint8_t> buf(PlainCopyBlock);
    for (;;) {
        if (Abort) throw EVCStop();
        int32_t n = FileRead(in.Get(), buf.data(), PlainCopyBlock);
        if (n < 0) {
            int err = GetLastOSError();
            EVCCouldNotOpenFile e(Source);
            e.Detail = OSCause("cannot read it", err);
            throw e;
        }
        if (n > 0 && FileWrite(out.Handle(), buf.data(), n) != n) WriteFailed(out.TempName());
        stats.BytesDone += n;
        stats.TotalDone += n;
        stats.Percent = stats.TotalPercent = PercentOf(stats.BytesDone, stats.FullSize);
        if (OnStatus) OnStatus(this, stats);
        ProcessMessages();
        if (n < PlainCopyBlock) break;
    }
    if (date == -1) RaiseDateError("the source's date cannot be read");
    SetDateOf(out.Handle(), date);
    stats.Finished = true;
    if (OnStatus) OnStatus(this, stats);
    // Windows replaces no file that is open without delete sharing, and the
    // source may be the destination itself.
    in.Close();
    out.PutInPlace();
    ++FFilesWritten;
}

}  // namespace vtrl
