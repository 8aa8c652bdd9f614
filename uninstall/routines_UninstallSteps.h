// The removal steps of the uninstall program, each undoing one kind of the
// uninstall record under HKEY_LOCAL_MACHINE: the shared-file check, files,
// ActiveX servers, INI file entries, the product's share of the database
// engine, registry values, the collected directories and the record
// itself. The form runs them in order; they show nothing but the
// shared-file question (through MessageDlg) and write the run log.
#pragma once

#include <functional>
#include <string>

#include "routines_Registry.h"
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
// A start-up that finds no record it may follow: the name names no key
// directly below the Uninstall key.
inline constexpr const char* NoRecordMessage = "There is no uninstall record for the product %s. Nothing was removed.";
// The record exists but cannot be opened or listed; the second %s is the cause.
inline constexpr const char* UnreadableRecordMessage =
    "The uninstall record of the product %s cannot be read: %s. Nothing was removed.";
// An entry of Files or ActiveX that is not a string: removing the rest and
// deleting the record would leave that file behind with nothing to find it by.
inline constexpr const char* DamagedRecordMessage =
    "The uninstall record of the product %s is damaged: the value \"%s\" of %s is not a string. Nothing was removed.";
// The record outlived its deletion; the program file stays so that the
// record's UninstallString can still start it.
inline constexpr const char* RecordNotDeletedMessage = "The uninstall record %s could not be deleted: %s";
// An INI file of the record that exists but cannot be read (or, once
// changed, whose size cannot be taken); the second %s is the Windows cause.
// The file is left as it was.
inline constexpr const char* IniFileUnreadableMessage = "The INI file %s cannot be read: %s";
// A recorded section that could not be written back or erased; the second
// %s is the Windows cause. The entries read before are in the run log.
inline constexpr const char* IniFileUnwritableMessage = "The INI file %s cannot be written: %s";
// The database engine's keys (HKEY_LOCAL_MACHINE). The engine key holds
// "UseCount" (a decimal string: how many products use the engine) and
// "CONFIGFILE01" (the path of its configuration file).
inline constexpr const char* EngineKey = "\\Software\\Borland\\Database Engine";
inline constexpr const char* EngineLoaderKey = "\\Software\\Borland\\BLW32";
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
    // Files in use that are deleted at the next restart instead.
    int LeftForRestart = 0;
    // The record's Folders key (ReadCreatedFolders): the folders the
    // install made, deepest first. When FoldersRecorded, only these are
    // removed; Directories (the folders of the removed files) then serve
    // nothing but the log.
    bool FoldersRecorded = false;
    TDirectoryList CreatedFolders;
    // Schedules a file or folder for deletion at the next restart, raising
    // Exception when it cannot; DeleteAtRestart when empty.
    std::function<void(const std::string&)> ScheduleAtRestart;
};

// Reads the record's Folders key into Ctx.CreatedFolders, deepest first
// (most separators; a parent after every folder inside it), and sets
// Ctx.FoldersRecorded. A record without the key (written by an older setup)
// leaves both as they were: the folders of the removed files are removed
// then. Entries that are not full paths are skipped with a line in the log.
// Returns Ctx.FoldersRecorded.
bool ReadCreatedFolders(TRemovalContext& Ctx);

// The folders a removal may remove: Ctx.CreatedFolders when the record
// lists them, otherwise Ctx.Directories.
const TDirectoryList& DirectoriesToRemove(const TRemovalContext& Ctx);

// The end of a removal, after the record is deleted: deletes the program
// file Exe, or (Windows never deletes the image of a running program)
// schedules it for deletion at the next restart, with its folder when
// nothing else is in it and the folder is one the removal may remove
// (DirectoriesToRemove; any folder for a record without Folders). Returns
// the closing message: ProductName + " has finished removing itself", or
// the one saying the program goes after the restart. A program file that
// can be neither deleted nor scheduled stays, logged with the cause, and
// the message says so; nothing is raised: the product is removed.
std::string RemoveProgramFile(TRemovalContext& Ctx, const std::string& Exe, const std::string& ProductName);

// Deletes the file Path. A file another program has in use (a loaded DLL,
// a running program) is scheduled for deletion at the next restart instead
// and counted in Ctx.LeftForRestart; any other failure is logged with its
// cause and ignored. True when the file is gone now.
bool DeleteOrLeaveForRestart(TRemovalContext& Ctx, const std::string& Path);

// True when the directory Dir holds no entry but the file Name; entries
// with blank names do not count. False when Dir
// cannot be listed.
bool DirectoryHoldsOnly(const std::string& Dir, const std::string& Name);

// After the directories were removed: those of DirectoriesToRemove still there
// are scheduled for removal at the next restart when files of theirs are
// (deepest first, so that a parent follows its children; one that is not
// empty by then stays). Does nothing when no file was left for the
// restart. Returns how many were scheduled.
int ScheduleDirectoriesForRestart(const TRemovalContext& Ctx);

// The base key of the record of ProductName.
std::string UninstallBaseKey(const std::string& ProductName);

// The start-up check before anything is removed. Raises Exception with
// NoRecordMessage when ProductName is blank, holds a backslash (a record is
// one key directly below the Uninstall key; "A\Files" would reach into the
// record of A, an empty name would take the whole list) or names no key;
// with UnreadableRecordMessage when the key exists but cannot be opened or
// listed; with DamagedRecordMessage naming the value and its key when an
// entry of the Files keys (the chain Files, Files1, ... as RemoveFiles
// follows it) or of ActiveX is not a string ("Entries" is never read and is
// not checked). Reads only; changes nothing.
void CheckRecord(const std::string& ProductName);

// The shared-file check for Path. A count C of 2 or more is decremented
// and the file kept (false). A count of 1 or less asks SharedFileQuestion
// (Yes/No, silent answer No): Yes deletes the count and returns true, No
// keeps file and count (false). A missing count (no key, no value, or not
// a 32-bit integer) follows Missing. Raises ERegistryException only when a
// count cannot be written back or the values cannot be read at all.
bool SharedFileCheck(const std::string& Path, TMissingCount Missing);

// The shared-file counts opened once for a whole removal step: a product of
// thousands of files would otherwise open and close the key for each.
// Check is SharedFileCheck through the key held open.
class TSharedFileCounts {
public:
    TSharedFileCounts();
    bool Check(const std::string& Path, TMissingCount Missing);

private:
    TRegistry FReg;
    bool FOpen = false;
};

// The Files step: Files, Files1, Files2, ... as long as the next numbered
// key exists; each key's values except "Entries" are file paths, checked,
// deleted (one in use at the next restart) and the key deleted afterwards.
// The directory of every checked entry is listed, also of a file already
// gone (a removal stopped half-way deleted it and may have left its folder
// empty). An entry that is not a full path is skipped and logged: it would
// name a file in this program's current folder; its directory is not
// listed. A path listed again (in any of the keys, ASCII letters compared
// without regard to case) is handled once and its later entries logged as
// skipped. Returns the number of files deleted.
int RemoveFiles(TRemovalContext& Ctx);

// The ActiveX step: each entry "path;style" is checked (a missing count
// asks), unregistered ("0": DllUnregisterServer of the loaded library; "1":
// the program started hidden with /UNREGSERVER and waited for up to
// ServerWaitMs), its directory listed and the file deleted; then the
// ActiveX key is deleted. An entry whose path is not full is skipped and
// logged, and one listed again is handled once, as in the Files step.
// Returns the number of servers removed.
int RemoveActiveX(TRemovalContext& Ctx, unsigned ServerWaitMs = 30000);

// The registry step: removes the recorded values of every RegistryKeys
// entry and a target key left with neither values nor sub-keys, then
// deletes RegistryKeys. Returns false when any entry was unreadable or
// named a root outside 0-5 (the other entries are still processed).
bool RemoveRegistryValues(TRemovalContext& Ctx);

// The INI file entries step. For each sub-key of INIFiles: its "FilePath"
// names the file (a bare name, as the profile functions take it, lies in the
// Windows directory); a file that does not exist is skipped. For each
// section sub-key of its Entries key, the section is read through the
// profile functions and every line whose entry name equals a recorded value
// name (whatever the value's data) is dropped: both names without
// surrounding blanks (the profile functions ignore them too) and with ASCII
// case ignored. A section that lost a line is written back with its
// surviving entries in reverse order, one line per name holding the value of
// the first line of that name (a line without "=" comes back as "name="); a
// section left without entries is erased. The section is replaced in one
// write, so a write that fails leaves it as it was. A section where nothing
// matched is not touched, so a second run changes nothing; neither is a
// section the file holds more than once (erasing takes every copy while
// reading gives only the first). Comment lines of a rewritten section go:
// the profile functions do not return them. A file that then has size 0 is
// deleted (its directory listed) and its directory removed when nothing else
// is in it. Each INIFiles sub-key is deleted when its file is done, INIFiles
// itself at the end.
// Raises Exception with IniFileUnreadableMessage when a file that exists
// cannot be opened for reading, before anything of that file is changed, and
// with IniFileUnwritableMessage when a section cannot be written; the files
// done before stay done and their sub-keys deleted, the rest of the record
// stays. Returns the number of INI files changed (a section rewritten or
// erased, or the file deleted).
int RemoveIniEntries(TRemovalContext& Ctx);

// The database engine step. The product's share E is the record's BDE
// "Entries" (a decimal string; 0 when missing, not a number or negative).
// With the engine's use count U above E, U - E is written back as a
// decimal string and the engine stays. Otherwise the engine key and
// EngineLoaderKey are deleted with everything below them, and the
// configuration file is deleted (its directory listed). A UseCount that is
// missing or not a number leaves the engine as it is: it may be another
// product's, and a count that cannot be read is no proof that nobody uses
// it. Nothing happens without a BDE key or an engine key. The record's BDE
// key stays (it goes with the record). Writes one line to the run log.
// Raises ERegistryException when the lowered count cannot be written.
void RemoveEngineShare(TRemovalContext& Ctx);
// The same on another engine key and loader key (from HKEY_LOCAL_MACHINE,
// with a leading backslash); for tests, which must not touch the engine's
// real keys.
void RemoveEngineShare(TRemovalContext& Ctx, const std::string& Engine, const std::string& Loader);

// Removes the directories of DirectoriesToRemove that are empty (see
// RemoveListedDirectories), after deleting the stale temporary files a
// killed install left in them (RemoveStaleBesideFiles; each logged).
// Returns how many were removed.
int RemoveDirectories(const TRemovalContext& Ctx);

// Deletes the base key with everything below it. False when it was
// missing or could not be deleted entirely.
bool DeleteRecord(const TRemovalContext& Ctx);

// DeleteRecord for the end of a removal: true when this call deleted the
// record, false when it was already gone (another run removed it). Raises
// Exception with RecordNotDeletedMessage (the key from HKEY_LOCAL_MACHINE
// and the Windows error text) when the record is still there afterwards;
// the keys below it deleted before the failure stay deleted.
bool DeleteRecordAtEnd(const TRemovalContext& Ctx);

}  // namespace vtrl
