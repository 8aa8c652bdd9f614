#include "dlgcmp_TChangeDiskDlg.h"

#include "ordlg_ChangeDisk.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TChangeDiskDlg, TCustomBaseInstallDlg, [](auto&) {})

TChangeDiskDlg::TChangeDiskDlg(TComponent* AOwner) : TCustomBaseInstallDlg(AOwner) {
    // The base's destructor takes the entry out of the registry again.
    FEntry = std::make_unique<TBCDFEntry>(&TChangeDiskForm::StaticClass(), this, 0);
    BCDFList().push_back(static_cast<TBCDFEntry*>(FEntry.get()));
    SetDefaultManager(dmChangeDisk);
}

}  // namespace vtrl
