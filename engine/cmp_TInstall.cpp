// TInstall: construction, loading and mode selection, the first activation,
// the loader's arguments and the install run with its good and bad ends.
#include "cmp_TInstall.h"

#include "Dialogs.h"
#include "FileShim.h"
#include "Forms.h"
#include "Unattended.h"
#include "cmp_TInstallFile.h"
#include "cmp_TInstallShellLink.h"
#include "cmp_TTranslator.h"
#include "cmp_TUninstallEXE.h"
#include "constants_UninstallRecord.h"
#include "dlgcmp_TBaseDlg.h"
#include "routines_Registry.h"
#include "routines_RestartFiles.h"
#include "routines_UninstallRecord.h"

namespace vtrl {

namespace {
TInstall* gInstall = nullptr;
}  // namespace

TInstall* GlobalInstall() { return gInstall; }

VTRL_IMPLEMENT_CLASS(TInstall, TFileContainer, [](TClassBuilder<TInstall>& b) {
    b.Boolean("AllowChangeDir", &TFileContainer::AllowChangeDir, &TFileContainer::SetAllowChangeDir, true)
        .Boolean("AutoMaximizeWindow", &TInstall::AutoMaximizeWindow, &TInstall::AutoMaximizeWindow, true)
        .Strings("Description", &TFileContainer::Description,
                 [](TFileContainer& c, TStringList& l) { c.SetDescription(l); })
        .String("DestDir", &TInstallContainer::DestDir, &TInstallContainer::SetDestDir)
        .Enum<TPathSpecifiers>("DestDirType", &TInstallContainer::DestDirType, &TInstallContainer::SetDestDirType)
        .String("GroupName", &TFileContainer::GroupName, &TFileContainer::SetGroupName)
        .Object("Information", [](TInstall& i) -> TPersistent* { return i.Information(); })
        .Strings("PresetupFiles", &TInstall::PresetupFiles, &TInstall::SetPresetupFiles)
        .Boolean("RunAutomatic", &TInstall::RunAutomatic, &TInstall::RunAutomatic, true)
        .Boolean("UseLoadingProgram", &TInstall::UseLoadingProgram, &TInstall::SetUseLoadingProgram)
        .Event("OnAfterReadArchiveInfo", &TInstall::OnAfterReadArchiveInfo)
        .Event("OnBeforeReadArchiveInfo", &TInstall::OnBeforeReadArchiveInfo)
        .Event("OnCleanup", &TInstall::OnCleanup)
        .Event("OnRebootWindows", &TInstall::OnRebootWindows)
        .Event("OnUserAbort", &TInstall::OnUserAbort)
        .Event("OnBeforeTerminateApp", &TInstall::OnBeforeTerminateApp)
        .Event("OnShowBadInstall", &TInstall::OnShowBadInstall)
        .Event("OnShowGoodInstall", &TInstall::OnShowGoodInstall)
        .Event("OnStartInstall", &TInstall::OnStartInstall)
        .Event("OnShowInstallTypeDlg", &TInstallContainer::OnShowInstallTypeDlg);
})

// --------------------------------------------------------- mode selection

TRunMode SelectRunMode(const std::vector<std::string>& Args) {
    if (Args.empty() || Args[0].size() <= 1 || Args[0][0] != '*') return TRunMode::Normal;
    std::string word = Args[0].substr(1);
    if (SameText(word, "BUILD")) return TRunMode::Build;
    if (SameText(word, "TODISK")) return TRunMode::ToDisk;
    if (SameText(word, "ABOOT")) return TRunMode::AfterBoot;
    if (SameText(word, "SELFEXTRACT")) return TRunMode::SelfExtract;
    return TRunMode::Normal;
}

std::string JoinLoaderArguments(const std::vector<std::string>& Args, int First) {
    if (static_cast<int>(Args.size()) < First)
        RaiseFmt("Cannot read the SourceDirectory. It was not passed from the setup.exe program");
    std::string dir;
    for (size_t i = First - 1; i < Args.size(); ++i) {
        if (Args[i].empty()) continue;
        if (!dir.empty()) dir += ' ';
        dir += Args[i];
    }
    return dir;
}

// ------------------------------------------------------------ life cycle

TInstall::TInstall(TComponent* AOwner) : TFileContainer(AOwner) {
    if (gInstall) throw EAITwoInstallComponents();
    if (!As<TForm>(AOwner) && !As<TDataModule>(AOwner))
        RaiseFmt("The Owner of the TInstall component must either be a class of type TForm or TDataModule");
    FArchiveFile = "\\files.1";
    FArchiveFileType = ddLoading;
    FDestDirType = ddProgramFilesDir;
    FDestDir = "\\MyApplication";
    FAllowChoice = false;
    FAllowChangeDir = true;
    FGroupName = "Main";
    gInstall = this;
    SetInstallation(this);
    for (int i = 1; i <= ParamCount(); ++i) Arguments.push_back(ParamStr(i));
    if (!Designing())
        Application.OnException = [this](TComponent* Sender, const std::exception& E) { HandleException(Sender, E); };
}

TInstall::~TInstall() {
    ComponentState.Include(csDestroying);
    if (!Designing() && FMainForm && !FMainForm->Destroying()) {
        FMainForm->OnActivate = FPreviousActivate;
        FMainForm->RemoveFreeNotification(this);
    }
    if (!Designing()) Application.OnException.Clear();
    if (gInstall == this) {
        gInstall = nullptr;
        SetInstallation(nullptr);
    }
}

void TInstall::Notification(TComponent* AComponent, TOperation Operation) {
    TFileContainer::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TInstall::SetPresetupFiles(TStringList& Value) {
    auto& lines = Value.Strings;
    lines.erase(std::remove_if(lines.begin(), lines.end(), [](const std::string& s) { return Trim(s).empty(); }),
                lines.end());
    FPresetupFiles = Value;
}

void TInstall::SetUseLoadingProgram(bool Value) {
    FUseLoadingProgram = Value;
    if (!Loading() && Value) {
        FArchiveFileType = ddLoading;
        FArchiveFile = "\\files.1";
    }
}

void TInstall::SetDestDirType(TPathSpecifiers Value) {
    if (Value == ddMainInstallDir)
        RaiseFmt("The DestDirType of %s cannot be ddMainInstallDir: the TInstall's destination is the main install "
                 "directory itself",
                 Name());
    TFileContainer::SetDestDirType(Value);
}

void TInstall::Loaded() {
    TFileContainer::Loaded();
    FMainForm = Application.MainForm();
    if (!FMainForm) FMainForm = As<TForm>(Owner());
    if (!FMainForm && RunAutomatic)
        RaiseFmt("Application.MainForm is undefined and the TInstall is not on a form. Therefore, the TInstall "
                 "can't run the installation automatically");
    if (FMainForm) FMainForm->FreeNotification(this);
    TInstallType selected = itAlways;
    for (TInstallType t : {itDefault, itCompact, itFull, itCustom})
        if (FInstallTypes.Contains(t)) {
            selected = t;
            break;
        }
    SetSelectedInstallType(selected);
}

void TInstall::StartMode() {
    if (Designing()) return;
    FMode = SelectRunMode(Arguments);
    Log(std::string("Mode: ") + (FMode == TRunMode::Build         ? "build"
                                 : FMode == TRunMode::ToDisk      ? "floppy set"
                                 : FMode == TRunMode::AfterBoot   ? "continuation"
                                 : FMode == TRunMode::SelfExtract ? "self-extract"
                                                                  : "normal"));
    switch (FMode) {
    case TRunMode::Build: BuildMode(); return;
    case TRunMode::ToDisk: WriteDiskSet(); return;
    case TRunMode::AfterBoot: ContinueAfterReboot(); return;
    case TRunMode::SelfExtract: FSelfExtract = true; break;
    case TRunMode::Normal: break;
    }
    if (FMainForm) {
        FPreviousActivate = FMainForm->OnActivate;
        FMainForm->OnActivate = [this](TComponent* Sender) { FirstActivation(Sender); };
    }
}

void TInstall::FirstActivation(TComponent* Sender) {
    if (FStarted) return;
    if (FPreviousActivate) FPreviousActivate(Owner());
    FStarted = true;
    if (AutoMaximizeWindow && FMainForm) {
        FMainForm->SetWindowState(wsMaximized);
        FMainForm->Repaint();
    }
    if (!RunAutomatic) return;
    if (FMainForm && FPreviousActivate && !(Owner() && Owner()->Destroying()))
        FMainForm->OnActivate = FPreviousActivate;
    Process();
}

void TInstall::ReadLoaderArguments() {
    if (!FUseLoadingProgram) {
        FLoadingDirectory = RemoveBackSlash(ExtractFileDir(Application.ExeName()));
        return;
    }
    int first = 1;
    if (FSelfExtract) {
        if (Arguments.size() < 2)
            RaiseFmt("Cannot read the name of the loading program. It was not passed from the loading program");
        FArchiveFile = "\\" + Arguments[1];
        first = 3;
    }
    FLoadingDirectory = JoinLoaderArguments(Arguments, first);
}

// -------------------------------------------------------------- the run

void TInstall::Process() {
    FUnfinishedCount = 0;
    FRunning = true;
    Log("Run started");
    if (IsVerbose()) Log("The run starts " + IntToStr(ProcessAgeMs()) + " ms after the process");
    ReadLoaderArguments();
    ApplyRunOptions();
    ClearUnfinishedList();
    if (OnBeforeReadArchiveInfo) OnBeforeReadArchiveInfo(this);
    Broadcast(ev::eccBeforeReadArchiveInfo);
    if (!FMainForm) RaiseFmt("The MainForm for this application is NIL. You must have a MainForm");
    {
        TCursorGuard hourglass(crHourGlass);
        TVtrlCompress& archive = VtrlCompress();
        TPhaseTimer timer("reading the archive directory");
        archive.Offset = FSelfExtract ? ReadExtractionInfo(ExpandArchiveFile()).FilesStart : 0;
        ReadArchiveInfo();
    }
    if (OnAfterReadArchiveInfo) OnAfterReadArchiveInfo(this);
    Broadcast(ev::eccAfterReadArchiveInfo);
    if (OnStartInstall) OnStartInstall(this);
    for (TEventName page : {ev::eccStartingUp, ev::eccLanguageDialog, ev::eccWelcomeDialog, ev::eccLicenseAgreement,
                            ev::eccReadmeDialog, ev::eccBeginningDialogManager})
        Broadcast(page);
    // What the response file says of the forms still to come is checked
    // now: a line it cannot follow stops the run before anything is
    // installed.
    CheckResponseFileForms();
    {
        TPhaseTimer timer("the install pass");
        TRecordAppendScope record;
        TFileContainer::Process();
    }
    if (IsVerbose()) {
        const TVtrlCompress::TAheadCounts ahead = VtrlCompress().InflatedAheadCounts();
        Log("Members inflated ahead: " + IntToStr(ahead.Hits) + ", by the extraction: " + IntToStr(ahead.Misses));
    }
    WriteProgramListValues();
    if (FUnfinishedCount > 0) RegisterContinuation();
    const bool restartWanted = RestartNeeded;
    if (RestartNeeded) Broadcast(ev::ShutDownDialog);
    if (RestartNeeded && OnRebootWindows) OnRebootWindows(this, RestartNeeded);
    if (RestartNeeded && NoRestartRequested()) {
        Log("Windows is not restarted (/NORESTART)");
        RestartNeeded = false;
    }
    if (RestartNeeded) {
        RestartWindows();
        RequestTermination();
    }
    if (restartWanted) {
        // 3010, whether or not Windows was asked to restart: the work ends
        // after the restart. The loading program keeps the temporary
        // directory this program runs from, since the continuation starts
        // it from there.
        Application.ExitCode = 3010;
        RequestTermination();
        Log("Run ended: restart needed");
        return;
    }
    FinishGoodInstall();
    FRunning = false;
    Log("Run ended: installation complete");
}

void TInstall::FinishGoodInstall() {
    if (OnShowGoodInstall) OnShowGoodInstall(this);
    Broadcast(ev::GoodInstallation);
    Broadcast(ev::eccGoodInstallDialogManager);
    // The product is installed and recorded by now: a setup program left
    // behind in a temporary directory is no reason to call it failed.
    try {
        ScheduleSelfDelete();
    } catch (const std::exception& e) {
        const std::string warning =
            "Warning: the setup program could not be scheduled for deletion at restart: " + ExceptionLogText(e);
        Log(warning);
        if (IsSilent()) WriteStdErr(warning);
    }
    CleanupAndTerminate();
}

void TInstall::WriteProgramListValues() {
    TUninstallEXE* uninstall = nullptr;
    for (TInstallContainer* c : TInstallContainer::Registry())
        if (auto* u = As<TUninstallEXE>(c); u && u->Written()) uninstall = u;
    // Without the uninstall program the list has no entry to describe.
    if (!uninstall) return;
    namespace rec = uninstall_record;
    const std::string key = UninstallKeyBase + ProductName();
    const std::string program = uninstall->DestinationPath();
    std::string icon = program;
    if (TInstallShellLink* main = TInstallShellLink::MainExecutableLink()) icon = main->ExpandObjectLocation();
    // The record lists everything but the uninstall program itself.
    const int64_t bytes = RecordedFilesSize(key) + std::max<int64_t>(FileSizeOf(program), 0);
    const int64_t kilobytes = (bytes + 1023) / 1024;
    SYSTEMTIME today;
    GetLocalTime(&today);
    char date[16];
    std::snprintf(date, sizeof(date), "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    RegWriteString(hkLocalMachine, key, rec::DisplayVersion, FInformation.Version());
    RegWriteString(hkLocalMachine, key, rec::Publisher, FInformation.CompanyName());
    RegWriteString(hkLocalMachine, key, rec::InstallLocation, MainInstallDir());
    RegWriteString(hkLocalMachine, key, rec::DisplayIcon, icon);
    RegWriteInteger(hkLocalMachine, key, rec::EstimatedSize, static_cast<int32_t>(std::min<int64_t>(kilobytes, INT32_MAX)));
    RegWriteString(hkLocalMachine, key, rec::QuietUninstallString, UninstallCommandLine(program, "/SILENT " + ProductName()));
    RegWriteInteger(hkLocalMachine, key, rec::NoModify, 1);
    RegWriteInteger(hkLocalMachine, key, rec::NoRepair, 1);
    RegWriteString(hkLocalMachine, key, rec::InstallDate, date);
    Log("Program list entry: " + FInformation.Version() + ", " + IntToStr(kilobytes) + " KB");
}

namespace {
// A version as the log names it; a record or definition may carry none.
std::string VersionText(const std::string& Version) {
    return Trim(Version).empty() ? "(no version)" : Version;
}
}  // namespace

std::string TInstall::InstalledLocation(std::string& Version) {
    Version.clear();
    if (Trim(ProductName()).empty()) return {};
    namespace rec = uninstall_record;
    const std::string key = UninstallKeyBase + ProductName();
    TRegistry reg;
    SelectRootKey(reg, hkLocalMachine);
    std::string location;
    if (!reg.OpenKeyReadOnly(key) || !reg.TryReadString(rec::InstallLocation, location)) return {};
    // The uninstall program and this run would both take a relative path
    // from whatever folder they start in: only a full one is followed.
    if (Trim(location).empty()) {
        Log("The uninstall record of " + ProductName() + " has a blank install location: it is ignored");
        return {};
    }
    if (!IsFullPath(Trim(location))) {
        Log("The uninstall record of " + ProductName() + " names the install location \"" + location +
            "\", which is not a full path: it is ignored");
        return {};
    }
    if (!reg.TryReadString(rec::DisplayVersion, Version)) Version.clear();
    return RemoveBackSlash(Trim(location));
}

void TInstall::ApplyRunOptions() {
    std::string installedVersion;
    const std::string installed = InstalledLocation(installedVersion);
    const std::string over = "Installing " + VersionText(FInformation.Version()) + " over the installed " +
                             VersionText(installedVersion) + " in ";
    if (const std::string& dir = RequestedDirectory(); !dir.empty()) {
        // The path as given, made full: a relative one is taken from the
        // directory the run was started in.
        char full[MAX_PATH];
        const DWORD n = GetFullPathNameA(dir.c_str(), MAX_PATH, full, nullptr);
        if (n == 0 || n >= MAX_PATH) RaiseFmt("The directory %s of /DIR= is not a valid path", dir);
        SetDestDirType(ddAbsolute);
        SetDestDir(RemoveBackSlash(full));
        Log("Main directory from /DIR=: " + ExpandDestDir());
        if (!installed.empty())
            Log(SameText(installed, ExpandDestDir())
                    ? over + installed
                    : "The installed " + VersionText(installedVersion) + " in " + installed +
                          " is left where it is: /DIR= installs " + VersionText(FInformation.Version()) + " into " +
                          ExpandDestDir());
    } else if (!installed.empty()) {
        // Installed already: the new version goes where the old one is,
        // unless the person picks another folder on the page.
        SetDestDirType(ddAbsolute);
        SetDestDir(installed);
        Log(over + installed);
    }
    if (const std::string& name = RequestedLanguage(); !name.empty()) {
        const TVtrlLanguage language = LanguageByName(name);
        if (TTranslator* translator = MainTranslator()) {
            translator->SetTranslateIntoLanguage(language);
            Log("Language from /LANG=: " + TTranslator::DecodeLanguageToString(language));
        } else if (language != ylEnglish) {
            Log("Warning: /LANG=" + name + " is ignored: this setup program has no translations");
        }
    }
}

void TInstall::RequestTermination() { Application.Terminate(); }

void TInstall::HandleException(TComponent* Sender, const std::exception& E) {
    if (!FRunning) {
        ShowError(E);
        if (Application.ExitCode == 0) Application.ExitCode = 1;
        return;
    }
    FRunning = false;
    if (!dynamic_cast<const EAIUserAbort*>(&E)) {
        Log("Run failed: " + ExceptionLogText(E));
        Application.ExitCode = 1;
        ShowBadInstallation();
        ShowError(E);
        // The application stays open for the person who reads the message
        // and closes the window; a silent run has no such person and ends
        // here (the application's handler ends its loop).
        return;
    }
    Log("Run aborted by the user");
    Application.ExitCode = 2;
    UserAbortPath();
}

void TInstall::ShowBadInstallation() {
    if (OnShowBadInstall) OnShowBadInstall(this);
    Broadcast(ev::BadInstallation);
    Broadcast(ev::eccBadInstallDialogManager);
}

void TInstall::CleanupAndTerminate() {
    bool cont = true;
    if (OnCleanup) OnCleanup(this, cont);
    if (cont) DeletePresetupFiles();
    if (RunAutomatic) {
        cont = true;
        if (OnBeforeTerminateApp) OnBeforeTerminateApp(this, cont);
        if (cont) RequestTermination();
    }
}

void TInstall::UserAbortPath() {
    try {
        ShowBadInstallation();
        CleanupAndTerminate();
    } catch (...) {
        if (RunAutomatic) RequestTermination();
    }
}

bool TInstall::ConfirmUserAbort() {
    bool quitOut = true;
    if (OnUserAbort) OnUserAbort(this, quitOut);
    return quitOut;
}

void TInstall::DeletePresetupFiles() {
    if (Designing()) return;
    const std::string own = ExtractFilePath(Application.ExeName());
    for (const std::string& line : FPresetupFiles.Strings) {
        const std::string name = ExtractFileName(line);
        if (!name.empty() && FileDelete(own + name)) Log("Deleted presetup file " + name);
    }
}

void TInstall::ScheduleSelfDelete() {
    if (Designing()) return;
    DeleteAtRestart(Application.ExeName());
    Log("Scheduled the setup program for deletion at restart");
}

}  // namespace vtrl
