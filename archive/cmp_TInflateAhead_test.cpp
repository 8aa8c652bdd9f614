// Tests of inflating ahead of the extraction: the members handed over are
// the archive's bytes, members the extraction skips or takes out of order,
// damaged and oversized members left to the extraction, the memory budget,
// and an archive rewritten under the same name.
#include "cmp_TInflateAhead.h"

#include "test_ArchiveHelpers.h"

namespace vtrl {
namespace {

using namespace vtrl::test;

// An archive "files.1" of Sources (name, bytes) in a scratch directory,
// with the workers' view of its members.
struct TArchiveFixture {
    TScratch S;
    TVtrlCompress C{nullptr};
    std::vector<std::string> Paths;
    std::vector<Bytes> Data;

    explicit TArchiveFixture(const std::vector<std::pair<std::string, Bytes>>& Sources) {
        C.FileVersion = [](const std::string&) { return std::string(); };
        ForceDirectories(S("out"));
        for (const auto& [name, bytes] : Sources) {
            Paths.push_back(S(name));
            Data.push_back(bytes);
            WriteAll(Paths.back(), bytes);
            SetDate(Paths.back(), SampleDosDate);
        }
        Write(S("files.1"));
    }
    void Write(const std::string& Archive) {
        TStringList l;
        for (const std::string& p : Paths) l.Add(p);
        C.SetCompressedFile(Archive);
        C.SetFilesToProcess(l);
        C.CompressFiles(false);
    }
    std::vector<TAheadMember> Members() {
        std::vector<TAheadMember> m;
        for (int i = 0; i < C.EntryCount(); ++i) {
            const TFileHeader& e = C.Directory().Get(i);
            m.push_back({e.DataPos, e.LastBytePos, e.UncompressedSize});
        }
        return m;
    }
    int IndexOf(const std::string& Path) { return C.Directory().IndexOf(Path); }
    void ExtractAll(const std::string& Archive) {
        TStringList l;
        for (const std::string& p : Paths) l.Add(p);
        C.SetCompressedFile(Archive);
        C.ExtractDirectory = S("out");
        C.SetFilesToProcess(l);
        C.ExtractFiles();
    }
    Bytes Out(size_t I) { return ReadAll(S("out" + TScratch::Sep() + ExtractFileName(Paths[I]))); }
};

std::vector<std::pair<std::string, Bytes>> Mixed() {
    return {{"empty.txt", {}},
            {"one.bin", {0x42}},
            {"text.txt", TextBytes(400000)},
            {"noise.bin", RandomBytes(300000, 7)},
            {"block.txt", TextBytes(65536)},
            {"tail.bin", RandomBytes(65537, 3)}};
}

// Rule: every member handed over is exactly what the archive holds, empty
// ones included; taken in order after the worker ran, each is a hit.
TEST(InflateAhead, HandsOverTheArchivesBytes) {
    TArchiveFixture f(Mixed());
    TInflateAhead ahead(f.S("files.1"), 0, f.Members());
    ahead.WaitIdle();
    for (size_t i = 0; i < f.Paths.size(); ++i) {
        SCOPED_TRACE(f.Paths[i]);
        const auto data = ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[i])));
        ASSERT_TRUE(data);
        EXPECT_EQ(Bytes(data->begin(), data->end()), f.Data[i]);
    }
    EXPECT_EQ(ahead.Hits(), static_cast<int>(f.Paths.size()));
    // The last member's bytes are held until the next Take.
    EXPECT_EQ(ahead.Held(), static_cast<int64_t>(f.Data.back().size()));
    EXPECT_FALSE(ahead.Take(999));
    EXPECT_EQ(ahead.Held(), 0);
}

// Rule: members the extraction passes over are dropped (a later Take of
// one is a miss: the extraction inflates it itself), and the ones after
// the member taken are still handed over.
TEST(InflateAhead, SkippedMembersAreDroppedAndLaterOnesKept) {
    TArchiveFixture f(Mixed());
    TInflateAhead ahead(f.S("files.1"), 0, f.Members());
    ahead.WaitIdle();
    ASSERT_TRUE(ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[3]))));
    EXPECT_FALSE(ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[1]))));
    const auto later = ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[5])));
    ASSERT_TRUE(later);
    EXPECT_EQ(Bytes(later->begin(), later->end()), f.Data[5]);
    EXPECT_FALSE(ahead.Take(999));
    EXPECT_EQ(ahead.Held(), 0);
}

// Rule: a damaged member is never handed over, and the extraction then
// fails on it as it always did, naming it; the members before it are
// extracted.
TEST(InflateAhead, DamagedMemberIsLeftToTheExtraction) {
    TArchiveFixture f(Mixed());
    const int damaged = f.IndexOf(f.Paths[2]);
    Bytes b = ReadAll(f.S("files.1"));
    b[static_cast<size_t>(f.C.Directory().Get(damaged).DataPos) + 100] ^= 0x5a;
    WriteAll(f.S("damaged.1"), b);
    f.C.SetCompressedFile(f.S("damaged.1"));
    {
        TInflateAhead ahead(f.S("damaged.1"), 0, f.Members());
        ahead.WaitIdle();
        EXPECT_FALSE(ahead.Take(static_cast<size_t>(damaged)));
    }
    try {
        f.ExtractAll(f.S("damaged.1"));
        FAIL() << "the damaged member was extracted";
    } catch (const Exception& e) {
        EXPECT_NE(ExceptionLogText(e).find("member " + f.Paths[2]), std::string::npos) << ExceptionLogText(e);
    }
    EXPECT_EQ(f.Out(1), f.Data[1]);
    EXPECT_FALSE(FileExists(f.S("out" + TScratch::Sep() + "text.txt")));
}

// Rule: the worker holds no more than its budget, and a member larger than
// it takes on is the extraction's; the files extracted are the same.
TEST(InflateAhead, BudgetAndLargeMembers) {
    TArchiveFixture f({{"a.txt", TextBytes(300000)},
                       {"b.txt", TextBytes(300001)},
                       {"c.txt", TextBytes(300002)},
                       {"big.bin", RandomBytes(static_cast<size_t>(TInflateAhead::LargestMember) + 1, 5)}});
    TInflateAhead ahead(f.S("files.1"), 0, f.Members(), 1000000);
    ahead.WaitIdle();
    EXPECT_LE(ahead.Held(), 1000000);
    EXPECT_TRUE(ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[0]))));
    ahead.WaitIdle();
    EXPECT_TRUE(ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[1]))));
    EXPECT_TRUE(ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[2]))));
    EXPECT_FALSE(ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[3]))));

    f.ExtractAll(f.S("files.1"));
    for (size_t i = 0; i < f.Paths.size(); ++i) EXPECT_EQ(f.Out(i), f.Data[i]) << f.Paths[i];
}

// Rule: members keep their bytes as the ring of memory they are inflated
// into wraps around many times, whatever the extraction's pace.
TEST(InflateAhead, RingWrapsWithoutMixingMembers) {
    std::vector<std::pair<std::string, Bytes>> sources;
    for (int i = 0; i < 40; ++i)
        sources.push_back({"m" + std::to_string(i) + ".bin", i % 3 ? RandomBytes(70000 + 997 * i, i) : TextBytes(90000 + i)});
    TArchiveFixture f(sources);
    TInflateAhead ahead(f.S("files.1"), 0, f.Members(), 250000);
    for (size_t i = 0; i < f.Paths.size(); ++i) {
        if (i % 4 == 0) ahead.WaitIdle();
        const auto data = ahead.Take(static_cast<size_t>(f.IndexOf(f.Paths[i])));
        if (data) {
            EXPECT_EQ(Bytes(data->begin(), data->end()), f.Data[i]) << f.Paths[i];
        }
        EXPECT_LE(ahead.Held(), 250000);
    }
    EXPECT_GE(ahead.Hits(), 10);  // one at least after each wait
}

// Rule: an archive written again under the same name is extracted with its
// new bytes, not with what was inflated ahead of the old one.
TEST(InflateAhead, RewrittenArchiveGivesItsNewBytes) {
    TArchiveFixture f({{"a.txt", TextBytes(1000)}, {"b.bin", RandomBytes(5000, 1)}, {"c.txt", TextBytes(3000)}});
    // The first member only: the worker goes on with the others meanwhile.
    TStringList first{f.Paths[0]};
    f.C.SetCompressedFile(f.S("files.1"));
    f.C.ExtractDirectory = f.S("out");
    f.C.SetFilesToProcess(first);
    f.C.ExtractFiles();
    EXPECT_EQ(f.Out(0), f.Data[0]);
    ASSERT_TRUE(f.C.InflatedAhead());
    f.C.InflatedAhead()->WaitIdle();
    f.Data[1] = RandomBytes(5000, 2);
    WriteAll(f.Paths[1], f.Data[1]);
    f.Write(f.S("files.1"));
    f.ExtractAll(f.S("files.1"));
    for (size_t i = 0; i < f.Paths.size(); ++i) EXPECT_EQ(f.Out(i), f.Data[i]) << f.Paths[i];
    // Read ahead of the new archive, too.
    ASSERT_TRUE(f.C.InflatedAhead());
    EXPECT_GT(f.C.InflatedAhead()->Hits() + f.C.InflatedAhead()->Misses(), 0);
}

}  // namespace
}  // namespace vtrl
