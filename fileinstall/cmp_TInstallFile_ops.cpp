// TInstallFile: the work on one file (read its archive entry or source,
// compress, install, copy) through the shared archive component, with the
// progress and disk-change reports that travel up the tree.
#include "cmp_TInstallFile.h"

#include <windows.h>
#include <ole2.h>

#include "Controls.h"
#include "Dialogs.h"
#include "FileShim.h"
#include "Unattended.h"
#include "cmp_TVersion.h"
#include "routines_ExpandPaths.h"
#include "routines_Registry.h"
#include "routines_RestartFiles.h"
#include "routines_SysError.h"
#include "routines_UninstallRecord.h"
#include "types_InstallEvents.h"
#include "types_Installation.h"

namespace vtrl {

namespace {

int32_t Clamp32(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v); }

// Puts a file's handlers on the shared archive component for one operation
// and takes them off when it ends. The handlers point at the file; left on
// the shared component they would outlive a file that is destroyed before
// the next operation sets its own.
class THandlerScope {
public:
    THandlerScope(TVtrlCompress& Archive, TInstallFile& File, bool WithDisk, bool WithReplace) : A(Archive) {
        A.OnAborted = [&File](TComponent* Sender) { File.UserAbort(Sender); };
        A.OnStatus = [&File](TVtrlCompress*, const TlzhFileStats& Stats) { File.ReportStatus(Stats); };
        if (WithDisk)
            A.OnNewDisk = [&File](TVtrlCompress* C, int Disk, std::string& Path) { File.AskForDisk(C, Disk, Path); };
        if (WithReplace)
            A.OnReplace = [&File](TVtrlCompress* C, const TlzhFileStats&) { File.ReplaceFile(*C); };
    }
    ~THandlerScope() {
        A.OnAborted.Clear();
        A.OnStatus.Clear();
        A.OnNewDisk.Clear();
        A.OnReplace.Clear();
    }
    THandlerScope(const THandlerScope&) = delete;
    THandlerScope& operator=(const THandlerScope&) = delete;

private:
    TVtrlCompress& A;
};

// Sets FilesToProcess to the one member key of a file.
void ProcessOnly(TVtrlCompress& Archive, const std::string& Key) {
    TStringList lines{Key};
    Archive.SetFilesToProcess(lines);
}

}  // namespace

// ------------------------------------------------------ reading the facts

void TInstallFile::ReadArchiveInfo() {
    const std::string archive = CheckedArchiveFile();
    TVtrlCompress& a = VtrlCompress();
    a.SetCompressedFile(archive);
    const int index = a.IndexOfFile(SourcePath());
    if (index < 0) return;
    const TFileHeader& entry = a.Directory().Get(index);
    FArchivedSize = entry.CompressedSize;
    FFileDate = entry.FileDate;
    FUnpackedSize = entry.UncompressedSize;
    FVersionText = entry.VersionText;
}

void TInstallFile::ReadSourceInfo() {
    const std::string path = SourcePath();
    TFileHandleOwner source(FileOpenRead(path));
    if (!source.Valid()) throw EAIIFCouldNotOpenFileImage(path);
    const int32_t dos = FileGetDate(source.Get());
    const int64_t size = FileSize(source.Get());
    source.Close();
    FFileDate = dos == -1 ? 0 : DosDateTimeToDateTime(dos);
    FUnpackedSize = Clamp32(size < 0 ? 0 : size);
    FVersionText = TVersionResource::FileVersionOf(path);
}

bool TInstallFile::HasSelfRegisterFlag() { return TVersionResource::HasVersionString(SourcePath(), "OLESelfRegister"); }

// ---------------------------------------------------------------- install

std::string TInstallFile::PreparedDestDir() {
    TPhaseTimer timer("destination folders");
    const std::string dir = ExpandDestDir();
    if (Trim(dir).empty())
        RaiseFmt("The GetDestDir returned a blank value for the TInstallFile %s. You need to set either the DestDir "
                 "property or the DestDirType property or both",
                 Name());
    // A folder that did not resolve to a full path would put the file in
    // whatever folder setup runs from, where the user's own file of that
    // name may lie (and the uninstall would later take it for ours).
    if (!IsFullPath(dir))
        RaiseFmt("The destination %s of the TInstallFile %s is not a full path: its DestDirType or DestDir did not "
                 "resolve to a folder",
                 dir, Name());
    if (!ForceDirectoriesOnce(dir))
        throw Exception(TranslatedFmt("Cannot create the directory %s", dir) + ": " +
                        Win32ErrorMsg("CreateDirectory", GetLastOSError()));
    return dir;
}

void TInstallFile::ProcessHelpers() {
    FState = ifsInstall;
    FDeferred = false;
    FWritten = false;
    RunFilePass(*this, [&] { InstallFromArchive(); }, [&] {
        FState = ifsNone;
        // Within its container's install pass the archive stays open for
        // the next file; the pass closes it. Installed on its own, the file
        // closes it.
        auto* container = As<TFileContainer>(FContainer);
        if (!container || container->State() != fcsInstall) VtrlCompress().CloseArchive();
    }, {}, false, false);
}

void TInstallFile::InstallFromArchive() {
    SendUp(ev::eieBeforeInstallFile, this);
    if (OnBeforeInstallFile) OnBeforeInstallFile(this);
    const std::string destDir = PreparedDestDir();
    const std::string archive = CheckedArchiveFile();
    TVtrlCompress& a = VtrlCompress();
    {
        THandlerScope handlers(a, *this, true, true);
        a.SetCompressedFile(archive);
        a.ExtractDirectory = destDir;
        a.DestinationName = EffectiveDestName();
        a.Overwrite = FOverwriteMode;
        ProcessOnly(a, SourcePath());
        TPhaseTimer timer("extracting");
        a.ExtractFiles();
    }
    FWritten = a.FilesWritten() > 0;
    if (FWritten && FDeferred)
        Log("Installed " + AddBackSlash(destDir) + EffectiveDestName() + " for the next restart");
    else if (FWritten)
        Log("Installed " + AddBackSlash(destDir) + EffectiveDestName());
    else
        Log("Kept the existing " + AddBackSlash(destDir) + EffectiveDestName() + " (overwrite rule)");
    RegisterInstalledFile();
    if (OnAfterInstallFile) OnAfterInstallFile(this);
    SendUp(ev::eieAfterInstallFile, this);
    TFileRelated::ProcessHelpers();
}

void TInstallFile::RegisterInstalledFile() {
    if (FRegisterAsHelp) RegisterHelpFile();
    if (FUpdateDLLCounter) CountSharedFile();
    InstallRepositoryEntry();
    IInstallation* install = Installation();
    if (FDeferred && install) {
        // The server is registered by the continuation run after the restart.
        install->AddUnfinishedEntry(Name(), ukComponent);
        return;
    }
    if (FRegisterAsActiveX_DLLStyle) RegisterDLLServer();
    if (FRegisterAsActiveX_EXEStyle) RegisterEXEServer();
}

// ----------------------------------------------------- the two handlers

void TInstallFile::ReportStatus(const TlzhFileStats& Stats) {
    TFileStatusParameter status;
    status.BytesDone = Stats.BytesDone;
    status.FilePercentDone = Stats.Percent;
    status.FileName = FFileName;
    status.FileStats = Stats;
    status.TotalBytesDone = Clamp32(Stats.TotalDone);
    status.TotalPercentDone = Stats.TotalPercent;
    if (OnStatus) OnStatus(this, Stats.Percent, Stats.TotalPercent);
    Broadcast(ev::CopyingFile, &status);
    if (FState == ifsNone) return;
    TParameterList list{this, &status};
    SendUp(FState == ifsCompress  ? ev::eieCompressingFile
           : FState == ifsInstall ? ev::eieInstallingFile
                                  : ev::eieCopyingFile,
           &list);
}

void TInstallFile::AskForDisk(TVtrlCompress* Archive, int Disk, std::string& Path) {
    Tag = 0;
    TDiskParameter disk;
    disk.NewDisk = Disk;
    disk.Path = RemoveBackSlash(ExtractFileDir(ExpandArchiveFile()));
    if (OnNewDisk) {
        std::string path = disk.Path;
        OnNewDisk(this, Disk, path);
        disk.Path = path;
    }
    TParameterList list{this, &disk};
    Broadcast(ev::ChangeDisk, &list);
    SendUp(ev::eieChangeDisk, &list);
    if (!OnNewDisk && Tag == 0) {
        // Cancel is the default, so that a silent run without the disk ends
        // as the user's abort instead of waiting for a disk nobody inserts.
        const int answer =
            MessageDlg(TranslatedFmt("Please insert disk #%d", Disk), mtConfirmation, {mbOK, mbCancel}, mrCancel);
        if (answer != mrOk && IsSilent()) {
            // Nobody cancelled: the volume is simply not there, which is a
            // failure of the installation, not the user's abort.
            Tag = 0;
            Exception e(TranslateMessageText("Could not open the correct disk file ") + IntToStr(Disk));
            e.Detail = Archive->VolumeName(Disk) + " does not exist, and a silent run cannot ask for the disk";
            throw e;
        }
        Archive->Abort = answer != mrOk;
        if (Archive->Abort) {
            // Raised here rather than left to the next progress step: the
            // archive component asks again for a missing volume before any
            // progress step, and would end in its own "could not open" error.
            Tag = 0;
            throw EVCStop();
        }
    }
    Path = RemoveBackSlash(disk.Path);
    Tag = 0;
}

// ---------------------------------------------------- compress and copy

// A file that is not included is left out of both passes quietly (the
// silent abort).
void TInstallFile::CompressFile() {
    FState = ifsCompress;
    RunFilePass(
        *this,
        [&] {
            if (OnBeforeCompress) OnBeforeCompress(this);
            SendUp(ev::eieBeforeCompressFile, this);
            const std::string archive = CheckedArchiveFile();
            if (!FInclude) Abort();
            const std::string dir = ExtractFileDir(archive);
            if (!dir.empty() && !ForceDirectories(dir))
                throw Exception(TranslatedFmt("Cannot create the directory %s", dir) + ": " +
                                Win32ErrorMsg("CreateDirectory", GetLastOSError()));
            {
                TVtrlCompress& a = VtrlCompress();
                THandlerScope handlers(a, *this, false, false);
                a.SetCompressedFile(archive);
                ProcessOnly(a, SourcePath());
                TPhaseTimer timer("adding to the archive");
                a.CompressFiles(FAddToArchive == lzcOnlyAdd);
            }
            if (OnAfterCompress) OnAfterCompress(this);
            SendUp(ev::eieAfterCompressFile, this);
        },
        [&] { FState = ifsNone; }, {}, true);
}

void TInstallFile::CopyFile() {
    FState = ifsCopying;
    RunFilePass(
        *this,
        [&] {
            if (OnBeforeCopy) OnBeforeCopy(this);
            SendUp(ev::eieBeforeCopyFile, this);
            if (!FInclude) Abort();
            const std::string destDir = PreparedDestDir();
            {
                // Overwrite stays as the last operation left it.
                TVtrlCompress& a = VtrlCompress();
                THandlerScope handlers(a, *this, false, true);
                a.CopyPlainFile(SourcePath(), AddBackSlash(destDir) + EffectiveDestName());
            }
            if (OnAfterCopy) OnAfterCopy(this);
            SendUp(ev::eieAfterCopyFile, this);
        },
        [&] { FState = ifsNone; }, {}, true);
}

// ----------------------------------------------------------- files in use

namespace {

// The first of Name with the extension ".1", ".2", ... that names nothing
// in Dir yet.
std::string FreeNumberedName(const std::string& Dir, const std::string& Name) {
    for (int n = 1;; ++n) {
        const std::string candidate = ChangeFileExt(Name, "." + IntToStr(n));
        const std::string path = AddBackSlash(Dir) + candidate;
        if (!FileExists(path) && !DirectoryExists(path)) return candidate;
    }
}

// Writes Lines into a unique, new "bat*.bat" file in the temporary
// directory and returns its name. The system's unique name is taken as a
// .tmp file; the batch file needs its own extension, so the name is tried
// with ".bat" and the .tmp placeholder goes again either way.
std::string WriteNewBatchFile(const std::string& Lines) {
    const std::string failure = TranslateMessageText("Cannot create temporary file in OnReplace");
    const std::string dir = GetTempDirectory();
    if (dir.empty()) throw Exception(failure);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name = CreateTempFileName(dir, "bat");
        if (name.empty()) throw Exception(failure + ": " + Win32ErrorMsg("GetTempFileName", GetLastOSError()));
        const std::string batch = ChangeFileExt(name, ".bat");
        HANDLE h = CreateFileA(batch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD err = GetLastError();
        DeleteFileA(name.c_str());
        if (h == INVALID_HANDLE_VALUE) {
            if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS)
                throw Exception(failure + ": " + Win32ErrorMsg("CreateFile", err));
            continue;
        }
        DWORD written = 0;
        const bool ok = WriteFile(h, Lines.data(), static_cast<DWORD>(Lines.size()), &written, nullptr) &&
                        written == Lines.size();
        const int writeError = GetLastOSError();
        CloseHandle(h);
        if (ok) return batch;
        DeleteFileA(batch.c_str());
        throw Exception(TranslatedFmt("Cannot write the file %s", batch) + ": " + SysErrorMessage(writeError));
    }
    throw Exception(failure);
}

}  // namespace

TWindowsPlatform TInstallFile::PlatformClass() const { return GetWindowsPlatform(); }

bool TInstallFile::MoveAtRestart(const std::string& Temporary, const std::string& Target) {
    return TryMoveFileAtRestart(Temporary, Target);
}

void TInstallFile::ReplaceFile(TVtrlCompress& Archive) {
    if (OnReplacing) OnReplacing(this);
    Broadcast(ev::ReplacingFile, this);
    SendUp(ev::eieReplaceInstallFile, this);
    const std::string dir = RemoveBackSlash(Archive.ExtractDirectory);
    const std::string target = AddBackSlash(dir) + ExtractFileName(Archive.DestinationName);
    // A file nobody holds stays until its replacement is complete: the
    // extraction puts the new file in its place in one step, so a failed
    // or cancelled extraction leaves the old file as it was.
    if (!FileInUse(target)) return;
    FDeferred = true;
    const std::string shortTarget = GetShortPath(target);
    // The Windows 95 family reads WININIT.INI before long names exist: the
    // new file's name must be a short one itself, so it is made from the
    // target's short name (LONGNA~1.DLL gives LONGNA~1.1).
    const bool wininit = PlatformClass() == wpWindows95;
    const std::string temporaryName =
        FreeNumberedName(dir, ExtractFileName(wininit ? shortTarget : Archive.DestinationName));
    const std::string temporary = AddBackSlash(dir) + temporaryName;
    Archive.DestinationName = temporaryName;
    Log(target + " is in use: the new file is written as " + temporaryName + " and replaces it at the next restart");
    RestartNeeded = true;
    if (wininit) {
        // ... and its directory by the short path too.
        WininitRename(shortTarget, AddBackSlash(GetShortPath(dir)) + temporaryName);
        return;
    }
    if (MoveAtRestart(temporary, target)) return;
    const int refused = GetLastOSError();
    IInstallation* install = Installation();
    Log("The system refused to replace " + target + " at restart (" + Win32ErrorMsg("MoveFileEx", refused) + ")" +
        (install ? ": a batch file at the next logon will" : ": it stays as " + temporaryName));
    if (install) ReplaceByBatchFile(*install, temporary, shortTarget);
}

void TInstallFile::ReplaceByBatchFile(IInstallation& Install, const std::string& Temporary,
                                      const std::string& ShortTarget) {
    // Both paths quoted: the new file's directory may hold blanks.
    const std::string batch = WriteNewBatchFile("erase \"" + ShortTarget + "\"\r\nmove \"" + Temporary + "\" \"" +
                                                ShortTarget + "\"\r\n");
    Install.AddUnfinishedEntry(batch, ukFile);
    Install.AddStartupLink("VantrelBatLink", batch, "");
    Log("Wrote " + batch + " to replace " + ShortTarget + " at the next logon");
}

// ------------------------------------------------------ uninstall record

namespace {
// Where help files are registered: a value named by the file, holding its
// folder.
const char* const HelpKey = "\\SOFTWARE\\Microsoft\\Windows\\Help";
std::string HelpValueName(const TInstallFile& File) { return UpperCase(File.EffectiveDestName()); }
}  // namespace

void TInstallFile::WriteUninstallInfo(const std::string& Key) {
    // A file the overwrite rule left in place belongs to whoever put it
    // there: removing the product must not delete it.
    if (!FWritten) return;
    const std::string path = DestinationPath();
    if (FRegisterAsActiveX_DLLStyle || FRegisterAsActiveX_EXEStyle)
        AppendActiveXEntry(Key, path, FRegisterAsActiveX_EXEStyle);
    else
        AppendFilesEntry(Key, path);
    // The help registration goes with the file: the removal deletes the
    // value (and the key, when nothing else is left in it).
    if (FRegisterAsHelp)
        RegWriteString(hkLocalMachine, RegistryKeysEntry(Key, HelpKey, hkLocalMachine) + "\\Entries", HelpValueName(*this),
                       RemoveBackSlash(ExpandDestDir()));
}

// ------------------------------------------------------ registration

namespace {

const char* const SharedDLLsKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// OLE for the calling thread while it lives.
class TOleScope {
public:
    TOleScope() : FResult(OleInitialize(nullptr)) {}
    ~TOleScope() {
        if (SUCCEEDED(FResult)) OleUninitialize();
    }
    TOleScope(const TOleScope&) = delete;
    TOleScope& operator=(const TOleScope&) = delete;

private:
    HRESULT FResult;
};

// A library loaded while it lives.
class TLibraryScope {
public:
    explicit TLibraryScope(const std::string& Path) : FModule(LoadLibraryA(Path.c_str())) {}
    ~TLibraryScope() {
        if (FModule) FreeLibrary(FModule);
    }
    TLibraryScope(const TLibraryScope&) = delete;
    TLibraryScope& operator=(const TLibraryScope&) = delete;
    HMODULE Get() const { return FModule; }

private:
    HMODULE FModule;
};

}  // namespace

// The installed file as a server to register: its full path, which must
// exist.
std::string TInstallFile::ServerPath() {
    const std::string dir = ExpandDestDir();
    if (Trim(dir + EffectiveDestName()).empty())
        RaiseFmt("Cannot not get support information for the file because the GetDestDir + DestName is blank. File "
                 "component: %s",
                 Name());
    const std::string path = AddBackSlash(dir) + EffectiveDestName();
    if (!FileExists(path)) RaiseFmt("Cannot not get support information for the file %s. File component: %s", path, Name());
    return path;
}

void TInstallFile::RegisterDLLServer() {
    const std::string path = ServerPath();
    TOleScope ole;
    TLibraryScope library(path);
    if (!library.Get())
        RaiseFmt("Could not register the ActiveX component, %s, because the LoadLibrary(%s) procedure returned a value "
                 "of 0. The file component is %s. The following value is the value of the GetLastError function: %d",
                 path, path, Name(), static_cast<int>(GetLastError()));
    using TRegisterServer = HRESULT(WINAPI*)();
    auto registerServer =
        reinterpret_cast<TRegisterServer>(reinterpret_cast<void*>(GetProcAddress(library.Get(), "DllRegisterServer")));
    if (!registerServer)
        RaiseFmt("Could not register the ActiveX component, %s, because the DllRegisterServer function could not be "
                 "found. The file component is %s. The following value is the value of the GetLastError function: %d",
                 path, Name(), static_cast<int>(GetLastError()));
    const HRESULT result = registerServer();
    if (result != 0)
        RaiseFmt("Could not register the ActiveX component, %s, because the DllRegisterServer function returned a value "
                 "of %d. The file component is %s.",
                 path, static_cast<int>(result), Name());
    Log("Registered the server " + path);
}

void TInstallFile::RegisterEXEServer() {
    const std::string path = ServerPath();
    // Quoted: a folder with blanks ("C:\Program Files\...") would
    // otherwise start whatever program its first word names.
    const std::string command = "\"" + path + "\" /REGSERVER";
    const UINT started = WinExec(command.c_str(), SW_HIDE);
    if (started < 32)
        RaiseFmt("Could not register the ActiveX component, %s, because the WinExec(%s,SW_HIDE) function returned a value "
                 "< 32. The file component is %s. The following value is the value of the GetLastError function: %d",
                 path, command, Name(), static_cast<int>(GetLastError()));
    Log("Started " + command);
}

bool TInstallFile::IncrementSharedDLLCount() {
    TRegistry reg;
    SelectRootKey(reg, hkLocalMachine);
    if (!reg.OpenKey(SharedDLLsKey, true))
        RaiseFmt("Could not open the key SharedDLLs key in the registry. File component %s. GetLastError return: %d",
                 Name(), static_cast<int>(GetLastError()));
    const std::string path = DestinationPath();
    int32_t count = 0;
    if (!reg.TryReadInteger(path, count)) count = 0;
    try {
        reg.WriteInteger(path, count + 1);
    } catch (const Exception&) {
        return false;
    }
    Log("Shared file " + path + ": count " + IntToStr(count + 1));
    return true;
}

// A product installed again over itself holds its reference to the file
// already: counting it again would leave the file behind for good when the
// product is removed, which takes one count away. A count that is gone is
// made again.
void TInstallFile::CountSharedFile() {
    IInstallation* install = Installation();
    const std::string path = DestinationPath();
    if (install && !Trim(install->ProductName()).empty() &&
        RecordListsPath(UninstallKeyBase + install->ProductName(), path)) {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        int32_t count = 0;
        if (reg.OpenKeyReadOnly(SharedDLLsKey) && reg.TryReadInteger(path, count) && count >= 1) {
            Log("Shared file " + path + ": counted for " + install->ProductName() + " already, count " + IntToStr(count));
            return;
        }
    }
    if (!IncrementSharedDLLCount()) throw EAIIFCannotUpdateDLLCountInRegistry(FFileName);
}

void TInstallFile::RegisterHelpFile() {
    RegWriteString(hkLocalMachine, HelpKey, HelpValueName(*this), RemoveBackSlash(ExpandDestDir()));
}

// The continuation after a restart registers the server that was in use.
void TInstallFile::ContinueAfterReboot() {
    if (FRegisterAsActiveX_DLLStyle) RegisterDLLServer();
    if (FRegisterAsActiveX_EXEStyle) RegisterEXEServer();
}

void TInstallFile::InstallRepositoryEntry() { FRepository.RegisterEntries(); }

}  // namespace vtrl
