// The reboot page's dialog component: Order 10, the reboot wizard,
// standalone on "ShutDownDialog".
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TRebootDlg : public TStandardInstallDlg {
    VTRL_CLASS(TRebootDlg)
public:
    explicit TRebootDlg(TComponent* AOwner);
};

}  // namespace vtrl
