#include "ordlg_Reboot.h"

#include "ExtCtrls.h"
#include "Unattended.h"
#include "types_Installation.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TRebootForm, TStandardPageForm, [](auto&) {})

TRebootForm::TRebootForm(TComponent* AOwner) : TStandardPageForm(AOwner) {
    PublishMethod("RGClick", std::function<void(TComponent*)>([this](TComponent*) { RGClick(); }));
    ReadPage("ORDLG_REBOOT");
    RG = dynamic_cast<TRadioGroup*>(FindComponent("RG"));
    if (!RG || !FinishBtn) throw Exception("The form text ORDLG_REBOOT lacks its radio group or Finish button");
}

void TRebootForm::SetupControls() {
    TStandardPageForm::SetupControls();
    ShowNextOrFinish();
    if (NextBtn->Visible()) NextBtn->SetFocus();
    // /NORESTART answers No; a response file may still choose otherwise.
    RG->SetItemIndex(RestartNeeded && !NoRestartRequested() ? 0 : 1);
    RGClick();
}

void TRebootForm::RGClick() { RestartNeeded = RG->ItemIndex() == 0; }

}  // namespace vtrl
