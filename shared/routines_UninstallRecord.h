// Writing the uninstall record: numbered entries with their counts, the
// Files roll-over and the uninstall command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtrl {

// Appends Value as "<Prefix><n>" ("File<n>" unless told otherwise) to the
// kind key KindKey (HKEY_LOCAL_MACHINE, path with a leading backslash), n
// being its "Entries" count plus one, then writes "Entries" = n: an
// interrupted write leaves the count at the last complete entry. Returns n.
// Raises EIRCannotWriteValue when a write fails and Exception when
// "Entries" is not a number.
int AppendNumberedEntry(const std::string& KindKey, const std::string& Value, const char* Prefix = nullptr);

// The name of the Files key number K under Base: Base\Files, then
// Base\Files1, Base\Files2, ...
std::string FilesKeyName(const std::string& Base, int K);

// Appends Path to the Files keys of the record under Base: "Files" first,
// then "Files1", "Files2", ... when a key cannot take it: any failure of
// reading its count or writing the entry moves on, and so does a key that
// holds MaxEntries entries already (a registry key of a hundred thousand
// values makes every later value cost more; Windows 95 stops far earlier).
// After MaxKeys keys (Files .. Files<MaxKeys-1>) the last failure is
// raised, or Exception when every key was full. The count of the key that
// took the entry is written after it; its failure is raised. Returns the
// key that took the entry. 0 takes the kit's limits. A Path that is not
// full (IsFullPath) raises Exception naming it, before anything is written.
// A Path the chain lists already (ASCII letters compared without regard to
// case), as a second install of the product writes it, is not listed again:
// nothing is written and the key that lists it is returned.
std::string AppendFilesEntry(const std::string& Base, const std::string& Path, int MaxKeys = 0, int MaxEntries = 0);

// Appends Path + ";" + style to "ActiveX" under Base: "1" for a server
// program (EXE style), "0" for a server in process. A Path that is not
// full raises Exception naming it, before anything is written; one that
// "ActiveX" lists already (with either style) is not listed again.
void AppendActiveXEntry(const std::string& Base, const std::string& Path, bool ExeStyle);

// True when the record under Base lists Path among its files or its
// servers (compared as the appends compare): what an earlier install of
// the product wrote.
bool RecordListsPath(const std::string& Base, const std::string& Path);

// Appends each of Dirs (full paths of folders the install made) as
// "Folder<n>" to "Folders" under Base, each entry before its count; creates
// the key with "Entries" = "0" when it has no count yet, also for an empty
// Dirs: its presence tells the uninstall program that the record lists the
// product's folders. A folder listed already is not listed again. Raises
// Exception naming a path that is not full (the ones before it are
// written) and EIRCannotWriteValue when a write fails.
void AppendFolderEntries(const std::string& Base, const std::vector<std::string>& Dirs);

// The "RegistryKeys" entry of the record under Base for Key (a path with a
// leading backslash) in the root key Root (0-5): the one that lists it
// already (installing again writes the same key again), or a new
// "RegistryKey<n>" with "Key" and "Root", the count written first. The
// uninstall program deletes the values named under the entry's "Entries"
// key, then Key when nothing is left in it. Raises EIRCannotWriteValue
// when a write fails.
std::string RegistryKeysEntry(const std::string& Base, const std::string& Key, int32_t Root);

// While one of these is open, the kind keys the appends above open stay
// open, with the count each append wrote: an install pass appends one entry
// per file, and each key open and count read is a round trip to the
// registry. Every entry and its count are still written as they come, so a
// run that is killed loses nothing it had recorded. The paths a kind lists
// are read once per scope for the check against listing a path twice; an
// entry someone else deletes meanwhile is not noticed unless its key then
// fails to take a write. Scopes nest; the outermost closes the keys. For
// one thread.
class TRecordAppendScope {
public:
    TRecordAppendScope();
    ~TRecordAppendScope();
    TRecordAppendScope(const TRecordAppendScope&) = delete;
    TRecordAppendScope& operator=(const TRecordAppendScope&) = delete;
};

// The bytes of the files the record under Base lists (the Files chain as
// the uninstall program follows it, and the ActiveX servers), measured on
// disk now; files that are gone count nothing, and a path listed more than
// once (a record written by an older setup that listed every install's
// files again; compared as the appends compare) counts once. What Windows'
// list of installed programs shows as the product's size.
int64_t RecordedFilesSize(const std::string& Base);

// The "UninstallString": the program path in double quotes, so that blanks
// in it cannot run into the product name, one blank, then the product name.
std::string UninstallCommandLine(const std::string& ProgramPath, const std::string& ProductName);

}  // namespace vtrl
