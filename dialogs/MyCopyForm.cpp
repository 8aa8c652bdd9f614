#include "MyCopyForm.h"

#include "Buttons.h"
#include "ComCtrls.h"
#include "Screenshot.h"
#include "Unattended.h"
#include "StdCtrls.h"
#include "dlgcmp_TBaseDlg.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TDuringCopyForm, TBaseDuringCopyForm, [](auto&) {})

namespace {
// Every copy pass of the manager that serves copying shows this window.
const TFormSelfRegistration<TDCFEntry> Registration(&TDuringCopyForm::StaticClass(), &DCFList);
}  // namespace

TDuringCopyForm::TDuringCopyForm(TComponent* AOwner) : TBaseDuringCopyForm(AOwner) {
    PublishMethod("CancelBtnClick", std::function<void(TComponent*)>([this](TComponent*) { CancelCopy(); }));
    ReadFormResource("MYCOPYFORM");
    Animate = RequiredControl<TAnimate>(*this, "Animate", "MYCOPYFORM");
    Animate1 = RequiredControl<TAnimate>(*this, "Animate1", "MYCOPYFORM");
    ProgressBar1 = RequiredControl<TProgressBar>(*this, "ProgressBar1", "MYCOPYFORM");
    CancelBtn = RequiredControl<TButton>(*this, "CancelBtn", "MYCOPYFORM");
    LoadCancelGlyph(CancelBtn);
    // The manager is known once the form text is read.
    SetDM(FindDialogManager(dmDuringCopyFiles));
}

std::string TDuringCopyForm::MovieFile() {
    return BesideProgram("VantrelEarth.avi");
}

void TDuringCopyForm::DoShow() {
    TBaseDuringCopyForm::DoShow();
    Repaint();
    // A missing or unplayable movie leaves its area black.
    Animate->SetFileName(MovieFile());
    Animate->SetActive(true);
}

void TDuringCopyForm::UpdateStatus(TFileStatusParameter* Status) {
    if (!Animate1->Active()) Animate1->SetActive(true);
    if (Status) ProgressBar1->SetPosition(Status->TotalPercentDone);
    // A run that saves its windows catches this one part-way.
    if (!FPictureTaken && Status && Status->TotalPercentDone >= 30 && !ScreenshotDirectory().empty() &&
        HandleAllocated() && IsWindowVisible(Handle())) {
        FPictureTaken = true;
        Application.ProcessMessages();
        (void)TakeScreenshot(Handle(), Name());
    }
}

void TDuringCopyForm::DoClose() {
    Animate->SetActive(false);
    TBaseDuringCopyForm::DoClose();
}

}  // namespace vtrl
