// The reboot page: asks whether Windows should be restarted now that files
// in use could only be replaced at the next restart.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TRadioGroup;

class TRebootForm : public TStandardPageForm {
    VTRL_CLASS(TRebootForm)
public:
    explicit TRebootForm(TComponent* AOwner);

    // Item 0: restart, item 1: do not.
    TRadioGroup* RG = nullptr;

    // Next on a page before the last, Finish on the last; the choice shows
    // the restart-needed flag.
    void SetupControls() override;

private:
    // The choice becomes the restart-needed flag at once.
    void RGClick();
};

}  // namespace vtrl
