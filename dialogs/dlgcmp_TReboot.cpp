#include "dlgcmp_TReboot.h"

#include "Buttons.h"
#include "ordlg_Reboot.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TRebootDlg, TStandardInstallDlg, [](auto&) {})

TRebootDlg::TRebootDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TRebootForm::StaticClass(), 10, dmReboot, ev::ShutDownDialog) {}

void TRebootDlg::AssignDialogProperties() {
    TStandardInstallDlg::AssignDialogProperties();
    if (auto* page = dynamic_cast<TRebootForm*>(Form())) {
        page->SetupControls();
        page->BackBtn->SetVisible(false);
    }
}

}  // namespace vtrl
