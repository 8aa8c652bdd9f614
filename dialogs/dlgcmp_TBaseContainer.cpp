#include "dlgcmp_TBaseContainer.h"

#include <memory>

#include "ComCtrls.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "dlgcmp_TBaseDlg.h"
#include "dlgcmp_TBaseForms.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TBaseFormContainer, TForm, [](auto&) {})

TBaseFormContainer::TBaseFormContainer(TComponent* AOwner) : TForm(AOwner) {
    PublishMethod("FormShow", std::function<void(TComponent*)>([this](TComponent* s) { FormShow(s); }));
    ReadFormResource("DLGCMP_TBASECONTAINER");
    DisplayPanel = dynamic_cast<TPanel*>(FindComponent("DisplayPanel"));
    Tabs = dynamic_cast<TTabControl*>(FindComponent("Tabs"));
    if (!DisplayPanel || !Tabs) throw Exception("The wizard frame's form text lacks DisplayPanel or Tabs");
    FormCreate(this);
}

TBaseFormContainer::~TBaseFormContainer() { FormDestroy(this); }

void TBaseFormContainer::FormCreate(TComponent*) {
    Font()->SetCharset(0);
    FSuppressResize = true;
    SetHeight(395);
    SetWidth(478);
    FSuppressResize = false;
}

void TBaseFormContainer::FormDestroy(TComponent*) {
    // The pages are components of the frame and go with it.
    if (!Designing()) FPages.clear();
}

void TBaseFormContainer::PlacePage(TBaseInstallForm* Page) {
    Page->SetBounds(DisplayPanel->Left(), DisplayPanel->Top(), DisplayPanel->Width(), DisplayPanel->Height());
}

void TBaseFormContainer::FormResize(TComponent*) {
    for (TBaseInstallForm* page : FPages) {
        PlacePage(page);
        page->Repaint();
    }
}

void TBaseFormContainer::BoundsChanged() {
    TForm::BoundsChanged();
    if (!FSuppressResize && DisplayPanel) FormResize(this);
}

int TBaseFormContainer::BuildPages() {
    if (!CurrentDialogManager) throw Exception(TranslateMessageText("The current dialog manager is not defined"));
    FPages.clear();
    TStringList tabs;
    // A copy: creating a page may register further forms.
    const std::vector<TBIFEntry*> entries = BIFList();
    for (TBIFEntry* entry : entries) {
        TCustomBaseInstallDlg* dialog = entry->Dialog;
        if (dialog && (dialog->DialogManager() != CurrentDialogManager || !dialog->CanShow())) continue;
        std::unique_ptr<TComponent> made(entry->FormClass->Create(this));
        auto* page = dynamic_cast<TBaseInstallForm*>(made.get());
        if (!page) continue;
        if (!dialog && page->DM() != CurrentDialogManager) continue;  // freed with made
        made.release();
        page->SetDC(dialog);
        if (dialog) {
            page->Container = dialog->Container();
            page->SetOrder(dialog->PageOrder());
            dialog->SetForm(page);
            dialog->AssignDialogProperties();
        }
        tabs.Add(ClassName());
        PlacePage(page);
        page->TranslateForm();
        page->Show();
        FPages.push_back(page);
    }
    Tabs->SetTabs(tabs);
    // The exchange sort the page order has always had: equal Orders may
    // change places when an exchange carries one past the other.
    const size_t n = FPages.size();
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (FPages[i]->Order() > FPages[j]->Order()) std::swap(FPages[i], FPages[j]);
    return static_cast<int>(n);
}

// Kept by the frame itself: the tab control selects its first tab as soon
// as it has tabs, before any page was activated.
int TBaseFormContainer::ActivePageIndex() const { return FActivePage; }

bool TBaseFormContainer::GotoPage(int Index, bool Backwards) {
    if (Index < 0 || Index >= static_cast<int>(FPages.size())) return false;
    TBaseInstallForm* page = FPages[static_cast<size_t>(Index)];
    if (page->SkipPage()) return Backwards ? GotoPage(Index - 1, true) : GotoPage(Index + 1, false);
    FActivePage = Index;
    Tabs->SetTabIndex(Index);
    SetCaption(page->Caption());
    page->ActivatePage();
    return true;
}

void TBaseFormContainer::FormShow(TComponent*) {
    // The first page that does not ask to be skipped; searching forwards, so
    // that a wizard whose first page is passed over (the language page
    // without translator) still opens on its next page. A wizard none of
    // whose pages may be shown ends at once, with no page shown.
    if (!GotoPage(0, false)) ModalResult = mrOk;
}

bool TBaseFormContainer::CloseQuery() {
    if (ModalResult != mrNone) return true;
    const int i = ActivePageIndex();
    if (i < 0 || i >= static_cast<int>(FPages.size())) {
        if (ConfirmAbort()) ModalResult = mrAbort;
        return false;
    }
    // The page's Cancel, as if it were pressed. A page without one (the
    // failed-installation notice, the restart question) is left only
    // through its own buttons.
    if (!PressDialogButton(IDCANCEL))
        Log("The wizard stays open: the page " + FPages[static_cast<size_t>(i)]->Name() + " has no Cancel");
    return false;
}

void TBaseFormContainer::NextPage() {
    const int before = ActivePageIndex();
    GotoPage(before + 1, false);
    if (ActivePageIndex() == before) {
        ModalResult = mrOk;
        Close();
    }
}

void TBaseFormContainer::PreviousPage() { GotoPage(ActivePageIndex() - 1, true); }

void TBaseFormContainer::TabsChange(TComponent*) { GotoPage(Tabs->TabIndex(), true); }

void TBaseFormContainer::TabsChanging(TComponent*) {
    const int i = ActivePageIndex();
    if (i >= 0 && i < static_cast<int>(FPages.size())) FPages[static_cast<size_t>(i)]->LeavePage();
}

}  // namespace vtrl
