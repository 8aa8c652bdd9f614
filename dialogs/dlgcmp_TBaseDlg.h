// Dialog managers, dialog components and the registries of the forms they
// may show.
//
// The installation never opens a window itself: at fixed points of the run
// it broadcasts events to its dialog helpers. A TDialogManager answers the
// events of its moment by building a wizard (a TBaseFormContainer) from the
// registered page forms that belong to it. A dialog component is the
// page's settings in the definition; it registers its form class, and
// either a manager embeds the form as a page or, with no manager, the
// component shows the form by itself on its own event.
#pragma once

#include <memory>
#include <vector>

#include "cmp_TInstallContainer.h"
#include "cmp_TTranslator.h"
#include "Graphics.h"

namespace vtrl {

class TForm;
class TCustomBaseInstallDlg;
class TDialogManager;

VTRL_ENUM(TManagerType, dmBeforeInstall, dmAfterGoodInstall, dmAfterBadInstall, dmDuringCopyFiles, dmChangeDisk,
          dmReboot)

// ------------------------------------------------------------ registries

// A form class: the registered class information, whose factory creates
// the form with an owner.
using TFormClass = const TClassInfo*;

// A form that may be shown: its class and the dialog component that
// registered it (null for a form registered by itself).
struct TFormEntry {
    TFormEntry(TFormClass AFormClass, TCustomBaseInstallDlg* ADialog, int32_t AReserved)
        : FormClass(AFormClass), Dialog(ADialog), Reserved(AReserved) {}
    virtual ~TFormEntry() = default;
    TFormClass FormClass;
    TCustomBaseInstallDlg* Dialog;
    int32_t Reserved;  // always 0
};
// Page forms a wizard may contain.
struct TBIFEntry : TFormEntry {
    using TFormEntry::TFormEntry;
};
// Copy-progress forms.
struct TDCFEntry : TFormEntry {
    using TFormEntry::TFormEntry;
};
// Disk-change forms.
struct TBCDFEntry : TFormEntry {
    using TFormEntry::TFormEntry;
};

// The three process-wide lists, in registration order. They do not own
// their entries: whoever registers keeps the entry and withdraws it.
std::vector<TBIFEntry*>& BIFList();
std::vector<TDCFEntry*>& DCFList();
std::vector<TBCDFEntry*>& BCDFList();

// Appends a new entry and returns it; the caller owns it.
TBIFEntry* RegisterBIFEntry(TFormClass FormClass, TCustomBaseInstallDlg* Dialog, int32_t Reserved = 0);
TDCFEntry* RegisterDCFEntry(TFormClass FormClass, TCustomBaseInstallDlg* Dialog, int32_t Reserved = 0);
TBCDFEntry* RegisterBCDFEntry(TFormClass FormClass, TCustomBaseInstallDlg* Dialog, int32_t Reserved = 0);
// Remove an entry from its list (it is not freed); unknown entries are
// ignored.
void UnregisterBIFEntry(TBIFEntry* Entry);
void UnregisterDCFEntry(TDCFEntry* Entry);
void UnregisterBCDFEntry(TBCDFEntry* Entry);
int BIFCount();
// Raises Exception for an index outside the list.
TBIFEntry* GetBIFEntry(int Index);

// With a response file: checks its unused sections against every form the
// three registries can show (made for the check and freed again), so that a
// line naming a control a later form does not have stops the run before its
// work, not after it. Raises EResponseFileError naming the file and line.
void CheckResponseFileForms();

// Registers a form that has no dialog component for as long as the program
// runs: a page module declares one at namespace scope. (A form that has a
// dialog component is registered by each of its components instead.)
template <class TEntry>
class TFormSelfRegistration {
public:
    TFormSelfRegistration(TFormClass FormClass, std::vector<TEntry*>& (*List)())
        : FEntry(FormClass, nullptr, 0), FList(List) {
        FList().push_back(&FEntry);
    }
    ~TFormSelfRegistration() { std::erase(FList(), &FEntry); }

private:
    TEntry FEntry;
    std::vector<TEntry*>& (*FList)();
};

// --------------------------------------------------------------- manager

// The manager whose wizard or disk-change form is being built and shown,
// or null. Set for the duration of RunDialogs and ShowChangeDisk.
extern TDialogManager* CurrentDialogManager;

class TDialogManager : public TBaseHelperComponent {
    VTRL_CLASS(TDialogManager)
public:
    explicit TDialogManager(TComponent* AOwner);
    ~TDialogManager() override;

    TManagerType ManagerType() const { return FManagerType; }
    void SetManagerType(TManagerType Value) { FManagerType = Value; }
    // The dialog components that name this manager (bookkeeping only).
    const std::vector<TCustomBaseInstallDlg*>& Dialogs() const { return FDialogs; }
    // The copy-progress forms open now.
    const std::vector<TForm*>& CopyForms() const { return FCopyForms; }

    // Builds the wizard of this manager and shows it modally; nothing is
    // shown when no page belongs to it. A wizard cancelled by the user
    // raises EAIUserAbort.
    virtual void RunDialogs();
    // Shows the first registered disk-change form for the request
    // Parameter (a TDiskParameter); raises EAIUserAbort when the user
    // aborts.
    virtual void ShowChangeDisk(TPersistent* Parameter);
    virtual void AddDialog(TCustomBaseInstallDlg* Dialog);
    virtual void RemoveDialog(TCustomBaseInstallDlg* Dialog);

    void DialogEvent(TInstallContainer* Sender, TEventName EventName, TPersistent* ParameterObject) override;
    void ContainerDestroying(TInstallContainer* Container) override;

    void ShowCopyForms();
    void UpdateCopyForms(TPersistent* Parameter);
    void CloseCopyForms();

private:
    TManagerType FManagerType = dmBeforeInstall;
    std::vector<TCustomBaseInstallDlg*> FDialogs;
    std::vector<TForm*> FCopyForms;
};

// The first manager of that type, in creation order, whose Container is
// the installation's root; null when there is none (or no installation).
TDialogManager* FindDialogManager(TManagerType Type);

// ------------------------------------------------------ dialog components

using TDialogNotifyEvent = TEvent<TComponent*>;

// The part of a page that lives in the definition for the whole run.
class TCustomBaseInstallDlg : public TBaseHelperComponent {
    VTRL_CLASS(TCustomBaseInstallDlg)
public:
    explicit TCustomBaseInstallDlg(TComponent* AOwner);
    ~TCustomBaseInstallDlg() override;

    bool AutoSetFont = true;
    bool AutoTranslate = true;
    // The language the texts of Form are in now.
    TVtrlLanguage FormLanguage = ylEnglish;
    bool OverrideMainTranslator = false;
    TVtrlLanguage TranslateIntoLanguage = ylUser;

    // The form this component prepared last; not owned, cleared when that
    // form goes.
    TForm* Form() const { return FForm; }
    void SetForm(TForm* Value);
    TDialogManager* DialogManager() const { return FDialogManager; }
    virtual void SetDialogManager(TDialogManager* Value);
    TPicture* ThemeBitmap() { return &FThemeBitmap; }
    // The page's place in its wizard, ascending; published as "Order". (The
    // Order of an install component is its place among the container's
    // helpers, which the container renumbers.)
    int32_t PageOrder() const { return FPageOrder; }
    void SetPageOrder(int32_t Value) { FPageOrder = Value; }
    virtual void SetThemeBitmap(const TPicture& Value);

    // Pushes the component's settings into Form and applies the language.
    // Raises Exception when there is no form.
    virtual void AssignDialogProperties();
    // Standalone showing with OnBeforeExecute and OnAfterExecute around it;
    // a silent abort ends it quietly (false).
    virtual bool Execute();
    // Shows the form modally. True when it closed with OK (or may not be
    // shown); raises EAIUserAbort when it closed any other way.
    virtual bool ShowDialog();
    virtual TFormClass GetFormClass() = 0;
    virtual bool CanShow() { return true; }

    void ContainerDestroying(TInstallContainer* Container) override;
    void LanguageChanged(int Language) override;
    void Loaded() override;

    TDialogNotifyEvent OnBeforeExecute;
    TDialogNotifyEvent OnAfterExecute;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The manager of this type becomes the default when the definition
    // names none; a concrete dialog calls it in its constructor.
    void SetDefaultManager(TManagerType Type);
    // Sets the font and translates Form as the component's fields ask.
    void ApplyLanguage();
    // Runs the component's own event: shows the form standalone when it has
    // no manager and EventName is Own.
    void ShowOnOwnEvent(TEventName EventName, TEventName Own);
    // Concrete dialogs keep the registry entry of their form class here.
    std::unique_ptr<TFormEntry> FEntry;

private:
    TForm* FForm = nullptr;
    TDialogManager* FDialogManager = nullptr;
    bool FDialogManagerStored = false;
    TManagerType FDefaultManagerType = dmBeforeInstall;
    bool FHasDefaultManager = false;
    int32_t FPageOrder = 0;
    TPicture FThemeBitmap;
};

// The dialog component base the pages derive from; publishes the settings.
class TBaseInstallDlg : public TCustomBaseInstallDlg {
    VTRL_CLASS(TBaseInstallDlg)
public:
    using TCustomBaseInstallDlg::TCustomBaseInstallDlg;

protected:
    // Registers FormClass in BIFList for this component.
    void RegisterPage(TFormClass FormClass);
};

// Loads the "INSTALLTHEME1" bitmap of the program into Picture; leaves it
// empty when the program has none.
void LoadInstallTheme(TPicture& Picture);

}  // namespace vtrl
