#include "dlgcmp_TSelectLanguage.h"

#include "Buttons.h"
#include "ordlg_SelectLanguage.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TSelectLanguageDlg, TStandardInstallDlg, [](auto&) {})

TSelectLanguageDlg::TSelectLanguageDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TSelectLanguageForm::StaticClass(), 0, dmBeforeInstall, ev::eccLanguageDialog) {}

void TSelectLanguageDlg::AssignDialogProperties() {
    TStandardInstallDlg::AssignDialogProperties();
    if (auto* page = dynamic_cast<TSelectLanguageForm*>(Form())) {
        page->SetupControls();
        page->BackBtn->SetVisible(false);
    }
}

}  // namespace vtrl
