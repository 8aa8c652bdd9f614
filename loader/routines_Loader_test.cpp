// The loading program's steps that need no second process: run options,
// the trailer test, argument quoting, the setup program's command line and
// unpacking the setup archive.
#include "routines_Loader.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "FileShim.h"
#include "RunOptionValues.h"
#include "cmp_TVtrlCompress.h"
#include "routines_Trailer.h"
#include "test_ArchiveHelpers.h"
#include "types_Archive.h"

using namespace vtrl;

namespace {

// Splits a command line the way the setup program's C runtime does, through
// the system's own rules (CommandLineToArgvW follows them for arguments).
std::vector<std::string> SplitAsWindowsDoes(const std::string& CommandLine) {
    std::wstring w(CommandLine.begin(), CommandLine.end());
    int n = 0;
    LPWSTR* argv = CommandLineToArgvW(w.c_str(), &n);
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) {
        std::wstring a(argv[i]);
        out.emplace_back(a.begin(), a.end());
    }
    LocalFree(argv);
    return out;
}

}  // namespace

// Rule: the options are passed on, a relative log made absolute so the
// setup program writes the same file; anything else the loader does not
// know is kept to be reported (it takes no other arguments).
TEST(LoaderOptions, KnownOptionsAnywhereEverythingElseReported) {
    TLoaderOptions o = ParseLoaderOptions({"/silent", "/LOG=run.log", "/SILENT"}, "C:\\work");
    EXPECT_TRUE(o.Silent);
    EXPECT_FALSE(o.Verbose);
    EXPECT_EQ(o.LogFile, "C:\\work\\run.log");
    EXPECT_EQ(o.Unknown, "");
    EXPECT_FALSE(o.Help);
    o = ParseLoaderOptions({"extra", "/SILENT", "/verbose", "/NoRestart"}, "C:\\work");
    EXPECT_TRUE(o.Silent);
    EXPECT_TRUE(o.Verbose);
    EXPECT_TRUE(o.NoRestart);
    EXPECT_EQ(o.Unknown, "extra");
    o = ParseLoaderOptions({"/LOG=D:\\logs\\a b.log"}, "C:\\work");
    EXPECT_EQ(o.LogFile, "D:\\logs\\a b.log");
    o = ParseLoaderOptions({"/LOG="}, "C:\\");
    EXPECT_EQ(o.LogFile, "");
    EXPECT_EQ(o.Unknown, "");
    EXPECT_EQ(o.NoValue, "/LOG");
    o = ParseLoaderOptions({"/dir", "/LANG=German"}, "C:\\");
    EXPECT_EQ(o.NoValue, "/DIR");
    EXPECT_EQ(o.Language, "German");
    EXPECT_EQ(NoValueMessage(o.NoValue), "The option /DIR needs a value: /DIR=<path>.");
    o = ParseLoaderOptions({"/SILENT", "/FOO", "/BAR"}, "C:\\");
    EXPECT_EQ(o.Unknown, "/FOO");
    for (const char* help : {"/?", "/help", "/HELP"}) {
        o = ParseLoaderOptions({"/SILENT", help}, "C:\\");
        EXPECT_TRUE(o.Help) << help;
        EXPECT_EQ(o.Unknown, "") << help;
    }
}

// Rule: the answering options are passed on like the log, their names
// made absolute: the setup program runs in its temporary directory.
TEST(LoaderOptions, AnsweringOptionsAreForwardedAbsolute) {
    TLoaderOptions o = ParseLoaderOptions(
        {"/response=answers\\install.rsp", "/RECORD=D:\\rec.rsp", "/SCREENSHOTS=shots dir", "/SILENT"}, "C:\\work");
    EXPECT_EQ(o.ResponseFile, "C:\\work\\answers\\install.rsp");
    EXPECT_EQ(o.RecordFile, "D:\\rec.rsp");
    EXPECT_EQ(o.ScreenshotDir, "C:\\work\\shots dir");
    EXPECT_EQ(o.Unknown, "");
    TDistributionParts plain;
    plain.SetupArchive = "D:\\Dist\\setup.1";
    EXPECT_EQ(SetupCommandLine("C:\\t\\s.exe", o, plain, "D:\\Dist\\setup.exe"),
              "\"C:\\t\\s.exe\" /SILENT /RESPONSE=C:\\work\\answers\\install.rsp /RECORD=D:\\rec.rsp "
              "\"/SCREENSHOTS=C:\\work\\shots dir\" D:\\Dist");
    for (const char* empty : {"/RESPONSE=", "/RECORD=", "/SCREENSHOTS="})
        EXPECT_EQ(ParseLoaderOptions({empty}, "C:\\").NoValue + "=", empty);
}

// The trailer is trusted only when its signature is there and the parts
// follow each other up to the trailer itself.
TEST(LoaderTrailer, SoundOnlyWhenPartsFitTheFile) {
    TExtractionInfo x;
    x.SetupStart = 1000;
    x.SetupLast = 1499;
    x.FilesStart = 1500;
    x.FilesLast = 2999;
    TExtractionInfoBytes b = EncodeExtractionInfo(x);
    EXPECT_EQ(b[0], 14);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&b[1]), 14), "SELFEXTRACTING");
    EXPECT_TRUE(IsSoundTrailer(b.data(), 3000 + 56));
    EXPECT_FALSE(IsSoundTrailer(b.data(), 3001 + 56));  // bytes after the trailer's place
    b[5] = 'x';
    EXPECT_FALSE(IsSoundTrailer(b.data(), 3000 + 56));  // no signature
    x.FilesStart = 1501;                                        // a gap between the parts
    b = EncodeExtractionInfo(x);
    EXPECT_FALSE(IsSoundTrailer(b.data(), 3000 + 56));
    TExtractionInfoBytes zero{};
    EXPECT_FALSE(IsSoundTrailer(zero.data(), 56));
}

// A signed self-extracting setup is found through the trailer before its
// certificate table; a damaged table is reported as such, even with a
// "setup.1" beside the program; a signed loading program without archives
// takes the "setup.1" beside it.
TEST(LoaderTrailer, SignedSetupIsFoundAndDamageReported) {
    test::TScratch S;
    test::Bytes image = test::SelfExtractingImage(4101, test::RandomBytes(300, 1), test::RandomBytes(500, 2));
    test::AppendCertificateTable(image);
    test::WriteAll(S("setup.exe"), image);
    TDistributionParts parts;
    ASSERT_TRUE(LocateParts(S("setup.exe"), parts));
    EXPECT_TRUE(parts.SelfExtracting);
    EXPECT_EQ(parts.SetupOffset, 4101);
    EXPECT_TRUE(parts.Damage.empty());

    const size_t entry = test::CertificateEntry(image);
    PutInt32(&image[entry + 4], GetInt32(&image[entry + 4]) + 8);
    test::WriteAll(S("bad.exe"), image);
    test::WriteAll(S("setup.1"), test::RandomBytes(100, 3));
    TDistributionParts bad;
    EXPECT_FALSE(LocateParts(S("bad.exe"), bad));
    EXPECT_NE(bad.Damage.find("its certificate table (offset 4960, 1544 bytes) lies outside"), std::string::npos)
        << bad.Damage;

    test::Bytes loader = test::MinimalPE(5000);
    test::AppendCertificateTable(loader);
    test::WriteAll(S("plain.exe"), loader);
    TDistributionParts plain;
    ASSERT_TRUE(LocateParts(S("plain.exe"), plain));
    EXPECT_FALSE(plain.SelfExtracting);
    EXPECT_EQ(plain.SetupArchive, S("setup.1"));
}

// Whatever an argument holds, the setup program reads it back unchanged.
TEST(LoaderCommandLine, QuotedArgumentsComeBackUnchanged) {
    for (std::string a : {"plain", "C:\\Program Files\\Dist", "C:\\dir with\\trailing\\", "say \"hi\"",
                          "a\\\\\"b", "two  blanks", ""}) {
        std::vector<std::string> args = SplitAsWindowsDoes("prog.exe " + QuoteArgument(a));
        ASSERT_EQ(args.size(), 2u) << a;
        EXPECT_EQ(args[1], a);
    }
}

TEST(LoaderCommandLine, PlainAndSelfExtractingForms) {
    TLoaderOptions o;
    o.Silent = true;
    o.LogFile = "C:\\logs\\run.log";
    TDistributionParts plain;
    plain.SetupArchive = "D:\\Dist Dir\\setup.1";
    EXPECT_EQ(SetupCommandLine("C:\\t\\setup_prog.exe", o, plain, "D:\\Dist Dir\\setup.exe"),
              "\"C:\\t\\setup_prog.exe\" /SILENT /LOG=C:\\logs\\run.log \"D:\\Dist Dir\"");
    o.Verbose = o.NoRestart = true;
    EXPECT_EQ(SetupCommandLine("C:\\t\\setup_prog.exe", o, plain, "D:\\Dist Dir\\setup.exe"),
              "\"C:\\t\\setup_prog.exe\" /SILENT /VERBOSE /NORESTART /LOG=C:\\logs\\run.log \"D:\\Dist Dir\"");
    o.Verbose = o.NoRestart = false;
    // The destination and the language reach the setup program as given.
    o = ParseLoaderOptions({"/dir=D:\\My Apps\\X", "/Lang=French"}, "C:\\work");
    EXPECT_EQ(o.Directory, "D:\\My Apps\\X");
    EXPECT_EQ(o.Language, "French");
    EXPECT_EQ(SetupCommandLine("C:\\t\\s.exe", o, plain, "D:\\Dist Dir\\setup.exe"),
              "\"C:\\t\\s.exe\" \"/DIR=D:\\My Apps\\X\" /LANG=French \"D:\\Dist Dir\"");
    o = TLoaderOptions();
    o.Silent = true;
    o.LogFile = "C:\\logs\\run.log";
    TDistributionParts self;
    self.SelfExtracting = true;
    self.SetupArchive = "A:\\setup.exe";
    EXPECT_EQ(SetupCommandLine("C:\\t\\s.exe", TLoaderOptions(), self, "A:\\setup.exe"),
              "\"C:\\t\\s.exe\" *SELFEXTRACT setup.exe A:");
}

// A temporary directory is new each time and goes away with its files.
TEST(LoaderTempDirectory, NewEachTimeAndRemoved) {
    const std::string a = CreatePrivateTempDirectory();
    const std::string b = CreatePrivateTempDirectory();
    EXPECT_NE(a, b);
    { TFileHandleOwner f(FileCreate(a + "\\x.txt")); }
    EXPECT_TRUE(RemoveTempDirectory(a));
    EXPECT_TRUE(RemoveTempDirectory(b));
    EXPECT_FALSE(DirectoryExists(a));
}

// ------------------------------------------------- stale temporary folders

namespace {

// A scratch temporary base holding loader directories in the states a
// sweep meets; removed afterwards.
struct TTempBase {
    std::string Base = CreatePrivateTempDirectory() + "\\base";
    TTempBase() { ForceDirectories(Base); }
    ~TTempBase() {
        for (const char* d : {"vtrlsetupA-0", "vtrlsetupB-0", "vtrlsetupC-0", "vtrlsetupD-0", "vtrlsetupE-0"})
            RemoveTempDirectory(Base + "\\" + d);
        RemoveTempDirectory(Base);
        RemoveTempDirectory(ExtractFileDir(Base));
    }
    // A directory as a loader leaves it: the setup program, a presetup file
    // and, when Locked, the lock file (closed: its loader is gone).
    std::string Dir(const char* Name, bool Locked) {
        const std::string d = Base + "\\" + Name;
        ForceDirectories(d);
        FileClose(FileCreate(d + "\\setup_prog.exe"));
        FileClose(FileCreate(d + "\\presetup.txt"));
        if (Locked) FileClose(FileCreate(d + "\\" + TempLockName));
        return d;
    }
};

}  // namespace

// Rule: a sweep removes the directory of a loader that was ended without
// cleaning up (its lock file left free), and logs it; it leaves the
// directory of a loader that runs (its lock held), one kept for a restart
// (no lock file), its own, and one whose setup program still runs (that
// .exe cannot be deleted; the rest stays with it).
TEST(LoaderTempDirectory, OnlyStaleDirectoriesAreSwept) {
    TTempBase t;
    const std::string killed = t.Dir("vtrlsetupA-0", true), running = t.Dir("vtrlsetupB-0", false),
                      kept = t.Dir("vtrlsetupC-0", false), own = t.Dir("vtrlsetupD-0", false),
                      busy = t.Dir("vtrlsetupE-0", true);
    const intptr_t lock = CreateTempLock(running);
    ASSERT_NE(lock, -1);
    const intptr_t ownLock = CreateTempLock(own);
    ASSERT_NE(ownLock, -1);
    HANDLE image = CreateFileA((busy + "\\setup_prog.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(image, INVALID_HANDLE_VALUE);
    ForceDirectories(t.Base + "\\other");

    std::vector<TStaleDirectory> done = RemoveStaleTempDirectories(t.Base, own);
    CloseHandle(image);
    std::sort(done.begin(), done.end(), [](const auto& a, const auto& b) { return a.Dir < b.Dir; });
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].Dir, killed);
    EXPECT_TRUE(done[0].Removed) << done[0].Note;
    EXPECT_EQ(done[1].Dir, busy);
    EXPECT_FALSE(done[1].Removed);
    EXPECT_EQ(done[1].Note.rfind("the program setup_prog.exe cannot be deleted", 0), 0u) << done[1].Note;
    EXPECT_FALSE(DirectoryExists(killed));
    EXPECT_TRUE(FileExists(running + "\\setup_prog.exe"));
    EXPECT_TRUE(FileExists(kept + "\\setup_prog.exe"));
    EXPECT_TRUE(FileExists(own + "\\" + TempLockName));
    EXPECT_TRUE(FileExists(busy + "\\presetup.txt"));
    EXPECT_TRUE(DirectoryExists(t.Base + "\\other"));
    // Released, the running loader's lock file goes: its directory, kept
    // for a restart, is never taken for stale afterwards.
    EXPECT_TRUE(ReleaseTempLock(lock, running));
    EXPECT_FALSE(FileExists(running + "\\" + TempLockName));
    EXPECT_TRUE(RemoveStaleTempDirectories(t.Base, own).empty());
    EXPECT_TRUE(ReleaseTempLock(ownLock, own));
}

// ------------------------------------------------------------- unpacking

namespace {

// A setup archive of a program and a presetup file, as a build writes it,
// placed at Offset in a file (a self-extracting distribution's layout).
struct TSetupArchive {
    std::string Dir = CreatePrivateTempDirectory();
    std::string Program = Dir + "\\prog.exe", Extra = Dir + "\\extra.dll", Archive = Dir + "\\setup.1";
    std::string Out = Dir + "\\out";
    TSetupArchive() {
        WriteBytes(Program, std::string(100000, 'p') + "end of program");
        WriteBytes(Extra, "a presetup file");
        TVtrlCompress c(nullptr);
        TStringList l{Program, Extra};
        c.SetCompressedFile(Archive);
        c.SetFilesToProcess(l);
        c.CompressFiles(false);
        ForceDirectories(Out);
    }
    ~TSetupArchive() {
        RemoveTempDirectory(Out);
        RemoveTempDirectory(Dir);
    }
    static void WriteBytes(const std::string& Name, const std::string& Bytes) {
        TFileHandleOwner f(FileCreate(Name));
        ASSERT_EQ(FileWrite(f.Get(), Bytes.data(), int32_t(Bytes.size())), int32_t(Bytes.size()));
    }
    static std::string ReadBytes(const std::string& Name) {
        TFileHandleOwner f(FileOpenRead(Name));
        std::string s(size_t(FileSize(f.Get())), '\0');
        if (!s.empty()) FileRead(f.Get(), s.data(), int32_t(s.size()));
        return s;
    }
    TDistributionParts Parts(const std::string& File, int32_t Offset = 0) const {
        TDistributionParts p;
        p.SetupArchive = File;
        p.SetupOffset = Offset;
        return p;
    }
    // The archive with one byte changed at Position (from its start).
    std::string Changed(int64_t Position) const {
        std::string b = ReadBytes(Archive);
        b[size_t(Position)] ^= 0x55;
        WriteBytes(Dir + "\\changed.1", b);
        return Dir + "\\changed.1";
    }
    // The message and detail of what unpacking Parts raises.
    std::string Failure(const TDistributionParts& P) const {
        try {
            UnpackSetupArchive(P, Out);
        } catch (const Exception& e) {
            return std::string(e.what()) + " | " + e.Detail;
        }
        return "no failure";
    }
};

}  // namespace

// Every member lands in the directory under its name part, byte for byte;
// the first is the setup program. An archive inside a larger file is read
// from its offset.
TEST(LoaderUnpack, MembersByNameFromTheArchiveOrFromInsideAFile) {
    TSetupArchive a;
    EXPECT_EQ(UnpackSetupArchive(a.Parts(a.Archive), a.Out), a.Out + "\\prog.exe");
    EXPECT_EQ(TSetupArchive::ReadBytes(a.Out + "\\prog.exe"), TSetupArchive::ReadBytes(a.Program));
    EXPECT_EQ(TSetupArchive::ReadBytes(a.Out + "\\extra.dll"), "a presetup file");
    const std::string stub = std::string(4096, 'L');
    TSetupArchive::WriteBytes(a.Dir + "\\self.exe", stub + TSetupArchive::ReadBytes(a.Archive));
    RemoveTempDirectory(a.Out);
    ForceDirectories(a.Out);
    EXPECT_EQ(UnpackSetupArchive(a.Parts(a.Dir + "\\self.exe", int32_t(stub.size())), a.Out), a.Out + "\\prog.exe");
    EXPECT_EQ(TSetupArchive::ReadBytes(a.Out + "\\prog.exe"), TSetupArchive::ReadBytes(a.Program));
}

// Damage is reported with what was damaged, never unpacked as if sound: a
// changed data byte, a directory that records another size, a member
// named like a device, a missing archive.
TEST(LoaderUnpack, DamageIsReportedNotUnpacked) {
    TSetupArchive a;
    TVtrlCompress c(nullptr);
    c.SetCompressedFile(a.Archive);
    const TFileHeader& prog = c.Directory().Get(0);
    // The last byte of the program's data is its zlib check.
    EXPECT_NE(a.Failure(a.Parts(a.Changed(prog.LastBytePos))).find("zlib"), std::string::npos);
    // The low byte of the size the program's record holds.
    const std::string sized = a.Failure(a.Parts(a.Changed(prog.DataPos - FileHeaderSize + fh::UncompressedSize)));
    EXPECT_NE(sized.find(a.Program), std::string::npos) << sized;
    EXPECT_NE(a.Failure(a.Parts(a.Dir + "\\none.1")).find("Cannot open the setup archive"), std::string::npos);
    // A member key whose name part is a device (Windows cannot even make
    // such a file, so the key is changed in place).
    std::string bytes = TSetupArchive::ReadBytes(a.Archive);
    bytes.replace(bytes.find("extra.dll"), 9, "AUX.x.dll");
    TSetupArchive::WriteBytes(a.Dir + "\\dev.1", bytes);
    EXPECT_NE(a.Failure(a.Parts(a.Dir + "\\dev.1")).find("names a member"), std::string::npos);
}
