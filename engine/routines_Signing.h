// The build's signing of its programs with the author's own command, named
// in BUILD.INF as "SignCommand=...".
//
// The command signs the program "%1". When it also names "%2", it writes
// the signed program there (as osslsigncode does: -in %1 -out %2);
// otherwise it signs "%1" in place (as the platform's signing tool does).
// Both are replaced by the quoted full paths.
//
// On Windows the command line is run by cmd.exe. Under Wine it is run by
// the host's shell (/bin/sh), so that it names the host's programs, and the
// paths it is given are the host's. Either runs in the current folder (a
// build's: the setup program's), so relative paths in it are read from
// there. Either way its output goes to the log,
// and a command that fails, or that leaves the program without a
// certificate table, fails the build with that output.
#pragma once

#include <functional>
#include <string>

namespace vtrl {

class TProgramSigner {
public:
    using TLogProc = std::function<void(const std::string&)>;

    // Raises Exception when Command names no "%1" or no scratch directory
    // can be made. HostShell: the host's shell runs the command, not
    // cmd.exe (the default: under Wine).
    TProgramSigner(std::string Command, TLogProc Log, bool HostShell = TProgramSigner::HostShell());
    // Removes the scratch directory and everything in it.
    ~TProgramSigner();
    TProgramSigner(const TProgramSigner&) = delete;
    TProgramSigner& operator=(const TProgramSigner&) = delete;

    // A signed copy of Program, in the scratch directory under Program's
    // name, with Program's date. Program itself is left as it was.
    std::string SignedCopy(const std::string& Program);
    // Signs File where it is. On failure File may be left unsigned or gone.
    void SignInPlace(const std::string& File);

    // Whether the host's shell runs the commands (under Wine).
    static bool HostShell();

private:
    void Run(const std::string& Input, const std::string& Output, const std::string& Program);

    std::string FCommand;
    TLogProc FLog;
    bool FHostShell;
    std::string FScratch;  // with a trailing backslash
    int FRuns = 0;
};

// Command with "%1" and "%2" replaced by In and Out, quoted for the shell
// that runs it: single quotes for the host's shell, double quotes for
// cmd.exe. Exposed for tests.
std::string SigningCommandLine(const std::string& Command, const std::string& In, const std::string& Out,
                               bool HostShell);

}  // namespace vtrl
