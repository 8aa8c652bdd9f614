// The wizard machinery: form registries, the dialog manager's events, the
// wizard frame's page order and navigation, cancelling, copy and disk forms,
// standalone dialogs and the language of pages. Silent runs: the pages
// exist as objects and the frame is answered as a silent run answers it.
#include "dlgcmp_TBaseDlg.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "ExtCtrls.h"
#include "ResponseFile.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "cmp_TInstallFile.h"
#include "cmp_TTranslateControls.h"
#include "dlgcmp_TBaseContainer.h"
#include "dlgcmp_TBaseForms.h"
#include "dlgcmp_TWelcomeDlg.h"
#include "model_testkit.h"
#include "ordlg_WelcomeDlg.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

std::vector<std::string> Events;  // what the test pages and forms did

// A dialog component of the tests: its page says whether to skip itself
// and can run a reaction when it becomes the active page.
class TTestDlg : public TBaseInstallDlg {
    VTRL_CLASS(TTestDlg)
public:
    explicit TTestDlg(TComponent* Owner) : TBaseInstallDlg(Owner) { RegisterPage(GetFormClass()); }
    TFormClass GetFormClass() override;
    bool Skip = false;
    std::function<void(TBaseInstallForm&)> OnActivated;
};

// A page built in code: Back, Next (the default button) and Cancel.
class TTestPage : public TBaseInstallForm {
    VTRL_CLASS(TTestPage)
public:
    explicit TTestPage(TComponent* Owner) : TBaseInstallForm(Owner) {
        static int serial = 0;
        SetName("TestPage" + std::to_string(++serial));
        Back = AddButton("BackBtn", [this] { PreviousPage(); });
        Next = AddButton("NextBtn", [this] { NextPage(); });
        Next->SetDefault(true);
        Cancel = AddButton("CancelBtn", [this] { CancelInstall(); });
        Cancel->Cancel = true;
    }
    bool SkipPage() override {
        auto* d = dynamic_cast<TTestDlg*>(DC());
        return d && d->Skip;
    }
    void ActivatePage() override {
        TBaseInstallForm::ActivatePage();
        Events.push_back("show " + (DC() ? DC()->Name() : Name()));
        if (auto* d = dynamic_cast<TTestDlg*>(DC()); d && d->OnActivated) d->OnActivated(*this);
    }
    TButton *Back, *Next, *Cancel;

private:
    TButton* AddButton(const char* Name, std::function<void()> Action) {
        auto* b = new TButton(this);
        b->SetName(Name);
        b->SetParentComponent(this);
        b->OnClick.Bind(Name, [Action](TComponent*) { Action(); });
        return b;
    }
};

VTRL_IMPLEMENT_CLASS(TTestDlg, TBaseInstallDlg, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TTestPage, TBaseInstallForm, [](auto&) {})
TFormClass TTestDlg::GetFormClass() { return &TTestPage::StaticClass(); }

// A copy-progress form that belongs to the test's copy manager.
TDialogManager* CopyManagerOfTest = nullptr;
class TTestCopyForm : public TBaseDuringCopyForm {
    VTRL_CLASS(TTestCopyForm)
public:
    explicit TTestCopyForm(TComponent* Owner) : TBaseDuringCopyForm(Owner) {
        SetDM(CopyManagerOfTest);
        Events.push_back("copy form made");
    }
    ~TTestCopyForm() override { Events.push_back("copy form gone"); }
    void UpdateStatus(TFileStatusParameter* Status) override {
        Events.push_back("status " + Status->FileName);
    }
};
VTRL_IMPLEMENT_CLASS(TTestCopyForm, TBaseDuringCopyForm, [](auto&) {})

// Disk-change forms: each says which one was made; the OK button ends it.
TDialogManager* DiskManagerOfTest = nullptr;
template <int N>
class TTestDiskForm : public TBaseChangeDiskForm {
public:
    explicit TTestDiskForm(TComponent* Owner) : TBaseChangeDiskForm(Owner) {
        SetDM(DiskManagerOfTest);
        Events.push_back("disk form " + std::to_string(N));
        auto* ok = new TButton(this);
        ok->SetParentComponent(this);
        ok->ModalResult = mrOk;
        ok->SetDefault(true);
    }
};
class TTestDiskForm1 : public TTestDiskForm<1> {
    VTRL_CLASS(TTestDiskForm1)
public:
    using TTestDiskForm::TTestDiskForm;
};
class TTestDiskForm2 : public TTestDiskForm<2> {
    VTRL_CLASS(TTestDiskForm2)
public:
    using TTestDiskForm::TTestDiskForm;
};
VTRL_IMPLEMENT_CLASS(TTestDiskForm1, TBaseChangeDiskForm, [](auto&) {})
VTRL_IMPLEMENT_CLASS(TTestDiskForm2, TBaseChangeDiskForm, [](auto&) {})

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSilent(true);
        Events.clear();
        Install = Make<TTestInstallation>(&Root, "Install1");
    }
    void TearDown() override {
        SetModalResponder(nullptr);
        SetSilent(false);
    }
    TDialogManager* Manager(const std::string& Name, TManagerType Type, bool InTree = true) {
        auto* m = Make<TDialogManager>(&Root, Name);
        m->SetManagerType(Type);
        if (InTree) m->SetContainer(Install);
        return m;
    }
    TTestDlg* Dialog(const std::string& Name, TDialogManager* M, int32_t Order) {
        auto* d = Make<TTestDlg>(&Root, Name);
        d->SetContainer(Install);
        d->SetDialogManager(M);
        d->SetPageOrder(Order);
        return d;
    }
    TWelcomeDlg* Welcome(TDialogManager* M) {
        auto* w = Make<TWelcomeDlg>(&Root, "Welcome1");
        w->SetContainer(Install);
        w->SetDialogManager(M);
        return w;
    }
    static std::vector<std::string> PageNames(const TBaseFormContainer& Frame) {
        std::vector<std::string> names;
        for (TBaseInstallForm* p : Frame.Pages()) names.push_back(p->DC()->Name());
        return names;
    }
    TDataModule Root{nullptr};
    TTestInstallation* Install = nullptr;
};

TEST_F(WizardTest, PagesOfTheManagerOnlySortedByTheExchangeSort) {
    TDialogManager* before = Manager("Before", dmBeforeInstall);
    TDialogManager* other = Manager("Good", dmAfterGoodInstall);
    Dialog("A", before, 10);
    Dialog("B", before, 10);
    Dialog("C", before, 5);
    Dialog("Elsewhere", other, 1);
    Dialog("Standalone", nullptr, 1);
    CurrentDialogManager = before;
    TBaseFormContainer frame(&Application);
    EXPECT_EQ(frame.BuildPages(), 3);
    // Not stable: A and B change places when C is carried to the front.
    EXPECT_EQ(PageNames(frame), (std::vector<std::string>{"C", "B", "A"}));
    CurrentDialogManager = nullptr;
    TBaseFormContainer again(&Application);
    EXPECT_THROW(
        {
            try {
                again.BuildPages();
            } catch (const Exception& e) {
                EXPECT_STREQ(e.what(), "The current dialog manager is not defined");
                throw;
            }
        },
        Exception);
}

TEST_F(WizardTest, NavigationSkipsPagesAndStopsAtBothEnds) {
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    TTestDlg* first = Dialog("First", m, 1);
    Dialog("Second", m, 2);
    TTestDlg* third = Dialog("Third", m, 3);
    TTestDlg* last = Dialog("Last", m, 4);
    third->Skip = true;
    last->Skip = true;
    CurrentDialogManager = m;
    TBaseFormContainer frame(&Application);
    frame.BuildPages();
    CurrentDialogManager = nullptr;
    frame.GotoPage(0, false);
    EXPECT_EQ(frame.ActivePageIndex(), 0);
    frame.PreviousPage();  // nothing before the first page
    EXPECT_EQ(frame.ActivePageIndex(), 0);
    EXPECT_EQ(frame.ModalResult, mrNone);
    frame.NextPage();
    EXPECT_EQ(frame.ActivePageIndex(), 1);
    // Every later page asks to be skipped: Next ends the wizard with OK.
    frame.NextPage();
    EXPECT_EQ(frame.ActivePageIndex(), 1);
    EXPECT_EQ(frame.ModalResult, mrOk);
    // Back past a skipped first page leaves the page where it is.
    first->Skip = true;
    frame.PreviousPage();
    EXPECT_EQ(frame.ActivePageIndex(), 1);
    EXPECT_EQ(Events, (std::vector<std::string>{"show First", "show Second"}));
}

TEST_F(WizardTest, SilentWizardWalksEveryPageAndFindsTheFirstShowablePage) {
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    Dialog("Language", m, 0)->Skip = true;  // the first page asks to be passed over
    Dialog("Welcome", m, 10);
    Dialog("Folder", m, 60);
    Install->Broadcast(ev::eccBeginningDialogManager);
    EXPECT_EQ(Events, (std::vector<std::string>{"show Welcome", "show Folder"}));
    EXPECT_EQ(CurrentDialogManager, nullptr);
    // Another manager's event shows nothing of this one.
    Events.clear();
    Install->Broadcast(ev::eccGoodInstallDialogManager);
    EXPECT_TRUE(Events.empty());
}

TEST_F(WizardTest, CancelAbortsTheInstallationUnlessTheHandlerSaysNo) {
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    TTestDlg* page = Dialog("Welcome", m, 10);
    Dialog("Folder", m, 20);
    page->OnActivated = [](TBaseInstallForm& p) { p.CancelInstall(); };
    Install->AbortAnswer = false;
    Install->Broadcast(ev::eccBeginningDialogManager);  // cancel refused: the wizard goes on
    EXPECT_EQ(Events, (std::vector<std::string>{"show Welcome", "show Folder"}));
    EXPECT_EQ(Install->AbortQuestions, 1);
    Events.clear();
    Install->AbortAnswer = true;
    EXPECT_THROW(m->RunDialogs(), EAIUserAbort);
    EXPECT_EQ(Events, (std::vector<std::string>{"show Welcome"}));
    EXPECT_EQ(CurrentDialogManager, nullptr);
    EXPECT_EQ(page->Form(), nullptr);  // the page went with its frame
}

// Every page of a wizard that asks to be skipped: the wizard ends at once
// with OK, showing no page, in a silent run as in a visible one.
TEST_F(WizardTest, AWizardWhosePagesAreAllSkippedEndsAtOnce) {
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    Dialog("Language", m, 0)->Skip = true;
    Dialog("Folder", m, 60)->Skip = true;
    EXPECT_NO_THROW(m->RunDialogs());
    SetSilent(false);
    EXPECT_NO_THROW(m->RunDialogs());
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Install->AbortQuestions, 0);
}

// The wizard shown for real: Esc, the close box, Alt+F4 and the window's
// close request are posted to its windows as Windows delivers a person's
// keys and clicks, and each does what the page's Cancel does: the question
// first (refused, the wizard stays on its page), then (agreed) the user's
// abort. Enter presses the page's default button.
TEST_F(WizardTest, EscAndClosingTheWindowCancelAsThePageDoes) {
    SetSilent(false);
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    TTestDlg* first = Dialog("Welcome", m, 10);
    TTestDlg* second = Dialog("Folder", m, 20);
    using TPost = std::function<void(HWND Frame, HWND Control)>;
    auto key = [](UINT Down, UINT Up, WPARAM Key, LPARAM Flags) {
        return [=](HWND, HWND Control) {
            PostMessageA(Control, Down, Key, 1 | Flags);
            PostMessageA(Control, Up, Key, 1 | Flags | 0xC0000000);
        };
    };
    const std::pair<const char*, TPost> ways[] = {
        {"Esc", key(WM_KEYDOWN, WM_KEYUP, VK_ESCAPE, 0)},
        {"Alt+F4", key(WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F4, 0x20000000)},
        {"close box", [](HWND Frame, HWND) { PostMessageA(Frame, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](HWND Frame, HWND) { PostMessageA(Frame, WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, post] : ways) {
        SCOPED_TRACE(name);
        Events.clear();
        const int asked = Install->AbortQuestions;
        HWND frame = nullptr, control = nullptr;
        Install->AbortAnswer = false;
        Install->OnAbortQuestion = [&] {
            if (Install->AbortQuestions != asked + 1) return;
            Install->AbortAnswer = true;
            post(frame, control);
        };
        first->OnActivated = [&](TBaseInstallForm& p) {
            frame = p.HostForm()->Handle();
            control = static_cast<TTestPage&>(p).Next->Handle();
            post(frame, control);
        };
        EXPECT_THROW(m->RunDialogs(), EAIUserAbort);
        EXPECT_EQ(Install->AbortQuestions, asked + 2);
        EXPECT_EQ(Events, (std::vector<std::string>{"show Welcome"}));
    }
    Install->OnAbortQuestion = nullptr;
    Events.clear();
    const int asked = Install->AbortQuestions;
    auto enter = [](TBaseInstallForm& p) {
        HWND next = static_cast<TTestPage&>(p).Next->Handle();
        PostMessageA(next, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(next, WM_KEYUP, VK_RETURN, 0xC0000001);
    };
    first->OnActivated = enter;
    second->OnActivated = enter;
    EXPECT_NO_THROW(m->RunDialogs());
    EXPECT_EQ(Events, (std::vector<std::string>{"show Welcome", "show Folder"}));
    EXPECT_EQ(Install->AbortQuestions, asked);
    // A page without a Cancel button (the failed-installation notice) is
    // left only through its own buttons: closing the window does nothing.
    first->OnActivated = [&](TBaseInstallForm& p) {
        static_cast<TTestPage&>(p).Cancel->SetVisible(false);
        PostMessageA(p.HostForm()->Handle(), WM_CLOSE, 0, 0);
        enter(p);
    };
    second->Skip = true;
    EXPECT_NO_THROW(m->RunDialogs());
    EXPECT_EQ(Install->AbortQuestions, asked);
}

// Rule: what a response file says of forms still to come is checked
// against their controls before the run's work: a line naming a control
// the page does not have stops it there, with the file and line; values,
// used sections and sections of other forms are not judged.
TEST_F(WizardTest, TheResponseFileIsCheckedAgainstTheFormsToCome) {
    Welcome(Manager("After", dmAfterGoodInstall));
    SetActiveResponseFile(std::make_unique<TResponseFile>(
        "install.rsp", "[WelcomeForm]\nclick NextBtn\nselect NextBtn = anything\n[NoSuchForm]\nclick X\n"));
    try {
        CheckResponseFileForms();
        FAIL() << "a select on a button passed";
    } catch (const EResponseFileError& e) {
        EXPECT_STREQ(e.what(), "install.rsp(3): the control NextBtn cannot select");
    }
    SetActiveResponseFile(std::make_unique<TResponseFile>("install.rsp", "[WelcomeForm]\nclick NextButton\n"));
    EXPECT_THROW(CheckResponseFileForms(), EResponseFileError);
    SetActiveResponseFile(std::make_unique<TResponseFile>(
        "install.rsp", "[WelcomeForm]\nclick NextBtn\nNextBtn.Caption = Go\n[NoSuchForm]\nclick X\n"));
    EXPECT_NO_THROW(CheckResponseFileForms());
    SetActiveResponseFile(nullptr);
    EXPECT_NO_THROW(CheckResponseFileForms());
}

TEST_F(WizardTest, DialogBookkeepingAndManagerDefaults) {
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    Manager("Loose", dmBeforeInstall, false);
    TTestDlg* d = Dialog("D", m, 1);
    d->SetDialogManager(m);  // the same manager again: listed once
    EXPECT_EQ(m->Dialogs().size(), 1u);
    EXPECT_EQ(FindDialogManager(dmBeforeInstall), m);
    EXPECT_EQ(FindDialogManager(dmReboot), nullptr);
    try {
        m->AddDialog(nullptr);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot add a NIL Dialog to the Dialog Manager Before");
    }
    delete m;  // the dialog forgets its manager
    EXPECT_EQ(d->DialogManager(), nullptr);
    const int n = BIFCount();
    delete d;  // and its registration goes with it
    EXPECT_EQ(BIFCount(), n - 1);
    try {
        GetBIFEntry(BIFCount());
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), std::to_string(BIFCount()) + " is an invalid index in the BIFList");
    }
}

TEST_F(WizardTest, CopyFormsOpenWithTheFirstFileAndCloseWithTheEndOfThePass) {
    TDialogManager* before = Manager("Before", dmBeforeInstall);
    CopyManagerOfTest = Manager("Copy", dmDuringCopyFiles);
    TFormSelfRegistration<TDCFEntry> reg(&TTestCopyForm::StaticClass(), &DCFList);
    TFileStatusParameter status;
    status.FileName = "a.txt";
    before->DialogEvent(Install, ev::CopyingFile, &status);  // not its moment
    EXPECT_TRUE(Events.empty());
    Install->Broadcast(ev::CopyingFile, &status);
    status.FileName = "b.txt";
    Install->Broadcast(ev::CopyingFile, &status);
    EXPECT_EQ(CopyManagerOfTest->CopyForms().size(), 1u);
    Install->Broadcast(ev::DoneCopyingFiles);
    EXPECT_TRUE(CopyManagerOfTest->CopyForms().empty());
    Install->Broadcast(ev::CopyingFile, &status);  // a new pass, a new form
    EXPECT_EQ(Events, (std::vector<std::string>{"copy form made", "status a.txt", "status b.txt", "copy form gone",
                                                "copy form made", "status b.txt"}));
    try {
        Install->Broadcast(ev::CopyingFile, nullptr);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Got a nil TFileStatusParameter object in the eccCopyingFile of DialogManager Copy");
    }
    TDiskParameter wrong;
    EXPECT_THROW(Install->Broadcast(ev::CopyingFile, &wrong), Exception);
    delete CopyManagerOfTest;
    CopyManagerOfTest = nullptr;
}

// The request is what a file broadcasts: the file, then the disk. Only the
// first registered form answers it, and marks the file as answered.
TEST_F(WizardTest, OnlyTheFirstDiskChangeFormIsShown) {
    DiskManagerOfTest = Manager("Disk", dmChangeDisk);
    TFormSelfRegistration<TBCDFEntry> one(&TTestDiskForm1::StaticClass(), &BCDFList);
    TFormSelfRegistration<TBCDFEntry> two(&TTestDiskForm2::StaticClass(), &BCDFList);
    TInstallFile file(nullptr);
    TDiskParameter disk;
    disk.NewDisk = 2;
    TParameterList request{&file, &disk};
    Install->Broadcast(ev::ChangeDisk, &request);
    EXPECT_EQ(Events, (std::vector<std::string>{"disk form 1"}));
    EXPECT_EQ(file.Tag, 1);
    EXPECT_EQ(CurrentDialogManager, nullptr);
    // Each malformed request is named, and the manager is reset after it.
    TFileStatusParameter other;
    TParameterList shortList{&file}, wrongFile{&disk, &disk}, wrongDisk{&file, &other};
    const std::pair<TPersistent*, const char*> bad[] = {
        {nullptr, "The ParameterObject is Nil in the TDialogManager. Cannot show the change disk form"},
        {&disk, "TChangeDiskDlg--PO is not a TList object"},
        {&shortList, "TChangeDiskDlg--Not engouh parameters for status event"},
        {&wrongFile, "TChangeDiskDlg says bad first parameter"},
        {&wrongDisk, "TChangeDiskDlg says bad second parameter"},
    };
    for (const auto& [parameter, message] : bad) {
        try {
            Install->Broadcast(ev::ChangeDisk, parameter);
            ADD_FAILURE() << message;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), message);
        }
        EXPECT_EQ(CurrentDialogManager, nullptr);
    }
    delete DiskManagerOfTest;
    DiskManagerOfTest = nullptr;
}

TEST_F(WizardTest, AStandaloneDialogShowsOnlyOnItsOwnEvent) {
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    auto* welcome = Make<TWelcomeDlg>(&Root, "Welcome1");
    welcome->SetContainer(Install);
    EXPECT_EQ(welcome->DialogManager(), m);  // the default manager of its type
    welcome->SetDialogManager(nullptr);
    EXPECT_EQ(welcome->PageOrder(), 10);
    std::vector<std::string> shown;
    SetModalResponder([&](TForm& f) {
        shown.push_back(f.Name());
        // Next closes a standalone page with OK.
        dynamic_cast<TControl*>(f.FindComponent("NextBtn"))->Click();
        return mrNone;
    });
    Install->Broadcast(ev::eccBeginningDialogManager);  // no page of this manager
    EXPECT_TRUE(shown.empty());
    welcome->OnBeforeExecute.Bind("b", [&](TComponent*) { shown.push_back("before"); });
    Install->Broadcast(ev::eccWelcomeDialog);
    EXPECT_EQ(shown, (std::vector<std::string>{"before", "WelcomeForm"}));
    EXPECT_EQ(welcome->Form(), nullptr);
    // Closed any other way than OK, a standalone page aborts.
    SetModalResponder([](TForm&) { return mrCancel; });
    EXPECT_THROW(welcome->ShowDialog(), EAIUserAbort);
    try {
        welcome->AssignDialogProperties();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot AssignDialogProperties for Welcome1 because the Dialog is Nil");
    }
}

TEST_F(WizardTest, TheWelcomePageIsBuiltFromItsFormTextAndEmbedded) {
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    TWelcomeDlg* welcome = Welcome(m);
    CurrentDialogManager = m;
    TBaseFormContainer frame(&Application);
    ASSERT_EQ(frame.BuildPages(), 1);
    CurrentDialogManager = nullptr;
    auto* page = dynamic_cast<TWelcomeForm*>(frame.Pages()[0]);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(welcome->Form(), page);
    EXPECT_EQ(page->DC(), welcome);
    EXPECT_FALSE(page->ThemeImage->Picture()->Bitmap().Empty());
    EXPECT_EQ(page->ThemeImage->Picture()->Bitmap().Width(), 117);
    EXPECT_EQ(page->ThemeImage->Picture()->Bitmap().Height(), 290);
    auto* label = dynamic_cast<TTranslateLabel*>(page->FindComponent("WelcomeLabel1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GLID, 10);
    // Placed on the frame's display rectangle.
    EXPECT_EQ(page->Width(), frame.DisplayPanel->Width());
    EXPECT_EQ(page->Height(), frame.DisplayPanel->Height());
    frame.GotoPage(0, false);
    EXPECT_EQ(frame.Caption(), "Welcome");
    EXPECT_FALSE(page->BackBtn->Visible());  // the first page has no Back
}

TEST_F(WizardTest, PagesFollowTheMainTranslator) {
    TTranslator translator(&Root);
    translator.LanguageByIdent(ylEnglish)->Strings().Add("6;Cancel");
    translator.LanguageByIdent(ylEnglish)->Strings().Add("9;Welcome");
    translator.LanguageByIdent(ylEnglish)->Strings().Add("10;This program will install the software on your computer.");
    translator.LanguageByIdent(ylFrench)->Strings().Add("6;Annuler");
    translator.LanguageByIdent(ylFrench)->Strings().Add("9;Bienvenue");
    translator.LanguageByIdent(ylFrench)->Strings().Add("10;Ce programme va installer le logiciel.");
    translator.LanguageByIdent(ylGerman)->Strings().Add("6;Abbrechen");
    translator.LanguageByIdent(ylGerman)->Strings().Add("9;Willkommen");
    translator.LanguageByIdent(ylGerman)->Strings().Add("10;Dieses Programm installiert die Software.");
    translator.SetTranslateIntoLanguage(ylFrench);
    TDialogManager* m = Manager("Before", dmBeforeInstall);
    TWelcomeDlg* welcome = Welcome(m);
    CurrentDialogManager = m;
    TBaseFormContainer frame(&Application);
    frame.BuildPages();
    CurrentDialogManager = nullptr;
    TBaseInstallForm* page = frame.Pages()[0];
    auto caption = [&](const char* name) { return dynamic_cast<TControl*>(page->FindComponent(name))->GetText(); };
    EXPECT_EQ(page->Caption(), "Bienvenue");
    EXPECT_EQ(caption("WelcomeLabel1"), "Ce programme va installer le logiciel.");
    EXPECT_EQ(caption("CancelBtn"), "Annuler");
    EXPECT_EQ(welcome->FormLanguage, ylFrench);
    // The user picks German while the page is open: French texts are
    // looked up in the French table.
    translator.SetTranslateIntoLanguage(ylGerman);
    EXPECT_EQ(page->Caption(), "Willkommen");
    EXPECT_EQ(caption("CancelBtn"), "Abbrechen");
    EXPECT_EQ(caption("WelcomeLabel1"), "Dieses Programm installiert die Software.");
}

}  // namespace
