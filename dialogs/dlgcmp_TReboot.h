// The reboot page's dialog component: Order 10, the reboot wizard,
// standalone on "ShutDownDialog".
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TRebootDlg : public TStandardInstallDlg {
    VTRL_CLASS(TRebootDlg)
public:
    explicit TRebootDlg(TComponent* AOwner);
    // The frame's defaults, then the controls filled at once (a standalone
    // showing has no frame to activate the page).
    void AssignDialogProperties() override;
};

}  // namespace vtrl
