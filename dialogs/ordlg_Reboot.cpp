#include "ordlg_Reboot.h"

#include "ExtCtrls.h"
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
    RG->SetItemIndex(RestartNeeded ? 0 : 1);
}

void TRebootForm::RGClick() { RestartNeeded = RG->ItemIndex() == 0; }

}  // namespace vtrl
