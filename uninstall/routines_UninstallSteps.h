// The removal steps of the uninstall program, each undoing one kind of the
// uninstall record under HKEY_LOCAL_MACHINE: the shared-file check, files,
// ActiveX servers, registry values, the collected directories and the
// record itself. The form runs them in order; they show nothing but the
// shared-file question (through MessageDlg) and write the run log.
#pragma once

#include <functional>
#include <string>

#include "routines_UninstallLists.h"

namespace vtrl {

// Key of the SharedDLLs counts (HKEY_LOCAL_MACHINE): one 32-bit integer
// per shared file, named by the file's full path.
inline constexpr const char* SharedDLLsKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
// Parent of every record; the record's base key is this + product name.
inline constexpr const char* UninstallKeyPrefix = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// The question asked before a shared file that nothing else uses goes.
inline constexpr const char* SharedFileQuestion =
    "Uninstall has determined that the file %s is no longer used by an application. Is it o.k. to delete it?";
// The answer an unattended run gives to that question. A shared file that
// stays costs some disk space; one deleted wrongly breaks another program
// that the count failed to mention, so the silent answer keeps the file.
inline constexpr int SharedFileSilentAnswer = 7;  // mrNo (IDNO)

// What the shared-file check assumes for a file without a SharedDLLs count.
enum class TMissingCount {
    DeleteWithoutAsking,  // Files step: an ordinary, unshared file
    Ask                   // ActiveX step: count -1, the user is asked
};

// What one removal works on: the record's base key (with a leading
// backslash, no trailing one), the directory list that the steps feed, and
// the progress bar (0-100), which may be empty.
struct TRemovalContext {
    std::string BaseKey;
    TDirectoryList Directories;
    std::function<void(int)> Progress;
};

// The base key of the record of ProductName.
std::string UninstallBaseKey(const std::string& ProductName);

// The shared-file check for Path. A count C of 2 or more is decremented
// and the file kept (false). A count of 1 or less asks SharedFileQuestion
// (Yes/No, silent answer No): Yes deletes the count and returns true, No
// keeps file and count (false). A missing count (no key, no value, or not
// a 32-bit integer) follows Missing. Raises ERegistryException only when a
// count cannot be written back or the values cannot be read at all.
bool SharedFileCheck(const std::string& Path, TMissingCount Missing);

// The Files step: Files, Files1, Files2, ... as long as the next numbered
// key exists; each key's values except "Entries" are file paths, checked,
// deleted (their directories listed) and the key deleted afterwards.
// Returns the number of files deleted.
int RemoveFiles(TRemovalContext& Ctx);

// The ActiveX step: each entry "path;style" is checked (a missing count
// asks), unregistered ("0": DllUnregisterServer of the loaded library; "1":
// the program started hidden with /UNREGSERVER and waited for up to
// ServerWaitMs), its directory listed and the file deleted; then the
// ActiveX key is deleted. Returns the number of servers removed.
int RemoveActiveX(TRemovalContext& Ctx, unsigned ServerWaitMs = 30000);

// The registry step: removes the recorded values of every RegistryKeys
// entry and a target key left with neither values nor sub-keys, then
// deletes RegistryKeys. Returns false when any entry was unreadable or
// named a root outside 0-5 (the other entries are still processed).
bool RemoveRegistryValues(TRemovalContext& Ctx);

// Removes the listed directories that are empty (see
// RemoveListedDirectories). Returns how many were removed.
int RemoveDirectories(const TRemovalContext& Ctx);

// Deletes the base key with everything below it. False when it was
// missing or could not be deleted entirely.
bool DeleteRecord(const TRemovalContext& Ctx);

}  // namespace vtrl
