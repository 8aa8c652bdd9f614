// The form that asks for the next disk of a floppy set: the disk number,
// the folder to look in (typed or browsed), Proceed and Cancel.
#pragma once

#include "dlgcmp_TBaseForms.h"

namespace vtrl {

class TButton;
class TEdit;
class TImage;
class TLabel;

class TChangeDiskForm : public TBaseChangeDiskForm {
    VTRL_CLASS(TChangeDiskForm)
public:
    explicit TChangeDiskForm(TComponent* AOwner);

    TImage* ThemeBitmap = nullptr;
    TLabel* PromptDiskLabel = nullptr;
    TEdit* PathEdit = nullptr;
    TButton* BrowseBtn = nullptr;
    TButton* InstallBtn = nullptr;
    TButton* CancelBtn = nullptr;

    // The prompt names the disk asked for, in the current language; the
    // edit shows where it is looked for; the focus goes to Proceed.
    void SetupControls() override;
    // Lets a person choose the folder; the chosen one becomes the request's
    // path. A cancelled browser leaves it.
    void BrowseForFolder();
    // Translates, then puts the disk number into the translated prompt.
    void TranslateForm() override;

private:
    void ShowPrompt();
};

}  // namespace vtrl
