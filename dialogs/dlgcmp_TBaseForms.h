// The form bases of the wizard: pages, copy-progress forms and disk-change
// forms, with the navigation and Cancel behaviour every page inherits.
#pragma once

#include "cmp_TBaseVantrelForm.h"
#include "types_InstallEvents.h"

namespace vtrl {

class TCustomBaseInstallDlg;
class TDialogManager;
class TBaseFormContainer;

// A wizard page. Owned by the wizard frame it is an embedded child window
// of the frame and navigates through it; owned by the application object
// (a standalone showing) it is an ordinary dialog.
class TBaseInstallForm : public TBaseVantrelForm {
    VTRL_CLASS(TBaseInstallForm)
public:
    explicit TBaseInstallForm(TComponent* AOwner);

    // The dialog component that prepared the page, or null.
    TCustomBaseInstallDlg* DC() const { return FDC; }
    void SetDC(TCustomBaseInstallDlg* Value) { FDC = Value; }
    // The manager a page without dialog component belongs to.
    TDialogManager* DM() const { return FDM; }
    void SetDM(TDialogManager* Value) { FDM = Value; }
    int32_t Order() const { return FOrder; }
    void SetOrder(int32_t Value) { FOrder = Value; }

    // The wizard frame that owns the page, or null when shown standalone.
    TBaseFormContainer* Frame() const;

    // First and last page of the wizard; a standalone page is both.
    virtual bool IsFirstPage();
    virtual bool IsLastPage();
    virtual void LeavePage() {}
    virtual void NextPage();
    virtual void PreviousPage();
    // The frame made this page the active one: fills the controls and
    // brings the page to the front.
    virtual void ActivatePage();
    // True when the wizard should pass over this page.
    virtual bool SkipPage() { return false; }
    // Asks whether to abort; on yes ends the wizard (or the standalone
    // page) with modal result 3, which aborts the installation.
    virtual void CancelInstall();

protected:
    // Handlers a page's buttons name in its form text.
    void PublishNavigation();

private:
    TCustomBaseInstallDlg* FDC = nullptr;
    TDialogManager* FDM = nullptr;
    int32_t FOrder = 0;
};

// A modeless form shown while files are copied.
class TBaseDuringCopyForm : public TBaseVantrelForm {
    VTRL_CLASS(TBaseDuringCopyForm)
public:
    using TBaseVantrelForm::TBaseVantrelForm;
    TDialogManager* DM() const { return FDM; }
    void SetDM(TDialogManager* Value) { FDM = Value; }
    // Asks whether to abort; on yes stops the running copy. The modal
    // result becomes 2 (cancel) either way.
    virtual void CancelCopy();
    // The progress of the file being copied.
    virtual void UpdateStatus(TFileStatusParameter* Status) {}

private:
    TDialogManager* FDM = nullptr;
};

// The form that asks for another disk.
class TBaseChangeDiskForm : public TBaseVantrelForm {
    VTRL_CLASS(TBaseChangeDiskForm)
public:
    using TBaseVantrelForm::TBaseVantrelForm;
    TDialogManager* DM() const { return FDM; }
    void SetDM(TDialogManager* Value) { FDM = Value; }
    // The request being answered; set by the manager before showing.
    TDiskParameter* DiskParameter = nullptr;
    // Asks whether to abort; on yes ends the form with modal result 3.
    virtual void CancelDiskChange();

private:
    TDialogManager* FDM = nullptr;
};

// The answer of the root installation's ConfirmUserAbort; yes without one.
bool ConfirmAbort();

}  // namespace vtrl
