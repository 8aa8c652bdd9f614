// TVtrlCompress: extracting members (reading across volumes and inflating),
// the overwrite decision with the version-text comparison, and plain copies.
#include <zlib.h>

#include "FileShim.h"
#include "cmp_TVtrlCompress.h"

namespace vtrl {

namespace {

constexpr int32_t InflateInput = 65536;
// A 64 KiB output block (rather than 4 KiB) keeps extraction within a few
// percent of zlib's own speed: each block costs a write, a status event and
// a round of message processing. Abort is still seen once per block.
constexpr int32_t InflateOutput = 65536;
constexpr int32_t PlainCopyBlock = 8192;

voidpf ZAlloc(voidpf, uInt Items, uInt Size) {
    if (Size != 0 && Items > UINT32_MAX / Size) return Z_NULL;
    return std::malloc(static_cast<size_t>(Items) * Size);
}
void ZFree(voidpf, voidpf Address) { std::free(Address); }

// A file name that stays inside the directory it is put in: not empty,
// not "." or "..", and not a DOS device (which Windows opens wherever the
// name appears). A damaged or hostile key must not reach anything else.
bool IsPlainFileName(const std::string& Name) {
    if (Name.empty() || Name == "." || Name == "..") return false;
    std::string base = UpperCase(Trim(Name.substr(0, Name.find('.'))));
    static const char* const Devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* d : Devices)
        if (base == d) return false;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '0' &&
        base[3] <= '9')
        return false;
    return true;
}

// The last-write date of an existing file as a day count; 0 (older than
// anything) when it cannot be read.
double FileDateOf(const std::string& Name) {
    TFileHandleOwner f(FileOpenRead(Name));
    int32_t dos = f.Valid() ? FileGetDate(f.Get()) : -1;
    return dos == -1 ? 0.0 : DosDateTimeToDateTime(dos);
}

}  // namespace

// Reads one member's compressed bytes in order, moving from volume to
// volume of a disk set; never reads past the member's last byte.
class TMemberReader {
public:
    TMemberReader(TVtrlCompress& Owner, const TFileHeader& Entry) : C(Owner), E(Entry) {
        if (C.FDirectory.MultiVolume == 1) {
            First = E.FirstDisk;
            Last = E.LastDisk;
            if (First == 0 || Last < First) throw EVCFHCannotReadHeaders();
        }
        V = First;
        C.FCurrentVolume = V;
        H = C.ReadVolume(First ? First : 1);
        Pos = static_cast<int64_t>(C.Offset) + E.DataPos;
        if (FileSeek(H, Pos, soFromBeginning) != Pos) throw EVCFHCannotReadHeaders();
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
            if (V >= Last) return 0;
            C.FCurrentVolume = ++V;
            H = C.ReadVolume(V);
            Pos = 0;
        }
    }

private:
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
    RunGuarded(
        [&] {
            try {
                ExtractBody();
            } catch (...) {
                FReadVolume.Close();
                FFilesToProcess.Clear();
                DestinationName.clear();
                throw;
            }
        },
        true);
    FReadVolume.Close();
    FFilesToProcess.Clear();
    DestinationName.clear();
}

TFileHandle TVtrlCompress::ReadVolume(int Volume) {
    // Members that follow each other on one volume share its handle: opening
    // the archive again for each small member costs more than inflating it.
    if (!FReadVolume.Valid() || FReadVolumeNumber != Volume) {
        FReadVolume.Close();
        FReadVolume.Reset(OpenVolume(Volume, false));
        FReadVolumeNumber = Volume;
    }
    return FReadVolume.Get();
}

void TVtrlCompress::ExtractBody() {
    FMadeDirectory.clear();
    EnsureDirectory();
    FCurrentVolume = 0;
    FillTotals();
    for (int line = 0; line < FFilesToProcess.Count(); ++line) {
        const std::string key = FFilesToProcess[line];
        int index = FDirectory.IndexOf(key);
        if (index < 0) throw EVCFHFileNotInArchive(key);
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
        if (extract) ExtractMember(e, dest);
        DestinationName.clear();
    }
}

void TVtrlCompress::ExtractMember(TFileHeader& Entry, const std::string& Destination) {
    TMemberReader reader(*this, Entry);
    if (!IsPlainFileName(ExtractFileName(Destination))) throw EVCCouldNotCreateFile(Destination);
    std::string dir = ExtractFileDir(Destination);
    if (!dir.empty() && dir != FMadeDirectory) {
        ForceDirectories(dir);
        FMadeDirectory = dir;  // most members of one run go to one directory
    }
    TFileHandleOwner out(FileCreate(Destination));
    if (!out.Valid()) throw EVCCouldNotCreateFile(Destination);
    try {
        bool complete = InflateMember(Entry, reader, out.Get());
        FileStats.Finished = true;
        FireStatus();
        FileStats.Finished = false;
        if (!complete || FileSize(out.Get()) != Entry.UncompressedSize)
            throw EVCWrongDecompressedSize(Entry.SourcePath);
        int32_t dos = 0;
        if (!DateTimeToDosDateTime(Entry.FileDate, dos) || !FileSetDate(out.Get(), dos))
            throw Exception(TranslateMessageText("Cannot set the date of the file just extracted."));
    } catch (...) {
        // A destination that does not hold the whole member is removed, so
        // that no partial file is left looking like an installed one.
        out.Close();
        FileDelete(Destination);
        throw;
    }
}

bool TVtrlCompress::InflateMember(TFileHeader& Entry, TMemberReader& Reader, TFileHandle Destination) {
    z_stream z{};
    z.zalloc = ZAlloc;
    z.zfree = ZFree;
    if (inflateInit_(&z, "1.0.4", static_cast<int>(sizeof(z_stream))) != Z_OK) throw EDecompressionError("error");
    struct TEnd {
        z_stream& Z;
        ~TEnd() { inflateEnd(&Z); }
    } end{z};
    auto in = std::make_unique<uint8_t[]>(InflateInput);
    auto outBuffer = std::make_unique<uint8_t[]>(InflateOutput);
    uint8_t* out = outBuffer.get();
    bool streamEnd = false;
    for (;;) {
        z.next_out = out;
        z.avail_out = InflateOutput;
        while (z.avail_out > 0 && !streamEnd) {
            if (z.avail_in == 0) {
                int32_t n = Reader.Read(in.get(), InflateInput);
                if (n == 0) break;
                z.next_in = in.get();
                z.avail_in = static_cast<uInt>(n);
            }
            int r = inflate(&z, Z_NO_FLUSH);
            if (r == Z_STREAM_END) streamEnd = true;
            // A stream that asks for a preset dictionary (which the archive
            // never has), or one that can make no progress with input and
            // room to spare, would otherwise loop here for ever.
            else if (r == Z_NEED_DICT || (r < 0 && r != Z_BUF_ERROR) || (r == Z_BUF_ERROR && z.avail_in > 0))
                throw ECompressionError("error");
        }
        int32_t produced = InflateOutput - static_cast<int32_t>(z.avail_out);
        if (Abort) throw EVCStop();
        ProcessMessages();
        if (produced == 0) return streamEnd;
        // Data that inflates beyond the recorded size is damaged; stopping
        // here keeps a hostile member from filling the disk.
        if (produced > Entry.UncompressedSize - FileStats.BytesDone) throw EVCWrongDecompressedSize(Entry.SourcePath);
        if (Destination != InvalidFileHandle && FileWrite(Destination, out, produced) != produced) DiskFull();
        FileStats.BytesDone += produced;
        FileStats.TotalDone += produced;
        FileStats.Percent = PercentOf(FileStats.BytesDone, FileStats.FullSize);
        FileStats.TotalPercent = PercentOf(FileStats.TotalDone, FileStats.TotalFull);
        FireStatus();
    }
}

void TVtrlCompress::VerifyMember(int Index) {
    EnsureDirectory();
    TFileHeader& e = FDirectory.Get(Index);
    FillEntryStats(e);
    struct TClose {
        TFileHandleOwner& V;
        ~TClose() { V.Close(); }
    } close{FReadVolume};
    TMemberReader reader(*this, e);
    if (!InflateMember(e, reader, InvalidFileHandle) || FileStats.BytesDone != e.UncompressedSize)
        throw EVCWrongDecompressedSize(e.SourcePath);
}

// ------------------------------------------------------------- plain copy

void TVtrlCompress::CopyPlainFile(const std::string& Source, const std::string& Destination) {
    Abort = false;
    Offset = 0;
    ExtractDirectory = ExtractFileDir(Destination);
    DestinationName = ExtractFileName(Destination);
    try {
        CopyPlainBody(Source);
    } catch (...) {
        DestinationName.clear();
        throw;
    }
    // The name was for this copy only; left set it would rename the next
    // extracted member.
    DestinationName.clear();
}

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
    if (!in.Valid()) throw EVCCouldNotOpenFile(Source);
    int32_t date = FileGetDate(in.Get());
    int64_t size = FileSize(in.Get());
    stats.FullSize = static_cast<int32_t>(size > INT32_MAX ? INT32_MAX : size);
    TFileHandleOwner out(FileCreate(dest));
    if (!out.Valid()) throw EVCCouldNotCreateFile(dest);
    std::vector<uint8_t> buf(PlainCopyBlock);
    for (;;) {
        if (Abort) return;
        int32_t n = FileRead(in.Get(), buf.data(), PlainCopyBlock);
        if (n < 0) n = 0;
        if (n > 0 && FileWrite(out.Get(), buf.data(), n) != n) DiskFull();
        stats.BytesDone += n;
        stats.TotalDone += n;
        stats.Percent = stats.TotalPercent = PercentOf(stats.BytesDone, stats.FullSize);
        if (OnStatus) OnStatus(this, stats);
        ProcessMessages();
        if (n < PlainCopyBlock) break;
    }
    if (date != -1) FileSetDate(out.Get(), date);
    stats.Finished = true;
    if (OnStatus) OnStatus(this, stats);
}

}  // namespace vtrl
