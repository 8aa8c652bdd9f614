#include "dlgcmp_TSelectFolder.h"

#include "cmp_TInstallShellLink.h"
#include "ordlg_SelectFolder.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TSelectFolderDlg, TStandardInstallDlg, [](auto&) {})

TSelectFolderDlg::TSelectFolderDlg(TComponent* AOwner)
    : TStandardInstallDlg(AOwner, &TSelectFolderForm::StaticClass(), 60, dmBeforeInstall, ev::eccSelectFolder) {
    FFillsPage = true;
    if (!Loading() && !Container())
        if (TShellLinkGroup* main = TShellLinkGroup::MainFolder()) SetContainer(main);
}

void TSelectFolderDlg::Loaded() {
    TStandardInstallDlg::Loaded();
    // A definition that names no container gets the main folder, which
    // exists only once the whole definition has been read.
    if (!ContainerSet() && !Container())
        if (TShellLinkGroup* main = TShellLinkGroup::MainFolder()) SetContainer(main);
}

TShellLinkGroup* TSelectFolderDlg::FolderContainer() const {
    if (!Container()) return nullptr;
    auto* folder = dynamic_cast<TShellLinkGroup*>(Container());
    if (!folder) throw Exception(Fmt(TranslateMessageText("The container for %s must be a TShellLinkGroup"), Name()));
    return folder;
}

void TSelectFolderDlg::RequireFolder() const {
    if (!FolderContainer())
        throw Exception(Fmt(TranslateMessageText("Cannot run this dialog %s with a blank Container property"), Name()));
}

bool TSelectFolderDlg::ShowDialog() {
    RequireFolder();
    return TStandardInstallDlg::ShowDialog();
}

void TSelectFolderDlg::CheckDefinition(std::vector<std::string>& Problems) {
    TStandardInstallDlg::CheckDefinition(Problems);
    const std::string failure = FailureOf([&] { RequireFolder(); });
    if (failure.empty()) return;
    Problems.push_back(failure + (Container() ? " (" + Container()->Name() + " is a " + Container()->ClassName() + ")"
                                              : std::string(" (name the TShellLinkGroup whose folder the page asks "
                                                            "for, or have one with GroupKind = gkMainFolder)")));
}

void TSelectFolderDlg::AssignDialogProperties() {
    FolderContainer();  // a container of the wrong kind fails before the page is filled
    TStandardInstallDlg::AssignDialogProperties();
}

}  // namespace vtrl
