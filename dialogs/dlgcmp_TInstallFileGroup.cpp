#include "dlgcmp_TInstallFileGroup.h"

#include "ordlg_FileGroupSelect.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TInstallFileGroupsDlg, TStandardInstallDlg, [](TClassBuilder<TInstallFileGroupsDlg>& b) {
    b.Set<TInstallType>("InstallTypes", &TInstallFileGroupsDlg::InstallTypes, &TInstallFileGroupsDlg::SetInstallTypes,
                        TInstallTypes{itAlways});
})

TInstallFileGroupsDlg::TInstallFileGroupsDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TFileGroupSelectForm::StaticClass(), 50, dmBeforeInstall,
                          ev::eccBeforeInstallFileGroup) {
    FFillsPage = true;
}

bool TInstallFileGroupsDlg::ShowDialog() {
    if (!Container())
        throw Exception(Fmt(TranslateMessageText("Cannot run this dialog %s with a blank Container property"), Name()));
    return TStandardInstallDlg::ShowDialog();
}

}  // namespace vtrl
