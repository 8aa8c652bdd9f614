#include "dlgcmp_TBaseDlg.h"

#include <algorithm>
#include <memory>

#include "Forms.h"
#include "ResponseFile.h"
#include "cmp_TInstallFile.h"
#include "dlgcmp_TBaseContainer.h"
#include "dlgcmp_TBaseForms.h"
#include "types_Installation.h"
#include "Unattended.h"

namespace vtrl {

// ------------------------------------------------------------ registries

std::vector<TBIFEntry*>& BIFList() {
    static std::vector<TBIFEntry*> list;
    return list;
}
std::vector<TDCFEntry*>& DCFList() {
    static std::vector<TDCFEntry*> list;
    return list;
}
std::vector<TBCDFEntry*>& BCDFList() {
    static std::vector<TBCDFEntry*> list;
    return list;
}

namespace {
template <class TEntry>
TEntry* Register(std::vector<TEntry*>& List, TFormClass FormClass, TCustomBaseInstallDlg* Dialog, int32_t Reserved) {
    auto* entry = new TEntry(FormClass, Dialog, Reserved);
    List.push_back(entry);
    return entry;
}
}  // namespace

TBIFEntry* RegisterBIFEntry(TFormClass FormClass, TCustomBaseInstallDlg* Dialog, int32_t Reserved) {
    return Register(BIFList(), FormClass, Dialog, Reserved);
}
TDCFEntry* RegisterDCFEntry(TFormClass FormClass, TCustomBaseInstallDlg* Dialog, int32_t Reserved) {
    return Register(DCFList(), FormClass, Dialog, Reserved);
}
TBCDFEntry* RegisterBCDFEntry(TFormClass FormClass, TCustomBaseInstallDlg* Dialog, int32_t Reserved) {
    return Register(BCDFList(), FormClass, Dialog, Reserved);
}
void UnregisterBIFEntry(TBIFEntry* Entry) { std::erase(BIFList(), Entry); }
void UnregisterDCFEntry(TDCFEntry* Entry) { std::erase(DCFList(), Entry); }
void UnregisterBCDFEntry(TBCDFEntry* Entry) { std::erase(BCDFList(), Entry); }

int BIFCount() { return static_cast<int>(BIFList().size()); }

TBIFEntry* GetBIFEntry(int Index) {
    if (Index < 0 || Index >= BIFCount())
        throw Exception(Fmt(TranslateMessageText("%d is an invalid index in the BIFList"), Index));
    TBIFEntry* entry = BIFList()[static_cast<size_t>(Index)];
    if (!entry) throw Exception(Fmt(TranslateMessageText("The %d 'th entry in the BIFList is NIL"), Index));
    return entry;
}

namespace {
// Creates a form of the registered class, owned by Owner.
TForm* CreateForm(TFormClass FormClass, TComponent* Owner) {
    TComponent* c = FormClass && FormClass->Create ? FormClass->Create(Owner) : nullptr;
    auto* form = dynamic_cast<TForm*>(c);
    if (!form) {
        delete c;
        throw Exception("The class " + (FormClass ? FormClass->Name : std::string("(none)")) + " is not a form");
    }
    return form;
}

template <class TEntry>
void AddFormClasses(const std::vector<TEntry*>& List, std::vector<TFormClass>& Out) {
    for (TEntry* e : List)
        if (e && e->FormClass && std::find(Out.begin(), Out.end(), e->FormClass) == Out.end())
            Out.push_back(e->FormClass);
}

// Sets CurrentDialogManager for its lifetime and back to null after it,
// also when an exception passes.
class TCurrentManagerScope {
public:
    explicit TCurrentManagerScope(TDialogManager* Manager) { CurrentDialogManager = Manager; }
    ~TCurrentManagerScope() { CurrentDialogManager = nullptr; }
    TCurrentManagerScope(const TCurrentManagerScope&) = delete;
    TCurrentManagerScope& operator=(const TCurrentManagerScope&) = delete;
};
}  // namespace

void CheckResponseFileForms() {
    const TResponseFile* file = ActiveResponseFile();
    if (!file) return;
    std::vector<TFormClass> classes;
    AddFormClasses(BIFList(), classes);
    AddFormClasses(DCFList(), classes);
    AddFormClasses(BCDFList(), classes);
    for (TFormClass c : classes) {
        std::unique_ptr<TForm> form(CreateForm(c, &Application));
        file->CheckSections(*form);
    }
}

// --------------------------------------------------------------- manager

TDialogManager* CurrentDialogManager = nullptr;

VTRL_IMPLEMENT_CLASS(TDialogManager, TBaseHelperComponent, [](TClassBuilder<TDialogManager>& b) {
    b.Enum<TManagerType>("ManagerType", &TDialogManager::ManagerType, &TDialogManager::SetManagerType,
                         dmBeforeInstall);
})

TDialogManager::TDialogManager(TComponent* AOwner) : TBaseHelperComponent(AOwner) { FRank = rkDialog; }

TDialogManager::~TDialogManager() {
    // The dialogs that name this manager forget it through their free
    // notices.
    CloseCopyForms();
    if (CurrentDialogManager == this) CurrentDialogManager = nullptr;
}

TDialogManager* FindDialogManager(TManagerType Type) {
    IInstallation* installation = Installation();
    if (!installation) return nullptr;
    TInstallContainer* root = &installation->InstallRoot();
    for (TInstallContainer* c : TInstallContainer::Registry()) {
        auto* m = dynamic_cast<TDialogManager*>(c);
        if (m && m->ManagerType() == Type && m->Container() == root) return m;
    }
    return nullptr;
}

void TDialogManager::AddDialog(TCustomBaseInstallDlg* Dialog) {
    if (!Dialog)
        throw Exception(Fmt(TranslateMessageText("Cannot add a NIL Dialog to the Dialog Manager %s"), Name()));
    FDialogs.push_back(Dialog);
}

void TDialogManager::RemoveDialog(TCustomBaseInstallDlg* Dialog) {
    auto it = std::find(FDialogs.begin(), FDialogs.end(), Dialog);
    if (it != FDialogs.end()) FDialogs.erase(it);
}

void TDialogManager::ContainerDestroying(TInstallContainer* Container) {
    TBaseHelperComponent::ContainerDestroying(Container);
    if (auto* dialog = dynamic_cast<TCustomBaseInstallDlg*>(Container)) RemoveDialog(dialog);
}

void TDialogManager::DialogEvent(TInstallContainer* Sender, TEventName EventName, TPersistent* ParameterObject) {
    TBaseHelperComponent::DialogEvent(Sender, EventName, ParameterObject);
    struct TRow {
        TEventName Event;
        TManagerType Type;
    };
    static const TRow rows[] = {
        {ev::eccBeginningDialogManager, dmBeforeInstall}, {ev::eccGoodInstallDialogManager, dmAfterGoodInstall},
        {ev::eccBadInstallDialogManager, dmAfterBadInstall}, {ev::CopyingFile, dmDuringCopyFiles},
        {ev::DoneCopyingFiles, dmDuringCopyFiles}, {ev::ChangeDisk, dmChangeDisk},
        {ev::ShutDownDialog, dmReboot},
    };
    for (const TRow& row : rows) {
        if (!(EventName == row.Event) || row.Type != FManagerType) continue;
        if (EventName == ev::CopyingFile) {
            if (!ParameterObject)
                throw Exception(Fmt(TranslateMessageText(
                                        "Got a nil TFileStatusParameter object in the eccCopyingFile of DialogManager %s"),
                                    Name()));
            if (!dynamic_cast<TFileStatusParameter*>(ParameterObject))
                throw Exception(Fmt(TranslateMessageText("Got a non TFileStatusParameter object in the eccCopyingFile "
                                                         "of DialogManager %s"),
                                    Name()));
            UpdateCopyForms(ParameterObject);
        } else if (EventName == ev::DoneCopyingFiles) {
            CloseCopyForms();
        } else if (EventName == ev::ChangeDisk) {
            ShowChangeDisk(ParameterObject);
        } else {
            RunDialogs();
        }
        return;
    }
}

void TDialogManager::RunDialogs() {
    TCurrentManagerScope current(this);
    std::unique_ptr<TBaseFormContainer> frame(new TBaseFormContainer(&Application));
    if (frame->BuildPages() == 0) return;
    Log("wizard of " + Name() + ": " + std::to_string(frame->Pages().size()) + " pages");
    // Only the last page's Next ends a wizard well. Cancel, the close box,
    // Alt+F4 and Esc were confirmed by the page (mrAbort); any other ending
    // (the application told to end) is no consent to install either.
    const int result = frame->ShowModal();
    if (result != mrOk) {
        Log("wizard of " + Name() + " ended with result " + std::to_string(result) + ": the user's abort");
        throw EAIUserAbort();
    }
    if (TForm* main = Application.MainForm()) main->Repaint();
    Application.ProcessMessages();
}

void TDialogManager::ShowCopyForms() {
    for (TDCFEntry* entry : DCFList()) {
        TForm* form = CreateForm(entry->FormClass, &Application);
        auto* copyForm = dynamic_cast<TBaseDuringCopyForm*>(form);
        if (!copyForm || copyForm->DM() != this) {
            delete form;
            continue;
        }
        copyForm->SetupControls();
        copyForm->TranslateForm();
        copyForm->Show();
        FCopyForms.push_back(copyForm);
        Log("Copy window " + copyForm->Name() + " shown");
    }
}

void TDialogManager::UpdateCopyForms(TPersistent* Parameter) {
    if (FCopyForms.empty()) ShowCopyForms();
    auto* status = dynamic_cast<TFileStatusParameter*>(Parameter);
    for (TForm* form : FCopyForms)
        if (auto* copyForm = dynamic_cast<TBaseDuringCopyForm*>(form)) copyForm->UpdateStatus(status);
}

void TDialogManager::CloseCopyForms() {
    // The forms are closed and, since nothing shows them again (the next
    // copy pass opens a new set), freed with it.
    std::vector<TForm*> forms;
    forms.swap(FCopyForms);
    for (TForm* form : forms) {
        form->Close();
        delete form;
    }
}

void TDialogManager::ShowChangeDisk(TPersistent* Parameter) {
    if (BCDFList().empty()) return;
    std::unique_ptr<TForm> form(CreateForm(BCDFList().front()->FormClass, &Application));
    TCurrentManagerScope current(this);
    auto* diskForm = dynamic_cast<TBaseChangeDiskForm*>(form.get());
    if (!diskForm || diskForm->DM() != this) return;
    // The request is the file's broadcast: the file, then what it asks for.
    if (!Parameter)
        throw Exception(TranslateMessageText(
            "The ParameterObject is Nil in the TDialogManager. Cannot show the change disk form"));
    auto* list = dynamic_cast<TParameterList*>(Parameter);
    if (!list) throw Exception(TranslateMessageText("TChangeDiskDlg--PO is not a TList object"));
    if (list->Count() < 2) throw Exception(TranslateMessageText("TChangeDiskDlg--Not engouh parameters for status event"));
    auto* file = dynamic_cast<TInstallFile*>(list->Items[0]);
    if (!file) throw Exception("TChangeDiskDlg says bad first parameter");
    auto* disk = dynamic_cast<TDiskParameter*>(list->Items[1]);
    if (!disk) throw Exception("TChangeDiskDlg says bad second parameter");
    // The file asks nobody else: a form answers the request.
    file->Tag = 1;
    diskForm->DiskParameter = disk;
    diskForm->SetupControls();
    diskForm->TranslateForm();
    const int result = diskForm->ShowModal();
    Log("Disk " + IntToStr(disk->NewDisk) + ": " + (result == mrAbort ? "the user's abort" : "looked for in " + disk->Path));
    if (result == mrAbort) throw EAIUserAbort();
}

// ------------------------------------------------------ dialog components

void LoadInstallTheme(TPicture& Picture) {
    try {
        Picture.Bitmap().LoadFromResourceName(GetModuleHandleA(nullptr), "INSTALLTHEME1");
    } catch (const Exception&) {
        // A program without the picture shows pages without it.
    }
}

VTRL_IMPLEMENT_CLASS(TCustomBaseInstallDlg, TBaseHelperComponent, [](auto&) {})

TCustomBaseInstallDlg::TCustomBaseInstallDlg(TComponent* AOwner) : TBaseHelperComponent(AOwner) {
    FRank = rkDialog;
    if (Designing()) {
        if (IInstallation* i = Installation()) SetContainer(&i->InstallRoot());
    } else {
        LoadInstallTheme(FThemeBitmap);
    }
}

TCustomBaseInstallDlg::~TCustomBaseInstallDlg() {
    if (FEntry) {
        std::erase(BIFList(), FEntry.get());
        std::erase(DCFList(), FEntry.get());
        std::erase(BCDFList(), FEntry.get());
    }
    if (FForm) FForm->RemoveFreeNotification(this);
    if (FDialogManager) {
        FDialogManager->RemoveDialog(this);
        FDialogManager->RemoveFreeNotification(this);
    }
}

void TCustomBaseInstallDlg::SetForm(TForm* Value) {
    if (FForm == Value) return;
    if (FForm) FForm->RemoveFreeNotification(this);
    // A new form comes with the English texts of its form text, whatever
    // language the previous one had been translated into.
    if (Value) FormLanguage = ylEnglish;
    FForm = Value;
    if (FForm) FForm->FreeNotification(this);
}

void TCustomBaseInstallDlg::SetDialogManager(TDialogManager* Value) {
    if (Loading()) FDialogManagerStored = true;
    if (Value == FDialogManager) return;
    if (Value) Value->AddDialog(this);
    if (FDialogManager) {
        FDialogManager->RemoveDialog(this);
        FDialogManager->RemoveFreeNotification(this);
    }
    FDialogManager = Value;
    if (FDialogManager) FDialogManager->FreeNotification(this);
}

void TCustomBaseInstallDlg::SetThemeBitmap(const TPicture& Value) { FThemeBitmap.Assign(Value); }

void TCustomBaseInstallDlg::SetDefaultManager(TManagerType Type) {
    FDefaultManagerType = Type;
    FHasDefaultManager = true;
    // The managers of a definition being read have no container yet; the
    // default is then taken when the read ends (Loaded).
    if (!Loading()) SetDialogManager(FindDialogManager(Type));
}

void TCustomBaseInstallDlg::Loaded() {
    TBaseHelperComponent::Loaded();
    if (FHasDefaultManager && !FDialogManagerStored && !FDialogManager)
        SetDialogManager(FindDialogManager(FDefaultManagerType));
}

void TCustomBaseInstallDlg::Notification(TComponent* AComponent, TOperation Operation) {
    TBaseHelperComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FForm) FForm = nullptr;
    if (AComponent == FDialogManager) FDialogManager = nullptr;
}

void TCustomBaseInstallDlg::ContainerDestroying(TInstallContainer* Container) {
    TBaseHelperComponent::ContainerDestroying(Container);
    if (Container && Container == FDialogManager) SetDialogManager(nullptr);
}

void TCustomBaseInstallDlg::ApplyLanguage() {
    if (!FForm) return;
    if (AutoSetFont) {
        if (OverrideMainTranslator) MainSetFormFontFor(TranslateIntoLanguage, FForm);
        else MainSetFormFont(FForm);
    }
    if (AutoTranslate) {
        FormLanguage = OverrideMainTranslator ? MainTranslateControlsInto(FormLanguage, TranslateIntoLanguage, FForm)
                                              : MainTranslateControls(FormLanguage, FForm);
    }
}

void TCustomBaseInstallDlg::LanguageChanged(int) { ApplyLanguage(); }

void TCustomBaseInstallDlg::AssignDialogProperties() {
    if (!FForm)
        throw Exception(
            Fmt(TranslateMessageText("Cannot AssignDialogProperties for %s because the Dialog is Nil"), Name()));
    if (auto* form = dynamic_cast<TBaseVantrelForm*>(FForm)) {
        form->AutoSetFont = AutoSetFont;
        form->AutoTranslate = AutoTranslate;
        form->Container = Container();
        form->OverrideMainTranslator = OverrideMainTranslator;
        form->TranslateIntoLanguage = TranslateIntoLanguage;
    }
    if (auto* page = dynamic_cast<TBaseInstallForm*>(FForm)) page->SetDC(this);
    ApplyLanguage();
}

bool TCustomBaseInstallDlg::Execute() {
    bool result = false;
    try {
        if (OnBeforeExecute) OnBeforeExecute(this);
        result = ShowDialog();
        Application.ProcessMessages();
        if (OnAfterExecute) OnAfterExecute(this);
    } catch (const EAbort&) {
        return false;
    }
    return result;
}

bool TCustomBaseInstallDlg::ShowDialog() {
    if (!CanShow()) return true;
    std::unique_ptr<TForm> form(CreateForm(GetFormClass(), &Application));
    SetForm(form.get());
    AssignDialogProperties();
    const int result = form->ShowModal();
    form.reset();  // clears Form through the free notice
    if (result == mrOk) return true;
    throw EAIUserAbort();
}

void TCustomBaseInstallDlg::ShowOnOwnEvent(TEventName EventName, TEventName Own) {
    if (!FDialogManager && EventName == Own) Execute();
}

VTRL_IMPLEMENT_CLASS(TBaseInstallDlg, TCustomBaseInstallDlg, [](TClassBuilder<TBaseInstallDlg>& b) {
    b.Boolean("AutoSetFont", &TBaseInstallDlg::AutoSetFont, &TBaseInstallDlg::AutoSetFont, true)
        .Boolean("AutoTranslate", &TBaseInstallDlg::AutoTranslate, &TBaseInstallDlg::AutoTranslate, true)
        .Reference<TDialogManager>("DialogManager", &TBaseInstallDlg::DialogManager,
                                   &TBaseInstallDlg::SetDialogManager)
        .Integer("Order", &TBaseInstallDlg::PageOrder, &TBaseInstallDlg::SetPageOrder)
        .Boolean("OverrideMainTranslator", &TBaseInstallDlg::OverrideMainTranslator,
                 &TBaseInstallDlg::OverrideMainTranslator, false)
        .Object("ThemeBitmap", [](TBaseInstallDlg& d) -> TPersistent* { return d.ThemeBitmap(); })
        .Enum<TVtrlLanguage>("TranslateIntoLanguage", &TBaseInstallDlg::TranslateIntoLanguage,
                             &TBaseInstallDlg::TranslateIntoLanguage, ylUser)
        .Event("OnAfterExecute", &TBaseInstallDlg::OnAfterExecute)
        .Event("OnBeforeExecute", &TBaseInstallDlg::OnBeforeExecute);
})

void TBaseInstallDlg::RegisterPage(TFormClass FormClass) {
    if (FEntry) std::erase(BIFList(), FEntry.get());
    FEntry.reset(RegisterBIFEntry(FormClass, this, 0));
}

}  // namespace vtrl
