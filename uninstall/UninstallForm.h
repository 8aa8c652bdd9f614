// The uninstall program's one window: the checklist of removal steps, the
// progress bar and the Start and Close buttons; Start runs the removal.
#pragma once

#include <string>

#include "Forms.h"
#include "StdCtrls.h"
#include "routines_UninstallSteps.h"

namespace vtrl {

class TUninstallForm : public TForm {
public:
    explicit TUninstallForm(TComponent* AOwner);

    // Start-up: the product name from the command line, the caption and the
    // record's base key. Without an argument, or with a blank name, Start is
    // disabled and Exception "Please remove this software from the
    // Add/Remove Programs from the Control Panel" is raised. A record that
    // is missing, unreadable or damaged (CheckRecord) disables Start and
    // raises CheckRecord's exception. Changes nothing outside the form.
    void FormCreate();
    // Runs the whole removal, once; ends the program after the final
    // message. The record is checked again first, so a record gone since
    // start-up stops the run before anything is removed. An error that
    // escapes a step is shown, sets the exit code 1 and leaves the window
    // with only Close working (a silent run ends); the program file is then
    // kept, as it is when the record cannot be deleted. Once the record is
    // deleted the run ends with the final message and exit code 0 (3010
    // when files wait for the restart), also when the program file itself
    // cannot be removed.
    void StartBtnClick();
    void CloseBtnClick() { Close(); }

    const std::string& ProductName() const { return FProductName; }
    // For tests: the removal's context (its restart scheduling may be
    // replaced) and the program file removed at the end (this program's
    // own when empty).
    TRemovalContext& Removal() { return FRemoval; }
    void SetProgramFile(const std::string& Path) { FProgramFile = Path; }

    TPanel* ThemeBitmap = nullptr;
    TLabel* Label1 = nullptr;
    TCheckBox* AliasesCB = nullptr;
    TCheckBox* ActiveXCB = nullptr;
    TCheckBox* FilesCB = nullptr;
    TCheckBox* INIFilesCB = nullptr;
    TCheckBox* RegistryCB = nullptr;
    TCheckBox* BDECB = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TButton* StartBtn = nullptr;
    TButton* CloseBtn = nullptr;

private:
    void CreateControls();
    TCheckBox* AddCheck(const char* Name, const char* Caption, int Top);
    void FirstActivation();
    void RunRemoval();
    void Tick(TCheckBox* Box);
    template <class F>
    void WithProgress(F Step);
    // RemoveProgramFile for this program; returns the closing message.
    std::string RemoveOwnFile();

    std::string FProductName;
    std::string FProgramFile;
    TRemovalContext FRemoval;
    bool FStarted = false;
};

}  // namespace vtrl
