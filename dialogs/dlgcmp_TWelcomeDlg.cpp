#include "dlgcmp_TWelcomeDlg.h"

#include "ordlg_WelcomeDlg.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TWelcomeDlg, TStandardInstallDlg, [](auto&) {})

TWelcomeDlg::TWelcomeDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TWelcomeForm::StaticClass(), 10, dmBeforeInstall, ev::eccWelcomeDialog) {}

}  // namespace vtrl
