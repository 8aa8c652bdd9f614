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

bool TSelectFolderDlg::ShowDialog() {
    if (!FolderContainer())
        throw Exception(Fmt(TranslateMessageText("Cannot run this dialog %s with a blank Container property"), Name()));
    return TStandardInstallDlg::ShowDialog();
}

void TSelectFolderDlg::CheckDefinition(std::vector<std::string>& Problems) {
    TStandardInstallDlg::CheckDefinition(Problems);
    if (!Container())
        Problems.push_back(Fmt("Cannot run this dialog %s with a blank Container property", Name()) +
                           " (name the TShellLinkGroup whose folder the page asks for, or have one with GroupKind = "
                           "gkMainFolder)");
    else if (!dynamic_cast<TShellLinkGroup*>(Container()))
        Problems.push_back(Fmt("The container for %s must be a TShellLinkGroup", Name()) + " (" +
                           Container()->Name() + " is a " + Container()->ClassName() + ")");
}

void TSelectFolderDlg::AssignDialogProperties() {
    FolderContainer();  // a container of the wrong kind fails before the page is filled
    TStandardInstallDlg::AssignDialogProperties();
}

}  // namespace vtrl
