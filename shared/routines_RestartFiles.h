// Work for the next start of Windows: deleting a file at restart, and the
// two ways of moving a file at restart (WININIT.INI "Rename" lines on the
// Windows 95 family, the system's delayed move on NT).
#pragma once

#include <string>
#include <string_view>

namespace vtrl {

// The short (8.3) form of an existing path (GetShortPathNameA). Raises
// Exception naming the path and the Windows error when the path does not
// exist or has no short form.
std::string GetShortPath(const std::string& Path);

// Full path of WININIT.INI in the Windows directory. Raises Exception when
// the Windows directory cannot be obtained.
std::string WininitPath();

// Returns the text of an INI file with the line Key=Value added to its
// section Section (the first one whose name matches without regard to ASCII
// case). The line goes after the last non-blank line of the section; a
// missing section is appended at the end. With ReplaceSameKey an existing
// line of the section with the same key (ASCII case ignored) is replaced
// instead. Inserted lines end in CR LF. Other lines stay byte for byte.
std::string AddProfileLine(std::string_view Content, std::string_view Section,
                           std::string_view Key, std::string_view Value, bool ReplaceSameKey);

// Adds the line Target=Source to the section "Rename" of WININIT.INI, which
// the Windows 95 family processes at its next start ("nul" as Target deletes
// Source). A "nul" line is always added, so several deletions can be queued;
// another Target replaces an earlier line for the same Target, as the
// system's profile writer would. The file is rewritten through a temporary
// file in the Windows directory, so a failure leaves the old file whole.
// Raises Exception on any failure.
void WininitRename(std::string_view Target, std::string_view Source);

// Asks the NT family to move Source onto Target at the next restart, or to
// delete Source when Target is empty (MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING). Returns false
// when the system refuses (typically for lack of rights: the request is
// stored under HKEY_LOCAL_MACHINE); GetLastError then tells why. The caller
// decides what to do instead.
[[nodiscard]] bool TryMoveFileAtRestart(const std::string& Source, const std::string& Target);

// Schedules the deletion of the file Path at the next start of Windows. On
// the Windows 95 family: WININIT.INI, section "Rename", line
// nul=<short path of Path>. Elsewhere: the delayed move to nothing. Raises
// Exception naming the path and the Windows error when it cannot be
// scheduled (on the Windows 95 family also when Path does not exist).
void DeleteAtRestart(const std::string& Path);

}  // namespace vtrl
