// The welcome page's dialog component: Order 10, the before-install
// wizard, standalone on "eccWelcomeDialog".
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TWelcomeDlg : public TStandardInstallDlg {
    VTRL_CLASS(TWelcomeDlg)
public:
    explicit TWelcomeDlg(TComponent* AOwner);
};

}  // namespace vtrl
