// The database alias step of the uninstall program and its binding of the
// database engine's client library.
#include "routines_AliasRemoval.h"

#include <vector>

#include "FileShim.h"
#include "SysUtils.h"
#include "Unattended.h"
#include "constants_UninstallRecord.h"
#include "routines_Registry.h"

namespace vtrl {

namespace {

// The export numbers of the two calls the library exports without a name.
constexpr WORD DeleteAliasOrdinal = 1211;
constexpr WORD SaveConfigOrdinal = 400;

// The folders of DLLPATH, in order; blanks around a folder and empty
// entries are dropped.
std::vector<std::string> EngineFolders() {
    const std::string list = RegReadString(hkLocalMachine, EngineKey, DatabaseEngineDllPathValue, "");
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        std::string dir = Trim(std::string_view(list).substr(start, end - start));
        if (!dir.empty()) out.push_back(dir);
        start = end + 1;
    }
    return out;
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

// Loads the library Folder\IDAPI32.DLL when the file is there. The altered
// search path lets the library find the engine's other libraries beside it.
HMODULE LoadFrom(const std::string& Folder) {
    if (Folder.empty()) return nullptr;
    const std::string path = AddBackSlash(Folder) + DatabaseEngineLibrary;
    if (!FileExists(path)) return nullptr;
    HMODULE lib = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!lib) Log("Database engine library " + path + " could not be loaded (error " + IntToStr(GetLastError()) + ")");
    return lib;
}

// The library, looked for as the engine's client layer does it.
//
// Security: the current directory comes first because the engine's own
// client layer searches so, and an engine installed beside a program that
// is started from its folder is found that way. It also means that an
// IDAPI32.DLL planted in whatever folder uninstall is started from runs
// inside this (administrator) process. The normal library search at the end
// looks in the current directory as well.
HMODULE FindEngineLibrary() {
    // A damaged or foreign library must not stop the run with a system
    // message box; the mode is the process's, so the old one comes back.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE lib = LoadFrom(CurrentDirectory());
    if (!lib) {
        for (const std::string& folder : EngineFolders()) {
            lib = LoadFrom(folder);
            if (lib) break;
        }
    }
    if (!lib) lib = LoadLibraryA(DatabaseEngineLibrary);
    SetErrorMode(oldMode);
    return lib;
}

std::string ModulePath(HMODULE Lib) {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(Lib, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string(DatabaseEngineLibrary);
}

template <typename F>
F Bound(HMODULE Lib, const char* Name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Lib, Name)));
}

// The code page of the system locale's OEM text; the process's own OEM code
// page when the locale does not say.
UINT SystemOemCodePage() {
    DWORD cp = 0;
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTCODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&cp), sizeof cp / sizeof(WCHAR)) &&
        cp != 0)
        return cp;
    return GetOEMCP();
}

}  // namespace

TDatabaseEngine::~TDatabaseEngine() {
    if (FLib) FreeLibrary(FLib);
}

bool TDatabaseEngine::Load() {
    if (FTried) return FLib != nullptr;
    FTried = true;
    FLib = FindEngineLibrary();
    if (!FLib) return false;
    FPath = ModulePath(FLib);
    if (Bind()) return true;
    FreeLibrary(FLib);
    FLib = nullptr;
    FPath.clear();
    return false;
}

bool TDatabaseEngine::Bind() {
    FInitFn = Bound<TInitFn>(FLib, "DbiInitFn");
    FExit = Bound<TExit>(FLib, "DbiExit");
    FDeleteAlias = Bound<TDeleteAlias>(FLib, MAKEINTRESOURCEA(DeleteAliasOrdinal));
    FSaveConfig = Bound<TSaveConfig>(FLib, MAKEINTRESOURCEA(SaveConfigOrdinal));
    if (FInitFn && FExit && FDeleteAlias && FSaveConfig) return true;
    Log("Database engine library " + FPath + " lacks one of DbiInitFn, DbiExit, export 1211 and export 400");
    return false;
}

TDbiResult TDatabaseEngine::InitFn(uint16_t Version) {
    if (!Load()) return DbiResultNoEngine;
    return FInitFn(Version, nullptr);
}

TDbiResult TDatabaseEngine::DeleteAlias(const std::string& OemName) {
    if (!FLib) return DbiResultNoEngine;
    // The engine takes a writable string; it gets a copy of its own.
    std::string name = OemName;
    return FDeleteAlias(nullptr, name.data());
}

TDbiResult TDatabaseEngine::SaveConfig(bool Persistent) {
    if (!FLib) return DbiResultNoEngine;
    return FSaveConfig(nullptr, nullptr, Persistent ? TRUE : FALSE);
}

TDbiResult TDatabaseEngine::Exit() {
    if (!FLib) return DbiResultNoEngine;
    return FExit();
}

bool AliasNameToOem(const std::string& Name, std::string& Oem) {
    Oem.clear();
    if (Name.empty()) return true;
    const int wideLen = MultiByteToWideChar(CP_ACP, 0, Name.data(), static_cast<int>(Name.size()), nullptr, 0);
    if (wideLen <= 0) return false;
    std::wstring wide(static_cast<size_t>(wideLen), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Name.data(), static_cast<int>(Name.size()), wide.data(), wideLen);
    const UINT cp = SystemOemCodePage();
    // UTF-8 (and UTF-7) take no substitute flag: every character has a form.
    BOOL usedDefault = FALSE;
    BOOL* used = cp == CP_UTF8 || cp == CP_UTF7 ? nullptr : &usedDefault;
    const int len = WideCharToMultiByte(cp, 0, wide.data(), wideLen, nullptr, 0, nullptr, used);
    if (len <= 0) return false;
    Oem.assign(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(cp, 0, wide.data(), wideLen, Oem.data(), len, nullptr, used);
    return !usedDefault;
}

namespace {

// Ends the engine session however the step between start and end leaves.
class TEngineSession {
public:
    explicit TEngineSession(TDatabaseEngine& Engine) : FEngine(Engine) {}
    TEngineSession(const TEngineSession&) = delete;
    TEngineSession& operator=(const TEngineSession&) = delete;
    ~TEngineSession() { FEngine.Exit(); }

private:
    TDatabaseEngine& FEngine;
};

// The alias names of the record; none when the key is missing. Raises
// ERegistryException when the key exists but cannot be listed.
std::vector<std::string> RecordedAliases(const std::string& Key) {
    TRegistry reg;
    SelectRootKey(reg, hkLocalMachine);
    if (!reg.OpenKeyReadOnly(Key)) return {};
    return reg.GetKeyNames();
}

}  // namespace

int RemoveAliases(TRemovalContext& Ctx) {
    const std::string key = Ctx.BaseKey + "\\" + uninstall_record::AliasesKey;
    // A record without aliases has nothing for the engine to do. Its
    // library is then not loaded at all: it is looked for in the current
    // directory first, and a stranger's IDAPI32.DLL there must not run in
    // every removal.
    {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        if (!reg.KeyExists(key)) {
            Log("No database aliases recorded");
            return 0;
        }
    }
    TDatabaseEngine engine;
    const TDbiResult started = engine.InitFn(DatabaseEngineVersion);
    if (started != 0) {
        Log(started == DbiResultNoEngine
                ? std::string("No database engine: aliases left to the record's deletion")
                : "Database engine did not start (result " + IntToStr(started) +
                      "): aliases left to the record's deletion");
        return 0;
    }
    TEngineSession session(engine);
    Log("Database engine library: " + engine.LibraryPath());
    int asked = 0;
    for (const std::string& name : RecordedAliases(key)) {
        std::string oem;
        if (!AliasNameToOem(name, oem)) {
            Log("Database alias " + name + " cannot be named in the OEM code page; left in the engine");
            continue;
        }
        const TDbiResult rc = engine.DeleteAlias(oem);
        ++asked;
        Log(rc == 0 ? "Database alias " + name + " deleted"
                    : "Database alias " + name + " not deleted (engine result " + IntToStr(rc) + ")");
    }
    {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        (void)reg.DeleteKey(key);
    }
    if (asked > 0) {
        const TDbiResult rc = engine.SaveConfig(true);
        Log("Database engine configuration saved" +
            (rc == 0 ? std::string() : " (engine result " + IntToStr(rc) + ")"));
    }
    return asked;
}

}  // namespace vtrl
