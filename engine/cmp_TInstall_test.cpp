#include <gtest/gtest.h>

#include "Dialogs.h"
#include "Forms.h"
#include "Unattended.h"
#include "cmp_TInstall.h"
#include "cmp_TTranslator.h"
#include "cmp_TUninstallEXE.h"
#include "constants_UninstallRecord.h"
#include "model_testkit.h"
#include "routines_ExpandPaths.h"
#include "routines_Registry.h"
#include "routines_UninstallRecord.h"
#include "FileShim.h"

#include <objidl.h>
#include <shlobj.h>

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

// A TInstall whose platform work is recorded instead of done: the run
// must not schedule the test program itself for deletion.
class TTestInstall : public TInstall {
public:
    using TInstall::TInstall;
    void ScheduleSelfDelete() override {
        Steps.push_back("ScheduleSelfDelete");
        if (RefuseSelfDelete) throw Exception("Cannot schedule C:\\Temp\\setup.exe: Access denied");
    }
    void ForceDestDirType(TPathSpecifiers Value) { FDestDirType = Value; }
    bool RefuseSelfDelete = false;
    void DeletePresetupFiles() override { Steps.push_back("DeletePresetupFiles"); }
    void RegisterContinuation() override { Steps.push_back("RegisterContinuation"); }
    void RestartWindows() override { Steps.push_back("RestartWindows"); }
    // A list of the test's own: other programs run in the same prefix.
    std::string UnfinishedListKey() const override {
        return "\\SOFTWARE\\VANTRELINSTALLING_TEST" + std::to_string(GetCurrentProcessId());
    }
    std::vector<std::string> Steps;
};

// A file whose archive read can fail.
class TFailingReadFile : public TScriptedFile {
public:
    using TScriptedFile::TScriptedFile;
    void ReadArchiveInfo() override {
        Exception e("The archive files.1 is damaged");
        e.Detail = "volume 1 of C:\\dist\\files.1";
        throw e;
    }
};

struct Run : ::testing::Test {
    TForm Form{nullptr};
    TTestInstall* Install;
    std::vector<std::string> Log;
    std::vector<std::string> Messages;
    TRecordingDialog* Dialog;

    Run() {
        Application.ClearTerminated();
        Install = new TTestInstall(&Form);
        Install->SetName("Install1");
        Install->SetUseLoadingProgram(false);
        Install->Loaded();
        Dialog = Make<TRecordingDialog>(&Form, "Dlg", &Log);
        Dialog->SetContainer(Install);
        SetSilent(true);
        SetQuestionResponder([this](const TQuestion& q) {
            Messages.push_back(q.Msg);
            return mrOk;
        });
        RestartNeeded = false;
    }
    ~Run() override {
        SetQuestionResponder(nullptr);
        SetSilent(false);
        Application.ClearTerminated();
        Application.ExitCode = 0;
        RestartNeeded = false;
    }
    // Runs as the first activation does: exceptions go to the handler.
    void RunInstall() {
        try {
            Install->Process();
        } catch (const std::exception& e) {
            Install->HandleException(Install, e);
        }
    }
};

}  // namespace

TEST_F(Run, BroadcastsComeInTheirOrderAndTheRunTerminates) {
    std::vector<std::string> events;
    Install->OnStartInstall = [&](TComponent*) { events.push_back("OnStartInstall"); };
    Install->OnShowGoodInstall = [&](TComponent*) { events.push_back("OnShowGoodInstall"); };
    RunInstall();
    EXPECT_EQ(Log, (std::vector<std::string>{
                       "Install1:eccBeforeReadArchiveInfo", "Install1:eccAfterReadArchiveInfo", "Install1:eccStartingUp",
                       "Install1:eccLanguageDialog", "Install1:eccWelcomeDialog", "Install1:eccLicenseAgreement",
                       "Install1:eccReadmeDialog", "Install1:eccBeginningDialogManager", "Install1:eccBeforeProcess",
                       "Install1:InstallTypeDialog", "Install1:eccBeforeInstallFileGroup", "Install1:DoneCopyingFiles",
                       "Install1:eccAfterProcess", "Install1:GoodInstallation", "Install1:eccGoodInstallDialogManager"}));
    EXPECT_EQ(events, (std::vector<std::string>{"OnStartInstall", "OnShowGoodInstall"}));
    EXPECT_EQ(Install->Steps, (std::vector<std::string>{"ScheduleSelfDelete", "DeletePresetupFiles"}));
    EXPECT_TRUE(Application.Terminated());
    EXPECT_FALSE(Install->Running());
    EXPECT_TRUE(Messages.empty());
}

// A cancel on the welcome page: the bad-installation path with clean-up and
// termination, and no error box.
TEST_F(Run, UserAbortEndsQuietly) {
    Dialog->ReactTo = "eccWelcomeDialog";
    Dialog->Reaction = [] { throw EAIUserAbort(); };
    bool badShown = false;
    Install->OnShowBadInstall = [&](TComponent*) { badShown = true; };
    RunInstall();
    EXPECT_TRUE(badShown);
    EXPECT_EQ(std::vector<std::string>(Log.end() - 2, Log.end()),
              (std::vector<std::string>{"Install1:BadInstallation", "Install1:eccBadInstallDialogManager"}));
    EXPECT_EQ(Install->Steps, (std::vector<std::string>{"DeletePresetupFiles"}));
    EXPECT_TRUE(Application.Terminated());
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Application.ExitCode, 2);
}

// Any other failure shows the bad-installation page, then its message
// (with its detail in a silent run), and leaves the application open for
// the person who reads it.
TEST_F(Run, AnArchiveErrorShowsTheBadPageAndTheMessage) {
    auto* file = Make<TFailingReadFile>(&Form, "File1");
    file->SetFileName("a.txt");
    file->SetContainer(Install);
    RunInstall();
    EXPECT_EQ(Log, (std::vector<std::string>{"Install1:eccBeforeReadArchiveInfo", "Install1:BadInstallation",
                                             "Install1:eccBadInstallDialogManager"}));
    EXPECT_EQ(Messages, (std::vector<std::string>{"The archive files.1 is damaged (volume 1 of C:\\dist\\files.1)"}));
    EXPECT_FALSE(Application.Terminated());
    EXPECT_TRUE(Install->Steps.empty());
    EXPECT_EQ(Application.ExitCode, 1);
}

TEST_F(Run, CleanupAndTerminationCanBeVetoed) {
    Install->OnCleanup = [](TInstall*, bool& cont) { cont = false; };
    Install->OnBeforeTerminateApp = [](TInstall*, bool& cont) { cont = false; };
    RunInstall();
    EXPECT_EQ(Install->Steps, (std::vector<std::string>{"ScheduleSelfDelete"}));  // presetup files kept
    EXPECT_FALSE(Application.Terminated());
}

// A restart-needed run ends after the restart step without the completion
// page; the restart itself happens only when nobody declines it.
TEST_F(Run, RestartEndsTheRunEarly) {
    Install->OnStartInstall = [](TComponent*) { RestartNeeded = true; };
    Install->OnRebootWindows = [](TInstall*, bool& cont) { cont = false; };
    RunInstall();
    EXPECT_EQ(Log.back(), "Install1:ShutDownDialog");
    EXPECT_TRUE(Install->Steps.empty());
    EXPECT_TRUE(Application.Terminated());
    EXPECT_TRUE(Install->Running());

    Application.ClearTerminated();
    Log.clear();
    Install->OnRebootWindows.Clear();
    RunInstall();
    EXPECT_EQ(Install->Steps, (std::vector<std::string>{"RestartWindows"}));
    EXPECT_EQ(Application.ExitCode, 3010);

    // /NORESTART: no restart, the same early end and exit code.
    Application.ClearTerminated();
    Application.ExitCode = 0;
    Install->Steps.clear();
    SetNoRestartRequested(true);
    RunInstall();
    SetNoRestartRequested(false);
    EXPECT_TRUE(Install->Steps.empty());
    EXPECT_EQ(Application.ExitCode, 3010);
    EXPECT_TRUE(Application.Terminated());
}

TEST_F(Run, ConfirmUserAbortAsksTheHandler) {
    EXPECT_TRUE(Install->ConfirmUserAbort());
    Install->OnUserAbort = [](TInstall*, bool& quit) { quit = false; };
    EXPECT_FALSE(Install->ConfirmUserAbort());
}

TEST_F(Run, NothingStartsBeforeTheFirstActivationAndOnlyOnce) {
    int runs = 0;
    Install->OnStartInstall = [&](TComponent*) { ++runs; };
    Install->RunAutomatic = false;
    Install->StartMode();
    Form.OnActivate(&Form);
    EXPECT_TRUE(Install->Started());
    EXPECT_EQ(runs, 0);  // RunAutomatic false: the owner starts the run
    EXPECT_EQ(Form.WindowState(), wsMaximized);
}

// Rule: in a silent run nobody can close the window after a failure, so the
// application's handler ends the loop with exit code 1, and the message on
// standard error carries the failure's detail.
TEST_F(Run, SilentFailureEndsTheProgramWithItsDetail) {
    auto* file = Make<TFailingReadFile>(&Form, "File1");
    file->SetFileName("a.txt");
    file->SetContainer(Install);
    try {
        Install->Process();
    } catch (const std::exception& e) {
        Application.HandleException(e);
    }
    EXPECT_TRUE(Application.Terminated());
    EXPECT_EQ(Application.ExitCode, 1);
    EXPECT_EQ(Messages, (std::vector<std::string>{"The archive files.1 is damaged (volume 1 of C:\\dist\\files.1)"}));
}

TEST_F(Run, FailureOutsideTheRunAlsoEndsASilentProgram) {
    Application.HandleException(Exception("The language table is damaged"));
    EXPECT_TRUE(Application.Terminated());
    EXPECT_EQ(Application.ExitCode, 1);
}

// Rule: a setup program that cannot be scheduled for deletion leaves the
// installation good: clean-up and termination still happen, exit code 0.
TEST_F(Run, RefusedSelfDeletionIsOnlyAWarning) {
    Install->RefuseSelfDelete = true;
    bool badShown = false;
    Install->OnShowBadInstall = [&](TComponent*) { badShown = true; };
    RunInstall();
    EXPECT_FALSE(badShown);
    EXPECT_EQ(Install->Steps, (std::vector<std::string>{"ScheduleSelfDelete", "DeletePresetupFiles"}));
    EXPECT_TRUE(Application.Terminated());
    EXPECT_EQ(Application.ExitCode, 0);
    EXPECT_FALSE(Install->Running());
}

// Rule: the TInstall's destination is the main install directory; anchoring
// it there is refused when set, and a location that leads back to itself is
// an error, not an endless recursion.
TEST_F(Run, TheMainDirectoryCannotBeAnchoredAtItself) {
    EXPECT_THROW(Install->SetDestDirType(ddMainInstallDir), Exception);
    Install->ComponentState.Include(csLoading);
    EXPECT_THROW(Install->SetDestDirType(ddMainInstallDir), Exception);
    Install->ComponentState.Exclude(csLoading);
    EXPECT_EQ(Install->DestDirType(), ddProgramFilesDir);
    Install->ForceDestDirType(ddMainInstallDir);
    try {
        Install->ExpandDestDir();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "The DestDir of Install1 refers to itself");
    }
    Install->ForceDestDirType(ddProgramFilesDir);
    EXPECT_FALSE(Install->ExpandDestDir().empty());  // the guard is released after a failure
}

// ------------------------------------------------- TInstall on its own

TEST(InstallRoot, ASecondInstallIsRefused) {
    TDataModule root(nullptr);
    TInstall install(&root);
    EXPECT_EQ(GlobalInstall(), &install);
    try {
        TInstall second(&root);
        FAIL();
    } catch (const EAITwoInstallComponents& e) {
        EXPECT_STREQ(e.what(),
                     "The TInstall component does not currently support the use of 2 TInstall components in the "
                     "same project");
    }
    EXPECT_EQ(GlobalInstall(), &install);
}

TEST(InstallRoot, OwnerMustBeAFormOrADataModule) {
    TComponent plain(nullptr);
    try {
        TInstall install(&plain);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(),
                     "The Owner of the TInstall component must either be a class of type TForm or TDataModule");
    }
    EXPECT_EQ(GlobalInstall(), nullptr);
}

TEST(InstallRoot, DefaultsAndPresetupFiles) {
    TDataModule root(nullptr);
    TInstall install(&root);
    EXPECT_EQ(install.ArchiveFile(), "\\files.1");
    EXPECT_EQ(install.ArchiveFileType(), ddLoading);
    EXPECT_EQ(install.DestDir(), "\\MyApplication");
    EXPECT_EQ(install.DestDirType(), ddProgramFilesDir);
    EXPECT_FALSE(install.AllowChoice());
    EXPECT_EQ(install.GroupName(), "Main");
    TStringList files{"a.avi", "  ", "", "b.rmi"};
    install.SetPresetupFiles(files);
    EXPECT_EQ(install.PresetupFiles().Strings, (std::vector<std::string>{"a.avi", "b.rmi"}));
    EXPECT_EQ(files.Strings, (std::vector<std::string>{"a.avi", "b.rmi"}));  // the caller's list too
    install.SetArchiveFile("\\other");
    install.SetUseLoadingProgram(true);
    EXPECT_EQ(install.ArchiveFile(), "\\files.1");
}

TEST(RunModes, TheFirstArgumentSelectsTheMode) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SelectRunMode(V{}), TRunMode::Normal);
    EXPECT_EQ(SelectRunMode(V{"*"}), TRunMode::Normal);
    EXPECT_EQ(SelectRunMode(V{"*build"}), TRunMode::Build);
    EXPECT_EQ(SelectRunMode(V{"*ToDisk"}), TRunMode::ToDisk);
    EXPECT_EQ(SelectRunMode(V{"*ABOOT"}), TRunMode::AfterBoot);
    EXPECT_EQ(SelectRunMode(V{"*SelfExtract", "setup.exe", "C:\\x"}), TRunMode::SelfExtract);
    EXPECT_EQ(SelectRunMode(V{"BUILD"}), TRunMode::Normal);  // no star: a source directory
    EXPECT_EQ(SelectRunMode(V{"*other"}), TRunMode::Normal);
}

TEST(RunModes, LoaderArgumentsRebuildBlanks) {
    using V = std::vector<std::string>;
    EXPECT_EQ(JoinLoaderArguments(V{"D:\\My", "Setup"}, 1), "D:\\My Setup");
    EXPECT_EQ(JoinLoaderArguments(V{"*SELFEXTRACT", "setup.exe", "C:\\a", "b"}, 3), "C:\\a b");
    try {
        JoinLoaderArguments(V{}, 1);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot read the SourceDirectory. It was not passed from the setup.exe program");
    }
}

TEST(RunModes, SelfExtractTakesTheArchiveFromTheLoadingProgram) {
    TDataModule root(nullptr);
    TInstall install(&root);
    install.Arguments = {"*SELFEXTRACT", "setup.exe", "C:\\Temp", "Dir"};
    install.RunAutomatic = false;
    install.StartMode();
    EXPECT_TRUE(install.SelfExtractMode());
    install.ReadLoaderArguments();
    EXPECT_EQ(install.ArchiveFile(), "\\setup.exe");
    EXPECT_EQ(install.LoadingDirectory(), "C:\\Temp Dir");
    install.Arguments = {"*SELFEXTRACT"};
    try {
        install.ReadLoaderArguments();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot read the name of the loading program. It was not passed from the loading program");
    }
}

// ------------------------------------------------------ the continuation

namespace {

// A group that counts its continuations.
class TContinuedGroup : public TInstallFileGroup {
public:
    using TInstallFileGroup::TInstallFileGroup;
    void ContinueAfterReboot() override { ++Continued; }
    int Continued = 0;
};

struct Continuation : Run {
    Continuation() {
        Install->ClearUnfinishedList();
        Dir = GetTempDirectory() + "vtrl_continuation_" + std::to_string(GetCurrentProcessId());
        ForceDirectories(Dir);
    }
    ~Continuation() override {
        Install->ClearUnfinishedList();
        for (const char* name : {"a.bat", "c.txt"}) DeleteFileA((Dir + "\\" + name).c_str());
        RemoveDirectoryA(Dir.c_str());
    }
    std::string Touch(const std::string& Name) {
        const std::string path = Dir + "\\" + Name;
        FileClose(FileCreate(path));
        return path;
    }
    std::vector<std::string> List() {
        TStringList l;
        Install->ReadUnfinishedList(l);
        return l.Strings;
    }
    std::string Dir;
};

// A shell link's target and arguments, read through the shell.
std::pair<std::string, std::string> ReadLink(const std::string& Path) {
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    std::pair<std::string, std::string> result;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring wide(Path.begin(), Path.end());
            if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
                char buffer[MAX_PATH * 2] = {};
                link->GetPath(buffer, sizeof(buffer), nullptr, 0);
                result.first = buffer;
                link->GetArguments(buffer, sizeof(buffer));
                result.second = buffer;
            }
            file->Release();
        }
        link->Release();
    }
    return result;
}

}  // namespace

// Rule: entries are "name;kind" values of one registry key; reading does
// not create the key, and clearing a missing list is no error.
TEST_F(Continuation, TheListKeepsNamesAndKinds) {
    EXPECT_TRUE(List().empty());
    Install->AddUnfinishedEntry("LibFile", ukComponent);
    Install->AddUnfinishedEntry("C:\\Temp\\odd;name.bat", ukFile);
    EXPECT_EQ(Install->UnfinishedCount(), 2);
    EXPECT_EQ(List(), (std::vector<std::string>{"C:\\Temp\\odd;name.bat;1", "LibFile;0"}));
    Install->ClearUnfinishedList();
    EXPECT_TRUE(List().empty());
    Install->ClearUnfinishedList();
}

// Rule: the continuation reads and deletes the list, continues the named
// components (case ignored; a name no component has does nothing), deletes
// the named files (a missing one is skipped), skips kinds it does not know
// and values that are no strings,
// and ends as a finished run: completion page, self-deletion, clean-up,
// termination, exit code 0.
TEST_F(Continuation, ContinuationDoesTheListedWork) {
    auto* group = Make<TContinuedGroup>(&Form, "LibGroup");
    group->SetContainer(Install);
    const std::string batch = Touch("a.bat");
    Install->AddUnfinishedEntry("libgroup", ukComponent);
    Install->AddUnfinishedEntry("NoSuchComponent", ukComponent);
    Install->AddUnfinishedEntry(batch, ukFile);
    Install->AddUnfinishedEntry(Dir + "\\missing.bat", ukFile);
    RegWriteString(hkLocalMachine, Install->UnfinishedListKey(), "Future", "7");
    // A value of another type is no entry of ours: skipped, the rest done.
    RegWriteInteger(hkLocalMachine, Install->UnfinishedListKey(), "Number", 1);
    bool completion = false;
    Install->OnShowGoodInstall = [&](TComponent*) { completion = true; };
    Install->ContinueAfterReboot();
    EXPECT_EQ(group->Continued, 1);
    EXPECT_FALSE(FileExists(batch));
    EXPECT_TRUE(List().empty());
    EXPECT_TRUE(completion);
    EXPECT_EQ(Log, (std::vector<std::string>{"Install1:GoodInstallation", "Install1:eccGoodInstallDialogManager"}));
    EXPECT_EQ(Install->Steps, (std::vector<std::string>{"ScheduleSelfDelete", "DeletePresetupFiles"}));
    EXPECT_TRUE(Application.Terminated());
    EXPECT_FALSE(Install->Running());
    EXPECT_EQ(Application.ExitCode, 0);
}

// Rule: an entry whose kind is not a number stops the continuation with
// its message; entries before it are done, those after it are not, and the
// list is gone all the same.
TEST_F(Continuation, AnInvalidEntryStopsItAfterTheListIsGone) {
    const std::string first = Touch("a.bat"), last = Touch("c.txt");
    // The registry lists values by name.
    RegWriteString(hkLocalMachine, Install->UnfinishedListKey(), first, "1");
    RegWriteString(hkLocalMachine, Install->UnfinishedListKey(), Dir + "\\b", "one");
    RegWriteString(hkLocalMachine, Install->UnfinishedListKey(), last, "1");
    try {
        Install->ContinueAfterReboot();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "There is an invalid entry for the unfinished install list " + Dir + "\\b;one");
    }
    EXPECT_FALSE(FileExists(first));
    EXPECT_TRUE(FileExists(last));
    EXPECT_TRUE(List().empty());
    EXPECT_FALSE(Install->Running());
    EXPECT_FALSE(Application.Terminated());
}

// Rule: the continuation link starts this program with "*ABOOT" from the
// Startup folder, and its removal is listed before it exists.
TEST_F(Continuation, TheContinuationLinkStartsThisProgramAfterTheRestart) {
    // A "%" of the log's name is no meta-variable ("%s" is the System folder).
    const std::string log = Dir + "\\run log %s 100%.txt";
    OpenLog(log);
    Install->TInstall::RegisterContinuation();
    CloseLog();
    DeleteFileA(log.c_str());
    const std::string link = StartupFolder() + "\\" + ChangeFileExt(ExtractFileName(Application.ExeName()), ".LNK");
    EXPECT_EQ(List(), std::vector<std::string>{link + ";1"});
    ASSERT_TRUE(FileExists(link));
    const auto [target, arguments] = ReadLink(link);
    EXPECT_TRUE(SameText(target, Application.ExeName())) << target;
    // The silent, logged run's continuation is silent and logs there too.
    EXPECT_EQ(arguments, "/SILENT \"/LOG=" + log + "\" *ABOOT");
    EXPECT_EQ(Install->ComponentCount(), 0) << "the link component is gone";
    DeleteFileA(link.c_str());
}

// /DIR= makes the main destination absolute (a relative path from the
// current directory); /LANG= sets the translator's language; an unknown
// language stops the run before anything is installed.
TEST_F(Run, DirectoryAndLanguageOptions) {
    auto* translator = new TTranslator(&Form);
    if (MainTranslator() != translator) GTEST_SKIP() << "another translator is the main one";
    SetRequestedDirectory("C:\\Apps\\My Product\\");
    SetRequestedLanguage("german");
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->DestDirType(), ddAbsolute);
    EXPECT_EQ(Install->ExpandDestDir(), "C:\\Apps\\My Product");
    EXPECT_EQ(translator->TranslateIntoLanguage(), ylGerman);
    SetRequestedLanguage("Klingon");
    EXPECT_THROW(Install->ApplyRunOptions(), Exception);
    SetRequestedDirectory("");
    SetRequestedLanguage("");
    delete translator;
}

// ---------------------------------------------- a product installed already

namespace {

// Installed files as the record sees them once the run has written them.
template <class T>
class TWritten : public T {
public:
    TWritten(TComponent* AOwner, const std::string& Dir, const std::string& Name) : T(AOwner) {
        this->FWritten = true;
        this->SetFileName(Name);
        this->SetDestDirType(ddAbsolute);
        this->SetDestDir(Dir);
    }
};

// A run of a scratch product "1.1", its uninstall record removed before and
// after, its log in a scratch file.
struct Installed : Run {
    std::string Product, Key, LogFile, Dir;
    Installed() {
        const std::string unique = std::to_string(GetCurrentProcessId()) + " " +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Product = "Vantrel Installed Test " + unique;
        Key = std::string(UninstallKeyBase) + Product;
        Dir = GetTempDirectory() + "vtrl_installed_" + std::to_string(GetCurrentProcessId());
        LogFile = Dir + ".log";
        Install->Information()->SetProductName(Product);
        Install->Information()->SetVersion("1.1");
        DeleteRecord();
        DeleteFileA(LogFile.c_str());
        OpenLog(LogFile);
    }
    ~Installed() override {
        CloseLog();
        DeleteFileA(LogFile.c_str());
        DeleteRecord();
        SetRequestedDirectory("");
    }
    void DeleteRecord() {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        (void)reg.DeleteKey(Key);
    }
    void Record(const char* Name, const std::string& Value) { RegWriteString(hkLocalMachine, Key, Name, Value); }
    // The log so far; logging goes on.
    std::string LogText() {
        CloseLog();
        std::string text;
        if (FILE* f = std::fopen(LogFile.c_str(), "rb")) {
            char buffer[4096];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
            std::fclose(f);
        }
        OpenLog(LogFile);
        return text;
    }
    bool Logged(const std::string& Line) { return LogText().find("engine_test: " + Line + "\r\n") != std::string::npos; }
    // The definition's main directory again.
    void ResetDestination() {
        Install->SetDestDirType(ddProgramFilesDir);
        Install->SetDestDir("\\MyApplication");
    }
    int32_t EstimatedSize() {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        int32_t kilobytes = -1;
        if (!reg.OpenKeyReadOnly(Key) || !reg.TryReadInteger(uninstall_record::EstimatedSize, kilobytes)) return -1;
        return kilobytes;
    }
    std::string MakeFile(const std::string& Name, size_t Size) {
        const std::string path = Dir + "\\" + Name;
        TFileHandle h = FileCreate(path);
        const std::string bytes(Size, 'v');
        EXPECT_EQ(FileWrite(h, bytes.data(), static_cast<int32_t>(Size)), static_cast<int32_t>(Size));
        FileClose(h);
        return path;
    }
};

}  // namespace

// Rule: without /DIR= a product installed already is installed over: the
// main directory (and so the folder the pages start with) is the record's
// InstallLocation, and the log names the version going over the version
// installed.
TEST_F(Installed, TheInstalledFolderIsTheMainDirectory) {
    Record("InstallLocation", "D:\\Old Place\\");
    Record("DisplayVersion", "1.0");
    std::string version;
    EXPECT_EQ(Install->InstalledLocation(version), "D:\\Old Place");
    EXPECT_EQ(version, "1.0");
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->DestDirType(), ddAbsolute);
    EXPECT_EQ(Install->MainInstallDir(), "D:\\Old Place");
    EXPECT_TRUE(Logged("Installing 1.1 over the installed 1.0 in D:\\Old Place")) << LogText();
    // A record that names no version still names its folder.
    ResetDestination();
    TRegistry reg;
    SelectRootKey(reg, hkLocalMachine);
    ASSERT_TRUE(reg.OpenKey(Key, false));
    EXPECT_TRUE(reg.DeleteValue(uninstall_record::DisplayVersion));
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->MainInstallDir(), "D:\\Old Place");
    EXPECT_TRUE(Logged("Installing 1.1 over the installed (no version) in D:\\Old Place")) << LogText();
}

// Rule: /DIR= still chooses the folder; the log says where the installed
// copy is, or that /DIR= names its folder (in whatever case).
TEST_F(Installed, TheDirOptionWinsOverTheInstalledFolder) {
    Record("InstallLocation", "D:\\Old Place");
    Record("DisplayVersion", "1.0");
    SetRequestedDirectory("C:\\Apps\\New\\");
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->MainInstallDir(), "C:\\Apps\\New");
    EXPECT_TRUE(Logged("Main directory from /DIR=: C:\\Apps\\New"));
    EXPECT_TRUE(Logged("The installed 1.0 in D:\\Old Place is left where it is: /DIR= installs 1.1 into C:\\Apps\\New"))
        << LogText();
    SetRequestedDirectory("d:\\old place");
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->MainInstallDir(), "d:\\old place");
    EXPECT_TRUE(Logged("Installing 1.1 over the installed 1.0 in D:\\Old Place")) << LogText();
}

// Rule: an InstallLocation that is blank or not a full path (the uninstall
// program and this run would each take it from their own current folder)
// is ignored and logged; without a record, or a record without the value,
// the definition's main directory stays and nothing is said.
TEST_F(Installed, ABlankOrRelativeLocationIsIgnored) {
    const std::string own = Install->MainInstallDir();
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->DestDirType(), ddProgramFilesDir);
    Record("DisplayName", Product);
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->MainInstallDir(), own);
    EXPECT_EQ(LogText(), "");
    Record("InstallLocation", "  ");
    std::string version = "stale";
    EXPECT_EQ(Install->InstalledLocation(version), "");
    EXPECT_EQ(version, "");
    Install->ApplyRunOptions();
    EXPECT_EQ(Install->DestDirType(), ddProgramFilesDir);
    EXPECT_EQ(Install->MainInstallDir(), own);
    EXPECT_TRUE(Logged("The uninstall record of " + Product + " has a blank install location: it is ignored"))
        << LogText();
    for (const char* location : {"Old Place", "\\Old Place", "D:Old Place"}) {
        Record("InstallLocation", location);
        Install->ApplyRunOptions();
        EXPECT_EQ(Install->DestDirType(), ddProgramFilesDir) << location;
        EXPECT_EQ(Install->MainInstallDir(), own) << location;
        EXPECT_TRUE(Logged("The uninstall record of " + Product + " names the install location \"" + location +
                           "\", which is not a full path: it is ignored"))
            << LogText();
    }
    EXPECT_EQ(LogText().find("Installing 1.1"), std::string::npos);
}

// Rule: the program list's size is what the record's files take on disk,
// each file once: installing the same files again, their paths written in
// another case, leaves the figure (and the record) as the first install
// made it.
TEST_F(Installed, InstallingAgainLeavesTheSizeAsTheFirstInstallGaveIt) {
    ASSERT_TRUE(ForceDirectories(Dir));
    MakeFile("a.dat", 3000);
    MakeFile("uninstall.exe", 1500);
    auto* file = new TWritten<TInstallFile>(&Form, Dir, "a.dat");
    new TWritten<TUninstallEXE>(&Form, Dir, "uninstall.exe");
    for (int pass = 1; pass <= 2; ++pass) {
        if (pass == 2) file->SetDestDir(UpperCase(Dir));
        {
            TRecordAppendScope scope;
            file->WriteUninstallInfo(Key);
        }
        Install->WriteProgramListValues();
        EXPECT_EQ(EstimatedSize(), 5) << "install " << pass << ": (3000 + 1500) bytes";
    }
    EXPECT_EQ(RegReadString(hkLocalMachine, Key + "\\Files", "Entries", ""), "1");
    EXPECT_TRUE(Logged("Program list entry: 1.1, 5 KB"));
    FileDelete(Dir + "\\a.dat");
    FileDelete(Dir + "\\uninstall.exe");
    RemoveDirectoryA(Dir.c_str());
}
