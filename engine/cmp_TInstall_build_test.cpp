// The checks a build makes before it writes anything.
#include <gtest/gtest.h>
#include <windows.h>

#include "Forms.h"
#include "Unattended.h"
#include "StdCtrls.h"
#include "cmp_TInstall.h"
#include "cmp_TInstall_build.h"
#include "cmp_TInstallFile.h"
#include "model_testkit.h"
#include "routines_Registry.h"
#include "routines_Signing.h"
#include "test_ArchiveHelpers.h"
#include "routines_VantrelStuff.h"
#include "ui_testkit.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

std::string ScratchDir() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "vtrl_build_check_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void WriteText(const std::string& Name, const std::string& Text) {
    HANDLE h = CreateFileA(Name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(h, Text.data(), static_cast<DWORD>(Text.size()), &written, nullptr);
    CloseHandle(h);
}

struct BuildCheck : ::testing::Test {
    TForm Form{nullptr};
    TInstall* Install;
    std::string Dir = ScratchDir();

    BuildCheck() {
        Install = new TInstall(&Form);
        Install->SetName("Install1");
        Install->Loaded();
        WriteText(Dir + "\\a.txt", "a");
        WriteText(Dir + "\\b.txt", "b");
    }
    ~BuildCheck() override {
        DeleteFileA((Dir + "\\a.txt").c_str());
        DeleteFileA((Dir + "\\b.txt").c_str());
        RemoveDirectoryA(Dir.c_str());
    }
    // A file of the tree as a definition would have it.
    TInstallFile* AddFile(const std::string& Name, TInstallContainer* Container, const std::string& FileName) {
        auto* f = Make<TInstallFile>(&Form, Name);
        f->SetIncludeFromDir(Dir);
        f->SetFileName(FileName);
        f->SetContainer(Container);
        f->SetDestDirType(ddContainerDestDir);
        f->SetArchiveFileType(ddContainerArchiveFile);
        return f;
    }
    std::string Problems(bool SelfExtract = true) {
        try {
            Install->CheckBuildDefinition(SelfExtract);
        } catch (const Exception& e) {
            return e.what();
        }
        return "";
    }
};

}  // namespace

// Rule: a definition whose files all reach the build's archive, have their
// sources and resolve their destinations passes, and the check changes
// nothing on the TInstall.
TEST_F(BuildCheck, SoundDefinitionPasses) {
    AddFile("File1", Install, "a.txt");
    auto* group = Make<TInstallFileGroup>(&Form, "Group1");
    group->SetContainer(Install);
    group->SetDestDirType(ddContainerDestDir);
    group->SetArchiveFileType(ddContainerArchiveFile);
    AddFile("File2", group, "b.txt");
    EXPECT_EQ(Problems(), "");
    EXPECT_EQ(Install->ArchiveFile(), "\\files.1");
    EXPECT_EQ(Install->ArchiveFileType(), ddLoading);
    EXPECT_EQ(Install->LoadingDirectory(), "");
}

// Rule: everything the install would refuse is refused by the build, every
// problem named with its component.
TEST_F(BuildCheck, EveryProblemIsListedWithItsComponent) {
    AddFile("File1", Install, "missing.txt");
    auto* blank = AddFile("File2", Install, "a.txt");
    blank->SetArchiveFileType(ddAbsolute);  // and no ArchiveFile
    // One group refuses two files of one key; two groups of one archive
    // are left to the build.
    auto* group = Make<TInstallFileGroup>(&Form, "Group1");
    group->SetContainer(Install);
    group->SetDestDirType(ddContainerDestDir);
    group->SetArchiveFileType(ddContainerArchiveFile);
    auto* twin = AddFile("File3", group, "A.TXT");
    twin->SetDestDirType(ddAbsolute);  // and no DestDir
    const std::string p = Problems();
    EXPECT_NE(p.find("File1: the source file " + Dir + "\\missing.txt does not exist"), std::string::npos) << p;
    EXPECT_NE(p.find("File2: its archive cannot be found at install time"), std::string::npos) << p;
    // The tree's processing order: the group's files come first.
    EXPECT_NE(p.find("File2: the archive key " + Dir + "\\a.txt is also the key of File3"), std::string::npos) << p;
    EXPECT_NE(p.find("File3: its destination cannot be resolved"), std::string::npos) << p;
}

// Rule: keys are cut at 100 characters in the archive, so a longer key
// would make two files one; the build refuses it.
TEST_F(BuildCheck, LongKeysAreRefused) {
    const std::string longName(101 - Dir.size(), 'x');
    AddFile("File1", Install, longName);
    EXPECT_NE(Problems().find("File1: the archive key " + Dir + "\\" + longName + " is longer than 100 characters"),
              std::string::npos);
}

// Rule: a file named straight after "files.1" works from a directory but
// not from a self-extracting setup, where the archive is the setup program.
TEST_F(BuildCheck, ArchiveMustMatchInTheSelfExtractingLayoutToo) {
    auto* f = AddFile("File1", Install, "a.txt");
    f->SetArchiveFileType(ddLoading);
    f->SetArchiveFile("\\files.1");
    EXPECT_EQ(Problems(false), "");
    EXPECT_NE(Problems(true).find("File1: its archive cannot be found at install time: at install time it is looked "
                                  "for in A:\\source\\files.1, but the build puts it in A:\\source\\setup.exe"),
              std::string::npos)
        << Problems(true);
}

// Rule: a component outside the tree is only a warning in the log.
TEST_F(BuildCheck, ComponentsOutsideTheTreeAreWarnings) {
    AddFile("File1", Install, "a.txt");
    auto* stray = Make<TInstallFile>(&Form, "Stray");
    stray->SetIncludeFromDir(Dir);
    stray->SetFileName("b.txt");
    const std::string log = Dir + "\\check.log";
    OpenLog(log);
    EXPECT_EQ(Problems(), "");
    CloseLog();
    std::string text(4096, '\0');
    HANDLE h = CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD got = 0;
    ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    CloseHandle(h);
    DeleteFileA(log.c_str());
    text.resize(got);
    EXPECT_NE(text.find("Warning: Stray is not in the installation tree"), std::string::npos) << text;
    EXPECT_EQ(text.find("File1"), std::string::npos) << text;
}

// ------------------------------------------------------ kit directory

namespace {

// The kit's directory value, blank for the test and put back after it
// (deleted again when there was none).
struct KitDirectory : ::testing::Test {
    std::string Saved;
    bool Existed = false;
    int Asked = 0;
    KitDirectory() {
        HKEY key;
        const std::string path = std::string(VantrelKitKey).substr(1);
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            Existed = RegQueryValueExA(key, VantrelDirectoryValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
        if (Existed) Saved = RegReadString(hkLocalMachine, VantrelKitKey, VantrelDirectoryValue, "");
        RegWriteString(hkLocalMachine, VantrelKitKey, VantrelDirectoryValue, "   ");
        SetSilent(true);
    }
    ~KitDirectory() override {
        SetModalResponder(nullptr);
        SetSilent(false);
        if (Existed) {
            RegWriteString(hkLocalMachine, VantrelKitKey, VantrelDirectoryValue, Saved);
            return;
        }
        HKEY key;
        const std::string path = std::string(VantrelKitKey).substr(1);
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, VantrelDirectoryValue);
            RegCloseKey(key);
        }
    }
    // Answers the kit-directory form with Answer typed into its edit.
    void Answer(const std::string& Typed) {
        SetModalResponder([this, Typed](TForm& f) {
            ++Asked;
            auto* form = dynamic_cast<TSelectVtrlDir*>(&f);
            if (!form) {
                ADD_FAILURE() << "asked with " << f.Name();
                return static_cast<int>(mrCancel);
            }
            form->Edit1->SetText(Typed);
            return static_cast<int>(mrOk);
        });
    }
    std::string Stored() const { return RegReadString(hkLocalMachine, VantrelKitKey, VantrelDirectoryValue, "?"); }
};

}  // namespace

// Rule: a blank value asks for the directory once, stores the answer and
// uses it (trimmed) for the loading program.
TEST_F(KitDirectory, BlankValueAsksOnceAndStores) {
    Answer("C:\\Vantrel Kit\\");
    EXPECT_EQ(FindLoadingProgram(), "C:\\Vantrel Kit\\VantrelLoadProgram.exe");
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(Stored(), "C:\\Vantrel Kit\\");
    // Stored: the next build does not ask.
    EXPECT_EQ(FindLoadingProgram(), "C:\\Vantrel Kit\\VantrelLoadProgram.exe");
    EXPECT_EQ(Asked, 1);
}

// Rule: a value that is there is used without asking.
TEST_F(KitDirectory, ValueThereIsNotAsked) {
    RegWriteString(hkLocalMachine, VantrelKitKey, VantrelDirectoryValue, " D:\\kit ");
    Answer("E:\\other");
    EXPECT_EQ(FindLoadingProgram(), "D:\\kit\\VantrelLoadProgram.exe");
    EXPECT_EQ(Asked, 0);
}

// Rule: a blank answer is written back as typed and stops with a clear
// error instead of a loading program at the root.
TEST_F(KitDirectory, BlankAnswerRaisesAClearError) {
    Answer("  ");
    const std::string error = ErrorOf([] { (void)FindLoadingProgram(); });
    EXPECT_EQ(error, "The directory of the loader program is not known: the registry value VantrelDirectory of "
                     "HKEY_LOCAL_MACHINE\\Software\\Vantrel Software\\Vantrel96 is blank");
    EXPECT_EQ(Asked, 1);
    EXPECT_EQ(Stored(), "  ");
}

// Rule: a silent run without an answer never waits: the form's default
// answer is blank, so the build stops with the same error.
TEST_F(KitDirectory, SilentRunGivesTheBlankDefault) {
    const std::string error = ErrorOf([] { (void)FindLoadingProgram(); });
    EXPECT_NE(error.find("registry value VantrelDirectory"), std::string::npos) << error;
    EXPECT_EQ(Stored(), "");
}

// BUILD.INF: the build directory, then settings. Lines that are no setting
// (notes of old BUILD.INF files) are left alone; one that looks like a
// setting but names none is a warning, so a mistyped SignCommand cannot
// pass for an unsigned build that was meant.
TEST(BuildSettings, SignCommandOldLinesAndMistypedSettings) {
    const std::string dir = ScratchDir();
    WriteText(dir + "\\BUILD.INF",
              "out\r\n"
              "SignCommand = osslsigncode sign -in %1 -out %2 \r\n"
              "; the certificate is renewed in May\r\n"
              "built by the release machine\r\n"
              "SignComand=signtool sign %1\r\n");
    const TBuildSettings s = ReadBuildSettings(dir);
    EXPECT_EQ(s.Directory, dir + "\\out");
    EXPECT_EQ(s.SignCommand, "osslsigncode sign -in %1 -out %2");
    ASSERT_EQ(s.Warnings.size(), 1u);
    EXPECT_NE(s.Warnings[0].find("line 5 of " + dir + "\\BUILD.INF is no build setting"), std::string::npos)
        << s.Warnings[0];
    WriteText(dir + "\\BUILD.INF", "out\r\n");
    EXPECT_EQ(ReadBuildSettings(dir).SignCommand, "");
    DeleteFileA((dir + "\\BUILD.INF").c_str());
    RemoveDirectoryA(dir.c_str());
}

// The paths reach the signing command quoted for the shell that runs it,
// whatever they hold; other percent signs stay as written.
TEST(BuildSettings, SigningCommandLineQuotesThePaths) {
    EXPECT_EQ(SigningCommandLine("tool -in %1 -out %2 -n '100%'", "/tmp/a b/it's.exe", "/tmp/o.exe", true),
              "tool -in '/tmp/a b/it'\\''s.exe' -out '/tmp/o.exe' -n '100%'");
    EXPECT_EQ(SigningCommandLine("signtool sign /fd SHA256 %1", "C:\\dist dir\\setup.exe", "", false),
              "signtool sign /fd SHA256 \"C:\\dist dir\\setup.exe\"");
}

// Both ways of running the signing command, with commands that stand in
// for a signer: one that copies a program that is already signed succeeds,
// and the copy keeps the original's date; one that copies an unsigned
// program is a signer that signed nothing; one that fails is reported with
// its exit code and its output, which also goes to the log. The scratch
// folder goes with the signer.
TEST(Signing, BothShellsRunTheCommandAndJudgeItsResult) {
    const std::string dir = ScratchDir();
    const std::string signedProgram = dir + "\\signed.exe", plainProgram = dir + "\\plain.exe";
    test::Bytes image = test::MinimalPE(4096);
    const test::Bytes plain = image;
    WriteText(plainProgram, std::string(image.begin(), image.end()));
    test::AppendCertificateTable(image);
    WriteText(signedProgram, std::string(image.begin(), image.end()));
    test::SetDate(signedProgram, test::SampleDosDate);
    for (bool host : {false, true}) {
        SCOPED_TRACE(host ? "host shell" : "cmd.exe");
        std::vector<std::string> log;
        auto logged = [&](const std::string& Line) { log.push_back(Line); };
        std::string scratch;
        {
            TProgramSigner copying(host ? "cp %1 %2" : "copy %1 %2", logged, host);
            const std::string copy = copying.SignedCopy(signedProgram);
            scratch = ExtractFileDir(copy);
            EXPECT_EQ(test::ReadAll(copy), image);
            EXPECT_EQ(test::GetDate(copy), test::SampleDosDate);
            EXPECT_EQ(log.front(), "Signing " + signedProgram);
            const std::string unsignedResult = FailureOf([&] { copying.SignedCopy(plainProgram); });
            EXPECT_NE(unsignedResult.find("left " + plainProgram + " without a signature"), std::string::npos)
                << unsignedResult;
        }
        EXPECT_FALSE(DirectoryExists(scratch)) << scratch;
        TProgramSigner failing(host ? "echo no key for %1; exit 4" : "echo no key for %1 & exit 4", logged, host);
        const std::string failed = FailureOf([&] { failing.SignInPlace(plainProgram); });
        EXPECT_NE(failed.find("failed on " + plainProgram + " (exit code 4):\r\nno key for "), std::string::npos)
            << failed;
        EXPECT_EQ(log.back().rfind("  no key for ", 0), 0u) << log.back();
        EXPECT_EQ(test::ReadAll(plainProgram), plain);
    }
    DeleteFileA(signedProgram.c_str());
    DeleteFileA(plainProgram.c_str());
    RemoveDirectoryA(dir.c_str());
}
