// The failed-installation page's dialog component: Order 10, the wizard
// after a failed installation, standalone on "BadInstallation".
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TBadInstallationDlg : public TStandardInstallDlg {
    VTRL_CLASS(TBadInstallationDlg)
public:
    explicit TBadInstallationDlg(TComponent* AOwner);
};

}  // namespace vtrl
