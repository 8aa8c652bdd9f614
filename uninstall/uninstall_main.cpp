// The uninstall program: one form, started with the product name as its
// command line.
#include <windows.h>

#include "Dialogs.h"
#include "Forms.h"
#include "UninstallForm.h"
#include "Unattended.h"

using namespace vtrl;

namespace {

// An "UninstallString" whose program path is not quoted reaches us
// verbatim; re-reading it with the path quoted keeps the path's blanks out
// of the product name.
void AcceptUnquotedProgramPath() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    const std::string commandLine = GetCommandLineA();
    const std::string quoted = QuoteProgramPath(commandLine, path);
    if (quoted != commandLine) InitRunOptions(quoted);
}

int RunUninstall() {
    SetProgramUsage(
        "Usage: uninstall.exe [/SILENT] [/LOG=<file>] [/VERBOSE] [/RESPONSE=<file>] [/RECORD=<file>] <product name>\r\n"
        "  /SILENT           show no window; every question takes its default answer (a shared\r\n"
        "                    file is kept)\r\n"
        "  /LOG=<file>       append a log of the run to <file>\r\n"
        "  /VERBOSE          add to the log where the time went and the memory used\r\n"
        "  /RESPONSE=<file>  answer the window and the questions from <file>\r\n"
        "  /RECORD=<file>    write the answers given in this run to <file> as a response file\r\n"
        "Exit codes: 0 removed, 1 failure (or nothing to remove), 3010 removed, but files in use are\r\n"
        "deleted at the next restart.");
    Application.Initialize();
    AcceptUnquotedProgramPath();
    Application.Title = "Uninstall";
    TUninstallForm* form = nullptr;
    Application.CreateForm(form);
    try {
        form->FormCreate();
    } catch (const Exception& e) {
        Log("Start-up failed: " + ExceptionLogText(e));
        ShowError(e);
        Application.ExitCode = 1;
        // The window stays with only Close working; nobody would close it
        // in an unattended run.
        if (IsSilent()) return Application.ExitCode;
    }
    Application.Run();
    return Application.ExitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunProgram(RunUninstall); }
