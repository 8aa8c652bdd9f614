#include "dlgcmp_TChangeDiskDlg.h"

#include "ordlg_ChangeDisk.h"

namespace vtrl {

// The settings a page component has, without Order and the execute
// events: the form is shown by its manager alone.
VTRL_IMPLEMENT_CLASS(TChangeDiskDlg, TCustomBaseInstallDlg, [](TClassBuilder<TChangeDiskDlg>& b) {
    b.Boolean("AutoSetFont", &TChangeDiskDlg::AutoSetFont, &TChangeDiskDlg::AutoSetFont, true)
        .Boolean("AutoTranslate", &TChangeDiskDlg::AutoTranslate, &TChangeDiskDlg::AutoTranslate, true)
        .Reference<TDialogManager>("DialogManager", &TChangeDiskDlg::DialogManager, &TChangeDiskDlg::SetDialogManager)
        .Boolean("OverrideMainTranslator", &TChangeDiskDlg::OverrideMainTranslator,
                 &TChangeDiskDlg::OverrideMainTranslator, false)
        .Object("ThemeBitmap", [](TChangeDiskDlg& d) -> TPersistent* { return d.ThemeBitmap(); })
        .Enum<TVtrlLanguage>("TranslateIntoLanguage", &TChangeDiskDlg::TranslateIntoLanguage,
                             &TChangeDiskDlg::TranslateIntoLanguage, ylUser);
})

TChangeDiskDlg::TChangeDiskDlg(TComponent* AOwner) : TCustomBaseInstallDlg(AOwner) {
    // The base's destructor takes the entry out of the registry again.
    FEntry = std::make_unique<TBCDFEntry>(&TChangeDiskForm::StaticClass(), this, 0);
    BCDFList().push_back(static_cast<TBCDFEntry*>(FEntry.get()));
    SetDefaultManager(dmChangeDisk);
}

}  // namespace vtrl
