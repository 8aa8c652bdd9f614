// TInstallFile: one file of an installation, with its source at build time,
// its archive member, its destination and the overwrite rule.
#pragma once

#include "cmp_TFileContainer.h"
#include "cmp_TVtrlCompress.h"
#include "routines_ObjRepository.h"
#include "routines_WinVersion.h"
#include "types_Installation.h"

namespace vtrl {

class TInstallFile : public TInstallFileBase {
    VTRL_CLASS(TInstallFile)
public:
    explicit TInstallFile(TComponent* AOwner);

    // The source path at build time and the member's key in the archive:
    // IncludeFromDir + "\" + FileName, the backslash added only when the
    // directory lacks one, so that the key written at build time and the key
    // looked up at setup time are the same text.
    std::string SourcePath() const override { return SourceKey(FIncludeFromDir, FFileName); }
    static std::string SourceKey(const std::string& Dir, const std::string& Name);

    void SetContainer(TInstallContainer* Value) override;
    void SetDestDir(const std::string& Value) override;
    void SetDestDirType(TPathSpecifiers Value) override;
    // Installs the file: extraction from the archive into the destination.
    void ProcessHelpers() override;
    void ContinueAfterReboot() override;
    void WriteUninstallInfo(const std::string& Key) override;

    // The OnAborted handler given to the archive component: raises EAIUserAbort.
    virtual void UserAbort(TComponent* Sender);
    // The archive component's OnReplace: the destination exists and the
    // overwrite rule replaces it. Fires OnReplacing and tells the tree. A
    // destination in use (a loaded DLL, a running program) cannot be
    // replaced now: the member is then written beside it under a numbered
    // name (MYLIB.DLL -> MYLIB.1, or the next free number), which Archive's
    // destination name becomes, and put in place at the next restart
    // (WININIT.INI on the Windows 95 family, the delayed move elsewhere, a
    // batch file run at the next logon when the delayed move is refused);
    // RestartNeeded and Deferred are set. A destination not in use is left
    // alone: the extraction replaces it in one step once the new file is
    // complete.
    virtual void ReplaceFile(TVtrlCompress& Archive);
    virtual void SetDestName(const std::string& Value);
    virtual void SetFileName(const std::string& Value);
    virtual void SetFileType(TInstallFileType Value);
    virtual void SetIncludeFromDir(const std::string& Value);
    // Setting a state other than ifsNone runs that operation; afterwards the
    // state is ifsNone again, also when it raised.
    virtual void SetState(TInstallFileState Value);
    virtual void SetRegisterAsActiveX_DLLStyle(bool Value);
    virtual void SetRegisterAsActiveX_EXEStyle(bool Value);
    void CompressFile() override;
    void CopyFile() override;
    // Registers the installed file as an in-process server: OLE initialised
    // for the call, the library loaded, its DllRegisterServer called and the
    // library unloaded again, also after a failure. Raises Exception with
    // the path, the component and the cause.
    virtual void RegisterDLLServer();
    // Starts the installed program with /REGSERVER, hidden, without waiting;
    // raises Exception when it cannot be started.
    virtual void RegisterEXEServer();
    void ReadArchiveInfo() override;
    // Raises EAIIFCouldNotOpenFileImage when the source cannot be opened.
    void ReadSourceInfo() override;
    // True when the source file's version information carries the
    // "OLESelfRegister" mark; false when it cannot be read.
    virtual bool HasSelfRegisterFlag();
    // Adds one to the installed file's count in the system's table of
    // shared files (a missing value, or one that is no number, counts as
    // 0). Raises Exception when the table cannot be opened; false when the
    // count cannot be written.
    virtual bool IncrementSharedDLLCount();
    // Writes the installed help file's name, upper-cased, with its folder
    // under "\SOFTWARE\Microsoft\Windows\Help".
    virtual void RegisterHelpFile();

    // The archive component's OnStatus during the three operations: reports
    // the progress to OnStatus, the own dialog helpers and the container.
    void ReportStatus(const TlzhFileStats& Stats);
    // The archive component's OnNewDisk: asks the handlers for volume Disk
    // and, when none answered, the user; returns the directory in Path.
    // Cancel raises EVCStop, which the archive component turns into
    // UserAbort (EAIUserAbort).
    void AskForDisk(TVtrlCompress* Archive, int Disk, std::string& Path);

    const std::string& DestName() const { return FDestName; }
    const std::string& FileName() const { return FFileName; }
    TInstallFileType FileType() const { return FFileType; }
    const std::string& IncludeFromDir() const { return FIncludeFromDir; }
    TOverwriteType OverwriteMode() const { return FOverwriteMode; }
    void SetOverwriteMode(TOverwriteType v) { FOverwriteMode = v; }
    bool RegisterAsActiveX_DLLStyle() const { return FRegisterAsActiveX_DLLStyle; }
    bool RegisterAsActiveX_EXEStyle() const { return FRegisterAsActiveX_EXEStyle; }
    bool RegisterAsHelp() const { return FRegisterAsHelp; }
    void SetRegisterAsHelp(bool v) { FRegisterAsHelp = v; }
    // The file's entries in the development environments' object
    // repositories; the setter copies Value.
    TRepository& Repository() { return FRepository; }
    const TRepository& Repository() const { return FRepository; }
    virtual void SetRepository(const TRepository& Value);
    TInstallFileState State() const { return FState; }
    bool UpdateDLLCounter() const { return FUpdateDLLCounter; }
    void SetUpdateDLLCounter(bool v) { FUpdateDLLCounter = v; }

    double FileDate() const { return FFileDate; }
    const std::string& VersionText() const { return FVersionText; }
    bool Deferred() const { return FDeferred; }
    // True after an install that put this file at its destination; false
    // when the overwrite rule kept an existing file (which the uninstall
    // record then leaves out).
    bool Written() const { return FWritten; }
    // The name the file gets at its destination: DestName, or FileName
    // while DestName is blank (a definition need not store both).
    const std::string& EffectiveDestName() const { return FDestName.empty() ? FFileName : FDestName; }
    // The absolute destination path: ExpandDestDir + "\" + the destination name.
    std::string DestinationPath();

    TInstallFileNotifyEvent OnAfterCompress, OnAfterCopy, OnAfterInstallFile;
    TInstallFileNotifyEvent OnBeforeCompress, OnBeforeCopy, OnBeforeInstallFile;
    TInstallFileStatusEvent OnStatus;
    TInstallFileNewDiskEvent OnNewDisk;
    TInstallFileNotifyEvent OnReplacing;

protected:
    // Drops the repository entries' references to a file that goes away.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Sets the registration flags from the extension and the file's own
    // "OLESelfRegister" mark.
    void DetectType();
    // Raises EAIIFDuplicateFileInGroup when Container holds another file
    // with the source path Path.
    void CheckDuplicate(TInstallContainer* InContainer, const std::string& Path) const;
    // Raises EAIIFBlankArchiveFile when the expanded archive name is blank.
    std::string CheckedArchiveFile();
    // The expanded destination directory, created with every missing level;
    // raises the plain blank-destination error when it is blank.
    std::string PreparedDestDir();
    // The install pass's work on this file: extraction into its
    // destination and what follows it.
    void InstallFromArchive();
    // Registrations after the file is in place: help, shared-DLL count,
    // repository entry, servers (or the note for the continuation run).
    void RegisterInstalledFile();
    // The Windows platform class the replacement follows (tests choose one).
    virtual TWindowsPlatform PlatformClass() const;
    // Asks the system to move Temporary onto Target at the next restart;
    // false when it refuses, with the cause in GetLastOSError (tests
    // refuse).
    virtual bool MoveAtRestart(const std::string& Temporary, const std::string& Target);
    // The fallback when the delayed move is refused: a batch file that
    // erases ShortTarget and moves Temporary there, started by a link in the
    // start-up group at the next logon; both are recorded for removal by the
    // continuation run.
    void ReplaceByBatchFile(IInstallation& Install, const std::string& Temporary, const std::string& ShortTarget);
    // The installed file's full path for its registration; raises Exception
    // when it is blank or the file does not exist.
    std::string ServerPath();
    // Counts the installed file in the shared-file table, unless the
    // product's record lists it with a count already (an install over the
    // installed product); raises EAIIFCannotUpdateDLLCountInRegistry when
    // the count cannot be written.
    void CountSharedFile();
    // Writes the file's repository entries (Delphi2, Delphi3, CBuilder).
    virtual void InstallRepositoryEntry();

    TRepository FRepository{this};
    std::string FDestName;
    std::string FFileName;
    TInstallFileType FFileType = iftNormal;
    std::string FIncludeFromDir;
    TOverwriteType FOverwriteMode = owAlways;
    bool FRegisterAsActiveX_DLLStyle = false;
    bool FRegisterAsActiveX_EXEStyle = false;
    bool FRegisterAsHelp = false;
    TInstallFileState FState = ifsNone;
    bool FUpdateDLLCounter = false;

    double FFileDate = 0;
    std::string FVersionText;
    bool FDeferred = false;
    bool FWritten = false;
};

}  // namespace vtrl
