// Pieces of the distribution builders that tests reach directly: the build
// directory from "BUILD.INF", the loading program's place, the
// self-extracting layout and the floppy set's test handshake.
#pragma once

#include <string>
#include <vector>

namespace vtrl {

// The kit maker's key under HKEY_LOCAL_MACHINE and its value naming the
// kit's directory, which holds the loading program.
extern const char* const VantrelKitKey;
extern const char* const VantrelDirectoryValue;
// The loading program's file name in the kit's directory.
extern const char* const LoadingProgramName;

// The build directory named by the first line of ProgramDir\"BUILD.INF"
// (trimmed, without a trailing backslash; relative to ProgramDir unless
// absolute). Raises Exception when the file is missing or its first line is
// missing or blank.
std::string ReadBuildDirectory(const std::string& ProgramDir);

// All of "BUILD.INF": the build directory (as above) and the settings of
// the lines after it, "Name=Value" each. The one setting is SignCommand,
// the author's command that signs the build's programs (routines_Signing.h).
// Other lines are left alone; a line that looks like a setting and is none
// gives a warning.
struct TBuildSettings {
    std::string Directory;
    std::string SignCommand;
    std::vector<std::string> Warnings;
};
TBuildSettings ReadBuildSettings(const std::string& ProgramDir);

// The full path of "VantrelLoadProgram.exe" in the kit's directory. When the
// registry value is blank the directory is asked for once with the form
// TSelectVtrlDir and the answer is written back as typed; a blank answer
// (the answer of a silent run) then raises Exception naming the value.
// Does not test that the file exists.
std::string FindLoadingProgram();

// Appends SetupArchive, FilesArchive and the 56-byte trailer (with Title) to
// SetupExe. Raises Exception when a file cannot be read or written or the
// result would reach 2 GB; SetupExe may then hold part of the data.
void AppendArchives(const std::string& SetupExe, const std::string& SetupArchive, const std::string& FilesArchive,
                    const std::string& Title);

// The trailer of the self-extracting Program, checked against the file's
// size (up to the certificate table of a signed one): a program that
// carries no appended archives is refused, and so is a damaged table.
struct TTrailerPlace;
TTrailerPlace CheckedTrailer(const std::string& Program);

// Test handshake of the floppy-set mode (for the tests only; unused unless
// the environment variable VTRL_TEST_DISK_HANDSHAKE names a directory): a
// silent run answers "Please insert disk <n>" by creating the file
// "insert<n>.txt" in that directory and waiting up to 120 s for
// "inserted<n>.txt", whose first word "OK" or "Cancel" is the answer; the
// test changes the disk behind drive A: in between. The answer file is
// deleted after it is read.
extern const char* const DiskHandshakeVariable;

}  // namespace vtrl
