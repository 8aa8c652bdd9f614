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

void TInstallFileGroupsDlg::RequireContainer() const {
    if (!Container())
        throw Exception(Fmt(TranslateMessageText("Cannot run this dialog %s with a blank Container property"), Name()));
    if (!dynamic_cast<TFileContainer*>(Container()))
        throw Exception(TranslateMessageText("Container for ") + Name() +
                        TranslateMessageText(" must be TFileContainer descendant"));
}

void TInstallFileGroupsDlg::CheckDefinition(std::vector<std::string>& Problems) {
    TStandardInstallDlg::CheckDefinition(Problems);
    const std::string failure = FailureOf([&] { RequireContainer(); });
    if (failure.empty()) return;
    Problems.push_back(failure + (Container() ? " (" + Container()->Name() + " is a " + Container()->ClassName() + ")"
                                              : std::string(" (name the TInstall or the file group whose groups the "
                                                            "page shows)")));
}

bool TInstallFileGroupsDlg::ShowDialog() {
    RequireContainer();
    return TStandardInstallDlg::ShowDialog();
}

}  // namespace vtrl
