#include "dlgcmp_TBadInstallationDlg.h"

#include "ordlg_BadInstallForm.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TBadInstallationDlg, TStandardInstallDlg, [](auto&) {})

TBadInstallationDlg::TBadInstallationDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TBadInstallForm::StaticClass(), 10, dmAfterBadInstall, ev::BadInstallation) {}

}  // namespace vtrl
