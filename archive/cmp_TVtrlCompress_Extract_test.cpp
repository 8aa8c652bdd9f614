// Tests of how extraction and plain copy put files in place: the old file
// survives every failure and cancel, links are replaced rather than written
// through, the count of files written, and the details failures carry.
#include "cmp_TVtrlCompress.h"

#include <filesystem>
#include <optional>
#include <set>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

#include "test_ArchiveHelpers.h"

namespace vtrl {
namespace {

using namespace vtrl::test;
namespace fs = std::filesystem;

// 2001-03-04 05:06:08: the date of the files a user already had.
constexpr int32_t OldDosDate = static_cast<int32_t>((21u << 25) | (3u << 21) | (4u << 16) | (5u << 11) | (6u << 5) | 4u);

// An archive of "lib.dll" (200000 text bytes, several output blocks) and
// "small.txt" over a scratch directory whose "out" holds the user's own
// older lib.dll.
struct TPlaceFixture {
    TScratch S;
    TVtrlCompress C{nullptr};
    std::string Lib, Small, Archive;
    const Bytes OldBytes{'o', 'l', 'd', ' ', 'l', 'i', 'b'};
    TPlaceFixture() {
        C.FileVersion = [](const std::string&) { return std::string(); };
        ForceDirectories(S("src"));
        ForceDirectories(S("out"));
        Lib = S("src" + TScratch::Sep() + "lib.dll");
        Small = S("src" + TScratch::Sep() + "small.txt");
        WriteAll(Lib, TextBytes(200000));
        SetDate(Lib, SampleDosDate);
        WriteAll(Small, TextBytes(300));
        SetDate(Small, SampleDosDate);
        Archive = S("files.1");
        TStringList l{Lib, Small};
        C.SetCompressedFile(Archive);
        C.SetFilesToProcess(l);
        C.CompressFiles(false);
        WriteAll(Out("lib.dll"), OldBytes);
        SetDate(Out("lib.dll"), OldDosDate);
    }
    std::string Out(const std::string& Name) const { return S("out" + TScratch::Sep() + Name); }
    void Extract(const std::string& From, std::vector<std::string> Keys) {
        TStringList l;
        for (auto& k : Keys) l.Add(k);
        C.SetCompressedFile(From);
        C.Offset = 0;
        C.ExtractDirectory = S("out");
        C.SetFilesToProcess(l);
        C.ExtractFiles();
    }
    // The name extraction gives the destination of a member: the
    // directory and the system's separator.
    std::string Dest(const std::string& Name) const { return AddBackSlash(S("out")) + Name; }
    // The archive with the last byte of lib.dll's compressed data (its
    // Adler-32 check) changed: the damage shows only after every byte of
    // the member has been written.
    std::string Damaged() {
        Bytes b = ReadAll(Archive);
        TFileHeaderRecord r;
        EXPECT_TRUE(DecodeFileHeader(&b[5], r));
        b[static_cast<size_t>(r.LastBytePos)] ^= 0x55;
        WriteAll(S("damaged.1"), b);
        return S("damaged.1");
    }
    // The names in "out": a temporary file left behind shows here.
    std::set<std::string> OutNames() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(fs::u8path(S("out")))) names.insert(e.path().filename().string());
        return names;
    }
    void ExpectOldLibKept() const {
        EXPECT_EQ(ReadAll(Out("lib.dll")), OldBytes) << "the user's file was changed";
        EXPECT_EQ(GetDate(Out("lib.dll")), OldDosDate);
        EXPECT_EQ(OutNames(), (std::set<std::string>{"lib.dll"})) << "a temporary file was left";
    }
};

// The exception of class E that Body raises; empty when it raises none.
template <class E, class F>
std::optional<E> Caught(F&& Body) {
    try {
        Body();
    } catch (const E& e) {
        return e;
    }
    return std::nullopt;
}

// ------------------------------------------ the old file survives failure
// Rule: a member that fails or is cancelled leaves the file it was to
// replace byte for byte as it was, with its date, and nothing beside it.

TEST(PutInPlace, DamagedMemberKeepsTheOldFile) {
    TPlaceFixture f;
    std::string bad = f.Damaged();
    EXPECT_THROW(f.Extract(bad, {f.Lib}), EZlibError);
    f.ExpectOldLibKept();
    EXPECT_EQ(f.C.FilesWritten(), 0);
}

TEST(PutInPlace, WrongSizeKeepsTheOldFile) {
    TPlaceFixture f;
    Bytes b = ReadAll(f.Archive);
    PutInt32(&b[5 + fh::UncompressedSize], 200001);
    WriteAll(f.S("size.1"), b);
    EXPECT_THROW(f.Extract(f.S("size.1"), {f.Lib}), EVCWrongDecompressedSize);
    f.ExpectOldLibKept();
}

TEST(PutInPlace, CancelKeepsTheOldFile) {
    TPlaceFixture f;
    int aborted = 0;
    f.C.OnStatus = [](TVtrlCompress* c, const TlzhFileStats&) { c->Abort = true; };
    f.C.OnAborted = [&](TComponent*) { ++aborted; };
    EXPECT_NO_THROW(f.Extract(f.Archive, {f.Small, f.Lib}));
    EXPECT_EQ(aborted, 1);
    f.ExpectOldLibKept();
    EXPECT_EQ(f.C.FilesWritten(), 0) << "small.txt was cancelled too, on its only block";
}

TEST(PutInPlace, MissingLaterVolumeKeepsTheOldFile) {
    TPlaceFixture f;
    TSmallDisks d(nullptr);
    d.OnNewDisk = [](TVtrlCompress*, int, std::string&) {};
    d.Capacity = {5 + 2 * 164 + 1000};
    ForceDirectories(f.S("disk"));
    d.SetCompressedFile(f.Archive);
    d.SplitToDisks(f.S("disk"), "files.1");
    std::string vol1 = f.S("disk" + TScratch::Sep() + "files.1");
    ASSERT_TRUE(FileDelete(f.S("disk" + TScratch::Sep() + "files.2")));
    auto e = Caught<Exception>([&] { f.Extract(vol1, {f.Lib}); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_STREQ(e->what(), "Could not open the correct disk file 2");
    EXPECT_NE(e->Detail.find("volume 2"), std::string::npos) << e->Detail;
    f.ExpectOldLibKept();
}

#ifndef _WIN32
// A file-size limit makes the writes fail as a full disk would.
TEST(PutInPlace, FullDiskKeepsTheOldFile) {
    TPlaceFixture f;
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 30000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto e = Caught<EVCDiskFull>([&] { f.Extract(f.Archive, {f.Lib}); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_STREQ(e->what(), "Disk is full");
    EXPECT_NE(e->Detail.find("member " + f.Lib + ", archive " + f.Archive + ": cannot write "), std::string::npos)
        << e->Detail;
    EXPECT_NE(e->Detail.find(SysErrorMessage(EFBIG)), std::string::npos) << e->Detail;
    f.ExpectOldLibKept();
}
#endif

TEST(PutInPlace, ReplacedFileHasTheMemberAndItsDate) {
    TPlaceFixture f;
    f.Extract(f.Archive, {f.Lib, f.Small});
    EXPECT_EQ(ReadAll(f.Out("lib.dll")), TextBytes(200000));
    EXPECT_EQ(GetDate(f.Out("lib.dll")), SampleDosDate);
    EXPECT_EQ(f.OutNames(), (std::set<std::string>{"lib.dll", "small.txt"}));
    EXPECT_EQ(f.C.FilesWritten(), 2);
}

// --------------------------------------- destinations that cannot change
// Rule: a destination that cannot be replaced raises EVCCouldNotCreateFile
// naming it, with the system's reason, and stays as it was.

TEST(CannotReplace, DirectoryAtTheDestination) {
    TPlaceFixture f;
    ASSERT_TRUE(ForceDirectories(f.Out("small.txt")));
    auto e = Caught<EVCCouldNotCreateFile>([&] { f.Extract(f.Archive, {f.Small}); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(e->FileName, f.Dest("small.txt"));
    EXPECT_NE(e->Detail.find("cannot replace it: "), std::string::npos) << e->Detail;
    EXPECT_TRUE(DirectoryExists(f.Out("small.txt")));
    EXPECT_EQ(f.OutNames(), (std::set<std::string>{"lib.dll", "small.txt"}));
}

TEST(CannotReplace, ReadOnlyFile) {
    TPlaceFixture f;
    fs::path lib = fs::u8path(f.Out("lib.dll"));
    fs::permissions(lib, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    auto e = Caught<EVCCouldNotCreateFile>([&] { f.Extract(f.Archive, {f.Lib}); });
    fs::permissions(lib, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(e->FileName, f.Dest("lib.dll"));
    EXPECT_NE(e->Detail.find("cannot replace it: "), std::string::npos) << e->Detail;
    f.ExpectOldLibKept();
}

#ifdef _WIN32
// Only Windows keeps a file from being replaced while it is open.
TEST(CannotReplace, FileHeldOpenWithoutSharing) {
    TPlaceFixture f;
    {
        TFileHandleOwner held(FileOpenReadWrite(f.Out("lib.dll")));
        ASSERT_TRUE(held.Valid());
        auto e = Caught<EVCCouldNotCreateFile>([&] { f.Extract(f.Archive, {f.Lib}); });
        ASSERT_TRUE(e) << "no exception of the expected class";
        EXPECT_EQ(e->FileName, f.Dest("lib.dll"));
        EXPECT_NE(e->Detail.find("cannot replace it: "), std::string::npos) << e->Detail;
    }
    f.ExpectOldLibKept();
}
#endif

// ------------------------------------------------------- symbolic links
// Rule: putting a file in place replaces a link at the destination; the
// file it points to, wherever it is, is not touched.

TEST(Links, ExtractionAndCopyReplaceTheLink) {
    TPlaceFixture f;
    ForceDirectories(f.S("elsewhere"));
    std::string victim = f.S("elsewhere" + TScratch::Sep() + "victim.txt");
    WriteText(victim, "not yours");
    std::error_code ec;
    fs::create_symlink(fs::u8path(victim), fs::u8path(f.Out("small.txt")), ec);
    if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
    f.Extract(f.Archive, {f.Small});
    EXPECT_EQ(ReadAll(victim), (Bytes{'n', 'o', 't', ' ', 'y', 'o', 'u', 'r', 's'}));
    EXPECT_FALSE(fs::is_symlink(fs::u8path(f.Out("small.txt"))));
    EXPECT_EQ(ReadAll(f.Out("small.txt")), TextBytes(300));

    fs::remove(fs::u8path(f.Out("small.txt")));
    fs::create_symlink(fs::u8path(victim), fs::u8path(f.Out("small.txt")), ec);
    ASSERT_FALSE(ec);
    f.C.CopyPlainFile(f.Small, f.Out("small.txt"));
    EXPECT_EQ(ReadAll(victim).size(), 9u);
    EXPECT_FALSE(fs::is_symlink(fs::u8path(f.Out("small.txt"))));
    EXPECT_EQ(ReadAll(f.Out("small.txt")), TextBytes(300));
}

// -------------------------------------------------------- files written
// Rule: FilesWritten counts the files the last ExtractFiles or
// CopyPlainFile put in place; members the overwrite rule kept out and
// failed ones do not count.

TEST(FilesWritten, CountsOnlyFilesPutInPlace) {
    TPlaceFixture f;
    f.C.Overwrite = owNever;
    f.Extract(f.Archive, {f.Lib, f.Small});
    EXPECT_EQ(f.C.FilesWritten(), 1) << "lib.dll was kept";
    f.C.Overwrite = owAlways;
    f.Extract(f.Archive, {f.Small, f.Lib});
    EXPECT_EQ(f.C.FilesWritten(), 2);
    EXPECT_THROW(f.Extract(f.Damaged(), {f.Small, f.Lib}), EZlibError);
    EXPECT_EQ(f.C.FilesWritten(), 1) << "small.txt, before the damaged member";

    f.C.Overwrite = owNever;
    f.C.CopyPlainFile(f.Small, f.Out("small.txt"));
    EXPECT_EQ(f.C.FilesWritten(), 0);
    f.C.Overwrite = owAlways;
    f.C.CopyPlainFile(f.Small, f.Out("small.txt"));
    EXPECT_EQ(f.C.FilesWritten(), 1);
}

// -------------------------------------------------- a killed run's files
// Rule: the first extraction of a run into a directory deletes the
// half-written files a killed run left there ("~vt" + 5 hex digits +
// ".tmp"), on Windows; a file another writer still holds stays, and so do
// names that are not the kit's. A directory is looked at once per run. The
// POSIX side deletes nothing: an open file gives no sign there.

TEST(StaleFiles, TheFirstExtractionIntoADirectoryRemovesThem) {
    TPlaceFixture f;
    const std::string stale = f.Out("~vt0a1B2.tmp");
    WriteAll(stale, TextBytes(50));
    std::string held;
    TFileHandleOwner writing(FileCreateBeside(f.Out("small.txt"), held));
    ASSERT_TRUE(writing.Valid());
    const std::vector<std::string> notOurs = {f.Out("~vt12.tmp"), f.Out("~vtghijk.tmp"), f.Out("~vt0a1b2.txt"),
                                              f.Out("notes.tmp")};
    for (const std::string& n : notOurs) WriteAll(n, TextBytes(5));
    f.Extract(f.Archive, {f.Small});
#ifdef _WIN32
    EXPECT_FALSE(FileExists(stale)) << "a killed run's file stays";
#else
    EXPECT_TRUE(FileExists(stale));
#endif
    EXPECT_TRUE(FileExists(held)) << "a file being written was deleted";
    for (const std::string& n : notOurs) EXPECT_TRUE(FileExists(n)) << n;
    writing.Close();

    // Once per directory and run: a second extraction lists nothing.
    const std::string later = f.Out("~vt0a1b3.tmp");
    WriteAll(later, TextBytes(5));
    f.Extract(f.Archive, {f.Small});
    EXPECT_TRUE(FileExists(later));
    EXPECT_TRUE(RemoveStaleBesideFiles(f.S("out")).empty());
}

TEST(StaleFiles, TheKitsNamesOnly) {
    EXPECT_TRUE(IsBesideName("~vt0a1b2.tmp"));
    EXPECT_TRUE(IsBesideName("~VTFFFFF.TMP"));
    for (const char* n : {"~vt0a1b.tmp", "~vt0a1b23.tmp", "~vt0a1g2.tmp", "~vt0a1b2.tm", "vt0a1b2.tmp", "~vt0a1b2tmp",
                          ""})
        EXPECT_FALSE(IsBesideName(n)) << n;
}

// ------------------------------------------------------------ plain copy
// Rule: a plain copy fails as extraction does: EVCStop on cancel, an error
// naming the source on a read error, the old destination untouched.

TEST(PlainCopy, CancelRaisesAndKeepsTheOldFile) {
    TPlaceFixture f;
    int statuses = 0;
    f.C.OnStatus = [&](TVtrlCompress* c, const TlzhFileStats&) {
        ++statuses;
        c->Abort = true;
    };
    EXPECT_THROW(f.C.CopyPlainFile(f.Lib, f.Out("lib.dll")), EVCStop);
    EXPECT_EQ(statuses, 1);
    EXPECT_EQ(f.C.FilesWritten(), 0);
    f.ExpectOldLibKept();
    EXPECT_TRUE(f.C.DestinationName.empty());
}

TEST(PlainCopy, MissingSourceNamesItAndTheReason) {
    TPlaceFixture f;
    std::string missing = f.S("src" + TScratch::Sep() + "missing.txt");
    auto e = Caught<EVCCouldNotOpenFile>([&] { f.C.CopyPlainFile(missing, f.Out("lib.dll")); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(std::string(e->what()), "Could not open the following file: " + missing);
    EXPECT_EQ(e->Detail.rfind("source " + missing + ": ", 0), 0u) << e->Detail;
    EXPECT_GT(e->Detail.size(), ("source " + missing + ": ").size());
    f.ExpectOldLibKept();
}

#ifndef _WIN32
// Reading the start of a process's own memory file fails (EIO).
TEST(PlainCopy, ReadErrorIsNotTheEndOfTheFile) {
    TPlaceFixture f;
    const std::string source = "/proc/self/mem";
    auto e = Caught<EVCCouldNotOpenFile>([&] { f.C.CopyPlainFile(source, f.Out("lib.dll")); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(e->FileName, source);
    EXPECT_EQ(e->Detail, "source " + source + ": cannot read it: " + SysErrorMessage(EIO));
    f.ExpectOldLibKept();
}
#endif

// The copy is made beside the destination, so a file copied onto itself
// (a source directory that is also the destination) keeps its bytes.
TEST(PlainCopy, OntoItselfKeepsTheBytes) {
    TPlaceFixture f;
    f.C.CopyPlainFile(f.Lib, f.Lib);
    EXPECT_EQ(ReadAll(f.Lib), TextBytes(200000));
    EXPECT_EQ(GetDate(f.Lib), SampleDosDate);
    EXPECT_EQ(f.C.FilesWritten(), 1);
}

// ------------------------------------------------------ failure details
// Rule: the message stays the system's fixed text; the detail names the
// member, the archive (with the volume of a disk set) and the cause, and
// ExceptionLogText puts it after the message.

TEST(Details, DamagedDataGivesZlibsReason) {
    TPlaceFixture f;
    Bytes b = ReadAll(f.Archive);
    b[5 + 164] = 0x12;  // not a zlib header
    WriteAll(f.S("header.1"), b);
    auto e = Caught<EZlibError>([&] { f.Extract(f.S("header.1"), {f.Lib}); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_STREQ(e->what(), "error");
    EXPECT_EQ(ExceptionLogText(*e),
              "error (member " + f.Lib + ", archive " + f.S("header.1") + ": zlib: incorrect header check)");

    f.C.SetCompressedFile(f.S("header.1"));
    auto v = Caught<EZlibError>([&] { f.C.VerifyMember(0); });
    ASSERT_TRUE(v) << "no exception of the expected class";
    EXPECT_EQ(v->Detail, e->Detail) << "verification says what extraction says";
}

TEST(Details, ZlibCodeNameWhenZlibGivesNoText) {
    TPlaceFixture f;
    Bytes b = ReadAll(f.Archive);
    b[5 + 164] = 0x78;  // a valid header asking for a preset dictionary
    b[5 + 164 + 1] = 0x3F;
    WriteAll(f.S("dict.1"), b);
    auto e = Caught<EZlibError>([&] { f.Extract(f.S("dict.1"), {f.Lib}); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(e->Detail, "member " + f.Lib + ", archive " + f.S("dict.1") + ": zlib: Z_NEED_DICT");
}

TEST(Details, DiskSetNamesTheVolume) {
    TPlaceFixture f;
    TSmallDisks d(nullptr);
    d.OnNewDisk = [](TVtrlCompress*, int, std::string&) {};
    d.Capacity = {5 + 2 * 164 + 1000};
    ForceDirectories(f.S("disk"));
    d.SetCompressedFile(f.Archive);
    d.SplitToDisks(f.S("disk"), "files.1");
    std::string vol1 = f.S("disk" + TScratch::Sep() + "files.1"), vol2 = f.S("disk" + TScratch::Sep() + "files.2");
    TFileHeaderRecord r;
    ASSERT_TRUE(DecodeFileHeader(&ReadAll(vol1)[5], r));
    ASSERT_EQ(r.LastDisk, 2);
    Bytes b = ReadAll(vol2);
    b[static_cast<size_t>(r.LastBytePos)] ^= 0x55;  // lib.dll's check value
    WriteAll(vol2, b);
    auto e = Caught<EZlibError>([&] { f.Extract(vol1, {f.Lib}); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(e->Detail, "member " + f.Lib + ", archive " + vol2 + ", volume 2: zlib: incorrect data check");
}

TEST(Details, WrongSizeSaysBothSizes) {
    TPlaceFixture f;
    Bytes b = ReadAll(f.Archive);
    PutInt32(&b[5 + fh::UncompressedSize], 200001);
    WriteAll(f.S("size.1"), b);
    auto e = Caught<EVCWrongDecompressedSize>([&] { f.Extract(f.S("size.1"), {f.Lib}); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(e->Detail, "member " + f.Lib + ", archive " + f.S("size.1") +
                            ": inflated to 200000 bytes, the directory records 200001");
}

TEST(Details, DamagedDirectoryNamesArchiveAndDamage) {
    TPlaceFixture f;
    Bytes b = ReadAll(f.Archive);
    PutInt32(&b[0], -5);
    WriteAll(f.S("negative.1"), b);
    auto e = Caught<EVCFHCannotReadHeaders>([&] { f.Extract(f.S("negative.1"), {f.Lib}); });
    ASSERT_TRUE(e) << "no exception of the expected class";
    EXPECT_EQ(ExceptionLogText(*e),
              "Could not read the file headers for the compressed file. The Archive file could possible be "
              "corrupt. (archive " + f.S("negative.1") + ": negative entry count -5)");
}

TEST(Details, LogTextWithoutDetail) {
    EXPECT_EQ(ExceptionLogText(EVCDiskFull()), "Disk is full");
    EXPECT_EQ(ExceptionLogText(std::runtime_error("plain")), "plain");
    Exception e("message");
    e.Detail = "why";
    EXPECT_EQ(ExceptionLogText(e), "message (why)");
}

// --------------------------------------------------------- the file shim
// Rule: FileCreateBeside makes a new short-named file in the destination's
// directory each time; FileReplace moves it over the destination in one
// step and reports a refusal without changing either file.

TEST(FileShimReplace, BesideNamesAndReplace) {
    TScratch s;
    std::string dest = s("target.txt");
    std::string t1, t2;
    TFileHandleOwner h1(FileCreateBeside(dest, t1)), h2(FileCreateBeside(dest, t2));
    ASSERT_TRUE(h1.Valid());
    ASSERT_TRUE(h2.Valid());
    EXPECT_NE(t1, t2);
    EXPECT_EQ(ExtractFileDir(t1), s.Dir);
    std::string name = ExtractFileName(t1);
    EXPECT_EQ(name.size(), 12u) << "8.3: " << name;
    EXPECT_EQ(name.rfind("~vt", 0), 0u);
    ASSERT_EQ(FileWrite(h1.Get(), "new", 3), 3);
    ASSERT_TRUE(FileSetDate(h1.Get(), SampleDosDate));
    h1.Close();
    h2.Close();

    WriteText(dest, "old");
    ASSERT_TRUE(FileReplace(t1, dest));
    EXPECT_FALSE(FileExists(t1));
    EXPECT_EQ(ReadAll(dest), (Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(GetDate(dest), SampleDosDate);

    ASSERT_TRUE(ForceDirectories(s("dir")));
    EXPECT_FALSE(FileReplace(t2, s("dir")));
    EXPECT_TRUE(FileExists(t2)) << "a refused replace keeps the temporary file";
    EXPECT_TRUE(DirectoryExists(s("dir")));

    std::string none;
    EXPECT_EQ(FileCreateBeside(s("no" + TScratch::Sep() + "such" + TScratch::Sep() + "x.txt"), none),
              InvalidFileHandle);
    EXPECT_TRUE(none.empty());
    EXPECT_FALSE(SysErrorMessage(GetLastOSError()).empty());
}

// Rule: FileReplaceOpen does what FileReplace does for a file still open,
// and closes it in every case: a new name, a file to replace, and a
// read-only file or a directory that refuse (both files stay as they were).
TEST(FileShimReplace, ReplaceThroughTheOpenHandle) {
    TScratch s;
    auto written = [&](const std::string& Dest, const char* Text, std::string& Temp) {
        TFileHandle h = FileCreateBeside(Dest, Temp);
        EXPECT_NE(h, InvalidFileHandle);
        EXPECT_EQ(FileWrite(h, Text, 3), 3);
        EXPECT_TRUE(FileSetDate(h, SampleDosDate));
        return h;
    };
    std::string t;
    ASSERT_TRUE(FileReplaceOpen(written(s("fresh.txt"), "one", t), t, s("fresh.txt")));
    EXPECT_FALSE(FileExists(t));
    EXPECT_EQ(ReadAll(s("fresh.txt")), (Bytes{'o', 'n', 'e'}));
    EXPECT_EQ(GetDate(s("fresh.txt")), SampleDosDate);
    ASSERT_TRUE(FileReplaceOpen(written(s("fresh.txt"), "two", t), t, s("fresh.txt")));
    EXPECT_EQ(ReadAll(s("fresh.txt")), (Bytes{'t', 'w', 'o'}));
    EXPECT_FALSE(FileExists(t));

    WriteText(s("locked.txt"), "old");
    const fs::path locked = fs::u8path(s("locked.txt"));
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(locked, writable, fs::perm_options::remove);
    EXPECT_FALSE(FileReplaceOpen(written(s("locked.txt"), "new", t), t, s("locked.txt")));
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadAll(s("locked.txt")), (Bytes{'o', 'l', 'd'}));
    EXPECT_TRUE(FileDelete(t)) << "the temporary file stays, closed";

    ASSERT_TRUE(ForceDirectories(s("dir")));
    EXPECT_FALSE(FileReplaceOpen(written(s("dir"), "new", t), t, s("dir")));
    EXPECT_TRUE(DirectoryExists(s("dir")));
    EXPECT_TRUE(FileDelete(t));
}

}  // namespace
}  // namespace vtrl
