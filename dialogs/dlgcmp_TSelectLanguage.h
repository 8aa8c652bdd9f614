// The language page's dialog component: Order 0 (before every other page),
// the before-install wizard, standalone on "eccLanguageDialog".
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TSelectLanguageDlg : public TStandardInstallDlg {
    VTRL_CLASS(TSelectLanguageDlg)
public:
    explicit TSelectLanguageDlg(TComponent* AOwner);
    // The frame's defaults, then the grid filled at once: a standalone
    // showing has no frame to activate the page, and an empty grid would
    // leave nothing to choose.
    void AssignDialogProperties() override;
};

}  // namespace vtrl
