// The Start-menu folder page's dialog component: Order 60, the
// before-install wizard, standalone on "eccSelectFolder" (which the main
// folder broadcasts to its own helpers before it makes its directory).
// Its Container is the folder whose name the page asks for; it defaults to
// the installation's main folder.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TShellLinkGroup;

class TSelectFolderDlg : public TStandardInstallDlg {
    VTRL_CLASS(TSelectFolderDlg)
public:
    explicit TSelectFolderDlg(TComponent* AOwner);

    // The Container as the folder it must be. Raises Exception "The
    // container for %s must be a TShellLinkGroup" when it is another kind;
    // null when there is none.
    TShellLinkGroup* FolderContainer() const;
    // FolderContainer, which must be there: raises Exception "Cannot run
    // this dialog %s with a blank Container property" without one.
    void RequireFolder() const;
    // RequireFolder, then shows the page.
    bool ShowDialog() override;
    // Fails for a container that is not a TShellLinkGroup, then fills the
    // page as every page that fills itself.
    void AssignDialogProperties() override;
    void Loaded() override;
    // A page without a folder, or with a container of another kind.
    void CheckDefinition(std::vector<std::string>& Problems) override;
};

}  // namespace vtrl
