#include "ordlg_ChangeDisk.h"

#include "Buttons.h"
#include "ExtCtrls.h"
#include "FileDialogs.h"
#include "StdCtrls.h"
#include "cmp_TTranslator.h"
#include "dlgcmp_TBaseDlg.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TChangeDiskForm, TBaseChangeDiskForm, [](auto&) {})

TChangeDiskForm::TChangeDiskForm(TComponent* AOwner) : TBaseChangeDiskForm(AOwner) {
    PublishMethod("BrowseBtnClick", std::function<void(TComponent*)>([this](TComponent*) { BrowseForFolder(); }));
    // A person changes the folder through Browse; a response file may
    // write the edit's text, which becomes the request's path as well.
    PublishMethod("PathEditChange", std::function<void(TComponent*)>([this](TComponent*) {
        if (DiskParameter) DiskParameter->Path = PathEdit->Text();
    }));
    PublishMethod("CancelBtnClick", std::function<void(TComponent*)>([this](TComponent*) { CancelDiskChange(); }));
    ReadFormResource("ORDLG_CHANGEDISK");
    ThemeBitmap = RequiredControl<TImage>(*this, "ThemeBitmap", "ORDLG_CHANGEDISK");
    PromptDiskLabel = RequiredControl<TLabel>(*this, "PromptDiskLabel", "ORDLG_CHANGEDISK");
    PathEdit = RequiredControl<TEdit>(*this, "PathEdit", "ORDLG_CHANGEDISK");
    BrowseBtn = RequiredControl<TButton>(*this, "BrowseBtn", "ORDLG_CHANGEDISK");
    InstallBtn = RequiredControl<TButton>(*this, "InstallBtn", "ORDLG_CHANGEDISK");
    CancelBtn = RequiredControl<TButton>(*this, "CancelBtn", "ORDLG_CHANGEDISK");
    try {
        ThemeBitmap->Picture()->Bitmap().LoadFromResourceName(GetModuleHandleA(nullptr), "CHANGEDISK");
    } catch (const Exception&) {
        // A program without the picture asks without it.
    }
    LoadCancelGlyph(CancelBtn);
    // Above the backdrop window, like every window of the run.
    SetFormStyle(fsStayOnTop);
    SetDM(FindDialogManager(dmChangeDisk));
}

void TChangeDiskForm::ShowPrompt() {
    if (!DiskParameter) return;
    PromptDiskLabel->SetCaption(Fmt(TranslateMessageText("Please insert disk number %d"), DiskParameter->NewDisk));
    PathEdit->SetText(DiskParameter->Path);
}

void TChangeDiskForm::SetupControls() {
    TBaseChangeDiskForm::SetupControls();
    ShowPrompt();
    InstallBtn->SetFocus();
}

void TChangeDiskForm::TranslateForm() {
    TBaseChangeDiskForm::TranslateForm();
    // The prompt's entry carries the number's place: it is filled in after
    // every translation.
    ShowPrompt();
}

void TChangeDiskForm::BrowseForFolder() {
    TOpenFolderDialog browser;
    if (DiskParameter && browser.Execute()) DiskParameter->Path = browser.Path();
    if (DiskParameter) PathEdit->SetText(DiskParameter->Path);
}

}  // namespace vtrl
