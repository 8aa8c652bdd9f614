// Tests of the directory records, dates, key lookup, the compression
// streams, and of reading damaged or hostile archives.
#include "cmp_TFileHeaders.h"

#include <zlib.h>

#include "cmp_TVtrlCompress.h"
#include "test_ArchiveHelpers.h"

namespace vtrl {
namespace {

using namespace vtrl::test;

// A stream over memory, for the stream tests.
class TMemoryStream : public TVtrlStream {
public:
    Bytes Data;
    int64_t Pos = 0;
    int32_t Read(void* b, int32_t n) override {
        int32_t k = static_cast<int32_t>(std::min<int64_t>(n, static_cast<int64_t>(Data.size()) - Pos));
        if (k <= 0) return 0;
        std::memcpy(b, Data.data() + Pos, static_cast<size_t>(k));
        Pos += k;
        return k;
    }
    int32_t Write(const void* b, int32_t n) override {
        if (Data.size() < static_cast<size_t>(Pos + n)) Data.resize(static_cast<size_t>(Pos + n));
        std::memcpy(Data.data() + Pos, b, static_cast<size_t>(n));
        Pos += n;
        return n;
    }
    int64_t Seek(int64_t o, TSeekOrigin w) override {
        Pos = (w == soFromBeginning ? 0 : w == soFromCurrent ? Pos : static_cast<int64_t>(Data.size())) + o;
        return Pos;
    }
    void SetSize(int64_t n) override { Data.resize(static_cast<size_t>(n)); }
};

// ------------------------------------------------------------ streams
// Rule: every level writes a complete zlib stream, also for no input;
// progress comes once per full 64 KiB output buffer.

TEST(CompressionStream, EmptyInputGivesCompleteStream) {
    struct {
        TCompressionLevel Level;
        Bytes Expected;
    } const cases[] = {
        {colMax, {0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}},
        {colDefault, {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}},
        {colFastest, {0x78, 0x01, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}},
        {colNone, {0x78, 0x01, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01}},
    };
    for (const auto& c : cases) {
        TMemoryStream m;
        { TCompressionStream z(c.Level, m); }
        EXPECT_EQ(m.Data, c.Expected) << "level " << c.Level;
    }
}

TEST(CompressionStream, ProgressPerFullBufferAndInvalidOperations) {
    TMemoryStream m;
    Bytes data = RandomBytes(300000);
    int progress = 0;
    {
        TCompressionStream z(colNone, m);
        z.OnProgress = [&](TCustomZlibStream&) { ++progress; };
        for (size_t i = 0; i < data.size(); i += 61440)
            z.Write(data.data() + i, static_cast<int32_t>(std::min<size_t>(61440, data.size() - i)));
        EXPECT_EQ(z.Seek(0, soFromCurrent), 300000);
        EXPECT_EQ(static_cast<int64_t>(m.Data.size()), progress * 65536);
        try {
            char c;
            z.Read(&c, 1);
            FAIL();
        } catch (const ECompressionError& e) {
            EXPECT_STREQ(e.what(), "Invalid stream operation");
        }
        EXPECT_THROW(z.Seek(1, soFromBeginning), ECompressionError);
    }
    EXPECT_EQ(progress, 4);  // 300000 stored bytes and block overhead fill four buffers
    int64_t size = 0;
    EXPECT_TRUE(InflatedSize(m.Data.data(), m.Data.size(), size));
    EXPECT_EQ(size, 300000);
    EXPECT_GT(m.Data.size(), data.size()) << "stored blocks grow by the zlib overhead";
}

// --------------------------------------------------------- dates and keys
// Rule: dates are days since 1899-12-30 from DOS dates (even seconds);
// keys compare without ASCII case up to the first ";", cut at 100.

TEST(Dates, DosConversion) {
    int32_t dos2000 = (20 << 25) | (1 << 21) | (1 << 16);
    EXPECT_EQ(DosDateTimeToDateTime(dos2000), 36526.0);
    EXPECT_EQ(DosDateTimeToDateTime(dos2000 | (12 << 11)), 36526.5);
    int32_t back = 0;
    ASSERT_TRUE(DateTimeToDosDateTime(DosDateTimeToDateTime(SampleDosDate), back));
    EXPECT_EQ(back, SampleDosDate);
    EXPECT_FALSE(DateTimeToDosDateTime(1.0, back)) << "before 1980";
    EXPECT_FALSE(DateTimeToDosDateTime(std::nan(""), back));
    EXPECT_FALSE(DateTimeToDosDateTime(1e300, back));
}

TEST(Keys, IndexOfRules) {
    TScratch s;
    TFileHeaders d;
    std::string longName(120, 'x');
    auto add = [&](std::string key) {
        auto e = std::make_unique<TFileHeader>();
        e->SourcePath = key.substr(0, MaxSourcePath);
        d.Add(std::move(e));
    };
    add("c:\\src\\a.dll");
    add("C:\\SRC\\A.DLL");
    add(longName);
    EXPECT_EQ(d.IndexOf("C:\\SRC\\A.DLL;x"), 0) << "first match, case ignored, text from ';' ignored";
    EXPECT_EQ(d.IndexOf(longName), -1) << "the stored key is cut to 100";
    EXPECT_EQ(d.IndexOf(longName.substr(0, 100)), 2);
    EXPECT_EQ(d.IndexOf("a.dll"), -1);
    auto blank = std::make_unique<TFileHeader>();
    blank->SourcePath = " \t ";
    EXPECT_THROW(d.Add(std::move(blank)), EVCFHInvalidNewFileHeader);
    EXPECT_EQ(d.Count(), 3);
    try {
        d.Get(3);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "GetFileHeaders--module cmp_TFileHeaders--Create constructor");
    }

    std::string src = s("");
    src += std::string(100 - src.size(), 'y');
    WriteAll(src, {1, 2, 3});
    TFileHeader h;
    h.FillFromSource(src + "zzz;extra", [](const std::string&) { return std::string(30, '9'); });
    EXPECT_EQ(h.SourcePath, src);
    EXPECT_EQ(h.UncompressedSize, 3);
    EXPECT_EQ(h.VersionText, std::string(20, '9'));
}

TEST(Keys, TenThousandMembersByKey) {
    TFileHeaders d;
    for (int i = 0; i < 10000; ++i) {
        auto e = std::make_unique<TFileHeader>();
        e->SourcePath = "C:\\SRC\\FILE" + std::to_string(i) + ".TXT";
        d.Add(std::move(e));
    }
    for (int i = 0; i < 10000; i += 997) EXPECT_EQ(d.IndexOf("c:\\src\\file" + std::to_string(i) + ".txt"), i);
}

// ------------------------------------------------------- hostile archives
// Rule: a damaged archive gives the archive error of the situation; no
// crash, no unbounded work, nothing written outside the target directory.

struct THostile {
    TScratch S;
    TVtrlCompress C{nullptr};
    Bytes Good;
    std::string Key;
    THostile() {
        C.FileVersion = [](const std::string&) { return std::string(); };
        Key = S("member.txt");
        WriteAll(Key, TextBytes(20000));
        TStringList l{Key};
        C.SetCompressedFile(S("good.1"));
        C.SetFilesToProcess(l);
        C.CompressFiles(false);
        Good = ReadAll(S("good.1"));
        ForceDirectories(S("out"));
    }
    // Reads Data as an archive and extracts every member; returns the
    // message of the error raised, or "" when all went through.
    template <class E = Exception>
    std::string Run(const Bytes& Data) {
        WriteAll(S("bad.1"), Data);
        C.SetCompressedFile("");
        C.SetCompressedFile(S("bad.1"));
        C.ExtractDirectory = S("out");
        try {
            TStringList l;
            for (int i = 0; i < C.EntryCount(); ++i) l.Add(C.Directory().Get(i).SourcePath);
            C.SetFilesToProcess(l);
            C.ExtractFiles();
        } catch (const E& e) {
            return e.what();
        }
        return "";
    }
    Bytes With(int Pos, int32_t Value) {
        Bytes b = Good;
        PutInt32(&b[static_cast<size_t>(Pos)], Value);
        return b;
    }
};

const std::string CannotRead =
    "Could not read the file headers for the compressed file. The Archive file could possible be corrupt.";

TEST(Hostile, DirectoryDamage) {
    THostile h;
    EXPECT_EQ(h.Run(h.With(0, -5)), CannotRead) << "no writer stores a negative count";
    EXPECT_EQ(h.Run(h.With(0, INT32_MIN)), CannotRead);
    EXPECT_EQ(h.Run(h.With(0, 0)), "") << "a count of 0 is an empty archive";
    EXPECT_EQ(h.C.EntryCount(), 0);
    EXPECT_EQ(h.Run(h.With(0, INT32_MAX)), CannotRead);
    EXPECT_EQ(h.Run(h.With(0, 2)), CannotRead) << "second record beyond the end";
    EXPECT_EQ(h.Run(Bytes(h.Good.begin(), h.Good.begin() + 3)), CannotRead);
    EXPECT_EQ(h.Run(Bytes(h.Good.begin(), h.Good.begin() + 100)), CannotRead) << "truncated record";
    Bytes b = h.Good;
    b[5 + fh::SourcePath] = 101;
    EXPECT_EQ(h.Run(b), CannotRead) << "key length over 100";
    b = h.Good;
    b[5 + fh::VersionText] = 21;
    EXPECT_EQ(h.Run(b), CannotRead);
    EXPECT_EQ(h.Run(h.With(5 + fh::CompressedSize, -1)), CannotRead);
    EXPECT_EQ(h.Run(h.With(5 + fh::UncompressedSize, -100)), CannotRead);
    // Two records pointing at each other would repeat forever.
    Bytes loop = h.Good;
    PutInt32(&loop[0], 3);
    Bytes tail(400, 0);
    loop.insert(loop.end(), tail.begin(), tail.end());
    PutInt32(&loop[5 + fh::NextHeaderPos], 5);
    EXPECT_EQ(h.Run(loop), CannotRead);
}

TEST(Hostile, MemberDataDamage) {
    THostile h;
    const size_t data = 5 + 164;
    Bytes b = h.Good;
    b[data] = 0x12;  // not a zlib header
    EXPECT_EQ(h.Run<EZlibError>(b), "error");
    EXPECT_FALSE(FileExists(h.S("out/member.txt")));
    b = h.Good;
    b[data + 40] ^= 0x55;
    EXPECT_NE(h.Run(b), "");
    EXPECT_FALSE(FileExists(h.S("out/member.txt")));
    // Data positions beyond the end, or a last byte before the first.
    EXPECT_NE(h.Run(h.With(5 + fh::DataPos, 1 << 30)), "");
    EXPECT_NE(h.Run(h.With(5 + fh::LastBytePos, 10)), "");
    EXPECT_NE(h.Run(h.With(5 + fh::LastBytePos, -2)), "");
    // A member whose data stops before its zlib stream ends.
    TFileHeaderRecord r;
    ASSERT_TRUE(DecodeFileHeader(&h.Good[5], r));
    EXPECT_EQ(h.Run(h.With(5 + fh::LastBytePos, r.LastBytePos - 20)).rfind("The decompressed file's size", 0), 0u);
    // A file cut short: its directory now ends beyond the end of the file.
    Bytes cut(h.Good.begin(), h.Good.end() - 20);
    EXPECT_EQ(h.Run(cut), CannotRead);
    // A disk-set flag on a single file with volumes that do not exist.
    b = h.Good;
    b[4] = 1;
    b[5 + fh::FirstDisk] = 2;
    b[5 + fh::LastDisk] = 200;
    EXPECT_EQ(h.Run(b), "Could not open the correct disk file 2");
    b[5 + fh::FirstDisk] = 3;
    b[5 + fh::LastDisk] = 2;
    EXPECT_EQ(h.Run(b), CannotRead) << "last volume before the first";
}

TEST(Hostile, KeysCannotLeaveTheDirectory) {
    THostile h;
    for (std::string key : {"..", ".", "C:\\..", "x\\..", "NUL", "con.txt"}) {
        Bytes b = h.Good;
        PutShortString(&b[5 + fh::SourcePath], key, MaxSourcePath);
        for (size_t i = 5 + fh::SourcePath + 1 + key.size(); i < 5 + fh::SourcePath + 101; ++i) b[i] = 0;
        EXPECT_EQ(h.Run<EVCCouldNotCreateFile>(b).rfind("Could not create the file ", 0), 0u) << key;
    }
    Bytes b = h.Good;
    std::string evil = "..\\..\\..\\evil.txt";
    PutShortString(&b[5 + fh::SourcePath], evil, MaxSourcePath);
    for (size_t i = 5 + fh::SourcePath + 1 + evil.size(); i < 5 + fh::SourcePath + 101; ++i) b[i] = 0;
    EXPECT_EQ(h.Run(b), "");
    EXPECT_TRUE(FileExists(h.S("out") + TScratch::Sep() + "evil.txt")) << "only the file name part is used";
}

}  // namespace
}  // namespace vtrl
