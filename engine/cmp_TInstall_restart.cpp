// TInstall's work across a restart of Windows: the unfinished-install list
// in the registry, the start-up links that run after the next logon, the
// restart itself and the continuation run ("*ABOOT") that finishes the
// installation afterwards.
#include <windows.h>

#include <exception>
#include <memory>

#include "Dialogs.h"
#include "Forms.h"
#include "FileShim.h"
#include "Unattended.h"
#include "cmp_TInstall.h"
#include "cmp_TInstallShellLink.h"
#include "cmp_TProgramManager.h"
#include "exceptions_ProgramManager.h"
#include "routines_Registry.h"
#include "routines_WinVersion.h"

namespace vtrl {

namespace {

// Program Manager's group that runs its items at the next logon.
const char* const StartupGroup = "Startup";

// Splits a line of the list into its name and kind; false when the kind
// is not a number. The kind follows the last ";", so a file name with a
// ";" of its own keeps it.
bool SplitUnfinishedLine(const std::string& Line, std::string& Name, int64_t& Kind) {
    const size_t semicolon = Line.rfind(';');
    if (semicolon == std::string::npos) return false;
    Name = Line.substr(0, semicolon);
    return TryStrToInt(Trim(Line.substr(semicolon + 1)), Kind);
}

// Removes a Program Manager item of the start-up group; every failure is
// ignored (the item may be gone, Program Manager may not answer).
void DeleteStartupItem(const std::string& Item) {
    try {
        TProgramManager& pm = ProgramManager();
        pm.SelectGroup(StartupGroup);
        // Some Program Managers list no items for a group they have;
        // opening the group makes it current all the same.
        if (pm.CurrentGroup().empty()) pm.CreateGroup(StartupGroup);
        pm.DeleteItem(Item);
        Log("Removed the Program Manager item " + Item);
    } catch (const std::exception& e) {
        Log("The Program Manager item " + Item + " was not removed: " + ExceptionLogText(e));
    }
}

}  // namespace

// ------------------------------------------------- the unfinished list

std::string TInstall::UnfinishedListKey() const { return "\\SOFTWARE\\VANTRELINSTALLING"; }

void TInstall::AddUnfinishedEntry(const std::string& Name, TUnfinishedKind Kind) {
    ++FUnfinishedCount;
    RegWriteString(hkLocalMachine, UnfinishedListKey(), Name, IntToStr(static_cast<int>(Kind)));
}

void TInstall::ReadUnfinishedList(TStringList& List) {
    List.Clear();
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(UnfinishedListKey())) return;
    for (const std::string& name : reg.GetValueNames()) {
        // Every entry this program writes is a string; another kind is not
        // ours to follow, and must not stop the rest of the work.
        std::string kind;
        if (reg.TryReadString(name, kind)) List.Add(name + ";" + kind);
        else Log("The unfinished-install entry " + name + " is no string: skipped");
    }
}

void TInstall::ClearUnfinishedList() {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    (void)reg.DeleteKey(UnfinishedListKey());  // a missing list is no error
}

// ------------------------------------------------------- start-up links

void TInstall::AddStartupLink(const std::string& Name, const std::string& Target, const std::string& Parameters) {
    // Owned here for the moment it takes to make the link; gone afterwards,
    // also when making it fails.
    std::unique_ptr<TInstallShellLink> link(new TInstallShellLink(this));
    link->SetName(Name);
    link->SetObjectLocationType(ddAbsolute);
    link->SetObjectLocation(Target);
    link->SetParameters(Parameters);
    // The entry that removes the link is written before the link exists,
    // so that no link is ever left without one.
    auto toStartupFolder = [&] {
        link->SetDestDirType(ddStartUpMenuDir);
        link->SetDestDir("");
        AddUnfinishedEntry(link->LinkFilePath(), ukFile);
    };
    const TWindowsPlatform platform = GetWindowsPlatform();
    if (platform == wpWindows95 || platform == wpWindowsNT) {
        toStartupFolder();
        link->Process();
        Log("Made the start-up link " + link->LinkFilePath());
        return;
    }
    link->SetDestDirType(ddProgramMenuDir);
    link->SetDestDir(std::string("\\") + StartupGroup);
    const std::string item = ChangeFileExt(link->LinkName(), "");
    AddUnfinishedEntry(item, ukProgramManagerItem);
    try {
        link->Process();
        Log("Made the Program Manager item " + item + " in the group " + StartupGroup);
    } catch (const EAIPMError& e) {
        // Some Program Managers take no arguments in an item's command line
        // (Wine's refuses them). Without its start-up link the installation
        // would never be finished, so a shell link in the Startup folder
        // takes the item's place where the system has shell links; where it
        // has none, the Program Manager's refusal stands.
        if (Parameters.empty()) throw;
        const std::exception_ptr refusal = std::current_exception();
        Log("Program Manager refused the item " + item + " (" + ExceptionLogText(e) +
            "): a shell link in the Startup folder starts the continuation instead");
        link->SetMethod(mtShellLinkInterface);
        toStartupFolder();
        try {
            link->Process();
        } catch (const std::exception&) {
            std::rethrow_exception(refusal);
        }
        Log("Made the start-up link " + link->LinkFilePath());
    }
}

void TInstall::RegisterContinuation() {
    // A silent run's continuation is silent too (nobody is there to answer
    // its completion page after the logon), and it logs where the run did.
    std::string options;
    if (IsSilent()) options += "/SILENT ";
    if (const std::string& log = LogFileName(); !log.empty())
        options += log.find_first_of(" \t") == std::string::npos ? "/LOG=" + log + " " : "\"/LOG=" + log + "\" ";
    // The link's parameters go through the meta-variables; a "%" of the
    // log's path is a percent sign there.
    std::string parameters;
    for (char c : options + "*ABOOT") parameters += c == '%' ? std::string("%%") : std::string(1, c);
    AddStartupLink("VantrelAddLink", Application.ExeName(), parameters);
}

// ------------------------------------------------------------ restarting

void TInstall::RestartWindows() {
    const TWindowsPlatform platform = GetWindowsPlatform();
    bool asked = false;
    if (platform == wpWindows95) {
        asked = ExitWindowsEx(EWX_REBOOT, 0) != 0;
    } else if (platform == wpWindowsNT) {
        HANDLE token = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
            TOKEN_PRIVILEGES privileges{};
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            // AdjustTokenPrivileges succeeds without granting a privilege
            // the account lacks; ERROR_NOT_ALL_ASSIGNED tells.
            asked = LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
                    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                    GetLastError() == ERROR_SUCCESS && ExitWindowsEx(EWX_REBOOT, 0);
            CloseHandle(token);
        }
    }
    if (asked) {
        Log("Asked Windows to restart");
        return;
    }
    if (platform == wpWindows95 || platform == wpWindowsNT)
        Log("Windows refused to restart: " + SysErrorMessage(GetLastOSError()));
    ShowMessage(TranslateMessageText("Could not reboot windows. Please manually reboot windows."));
}

// ------------------------------------------------------ the continuation

void TInstall::ContinueAfterReboot() {
    FRunning = true;
    struct TRunningFlag {
        bool& Flag;
        ~TRunningFlag() { Flag = false; }
    } running{FRunning};
    Log("Continuing the installation after the restart");
    TStringList list;
    ReadUnfinishedList(list);
    // Read once, then forgotten: whatever happens below, the next start of
    // Windows does not run this work again.
    ClearUnfinishedList();
    for (const std::string& line : list.Strings) {
        std::string name;
        int64_t kind = -1;
        if (!SplitUnfinishedLine(line, name, kind))
            throw Exception(TranslatedFmt("There is an invalid entry for the unfinished install list %s", line));
        switch (kind) {
        case ukComponent:
            for (TInstallContainer* c : TInstallContainer::Registry())
                if (c != this && SameText(c->Name(), name)) {
                    Log("Continuing " + name);
                    c->ContinueAfterReboot();
                }
            break;
        case ukFile:
            if (FileDelete(name)) Log("Deleted " + name);
            break;
        case ukProgramManagerItem: DeleteStartupItem(name); break;
        default: break;
        }
    }
    FinishGoodInstall();
    Log("Run ended: installation complete after the restart");
}

}  // namespace vtrl
