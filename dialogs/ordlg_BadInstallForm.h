// The failed-installation page: says that the software will not work, with
// Back, Next and Finish.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TBadInstallForm : public TStandardPageForm {
    VTRL_CLASS(TBadInstallForm)
public:
    explicit TBadInstallForm(TComponent* AOwner);

    // Next on a page before the last, Finish on the last; the focus on
    // whichever is shown.
    void SetupControls() override;
};

}  // namespace vtrl
