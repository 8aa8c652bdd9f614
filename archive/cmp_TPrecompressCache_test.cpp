// Tests of deflating ahead: archives and events equal to a one-thread
// build, sources changed in between, the memory budget, stopping early.
#include "cmp_TPrecompressCache.h"

#include "test_ArchiveHelpers.h"

namespace vtrl {
namespace {

using namespace vtrl::test;

struct TSource {
    std::string Name;
    Bytes Data;
    TCompressionLevel Level;
};

// What a build's pass sees of one member: the status events' numbers.
struct TStep {
    std::string Member;
    int32_t BytesDone, PackedSize;
    bool Finished;
    int64_t TotalDone, TotalPacked;
    bool operator==(const TStep&) const = default;
};

struct TAheadFixture {
    TScratch S;
    TVtrlCompress C{nullptr};
    std::vector<TStep> Steps;
    std::vector<std::string> Paths;
    std::vector<TCompressionLevel> Levels;

    TAheadFixture() {
        C.FileVersion = [](const std::string&) { return std::string(); };
        C.OnStatus = [this](TVtrlCompress*, const TlzhFileStats& s) {
            Steps.push_back({ExtractFileName(s.MemberName), s.BytesDone, s.PackedSize, s.Finished, s.TotalDone,
                             s.TotalPacked});
        };
    }
    void Add(const std::vector<TSource>& Sources) {
        for (const TSource& s : Sources) {
            Paths.push_back(S(s.Name));
            Levels.push_back(s.Level);
            WriteAll(Paths.back(), s.Data);
            SetDate(Paths.back(), SampleDosDate);
        }
    }
    std::vector<TPrecompressMember> Members() const {
        std::vector<TPrecompressMember> m;
        for (size_t i = 0; i < Paths.size(); ++i) m.push_back({Paths[i], Levels[i]});
        return m;
    }
    // The builder's pass: one CompressFiles per member, appending, each at
    // its own level.
    Bytes Build(const std::string& Archive) {
        C.SetCompressedFile(S(Archive));
        for (size_t i = 0; i < Paths.size(); ++i) {
            TStringList l;
            l.Add(Paths[i]);
            C.CompressionLevel = Levels[i];
            C.SetFilesToProcess(l);
            C.CompressFiles(i > 0);
        }
        return ReadAll(S(Archive));
    }
};

std::vector<TSource> MixedSources() {
    return {
        {"empty.txt", {}, colMax},
        {"one.bin", {0x42}, colMax},
        {"text.txt", TextBytes(400000), colMax},
        {"noise.bin", RandomBytes(300000, 7), colMax},
        {"block.txt", TextBytes(61440), colFastest},
        {"stored.bin", RandomBytes(200000, 9), colNone},
        {"default.txt", TextBytes(150000), colDefault},
        {"tail.bin", RandomBytes(65537, 3), colFastest},
    };
}

// Rule: an archive whose members were deflated ahead on any number of
// threads is byte for byte the one a single thread writes, empty and
// incompressible members and every level included, and the pass reports
// the same status events for it.
TEST(PrecompressCache, ArchiveAndEventsEqualAOneThreadBuild) {
    TAheadFixture f;
    f.Add(MixedSources());
    const Bytes reference = f.Build("plain.1");
    const std::vector<TStep> referenceSteps = f.Steps;
    ASSERT_GT(referenceSteps.size(), 10u);  // the large members report mid-way
    for (int threads : {1, 2, 4}) {
        SCOPED_TRACE(threads);
        f.Steps.clear();
        TPrecompressScope ahead(f.C, f.Members(), threads);
        // The pass deflates a member no worker has started yet itself; here
        // every member comes from memory.
        f.C.Precompressed()->WaitIdle();
        const Bytes built = f.Build("ahead" + std::to_string(threads) + ".1");
        EXPECT_EQ(built, reference);
        EXPECT_EQ(f.Steps, referenceSteps);
        EXPECT_EQ(f.C.Precompressed()->Hits(), static_cast<int>(f.Paths.size()));
    }
    EXPECT_EQ(f.C.Precompressed(), nullptr);
}

// Rule: without workers (no thread, or members the workers have not
// reached) the pass deflates the members itself, with the same result.
TEST(PrecompressCache, MembersNoWorkerReachedAreDeflatedByThePass) {
    TAheadFixture f;
    f.Add(MixedSources());
    const Bytes reference = f.Build("plain.1");
    TPrecompressScope ahead(f.C, f.Members(), 0);
    EXPECT_EQ(f.Build("ahead.1"), reference);
    EXPECT_EQ(f.C.Precompressed()->Hits(), 0);
}

// Rule: a source that changed between deflating ahead and the pass (its
// size, or only its date), or that the pass compresses at another level,
// is deflated afresh from what it holds then; the others still come from
// memory.
TEST(PrecompressCache, ChangedSourceIsDeflatedAfresh) {
    TAheadFixture f;
    f.Add({{"same.txt", TextBytes(100000), colMax},
           {"grown.txt", TextBytes(80000), colMax},
           {"redated.bin", RandomBytes(70000, 4), colMax},
           {"relevelled.txt", TextBytes(90000), colMax}});
    f.C.Precompress(f.Members(), 2);
    f.C.Precompressed()->WaitIdle();

    WriteAll(f.Paths[1], TextBytes(80001));
    SetDate(f.Paths[1], SampleDosDate);
    WriteAll(f.Paths[2], RandomBytes(70000, 5));  // same size, new bytes, new date
    SetDate(f.Paths[2], SampleDosDate + 2);
    f.Levels[3] = colFastest;
    const Bytes ahead = f.Build("ahead.1");
    EXPECT_EQ(f.C.Precompressed()->Hits(), 1);
    EXPECT_EQ(f.C.Precompressed()->Misses(), 3);
    f.C.ClearPrecompressed();

    EXPECT_EQ(ahead, f.Build("plain.1"));
}

// Rule: a source missing when the workers read it but present for the pass
// is compressed by the pass; one missing for the pass fails as it would
// without deflating ahead, naming the file, and keeps the archive as it was.
TEST(PrecompressCache, MissingSourcesFailAsWithoutIt) {
    TAheadFixture f;
    f.Add({{"a.txt", TextBytes(5000), colMax}, {"late.txt", TextBytes(7000), colMax}});
    const Bytes reference = f.Build("plain.1");
    FileDelete(f.Paths[1]);
    f.C.Precompress(f.Members(), 2);
    f.C.Precompressed()->WaitIdle();
    WriteAll(f.Paths[1], TextBytes(7000));
    SetDate(f.Paths[1], SampleDosDate);
    EXPECT_EQ(f.Build("late.1"), reference);

    f.C.Precompress(f.Members(), 2);
    f.C.Precompressed()->WaitIdle();
    FileDelete(f.Paths[1]);
    try {
        f.Build("late.1");
        ADD_FAILURE() << "no error for a missing source";
    } catch (const EVCCouldNotOpenFile& e) {
        EXPECT_NE(std::string(e.what()).find("late.txt"), std::string::npos) << e.what();
    }
    f.C.ClearPrecompressed();
    TFileHeaders d;
    TVtrlFileStream s(FileOpenRead(f.S("late.1")));
    d.ReadFrom(s, 0);
    EXPECT_EQ(d.Count(), 1);
}

// Rule: the memory budget holds back what does not fit, without ever
// stalling the pass; a member larger than the whole budget is left to the
// pass. The archive is the same.
TEST(PrecompressCache, BudgetNeverChangesTheArchive) {
    TAheadFixture f;
    std::vector<TSource> sources;
    for (int i = 0; i < 12; ++i) sources.push_back({"m" + std::to_string(i) + ".bin", RandomBytes(40000, i), colMax});
    sources.push_back({"huge.bin", RandomBytes(150000, 99), colMax});
    f.Add(sources);
    const Bytes reference = f.Build("plain.1");
    f.C.Precompress(f.Members(), 2, 100000);
    EXPECT_EQ(f.Build("ahead.1"), reference);
    EXPECT_GT(f.C.Precompressed()->Hits(), 0);
    EXPECT_GT(f.C.Precompressed()->Misses(), 0);  // at least the huge one
    f.C.ClearPrecompressed();
}

// Rule: many small members are held within the budget too, their
// allocations counted, not only their deflated bytes (a build of a hundred
// thousand small files once held a gigabyte ahead of its pass).
TEST(PrecompressCache, SmallMembersStayWithinTheBudget) {
    TAheadFixture f;
    std::vector<TSource> sources;
    for (int i = 0; i < 200; ++i) sources.push_back({"s" + std::to_string(i) + ".txt", TextBytes(100 + i), colMax});
    f.Add(sources);
    const Bytes reference = f.Build("plain.1");
    const int64_t budget = 20000;
    f.C.Precompress(f.Members(), 2, budget);
    f.C.Precompressed()->WaitIdle();
    EXPECT_LE(f.C.Precompressed()->Held(), budget);
    EXPECT_GT(f.C.Precompressed()->Held(), 0);
    EXPECT_EQ(f.Build("ahead.1"), reference);
    EXPECT_GT(f.C.Precompressed()->Hits(), 0);
    f.C.ClearPrecompressed();
}

// Rule: appending to the archive the last append wrote skips looking for it
// first, yet an archive removed in between is started afresh and one
// replaced by another file is read again, as without that shortcut.
TEST(PrecompressCache, AppendAfterTheArchiveWentAwayStartsAfresh) {
    TAheadFixture f;
    f.Add({{"a.txt", TextBytes(3000), colMax}, {"b.txt", TextBytes(4000), colMax}});
    const std::string archive = f.S("files.1");
    f.C.SetCompressedFile(archive);
    auto append = [&](size_t i) {
        TStringList l;
        l.Add(f.Paths[i]);
        f.C.SetFilesToProcess(l);
        f.C.CompressFiles(true);
    };
    append(0);
    ASSERT_TRUE(FileDelete(archive));
    append(1);
    TFileHeaders d;
    {
        TVtrlFileStream s(FileOpenRead(archive));
        d.ReadFrom(s, 0);
    }
    ASSERT_EQ(d.Count(), 1);
    EXPECT_EQ(ExtractFileName(d.Get(0).SourcePath), "b.txt");

    WriteAll(archive, Bytes(5, 0));  // another, empty archive of the same name
    append(0);
    {
        TVtrlFileStream s(FileOpenRead(archive));
        d.ReadFrom(s, 0);
    }
    ASSERT_EQ(d.Count(), 1);
    EXPECT_EQ(ExtractFileName(d.Get(0).SourcePath), "a.txt");
}

// Rule: emptying the cache while workers deflate stops them at once, and
// a scope left by an exception empties it too.
TEST(PrecompressCache, ClearingStopsTheWorkers) {
    TAheadFixture f;
    std::vector<TSource> sources;
    for (int i = 0; i < 6; ++i) sources.push_back({"big" + std::to_string(i) + ".txt", TextBytes(3000000), colMax});
    f.Add(sources);
    f.C.Precompress(f.Members(), 2);
    f.C.ClearPrecompressed();
    EXPECT_EQ(f.C.Precompressed(), nullptr);
    try {
        TPrecompressScope ahead(f.C, f.Members(), 2);
        throw EVCStop();
    } catch (const EVCStop&) {
    }
    EXPECT_EQ(f.C.Precompressed(), nullptr);
}

// Rule: a member read from a substitute (a build's signed copy of a
// program) keeps its own key and gets the substitute's bytes, size and
// date, whether it was deflated ahead or by the pass; the source file
// itself is not read.
TEST(PrecompressCache, SubstitutedMemberKeepsItsKey) {
    TAheadFixture f;
    f.Add({{"setup.exe", TextBytes(90000), colMax}, {"readme.txt", TextBytes(3000), colMax}});
    const std::string signedCopy = f.S("signed copy.exe");
    WriteAll(signedCopy, RandomBytes(91234, 8));
    SetDate(signedCopy, SampleDosDate + 2);
    for (int threads : {0, 2}) {
        SCOPED_TRACE(threads);
        f.C.SourceFiles.Set(f.Paths[0], signedCopy);
        {
            TPrecompressScope ahead(f.C, f.Members(), threads);
            if (threads > 0) f.C.Precompressed()->WaitIdle();
            f.Build("substituted" + std::to_string(threads) + ".1");
            EXPECT_EQ(f.C.Precompressed()->Hits(), threads > 0 ? 2 : 0);
        }
        f.C.SourceFiles.Clear();
        TVtrlCompress r(nullptr);
        r.SetCompressedFile(f.S("substituted" + std::to_string(threads) + ".1"));
        ASSERT_EQ(r.EntryCount(), 2);
        TlzhFileStats s;
        r.GetFileStats(0, s);
        EXPECT_EQ(s.MemberName, f.Paths[0]);
        EXPECT_EQ(s.Header.UncompressedSize, 91234);
        int32_t dos = 0;
        ASSERT_TRUE(DateTimeToDosDateTime(s.Header.FileDate, dos));
        EXPECT_EQ(dos, SampleDosDate + 2);
        ForceDirectories(f.S("out"));
        r.ExtractDirectory = f.S("out");
        TStringList keys;
        keys.Add(f.Paths[0]);
        keys.Add(f.Paths[1]);
        r.SetFilesToProcess(keys);
        r.ExtractFiles();
        EXPECT_EQ(ReadAll(f.S("out" + TScratch::Sep() + "setup.exe")), RandomBytes(91234, 8));
        EXPECT_EQ(ReadAll(f.S("out" + TScratch::Sep() + "readme.txt")), TextBytes(3000));
    }
}

}  // namespace
}  // namespace vtrl
