// The file group page's dialog component: Order 50, the before-install
// wizard, standalone on "eccBeforeInstallFileGroup". Its Container is the
// file container whose groups the page shows (the installation's root).
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TInstallFileGroupsDlg : public TStandardInstallDlg {
    VTRL_CLASS(TInstallFileGroupsDlg)
public:
    explicit TInstallFileGroupsDlg(TComponent* AOwner);

    // Raises Exception "Cannot run this dialog %s with a blank Container
    // property" without container, and "Container for %s must be
    // TFileContainer descendant" for one that holds no file groups.
    void RequireContainer() const;
    // RequireContainer, then shows the page.
    bool ShowDialog() override;
    // A page without a container, or with one that holds no file groups.
    void CheckDefinition(std::vector<std::string>& Problems) override;
};

}  // namespace vtrl
