// The setup program: creates the main form and the installation
// definition, lets TInstall choose the run mode, and runs the message loop.
#include <windows.h>

#include <memory>

#include "Dialogs.h"
#include "Forms.h"
#include "InstallModule.h"
#include "Unattended.h"
#include "Unit1.h"
#include "routines_ExpandPaths.h"

using namespace vtrl;

namespace {

int RunSetup() {
    SetProgramUsage(
        "Usage: setup.exe [/SILENT] [/NORESTART] [/DIR=<path>] [/LANG=<language>] [/LOG=<file>] [/VERBOSE] [/RESPONSE=<file>] [/RECORD=<file>] [/SCREENSHOTS=<dir>] "
        "[source directory | *BUILD | *TODISK <setup.exe> <build directory> | *SELFEXTRACT <loader> <source directory> | "
        "*ABOOT]\r\n"
        "  /SILENT             show no window; every page and question takes its default answer\r\n"
        "  /NORESTART          never restart Windows; the restart question is answered No\r\n"
        "  /DIR=<path>         install into <path> instead of the product's own folder\r\n"
        "  /LANG=<language>    use <language> (English, German, French, ...) without the language page\r\n"
        "  /LOG=<file>         append a log of the run to <file>\r\n"
        "  /VERBOSE            add to the log where the time went and the memory used\r\n"
        "  /RESPONSE=<file>    answer the wizard's pages and the questions from <file>\r\n"
        "  /RECORD=<file>      write the answers given in this run to <file> as a response file\r\n"
        "  /SCREENSHOTS=<dir>  with /RESPONSE, save a picture of each page shown into <dir>\r\n"
        "Exit codes: 0 success, 1 failure, 2 cancelled, 3010 restart needed (files are replaced and the\r\n"
        "installation finishes when Windows starts again).");
    Application.Initialize();
    Application.Title = "Setup";
    // The backdrop goes first: it is the main form, which the run
    // maximises and which every other form stays above.
    TForm1* mainForm = nullptr;
    Application.CreateForm(mainForm);
    InitSystemDirectories();
    // The module goes before the application object: its components
    // still talk to the application while they are destroyed.
    std::unique_ptr<TIM> owner(new TIM(nullptr));
    TIM* module = owner.get();
    module->SetName("IM");
    {
        TPhaseTimer timer("reading the definition");
        module->LoadDefinition(EmbeddedDefinition(), "INSTALLDEFINITION");
    }
    TInstall* install = module->Install();
    if (!install) throw Exception("The installation definition holds no TInstall component");
    // The backdrop has no caption bar: the product's name shows in the
    // task bar.
    mainForm->SetCaption(install->Information()->ProductName());
    Application.Title = install->Information()->ProductName() + " Setup";
    install->StartMode();
    if (install->Mode() == TRunMode::Build || install->Mode() == TRunMode::ToDisk ||
        install->Mode() == TRunMode::AfterBoot)
        return Application.ExitCode;
    Application.Run();
    return Application.ExitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunProgram(RunSetup); }
