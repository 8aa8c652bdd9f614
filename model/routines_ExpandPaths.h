// Path specifiers: where each stored location is anchored on the target
// machine, the special folders, and the %-meta-variables of free text.
#pragma once

#include <string>
#include <vector>

#include "types_Vantrel.h"

namespace vtrl {

class TInstallContainer;

// Reads the Windows and System directories; called once at program start.
// Raises EAICannotGetWindowsDir / EAICannotGetSystemDir when a query fails.
void InitSystemDirectories();
// Cached by InitSystemDirectories (which they call on first use).
const std::string& WindowsDir();
const std::string& SystemDir();

// The special folders, resolved from "Shell Folders" and the CurrentVersion
// key, with their fallbacks; no trailing backslash. Read on each call, or
// once while a TPathCacheScope lives.
std::string StartMenuFolder();
std::string ProgramsFolder();
std::string DesktopFolder();
std::string FontsFolder();
std::string StartupFolder();
std::string ProgramFilesFolder();
std::string CommonFilesFolder();

// While one lives (they nest), each special folder is read from the
// registry once, and ForceDirectoriesOnce checks each directory once: an
// install pass resolves the same few folders for every file, and each read
// costs registry round trips. The folders and directories must not change
// meanwhile; the outermost scope forgets them when it ends.
class TPathCacheScope {
public:
    TPathCacheScope();
    ~TPathCacheScope();
    TPathCacheScope(const TPathCacheScope&) = delete;
    TPathCacheScope& operator=(const TPathCacheScope&) = delete;
};

// ForceDirectories (Dir and every missing level above it; true when it
// exists after), remembered within a TPathCacheScope. The directories it
// makes are kept for TakeCreatedDirectories. The first time a run asks for
// a directory that existed already, the stale files a killed run left there
// (RemoveStaleBesideFiles) are deleted, each with a line in the run log.
bool ForceDirectoriesOnce(const std::string& Dir);

// The directories ForceDirectoriesOnce made since the last call and did
// not record (outside a TFolderRecordScope), outermost first, and forgets
// them: what the uninstall record lists as the product's own folders. Not
// cleared by TPathCacheScope.
std::vector<std::string> TakeCreatedDirectories();

// While one lives with a non-empty Base (the innermost counts), each
// directory ForceDirectoriesOnce makes is recorded at once in the Folders
// key of the uninstall record under Base (AppendFolderEntries, whose
// failure it raises), together with any still waiting: a run ended at any
// moment afterwards still lists it. An empty Base records nothing.
class TFolderRecordScope {
public:
    explicit TFolderRecordScope(std::string Base);
    ~TFolderRecordScope();
    TFolderRecordScope(const TFolderRecordScope&) = delete;
    TFolderRecordScope& operator=(const TFolderRecordScope&) = delete;

private:
    std::string FOuter;
};

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
