// Tests of the archive component: stored bytes, disk sets, self-extracting
// files, the overwrite rules, events, abort and damaged archives.
#include "cmp_TVtrlCompress.h"

#include <map>

#include "test_ArchiveHelpers.h"

namespace vtrl {
namespace {

using namespace vtrl::test;

// An archive component over a scratch directory; file versions come from a
// table by file name instead of version resources.
struct TFixture {
    TScratch S;
    TVtrlCompress C{nullptr};
    std::map<std::string, std::string> Versions;
    TFixture() {
        C.FileVersion = [this](const std::string& p) {
            auto it = Versions.find(ExtractFileName(p));
            return it == Versions.end() ? std::string() : it->second;
        };
        ForceDirectories(S("src"));
        ForceDirectories(S("out"));
    }
    std::string Src(const std::string& Name, const Bytes& Data, int32_t Date = SampleDosDate) {
        std::string p = S("src" + TScratch::Sep() + Name);
        WriteAll(p, Data);
        SetDate(p, Date);
        return p;
    }
    void Compress(const std::string& Archive, std::vector<std::string> Sources, bool Append = false) {
        TStringList l;
        for (auto& s : Sources) l.Add(s);
        C.SetCompressedFile(Archive);
        C.SetFilesToProcess(l);
        C.CompressFiles(Append);
    }
    void Extract(const std::string& Archive, std::vector<std::string> Keys, int32_t Offset = 0) {
        TStringList l;
        for (auto& k : Keys) l.Add(k);
        C.SetCompressedFile(Archive);
        C.Offset = Offset;
        C.ExtractDirectory = S("out");
        C.SetFilesToProcess(l);
        C.ExtractFiles();
    }
    std::string Out(const std::string& Name) { return S("out" + TScratch::Sep() + Name); }
};

TFileHeaderRecord RecordAt(const Bytes& b, size_t Pos) {
    TFileHeaderRecord r;
    EXPECT_LE(Pos + FileHeaderSize, b.size());
    EXPECT_TRUE(DecodeFileHeader(b.data() + Pos, r));
    return r;
}

// ------------------------------------------------- stored bytes of archives
// Rule: the start is count + MultiVolume; each record sits right before its
// data; positions and padding are exactly as the format fixes them.

TEST(ArchiveBytes, EmptyArchiveIsFiveBytes) {
    TFixture f;
    f.Compress(f.S("empty.1"), {});
    EXPECT_EQ(ReadAll(f.S("empty.1")), (Bytes{0, 0, 0, 0, 0}));
}

TEST(ArchiveBytes, OneMemberRecordFields) {
    TFixture f;
    Bytes data = TextBytes(100000);
    std::string src = f.Src("a.dll", data);
    f.Versions["a.dll"] = "4.0.1.0";
    f.Compress(f.S("one.1"), {src + ";ignored"});
    Bytes b = ReadAll(f.S("one.1"));
    ASSERT_GT(b.size(), 169u);
    EXPECT_EQ(GetInt32(&b[0]), 1);
    EXPECT_EQ(b[4], 0);
    TFileHeaderRecord r = RecordAt(b, 5);
    EXPECT_EQ(r.BatchIndex, 1);
    EXPECT_EQ(r.SourcePath, src);
    EXPECT_EQ(r.FileDate, DosDateTimeToDateTime(SampleDosDate));
    double secs = (r.FileDate - static_cast<int64_t>(r.FileDate)) * 86400.0;
    EXPECT_EQ(static_cast<int64_t>(secs + 0.5) % 2, 0) << "DOS dates have even seconds";
    EXPECT_EQ(r.DataPos, 5 + 164);
    EXPECT_EQ(r.CompressedSize, static_cast<int32_t>(b.size()) - 169);
    EXPECT_EQ(r.LastBytePos, static_cast<int32_t>(b.size()) - 1);
    EXPECT_EQ(r.NextHeaderPos, static_cast<int32_t>(b.size()));
    EXPECT_EQ(r.UncompressedSize, 100000);
    EXPECT_EQ(r.FirstDisk, 0);
    EXPECT_EQ(r.LastDisk, 0);
    EXPECT_EQ(r.VersionText, "4.0.1.0");
    for (int i : {13, 14, 15, 121, 122, 123, 162, 163}) EXPECT_EQ(b[5 + i], 0) << "padding at " << i;
    for (size_t i = 1 + src.size(); i < 101; ++i) EXPECT_EQ(b[5 + 20 + i], 0);
    int64_t size = 0;
    EXPECT_TRUE(InflatedSize(&b[169], b.size() - 169, size));
    EXPECT_EQ(size, 100000);
    EXPECT_EQ(b[169], 0x78);  // zlib header, maximum compression
    EXPECT_EQ(b[170], 0xDA);
}

TEST(ArchiveBytes, SeparateRunsAppendWithBatchIndexOne) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(5000)), b = f.Src("b.txt", TextBytes(7000));
    f.Compress(f.S("two.1"), {a});
    f.Compress(f.S("two.1"), {b}, true);
    Bytes bytes = ReadAll(f.S("two.1"));
    EXPECT_EQ(GetInt32(&bytes[0]), 2);
    TFileHeaderRecord r1 = RecordAt(bytes, 5), r2 = RecordAt(bytes, static_cast<size_t>(r1.NextHeaderPos));
    EXPECT_EQ(r1.BatchIndex, 1);
    EXPECT_EQ(r2.BatchIndex, 1);
    EXPECT_EQ(r2.NextHeaderPos, static_cast<int32_t>(bytes.size()));
    f.Extract(f.S("two.1"), {b, a});
    EXPECT_EQ(ReadAll(f.Out("a.txt")), TextBytes(5000));
    EXPECT_EQ(ReadAll(f.Out("b.txt")), TextBytes(7000));
    EXPECT_EQ(GetDate(f.Out("b.txt")), SampleDosDate);
}

// Appends reuse the directory the last append left in memory only while the
// archive is as that append left it; a file changed meanwhile is read again.
TEST(ArchiveBytes, AppendsAfterAnOutsideChangeReadTheArchiveAgain) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(3000)), b = f.Src("b.txt", TextBytes(4000)),
                c = f.Src("c.txt", TextBytes(5000)), d = f.Src("d.txt", TextBytes(6000));
    f.Compress(f.S("many.1"), {a});
    f.Compress(f.S("many.1"), {b}, true);
    {
        TVtrlCompress other(nullptr);  // another writer appends behind our back
        other.SetCompressedFile(f.S("many.1"));
        TStringList l{c};
        other.SetFilesToProcess(l);
        other.CompressFiles(true);
    }
    f.Compress(f.S("many.1"), {d}, true);
    Bytes bytes = ReadAll(f.S("many.1"));
    EXPECT_EQ(GetInt32(&bytes[0]), 4);
    f.Extract(f.S("many.1"), {a, b, c, d});
    EXPECT_EQ(ReadAll(f.Out("a.txt")), TextBytes(3000));
    EXPECT_EQ(ReadAll(f.Out("c.txt")), TextBytes(5000));
    EXPECT_EQ(ReadAll(f.Out("d.txt")), TextBytes(6000));
}

TEST(ArchiveBytes, ZeroByteMemberExtractsWithDateAndZeroPercent) {
    TFixture f;
    std::string z = f.Src("zero.bin", {});
    f.Compress(f.S("z.1"), {z});
    Bytes b = ReadAll(f.S("z.1"));
    TFileHeaderRecord r = RecordAt(b, 5);
    EXPECT_EQ(r.UncompressedSize, 0);
    EXPECT_EQ(r.CompressedSize, 8);  // zlib header, empty block, Adler-32 of nothing
    std::vector<int> percents;
    f.C.OnStatus = [&](TVtrlCompress*, const TlzhFileStats& s) { percents.push_back(s.Percent + s.TotalPercent); };
    f.Extract(f.S("z.1"), {z});
    EXPECT_TRUE(FileExists(f.Out("zero.bin")));
    EXPECT_EQ(ReadAll(f.Out("zero.bin")).size(), 0u);
    EXPECT_EQ(GetDate(f.Out("zero.bin")), SampleDosDate);
    ASSERT_FALSE(percents.empty());
    for (int p : percents) EXPECT_EQ(p, 0);
}

// ------------------------------------------------------------ disk sets
// Rule: volume 1 holds the start and all records; data fills each volume
// to its last byte and continues at position 0 of the next one.

struct TDiskSetFixture : TFixture {
    TSmallDisks D{nullptr};
    std::vector<int> Requests;
    TDiskSetFixture() {
        D.OnNewDisk = [this](TVtrlCompress*, int n, std::string& path) { Requests.push_back(n); };
        ForceDirectories(S("disk"));
    }
    std::string Vol(int n) { return S("disk" + TScratch::Sep() + "files." + std::to_string(n)); }
};

TEST(DiskSet, MemberEndingOnLastByteOfVolumeTwo) {
    TDiskSetFixture f;
    std::string a = f.Src("a.bin", RandomBytes(30000, 1)), b = f.Src("b.bin", RandomBytes(9000, 2));
    f.C.CompressionLevel = colNone;
    f.Compress(f.S("files.1"), {a, b});
    TFileHeaders plain;
    {
        TVtrlFileStream s(FileOpenRead(f.S("files.1")));
        plain.ReadFrom(s, 0);
    }
    const int32_t sizeA = plain.Get(0).CompressedSize;
    const int32_t onFirst = 10000;
    f.D.Capacity = {5 + 2 * 164 + onFirst, sizeA - onFirst};
    f.D.SetCompressedFile(f.S("files.1"));
    f.D.SplitToDisks(f.S("disk"), "files.1");
    EXPECT_EQ(f.Requests, (std::vector<int>{2, 3}));
    EXPECT_EQ(ReadAll(f.Vol(2)).size(), static_cast<size_t>(sizeA - onFirst));

    Bytes v1 = ReadAll(f.Vol(1));
    EXPECT_EQ(GetInt32(&v1[0]), 2);
    EXPECT_EQ(v1[4], 1);
    TFileHeaderRecord ra = RecordAt(v1, 5), rb = RecordAt(v1, 5 + 164);
    EXPECT_EQ(ra.NextHeaderPos, 5 + 164);
    EXPECT_EQ(rb.NextHeaderPos, 5 + 2 * 164);
    EXPECT_EQ(ra.FirstDisk, 1);
    EXPECT_EQ(ra.DataPos, 5 + 2 * 164);
    EXPECT_EQ(ra.LastDisk, 2);
    EXPECT_EQ(ra.LastBytePos, sizeA - onFirst - 1);
    EXPECT_EQ(rb.FirstDisk, 2);
    EXPECT_EQ(rb.DataPos, sizeA - onFirst) << "starts at the size of the full volume";
    EXPECT_EQ(rb.LastDisk, 3);

    TFixture& r = f;
    r.C.SetCompressedFile(f.Vol(1));
    r.C.Offset = 0;
    EXPECT_EQ(r.C.EntryCount(), 2);
    f.Extract(f.Vol(1), {b, a});
    EXPECT_EQ(ReadAll(f.Out("a.bin")), RandomBytes(30000, 1));
    EXPECT_EQ(ReadAll(f.Out("b.bin")), RandomBytes(9000, 2));
}

TEST(DiskSet, VolumeFullExactlyAtChunkEnd) {
    TDiskSetFixture f;
    std::string a = f.Src("a.bin", RandomBytes(20000, 3));
    f.C.CompressionLevel = colNone;
    f.Compress(f.S("files.1"), {a});
    f.D.Capacity = {5 + 164 + 8192};
    f.D.SetCompressedFile(f.S("files.1"));
    f.D.SplitToDisks(f.S("disk"), "files.1");
    EXPECT_EQ(ReadAll(f.Vol(1)).size(), static_cast<size_t>(5 + 164 + 8192));
    EXPECT_EQ(f.Requests, (std::vector<int>{2}));
    f.Extract(f.Vol(1), {a});
    EXPECT_EQ(ReadAll(f.Out("a.bin")), RandomBytes(20000, 3));
}

TEST(DiskSet, FullNewVolumeAndMissingHandler) {
    TDiskSetFixture f;
    std::string a = f.Src("a.bin", RandomBytes(20000, 4));
    f.C.CompressionLevel = colNone;
    f.Compress(f.S("files.1"), {a});
    f.D.Capacity = {5 + 164 + 100, 0};
    f.D.SetCompressedFile(f.S("files.1"));
    EXPECT_THROW(f.D.SplitToDisks(f.S("disk"), "files.1"), EVCNotEnoughSpace);
    EXPECT_TRUE(f.D.Abort) << "a failed operation leaves Abort set";
    f.D.OnNewDisk.Clear();
    f.D.Capacity = {5 + 164 + 100};
    EXPECT_THROW(f.D.SplitToDisks(f.S("disk"), "files.1"), EVCNewDiskEventNotAssigned);
}

TEST(DiskSet, MissingVolumeIsRequestedAtMostFourTimes) {
    TDiskSetFixture f;
    std::string a = f.Src("a.bin", RandomBytes(20000, 5));
    f.C.CompressionLevel = colNone;
    f.Compress(f.S("files.1"), {a});
    f.D.Capacity = {5 + 164 + 5000};
    f.D.SetCompressedFile(f.S("files.1"));
    f.D.SplitToDisks(f.S("disk"), "files.1");
    ForceDirectories(f.S("other"));
    std::string moved = f.S("other" + TScratch::Sep() + "files.2");
    WriteAll(moved, ReadAll(f.Vol(2)));
    FileDelete(f.Vol(2));

    int asked = 0;
    f.C.OnNewDisk = [&](TVtrlCompress*, int n, std::string& path) {
        EXPECT_EQ(n, 2);
        ++asked;
    };
    try {
        f.Extract(f.Vol(1), {a});
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Could not open the correct disk file 2");
    }
    EXPECT_EQ(asked, 4);

    asked = 0;
    f.C.OnNewDisk = [&](TVtrlCompress*, int, std::string& path) {
        if (++asked == 2) path = f.S("other");
    };
    f.Extract(f.Vol(1), {a});
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(ReadAll(f.Out("a.bin")), RandomBytes(20000, 5));
}

// ------------------------------------------------------ self-extracting
// Rule: the files archive read at the trailer's offset is the plain archive.

TEST(SelfExtracting, ArchiveAtOffsetEqualsPlainArchive) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(3000)), b = f.Src("b.txt", TextBytes(9000));
    f.Compress(f.S("setup.1"), {a});
    f.Compress(f.S("files.1"), {a, b});
    Bytes setup = ReadAll(f.S("setup.1")), files = ReadAll(f.S("files.1"));
    Bytes sfx = SelfExtractingImage(1234, setup, files);
    const uint8_t* t = &sfx[sfx.size() - ExtractionInfoSize];
    EXPECT_EQ(t[0], 14);
    EXPECT_EQ(std::string(t + 1, t + 15), "SELFEXTRACTING");
    for (int i = 32; i < 56; ++i) EXPECT_EQ(t[i], 0) << i;
    WriteAll(f.S("setup.exe"), sfx);

    TExtractionInfo r = ReadExtractionInfo(f.S("setup.exe"));
    EXPECT_EQ(r.FilesStart, 1234 + static_cast<int32_t>(setup.size()));
    EXPECT_EQ(r.FilesLast, static_cast<int32_t>(sfx.size()) - 57);
    TVtrlCompress plain(nullptr);
    plain.SetCompressedFile(f.S("files.1"));
    f.C.SetCompressedFile(f.S("setup.exe"));
    f.C.Offset = r.FilesStart;
    ASSERT_EQ(f.C.EntryCount(), plain.EntryCount());
    for (int i = 0; i < plain.EntryCount(); ++i) {
        TlzhFileStats s1, s2;
        plain.GetFileStats(i, s1);
        f.C.GetFileStats(i, s2);
        EXPECT_EQ(s1.MemberName, s2.MemberName);
        EXPECT_EQ(EncodeFileHeader(s1.Header), EncodeFileHeader(s2.Header));
    }
    f.Extract(f.S("setup.exe"), {b}, r.FilesStart);
    EXPECT_EQ(ReadAll(f.Out("b.txt")), TextBytes(9000));
    f.C.Offset = r.SetupStart;
    EXPECT_EQ(f.C.EntryCount(), 1) << "a change of Offset reads the other archive";

    WriteAll(f.S("short.exe"), Bytes(55));
    EXPECT_THROW(ReadExtractionInfo(f.S("short.exe")), Exception);
}

// ------------------------------------------------------ overwrite rules
// Rule: owVersion replaces only with a newer version text; owDate only when
// the destination is strictly older; owNever never asks.

struct TOverwriteFixture : TFixture {
    std::string Key;
    int Replaced = 0;
    TOverwriteFixture() {
        Versions["lib.dll"] = "4.0.1.0";
        Key = Src("lib.dll", TextBytes(4000));
        Compress(S("files.1"), {Key});
        Versions.clear();
        C.OnReplace = [this](TVtrlCompress*, const TlzhFileStats&) { ++Replaced; };
    }
    // True when the archived member replaced an existing destination.
    bool Replaces(TOverwriteType Mode, const std::string& DestVersion, int32_t DestDate = SampleDosDate) {
        WriteText(Out("lib.dll"), "old");
        SetDate(Out("lib.dll"), DestDate);
        Versions["lib.dll"] = DestVersion;
        C.Overwrite = Mode;
        Extract(S("files.1"), {Key});
        return ReadAll(Out("lib.dll")).size() == 4000;
    }
};

TEST(Overwrite, DecisionTable) {
    TOverwriteFixture f;
    EXPECT_TRUE(f.Replaces(owVersion, "4.0.0.9"));
    EXPECT_FALSE(f.Replaces(owVersion, "4.0.2.0"));
    EXPECT_FALSE(f.Replaces(owVersion, "4.0.1.0"));
    EXPECT_TRUE(f.Replaces(owVersion, "")) << "a destination without version is older";
    EXPECT_FALSE(f.Replaces(owDate, "", SampleDosDate)) << "equal dates keep the destination";
    EXPECT_TRUE(f.Replaces(owDate, "", SampleDosDate - (1 << 16)));
    EXPECT_FALSE(f.Replaces(owVersionDate, "4.0.2.0", SampleDosDate - (1 << 16)));
    EXPECT_TRUE(f.Replaces(owVersionDate, "4.0.1.0", SampleDosDate - (1 << 16)));
    EXPECT_FALSE(f.Replaces(owVersionDate, "4.0.1.0", SampleDosDate));
    EXPECT_TRUE(f.Replaces(owAlways, "9.9"));
    EXPECT_EQ(f.Replaced, 5);
}

TEST(Overwrite, NeverFiresNoReplaceAndGoesOn) {
    TOverwriteFixture f;
    std::string other = f.Src("other.txt", TextBytes(10));
    f.Compress(f.S("files.1"), {other}, true);
    WriteText(f.Out("lib.dll"), "old");
    f.C.Overwrite = owNever;
    f.Extract(f.S("files.1"), {f.Key, other});
    EXPECT_EQ(f.Replaced, 0);
    EXPECT_EQ(ReadAll(f.Out("lib.dll")), (Bytes{'o', 'l', 'd'}));
    EXPECT_TRUE(FileExists(f.Out("other.txt")));
}

TEST(Overwrite, ReplaceHandlerMayRedirect) {
    TOverwriteFixture f;
    WriteText(f.Out("lib.dll"), "old");
    f.C.OnReplace = [&](TVtrlCompress* c, const TlzhFileStats&) { c->DestinationName = "renamed.dll"; };
    f.Extract(f.S("files.1"), {f.Key});
    EXPECT_EQ(ReadAll(f.Out("renamed.dll")).size(), 4000u);
    EXPECT_EQ(ReadAll(f.Out("lib.dll")).size(), 3u);
}

TEST(Overwrite, CopyPlainFileUsesSourceVersionAndClearsName) {
    TOverwriteFixture f;
    std::string src = f.Src("plain.txt", TextBytes(20000));
    WriteText(f.Out("plain.txt"), "keep");
    f.Versions["plain.txt"] = "2.0";
    f.C.Overwrite = owVersion;
    f.C.CopyPlainFile(src, f.Out("plain.txt"));
    EXPECT_EQ(ReadAll(f.Out("plain.txt")).size(), 4u) << "same version: kept";
    f.C.Overwrite = owAlways;
    f.C.CopyPlainFile(src, f.Out("plain.txt"));
    EXPECT_EQ(ReadAll(f.Out("plain.txt")), TextBytes(20000));
    EXPECT_EQ(GetDate(f.Out("plain.txt")), SampleDosDate);
    EXPECT_TRUE(f.C.DestinationName.empty());
}

TEST(VersionText, ComparesComponentsAsText) {
    EXPECT_EQ(CompareVersionTexts("10", "9"), voOlder);
    EXPECT_EQ(CompareVersionTexts("950", "1000"), voNewer);
    EXPECT_EQ(CompareVersionTexts("", "0"), voOlder);
    EXPECT_EQ(CompareVersionTexts("", ""), voEqual);
    EXPECT_EQ(CompareVersionTexts("4.0.1.0", "4.0.0.9"), voNewer);
    EXPECT_EQ(CompareVersionTexts("4.0", "4.0.0"), voOlder);
    EXPECT_EQ(CompareVersionTexts("4.0.0", "4.0"), voNewer);
    EXPECT_EQ(CompareVersionTexts("4..1", "4"), voEqual) << "an empty component ends the comparison";
}

// -------------------------------------------------- events and failures
// Rule: EVCStop ends an operation quietly through OnAborted; other errors
// propagate with Abort set; FilesToProcess is cleared either way.

TEST(Events, AbortFromStatusFiresAbortedWithoutException) {
    TFixture f;
    std::string a = f.Src("a.bin", RandomBytes(50000, 6));
    f.Compress(f.S("files.1"), {a});
    int statuses = 0, aborted = 0;
    f.C.OnStatus = [&](TVtrlCompress* c, const TlzhFileStats&) {
        ++statuses;
        c->Abort = true;
    };
    f.C.OnAborted = [&](TComponent*) { ++aborted; };
    EXPECT_NO_THROW(f.Extract(f.S("files.1"), {a}));
    EXPECT_EQ(statuses, 1) << "stops at the next output block";
    EXPECT_EQ(aborted, 1);
    EXPECT_FALSE(FileExists(f.Out("a.bin"))) << "no partial file is left";
    EXPECT_EQ(f.C.FilesToProcess().Count(), 0);
}

TEST(Events, CompressionReportsInOrder) {
    TFixture f;
    std::string a = f.Src("a.bin", RandomBytes(200000, 7));
    std::vector<std::string> seen;
    f.C.CompressionLevel = colNone;
    f.C.OnBeforeAdding = [&](TVtrlCompress*, const TlzhFileStats& s) { seen.push_back("before " + s.MemberName); };
    f.C.OnStatus = [&](TVtrlCompress*, const TlzhFileStats& s) {
        seen.push_back(s.Finished ? "finished " + std::to_string(s.Percent) : "status");
    };
    f.C.OnAfterAdding = [&](TVtrlCompress*, const TlzhFileStats& s) { seen.push_back("after"); };
    f.Compress(f.S("files.1"), {a});
    // 200000 stored bytes fill three 64 KiB output buffers during writing.
    EXPECT_EQ(seen, (std::vector<std::string>{"before " + a, "status", "status", "status", "finished 100", "after"}));
}

TEST(Events, BlankLinesLeaveTheCallersList) {
    TVtrlCompress c(nullptr);
    TStringList l{"a", "  ", "", "b", "\t"};
    c.SetFilesToProcess(l);
    EXPECT_EQ(l.Strings, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(c.FilesToProcess().Strings, l.Strings);
}

TEST(Failures, WrongDecompressedSizeAfterWriting) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(10000));
    f.Compress(f.S("files.1"), {a});
    Bytes b = ReadAll(f.S("files.1"));
    for (int32_t claimed : {10001, 9999}) {
        PutInt32(&b[5 + fh::UncompressedSize], claimed);
        WriteAll(f.S("bad.1"), b);
        int64_t written = 0;
        f.C.OnStatus = [&](TVtrlCompress*, const TlzhFileStats& s) { written = s.BytesDone; };
        try {
            f.Extract(f.S("bad.1"), {a});
            FAIL() << "no exception";
        } catch (const EVCWrongDecompressedSize& e) {
            EXPECT_EQ(e.FileName, a);
            EXPECT_EQ(std::string(e.what()),
                      "The decompressed file's size does not match with the actual size the file.  The file is " + a);
        }
        if (claimed > 10000) {
            EXPECT_EQ(written, 10000) << "raised after the whole member was written";
        }
        EXPECT_FALSE(FileExists(f.Out("a.txt")));
        f.C.SetCompressedFile("");
    }
}

// Member data that asks for a preset dictionary is damaged, not a reason to
// wait for ever (found by the extraction fuzzer).
TEST(Failures, DataAskingForADictionaryIsAnError) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(6));
    f.Compress(f.S("dict.1"), {a});
    Bytes bytes = ReadAll(f.S("dict.1"));
    TFileHeaderRecord r = RecordAt(bytes, 5);
    // The zlib header with the preset-dictionary flag and a valid check.
    bytes[static_cast<size_t>(r.DataPos)] = 0x78;
    bytes[static_cast<size_t>(r.DataPos) + 1] = 0x3F;
    WriteAll(f.S("dict.1"), bytes);
    EXPECT_THROW(f.Extract(f.S("dict.1"), {a}), Exception);
    EXPECT_FALSE(FileExists(f.Out("a.txt")));
}

TEST(Failures, NotInArchiveNamesTheLine) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(10));
    f.Compress(f.S("files.1"), {a});
    try {
        f.Extract(f.S("files.1"), {"C:\\nothing.txt;5"});
        FAIL();
    } catch (const EVCFHFileNotInArchive& e) {
        EXPECT_STREQ(e.what(), "The following file was not found in the archive: C:\\nothing.txt;5");
    }
    EXPECT_TRUE(f.C.Abort);
    EXPECT_EQ(f.C.FilesToProcess().Count(), 0);
}

TEST(Failures, InterruptedCompressionKeepsACountOfCompleteMembers) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(3000)), b = f.Src("b.txt", TextBytes(3000)),
                c = f.Src("c.txt", TextBytes(3000));
    f.Compress(f.S("files.1"), {a});
    f.C.OnAfterAdding = [&](TVtrlCompress*, const TlzhFileStats&) { FileDelete(c); };
    EXPECT_THROW(f.Compress(f.S("files.1"), {b, c}, true), EVCCouldNotOpenFile);
    Bytes bytes = ReadAll(f.S("files.1"));
    EXPECT_EQ(GetInt32(&bytes[0]), 2);
    f.C.OnAfterAdding.Clear();
    f.Extract(f.S("files.1"), {a, b});
    EXPECT_EQ(ReadAll(f.Out("b.txt")), TextBytes(3000));

    // An abort in the middle ends quietly and leaves the same kind of file.
    f.C.OnBeforeAdding = [&](TVtrlCompress* x, const TlzhFileStats& s) {
        if (s.MemberName == b) x->Abort = true;
    };
    int aborted = 0;
    f.C.OnAborted = [&](TComponent*) { ++aborted; };
    f.Compress(f.S("fresh.1"), {a, b});
    EXPECT_EQ(aborted, 1);
    TVtrlCompress reader(nullptr);
    reader.SetCompressedFile(f.S("fresh.1"));
    EXPECT_EQ(reader.EntryCount(), 1);
}

TEST(Failures, MissingSourceLeavesExistingArchive) {
    TFixture f;
    std::string a = f.Src("a.txt", TextBytes(3000));
    f.Compress(f.S("files.1"), {a});
    Bytes before = ReadAll(f.S("files.1"));
    EXPECT_THROW(f.Compress(f.S("files.1"), {f.S("missing.txt")}), EVCCouldNotOpenFile);
    EXPECT_EQ(ReadAll(f.S("files.1")), before);
}

// ------------------------------------------------------ directory cache
// Rule: the directory is read once per archive; a new name discards it
// unless it names another volume of the same disk set.

TEST(DirectoryCache, SetterKeepsOrDiscards) {
    TDiskSetFixture f;
    std::string a = f.Src("a.bin", RandomBytes(20000, 8));
    f.Compress(f.S("files.1"), {a});
    f.D.Capacity = {5 + 164 + 5000};
    f.D.SetCompressedFile(f.S("files.1"));
    f.D.SplitToDisks(f.S("disk"), "files.1");

    TVtrlCompress c(nullptr);
    c.SetCompressedFile(f.Vol(1));
    EXPECT_EQ(c.EntryCount(), 1);
    WriteAll(f.Vol(1), Bytes{0, 0, 0, 0, 1});
    c.SetCompressedFile(f.Vol(2));
    EXPECT_EQ(c.EntryCount(), 1) << "same disk set: kept";
    c.SetCompressedFile(UpperCase(f.Vol(2)) == f.Vol(2) ? f.Vol(2) : f.Vol(2));
    EXPECT_EQ(c.EntryCount(), 1);
    c.SetCompressedFile(f.S("files.1"));
    EXPECT_EQ(c.EntryCount(), 1) << "another archive: read again";
    c.SetCompressedFile(f.Vol(1));
    EXPECT_EQ(c.EntryCount(), 0);
}

TEST(DirectoryCache, LookupKeysAndPublishedProperties) {
    TFixture f;
    std::string a = f.Src("MixedCase.txt", TextBytes(10));
    f.Compress(f.S("files.1"), {a});
    f.C.SetCompressedFile(f.S("files.1"));
    EXPECT_EQ(f.C.IndexOfFile(UpperCase(a)), 0);
    EXPECT_EQ(f.C.IndexOfFile(a + ";x"), -1) << "IndexOfFile compares the whole key";
    f.Extract(f.S("files.1"), {LowerCase(a) + ";1"});
    EXPECT_TRUE(FileExists(f.Out("MixedCase.txt")));

    // After a compression the directory in memory answers, totals included.
    std::string b = f.Src("b.txt", TextBytes(30));
    f.Compress(f.S("files.1"), {b}, true);
    FileDelete(f.S("files.1"));
    EXPECT_EQ(f.C.EntryCount(), 2);
    TlzhFileStats st;
    f.C.GetFileStats(1, st);
    EXPECT_EQ(st.MemberName, b);
    EXPECT_EQ(st.TotalFull, 40);
    try {
        f.C.GetFileStats(2, st);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Tried to access the 2th file. This file is not defined");
    }

    const TClassInfo* ci = FindClass("TVtrlCompress");
    ASSERT_NE(ci, nullptr);
    std::vector<std::string> names;
    for (const auto& p : ci->Props) names.push_back(p.Name);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 7),
              (std::vector<std::string>{"Abort", "CompressedFile", "CompressionLevel", "ExtractDirectory",
                                        "FilesToProcess", "Offset", "Overwrite"}));
    EXPECT_EQ(*ci->FindProp("CompressionLevel")->DefaultOrd, colMax);
    EXPECT_EQ(*ci->FindProp("Overwrite")->DefaultOrd, owAlways);
}

}  // namespace
}  // namespace vtrl
