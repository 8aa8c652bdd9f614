#include "dlgcmp_TInstallFileGroup.h"

#include "Buttons.h"
#include "ordlg_FileGroupSelect.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TInstallFileGroupsDlg, TStandardInstallDlg, [](TClassBuilder<TInstallFileGroupsDlg>& b) {
    b.Set<TInstallType>("InstallTypes", &TInstallFileGroupsDlg::InstallTypes, &TInstallFileGroupsDlg::SetInstallTypes,
                        TInstallTypes{itAlways});
})

TInstallFileGroupsDlg::TInstallFileGroupsDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TFileGroupSelectForm::StaticClass(), 50, dmBeforeInstall,
                          ev::eccBeforeInstallFileGroup) {}

bool TInstallFileGroupsDlg::ShowDialog() {
    if (!Container())
        throw Exception(Fmt(TranslateMessageText("Cannot run this dialog %s with a blank Container property"), Name()));
    return TStandardInstallDlg::ShowDialog();
}

void TInstallFileGroupsDlg::AssignDialogProperties() {
    TStandardInstallDlg::AssignDialogProperties();
    // A page that its wizard will pass over is not filled: without a
    // container there is nothing to fill it from.
    if (auto* page = dynamic_cast<TFileGroupSelectForm*>(Form()); page && !page->SkipPage()) {
        page->SetupControls();
        page->BackBtn->SetVisible(false);
    }
}

}  // namespace vtrl
