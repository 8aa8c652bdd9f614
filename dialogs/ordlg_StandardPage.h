// What the standard wizard pages share: the page frame of their form texts
// (side picture, Back / Next / Finish / Cancel buttons) and, on the
// component side, the page's defaults and its standalone event.
#pragma once

#include "dlgcmp_TBaseDlg.h"
#include "dlgcmp_TBaseForms.h"

namespace vtrl {

class TImage;
class TButton;

// A page whose form text has the standard frame: an image "ThemeImage" and
// the buttons "BackBtn", "NextBtn" and, where present, "FinishBtn" and
// "CancelBtn", bound to BackBtnClick, NextBtnClick and CancelBtnClick.
class TStandardPageForm : public TBaseInstallForm {
    VTRL_CLASS(TStandardPageForm)
public:
    explicit TStandardPageForm(TComponent* AOwner);

    TImage* ThemeImage = nullptr;
    TButton* BackBtn = nullptr;
    TButton* NextBtn = nullptr;
    TButton* FinishBtn = nullptr;  // null on pages without one
    TButton* CancelBtn = nullptr;  // null on pages without one

    // Back only when the page is not the first of its wizard; the focus on
    // Next when it is visible.
    void SetupControls() override;

protected:
    // Reads the page's form text ResourceName, finds the frame's controls and
    // loads the theme picture. Called by the constructor of the page class
    // itself: the form text names that class, which a base constructor
    // does not yet have. NextName names the Next button when the form text
    // calls it otherwise.
    void ReadPage(const char* ResourceName, const char* NextName = "NextBtn");
    // Next visible only when the page is not the last, Finish exactly when
    // Next is not (the pages that end a wizard); the visible one is the
    // default button.
    void ShowNextOrFinish();
    template <class T>
    T* Control(const char* Name) const;
};

// A standard page's dialog component: registers its form for itself, takes
// the default manager of its type and shows the form standalone on its own
// event when it has no manager.
class TStandardInstallDlg : public TBaseInstallDlg {
    VTRL_CLASS(TStandardInstallDlg)
public:
    TStandardInstallDlg(TComponent* AOwner, TFormClass FormClass, int32_t DefaultOrder, TManagerType ManagerType,
                        TEventName OwnEvent);

    TFormClass GetFormClass() override { return FFormClass; }
    void DialogEvent(TInstallContainer* Sender, TEventName EventName, TPersistent* ParameterObject) override;
    // The base, then: Back hidden, Next and Finish closing a standalone
    // showing with OK, and the side picture (the component's, else the
    // program's theme picture). A page that fills itself from what it shows
    // (FillsPage) is filled at once unless its wizard will pass over it: a
    // standalone showing has no frame to activate the page.
    void AssignDialogProperties() override;

protected:
    // Set by the pages that fill their controls from install components
    // (language, folder, file groups, reboot).
    bool FFillsPage = false;

private:
    TFormClass FFormClass;
    TEventName FOwnEvent;
};

}  // namespace vtrl
