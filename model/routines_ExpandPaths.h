// Path specifiers: where each stored location is anchored on the target
// machine, the special folders, and the %-meta-variables of free text.
#pragma once

#include <string>

#include "types_Vantrel.h"

namespace vtrl {

class TInstallContainer;

// Reads the Windows and System directories; called once at program start.
// Raises EAICannotGetWindowsDir / EAICannotGetSystemDir when a query fails.
void InitSystemDirectories();
// Cached by InitSystemDirectories (which they call on first use).
const std::string& WindowsDir();
const std::string& SystemDir();

// The special folders, resolved on each call from "Shell Folders" and the
// CurrentVersion key, with their fallbacks; no trailing backslash.
std::string StartMenuFolder();
std::string ProgramsFolder();
std::string DesktopFolder();
std::string FontsFolder();
std::string StartupFolder();
std::string ProgramFilesFolder();
std::string CommonFilesFolder();

// The anchor of the specifiers that DestDir and ArchiveFile resolve alike
// (ddAbsolute: empty, ddSystem, ddWindows, ddProgramFilesDir,
// ddCommonFilesDir); false for the others, which depend on the component.
bool CommonAnchor(TPathSpecifiers Type, std::string& Anchor);

// Replaces %a %b %c %d %f %i %m %p %s %w with directories and %% with a
// percent sign; any other letter after a percent sign is dropped with it, as
// is a percent sign at the end. Component may be null (then %a and %c fail
// with EAICannotExpandContainerDirMV; %i without a TInstall fails with
// EAICannotExpandInstallDirMV).
std::string ExpandMetaVariables(const std::string& Text, TInstallContainer* Component);

}  // namespace vtrl
