#include "dlgcmp_TBaseForms.h"

#include "cmp_TVtrlCompress.h"
#include "dlgcmp_TBaseContainer.h"
#include "dlgcmp_TBaseDlg.h"
#include "types_Installation.h"

namespace vtrl {

bool ConfirmAbort() {
    IInstallation* installation = Installation();
    return installation ? installation->ConfirmUserAbort() : true;
}

// ------------------------------------------------------------------ page

VTRL_IMPLEMENT_CLASS(TBaseInstallForm, TBaseVantrelForm, [](TClassBuilder<TBaseInstallForm>& b) {
    b.Reference<TCustomBaseInstallDlg>("DC", &TBaseInstallForm::DC, &TBaseInstallForm::SetDC)
        .Reference<TDialogManager>("DM", &TBaseInstallForm::DM, &TBaseInstallForm::SetDM)
        .Integer("Order", &TBaseInstallForm::Order, &TBaseInstallForm::SetOrder, 0);
})

TBaseInstallForm::TBaseInstallForm(TComponent* AOwner) : TBaseVantrelForm(AOwner) { PublishNavigation(); }

void TBaseInstallForm::PublishNavigation() {
    PublishMethod("BackBtnClick", std::function<void(TComponent*)>([this](TComponent*) { PreviousPage(); }));
    PublishMethod("NextBtnClick", std::function<void(TComponent*)>([this](TComponent*) { NextPage(); }));
    PublishMethod("CancelBtnClick", std::function<void(TComponent*)>([this](TComponent*) { CancelInstall(); }));
}

TBaseFormContainer* TBaseInstallForm::Frame() const { return dynamic_cast<TBaseFormContainer*>(Owner()); }

bool TBaseInstallForm::IsFirstPage() {
    TBaseFormContainer* frame = Frame();
    return frame ? frame->IsFirstPage() : true;
}

bool TBaseInstallForm::IsLastPage() {
    TBaseFormContainer* frame = Frame();
    return frame ? frame->IsLastPage() : true;
}

void TBaseInstallForm::NextPage() {
    if (TBaseFormContainer* frame = Frame()) frame->NextPage();
}

void TBaseInstallForm::PreviousPage() {
    if (TBaseFormContainer* frame = Frame()) frame->PreviousPage();
}

void TBaseInstallForm::ActivatePage() {
    if (!dynamic_cast<TForm*>(Owner())) return;
    SetupControls();
    BringToFront();
}

void TBaseInstallForm::CancelInstall() {
    if (!ConfirmAbort()) return;
    if (TBaseFormContainer* frame = Frame()) frame->ModalResult = mrAbort;
    else ModalResult = mrAbort;
}

// ----------------------------------------------------------- copy, disk

VTRL_IMPLEMENT_CLASS(TBaseDuringCopyForm, TBaseVantrelForm, [](TClassBuilder<TBaseDuringCopyForm>& b) {
    b.Reference<TDialogManager>("DM", &TBaseDuringCopyForm::DM, &TBaseDuringCopyForm::SetDM);
})

void TBaseDuringCopyForm::CancelCopy() {
    if (ConfirmAbort()) VtrlCompress().Abort = true;
    ModalResult = mrCancel;
}

VTRL_IMPLEMENT_CLASS(TBaseChangeDiskForm, TBaseVantrelForm, [](TClassBuilder<TBaseChangeDiskForm>& b) {
    b.Reference<TDialogManager>("DM", &TBaseChangeDiskForm::DM, &TBaseChangeDiskForm::SetDM);
})

void TBaseChangeDiskForm::CancelDiskChange() {
    if (ConfirmAbort()) ModalResult = mrAbort;
}

}  // namespace vtrl
