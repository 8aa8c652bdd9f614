// The first removal step of the uninstall program: the database aliases that
// an installation registered with the database engine (the record's
// "Aliases" key, one sub-key per alias name) are deleted through the
// engine's own client library, IDAPI32.DLL, loaded at run time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "routines_UninstallSteps.h"

namespace vtrl {

// The value of the engine's key (EngineKey) listing the folders, ";"
// between them, where its client library may be found.
inline constexpr const char* DatabaseEngineDllPathValue = "DLLPATH";
inline constexpr const char* DatabaseEngineLibrary = "IDAPI32.DLL";
// The interface version the step asks for when it starts a session.
inline constexpr uint16_t DatabaseEngineVersion = 300;

// A result code of the engine; 0 is success.
using TDbiResult = uint16_t;
// The result of every call when the library cannot be loaded or lacks one
// of the four functions (the engine's own codes are never this).
inline constexpr TDbiResult DbiResultNoEngine = 0xFFFF;

// The four engine calls the step needs, bound from the client library.
// The library is looked for as the engine's own client layer does it:
//   1. the current directory,
//   2. each folder of DLLPATH under EngineKey, in order,
//   3. the normal library search of the system.
// The first library that loads is taken; DbiInitFn and DbiExit are bound by
// name, delete alias (1211) and save configuration (400) by export number,
// all four at load time. A library without all four is freed and counts as
// no engine: every call then answers DbiResultNoEngine and does nothing.
// The library is freed when the object goes.
class TDatabaseEngine {
public:
    TDatabaseEngine() = default;
    TDatabaseEngine(const TDatabaseEngine&) = delete;
    TDatabaseEngine& operator=(const TDatabaseEngine&) = delete;
    ~TDatabaseEngine();

    // Loads and binds on the first call; true when the engine is there.
    bool Load();
    // Full path of the loaded library; empty when none is loaded.
    const std::string& LibraryPath() const { return FPath; }

    // Starts a session (loading the library first when needed).
    TDbiResult InitFn(uint16_t Version);
    // Deletes the alias named OemName (in the OEM code page).
    TDbiResult DeleteAlias(const std::string& OemName);
    // Writes the engine's configuration; no file name means its own file.
    TDbiResult SaveConfig(bool Persistent);
    // Ends the session.
    TDbiResult Exit();

private:
    using TInitFn = TDbiResult(WINAPI*)(uint16_t Version, void* Env);
    using TExit = TDbiResult(WINAPI*)();
    using TDeleteAlias = TDbiResult(WINAPI*)(void* Db, char* AliasName);
    using TSaveConfig = TDbiResult(WINAPI*)(void* Db, char* FileName, BOOL Persistent);

    bool Bind();

    bool FTried = false;
    HMODULE FLib = nullptr;
    std::string FPath;
    TInitFn FInitFn = nullptr;
    TExit FExit = nullptr;
    TDeleteAlias FDeleteAlias = nullptr;
    TSaveConfig FSaveConfig = nullptr;
};

// Name (in the process's ANSI code page) converted to the system's OEM code
// page, the one the engine keeps its alias names in. False when a character
// of Name has no form there (Oem then holds the system's substitute, "?").
// The system's OEM code page is the one of the system locale: the kit's
// programs run with UTF-8 as their own code page, where CharToOem and
// GetOEMCP would give UTF-8 back.
bool AliasNameToOem(const std::string& Name, std::string& Oem);

// The alias step. Starts an engine session (interface version 300); when
// that fails (no engine, or a non-zero result) nothing else happens and the
// record's "Aliases" key stays for the deletion of the whole record.
// Otherwise each sub-key name of base + "\Aliases" is converted to the OEM
// code page and deleted from the engine (results are ignored; a name that
// cannot be written in the OEM code page is left, as it could name another
// alias), the Aliases key is deleted, the configuration is saved
// persistently when at least one deletion was asked for, and the session is
// ended, also when one of these steps raises (the error then propagates).
// Returns the number of aliases whose deletion was asked for.
int RemoveAliases(TRemovalContext& Ctx);

}  // namespace vtrl
