// The disk-change component: placing one in a definition puts the
// disk-change form into the program's registry of such forms, for the
// manager of type dmChangeDisk to show when a file asks for another disk.
// It shows nothing itself and answers no event.
#pragma once

#include "dlgcmp_TBaseDlg.h"

namespace vtrl {

class TChangeDiskDlg : public TCustomBaseInstallDlg {
    VTRL_CLASS(TChangeDiskDlg)
public:
    explicit TChangeDiskDlg(TComponent* AOwner);

    // The form is the manager's to create: this component has none.
    TFormClass GetFormClass() override { return nullptr; }
    bool CanShow() override { return false; }
};

}  // namespace vtrl
