#include <gtest/gtest.h>

#include "Dialogs.h"
#include "Forms.h"
#include "Unattended.h"
#include "cmp_TInstall.h"
#include "cmp_TTranslator.h"
#include "model_testkit.h"
#include "routines_ExpandPaths.h"
#include "routines_Registry.h"
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
