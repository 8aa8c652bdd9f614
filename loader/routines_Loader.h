// The loading program's work, one routine per step: read its run options,
// find the distribution's parts, unpack "setup.1" into a private temporary
// directory, start the setup program with the arguments it expects, and
// remove the temporary directory again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtrl {

// The leading run options the loader passes on to the setup program.
struct TLoaderOptions {
    bool Silent = false;   // /SILENT
    bool Verbose = false;  // /VERBOSE
    bool NoRestart = false;  // /NORESTART
    std::string Directory;   // /DIR=<path>, as given
    std::string Language;    // /LANG=<language>
    std::string LogFile;   // /LOG=<file>, made absolute
    std::string ResponseFile;   // /RESPONSE=<file>, made absolute
    std::string RecordFile;     // /RECORD=<file>, made absolute
    std::string ScreenshotDir;  // /SCREENSHOTS=<dir>, made absolute
    bool Help = false;     // /? or /HELP
    std::string Unknown;   // the first argument that is none of these
    std::string NoValue;   // the first option that takes a value, given without one ("/DIR")
};

// The loading program's usage, shown for /?, /HELP or an unknown argument.
extern const char* const LoaderUsage;

// Reads the run options in Args (the arguments after the program path):
// "/SILENT", "/VERBOSE", "/NORESTART", "/DIR=<path>", "/LANG=<language>", "/LOG=<file>", "/RESPONSE=<file>", "/RECORD=<file>",
// "/SCREENSHOTS=<dir>", "/?" and "/HELP", in any order, matched without
// regard to case. The loading program takes no other arguments: the first
// other one (an unknown option, one of those without a name, any word) is
// kept in Unknown, so that a mistyped option never leads to a silent
// install. Relative file and directory names are taken from CurrentDir: the
// setup program runs in another directory.
TLoaderOptions ParseLoaderOptions(const std::vector<std::string>& Args, const std::string& CurrentDir);

// Where the setup archive "setup.1" is read from.
struct TDistributionParts {
    bool SelfExtracting = false;  // the parts are appended to the loader
    std::string SetupArchive;     // the file holding "setup.1"
    int32_t SetupOffset = 0;      // its position in that file
    std::string Damage;           // the loader's certificate table is damaged: how
};

// The parts of the distribution of the loading program LoaderPath: its own
// appended parts when it ends in a sound trailer (before its certificate
// table, once signed), otherwise "setup.1" beside it. Returns false when
// neither exists, and when its certificate table is damaged (Damage).
bool LocateParts(const std::string& LoaderPath, TDistributionParts& Parts);

// One argument quoted for a Windows command line so that the C runtime's
// splitting gives it back unchanged.
std::string QuoteArgument(const std::string& Arg);

// The setup program's command line: its path, the run options, and either
// the source directory or "*SELFEXTRACT" <loader file name> <source dir>.
std::string SetupCommandLine(const std::string& SetupPath, const TLoaderOptions& Options,
                             const TDistributionParts& Parts, const std::string& LoaderPath);

// The prefix of the loading program's temporary directories
// (vtrlsetup<pid in hex>-<n>) and the name of the lock file in each.
inline constexpr const char* TempDirectoryPrefix = "vtrlsetup";
inline constexpr const char* TempLockName = "vtrlsetup.lck";

// Creates a new directory of its own under the temporary directory; raises
// Exception when none can be created.
std::string CreatePrivateTempDirectory();

// Creates the lock file TempLockName in the loader's own directory Dir and
// returns it open without sharing: while the loader runs, nobody can delete
// it, which tells RemoveStaleTempDirectories that the directory is in use.
// INVALID_HANDLE_VALUE (as an intptr_t, -1) when it cannot be created.
intptr_t CreateTempLock(const std::string& Dir);

// Closes Lock and deletes the lock file of Dir: a directory kept for the
// setup program's continuation after a restart must never look stale.
// True when the lock file is gone.
bool ReleaseTempLock(intptr_t Lock, const std::string& Dir);

// What RemoveStaleTempDirectories did with one directory.
struct TStaleDirectory {
    std::string Dir;
    bool Removed = false;
    std::string Note;  // why it stays, or what could not be deleted
};

// Removes the temporary directories that loading programs left behind when
// they were ended without cleaning up: every directory TempDirectoryPrefix*
// in TempBase other than Own whose lock file exists and can be deleted (no
// running loader holds it). A directory without a lock file (one kept for a
// restart, one a loader is creating now) is not touched. Its .exe files are
// deleted first; when one cannot be (a setup program still runs from it)
// the directory stays with what is left. Otherwise the rest is deleted and
// the directory removed. Returns what it did with each directory it
// touched.
std::vector<TStaleDirectory> RemoveStaleTempDirectories(const std::string& TempBase, const std::string& Own);

// Unpacks every member of the setup archive into Dir by its name part and
// returns the full path of the first member, the setup program. Raises the
// archive's exceptions for a damaged archive or member, and Exception (with
// the system's reason) for an archive without members, one split over
// disks, a member name that is no plain file name, and a file that cannot
// be read or written. Files already unpacked stay for the caller to remove
// with the directory.
std::string UnpackSetupArchive(const TDistributionParts& Parts, const std::string& Dir);

// Deletes the files in Dir and Dir itself, retrying for a short while (a
// program that just ended may still hold its image open). True when Dir is
// gone.
bool RemoveTempDirectory(const std::string& Dir);

// Runs CommandLine and waits for it; returns its exit code. Raises Exception
// with the Windows error when it cannot be started.
uint32_t RunAndWait(const std::string& Program, const std::string& CommandLine);

}  // namespace vtrl
