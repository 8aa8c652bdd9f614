#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <thread>

#include <objbase.h>

#include "Controls.h"
#include "Dialogs.h"
#include "FileShim.h"
#include "Unattended.h"
#include "model_testkit.h"
#include "test_ArchiveHelpers.h"
#include "cmp_TInstallFile.h"
#include "routines_Compression.h"
#include "routines_Registry.h"
#include "routines_RestartFiles.h"
#include "types_InstallEvents.h"

using namespace vtrl;
using testkit::MessageOf;
using testkit::ReadAll;
using testkit::WriteFile;

namespace {

// A rank-9000 helper that records the broadcasts it receives, with the
// percentage of each "CopyingFile".
class TRecorder : public TBaseHelperComponent {
public:
    TRecorder(TComponent* Owner, TInstallContainer* On) : TBaseHelperComponent(Owner) {
        FRank = rkDialog;
        SetContainer(On);
    }
    void DialogEvent(TInstallContainer*, TEventName EventName, TPersistent* P) override {
        Events.push_back(EventName.str());
        if (auto* s = As<TFileStatusParameter>(P)) Percents.push_back(s->TotalPercentDone);
    }
    int Count(const std::string& Name) const { return static_cast<int>(std::count(Events.begin(), Events.end(), Name)); }
    std::vector<std::string> Events;
    std::vector<int32_t> Percents;
};

// A scratch directory for sources, archive and destination, and a scratch
// product whose uninstall record is removed afterwards. Questions are
// answered silently.
class Scratch : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Dir = GetTempDirectory() + "vtrl_fi_" + std::to_string(GetCurrentProcessId()) + "_" + info->name();
        std::filesystem::remove_all(Dir);
        ForceDirectories(Dir + "\\src");
        Product = "Vantrel FI Test " + std::to_string(GetCurrentProcessId());
        SetSilent(true);
    }
    void TearDown() override {
        SetQuestionResponder(nullptr);
        SetSilent(false);
        std::filesystem::remove_all(Dir);
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        (void)reg.DeleteKey(std::string(UninstallKeyBase).substr(1) + Product);
    }
    std::string Src(const std::string& Name, size_t Size) {
        std::string text;
        for (size_t i = 0; i < Size; ++i) text += static_cast<char>('a' + (i * 7 + Name.size()) % 26);
        WriteFile(Dir + "\\src\\" + Name, text);
        return text;
    }
    TInstallFile* File(TInstallContainer* In, const std::string& Name) {
        auto* f = new TInstallFile(&Root);
        f->SetName(ChangeFileExt(Name, "").append("File"));
        f->SetIncludeFromDir(Dir + "\\src");
        f->SetFileName(Name);
        f->SetContainer(In);
        return f;
    }
    std::string RecordValue(const std::string& Key, const std::string& Name) {
        return RegReadString(hkLocalMachine, UninstallKeyBase + Product + Key, Name, "<none>");
    }

    std::string Dir, Product;
    TDataModule Root{nullptr};
};

// The root with its archive and destination in the scratch directory.
class Tree : public Scratch {
protected:
    void SetUp() override {
        Scratch::SetUp();
        Install = new testkit::TTestInstallation(&Root);
        Install->SetArchiveFileType(ddAbsolute);
        Install->SetArchiveFile(Dir + "\\files.1");
        Install->SetDestDirType(ddAbsolute);
        Install->SetDestDir(Dir + "\\out");
        Install->Product = Product;
    }
    // The install pass of the root alone, without the run around it.
    void InstallPass() { Install->Process(); }
    testkit::TTestInstallation* Install = nullptr;
};

}  // namespace

// ------------------------------------------------------------ setter rules

// Rule: a name given at run time sets DestName and the registration flags
// from its extension.
TEST(InstallFileSetters, RenamingToAnOcxMakesAnInProcessServer) {
    TInstallFile f(nullptr);
    f.SetFileName("A.TXT");
    EXPECT_FALSE(f.RegisterAsActiveX_DLLStyle());
    f.SetRegisterAsActiveX_EXEStyle(true);
    f.SetFileName("B.OCX");
    EXPECT_EQ(f.DestName(), "B.OCX");
    EXPECT_TRUE(f.RegisterAsActiveX_DLLStyle());
    EXPECT_FALSE(f.RegisterAsActiveX_EXEStyle());
    EXPECT_TRUE(f.UpdateDLLCounter());
}

TEST(InstallFileSetters, HelpFilesAreRecognisedByExtension) {
    TInstallFile f(nullptr);
    f.SetFileName("X.HLP");
    EXPECT_TRUE(f.RegisterAsHelp());
    f.SetFileName("x.cnt");
    EXPECT_TRUE(f.RegisterAsHelp());
    f.SetFileName("X.TXT");
    EXPECT_FALSE(f.RegisterAsHelp());
    f.SetFileName("HLP");
    EXPECT_FALSE(f.RegisterAsHelp());
}

// Rule: a system-wide DLL goes to the System directory with the version and
// date rule, and its anchor cannot be changed.
TEST(InstallFileSetters, SystemWideDllForcesItsDestination) {
    TDataModule root(nullptr);
    TInstallFileGroup group(&root);
    TInstallFile f(&root);
    f.SetFileName("SHARED.DLL");
    f.SetContainer(&group);
    f.SetDestDir("\\Sub");
    f.SetFileType(iftSystemWideDLL);
    EXPECT_EQ(f.DestDirType(), ddSystem);
    EXPECT_EQ(f.DestDir(), "");
    EXPECT_EQ(f.OverwriteMode(), owVersionDate);
    EXPECT_TRUE(f.UpdateDLLCounter());
    f.SetDestDir("\\Elsewhere");
    EXPECT_EQ(f.DestDir(), "");
    try {
        f.SetDestDirType(ddMainInstallDir);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "DestDirType must be set to ddSystem for iftSystemWideDLL files");
    }
    EXPECT_EQ(f.DestDirType(), ddSystem);
    f.SetFileType(iftVendorSharedDLL);
    EXPECT_EQ(f.DestDirType(), ddCommonFilesDir);
    EXPECT_EQ(f.DestDir(), "\\System");
}

// Rule: a DLL's destination name must be an 8.3 name (12 characters at most).
TEST(InstallFileSetters, LongDllNamesAreRefused) {
    TInstallFile f(nullptr);
    f.SetFileName("ABCDEFGH.DLL");
    f.SetFileType(iftJustADLL);
    EXPECT_EQ(f.DestName(), "ABCDEFGH.DLL");
    try {
        f.SetDestName("LONGNAMEDLL1.DLL");
        FAIL();
    } catch (const EAIIFDLLNameConflict& e) {
        EXPECT_NE(std::string(e.what()).find("The following file :ABCDEFGH.DLL: is specified to be a Shared DLL"),
                  std::string::npos);
    }
    EXPECT_EQ(f.DestName(), "12345678.DLL");

    TInstallFile g(nullptr);
    g.SetFileName("LONGNAMEDLL1.DLL");
    EXPECT_THROW(g.SetFileType(iftApplicationSpecificDLL), EAIIFDLLNameConflict);
    EXPECT_EQ(g.FileType(), iftNormal);
    EXPECT_EQ(g.DestName(), "12345678.DLL");
}

// Rule: one container holds a source path once; a trailing backslash on the
// directory names the same source.
TEST(InstallFileSetters, TheSameSourceTwiceInAGroupIsRefused) {
    TDataModule root(nullptr);
    TInstallFileGroup group(&root);
    TInstallFile a(&root), b(&root);
    a.SetIncludeFromDir("C:\\src");
    a.SetFileName("a.txt");
    a.SetContainer(&group);
    b.SetIncludeFromDir("C:\\SRC\\");
    b.SetFileName("A.TXT");
    try {
        b.SetContainer(&group);
        FAIL();
    } catch (const EAIIFDuplicateFileInGroup& e) {
        EXPECT_STREQ(e.what(), "There is already a file with the name :C:\\SRC\\A.TXT");
    }
    EXPECT_EQ(group.FileCount(), 1);
    b.SetFileName("b.txt");
    b.SetContainer(&group);
    EXPECT_THROW(b.SetFileName("a.txt"), EAIIFDuplicateFileInGroup);
    EXPECT_EQ(b.FileName(), "b.txt");
    EXPECT_EQ(b.SourcePath(), "C:\\SRC\\b.txt");
}

// ---------------------------------------------------------- reading facts

TEST_F(Scratch, ReadSourceInfoOfAMissingSourceNamesIt) {
    TInstallFile f(&Root);
    f.SetIncludeFromDir(Dir + "\\src");
    f.SetFileName("missing.txt");
    try {
        f.ReadSourceInfo();
        FAIL();
    } catch (const EAIIFCouldNotOpenFileImage& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Could not open or find the following file when trying to read the Size, Date, and Version :" +
                      Dir + "\\src\\missing.txt");
    }
    Src("there.txt", 1234);
    f.SetFileName("there.txt");
    f.ReadSourceInfo();
    EXPECT_EQ(f.UnpackedSize(), 1234);
    EXPECT_GT(f.FileDate(), 36000.0);  // a date after 1998
    EXPECT_EQ(f.VersionText(), "");
}

// --------------------------------------------------- build, then install

// Rule: the build pass keys each member IncludeFromDir + "\" + FileName in
// the root's archive; the install pass puts each file in its destination
// and reports progress at every level with that level's own percentages.
TEST_F(Tree, BuildThenInstallATree) {
    auto* group = new TInstallFileGroup(&Root);
    group->SetName("Group1");
    group->SetContainer(Install);
    group->SetDestDir("\\Group");
    const std::string a = Src("a.txt", 1000), b = Src("b.txt", 3000), c = Src("c.txt", 1000);
    TInstallFile* fa = File(Install, "a.txt");
    File(group, "b.txt");
    File(group, "c.txt");

    Install->SetState(fcsCompress);
    TVtrlCompress& arc = VtrlCompress();
    arc.SetCompressedFile(Dir + "\\files.1");
    ASSERT_EQ(arc.EntryCount(), 3);
    EXPECT_GE(arc.IndexOfFile(Dir + "\\src\\a.txt"), 0);
    EXPECT_GE(arc.IndexOfFile(Dir + "\\src\\c.txt"), 0);

    TRecorder onRoot(&Root, Install), onGroup(&Root, group), onFile(&Root, fa);
    std::vector<int32_t> rootPercents, groupPercents, filePercents, fileTotals;
    Install->OnStatus = [&](TInstallFileBase*, int32_t, int32_t t) { rootPercents.push_back(t); };
    group->OnStatus = [&](TInstallFileBase*, int32_t, int32_t t) { groupPercents.push_back(t); };
    fa->OnStatus = [&](TInstallFileBase*, int32_t p, int32_t t) {
        filePercents.push_back(p);
        fileTotals.push_back(t);
    };
    std::vector<std::string> order;
    fa->OnBeforeInstallFile = [&](TInstallFileBase*) { order.push_back("before"); };
    fa->OnAfterInstallFile = [&](TInstallFileBase*) { order.push_back("after"); };
    // A copy that went through is no aborted one for what follows it.
    std::vector<bool> closings;
    Install->OnCloseCopyFileDlg = [&](TInstallContainer*, bool aborted) { closings.push_back(aborted); };

    InstallPass();
    EXPECT_EQ(closings, (std::vector<bool>{false}));

    EXPECT_EQ(ReadAll(Dir + "\\out\\a.txt"), a);
    EXPECT_EQ(ReadAll(Dir + "\\out\\Group\\b.txt"), b);
    EXPECT_EQ(ReadAll(Dir + "\\out\\Group\\c.txt"), c);
    EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(fa->State(), ifsNone);
    EXPECT_EQ(Install->State(), fcsNone);
    // The group counts b and c (4000 bytes): b ends at 75 %, c at 100 %.
    ASSERT_FALSE(groupPercents.empty());
    EXPECT_NE(std::find(groupPercents.begin(), groupPercents.end(), 75), groupPercents.end());
    EXPECT_EQ(groupPercents.back(), 100);
    // The root counts all 5000 bytes: b ends at 60 %, c at 80 %, a at 100 %.
    EXPECT_NE(std::find(rootPercents.begin(), rootPercents.end(), 60), rootPercents.end());
    EXPECT_NE(std::find(rootPercents.begin(), rootPercents.end(), 80), rootPercents.end());
    EXPECT_EQ(rootPercents.back(), 100);
    // The file itself sees the archive component's figures: its member, and
    // the member's share of the whole archive (1000 of 5000 bytes).
    ASSERT_FALSE(filePercents.empty());
    EXPECT_EQ(filePercents.back(), 100);
    EXPECT_EQ(fileTotals.back(), 20);
    // Dialogs hear "CopyingFile" at each level, and "DoneCopyingFiles".
    EXPECT_GT(onFile.Count("CopyingFile"), 0);
    EXPECT_EQ(onFile.Count("DoneCopyingFiles"), 1);
    EXPECT_EQ(onGroup.Count("eccBeforeInstallFileGroup"), 1);
    EXPECT_GT(onGroup.Count("CopyingFile"), 0);
    EXPECT_EQ(onGroup.Percents.back(), 100);
    EXPECT_EQ(onRoot.Percents.back(), 100);
    EXPECT_EQ(onRoot.Count("DoneCopyingFiles"), 1);
    // The uninstall record lists the files in processing order.
    EXPECT_EQ(RecordValue("\\Files", "File1"), Dir + "\\out\\Group\\b.txt");
    EXPECT_EQ(RecordValue("\\Files", "File2"), Dir + "\\out\\Group\\c.txt");
    EXPECT_EQ(RecordValue("\\Files", "File3"), Dir + "\\out\\a.txt");
    EXPECT_EQ(RecordValue("\\Files", "Entries"), "3");
    // No handler is left pointing at a file on the shared component.
    EXPECT_FALSE(arc.OnStatus);
    EXPECT_FALSE(arc.OnNewDisk);
}

// Rule: DestName renames the file at its destination; owNever keeps an
// existing destination, owAlways replaces it. Only a file this install
// wrote goes into the uninstall record: the kept one is the user's.
TEST_F(Tree, OverwriteModeDecidesAboutAnExistingFile) {
    const std::string text = Src("new.txt", 500);
    TInstallFile* f = File(Install, "new.txt");
    f->SetDestName("renamed.txt");
    Install->SetState(fcsCompress);
    ForceDirectories(Dir + "\\out");
    WriteFile(Dir + "\\out\\renamed.txt", "old contents");

    f->SetOverwriteMode(owNever);
    InstallPass();
    EXPECT_EQ(ReadAll(Dir + "\\out\\renamed.txt"), "old contents");
    EXPECT_FALSE(f->Written());
    EXPECT_EQ(RecordValue("\\Files", "File1"), "<none>");

    f->SetOverwriteMode(owAlways);
    InstallPass();
    EXPECT_TRUE(f->Written());
    EXPECT_EQ(ReadAll(Dir + "\\out\\renamed.txt"), text);
    EXPECT_EQ(RecordValue("\\Files", "File1"), Dir + "\\out\\renamed.txt");
    EXPECT_FALSE(FileExists(Dir + "\\out\\new.txt"));
}

// A shared file is counted once per product: installing the product again
// over itself leaves the count as the first install made it, so that the
// removal's one decrement frees the file. A count that went missing is
// made again; another product's file is counted anew.
TEST_F(Tree, ASharedFileIsCountedOncePerProduct) {
    Src("shared.dll", 300);
    TInstallFile* f = File(Install, "shared.dll");
    f->SetUpdateDLLCounter(true);
    Install->SetState(fcsCompress);
    const std::string path = Dir + "\\out\\shared.dll";
    auto count = [&] {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        int32_t value = -1;
        if (!reg.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs") ||
            !reg.TryReadInteger(path, value))
            return -1;
        return static_cast<int>(value);
    };
    auto forget = [&] {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", false)) (void)reg.DeleteValue(path);
    };
    forget();
    InstallPass();
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(RecordValue("\\Files", "File1"), path);
    InstallPass();
    EXPECT_EQ(count(), 1);
    forget();
    InstallPass();
    EXPECT_EQ(count(), 1);
    // Another product (no record of this one) takes its own count.
    const std::string own = Install->Product;
    Install->Product = own + " Other";
    InstallPass();
    EXPECT_EQ(count(), 2);
    Install->Product = own;
    forget();
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    (void)reg.DeleteKey(std::string(UninstallKeyBase).substr(1) + own + " Other");
}

// Rule: a file that is not included is left out by the build pass quietly.
TEST_F(Tree, AnExcludedFileIsNotCompressed) {
    Src("in.txt", 10);
    Src("out.txt", 10);
    File(Install, "in.txt");
    File(Install, "out.txt")->SetInclude(false);
    Install->SetState(fcsCompress);
    TVtrlCompress& arc = VtrlCompress();
    arc.SetCompressedFile(Dir + "\\files.1");
    ASSERT_EQ(arc.EntryCount(), 1);
    EXPECT_EQ(arc.IndexOfFile(Dir + "\\src\\out.txt"), -1);
}

// Rule: a blank destination is refused with its message, before anything
// is extracted.
TEST_F(Tree, ABlankDestinationIsRefused) {
    Src("a.txt", 10);
    TInstallFile* f = File(Install, "a.txt");
    Install->SetState(fcsCompress);
    f->SetContainer(nullptr);  // anchors become absolute and empty
    f->SetDestDir("");
    f->SetArchiveFile(Dir + "\\files.1");
    try {
        f->ProcessHelpers();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "The GetDestDir returned a blank value for the TInstallFile aFile. You need to set "
                               "either the DestDir property or the DestDirType property or both");
    }
    EXPECT_EQ(f->State(), ifsNone);
    // A destination that is no full path would be the folder setup runs
    // from: refused too, and neither a folder nor the file appears there.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(Dir.c_str());
    f->SetDestDir("relative");
    try {
        f->ProcessHelpers();
        ADD_FAILURE() << "a relative destination was taken";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "The destination relative of the TInstallFile aFile is not a full path: its DestDirType "
                               "or DestDir did not resolve to a folder");
    }
    SetCurrentDirectoryA(current);
    EXPECT_FALSE(DirectoryExists(Dir + "\\relative"));
    EXPECT_FALSE(FileExists(Dir + "\\a.txt"));
}

// Rule: a plain copy puts the source at ExpandDestDir + DestName.
TEST_F(Tree, CopyFilesCopiesWithoutTheArchive) {
    const std::string text = Src("plain.txt", 2000);
    TInstallFile* f = File(Install, "plain.txt");
    f->SetDestName("copy.txt");
    TRecorder onFile(&Root, f);
    Install->SetState(fcsCopy);
    EXPECT_EQ(ReadAll(Dir + "\\out\\copy.txt"), text);
    EXPECT_EQ(onFile.Count("DoneCopyingFiles"), 1);
    EXPECT_FALSE(FileExists(Dir + "\\files.1"));
}

// ------------------------------------------------------------ disk change

namespace {

class DiskSet : public Tree {
protected:
    void SetUp() override {
        Tree::SetUp();
        Text = Src("a.txt", 3000);
        F = File(Install, "a.txt");
        Install->SetState(fcsCompress);
        ForceDirectories(Dir + "\\disk");
        // Volume 1 holds only the directory and a few bytes of the member,
        // so extracting it needs volume 2.
        test::TSmallDisks split(nullptr);
        split.Capacity = {5 + 164 + 10};
        split.OnNewDisk = [](TVtrlCompress*, int, std::string&) {};
        split.SetCompressedFile(Dir + "\\files.1");
        split.SplitToDisks(Dir + "\\disk", "files.1");
        // Volume 2 is not where the first one is.
        ForceDirectories(Dir + "\\other");
        MoveFileA((Dir + "\\disk\\files.2").c_str(), (Dir + "\\other\\files.2").c_str());
        Install->SetArchiveFile(Dir + "\\disk\\files.1");
    }
    std::string Text;
    TInstallFile* F = nullptr;
};

}  // namespace

// Rule: when no handler answers a disk request the user is asked. In a
// silent run nobody can insert it: the default answer ends the install as a
// failure that names the missing volume (not as the user's abort), and
// leaves no partial file.
TEST_F(DiskSet, AMissingDiskFailsASilentRunNamingTheVolume) {
    std::vector<std::string> asked;
    SetQuestionResponder([&](const TQuestion& q) {
        asked.push_back(q.Msg);
        return mrNone;
    });
    try {
        F->SetState(ifsInstall);
        FAIL() << "no exception";
    } catch (const EAIUserAbort&) {
        FAIL() << "taken for the user's abort";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Could not open the correct disk file 2");
        EXPECT_NE(ExceptionLogText(e).find(Dir + "\\disk\\files.2 does not exist, and a silent run cannot ask for the disk"),
                  std::string::npos)
            << ExceptionLogText(e);
    }
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Please insert disk #2");
    EXPECT_FALSE(FileExists(Dir + "\\out\\a.txt"));
    EXPECT_EQ(F->Tag, 0);
    EXPECT_EQ(F->State(), ifsNone);
    EXPECT_EQ(RecordValue("\\Files", "Entries"), "<none>");
}

// Rule: OK after the disk is in place continues the install.
TEST_F(DiskSet, OkAfterInsertingTheDiskContinues) {
    SetQuestionResponder([&](const TQuestion&) {
        MoveFileA((Dir + "\\other\\files.2").c_str(), (Dir + "\\disk\\files.2").c_str());
        return mrOk;
    });
    F->SetState(ifsInstall);
    EXPECT_EQ(ReadAll(Dir + "\\out\\a.txt"), Text);
}

// Rule: the file's OnNewDisk handler answers with a directory; no question
// is asked, and the volume is read from there.
TEST_F(DiskSet, AnOnNewDiskHandlerRedirectsTheVolume) {
    int asked = 0;
    SetQuestionResponder([&](const TQuestion&) {
        ++asked;
        return mrCancel;
    });
    std::string proposed;
    F->OnNewDisk = [&](TInstallFileBase*, int32_t, std::string& path) {
        proposed = path;
        path = Dir + "\\other\\";
    };
    TRecorder onFile(&Root, F);
    F->SetState(ifsInstall);
    EXPECT_EQ(ReadAll(Dir + "\\out\\a.txt"), Text);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(proposed, Dir + "\\disk");
    EXPECT_EQ(onFile.Count("ChangeDisk"), 1);
}

// Rule: in an install pass, a file group's OnNewDisk handler answers for
// its files (and the file's own question is skipped).
TEST_F(DiskSet, TheContainersHandlerAnswersInAPass) {
    int asked = 0;
    SetQuestionResponder([&](const TQuestion&) {
        ++asked;
        return mrCancel;
    });
    Install->OnNewDisk = [&](TInstallFileBase*, int32_t disk, std::string& path) {
        EXPECT_EQ(disk, 2);
        path = Dir + "\\other";
    };
    InstallPass();
    EXPECT_EQ(ReadAll(Dir + "\\out\\a.txt"), Text);
    EXPECT_EQ(asked, 0);
}

// ------------------------------------------------------------ files in use

namespace {

// A file whose platform class is chosen by the test and whose delayed
// moves are recorded (or refused) instead of stored for the test prefix's
// next restart.
class TRestartFile : public TInstallFile {
public:
    using TInstallFile::TInstallFile;
    TWindowsPlatform PlatformClass() const override { return Platform; }
    bool MoveAtRestart(const std::string& Temporary, const std::string& Target) override {
        Moves.push_back(Temporary + " -> " + Target);
        if (RefuseMove) SetLastError(ERROR_ACCESS_DENIED);
        return !RefuseMove;
    }
    // Its content is no server: the registration is counted instead.
    void RegisterDLLServer() override { ++Registrations; }
    TWindowsPlatform Platform = wpWindowsNT;
    bool RefuseMove = false;
    std::vector<std::string> Moves;
    int Registrations = 0;
};

// Keeps a file open without sharing write or delete access, as a program
// that uses it would.
class THeldFile {
public:
    explicit THeldFile(const std::string& Path)
        : H(CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~THeldFile() { Release(); }
    void Release() {
        if (H != INVALID_HANDLE_VALUE) CloseHandle(H);
        H = INVALID_HANDLE_VALUE;
    }
    bool Held() const { return H != INVALID_HANDLE_VALUE; }

private:
    HANDLE H;
};

// The destination lies in a folder with blanks, as under "Program Files".
class InUse : public Tree {
protected:
    void SetUp() override {
        Tree::SetUp();
        Install->SetDestDir(Dir + "\\Program Files\\Lib Test");
        Out = Dir + "\\Program Files\\Lib Test";
        NewText = Src("MYLIB.DLL", 700);
        Lib = new TRestartFile(&Root);
        Lib->SetName("LibFile");
        Lib->SetIncludeFromDir(Dir + "\\src");
        Lib->SetFileName("MYLIB.DLL");
        Lib->SetContainer(Install);
        Install->SetState(fcsCompress);
        ForceDirectories(Out);
        WriteFile(Out + "\\MYLIB.DLL", "old library");
        RestartNeeded = false;
    }
    void TearDown() override {
        RestartNeeded = false;
        Tree::TearDown();
    }
    std::string Out, NewText;
    TRestartFile* Lib = nullptr;
};

}  // namespace

// Rule: a destination nobody holds is replaced in place by the extraction,
// with no restart and nothing for the continuation; the replace handlers
// still hear of it.
TEST_F(InUse, AFreeDestinationIsReplacedAtOnce) {
    TRecorder onRoot(&Root, Install);
    int replacing = 0;
    Lib->OnReplacing = [&](TInstallFileBase*) { ++replacing; };
    InstallPass();
    EXPECT_EQ(ReadAll(Out + "\\MYLIB.DLL"), NewText);
    EXPECT_FALSE(FileExists(Out + "\\MYLIB.1"));
    EXPECT_EQ(replacing, 1);
    EXPECT_EQ(onRoot.Count("ReplacingFile"), 1);
    EXPECT_FALSE(RestartNeeded);
    EXPECT_FALSE(Lib->Deferred());
    EXPECT_TRUE(Lib->Moves.empty());
    EXPECT_TRUE(Install->Unfinished.empty());
}

// Rule: a destination in use stays as it is; the new file is written beside
// it under the first free number (MYLIB.1 is taken, so MYLIB.2) and moved
// onto it at restart. The record names the final path, and a server's
// registration waits for the continuation run.
TEST_F(InUse, AHeldFileWaitsForTheRestartUnderAFreeName) {
    WriteFile(Out + "\\MYLIB.1", "somebody else's");
    Lib->SetRegisterAsActiveX_DLLStyle(true);
    THeldFile held(Out + "\\MYLIB.DLL");
    ASSERT_TRUE(held.Held());
    InstallPass();
    held.Release();
    EXPECT_EQ(ReadAll(Out + "\\MYLIB.DLL"), "old library");
    EXPECT_EQ(ReadAll(Out + "\\MYLIB.1"), "somebody else's");
    EXPECT_EQ(ReadAll(Out + "\\MYLIB.2"), NewText);
    EXPECT_EQ(Lib->Moves, std::vector<std::string>{Out + "\\MYLIB.2 -> " + Out + "\\MYLIB.DLL"});
    EXPECT_TRUE(RestartNeeded);
    EXPECT_TRUE(Lib->Deferred());
    EXPECT_EQ(Install->Unfinished, std::vector<std::string>{"LibFile;0"});
    EXPECT_EQ(RecordValue("\\ActiveX", "File1"), Out + "\\MYLIB.DLL;0");  // an in-process server
    EXPECT_EQ(Lib->Registrations, 0);
    // The next install of a free destination clears the deferred flag and
    // registers the server at once.
    RestartNeeded = false;
    InstallPass();
    EXPECT_FALSE(Lib->Deferred());
    EXPECT_EQ(Lib->Registrations, 1);
    EXPECT_EQ(ReadAll(Out + "\\MYLIB.DLL"), NewText);
}

// Rule: on the Windows 95 family each held file gets its own WININIT.INI
// line "short target=new file" in [Rename], the new file named by its
// short directory; a file with a long name gets a short (8.3) new name,
// since that family reads the file before long names exist.
TEST_F(InUse, Windows95ReplacesThroughWininitLines) {
    const std::string ini = WininitPath();
    const bool hadIni = FileExists(ini);
    const std::string savedIni = hadIni ? ReadAll(ini) : std::string();
    const std::string longName = "Other Library Module.dll";
    Src(longName, 300);
    auto* other = new TRestartFile(&Root);
    other->SetName("OtherFile");
    other->SetIncludeFromDir(Dir + "\\src");
    other->SetFileName(longName);
    other->SetContainer(Install);
    Install->SetState(fcsCompress);
    WriteFile(Out + "\\" + longName, "old other");
    Lib->Platform = other->Platform = wpWindows95;
    {
        THeldFile a(Out + "\\MYLIB.DLL"), b(Out + "\\" + longName);
        InstallPass();
    }
    const std::string shortDir = GetShortPath(Out);
    const std::string shortOther = GetShortPath(Out + "\\" + longName);
    const std::string newOther = ChangeFileExt(ExtractFileName(shortOther), ".1");
    const std::string text = ReadAll(ini);
    if (hadIni) WriteFile(ini, savedIni);
    else DeleteFileA(ini.c_str());
    EXPECT_NE(text.find("[Rename]\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(shortDir + "\\MYLIB.DLL=" + shortDir + "\\MYLIB.1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(shortOther + "=" + shortDir + "\\" + newOther + "\r\n"), std::string::npos) << text;
    EXPECT_EQ(shortDir.find(' '), std::string::npos);
    EXPECT_LE(ChangeFileExt(newOther, "").size(), 8u) << newOther;
    EXPECT_EQ(newOther.find(' '), std::string::npos);
    EXPECT_TRUE(Lib->Moves.empty());
    EXPECT_TRUE(RestartNeeded);
    EXPECT_EQ(ReadAll(Out + "\\" + newOther), ReadAll(Dir + "\\src\\" + longName));
}

// Rule: when the system refuses the delayed move, a batch file erases the
// old file and moves the new one in place at the next logon, started by a
// start-up link; both are left for the continuation run to delete. Run by
// the command interpreter once the file is free, it does its work even
// though the new file's path has blanks.
TEST_F(InUse, RefusedDelayedMoveFallsBackToABatch) {
    Lib->RefuseMove = true;
    {
        THeldFile held(Out + "\\MYLIB.DLL");
        InstallPass();
    }
    ASSERT_EQ(Install->StartupLinks.size(), 1u);
    const std::string link = Install->StartupLinks[0];
    const std::string batch = link.substr(link.find(';') + 1, link.rfind(';') - link.find(';') - 1);
    EXPECT_EQ(link, "VantrelBatLink;" + batch + ";");
    EXPECT_EQ(Install->Unfinished, (std::vector<std::string>{batch + ";1", "LibFile;0"}));
    EXPECT_TRUE(SameText(ExtractFileName(batch).substr(0, 3), "bat"));
    EXPECT_TRUE(SameText(ExtractFileExt(batch), ".bat"));
    const std::string shortTarget = GetShortPath(Out + "\\MYLIB.DLL");
    EXPECT_EQ(ReadAll(batch), "erase \"" + shortTarget + "\"\r\nmove \"" + Out + "\\MYLIB.1\" \"" + shortTarget + "\"\r\n");
    EXPECT_FALSE(FileExists(ChangeFileExt(batch, ".tmp")));  // the unique name's placeholder is gone

    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string cmd = "cmd.exe /c \"" + batch + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(ReadAll(Out + "\\MYLIB.DLL"), NewText);
    EXPECT_FALSE(FileExists(Out + "\\MYLIB.1"));
    DeleteFileA(batch.c_str());
}

// ------------------------------------------------------------ registration

namespace {

const char* const StandInKey = "\\Software\\Vantrel Tests\\Stand-in server";
const char* const SharedKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The stand-in servers copied into the scratch destination (a folder with
// a blank), and their record in the registry cleared.
class Registration : public Scratch {
protected:
    void SetUp() override {
        Scratch::SetUp();
        Out = Dir + "\\Program Files\\Stand In";
        ForceDirectories(Out);
        ClearRecord();
    }
    void TearDown() override {
        ClearRecord();
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (reg.OpenKey(std::string(SharedKey).substr(1), false))
            for (const std::string& name : reg.GetValueNames())
                if (name.rfind(Dir, 0) == 0) (void)reg.DeleteValue(name);
        Scratch::TearDown();
    }
    static void ClearRecord() {
        TRegistry reg;
        (void)reg.DeleteKey(std::string(StandInKey).substr(1));
    }
    // A file component for Name installed in Out, copied there from Source.
    TInstallFile* Installed(const std::string& Source, const std::string& Name) {
        if (!Source.empty()) {
            EXPECT_TRUE(CopyFileA(Source.c_str(), (Out + "\\" + Name).c_str(), FALSE)) << Source;
        }
        auto* f = new TInstallFile(&Root);
        f->SetName(ChangeFileExt(Name, "").append("File"));
        f->SetFileName(Name);
        f->SetDestDirType(ddAbsolute);
        f->SetDestDir(Out);
        return f;
    }
    static std::string Recorded(const std::string& Name) { return RegReadString(hkCurrentUser, StandInKey, Name, "<none>"); }
    static int32_t RecordedNumber(const std::string& Name) {
        TRegistry reg;
        int32_t value = -1;
        if (!reg.OpenKeyReadOnly(std::string(StandInKey).substr(1)) || !reg.TryReadInteger(Name, value)) return -1;
        return value;
    }
    static int32_t SharedCount(const std::string& Path) {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        int32_t value = -1;
        if (!reg.OpenKeyReadOnly(std::string(SharedKey).substr(1)) || !reg.TryReadInteger(Path, value)) return -1;
        return value;
    }
    std::string Out;
};

}  // namespace

// An in-process server is registered with OLE ready on the thread, and the
// library is unloaded and OLE left as it was afterwards, also when the
// server refuses; its refusal is named with the HRESULT as a signed number.
TEST_F(Registration, AnInProcessServerIsRegisteredAndUnloaded) {
    TInstallFile* server = Installed(VTRL_STANDIN_SERVER, "STANDIN.OCX");
    EXPECT_TRUE(server->RegisterAsActiveX_DLLStyle());
    const std::string path = Out + "\\STANDIN.OCX";
    auto onFreshThread = [](auto&& Body) {
        std::thread t([&] {
            Body();
            // OLE is not left initialised: the thread can start it afresh.
            const HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            EXPECT_EQ(again, S_OK);
            if (SUCCEEDED(again)) CoUninitialize();
        });
        t.join();
    };
    onFreshThread([&] { server->RegisterDLLServer(); });
    EXPECT_EQ(RecordedNumber("Calls"), 1);
    EXPECT_EQ(RecordedNumber("OleReady"), 1);
    EXPECT_TRUE(SameText(Recorded("Path"), path)) << Recorded("Path");
    EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr);

    RegWriteInteger(hkCurrentUser, StandInKey, "Answer", static_cast<int32_t>(E_FAIL));
    std::string message;
    onFreshThread([&] { message = MessageOf([&] { server->RegisterDLLServer(); }); });
    EXPECT_EQ(message, "Could not register the ActiveX component, " + path +
                           ", because the DllRegisterServer function returned a value of -2147467259. The file "
                           "component is STANDINFile.");
    EXPECT_EQ(RecordedNumber("Calls"), 2);
    EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr);

    // After a restart the continuation registers it the same way.
    RegWriteInteger(hkCurrentUser, StandInKey, "Answer", 0);
    onFreshThread([&] { server->ContinueAfterReboot(); });
    EXPECT_EQ(RecordedNumber("Calls"), 3);
}

// What cannot be registered is named: a missing file, a library without
// the function, a file that is no library.
TEST_F(Registration, AServerThatCannotBeRegisteredIsNamed) {
    TInstallFile* missing = Installed("", "GONE.OCX");
    EXPECT_EQ(MessageOf([&] { missing->RegisterDLLServer(); }),
              "Cannot not get support information for the file " + Out + "\\GONE.OCX. File component: GONEFile");
    EXPECT_EQ(MessageOf([&] { missing->RegisterEXEServer(); }),
              "Cannot not get support information for the file " + Out + "\\GONE.OCX. File component: GONEFile");
    TInstallFile* program = Installed(VTRL_STANDIN_PROGRAM, "NOEXPORT.DLL");
    EXPECT_EQ(MessageOf([&] { program->RegisterDLLServer(); }).rfind(
                  "Could not register the ActiveX component, " + Out +
                      "\\NOEXPORT.DLL, because the DllRegisterServer function could not be found. The file component "
                      "is NOEXPORTFile.",
                  0),
              0u);
    WriteFile(Out + "\\TEXT.OCX", "not a library");
    TInstallFile* text = Installed("", "TEXT.OCX");
    EXPECT_EQ(MessageOf([&] { text->RegisterDLLServer(); }).rfind(
                  "Could not register the ActiveX component, " + Out + "\\TEXT.OCX, because the LoadLibrary(", 0),
              0u);
}

// A program server in a folder with blanks is started as itself, with
// /REGSERVER: its path is quoted.
TEST_F(Registration, AProgramServerIsStartedWithItsPathQuoted) {
    TInstallFile* server = Installed(VTRL_STANDIN_PROGRAM, "Server.exe");
    server->SetRegisterAsActiveX_EXEStyle(true);
    server->RegisterEXEServer();
    // Started without waiting: its record comes when it has run.
    for (int i = 0; i < 200 && Recorded("CommandLine") == "<none>"; ++i) Sleep(50);
    const std::string path = Out + "\\Server.exe";
    EXPECT_EQ(Recorded("CommandLine"), "\"" + path + "\" /REGSERVER");
    EXPECT_TRUE(SameText(Recorded("ProgramPath"), path)) << Recorded("ProgramPath");
}

// A file is known as a server by its version resource when its source is
// named: a program as a program server, anything else as an in-process
// one; a file without the mark is neither, and is not counted.
TEST_F(Registration, ServersAreKnownByTheirVersionResource) {
    ASSERT_TRUE(CopyFileA(VTRL_STANDIN_PROGRAM, (Out + "\\Server.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(VTRL_STANDIN_SERVER, (Out + "\\Server.dll").c_str(), FALSE));
    WriteFile(Out + "\\Plain.dll", "no version resource");
    auto named = [&](const char* Name) {
        auto* f = new TInstallFile(&Root);
        f->SetIncludeFromDir(Out);
        f->SetFileName(Name);
        return f;
    };
    TInstallFile* program = named("Server.exe");
    EXPECT_TRUE(program->RegisterAsActiveX_EXEStyle());
    EXPECT_FALSE(program->RegisterAsActiveX_DLLStyle());
    EXPECT_TRUE(program->UpdateDLLCounter());
    TInstallFile* library = named("Server.dll");
    EXPECT_TRUE(library->RegisterAsActiveX_DLLStyle());
    EXPECT_FALSE(library->RegisterAsActiveX_EXEStyle());
    EXPECT_TRUE(library->UpdateDLLCounter());
    TInstallFile* plain = named("Plain.dll");
    EXPECT_FALSE(plain->RegisterAsActiveX_DLLStyle() || plain->RegisterAsActiveX_EXEStyle());
    EXPECT_FALSE(plain->UpdateDLLCounter());
}

// A help file's registration is in the record, so that the removal takes
// it back; installing again lists it once.
TEST_F(Tree, AHelpFilesRegistrationIsRecorded) {
    Src("guide.hlp", 300);
    File(Install, "guide.hlp");
    Install->SetState(fcsCompress);
    InstallPass();
    InstallPass();
    EXPECT_EQ(RegReadString(hkLocalMachine, "\\SOFTWARE\\Microsoft\\Windows\\Help", "GUIDE.HLP", "<none>"), Dir + "\\out");
    EXPECT_EQ(RecordValue("\\RegistryKeys", "Entries"), "1");
    EXPECT_EQ(RecordValue("\\RegistryKeys\\RegistryKey1", "Key"), "\\SOFTWARE\\Microsoft\\Windows\\Help");
    EXPECT_EQ(RecordValue("\\RegistryKeys\\RegistryKey1\\Entries", "GUIDE.HLP"), Dir + "\\out");
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\Help", false)) (void)reg.DeleteValue("GUIDE.HLP");
}

// The shared-file table counts each install; a value that is no number
// starts again at 1. A help file is registered by its name.
TEST_F(Registration, SharedFilesAreCountedAndHelpIsRegistered) {
    TInstallFile* shared = Installed("", "SHARED.DLL");
    const std::string path = Out + "\\SHARED.DLL";
    EXPECT_EQ(SharedCount(path), -1);
    EXPECT_TRUE(shared->IncrementSharedDLLCount());
    EXPECT_EQ(SharedCount(path), 1);
    EXPECT_TRUE(shared->IncrementSharedDLLCount());
    EXPECT_EQ(SharedCount(path), 2);
    RegWriteString(hkLocalMachine, SharedKey, path, "two");
    EXPECT_TRUE(shared->IncrementSharedDLLCount());
    EXPECT_EQ(SharedCount(path), 1);

    TInstallFile* help = Installed("", "Guide.hlp");
    EXPECT_TRUE(help->RegisterAsHelp());
    help->RegisterHelpFile();
    EXPECT_EQ(RegReadString(hkLocalMachine, "\\SOFTWARE\\Microsoft\\Windows\\Help", "GUIDE.HLP", "<none>"), Out);
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\Help", false)) (void)reg.DeleteValue("GUIDE.HLP");
}
