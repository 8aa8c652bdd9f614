#include "dlgcmp_TSelectLanguage.h"

#include "ordlg_SelectLanguage.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TSelectLanguageDlg, TStandardInstallDlg, [](auto&) {})

TSelectLanguageDlg::TSelectLanguageDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TSelectLanguageForm::StaticClass(), 0, dmBeforeInstall, ev::eccLanguageDialog) {
    FFillsPage = true;
}

}  // namespace vtrl
