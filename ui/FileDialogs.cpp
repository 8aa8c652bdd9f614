// The open-file dialog and the folder browser.
#include "FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "Forms.h"
#include "Unattended.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TOpenDialog, TComponent, [](TClassBuilder<TOpenDialog>& b) {
    b.String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::DefaultExt)
        .String("FileName", &TOpenDialog::FileName, &TOpenDialog::FileName)
        .String("Filter", &TOpenDialog::Filter, &TOpenDialog::Filter)
        .Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::FilterIndex, 1)
        .String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::InitialDir)
        .Set<TOpenOption>("Options", &TOpenDialog::Options, &TOpenDialog::Options, TOpenOptions{ofHideReadOnly})
        .String("Title", &TOpenDialog::Title, &TOpenDialog::Title);
})

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

namespace {
// comdlg32 is loaded when a dialog is first shown, not at every program
// start (silent runs never show one).
template <class Fn>
Fn CommonDialogEntry(const char* Name) {
    HMODULE m = GetModuleHandleA("comdlg32.dll");
    if (!m) m = LoadLibraryA("comdlg32.dll");
    auto f = m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, Name))) : nullptr;
    if (!f) throw Exception(std::string("The function ") + Name + " of comdlg32.dll is not available");
    return f;
}
}  // namespace

DWORD TOpenDialog::OptionFlags() const {
    static const DWORD flags[] = {OFN_READONLY, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR,
                                  OFN_SHOWHELP, OFN_NOVALIDATE, OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT,
                                  OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST, OFN_CREATEPROMPT, OFN_SHAREAWARE,
                                  OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON, OFN_NOLONGNAMES,
                                  0, OFN_NODEREFERENCELINKS};
    DWORD f = 0;
    for (size_t i = 0; i < sizeof flags / sizeof flags[0]; ++i)
        if (Options.Contains(static_cast<TOpenOption>(i))) f |= flags[i];
    if (!Options.Contains(ofOldStyleDialog)) f |= OFN_EXPLORER;
    return f;
}

std::string TOpenDialog::FilterText() const {
    if (Filter.empty()) return std::string(2, '\0');
    std::string s = Filter;
    for (char& c : s)
        if (c == '|') c = '\0';
    s += std::string(2, '\0');
    return s;
}

bool TOpenDialog::Execute() {
    if (IsSilent()) return false;
    const std::string filter = FilterText();
    // Room for several names when multiple selection is allowed.
    std::string buffer(Options.Contains(ofAllowMultiSelect) ? 32768 : MAX_PATH * 2, '\0');
    buffer.replace(0, std::min(FileName.size(), buffer.size() - 1), FileName.substr(0, buffer.size() - 1));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    TForm* owner = Screen.ActiveForm();
    ofn.hwndOwner = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = OptionFlags();
    static const auto getOpenFileName = CommonDialogEntry<decltype(&GetOpenFileNameA)>("GetOpenFileNameA");
    static const auto extendedError = CommonDialogEntry<decltype(&CommDlgExtendedError)>("CommDlgExtendedError");
    if (!getOpenFileName(&ofn)) {
        DWORD error = extendedError();
        if (error) throw Exception("The file dialog cannot be shown (error " + std::to_string(error) + ")");
        return false;
    }
    FileName = buffer.c_str();
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

bool TOpenFolderDialog::Execute() {
    if (IsSilent()) return false;
    BROWSEINFOA request{};
    request.hwndOwner = GetActiveWindow();
    request.pidlRoot = nullptr;
    request.pszDisplayName = FPath.data();
    request.lpszTitle = nullptr;
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = nullptr;
    LPITEMIDLIST items = SHBrowseForFolderA(&request);
    if (!items) return false;
    const bool found = SHGetPathFromIDListA(items, FPath.data()) != FALSE;
    CoTaskMemFree(items);
    return found;
}

namespace {
// Selects the starting directory once the browser has its tree.
int CALLBACK BrowseCallback(HWND Wnd, UINT Msg, LPARAM, LPARAM Data) {
    if (Msg == BFFM_INITIALIZED && Data) SendMessageA(Wnd, BFFM_SETSELECTIONA, TRUE, Data);
    return 0;
}
}  // namespace

bool SelectDirectory(const std::string& Caption, std::string& Directory, bool AllowNew) {
    Log("folder browser: " + Caption + (IsSilent() ? " (silent: not shown)" : ""));
    if (IsSilent()) return false;
    // The browser's new-folder button and its edit need COM in apartment
    // mode on this thread; a thread that already has it keeps its mode.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct TUninit {
        HRESULT H;
        ~TUninit() {
            if (SUCCEEDED(H)) CoUninitialize();
        }
    } uninit{com};
    const DWORD attributes = Directory.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(Directory.c_str());
    const bool startThere = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    TForm* owner = Screen.ActiveForm();
    bi.hwndOwner = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
    bi.pszDisplayName = display;
    bi.lpszTitle = Caption.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | (AllowNew ? BIF_NEWDIALOGSTYLE : BIF_NONEWFOLDERBUTTON);
    bi.lpfn = BrowseCallback;
    bi.lParam = startThere ? reinterpret_cast<LPARAM>(Directory.c_str()) : 0;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&bi);
    if (!chosen) return false;
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(chosen, path) && path[0];
    CoTaskMemFree(chosen);
    if (ok) Directory = path;
    return ok;
}

}  // namespace vtrl
