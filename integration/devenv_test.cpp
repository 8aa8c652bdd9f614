// The development environments, against stand-ins of our own: repository
// files and keys made by the tests, a stand-in compiler that records how
// it was started. The test has a Wine prefix of its own: it writes the
// environments' keys, which other tests' installs would find.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "CompilingForm.h"
#include "DefinitionText.h"
#include "ExtCtrls.h"
#include "FileShim.h"
#include "Unattended.h"
#include "cmp_TInstallFile.h"
#include "routines_DevEnvironment.h"
#include "model_testkit.h"
#include "routines_ObjRepository.h"
#include "routines_Registry.h"

using namespace vtrl;
using testkit::MessageOf;
using testkit::ReadAll;
using testkit::WriteFile;

namespace {

std::string Profile(const std::string& File, const std::string& Section, const std::string& Ident) {
    char buffer[1024] = {};
    GetPrivateProfileStringA(Section.c_str(), Ident.c_str(), "<none>", buffer, sizeof buffer, File.c_str());
    return buffer;
}

// A scratch folder and no environment in the registry, before and after.
class DevEnv : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Dir = GetTempDirectory() + "vtrl_devenv_" + info->name();
        std::filesystem::remove_all(Dir);
        ForceDirectories(Dir);
        ClearEnvironments();
        SetSilent(true);
    }
    void TearDown() override {
        SetSilent(false);
        ClearEnvironments();
        SetCurrentDirectoryA(GetTempDirectory().c_str());
        // A stand-in compiler started by the test may still be running.
        std::error_code error;
        for (int i = 0; i < 50 && (std::filesystem::remove_all(Dir, error), error); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    static void ClearEnvironments() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            TRegistry reg;
            reg.SetRootKey(root);
            (void)reg.DeleteKey("Software\\Borland");
        }
    }
    // Delphi 3.0 at Dir\Delphi 3: its RootDir, a BIN folder with the files
    // named (the stand-in compiler for DCC32.EXE), a HELP folder.
    std::string MakeDelphi(std::initializer_list<const char*> BinFiles) {
        const std::string root = Dir + "\\Delphi 3";
        ForceDirectories(root + "\\BIN");
        ForceDirectories(root + "\\HELP");
        for (const char* f : BinFiles) {
            if (std::string(f) == "DCC32.EXE") EXPECT_TRUE(CopyFileA(VTRL_STANDIN_DEVTOOL, (root + "\\BIN\\DCC32.EXE").c_str(), FALSE));
            else WriteFile(root + "\\BIN\\" + f, "stand-in");
        }
        RegWriteString(hkLocalMachine, "\\Software\\Borland\\Delphi\\3.0", "RootDir", root);
        return root;
    }
    std::string Dir;
};

// A file component installed (as far as the repository cares) in Folder.
TInstallFile* FileIn(TComponent& Root, const std::string& Name, const std::string& FileName, const std::string& Folder) {
    auto* f = new TInstallFile(&Root);
    f->SetName(Name);
    f->SetFileName(FileName);
    f->SetDestDirType(ddAbsolute);
    f->SetDestDir(Folder);
    return f;
}

}  // namespace

// ------------------------------------------------------------ repository

TEST_F(DevEnv, TheRepositoryFileIsPerUserFirstThenMachineWide) {
    EXPECT_EQ(MessageOf([] { FindRepositoryFile(reDelphi3); }),
              "Could find the object repository because the HKEY_LOCAL_MACHINE\\Software\\Borland\\Delphi\\3.0 | "
              "RootDir entry was blank in the registry");
    ForceDirectories(Dir + "\\machine\\Bin");
    ForceDirectories(Dir + "\\user");
    RegWriteString(hkLocalMachine, "\\Software\\Borland\\Delphi\\3.0", "RootDir", Dir + "\\machine");
    EXPECT_EQ(MessageOf([] { FindRepositoryFile(reDelphi3); }),
              "Could not find the Object Repository file " + Dir + "\\machine\\Bin\\DELPHI32.DRO");
    WriteFile(Dir + "\\machine\\Bin\\DELPHI32.DRO", "[Repository Pages]\r\n");
    EXPECT_EQ(FindRepositoryFile(reDelphi3), Dir + "\\machine\\Bin\\DELPHI32.DRO");
    WriteFile(Dir + "\\user\\DELPHI32.DRO", "[Repository Pages]\r\n");
    RegWriteString(hkCurrentUser, "\\Software\\Borland\\Delphi\\3.0\\repository", "BaseDir", Dir + "\\user");
    EXPECT_EQ(FindRepositoryFile(reDelphi3), Dir + "\\user\\DELPHI32.DRO");
    // The other environments have keys and files of their own.
    EXPECT_NE(MessageOf([] { FindRepositoryFile(reDelphi2); }).find("Software\\Borland\\Delphi\\2.0 | RootDir"),
              std::string::npos);
    RegWriteString(hkLocalMachine, "\\Software\\Borland\\C++Builder\\1.0", "RootDir", Dir + "\\machine");
    EXPECT_EQ(MessageOf([] { FindRepositoryFile(reCBuilder); }),
              "Could not find the Object Repository file " + Dir + "\\machine\\Bin\\BCB.DRO");
}

TEST_F(DevEnv, SectionsAreErasedByNamePartOnlyWhenThereAreSeveral) {
    EXPECT_EQ(RepositorySections("[A]\r\nx=1\r\n  [C:\\Kit\\ordlg_Welcome]  \r\n[\r\n[]\r\ny"),
              (std::vector<std::string>{"A", "C:\\Kit\\ordlg_Welcome", ""}));
    const std::string one = Dir + "\\one.dro";
    WriteFile(one, "[C:\\Old\\ordlg_Welcome]\r\nName=Welcome\r\n");
    EraseRepositorySections(one, "ORDLG_WELCOME");
    EXPECT_EQ(Profile(one, "C:\\Old\\ordlg_Welcome", "Name"), "Welcome");

    const std::string many = Dir + "\\many.dro";
    WriteFile(many, "[Repository Pages]\r\nForms=\r\n[C:\\Old\\ordlg_Welcome]\r\nName=Old\r\n"
                    "[D:\\Kit\\ORDLG_WELCOME]\r\nName=Other\r\n[C:\\Old\\ordlg_Reboot]\r\nName=Reboot\r\n");
    EraseRepositorySections(many, "ORDLG_WELCOME");
    const std::vector<std::string> left = RepositorySections(ReadAll(many));
    EXPECT_EQ(left, (std::vector<std::string>{"Repository Pages", "C:\\Old\\ordlg_Reboot"}));
    EXPECT_EQ(Profile(many, "C:\\Old\\ordlg_Reboot", "Name"), "Reboot");
    EXPECT_NE(MessageOf([&] { EraseRepositorySections(Dir + "\\none.dro", "X"); }).find("none.dro"), std::string::npos);
}

// An entry as a definition stores it: read with its file, written when
// the file is registered, replacing the file's earlier sections; the
// references follow the files they name.
TEST_F(DevEnv, AnEntryIsReadFromADefinitionAndWrittenAfterTheFile) {
    ForceDirectories(Dir + "\\Delphi 3\\Bin");
    const std::string dro = Dir + "\\Delphi 3\\Bin\\DELPHI32.DRO";
    WriteFile(dro, "[Repository Pages]\r\nForms=\r\n[" + Dir + "\\Old\\ordlg_Welcome]\r\nName=Old\r\n");
    RegWriteString(hkLocalMachine, "\\Software\\Borland\\Delphi\\3.0", "RootDir", Dir + "\\Delphi 3");
    const std::string kit = Dir + "\\Kit";
    const std::string text =
        "object IM: TDataModule\n"
        "  object Icon: TInstallFile\n    FileName = 'Welcome.ico'\n    DestDir = '" + kit + "'\n    DestDirType = ddAbsolute\n  end\n"
        "  object Base: TInstallFile\n    FileName = 'ordlg_Base.pas'\n    DestDir = '" + kit + "'\n    DestDirType = ddAbsolute\n  end\n"
        "  object Welcome: TInstallFile\n    FileName = 'ordlg_Welcome.pas'\n    DestDir = '" + kit + "'\n"
        "    DestDirType = ddAbsolute\n"
        "    Repository.Delphi3.Ancestor = Base\n"
        "    Repository.Delphi3.Author = 'Vantrel'\n"
        "    Repository.Delphi3.Description = 'A welcome page'\n"
        "    Repository.Delphi3.EntryName = 'Welcome page'\n"
        "    Repository.Delphi3.EntryType = 'FormTemplate'\n"
        "    Repository.Delphi3.IconFile = Icon\n"
        "    Repository.Delphi3.Page = 'Vantrel'\n"
        "    Repository.Delphi3.RegisterIt = True\n"
        "  end\n"
        "end\n";
    TDataModule root(nullptr);
    ReadComponentText(text, &root, "entries.vdf");
    auto* welcome = dynamic_cast<TInstallFile*>(root.FindComponent("Welcome"));
    ASSERT_NE(welcome, nullptr);
    const TObjectRepositoryEntry& entry = *welcome->Repository().Delphi3();
    EXPECT_TRUE(entry.RegisterIt());
    EXPECT_TRUE(entry.OverwriteSameFileName());
    EXPECT_EQ(entry.IconFile(), root.FindComponent("Icon"));
    EXPECT_FALSE(welcome->Repository().Delphi2()->RegisterIt());
    // Written back as read: the definition writer sees the sub-objects.
    const std::string written = WriteComponentText(&root);
    EXPECT_NE(written.find("Repository.Delphi3.IconFile = Icon"), std::string::npos) << written;
    EXPECT_EQ(written.find("Repository.Delphi2"), std::string::npos) << written;

    welcome->Repository().RegisterEntries();
    const std::string section = kit + "\\ordlg_Welcome";
    EXPECT_EQ(Profile(dro, section, "Name"), "Welcome page");
    EXPECT_EQ(Profile(dro, section, "Page"), "Vantrel");
    EXPECT_EQ(Profile(dro, section, "Type"), "FormTemplate");
    EXPECT_EQ(Profile(dro, section, "Description"), "A welcome page");
    EXPECT_EQ(Profile(dro, section, "Author"), "Vantrel");
    EXPECT_EQ(Profile(dro, section, "Icon"), kit + "\\Welcome.ico");
    EXPECT_EQ(Profile(dro, section, "Ancestor"), kit + "\\ordlg_Base.pas");
    EXPECT_EQ(Profile(dro, "Repository Pages", "Vantrel"), "");
    EXPECT_EQ(Profile(dro, "Repository Pages", "Forms"), "");
    EXPECT_EQ(Profile(dro, Dir + "\\Old\\ordlg_Welcome", "Name"), "<none>") << "the earlier installation's section stays";

    // Installed again elsewhere: one section, the new one.
    welcome->SetDestDir(Dir + "\\Kit2");
    welcome->Repository().RegisterEntries();
    EXPECT_EQ(Profile(dro, section, "Name"), "<none>");
    EXPECT_EQ(Profile(dro, Dir + "\\Kit2\\ordlg_Welcome", "Name"), "Welcome page");
    // Without OverwriteSameFileName the earlier one stays.
    welcome->Repository().Delphi3()->SetOverwriteSameFileName(false);
    welcome->SetDestDir(kit);
    welcome->Repository().RegisterEntries();
    EXPECT_EQ(Profile(dro, Dir + "\\Kit2\\ordlg_Welcome", "Name"), "Welcome page");
    EXPECT_EQ(Profile(dro, section, "Name"), "Welcome page");

    // A file that goes away is no longer referred to.
    delete root.FindComponent("Icon");
    EXPECT_EQ(entry.IconFile(), nullptr);
    EXPECT_EQ(entry.Ancestor(), root.FindComponent("Base"));
}

TEST_F(DevEnv, AFailingEntryStopsTheInstallationOnlyWhenItSaysSo) {
    TDataModule root(nullptr);
    TInstallFile* f = FileIn(root, "Unit1", "Unit1.pas", Dir);
    TObjectRepositoryEntry& cb = *f->Repository().CBuilder();
    cb.SetRegisterIt(true);
    EXPECT_EQ(MessageOf([&] { f->Repository().RegisterEntries(); }), "no error");
    cb.SetRaiseExceptionOnFailure(true);
    EXPECT_EQ(MessageOf([&] { f->Repository().RegisterEntries(); }),
              "Could find the object repository because the HKEY_LOCAL_MACHINE\\Software\\Borland\\C++Builder\\1.0 | "
              "RootDir entry was blank in the registry");
    // An entry not to be registered is not looked for.
    cb.SetRegisterIt(false);
    EXPECT_EQ(MessageOf([&] { f->Repository().RegisterEntries(); }), "no error");
    EXPECT_EQ(MessageOf([] { TObjectRepositoryEntry(nullptr, reDelphi3); }),
              "Cannot create the TObjectRepositoryEntry because the file component passed to the contructor was NIL");
    // The setter copies.
    TInstallFile* other = FileIn(root, "Unit2", "Unit2.pas", Dir);
    cb.SetPage("Forms");
    other->SetRepository(f->Repository());
    EXPECT_EQ(other->Repository().CBuilder()->Page(), "Forms");
    EXPECT_EQ(other->Repository().CBuilder()->File(), other);
}

// ---------------------------------------------------------- environments

TEST_F(DevEnv, TheEnvironmentsAreFoundByTheirRootDir) {
    TDevEnvironmentState state;
    state.PackageInstalled = true;
    FindDevEnvironments(state);
    EXPECT_FALSE(state.DelphiPresent);
    EXPECT_FALSE(state.PackageInstalled);
    EXPECT_EQ(state.DelphiHelpDir, "");
    EXPECT_EQ(state.CBuilderHelpDir, "");

    const std::string root = MakeDelphi({});
    FindDevEnvironments(state);
    EXPECT_FALSE(state.DelphiPresent) << "no DELPHI32.EXE";
    EXPECT_EQ(state.DelphiHelpDir, root + "\\HELP");
    MakeDelphi({"DELPHI32.EXE"});
    RegWriteString(hkLocalMachine, "\\Software\\Borland\\C++Builder\\1.0", "RootDir", "D:\\CBuilder\\");
    FindDevEnvironments(state);
    EXPECT_TRUE(state.DelphiPresent);
    EXPECT_EQ(state.DelphiBinDir, root + "\\BIN");
    EXPECT_EQ(state.CBuilderRootDir, "D:\\CBuilder\\");
    EXPECT_EQ(state.CBuilderHelpDir, "D:\\CBuilder\\HELP");
}

TEST_F(DevEnv, TheHelpLinkIsAddedOnceAndTheRestKept) {
    const std::string cnt = Dir + "\\BCB.CNT";
    EXPECT_FALSE(AddHelpContentsLink(cnt));
    EXPECT_FALSE(FileExists(cnt)) << "a missing contents file is not made";
    WriteFile(cnt, ":Base bcb.hlp\r\n1 Contents\r\n:Link other.hlp");
    EXPECT_TRUE(AddHelpContentsLink(cnt));
    EXPECT_TRUE(AddHelpContentsLink(cnt));
    EXPECT_EQ(ReadAll(cnt), ":Base bcb.hlp\r\n1 Contents\r\n:Link other.hlp\r\n:Link vtrl32.hlp\r\n");
    WriteFile(cnt, ":LINK VTRL32.HLP\n");
    EXPECT_TRUE(AddHelpContentsLink(cnt));
    EXPECT_EQ(ReadAll(cnt), ":LINK VTRL32.HLP\n");
}

TEST_F(DevEnv, TheSearchPathLosesOlderKitFoldersAndEndsWithTheNewOne) {
    ForceDirectories(Dir + "\\Old kit");
    WriteFile(Dir + "\\Old kit\\Vantrel32.DPK", "package");
    ForceDirectories(Dir + "\\Other");
    const std::string dest = Dir + "\\New kit\\";
    EXPECT_EQ(SearchPathWithKit("$(DELPHI)\\Lib;" + Dir + "\\Old kit;" + Dir + "\\Other;" + Dir + "\\Old kit", dest),
              "$(DELPHI)\\Lib;" + Dir + "\\Other;" + Dir + "\\New kit");
    EXPECT_EQ(SearchPathWithKit("", dest), Dir + "\\New kit");
    EXPECT_EQ(SearchPathWithKit("A;", dest), "A;;" + Dir + "\\New kit") << "an empty folder is the author's, kept";
}

// The whole registration with the stand-in compiler: started hidden in the
// install folder with the package, the package listed once and enabled,
// the library path ending with the install folder, the help link added.
TEST_F(DevEnv, ThePackageIsCompiledAndRegistered) {
    const std::string root = MakeDelphi({"DCC32.EXE", "DELPHI32.EXE"});
    WriteFile(root + "\\HELP\\DELPHI3.CNT", ":Base delphi3.hlp\r\n");
    const std::string dest = Dir + "\\Program Files\\Vantrel32";
    const std::string old = Dir + "\\Old kit";
    ForceDirectories(dest);
    ForceDirectories(old);
    WriteFile(old + "\\Vantrel32.DPK", "package");
    const std::string known = "\\Software\\Borland\\Delphi\\3.0\\Known Packages";
    const std::string disabled = "\\Software\\Borland\\Delphi\\3.0\\Disabled Packages";
    const std::string library = "\\Software\\Borland\\Delphi\\3.0\\Library";
    RegWriteString(hkCurrentUser, known, old + "\\VANTREL32.DPL", "Vantrel32");
    RegWriteString(hkCurrentUser, known, "C:\\Delphi 3\\Bin\\dclstd30.dpl", "Standard");
    RegWriteString(hkCurrentUser, disabled, old + "\\Vantrel32.dpk", "Vantrel32");
    RegWriteString(hkCurrentUser, disabled, "C:\\Other.dpl", "Other");
    RegWriteString(hkCurrentUser, library, "SearchPath", "$(DELPHI)\\Lib;" + old);

    TDevEnvironmentState state;
    FindDevEnvironments(state);
    ASSERT_TRUE(state.DelphiPresent);
    // Without the package source nothing is started or changed.
    InstallPackage(state, dest);
    EXPECT_FALSE(state.PackageInstalled);
    EXPECT_EQ(RegReadString(hkCurrentUser, library, "SearchPath", ""), "$(DELPHI)\\Lib;" + old);

    WriteFile(dest + "\\Vantrel32.DPK", "package");
    InstallPackage(state, dest);
    EXPECT_TRUE(state.PackageInstalled);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(known));
    std::vector<std::string> names = reg.GetValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\Delphi 3\\Bin\\dclstd30.dpl", dest + "\\Vantrel32.DPL"}));
    EXPECT_EQ(reg.ReadString(dest + "\\Vantrel32.DPL"), "Vantrel32");
    ASSERT_TRUE(reg.OpenKeyReadOnly(disabled));
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"C:\\Other.dpl"}));
    EXPECT_EQ(RegReadString(hkCurrentUser, library, "SearchPath", ""), "$(DELPHI)\\Lib;" + dest);
    EXPECT_EQ(ReadAll(root + "\\HELP\\DELPHI3.CNT"), ":Base delphi3.hlp\r\n:Link vtrl32.hlp\r\n");

    // The compiler runs on its own; its record comes when it has run.
    const std::string record = root + "\\BIN\\DCC32.LOG";
    for (int i = 0; i < 100 && ReadAll(record).find("current folder") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(ReadAll(record),
              "command line: \"" + root + "\\BIN\\DCC32.EXE\" Vantrel32.DPK\r\ncurrent folder: " + dest + "\r\n");

    // Again: the help link once, the package once.
    InstallPackage(state, dest);
    EXPECT_EQ(ReadAll(root + "\\HELP\\DELPHI3.CNT"), ":Base delphi3.hlp\r\n:Link vtrl32.hlp\r\n");
    ASSERT_TRUE(reg.OpenKeyReadOnly(known));
    EXPECT_EQ(reg.GetValueNames().size(), 2u);
}

TEST_F(DevEnv, ARegistrationThatCannotGoOnChangesNothingAndMakesNoKey) {
    const std::string dest = Dir + "\\Kit";
    ForceDirectories(dest);
    WriteFile(dest + "\\Vantrel32.DPK", "package");
    TDevEnvironmentState state;
    MakeDelphi({"DELPHI32.EXE"});
    FindDevEnvironments(state);
    InstallPackage(state, dest);
    EXPECT_FALSE(state.PackageInstalled) << "no compiler";

    const std::string root = MakeDelphi({"DCC32.EXE", "DELPHI32.EXE"});
    FindDevEnvironments(state);
    InstallPackage(state, dest);
    EXPECT_FALSE(state.PackageInstalled) << "no Known Packages key";
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists("Software\\Borland\\Delphi\\3.0\\Known Packages"));

    // A folder that cannot be entered stops it before the compiler starts.
    RegWriteString(hkCurrentUser, "\\Software\\Borland\\Delphi\\3.0\\Known Packages", "X.dpl", "X");
    InstallPackage(state, Dir + "\\Nowhere");
    EXPECT_FALSE(state.PackageInstalled);
    EXPECT_FALSE(FileExists(root + "\\BIN\\DCC32.LOG"));
}

// The compiling window: a silent run registers without showing it or
// waiting for its timer; shown, it has no caption buttons, stays on top,
// and its timer closes it.
TEST_F(DevEnv, TheCompilingWindowRegistersAndClosesItself) {
    MakeDelphi({"DCC32.EXE", "DELPHI32.EXE"});
    const std::string dest = Dir + "\\Kit";
    ForceDirectories(dest);
    WriteFile(dest + "\\Vantrel32.DPK", "package");
    RegWriteString(hkCurrentUser, "\\Software\\Borland\\Delphi\\3.0\\Known Packages", "X.dpl", "X");
    RegWriteString(hkCurrentUser, "\\Software\\Borland\\Delphi\\3.0\\Disabled Packages", "Y.dpl", "Y");
    RegWriteString(hkCurrentUser, "\\Software\\Borland\\Delphi\\3.0\\Library", "SearchPath", "");
    FindDevEnvironments(DevEnvironment());
    {
        TFormCompile form(nullptr);
        form.Dest = dest;
        EXPECT_EQ(form.Caption(), "Compiling");
        EXPECT_EQ(form.Timer1->Interval(), 10000);
        EXPECT_FALSE(form.Timer1->Enabled());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(form.ShowModal(), mrOk);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "the silent run waited";
        EXPECT_TRUE(DevEnvironment().PackageInstalled);
    }
    SetSilent(false);
    DevEnvironment().PackageInstalled = false;
    TFormCompile form(nullptr);
    form.Dest = dest;
    form.Timer1->SetInterval(300);
    LONG style = 0, exStyle = 0;
    form.OnShow = [&](TComponent*) {
        style = GetWindowLongA(form.Handle(), GWL_STYLE);
        exStyle = GetWindowLongA(form.Handle(), GWL_EXSTYLE);
    };
    EXPECT_EQ(form.ShowModal(), mrCancel) << "closed by its timer";
    EXPECT_TRUE(DevEnvironment().PackageInstalled);
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(form.Timer1->Enabled());
    DevEnvironment() = {};
}
