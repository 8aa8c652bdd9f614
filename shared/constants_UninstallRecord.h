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
//     RegistryKeys
//       "Entries"        string  number of RegistryKey<n> sub-keys
//       RegistryKey<n>
//         "Key"          string  the key path written, with a leading backslash
//         "Root"         DWORD   the TRootKeys ordinal (the one integer value)
//         Entries              one string value per registry value written
//     INIFiles, Aliases, BDE   written by components outside this kit
#pragma once

namespace vtrl::uninstall_record {

inline constexpr const char* DisplayName = "DisplayName";
inline constexpr const char* UninstallString = "UninstallString";
inline constexpr const char* FilesKey = "Files";
inline constexpr const char* ActiveXKey = "ActiveX";
inline constexpr const char* RegistryKeysKey = "RegistryKeys";
inline constexpr const char* RegistryKeyPrefix = "RegistryKey";
inline constexpr const char* Entries = "Entries";
inline constexpr const char* FilePrefix = "File";
inline constexpr const char* ActiveXInProcess = "0";
inline constexpr const char* ActiveXProgram = "1";

// How many Files keys an entry tries (Files, Files1 ... Files<n-1>) before
// the last failure is reported (with FilesKeyEntryLimit, room for two
// million files). A failure that is not about one key (no
// write access to HKEY_LOCAL_MACHINE) fails for every key; trying for ever
// would hang the installation.
inline constexpr int FilesKeyLimit = 1000;
// How many entries a Files key takes before the next key is begun.
inline constexpr int FilesKeyEntryLimit = 2000;

}  // namespace vtrl::uninstall_record
