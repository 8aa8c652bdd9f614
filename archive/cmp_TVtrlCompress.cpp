// TVtrlCompress: properties, directory cache, volumes, statistics,
// compression into a single-file archive and splitting into a disk set.
// Extraction and plain copies are in cmp_TVtrlCompress_Extract.cpp.
#include "cmp_TVtrlCompress.h"

#include <cmath>

#include "FileShim.h"
#include "cmp_TVersion.h"

namespace vtrl {

TVtrlCompress& VtrlCompress() {
    static TVtrlCompress* shared = new TVtrlCompress(nullptr);
    return *shared;
}


VTRL_IMPLEMENT_CLASS(TVtrlCompress, TComponent, [](TClassBuilder<TVtrlCompress>& b) {
    b.Boolean("Abort", &TVtrlCompress::Abort, &TVtrlCompress::Abort, false)
        .String("CompressedFile", &TVtrlCompress::CompressedFile, &TVtrlCompress::SetCompressedFile)
        .Enum<TCompressionLevel>("CompressionLevel", &TVtrlCompress::CompressionLevel,
                                 &TVtrlCompress::CompressionLevel, colMax)
        .String("ExtractDirectory", &TVtrlCompress::ExtractDirectory, &TVtrlCompress::ExtractDirectory)
        .Strings("FilesToProcess", &TVtrlCompress::FilesToProcess, &TVtrlCompress::SetFilesToProcess)
        .Integer("Offset", &TVtrlCompress::Offset, &TVtrlCompress::Offset, 0)
        .Enum<TOverwriteType>("Overwrite", &TVtrlCompress::Overwrite, &TVtrlCompress::Overwrite, owAlways)
        .Event("OnAborted", &TVtrlCompress::OnAborted)
        .Event("OnBeforeAdding", &TVtrlCompress::OnBeforeAdding)
        .Event("OnAfterAdding", &TVtrlCompress::OnAfterAdding)
        .Event("OnBeforeExtracting", &TVtrlCompress::OnBeforeExtracting)
        .Event("OnAfterExtracting", &TVtrlCompress::OnAfterExtracting)
        .Event("OnFullDisk", &TVtrlCompress::OnFullDisk)
        .Event("OnListing", &TVtrlCompress::OnListing)
        .Event("OnNewDisk", &TVtrlCompress::OnNewDisk)
        .Event("OnReplace", &TVtrlCompress::OnReplace)
        .Event("OnStatus", &TVtrlCompress::OnStatus);
})

uint8_t PercentOf(int64_t Part, int64_t Whole) {
    if (Whole == 0) return 0;
    double p = std::round(static_cast<double>(Part) / static_cast<double>(Whole) * 100.0);
    return static_cast<uint8_t>(p < 0 ? 0 : p > 100 ? 100 : p);
}

TVtrlCompress::TVtrlCompress(TComponent* AOwner)
    : TComponent(AOwner), FileVersion(&TVersionResource::FileVersionOf) {}

TVtrlCompress::~TVtrlCompress() = default;

void TVtrlCompress::SetCompressedFile(const std::string& Value) {
    if (!SameText(Value, FCompressedFile)) {
        bool sameDiskSet = FDirectoryLoaded && FDirectory.MultiVolume == 1 &&
                           SameText(ChangeFileExt(Value, ".1"), ChangeFileExt(FCompressedFile, ".1"));
        CloseArchive();
        if (!sameDiskSet) {
            FDirectoryLoaded = false;
            FAppendedSize = -1;
            FDirectory.Clear();
            // The directory a compression left in memory belongs to the old
            // name; questions about the new archive read it.
            FMode = mdNone;
        }
    }
    FCompressedFile = Value;
}

void TVtrlCompress::SetFilesToProcess(TStringList& List) {
    for (int i = List.Count() - 1; i >= 0; --i)
        if (Trim(List[i]).empty()) List.Delete(i);
    FFilesToProcess = List;
}

namespace {
// ".n", the extension of volume n. (Built by appending: GCC 12 warns
// wrongly about "." + std::string in optimised builds.)
std::string VolumeExt(int Volume) {
    std::string e = ".";
    e += IntToStr(Volume);
    return e;
}
}  // namespace

std::string TVtrlCompress::VolumeName(int Volume) const {
    if (FDirectory.MultiVolume == 1) return ChangeFileExt(FCompressedFile, VolumeExt(Volume));
    return FCompressedFile;
}

// ---------------------------------------------------------------- directory

namespace {

// Any failure while reading a directory is EVCFHCannotReadHeaders; the
// detail keeps the archive and what the reader found wrong.
[[noreturn]] void RaiseCannotReadHeaders(const std::string& Archive, const Exception& Cause) {
    EVCFHCannotReadHeaders e;
    e.Detail = "archive " + Archive + ": " + (Cause.Detail.empty() ? Cause.Message : Cause.Detail);
    throw e;
}

}  // namespace

void TVtrlCompress::ReadDirectory() {
    FDirectoryLoaded = false;
    StopInflatingAhead();  // it read the members of the directory before
    FAppendedSize = -1;
    if (!FileExists(FCompressedFile)) {
        EVCCouldNotOpenCompressedFile e(FCompressedFile);
        e.Detail = "it does not exist";
        throw e;
    }
    TVtrlFileStream s(FileOpenRead(FCompressedFile));
    if (s.Handle() == InvalidFileHandle) {
        int err = GetLastOSError();
        EVCCouldNotOpenCompressedFile e(FCompressedFile);
        e.Detail = SysErrorMessage(err);
        throw e;
    }
    try {
        FDirectory.ReadFrom(s, Offset);
    } catch (const Exception& e) {
        FDirectory.Clear();
        RaiseCannotReadHeaders(Offset == 0 ? FCompressedFile : FCompressedFile + " at offset " + IntToStr(Offset), e);
    }
    FLoadedOffset = Offset;
    FDirectoryLoaded = true;
}

void TVtrlCompress::EnsureDirectory() {
    // The directory belongs to one archive at one offset: a caller that
    // points the component at the other archive of the same self-extracting
    // file changes only Offset.
    if (!FDirectoryLoaded || FLoadedOffset != Offset) ReadDirectory();
}

const TFileHeaders& TVtrlCompress::Directory() {
    if (FMode != mdCompress) EnsureDirectory();
    return FDirectory;
}

int TVtrlCompress::EntryCount() { return Directory().Count(); }

void TVtrlCompress::GetFileStats(int Index, TlzhFileStats& Stats) {
    Directory();
    if (Index < 0 || Index >= FDirectory.Count())
        throw Exception(Fmt(TranslateMessageText("Tried to access the %dth file. This file is not defined"), Index));
    FillTotals();
    FillEntryStats(FDirectory.Get(Index));
    Stats = FileStats;
}

int TVtrlCompress::IndexOfFile(const std::string& Key) {
    EnsureDirectory();
    // The whole key is compared here, a ";" included.
    int i = FDirectory.IndexOf(Key);
    return i >= 0 && SameText(FDirectory.Get(i).SourcePath, Key) ? i : -1;
}

TFileHandle TVtrlCompress::OpenVolumeFile(std::string Name, int Volume, bool ReadWrite) {
    for (int attempt = 0;; ++attempt) {
        if (FileExists(Name)) {
            TFileHandle h = ReadWrite ? FileOpenReadWrite(Name) : FileOpenRead(Name);
            if (h == InvalidFileHandle) {
                int err = GetLastOSError();
                EVCCouldNotOpenCompressedFile e(Name);
                e.Detail = SysErrorMessage(err);
                throw e;
            }
            return h;
        }
        if (attempt == 4 || !OnNewDisk) {
            Exception e(TranslateMessageText("Could not open the correct disk file ") + IntToStr(Volume));
            e.Detail = Name + " does not exist";
            throw e;
        }
        std::string dir = RemoveBackSlash(ExtractFilePath(Name));
        OnNewDisk(this, Volume, dir);
        Name = AddBackSlash(dir) + ExtractFileName(Name);
    }
}

TFileHandle TVtrlCompress::OpenVolume(int Volume, bool ReadWrite) {
    return OpenVolumeFile(VolumeName(Volume), Volume, ReadWrite);
}

// --------------------------------------------------------------- statistics

void TVtrlCompress::FillEntryStats(const TFileHeader& Entry) {
    FileStats.MemberName = Entry.SourcePath;
    FileStats.FullSize = Entry.UncompressedSize;
    FileStats.BytesDone = 0;
    FileStats.Percent = 0;
    FileStats.PackedSize = Entry.CompressedSize;
    FileStats.Finished = false;
    FileStats.Ratio = PercentOf(FileStats.PackedSize, FileStats.FullSize);
    FileStats.Header = Entry;
}

void TVtrlCompress::FillTotals() {
    FileStats.TotalDone = 0;
    FileStats.TotalPercent = 0;
    FileStats.Finished = false;
    FDirectory.Totals(FileStats.TotalFull, FileStats.TotalPacked);
    FileStats.TotalRatio = PercentOf(FileStats.TotalPacked, FileStats.TotalFull);
}

void TVtrlCompress::FireStatus() {
    if (OnStatus) OnStatus(this, FileStats);
}

void TVtrlCompress::DiskFull() {
    if (OnFullDisk) OnFullDisk(this);
    else throw EVCDiskFull();
}

void TVtrlCompress::RunGuarded(const std::function<void()>& Body, bool SwallowSilentAbort) {
    try {
        Body();
    } catch (const EVCStop&) {
        if (OnAborted) OnAborted(this);
    } catch (const EAbort&) {
        if (SwallowSilentAbort) return;
        Abort = true;
        throw;
    } catch (const Exception&) {
        Abort = true;
        throw;
    }
}

// -------------------------------------------------------------- compression

namespace {

constexpr int32_t CopyBlock = 61440;

void CheckPosition(int64_t Pos) {
    // Positions are 32-bit fields: the archive may not reach 2 GB.
    if (Pos < 0 || Pos > INT32_MAX) throw EVCFHCannotWriteHeaders();
}

}  // namespace

void TVtrlCompress::AddStatus(int64_t SourcePos, int64_t Packed) {
    if (Abort) throw EVCStop();
    ProcessMessages();
    FileStats.TotalDone += SourcePos - FileStats.BytesDone;
    FileStats.BytesDone = static_cast<int32_t>(SourcePos);
    FileStats.PackedSize = static_cast<int32_t>(Packed);
    FileStats.Percent = PercentOf(FileStats.BytesDone, FileStats.FullSize);
    FileStats.TotalPercent = PercentOf(FileStats.TotalDone, FileStats.TotalFull);
    FireStatus();
}

// A member's progress counts the source bytes read so far (the position of
// the source), not those deflate has consumed: a status comes after each
// full output buffer, in the middle of a block read.
int64_t TVtrlCompress::DeflateSource(TFileHeader& Entry, TFileHandle Source, TVtrlStream& Archive,
                                     int64_t DataStart) {
    int64_t read = 0;
    TCompressionStream z(CompressionLevel, Archive);
    z.OnProgress = [&](TCustomZlibStream&) { AddStatus(read, Archive.Position() - DataStart); };
    auto buf = std::make_unique<uint8_t[]>(CopyBlock);
    for (;;) {
        int32_t n = FileRead(Source, buf.get(), CopyBlock);
        if (n < 0) throw EReadError();
        if (n == 0) break;
        read += n;
        z.Write(buf.get(), n);
        if (read > INT32_MAX) throw EVCCouldNotOpenFile(Entry.SourcePath);
    }
    z.Finish();
    return read;
}

int64_t TVtrlCompress::WritePrecompressed(const TPrecompressed& Member, TVtrlStream& Archive) {
    constexpr int32_t Buffer = TCustomZlibStream::BufferSize;
    const uint8_t* p = Member.Data.data();
    int64_t done = 0;
    for (int64_t sourcePos : Member.SourcePosAtBuffer) {
        Archive.WriteBuffer(p + done, Buffer);
        done += Buffer;
        AddStatus(sourcePos, done);
    }
    Archive.WriteBuffer(p + done, static_cast<int32_t>(static_cast<int64_t>(Member.Data.size()) - done));
    return Member.Size;
}

// The member's record goes first with provisional positions and is written
// again once the data is in place. The compressed data streams straight into
// the archive after it: the record is rewritten anyway, so no temporary copy
// of the data is needed, and the count at the start does not cover the
// member until it is complete.
void TVtrlCompress::CompressMember(TFileHeader& Entry, TVtrlStream& Archive) {
    // A member deflated ahead from the source as the entry describes it
    // needs no second look at the source.
    std::unique_ptr<TPrecompressed> ready;
    if (FPrecompressed)
        ready = FPrecompressed->Take(Entry.SourcePath, CompressionLevel, Entry.UncompressedSize, Entry.FileDate);
    TFileHandleOwner source;
    if (!ready) {
        source.Reset(FileOpenRead(SourceFiles.FileOf(Entry.SourcePath)));
        if (!source.Valid()) throw EVCCouldNotOpenFile(Entry.SourcePath);
    }
    FillEntryStats(Entry);
    FileStats.PackedSize = 0;
    if (OnBeforeAdding) OnBeforeAdding(this, FileStats);

    const int64_t h = Archive.Seek(0, soFromEnd);
    CheckPosition(h + FileHeaderSize);
    Entry.WriteTo(Archive);
    const int64_t dataStart = h + FileHeaderSize;
    Entry.DataPos = static_cast<int32_t>(dataStart);
    int64_t consumed = 0;
    try {
        consumed = ready ? WritePrecompressed(*ready, Archive) : DeflateSource(Entry, source.Get(), Archive, dataStart);
    } catch (const EWriteError&) {
        // The member cannot be completed on a full disk, even when an
        // OnFullDisk handler lets the operation go on.
        DiskFull();
        throw EVCDiskFull();
    }
    const int64_t end = Archive.Seek(0, soFromEnd);
    CheckPosition(end);
    const int64_t packed = end - dataStart;
    // The file may have changed since its entry was made; the record
    // describes what was really compressed.
    Entry.UncompressedSize = static_cast<int32_t>(consumed);
    FileStats.FullSize = Entry.UncompressedSize;
    FileStats.Finished = true;
    AddStatus(consumed, packed);
    FileStats.Finished = false;
    FileStats.Ratio = PercentOf(FileStats.PackedSize, FileStats.FullSize);

    FileStats.TotalPacked += packed;
    Entry.LastBytePos = static_cast<int32_t>(end - 1);
    Entry.NextHeaderPos = static_cast<int32_t>(end);
    Entry.CompressedSize = static_cast<int32_t>(packed);
    Archive.Seek(h, soFromBeginning);
    Entry.WriteTo(Archive);
    Archive.Seek(0, soFromEnd);
}

void TVtrlCompress::CompressFiles(bool Append) {
    Abort = false;
    // A volume that extractions kept open must not stay open while the
    // archive is rewritten.
    CloseArchive();
    FMode = mdCompress;
    FDirectory.MultiVolume = 0;
    Offset = 0;
    RunGuarded(
        [&] {
            try {
                CompressBody(Append);
            } catch (...) {
                FFilesToProcess.Clear();
                FDirectoryLoaded = false;
                throw;
            }
        },
        true);
    FFilesToProcess.Clear();
    FDirectoryLoaded = false;
}

void TVtrlCompress::CompressBody(bool Append) {
    const int64_t appendedSize = FAppendedSize;
    FAppendedSize = -1;
    std::unique_ptr<TVtrlFileStream> owner;
    // Appending to the archive the last append wrote, the archive and its
    // directory exist: under Wine every look at a path costs a server call,
    // and a build appends once per member.
    if (Append && appendedSize >= 0 && SameText(FAppendedFile, FCompressedFile)) {
        owner = std::make_unique<TVtrlFileStream>(FileOpenReadWrite(FCompressedFile));
        if (owner->Handle() == InvalidFileHandle) owner.reset();
    }
    if (!owner) {
        std::string dir = ExtractFileDir(FCompressedFile);
        if (!dir.empty()) ForceDirectories(dir);
        if (Append && FileExists(FCompressedFile)) {
            owner = std::make_unique<TVtrlFileStream>(FileOpenReadWrite(FCompressedFile));
            if (owner->Handle() == InvalidFileHandle) throw EVCCouldNotCreateFile(FCompressedFile);
        }
    }
    if (owner) {
        // A build appends member after member to one archive: the directory
        // the last append left in memory is that archive's as long as the
        // file still ends where that append ended it. Reading it again for
        // every member would make a build quadratic in the member count.
        const bool cached = SameText(FAppendedFile, FCompressedFile) && appendedSize >= 0 &&
                            owner->Seek(0, soFromEnd) == appendedSize;
        if (!cached) {
            try {
                FDirectory.ReadFrom(*owner, 0);
            } catch (const Exception& e) {
                FDirectory.Clear();
                RaiseCannotReadHeaders(FCompressedFile, e);
            }
        }
        // Appending is defined for single-file archives only.
        if (FDirectory.MultiVolume != 0) throw EVCCouldNotCreateFile(FCompressedFile);
        FDirectory.AddFromList(FFilesToProcess, true, FileVersion, &SourceFiles);
    } else {
        // The entries are made before the archive is truncated, so that a
        // missing source leaves an existing archive as it was.
        FDirectory.AddFromList(FFilesToProcess, false, FileVersion, &SourceFiles);
        owner = std::make_unique<TVtrlFileStream>(FileCreate(FCompressedFile));
        if (owner->Handle() == InvalidFileHandle) throw EVCCouldNotCreateFile(FCompressedFile);
    }
    TVtrlStream& out = *owner;
    int written = 0;
    // The members already in the archive come first and the new entries
    // after them; counted from the end, since a build appends one member at
    // a time to thousands.
    int old = FDirectory.Count();
    while (old > 0 && !FDirectory.Get(old - 1).InArchive) --old;
    // The count at the start only ever claims members that are complete:
    // it is written with the old count now and raised after each member.
    FDirectory.WriteStart(out, old);
    int64_t goodEnd = out.Seek(0, soFromEnd);
    FillTotals();
    FileStats.TotalPacked = 0;
    try {
        for (int i = old; i < FDirectory.Count(); ++i) {
            TFileHeader& e = FDirectory.Get(i);
            const int64_t fullBefore = e.UncompressedSize, packedBefore = e.CompressedSize;
            CompressMember(e, out);
            e.InArchive = true;
            goodEnd = out.Seek(0, soFromEnd);
            FDirectory.WriteStart(out, old + ++written);
            out.Seek(0, soFromEnd);
            FDirectory.AdjustTotals(e.UncompressedSize - fullBefore, e.CompressedSize - packedBefore);
            if (OnAfterAdding) OnAfterAdding(this, FileStats);
        }
    } catch (...) {
        // Cut off a half-written member so the file ends with the last
        // complete one.
        if (out.Seek(goodEnd, soFromBeginning) == goodEnd) FileTruncate(owner->Handle());
        throw;
    }
    FAppendedFile = FCompressedFile;
    FAppendedSize = goodEnd;
}

// ------------------------------------------------------- deflating ahead

void TVtrlCompress::Precompress(const std::vector<TPrecompressMember>& Members, int Threads, int64_t Budget) {
    ClearPrecompressed();
    FPrecompressed = std::make_unique<TPrecompressCache>(Members, Threads, Budget, &SourceFiles);
}

void TVtrlCompress::ClearPrecompressed() noexcept { FPrecompressed.reset(); }

// ------------------------------------------------------------ disk sets

std::unique_ptr<TVtrlStream> TVtrlCompress::CreateVolume(const std::string& Name) {
    TFileHandle h = FileCreate(Name);
    if (h == InvalidFileHandle) return nullptr;
    return std::make_unique<TVtrlFileStream>(h);
}

void TVtrlCompress::SplitToDisks(const std::string& TargetDirectory, const std::string& TargetName) {
    FAppendedSize = -1;  // the split rewrites the directory in memory
    StopInflatingAhead();
    Abort = false;
    RunGuarded(
        [&] {
            try {
                SplitBody(TargetDirectory, TargetName);
            } catch (...) {
                // The directory in memory is half rewritten: read it again next time.
                FDirectoryLoaded = false;
                throw;
            }
        },
        false);
}

void TVtrlCompress::SplitBody(const std::string& TargetDirectory, const std::string& TargetName) {
    // The loaded directory may describe the disk set of an earlier split.
    if (FDirectoryLoaded && FDirectory.MultiVolume == 1) FDirectoryLoaded = false;
    EnsureDirectory();
    if (FDirectory.MultiVolume != 0) throw EVCFHCannotReadHeaders();
    FCurrentVolume = 1;
    FDirectory.MultiVolume = 1;
    FillTotals();

    TVtrlFileStream source(FileOpenRead(FCompressedFile));
    if (source.Handle() == InvalidFileHandle) throw EVCCouldNotOpenCompressedFile(FCompressedFile);
    std::string targetDir = AddBackSlash(TargetDirectory);
    const std::string fileName = ExtractFileName(TargetName);
    const std::string volume1 = targetDir + fileName;
    std::unique_ptr<TVtrlStream> volume = CreateVolume(volume1);
    if (!volume) throw EVCCouldNotCreateFile(volume1);
    FDirectory.WriteTo(*volume);

    std::vector<uint8_t> chunk(8192);
    for (int i = 0; i < FDirectory.Count(); ++i) {
        TFileHeader& e = FDirectory.Get(i);
        FillEntryStats(e);
        const int64_t last = static_cast<int64_t>(Offset) + e.LastBytePos;
        int64_t pos = static_cast<int64_t>(Offset) + e.DataPos;
        if (source.Seek(pos, soFromBeginning) != pos) throw EVCFHCannotReadHeaders();
        e.DataPos = static_cast<int32_t>(volume->Position());
        e.FirstDisk = static_cast<uint8_t>(FCurrentVolume);
        for (;;) {
            if (Abort) {
                FDirectoryLoaded = false;
                throw EVCStop();
            }
            if (pos > last) break;
            int32_t want = static_cast<int32_t>(last + 1 - pos < 8192 ? last + 1 - pos : 8192);
            int32_t got = source.Read(chunk.data(), want);
            if (got <= 0) throw EVCFHCannotReadHeaders();  // the member runs past the archive's end
            pos += got;
            ProcessMessages();
            int32_t w = volume->Write(chunk.data(), got);
            if (w < got) {
                volume.reset();
                if (++FCurrentVolume > 255) throw EVCNotEnoughSpace();
                if (!OnNewDisk) throw EVCNewDiskEventNotAssigned();
                std::string dir = RemoveBackSlash(targetDir);
                OnNewDisk(this, FCurrentVolume, dir);
                targetDir = AddBackSlash(dir);
                std::string name = targetDir + ChangeFileExt(fileName, VolumeExt(FCurrentVolume));
                volume = CreateVolume(name);
                if (!volume) throw EVCCouldNotCreateFile(name);
                int32_t rest = got - (w > 0 ? w : 0);
                if (volume->Write(chunk.data() + (got - rest), rest) != rest) throw EVCNotEnoughSpace();
            }
            FileStats.BytesDone += got;
            FileStats.TotalDone += got;
            FileStats.Percent = PercentOf(FileStats.BytesDone, FileStats.PackedSize);
            FileStats.TotalPercent = PercentOf(FileStats.TotalDone, FileStats.TotalPacked);
            FireStatus();
        }
        e.LastBytePos = static_cast<int32_t>(volume->Position() - 1);
        e.LastDisk = static_cast<uint8_t>(FCurrentVolume);
    }
    volume.reset();
    TVtrlFileStream first(OpenVolumeFile(volume1, 1, true));
    FDirectory.WriteTo(first);
    FDirectory.InvalidateTotals();
    FDirectoryLoaded = true;
}

}  // namespace vtrl
