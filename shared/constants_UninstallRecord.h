// The uninstall record: the registry tree through which setup tells
// uninstall what it installed. Both programs follow this layout; they
// share nothing else, so it never changes shape.
//
// Map (all under HKEY_LOCAL_MACHINE; counts are decimal strings):
//
//   \Software\Microsoft\Windows\CurrentVersion\Uninstall\<ProductName>
//     "DisplayName"      string  the product name (Add/Remove Programs list)
//     "UninstallString"  string  "<program path>" <ProductName>, the path in
//                                double quotes; uninstall also accepts the
//                                older unquoted form
//     Files, Files1, Files2, ...   one numbered key after another; a key that
//                                  cannot take an entry passes it on to the next
//       "Entries"        string  number of File<n> values of this key
//       "File<n>"        string  full path of one installed file or shortcut
//     ActiveX
//       "Entries"        string  number of entries
//       "File<n>"        string  full path, ";", "0" (server in process, DLL
//                                style) or "1" (server program, EXE style)
//     Folders                  the folders the install made, read by this
//                              kit's uninstall from the version that writes
//                              it; older ones ignore it. Its presence means
//                              "only these folders are the product's": a
//                              folder that existed before the install (a
//                              Start-menu folder chosen for the links) is
//                              never listed, so the uninstall leaves it
//                              even when it is empty then
//       "Entries"        string  number of Folder<n> values, "0" when the
//                                install made none
//       "Folder<n>"      string  full path of one folder, written right after
//                                the work that made it; a parent comes
//                                before the folders made inside it
//     RegistryKeys
//       "Entries"        string  number of RegistryKey<n> sub-keys
//       RegistryKey<n>
//         "Key"          string  the key path written, with a leading backslash
//         "Root"         DWORD   the TRootKeys ordinal (the one integer value)
//         Entries              one string value per registry value written
//     What Windows' list of installed programs (and package tools) read
//     besides those two, written by setup at the end of the install pass:
//     "DisplayVersion"   string  the product's version
//     "Publisher"        string  the company name
//     "InstallLocation"  string  the main install directory
//     "DisplayIcon"      string  the main program (or the uninstall program)
//     "EstimatedSize"    DWORD   KB of the files the record lists, measured
//     "QuietUninstallString" string  "<program path>" /SILENT <ProductName>
//     "NoModify", "NoRepair"  DWORD  1: the entry offers removal only
//     "InstallDate"      string  yyyymmdd, the day of the install
//     INIFiles                 written by components outside this kit
//       <any name>             one sub-key per INI file; the name means nothing
//         "FilePath"     string  full path of the INI file
//         Entries
//           <section>          one sub-key per section written, named as it
//             <entry>    any     one value per entry written, named as the
//                                entry; its data is never read
//     Aliases                  written by components outside this kit
//     BDE                      written by components outside this kit
//       "Entries"        string  this product's share of the database
//                                engine's use count (its "UseCount")
#pragma once

namespace vtrl::uninstall_record {

inline constexpr const char* DisplayName = "DisplayName";
inline constexpr const char* UninstallString = "UninstallString";
inline constexpr const char* DisplayVersion = "DisplayVersion";
inline constexpr const char* Publisher = "Publisher";
inline constexpr const char* InstallLocation = "InstallLocation";
inline constexpr const char* DisplayIcon = "DisplayIcon";
inline constexpr const char* EstimatedSize = "EstimatedSize";
inline constexpr const char* QuietUninstallString = "QuietUninstallString";
inline constexpr const char* NoModify = "NoModify";
inline constexpr const char* NoRepair = "NoRepair";
inline constexpr const char* InstallDate = "InstallDate";
inline constexpr const char* FilesKey = "Files";
inline constexpr const char* ActiveXKey = "ActiveX";
inline constexpr const char* FoldersKey = "Folders";
inline constexpr const char* FolderPrefix = "Folder";
inline constexpr const char* RegistryKeysKey = "RegistryKeys";
inline constexpr const char* RegistryKeyPrefix = "RegistryKey";
inline constexpr const char* Entries = "Entries";
inline constexpr const char* FilePrefix = "File";
inline constexpr const char* ActiveXInProcess = "0";
inline constexpr const char* ActiveXProgram = "1";
inline constexpr const char* INIFilesKey = "INIFiles";
inline constexpr const char* FilePath = "FilePath";
inline constexpr const char* AliasesKey = "Aliases";
inline constexpr const char* BDEKey = "BDE";

// How many Files keys an entry tries (Files, Files1 ... Files<n-1>) before
// the last failure is reported (with FilesKeyEntryLimit, room for two
// million files). A failure that is not about one key (no
// write access to HKEY_LOCAL_MACHINE) fails for every key; trying for ever
// would hang the installation.
inline constexpr int FilesKeyLimit = 1000;
// How many entries a Files key takes before the next key is begun.
inline constexpr int FilesKeyEntryLimit = 2000;

}  // namespace vtrl::uninstall_record
