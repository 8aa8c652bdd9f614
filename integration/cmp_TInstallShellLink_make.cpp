// Making a shortcut: a shell link file through the shell's link object, or
// a Program Manager item through its DDE interface.
#include "cmp_TInstallShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "cmp_TProgramManager.h"
#include "cmp_TUninstallEXE.h"
#include "routines_ExpandPaths.h"
#include "routines_SysError.h"

namespace vtrl {

namespace {

// Owns one COM interface pointer and releases it.
template <class I>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() {
        if (FPtr) FPtr->Release();
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    I* operator->() const { return FPtr; }
    I* get() const { return FPtr; }
    void** out() { return reinterpret_cast<void**>(&FPtr); }

private:
    I* FPtr = nullptr;
};

// The target's directory without a trailing backslash: the link's working
// directory and the Program Manager item's default directory.
std::string TargetDirectory(const std::string& Target) { return RemoveBackSlash(ExtractFilePath(Target)); }

}  // namespace

// ------------------------------------------------------------------- COM

void TInstallShellLink::InitializeCom() {
    if (FComInitialized) return;
    // Balanced by no CoUninitialize: the thread keeps COM for the rest of
    // the program, and S_FALSE (already initialised) costs nothing.
    const HRESULT hr = CoInitialize(nullptr);
    if (hr != S_OK && hr != S_FALSE) throw ESHELLCannotInitialize(static_cast<int32_t>(hr));
    FComInitialized = true;
}

std::string TInstallShellLink::ComErrorText(int32_t Code) const {
    switch (static_cast<uint32_t>(Code)) {
    case 0x8000FFFFu: return TranslateMessageText("Indicates an unexpected error occurred");
    case 0x80040110u: return TranslateMessageText("Indicates this class cannot be created as part of an aggregate");
    case 0x80040154u:
        return TranslateMessageText("Indicates that a specified class is not registered in the registration database");
    case 0x8007000Eu: return TranslateMessageText("Out of memory");
    case 0x80070057u: return TranslateMessageText("Indicates one or more arguments are invalid");
    default: return SysErrorMessage(static_cast<uint32_t>(Code));
    }
}

void TInstallShellLink::RaiseComError(int32_t Code) const {
    throw Exception(TranslatedFmt(
        "The TInstallShellLink %s name could not be installed. The following error was reported %s. Error code %d",
        Name(), ComErrorText(Code), Code));
}

std::string TInstallShellLink::LinkArguments() {
    if (As<TUninstallEXE>(FObjectLink)) return FParameters;
    return ExpandMetaVariables(FParameters, this);
}

// ------------------------------------------------------------ shell link

void TInstallShellLink::CreateShellLink() {
    InitializeCom();
    // A name that is only the extension would make a file called ".LNK".
    if (Trim(ChangeFileExt(FLinkName, "")).empty())
        throw Exception(TranslatedFmt("The LinkName is blank for %s and therefore could not be installed", Name()));
    // Checked before anything is made: a folder that did not resolve leaves
    // a bare name, which would become a file in setup's current folder.
    const std::string linkFile = CheckedLinkFilePath();
    if (auto* folder = As<TShellLinkGroup>(FObjectLink)) {
        const std::string dir = folder->ExpandDestDir();
        RefuseNotFullPath(dir, "the folder it links to");
        if (!ForceDirectoriesOnce(dir)) RaiseFmt("Could not create the folder %s for %s", dir, Name());
    }
    const std::string linkDir = RemoveBackSlash(ExpandDestDir());
    if (!ForceDirectoriesOnce(linkDir)) RaiseFmt("Could not create the folder %s for %s", linkDir, Name());
    const std::string arguments = LinkArguments();
    const std::string target = ExpandObjectLocation();

    TComPtr<IShellLinkA> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.out());
    // The link object itself: the platform's COM error as it stands.
    if (FAILED(hr)) throw Exception(SysErrorMessage(static_cast<uint32_t>(hr)));
    auto check = [this](HRESULT r) {
        if (FAILED(r)) RaiseComError(static_cast<int32_t>(r));
    };
    check(link->SetPath(target.c_str()));
    check(link->SetHotkey(FHotKey));
    check(link->SetArguments(arguments.c_str()));
    check(link->SetWorkingDirectory(TargetDirectory(target).c_str()));
    TComPtr<IPersistFile> file;
    check(link->QueryInterface(IID_IPersistFile, file.out()));
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH) == 0)
        throw Exception(TranslatedFmt("The TInstallShellLink %s name could not be installed. The following error was "
                                      "reported %s",
                                      Name(), Win32ErrorMsg("MultiByteToWideChar", GetLastError())));
    check(file->Save(wide, TRUE));
}

// ---------------------------------------------------- Program Manager item

void TInstallShellLink::CreateProgramManagerItem() {
    // Program Manager has no nested groups: only links of the main folder
    // or placed directly in the Programs menu become items.
    if (FLinkKind != lkLinkInMainFolder && FDestDirType != ddProgramMenuDir) return;
    const std::string group = ExtractFileName(RemoveBackSlash(ExpandDestDir()));
    if (Trim(group).empty()) throw Exception(Name() + " has a blank group");
    TProgramManager& pm = ProgramManager();
    pm.CreateGroup(group);
    const std::string item = ChangeFileExt(FLinkName, "");
    // An item of that name gives up its place to the new one instead of
    // being duplicated.
    if (pm.IndexOfItem(item) > 0) pm.ReplaceItem(item);
    const std::string target = ExpandObjectLocation();
    pm.AddItem("\"" + target + "\" " + LinkArguments(), item, "", 0, "\"" + TargetDirectory(target) + "\"", "");
}

}  // namespace vtrl
