#include "ordlg_BadInstallForm.h"

#include "StdCtrls.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TBadInstallForm, TStandardPageForm, [](auto&) {})

TBadInstallForm::TBadInstallForm(TComponent* AOwner) : TStandardPageForm(AOwner) {
    ReadPage("ORDLG_BADINSTALLFORM");
    if (!FinishBtn) throw Exception("The form text ORDLG_BADINSTALLFORM lacks its Finish button");
}

void TBadInstallForm::SetupControls() {
    TStandardPageForm::SetupControls();
    ShowNextOrFinish();
    if (NextBtn->Visible()) NextBtn->SetFocus();
    else FinishBtn->SetFocus();
}

}  // namespace vtrl
