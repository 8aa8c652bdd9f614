// The completion page: what is left to do in the development environment,
// one of three panels by what the installation found; Finish may start the
// environment, "Read the help" opens the product's help.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TPanel;

class TGoodInstallForm : public TStandardPageForm {
    VTRL_CLASS(TGoodInstallForm)
public:
    explicit TGoodInstallForm(TComponent* AOwner);

    TPanel* Delphi2Good = nullptr;  // no environment found: the steps by hand
    TPanel* Delphi3Bad = nullptr;   // found, the package not installed
    TPanel* Delphi3Good = nullptr;  // found and installed
    TButton* HelpBtn = nullptr;

    // Back, Next or Finish as for every last page, then the panel that
    // DevEnvironment() calls for.
    void SetupControls() override;
    // Starts the environment when there is one (not in a silent run: a
    // scripted install has nobody to work in it), then goes on.
    void NextPage() override;
    // The panel in front now.
    TPanel* ShownPanel() const { return FShown; }
    // Opens the "Contents" topic of the product's help file (the
    // definition's file component "HelpFile", where it was installed);
    // nothing without one.
    void ReadTheHelp();
    // The command line Finish starts: "Delphi32.EXE" in the environment's
    // program folder, quoted, or empty when there is no environment.
    static std::string EnvironmentCommand();

private:
    TPanel* FShown = nullptr;
};

}  // namespace vtrl
