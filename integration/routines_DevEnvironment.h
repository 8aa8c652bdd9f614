// What the installation finds of the development environments the kit is
// for (Delphi 3.0, C++Builder 1.0), and what it does to make the installed
// kit known to them: the help link in their help contents and the package
// in Delphi 3.0's palette and library path. None of it goes into the
// uninstall record: removing the product leaves these changes.
#pragma once

#include <string>

namespace vtrl {

struct TDevEnvironmentState {
    // Delphi 3.0's program "DELPHI32.EXE" was found in DelphiBinDir.
    bool DelphiPresent = false;
    // The environment's program folder (RootDir\BIN).
    std::string DelphiBinDir;
    // The kit's package went into Delphi 3.0.
    bool PackageInstalled = false;
    std::string DelphiHelpDir;    // RootDir\HELP, or empty
    std::string CBuilderRootDir;  // C++Builder 1.0's RootDir, or empty
    std::string CBuilderHelpDir;  // its HELP folder, or empty
};

// The run's state, process-wide; "nothing found" until FindDevEnvironments
// fills it.
TDevEnvironmentState& DevEnvironment();

// Reads where Delphi 3.0 and C++Builder 1.0 are from their "RootDir" under
// HKEY_LOCAL_MACHINE "\Software\Borland" and sets the state afresh (the
// package not installed). Reads only.
void FindDevEnvironments(TDevEnvironmentState& State);

// The line a help contents file gets for the kit's help file.
inline constexpr const char* HelpContentsLink = ":Link vtrl32.hlp";

// Adds HelpContentsLink at the end of the help contents file File unless a
// line equals it (without regard to case). Everything else in the file is
// kept byte for byte. False when the file is missing or cannot be read or
// written (logged; the file is then as it was).
bool AddHelpContentsLink(const std::string& File);

// Registers the kit's package "Vantrel32.DPK" in the install folder Dest
// with Delphi 3.0: starts the command-line compiler on it (hidden, not
// waited for, in Dest), lists "Vantrel32.DPL" under "Known Packages" in
// place of any older one, takes it off "Disabled Packages", moves Dest to
// the end of the library "SearchPath" (older folders of the kit dropped)
// and adds the help link to "DELPHI3.CNT". Stops at the first condition
// not met or the first failure, which is logged, never raised; sets
// State.PackageInstalled when everything up to the search path went
// through. The current folder is Dest afterwards.
void InstallPackage(TDevEnvironmentState& State, const std::string& Dest);

// The library search path with every folder that exists and holds
// "Vantrel32.DPK" taken out and Dest (without a trailing backslash) put at
// the end; ";" between folders, none after the last.
std::string SearchPathWithKit(const std::string& SearchPath, const std::string& Dest);

}  // namespace vtrl
