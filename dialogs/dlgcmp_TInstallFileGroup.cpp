#include "dlgcmp_TInstallFileGroup.h"

#include "cmp_TFileContainer.h"
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

void TInstallFileGroupsDlg::CheckDefinition(std::vector<std::string>& Problems) {
    TStandardInstallDlg::CheckDefinition(Problems);
    if (!Container())
        Problems.push_back(Fmt("Cannot run this dialog %s with a blank Container property", Name()) +
                           " (name the TInstall or the file group whose groups the page shows)");
    else if (!dynamic_cast<TFileContainer*>(Container()))
        Problems.push_back("Container for " + Name() + " must be TFileContainer descendant (" + Container()->Name() +
                           " is a " + Container()->ClassName() + ")");
}

bool TInstallFileGroupsDlg::ShowDialog() {
    if (!Container())
        throw Exception(Fmt(TranslateMessageText("Cannot run this dialog %s with a blank Container property"), Name()));
    return TStandardInstallDlg::ShowDialog();
}

}  // namespace vtrl
