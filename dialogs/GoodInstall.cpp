#include "GoodInstall.h"

#include "Buttons.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "cmp_TInstallFile.h"
#include "routines_DevEnvironment.h"
#include "types_Installation.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TGoodInstallForm, TStandardPageForm, [](auto&) {})

namespace {
// The last page of the wizard that follows a good installation.
const TFormSelfRegistration<TBIFEntry> Registration(&TGoodInstallForm::StaticClass(), &BIFList);
}  // namespace

TGoodInstallForm::TGoodInstallForm(TComponent* AOwner) : TStandardPageForm(AOwner) {
    PublishMethod("HelpBtnClick", std::function<void(TComponent*)>([this](TComponent*) { ReadTheHelp(); }));
    ReadPage("GOODINSTALL");
    Delphi2Good = RequiredControl<TPanel>(*this, "Delphi2Good", "GOODINSTALL");
    Delphi3Bad = RequiredControl<TPanel>(*this, "Delphi3Bad", "GOODINSTALL");
    Delphi3Good = RequiredControl<TPanel>(*this, "Delphi3Good", "GOODINSTALL");
    HelpBtn = RequiredControl<TButton>(*this, "HelpBtn", "GOODINSTALL");
    if (!FinishBtn) throw Exception("The form text GOODINSTALL lacks FinishBtn");
    SetDM(FindDialogManager(dmAfterGoodInstall));
    SetOrder(10);
}

void TGoodInstallForm::SetupControls() {
    TStandardPageForm::SetupControls();
    ShowNextOrFinish();
    const TDevEnvironmentState& env = DevEnvironment();
    FShown = env.DelphiPresent ? (env.PackageInstalled ? Delphi3Good : Delphi3Bad) : Delphi2Good;
    // The three lie on each other: the one in front is the only one shown.
    for (TPanel* p : {Delphi2Good, Delphi3Bad, Delphi3Good}) p->SetVisible(p == FShown);
    Log("Completion page: " + FShown->Name());
}

std::string TGoodInstallForm::EnvironmentCommand() {
    const TDevEnvironmentState& env = DevEnvironment();
    if (!env.DelphiPresent) return {};
    // Quoted: a folder with blanks ("C:\Program Files\...") would otherwise
    // start whatever program its first word names.
    return Fmt("\"%s\"", RemoveBackSlash(env.DelphiBinDir) + "\\Delphi32.EXE");
}

void TGoodInstallForm::NextPage() {
    if (const std::string command = EnvironmentCommand(); !command.empty() && IsSilent()) {
        // A scripted install has no person to work in the environment.
        Log("Silent run: " + command + " not started");
    } else if (!command.empty()) {
        TCursorGuard busy(crHourGlass);
        // A failed start leaves the person where they are: the page moves on.
        const UINT started = WinExec(command.c_str(), SW_SHOW);
        Log("Started " + command + (started > 31 ? "" : " (failed: " + IntToStr(static_cast<int>(started)) + ")"));
    }
    TStandardPageForm::NextPage();
}

void TGoodInstallForm::ReadTheHelp() {
    IInstallation* install = Installation();
    TComponent* owner = install ? install->InstallRoot().Owner() : nullptr;
    auto* help = owner ? dynamic_cast<TInstallFile*>(owner->FindComponent("HelpFile")) : nullptr;
    if (!help) {
        Log("Read the help: the definition has no help file");
        return;
    }
    const std::string file = help->DestinationPath();
    if (!WinHelpA(HandleAllocated() ? Handle() : nullptr, file.c_str(), HELP_CONTENTS, 0))
        Log("Read the help: " + file + " could not be opened");
}

}  // namespace vtrl
