#include "dlgcmp_TReboot.h"

#include "ordlg_Reboot.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TRebootDlg, TStandardInstallDlg, [](auto&) {})

TRebootDlg::TRebootDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TRebootForm::StaticClass(), 10, dmReboot, ev::ShutDownDialog) {
    FFillsPage = true;
}

}  // namespace vtrl
