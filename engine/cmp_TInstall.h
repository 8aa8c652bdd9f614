// TInstall: the root of an installation definition. It chooses the run mode
// from the command line, starts the run on the main form's first activation,
// and runs the install sequence with its good and bad ends.
#pragma once

#include <memory>

#include "cmp_TFileContainer.h"
#include "types_Installation.h"
#include "cmp_TInstallInformation.h"

namespace vtrl {

class TForm;
class TInstall;

using TCleanupEvent = TEvent<TInstall*, bool&>;
using TRebootWindowsEvent = TEvent<TInstall*, bool&>;
using TUserAbortEvent = TEvent<TInstall*, bool&>;

// The run mode the first command-line argument selects.
enum class TRunMode { Normal, SelfExtract, Build, ToDisk, AfterBoot };

// Reads the mode word: a star and "BUILD", "TODISK", "ABOOT" or
// "SELFEXTRACT" (case ignored); anything else, a star alone included, is
// the normal mode.
TRunMode SelectRunMode(const std::vector<std::string>& Args);

// The source directory the loading program passed: Args from First
// (1-based) to the end, joined with single blanks (a directory with blanks
// arrives split). Raises Exception when Args has fewer than First items.
std::string JoinLoaderArguments(const std::vector<std::string>& Args, int First);

class TInstall : public TFileContainer, public IInstallation {
    VTRL_CLASS(TInstall)
public:
    // Raises EAITwoInstallComponents when a TInstall exists, and Exception
    // when Owner is neither a form nor a data module.
    explicit TInstall(TComponent* AOwner);
    ~TInstall() override;

    void Loaded() override;
    // The TInstall's destination is the main install directory, so it can
    // never be anchored at the main install directory: ddMainInstallDir is
    // refused at once, also while a definition loads (the reader then names
    // the definition's line and column).
    void SetDestDirType(TPathSpecifiers Value) override;
    // The mode selection that follows loading: runs the build, floppy or
    // continuation mode, or hooks the main form's first activation.
    void StartMode();
    // The run.
    void Process() override;
    // The continuation run after a restart ("*ABOOT"): reads and deletes
    // the unfinished-install list, does its work (continues components,
    // deletes files and start-up items), then ends as a finished run does.
    // Raises Exception for an entry whose kind is not a number; the rest
    // of the list is then left undone.
    void ContinueAfterReboot() override;

    virtual void SetPresetupFiles(TStringList& Value);
    virtual void SetUseLoadingProgram(bool Value);
    // Builds the distribution of the program ExeName into BuildDir: "files.1",
    // "setup.1" and "setup.exe" (with SelfExtract, the loading program
    // followed by both archives and the trailer, which carries Title).
    virtual void BuildDistribution(const std::string& ExeName, const std::string& BuildDir, bool SelfExtract,
                                   const std::string& Title);
    // Makes the start-up link "VantrelAddLink" that starts this program with
    // "*ABOOT" at the next logon (AddStartupLink), so that the continuation
    // run finishes what waits for the restart; a silent run passes /SILENT
    // on, and a logged run its /LOG= file.
    virtual void RegisterContinuation();
    // The application-wide handler of unhandled exceptions.
    virtual void HandleException(TComponent* Sender, const std::exception& E);
    virtual void DeletePresetupFiles();
    // List := the unfinished-install list, one "name;kind" line per entry
    // in the registry's order; empty when there is none.
    virtual void ReadUnfinishedList(TStringList& List);
    // Marks the setup program for deletion at the next restart; raises
    // Exception when the system refuses (the run then only logs a warning).
    virtual void ScheduleSelfDelete();
    virtual void ReadLoaderArguments();
    // What the build checks before it writes anything: every file of the
    // tree must have a source, a key of at most 100 characters that no other
    // file of the archive has, an archive that resolves at install time to
    // the archive the build writes (in the self-extracting layout too when
    // SelfExtract), and a destination that resolves. Raises Exception
    // listing every problem found, one per line; the TInstall is left as it
    // was. Components that are not in the tree are logged as warnings.
    virtual void CheckBuildDefinition(bool SelfExtract);
    // The writing part of BuildDistribution, into the existing directory Dir.
    virtual void WriteDistribution(const std::string& ExeName, const std::string& Dir, bool SelfExtract,
                                   const std::string& Title);
    // Builds BuildDir\"setup.1": the program ExeName, which
    // CheckSetupExecutable has accepted, and the PresetupFiles.
    virtual void BuildSetupExecutable(const std::string& BuildDir, const std::string& ExeName);
    void CheckSetupExecutable(const std::string& ExeName) const;
    // The sources of "setup.1" in their order: ExeName, then the
    // PresetupFiles (one without a directory lies beside ExeName).
    std::vector<std::string> SetupArchiveSources(const std::string& ExeName) const;
    // After the install pass, when it installed the uninstall program: the
    // values of the uninstall record that Windows' list of installed
    // programs and package tools read besides "DisplayName" and
    // "UninstallString" (version, publisher, location, icon, measured size,
    // the silent removal's command line, removal only, install date).
    // Raises EIRCannotWriteValue when a value cannot be written.
    virtual void WriteProgramListValues();
    // The run options that change the definition's choices: /DIR= sets the
    // main destination (DestDirType ddAbsolute), /LANG= the translator's
    // language. Without /DIR= a product installed already (InstalledLocation)
    // is installed over, in its folder; the log names both versions. Raises
    // Exception for a path that cannot be made full and for an unknown
    // language.
    virtual void ApplyRunOptions();
    // The folder this product is installed in: the "InstallLocation" of its
    // uninstall record, without a trailing backslash; Version receives the
    // record's "DisplayVersion" ("" when it has none). Empty without a
    // product name, a record or the value; a value that is blank or not a
    // full path is empty too, and logged. Reads only.
    virtual std::string InstalledLocation(std::string& Version);
    // True when the user's abort should go ahead (OnUserAbort may veto).
    bool ConfirmUserAbort() override;
    // The unfinished-install list's key under HKEY_LOCAL_MACHINE.
    virtual std::string UnfinishedListKey() const;
    // Deletes the unfinished-install list (a missing list is no error).
    virtual void ClearUnfinishedList();
    // Writes the entry as a value of the list's key and counts it; raises
    // EIRCannotWriteValue when it cannot.
    void AddUnfinishedEntry(const std::string& Name, TUnfinishedKind Kind) override;
    void AddStartupLink(const std::string& Name, const std::string& Target, const std::string& Parameters) override;

    // Asks Windows to restart (on NT with the shutdown privilege enabled);
    // where it cannot, or it refuses, tells the user to restart.
    virtual void RestartWindows();
    // The build mode ("*BUILD"): builds into the directory that "BUILD.INF"
    // beside the program names. Reports failures itself, sets
    // Application.ExitCode and ends the application.
    virtual void BuildMode();
    // The floppy-set mode ("*TODISK"): writes the self-extracting setup named
    // by the arguments to drive A: as "setup.exe", "setup.1" and a disk set.
    // Reports failures itself, sets Application.ExitCode and ends the
    // application.
    virtual void WriteDiskSet();

    TInstallInformation* Information() { return &FInformation; }
    const TInstallInformation* Information() const { return &FInformation; }
    const TStringList& PresetupFiles() const { return FPresetupFiles; }
    bool UseLoadingProgram() const { return FUseLoadingProgram; }
    bool AutoMaximizeWindow = true;
    bool RunAutomatic = true;
    bool Started() const { return FStarted; }
    bool Running() const { return FRunning; }
    bool SelfExtractMode() const { return FSelfExtract; }
    TForm* MainForm() const { return FMainForm; }
    const std::string& LoadingDirectory() const override { return FLoadingDirectory; }
    void SetLoadingDirectory(const std::string& v) { FLoadingDirectory = v; }
    // What the components ask of the running installation.
    TInstallContainer& InstallRoot() override { return *this; }
    std::string MainInstallDir() override { return ExpandDestDir(); }
    std::string ProductName() const override { return FInformation.ProductName(); }
    std::string CompanyName() const override { return FInformation.CompanyName(); }
    std::string ProductVersion() const override { return FInformation.Version(); }
    int32_t UnfinishedCount() const { return FUnfinishedCount; }
    TRunMode Mode() const { return FMode; }

    TNotifyEvent OnAfterReadArchiveInfo;
    TNotifyEvent OnBeforeReadArchiveInfo;
    TCleanupEvent OnCleanup;
    TRebootWindowsEvent OnRebootWindows;
    TUserAbortEvent OnUserAbort;
    TUserAbortEvent OnBeforeTerminateApp;
    TNotifyEvent OnShowBadInstall;
    TNotifyEvent OnShowGoodInstall;
    TNotifyEvent OnStartInstall;

    // The author's command that signs the programs a build makes (the
    // SignCommand of "BUILD.INF"); blank: they are not signed.
    std::string SignCommand;

    // The command-line arguments the mode selection reads (ParamStr 1..n
    // after the run options); tests replace them.
    std::vector<std::string> Arguments;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The main form's first activation: starts the run.
    void FirstActivation(TComponent* Sender);
    // Ends the run as a bad installation after a user abort.
    void UserAbortPath();
    // The good end of a run (and of the continuation): OnShowGoodInstall,
    // the completion broadcasts, the setup program's deletion at restart
    // (only a warning when refused), clean-up and termination.
    void FinishGoodInstall();
    // OnShowBadInstall and the bad-installation broadcasts.
    void ShowBadInstallation();
    // OnCleanup (which may keep the presetup files), then, when the run
    // ends the program, OnBeforeTerminateApp (which may keep it running).
    void CleanupAndTerminate();
    void RequestTermination();

    bool FStarted = false;
    bool FRunning = false;
    TNotifyEvent FPreviousActivate;
    int32_t FUnfinishedCount = 0;
    bool FSelfExtract = false;
    TForm* FMainForm = nullptr;
    std::string FLoadingDirectory;
    TInstallInformation FInformation;
    TStringList FPresetupFiles;
    bool FUseLoadingProgram = true;
    TRunMode FMode = TRunMode::Normal;
};

// The single TInstall of the process, or null.
TInstall* GlobalInstall();

}  // namespace vtrl
