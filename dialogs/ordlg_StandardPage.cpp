#include "ordlg_StandardPage.h"

#include "Buttons.h"
#include "ExtCtrls.h"
#include "StdCtrls.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TStandardPageForm, TBaseInstallForm, [](auto&) {})

template <class T>
T* TStandardPageForm::Control(const char* Name) const {
    return dynamic_cast<T*>(FindComponent(Name));
}

TStandardPageForm::TStandardPageForm(TComponent* AOwner) : TBaseInstallForm(AOwner) {}

void TStandardPageForm::ReadPage(const char* ResourceName, const char* NextName) {
    ReadFormResource(ResourceName);
    ThemeImage = Control<TImage>("ThemeImage");
    BackBtn = Control<TButton>("BackBtn");
    NextBtn = Control<TButton>(NextName);
    FinishBtn = Control<TButton>("FinishBtn");
    CancelBtn = Control<TButton>("CancelBtn");
    if (!ThemeImage || !BackBtn || !NextBtn)
        throw Exception("The form text " + std::string(ResourceName) + " lacks the page frame");
    LoadInstallTheme(*ThemeImage->Picture());
    LoadCancelGlyph(CancelBtn);
    // Standalone, a page is an ordinary dialog that stays above the
    // backdrop window.
    if (!dynamic_cast<TForm*>(Owner())) SetFormStyle(fsStayOnTop);
}

void TStandardPageForm::SetupControls() {
    TBaseInstallForm::SetupControls();
    BackBtn->SetVisible(!IsFirstPage());
    if (NextBtn->Visible()) NextBtn->SetFocus();
}

void TStandardPageForm::ShowNextOrFinish() {
    NextBtn->SetVisible(!IsLastPage());
    if (!FinishBtn) return;
    FinishBtn->SetVisible(!NextBtn->Visible());
    // Enter presses the button that is shown (and a silent run's default
    // answer is that button).
    NextBtn->SetDefault(NextBtn->Visible());
    FinishBtn->SetDefault(FinishBtn->Visible());
}

VTRL_IMPLEMENT_CLASS(TStandardInstallDlg, TBaseInstallDlg, [](auto&) {})

TStandardInstallDlg::TStandardInstallDlg(TComponent* AOwner, TFormClass FormClass, int32_t DefaultOrder,
                                         TManagerType ManagerType, TEventName OwnEvent)
    : TBaseInstallDlg(AOwner), FFormClass(FormClass), FOwnEvent(OwnEvent) {
    SetPageOrder(DefaultOrder);
    RegisterPage(FormClass);
    SetDefaultManager(ManagerType);
}

void TStandardInstallDlg::DialogEvent(TInstallContainer* Sender, TEventName EventName, TPersistent* ParameterObject) {
    TBaseInstallDlg::DialogEvent(Sender, EventName, ParameterObject);
    ShowOnOwnEvent(EventName, FOwnEvent);
}

void TStandardInstallDlg::AssignDialogProperties() {
    TBaseInstallDlg::AssignDialogProperties();
    auto* page = dynamic_cast<TStandardPageForm*>(Form());
    if (!page) return;
    page->BackBtn->SetVisible(false);
    // Only a standalone showing ends with the page's modal result: a page
    // in a wizard hands its result to the frame, which would end the whole
    // wizard at the first Next.
    if (!page->Frame()) {
        page->NextBtn->ModalResult = mrOk;
        if (page->FinishBtn) page->FinishBtn->ModalResult = mrOk;
    }
    TPicture* picture = page->ThemeImage->Picture();
    if (!ThemeBitmap()->Bitmap().Empty()) picture->Assign(*ThemeBitmap());
    else LoadInstallTheme(*picture);
    if (FFillsPage && !page->SkipPage()) {
        page->SetupControls();
        page->BackBtn->SetVisible(false);
    }
}

}  // namespace vtrl
