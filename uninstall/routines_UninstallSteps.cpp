// The removal steps of the uninstall program.
#include "routines_UninstallSteps.h"

#include <windows.h>

#include "Controls.h"
#include "Dialogs.h"
#include "FileShim.h"
#include "SysUtils.h"
#include "Unattended.h"
#include "routines_Registry.h"
#include "routines_SysError.h"

namespace vtrl {

namespace {

constexpr const char* EntriesValue = "Entries";

void OpenLocalMachine(TRegistry& Reg) { SelectRootKey(Reg, hkLocalMachine); }

std::string FilesKeyName(const std::string& Base, int K) {
    return Base + "\\Files" + (K == 0 ? std::string() : IntToStr(K));
}

void ReportProgress(const TRemovalContext& Ctx, int Index, int Count) {
    if (Ctx.Progress) Ctx.Progress(ProgressPosition(Index, Count));
}

// The paths of a Files or ActiveX key: "Entries" is deleted first, every
// value left is one entry (unreadable ones are skipped). False when the key
// cannot be opened.
bool ReadEntries(const std::string& Key, std::vector<std::string>& Out) {
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.OpenKey(Key, false)) return false;
    (void)reg.DeleteValue(EntriesValue);
    for (const std::string& name : reg.GetValueNames()) {
        std::string value;
        if (reg.TryReadString(name, value)) Out.push_back(value);
        else Log("Unreadable entry " + name + " in " + Key + " skipped");
    }
    return true;
}

void DeleteKeyTree(const std::string& Key) {
    TRegistry reg;
    OpenLocalMachine(reg);
    (void)reg.DeleteKey(Key);
}

// Unregisters the server Path before its file goes; every failure is
// ignored, as the server may be damaged or already gone.
void UnregisterServer(const std::string& Path, const std::string& Style, unsigned WaitMs) {
    if (!FileExists(Path)) return;
    if (Style == "0") {
        HMODULE lib = LoadLibraryA(Path.c_str());
        if (!lib) return;
        using TUnregister = HRESULT(WINAPI*)();
        auto fn = reinterpret_cast<TUnregister>(reinterpret_cast<void*>(GetProcAddress(lib, "DllUnregisterServer")));
        if (fn) fn();
        FreeLibrary(lib);
    } else if (Style == "1") {
        // The path is quoted: a blank in it must not end the program name.
        std::string cmd = "\"" + Path + "\" /UNREGSERVER";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_HIDE;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(Path.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return;
        // A server program still running holds its file: waiting lets the
        // deletion below succeed.
        WaitForSingleObject(pi.hProcess, WaitMs);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

}  // namespace

std::string UninstallBaseKey(const std::string& ProductName) {
    return UninstallKeyPrefix + ProductName;
}

namespace {

std::string FullKeyName(const std::string& Key) { return "HKEY_LOCAL_MACHINE" + Key; }

// Every entry of Key but "Entries" must read as a string. A key that does
// not exist has nothing to check.
void CheckEntriesAreStrings(const std::string& ProductName, const std::string& Key) {
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.OpenKeyReadOnly(Key)) return;
    std::vector<std::string> names;
    try {
        names = reg.GetValueNames();
    } catch (const ERegistryException& e) {
        throw Exception(Fmt(UnreadableRecordMessage, ProductName, e.what()));
    }
    for (const std::string& name : names) {
        std::string value;
        if (SameText(name, EntriesValue) || reg.TryReadString(name, value)) continue;
        throw Exception(Fmt(DamagedRecordMessage, ProductName, name, FullKeyName(Key)));
    }
}

}  // namespace

void CheckRecord(const std::string& ProductName) {
    if (Trim(ProductName).empty() || ProductName.find('\\') != std::string::npos)
        throw Exception(Fmt(NoRecordMessage, ProductName));
    const std::string base = UninstallBaseKey(ProductName);
    HKEY raw = nullptr;
    const LSTATUS rc =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(StripLeadingBackslash(base)).c_str(), 0, KEY_READ, &raw);
    if (rc == ERROR_FILE_NOT_FOUND || rc == ERROR_PATH_NOT_FOUND) throw Exception(Fmt(NoRecordMessage, ProductName));
    if (rc != ERROR_SUCCESS)
        throw Exception(Fmt(UnreadableRecordMessage, ProductName, Win32ErrorMsg("RegOpenKeyEx", rc)));
    TRegKeyHandle closer(raw);
    TRegistry reg;
    OpenLocalMachine(reg);
    // The same chain as RemoveFiles: a gap ends it.
    for (int k = 0; reg.KeyExists(FilesKeyName(base, k)); ++k)
        CheckEntriesAreStrings(ProductName, FilesKeyName(base, k));
    CheckEntriesAreStrings(ProductName, base + "\\ActiveX");
}

TSharedFileCounts::TSharedFileCounts() {
    OpenLocalMachine(FReg);
    FOpen = FReg.OpenKey(SharedDLLsKey, false);
}

bool SharedFileCheck(const std::string& Path, TMissingCount Missing) { return TSharedFileCounts().Check(Path, Missing); }

bool TSharedFileCounts::Check(const std::string& Path, TMissingCount Missing) {
    int32_t count = 0;
    bool known = FOpen && FReg.TryReadInteger(Path, count);
    if (!known) {
        if (Missing == TMissingCount::DeleteWithoutAsking) return true;
        count = -1;
    }
    if (count - 1 > 0) {
        FReg.WriteInteger(Path, count - 1);
        Log("Shared file kept, count now " + IntToStr(count - 1) + ": " + Path);
        return false;
    }
    if (MessageDlg(Fmt(SharedFileQuestion, Path), mtConfirmation, {mbYes, mbNo}, SharedFileSilentAnswer) != mrYes) {
        Log("Shared file kept: " + Path);
        return false;
    }
    if (FOpen) (void)FReg.DeleteValue(Path);
    return true;
}

int RemoveFiles(TRemovalContext& Ctx) {
    int deleted = 0;
    TSharedFileCounts shared;
    for (int k = 0;; ++k) {
        const std::string key = FilesKeyName(Ctx.BaseKey, k);
        std::vector<std::string> paths;
        if (!ReadEntries(key, paths)) break;
        for (size_t i = 0; i < paths.size(); ++i) {
            ReportProgress(Ctx, static_cast<int>(i), static_cast<int>(paths.size()));
            const std::string& p = paths[i];
            if (p.empty() || !shared.Check(p, TMissingCount::DeleteWithoutAsking)) continue;
            if (!FileExists(p)) continue;
            Ctx.Directories.AddFileDir(p);
            if (FileDelete(p)) {
                ++deleted;
                Log("Deleted " + p);
            } else {
                Log("Could not delete " + p);
            }
        }
        DeleteKeyTree(key);
        TRegistry reg;
        OpenLocalMachine(reg);
        if (!reg.KeyExists(FilesKeyName(Ctx.BaseKey, k + 1))) break;
    }
    return deleted;
}

int RemoveActiveX(TRemovalContext& Ctx, unsigned ServerWaitMs) {
    const std::string key = Ctx.BaseKey + "\\ActiveX";
    std::vector<std::string> entries;
    if (!ReadEntries(key, entries)) return 0;
    int removed = 0;
    TSharedFileCounts shared;
    for (size_t i = 0; i < entries.size(); ++i) {
        ReportProgress(Ctx, static_cast<int>(i), static_cast<int>(entries.size()));
        const std::string path = GetToken(entries[i], ';', 1), style = GetToken(entries[i], ';', 2);
        if (Trim(path).empty() || !shared.Check(path, TMissingCount::Ask)) continue;
        UnregisterServer(path, style, ServerWaitMs);
        Ctx.Directories.AddFileDir(path);
        if (FileExists(path) && FileDelete(path)) Log("Deleted server " + path);
        ++removed;
    }
    DeleteKeyTree(key);
    return removed;
}

namespace {

// One RegistryKeys entry: the target key, its root and the value names to
// remove. False when the entry cannot be read or its root is not 0-5.
bool ReadRegistryEntry(const std::string& EntryKey, std::string& Key, int32_t& Root,
                       std::vector<std::string>& Names) {
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.OpenKeyReadOnly(EntryKey)) return false;
    if (!reg.TryReadString("Key", Key) || !reg.TryReadInteger("Root", Root)) return false;
    if (Root < 0 || Root > 5) return false;
    const std::string entries = EntryKey + "\\Entries";
    if (!reg.KeyExists(entries)) return true;
    if (!reg.OpenKeyReadOnly(entries)) return false;
    Names = reg.GetValueNames();
    return true;
}

// Undoes one RegistryKeys entry. A target key that does not exist is no
// failure: there is nothing left to remove.
bool RemoveRegistryEntry(const std::string& EntryKey) {
    std::string key;
    int32_t root = -1;
    std::vector<std::string> names;
    if (!ReadRegistryEntry(EntryKey, key, root, names)) return false;
    TRegistry target;
    SelectRootKey(target, root);
    if (!target.OpenKey(key, false)) return true;
    for (const std::string& n : names) (void)target.DeleteValue(n);
    if (target.GetValueNames().empty() && target.GetKeyNames().empty()) {
        target.CloseKey();
        if (target.DeleteKey(key)) Log("Deleted registry key " + key);
    }
    return true;
}

}  // namespace

bool RemoveRegistryValues(TRemovalContext& Ctx) {
    const std::string base = Ctx.BaseKey + "\\RegistryKeys";
    std::vector<std::string> entries;
    {
        TRegistry reg;
        OpenLocalMachine(reg);
        if (!reg.OpenKeyReadOnly(base)) return true;
        entries = reg.GetKeyNames();
    }
    bool ok = true;
    for (const std::string& y : entries) {
        try {
            if (!RemoveRegistryEntry(base + "\\" + y)) {
                Log("Registry entry " + y + " could not be read");
                ok = false;
            }
        } catch (const ERegistryException& e) {
            Log("Registry entry " + y + ": " + e.what());
            ok = false;
        }
    }
    DeleteKeyTree(base);
    return ok;
}

int RemoveDirectories(const TRemovalContext& Ctx) {
    auto removed = RemoveListedDirectories(Ctx.Directories, [](const std::string& d) {
        return RemoveDirectoryA(d.c_str()) != 0;
    });
    for (const std::string& d : removed) Log("Removed directory " + d);
    return static_cast<int>(removed.size());
}

bool DeleteRecord(const TRemovalContext& Ctx) {
    TRegistry reg;
    OpenLocalMachine(reg);
    return reg.DeleteKey(Ctx.BaseKey);
}

bool DeleteRecordAtEnd(const TRemovalContext& Ctx) {
    if (DeleteRecord(Ctx)) return true;
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.KeyExists(Ctx.BaseKey)) return false;
    // The tree walk keeps no error code; deleting the base key itself again
    // fails for the same reason (or because a key below it survived) and
    // tells the system's cause.
    const LSTATUS rc = RegDeleteKeyA(HKEY_LOCAL_MACHINE, std::string(StripLeadingBackslash(Ctx.BaseKey)).c_str());
    if (rc == ERROR_SUCCESS) return true;
    throw Exception(Fmt(RecordNotDeletedMessage, FullKeyName(Ctx.BaseKey), Win32ErrorMsg("RegDeleteKey", rc)));
}

}  // namespace vtrl
