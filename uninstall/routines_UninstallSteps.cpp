// The removal steps of the uninstall program.
#include "routines_UninstallSteps.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

#include "Controls.h"
#include "Dialogs.h"
#include "FileShim.h"
#include "SysUtils.h"
#include "Unattended.h"
#include "constants_UninstallRecord.h"
#include "routines_Registry.h"
#include "routines_RestartFiles.h"
#include "routines_SysError.h"
#include "routines_UninstallRecord.h"

namespace vtrl {

namespace {

void OpenLocalMachine(TRegistry& Reg) { SelectRootKey(Reg, hkLocalMachine); }

void ReportProgress(const TRemovalContext& Ctx, int Index, int Count) {
    if (Ctx.Progress) Ctx.Progress(ProgressPosition(Index, Count));
}

// The entries of the open kind key Reg (Key): every value but "Entries"
// is one (unreadable ones are skipped, logged).
void ListEntries(TRegistry& Reg, const std::string& Key, std::vector<std::string>& Out) {
    for (const std::string& name : Reg.GetValueNames()) {
        std::string value;
        if (SameText(name, uninstall_record::Entries)) continue;
        if (Reg.TryReadString(name, value)) Out.push_back(value);
        else Log("Unreadable entry " + name + " in " + Key + " skipped");
    }
}

// The paths of a Files or ActiveX key: "Entries" is deleted first, every
// value left is one entry. False when the key cannot be opened.
bool ReadEntries(const std::string& Key, std::vector<std::string>& Out) {
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.OpenKey(Key, false)) return false;
    (void)reg.DeleteValue(uninstall_record::Entries);
    ListEntries(reg, Key, Out);
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
        if (SameText(name, uninstall_record::Entries) || reg.TryReadString(name, value)) continue;
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
    CheckEntriesAreStrings(ProductName, base + "\\" + uninstall_record::ActiveXKey);
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

namespace {

void ScheduleDeletion(const TRemovalContext& Ctx, const std::string& Path) {
    if (Ctx.ScheduleAtRestart) Ctx.ScheduleAtRestart(Path);
    else DeleteAtRestart(Path);
}

}  // namespace

bool DeleteOrLeaveForRestart(TRemovalContext& Ctx, const std::string& Path) {
    if (FileDelete(Path)) {
        Log("Deleted " + Path);
        return true;
    }
    const int cause = GetLastOSError();
    if (!FileInUse(Path)) {
        Log("Could not delete " + Path + ": " + SysErrorMessage(cause));
        return false;
    }
    try {
        ScheduleDeletion(Ctx, Path);
        ++Ctx.LeftForRestart;
        Log(Path + " is in use: it is deleted at the next restart");
    } catch (const std::exception& e) {
        Log("Could not delete " + Path + ", which is in use: " + e.what());
    }
    return false;
}

bool DirectoryHoldsOnly(const std::string& Dir, const std::string& Name) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((AddBackSlash(Dir) + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool only = true;
    do {
        const std::string entry = fd.cFileName;
        if (entry != "." && entry != ".." && !Trim(entry).empty() && !SameText(entry, Name)) only = false;
    } while (only && FindNextFileA(h, &fd));
    FindClose(h);
    return only;
}

int ScheduleDirectoriesForRestart(const TRemovalContext& Ctx) {
    if (Ctx.LeftForRestart == 0) return 0;
    std::vector<std::string> dirs;
    for (const std::string& d : DirectoriesToRemove(Ctx).Items())
        if (DirectoryExists(d)) dirs.push_back(d);
    std::stable_sort(dirs.begin(), dirs.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    int scheduled = 0;
    for (const std::string& d : dirs) {
        try {
            ScheduleDeletion(Ctx, d);
            ++scheduled;
        } catch (const std::exception& e) {
            Log("The directory " + d + " is not removed at restart: " + e.what());
        }
    }
    return scheduled;
}

namespace {

// An entry that is not a full path would name whatever lies in this
// program's current folder: it is skipped, with a line in the run log.
bool IsRemovablePath(const std::string& Path, const std::string& Key) {
    if (IsFullPath(Path)) return true;
    if (!Trim(Path).empty())
        Log("Entry \"" + Path + "\" of " + FullKeyName(Key) + " skipped: it is not a full path");
    return false;
}

// The paths a step has handled, so that a path the record lists twice (a
// record that an older setup wrote on every install) is handled once: a
// shared file's count goes down once, a server is asked about once. ASCII
// letters are compared without regard to case, as setup compares them.
class THandledPaths {
public:
    // True the first time Path comes; later times log the entry as skipped.
    bool First(const std::string& Path, const std::string& Key) {
        if (FSeen.insert(UpperCase(Path)).second) return true;
        Log("Entry \"" + Path + "\" of " + FullKeyName(Key) + " skipped: the record lists it before");
        return false;
    }

private:
    std::unordered_set<std::string> FSeen;
};

}  // namespace

int RemoveFiles(TRemovalContext& Ctx) {
    int deleted = 0;
    TSharedFileCounts shared;
    THandledPaths handled;
    for (int k = 0;; ++k) {
        const std::string key = FilesKeyName(Ctx.BaseKey, k);
        std::vector<std::string> paths;
        if (!ReadEntries(key, paths)) break;
        for (size_t i = 0; i < paths.size(); ++i) {
            ReportProgress(Ctx, static_cast<int>(i), static_cast<int>(paths.size()));
            const std::string& p = paths[i];
            if (!IsRemovablePath(p, key) || !handled.First(p, key) ||
                !shared.Check(p, TMissingCount::DeleteWithoutAsking))
                continue;
            // A file already gone still lists its folder: a removal that was
            // stopped after deleting it may have left that folder empty.
            Ctx.Directories.AddFileDir(p);
            if (!FileExists(p)) continue;
            if (DeleteOrLeaveForRestart(Ctx, p)) ++deleted;
        }
        DeleteKeyTree(key);
        TRegistry reg;
        OpenLocalMachine(reg);
        if (!reg.KeyExists(FilesKeyName(Ctx.BaseKey, k + 1))) break;
    }
    return deleted;
}

int RemoveActiveX(TRemovalContext& Ctx, unsigned ServerWaitMs) {
    const std::string key = Ctx.BaseKey + "\\" + uninstall_record::ActiveXKey;
    std::vector<std::string> entries;
    if (!ReadEntries(key, entries)) return 0;
    int removed = 0;
    TSharedFileCounts shared;
    THandledPaths handled;
    for (size_t i = 0; i < entries.size(); ++i) {
        ReportProgress(Ctx, static_cast<int>(i), static_cast<int>(entries.size()));
        const std::string path = GetToken(entries[i], ';', 1), style = GetToken(entries[i], ';', 2);
        if (!IsRemovablePath(path, key) || !handled.First(path, key) || !shared.Check(path, TMissingCount::Ask))
            continue;
        UnregisterServer(path, style, ServerWaitMs);
        Ctx.Directories.AddFileDir(path);
        if (FileExists(path)) (void)DeleteOrLeaveForRestart(Ctx, path);
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

namespace {

// The file name as the profile functions take it: a bare name lies in the
// Windows directory, any other path is used as it is.
std::string ProfileFileName(const std::string& Name) {
    if (Name.empty() || Name.find_first_of("\\/:") != std::string::npos) return Name;
    char dir[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return Name;
    return AddBackSlash(std::string(dir, n)) + Name;
}

[[noreturn]] void RaiseIniFile(const char* Message, const std::string& File, const char* Call, DWORD Code) {
    throw Exception(Fmt(Message, File, Win32ErrorMsg(Call, Code)));
}

// Calls Get (a profile function filling a list of NUL-ended strings) with
// a buffer that grows until the list fits, and returns the strings. The
// profile functions say "too small" by returning the size less two.
// A list that does not fit into MaxSize raises IniFileUnreadableMessage for
// File: a list cut short would drop what it leaves out.
template <class F>
std::vector<std::string> ReadProfileList(const std::string& File, F Get) {
    constexpr size_t MaxSize = size_t(64) << 20;
    std::vector<char> buf(8192);
    for (;;) {
        const DWORD n = Get(buf.data(), static_cast<DWORD>(buf.size()));
        if (n + 2 >= buf.size() && buf.size() >= MaxSize)
            RaiseIniFile(IniFileUnreadableMessage, File, "GetPrivateProfileSection", ERROR_INSUFFICIENT_BUFFER);
        if (n + 2 < buf.size()) {
            std::vector<std::string> out;
            for (size_t i = 0; i < n;) {
                const size_t len = strnlen(buf.data() + i, n - i);
                out.emplace_back(buf.data() + i, len);
                i += len + 1;
            }
            return out;
        }
        buf.resize(buf.size() * 2);
    }
}

// The name of a section line: the text before its first "=" (the whole
// line when it has none), without surrounding blanks.
std::string IniEntryName(const std::string& Line) { return Trim(Line.substr(0, Line.find('='))); }

// One recorded section of an INI file, read and with the recorded entries
// dropped; Lines holds the survivors in file order.
struct TIniSectionUpdate {
    std::string Section;
    std::vector<std::string> Lines;
};

// The section block that replaces a section: the survivors from the last
// to the first, one line per name (at the place of its last line) holding
// the value of its first line, each ended by a NUL, the block by another.
std::string ReversedSectionBlock(const std::vector<std::string>& Lines) {
    std::string block;
    std::vector<std::string> written;
    for (auto it = Lines.rbegin(); it != Lines.rend(); ++it) {
        const std::string name = IniEntryName(*it);
        bool seen = false;
        for (const std::string& w : written) seen = seen || SameText(w, name);
        if (seen) continue;
        written.push_back(name);
        std::string value;
        for (const std::string& l : Lines) {
            if (!SameText(IniEntryName(l), name)) continue;
            const size_t eq = l.find('=');
            if (eq != std::string::npos) value = l.substr(eq + 1);
            break;
        }
        block += name + "=" + value;
        block += '\0';
    }
    block += '\0';
    return block;
}

// Reads the sections recorded under EntriesKey from File (held open for
// reading meanwhile, so that nobody takes it for himself between the check
// and the reads) and returns those that lose an entry; none when nothing is
// recorded. Raises IniFileUnreadableMessage when File cannot be opened for
// reading. Changes nothing.
std::vector<TIniSectionUpdate> ReadIniUpdates(const std::string& File, const std::string& EntriesKey) {
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.OpenKeyReadOnly(EntriesKey)) return {};
    TFileHandleOwner held(FileOpenRead(File));
    if (!held.Valid()) RaiseIniFile(IniFileUnreadableMessage, File, "CreateFile", GetLastOSError());
    const std::vector<std::string> present = ReadProfileList(File, [&](char* Buf, DWORD Size) {
        return GetPrivateProfileSectionNamesA(Buf, Size, File.c_str());
    });
    std::vector<TIniSectionUpdate> updates;
    for (const std::string& section : reg.GetKeyNames()) {
        int copies = 0;
        for (const std::string& p : present) copies += SameText(Trim(p), Trim(section)) ? 1 : 0;
        if (copies == 0) continue;
        if (copies > 1) {
            Log("Section [" + section + "] of " + File + " appears " + IntToStr(copies) + " times; left as it is");
            continue;
        }
        TRegistry names;
        OpenLocalMachine(names);
        if (!names.OpenKeyReadOnly(EntriesKey + "\\" + section)) continue;
        std::vector<std::string> recorded;
        for (const std::string& v : names.GetValueNames())
            if (!Trim(v).empty()) recorded.push_back(Trim(v));
        TIniSectionUpdate update{section, ReadProfileList(File, [&](char* Buf, DWORD Size) {
                                     return GetPrivateProfileSectionA(section.c_str(), Buf, Size, File.c_str());
                                 })};
        const size_t before = update.Lines.size();
        for (size_t i = update.Lines.size(); i-- > 0;) {
            const std::string name = IniEntryName(update.Lines[i]);
            for (const std::string& r : recorded) {
                if (!SameText(name, r)) continue;
                update.Lines.erase(update.Lines.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
        if (update.Lines.size() != before) updates.push_back(std::move(update));
    }
    return updates;
}

// Writes the updated sections into File: a section with survivors is
// replaced in one write, one without is erased. Raises
// IniFileUnwritableMessage when a write fails (that section stays as it
// was).
void WriteIniUpdates(const std::string& File, const std::vector<TIniSectionUpdate>& Updates) {
    for (const TIniSectionUpdate& u : Updates) {
        BOOL ok;
        if (u.Lines.empty()) {
            ok = WritePrivateProfileStringA(u.Section.c_str(), nullptr, nullptr, File.c_str());
        } else {
            const std::string block = ReversedSectionBlock(u.Lines);
            ok = WritePrivateProfileSectionA(u.Section.c_str(), block.c_str(), File.c_str());
        }
        if (!ok) RaiseIniFile(IniFileUnwritableMessage, File, "WritePrivateProfileSection", GetLastError());
        Log("INI section [" + u.Section + "] of " + File + (u.Lines.empty() ? " erased" : " rewritten"));
    }
    // Wine keeps profile files in a cache; this writes File out and drops it
    // there, so that the size taken next and later readers see the changes.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, File.c_str());
}

// Deletes File when it has size 0, and its directory when nothing else is
// in it. True when File was deleted. Raises
// IniFileUnreadableMessage when File cannot be opened to take its size.
bool DeleteEmptyIniFile(TRemovalContext& Ctx, const std::string& File) {
    int64_t size;
    {
        TFileHandleOwner h(FileOpenRead(File));
        if (!h.Valid()) RaiseIniFile(IniFileUnreadableMessage, File, "CreateFile", GetLastOSError());
        size = FileSize(h.Get());
        if (size < 0) RaiseIniFile(IniFileUnreadableMessage, File, "GetFileSize", GetLastOSError());
    }
    if (size != 0) return false;
    Ctx.Directories.AddFileDir(File);
    if (!FileDelete(File)) {
        Log("Could not delete the empty INI file " + File);
        return false;
    }
    Log("Deleted the empty INI file " + File);
    const std::string dir = ExtractFileDir(File);
    // Windows removes only an empty directory.
    if (!dir.empty() && RemoveDirectoryA(dir.c_str())) Log("Removed directory " + dir);
    return true;
}

// Undoes one INIFiles sub-key. True when its file was changed.
bool RemoveIniFileEntries(TRemovalContext& Ctx, const std::string& Key) {
    std::string file;
    {
        TRegistry reg;
        OpenLocalMachine(reg);
        if (!reg.OpenKeyReadOnly(Key) || !reg.TryReadString(uninstall_record::FilePath, file)) return false;
    }
    file = ProfileFileName(file);
    if (!FileExists(file)) {
        if (!file.empty()) Log("INI file " + file + " not found; skipped");
        return false;
    }
    const std::vector<TIniSectionUpdate> updates = ReadIniUpdates(file, Key + "\\" + uninstall_record::Entries);
    if (!updates.empty()) WriteIniUpdates(file, updates);
    const bool deleted = DeleteEmptyIniFile(Ctx, file);
    return deleted || !updates.empty();
}

}  // namespace

int RemoveIniEntries(TRemovalContext& Ctx) {
    const std::string base = Ctx.BaseKey + "\\" + uninstall_record::INIFilesKey;
    std::vector<std::string> files;
    {
        TRegistry reg;
        OpenLocalMachine(reg);
        if (!reg.OpenKeyReadOnly(base)) return 0;
        files = reg.GetKeyNames();
    }
    int changed = 0;
    for (const std::string& x : files) {
        if (RemoveIniFileEntries(Ctx, base + "\\" + x)) ++changed;
        // A removal stopped by a later file must not undo this one again.
        DeleteKeyTree(base + "\\" + x);
    }
    DeleteKeyTree(base);
    return changed;
}

void RemoveEngineShare(TRemovalContext& Ctx) { RemoveEngineShare(Ctx, EngineKey, EngineLoaderKey); }

void RemoveEngineShare(TRemovalContext& Ctx, const std::string& Engine, const std::string& Loader) {
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.OpenKeyReadOnly(Ctx.BaseKey + "\\" + uninstall_record::BDEKey)) {
        Log("No database engine share recorded");
        return;
    }
    std::string text;
    int64_t share = 0;
    if (!reg.TryReadString(uninstall_record::Entries, text) || !TryStrToInt(text, share) || share < 0) share = 0;
    if (!reg.OpenKey(Engine, false)) {
        Log("Database engine not found: " + Engine);
        return;
    }
    int64_t count = 0;
    std::string useCount;
    if (!reg.TryReadString("UseCount", useCount) || !TryStrToInt(useCount, count)) {
        Log("Database engine kept: its use count \"" + useCount + "\" is no number");
        return;
    }
    std::string config;
    if (!reg.TryReadString("CONFIGFILE01", config)) config.clear();
    if (count - share > 0) {
        reg.WriteString("UseCount", IntToStr(count - share));
        Log("Database engine kept, use count now " + IntToStr(count - share));
        return;
    }
    reg.CloseKey();
    const bool engineGone = reg.DeleteKey(Engine);
    (void)reg.DeleteKey(Loader);
    Ctx.Directories.AddFileDir(config);
    if (!config.empty() && FileExists(config) && !FileDelete(config))
        Log("Could not delete the database engine configuration " + config);
    Log(engineGone ? "Database engine removed" : "Database engine keys could not be deleted: " + Engine);
}

bool ReadCreatedFolders(TRemovalContext& Ctx) {
    const std::string key = Ctx.BaseKey + "\\" + uninstall_record::FoldersKey;
    TRegistry reg;
    OpenLocalMachine(reg);
    if (!reg.OpenKeyReadOnly(key)) return Ctx.FoldersRecorded;
    std::vector<std::string> entries, folders;
    ListEntries(reg, key, entries);
    for (const std::string& f : entries)
        if (IsRemovablePath(f, key)) folders.push_back(f);
    auto depth = [](const std::string& d) {
        return std::count_if(d.begin(), d.end(), [](char c) { return c == '\\' || c == '/'; });
    };
    // Deepest first: one pass then removes a folder emptied by its children.
    std::stable_sort(folders.begin(), folders.end(),
                     [&](const std::string& a, const std::string& b) { return depth(RemoveBackSlash(a)) > depth(RemoveBackSlash(b)); });
    Ctx.CreatedFolders = TDirectoryList();
    for (const std::string& f : folders) Ctx.CreatedFolders.Add(f);
    Ctx.FoldersRecorded = true;
    Log("The record lists " + IntToStr(Ctx.CreatedFolders.Count()) + " folders made by the install");
    return true;
}

const TDirectoryList& DirectoriesToRemove(const TRemovalContext& Ctx) {
    return Ctx.FoldersRecorded ? Ctx.CreatedFolders : Ctx.Directories;
}

int RemoveDirectories(const TRemovalContext& Ctx) {
    auto removed = RemoveListedDirectories(DirectoriesToRemove(Ctx), [](const std::string& d) {
        for (const std::string& f : RemoveStaleBesideFiles(d)) Log("Removed the stale temporary file " + f);
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

std::string RemoveProgramFile(TRemovalContext& Ctx, const std::string& Exe, const std::string& ProductName) {
    if (DeleteFileA(Exe.c_str())) return ProductName + " has finished removing itself";
    const std::string cause = Win32ErrorMsg("DeleteFile", GetLastError());
    try {
        ScheduleDeletion(Ctx, Exe);
    } catch (const std::exception& e) {
        // The product is gone all the same; only this file stays.
        Log("The program file " + Exe + " stays: it cannot be deleted (" + cause +
            ") nor scheduled for deletion at restart (" + e.what() + ")");
        return ProductName + " has been removed. The uninstallation program " + Exe +
               " could not be removed; you may delete it yourself.";
    }
    Log("Program file scheduled for deletion at restart: " + Exe);
    // Its folder goes with it when nothing else is left in it (a folder
    // that is not empty by then stays) and when the product made it.
    const std::string dir = ExtractFileDir(Exe);
    if (Ctx.FoldersRecorded && !Ctx.CreatedFolders.Contains(dir)) {
        Log("Its directory stays: the install did not make " + dir);
    } else if (DirectoryHoldsOnly(dir, ExtractFileName(Exe))) {
        try {
            ScheduleDeletion(Ctx, dir);
            Log("Its directory is removed at restart: " + dir);
            // So is each folder above it that the product made and that
            // holds nothing else (Program Files\Maker above
            // Program Files\Maker\Product): the restart deletes them in
            // this order, each emptied by the one before.
            for (std::string child = dir, parent = ExtractFileDir(dir);
                 Ctx.FoldersRecorded && parent != child && Ctx.CreatedFolders.Contains(parent) &&
                 DirectoryHoldsOnly(parent, ExtractFileName(child));
                 child = parent, parent = ExtractFileDir(parent)) {
                ScheduleDeletion(Ctx, parent);
                Log("Its directory's parent is removed at restart: " + parent);
            }
        } catch (const std::exception& e) {
            Log("Its directory is not removed at restart: " + std::string(e.what()));
        }
    }
    return "The uninstallation program for " + ProductName + " will be removed after you reboot your computer.";
}

}  // namespace vtrl
