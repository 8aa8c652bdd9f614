// Tests of forms, the message loop, exceptions at the window procedure and
// the cursor guard; real windows under Wine.
#include "Forms.h"

#include <gtest/gtest.h>

#include "Dialogs.h"
#include "StdCtrls.h"
#include "Unattended.h"

using namespace vtrl;

namespace {

// Every test starts from a normal run without responders and with a loop
// that may run again.
class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application.Initialize();
        Reset();
    }
    void TearDown() override { Reset(); }
    static void Reset() {
        SetSilent(false);
        SetModalResponder(nullptr);
        Application.OnException.Clear();
        Application.ClearTerminated();
        Application.SetMainForm(nullptr);
        (void)Application.TakePendingException();
    }
};

// A small page: an edit and OK / Cancel buttons on a panel.
struct TPage {
    TForm* Form;
    TPanel* Panel;
    TEdit* Edit;
    TButton* OK;
    TButton* Cancel;
    explicit TPage(const char* name) {
        Form = new TForm(&Application);
        Form->SetName(name);
        Panel = new TPanel(Form);
        Panel->SetName("Panel");
        Panel->SetParentComponent(Form);
        Panel->SetBounds(0, 0, 300, 200);
        Edit = new TEdit(Form);
        Edit->SetName("Edit");
        Edit->SetParentComponent(Panel);
        OK = new TButton(Form);
        OK->SetName("OK");
        OK->SetParentComponent(Panel);
        OK->ModalResult = mrOk;
        OK->SetDefault(true);
        Cancel = new TButton(Form);
        Cancel->SetName("Cancel");
        Cancel->SetParentComponent(Panel);
        Cancel->ModalResult = mrCancel;
        Cancel->Cancel = true;
    }
    ~TPage() { delete Form; }
};

}  // namespace

// Silent run: a modal form is never shown; the responder may set controls
// by name and decides the result.
TEST_F(FormsTest, SilentModalFormReturnsTheResponderResult) {
    SetSilent(true);
    TPage page("WelcomePage");
    int shown = 0;
    page.Form->OnShow = [&](TComponent*) { ++shown; };
    std::string seenName;
    SetModalResponder([&](TForm& f) {
        seenName = f.Name();
        As<TEdit>(f.FindComponent("Edit"))->SetTextValue("C:\\Target");
        return int(mrRetry);
    });
    EXPECT_EQ(page.Form->ShowModal(), mrRetry);
    EXPECT_EQ(seenName, "WelcomePage");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(page.Edit->Text(), "C:\\Target");
    // A silent run makes no window at all (under Wine the first one starts
    // the desktop process).
    EXPECT_FALSE(page.Form->HandleAllocated());
    EXPECT_FALSE(page.Edit->HandleAllocated());
    EXPECT_FALSE(IsWindowVisible(page.Form->Handle()));
    EXPECT_FALSE(page.Form->Modal());
}

// A responder that clicks instead of answering: the button's modal result
// counts; without a responder the default button is clicked.
TEST_F(FormsTest, SilentModalFormTakesClickedOrDefaultButton) {
    SetSilent(true);
    TPage page("Page");
    int okClicks = 0;
    page.OK->OnClick = [&](TComponent*) { ++okClicks; };
    SetModalResponder([&](TForm& f) {
        As<TButton>(f.FindComponent("Cancel"))->Click();
        return int(mrNone);
    });
    EXPECT_EQ(page.Form->ShowModal(), mrCancel);
    SetModalResponder(nullptr);
    EXPECT_EQ(page.Form->ShowModal(), mrOk);
    EXPECT_EQ(okClicks, 1);
    // Without a Default button the button with mrOk is pressed; with
    // neither the form cannot be answered.
    page.OK->SetDefault(false);
    EXPECT_EQ(page.Form->ShowModal(), mrOk);
    EXPECT_EQ(okClicks, 2);
    page.OK->ModalResult = mrNone;
    try {
        (void)page.Form->ShowModal();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "The form Page is still waiting for an answer");
    }
    EXPECT_FALSE(page.Form->Modal());
}

// A handler's exception in a silent showing comes straight out of ShowModal.
TEST_F(FormsTest, SilentResponderClickExceptionPropagates) {
    SetSilent(true);
    TPage page("Page");
    page.OK->OnClick = [](TComponent*) { throw Exception("disk full"); };
    EXPECT_THROW(page.Form->ShowModal(), Exception);
    EXPECT_FALSE(page.Form->Modal());
    EXPECT_EQ(Application.ModalLevel(), 0);
}

// A real modal loop: a click posted to the button ends it with the
// button's modal result, and the other forms are enabled again.
TEST_F(FormsTest, ModalLoopEndsWithButtonModalResult) {
    TPage main("MainForm");
    Application.SetMainForm(main.Form);
    main.Form->Show();
    TPage page("Page");
    page.Form->HandleNeeded();
    bool mainDisabledDuringLoop = false;
    page.Form->OnShow = [&](TComponent*) {
        PostMessageA(page.Cancel->Handle(), BM_CLICK, 0, 0);
    };
    page.Cancel->OnClick = [&](TComponent*) { mainDisabledDuringLoop = !IsWindowEnabled(main.Form->Handle()); };
    EXPECT_EQ(page.Form->ShowModal(), mrCancel);
    EXPECT_TRUE(mainDisabledDuringLoop);
    EXPECT_TRUE(IsWindowEnabled(main.Form->Handle()));
    EXPECT_FALSE(IsWindowVisible(page.Form->Handle()));
}

// An exception in a click handler never crosses the window procedure: it
// ends the modal loop and is raised by ShowModal, with the message intact.
TEST_F(FormsTest, ClickHandlerExceptionSurfacesAfterShowModal) {
    TPage main("MainForm");
    Application.SetMainForm(main.Form);
    main.Form->Show();
    TPage page("Page");
    page.Form->OnShow = [&](TComponent*) { PostMessageA(page.OK->Handle(), BM_CLICK, 0, 0); };
    int after = 0;
    page.OK->OnClick = [&](TComponent*) {
        throw Exception("Cannot read the SourceDirectory");
        ++after;
    };
    page.OK->ModalResult = mrNone;
    try {
        (void)page.Form->ShowModal();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot read the SourceDirectory");
    }
    EXPECT_EQ(after, 0);
    EXPECT_FALSE(Application.HasPendingException());
    EXPECT_FALSE(page.Form->Modal());
    EXPECT_EQ(Application.ModalLevel(), 0);
    EXPECT_TRUE(IsWindowEnabled(main.Form->Handle()));
}

// An exception raised by an inner modal form's handler leaves the inner
// ShowModal, passes through the outer form's handler and ends the outer
// loop too.
TEST_F(FormsTest, NestedModalExceptionReachesOuterShowModal) {
    TPage outer("Outer");
    TPage inner("Inner");
    outer.Form->OnShow = [&](TComponent*) { PostMessageA(outer.OK->Handle(), BM_CLICK, 0, 0); };
    outer.OK->ModalResult = mrNone;
    outer.OK->OnClick = [&](TComponent*) { (void)inner.Form->ShowModal(); };
    inner.Form->OnShow = [&](TComponent*) { PostMessageA(inner.OK->Handle(), BM_CLICK, 0, 0); };
    inner.OK->OnClick = [](TComponent*) { throw std::runtime_error("inner failure"); };
    EXPECT_THROW((void)outer.Form->ShowModal(), std::runtime_error);
    EXPECT_EQ(Application.ModalLevel(), 0);
}

// Run shows the main form; its OnActivate follows the activation, once.
TEST_F(FormsTest, MainFormActivateFiresWhenRunStarts) {
    TPage main("MainForm");
    Application.SetMainForm(main.Form);
    int activations = 0;
    main.Form->OnActivate = [&](TComponent*) {
        ++activations;
        EXPECT_TRUE(IsWindowVisible(main.Form->Handle()));
        Application.Terminate();
    };
    Application.Run();
    EXPECT_EQ(activations, 1);
    EXPECT_TRUE(Application.Terminated());
}

// Silent run: the main form stays invisible but its first activation still
// happens, so the program start runs.
TEST_F(FormsTest, SilentMainFormStillActivates) {
    SetSilent(true);
    TPage main("MainForm");
    main.Form->SetWindowState(wsMaximized);
    Application.SetMainForm(main.Form);
    int activations = 0;
    main.Form->OnActivate = [&](TComponent*) {
        ++activations;
        Application.Terminate();
    };
    Application.Run();
    EXPECT_EQ(activations, 1);
    EXPECT_FALSE(main.Form->HandleAllocated());
    EXPECT_FALSE(IsWindowVisible(main.Form->Handle()));
}

// A silent form destroyed before its activation arrives is not activated;
// the message finds no form and does nothing.
TEST_F(FormsTest, SilentActivationOfADestroyedFormIsDropped) {
    SetSilent(true);
    int activations = 0;
    {
        TPage gone("Gone");
        gone.Form->OnActivate = [&](TComponent*) { ++activations; };
        gone.Form->Show();
    }
    TPage main("MainForm");
    Application.SetMainForm(main.Form);
    main.Form->OnActivate = [&](TComponent*) { Application.Terminate(); };
    Application.Run();
    EXPECT_EQ(activations, 0);
}

// An exception that leaves OnActivate reaches Application.OnException with
// the form as where it happened; the loop goes on.
TEST_F(FormsTest, ActivateExceptionGoesToOnException) {
    TPage main("MainForm");
    Application.SetMainForm(main.Form);
    main.Form->OnActivate = [&](TComponent*) { throw Exception("EAITwoInstallComponents"); };
    std::vector<std::string> handled;
    Application.OnException = [&](TComponent*, const std::exception& e) {
        handled.push_back(e.what());
        Application.Terminate();
    };
    Application.Run();
    EXPECT_EQ(handled, std::vector<std::string>{"EAITwoInstallComponents"});
}

// Closing the main form ends the loop.
TEST_F(FormsTest, ClosingMainFormEndsRun) {
    TPage main("MainForm");
    Application.SetMainForm(main.Form);
    int closed = 0;
    main.Form->OnClose = [&](TComponent*) { ++closed; };
    main.Form->OnActivate = [&](TComponent*) { PostMessageA(main.Form->Handle(), WM_CLOSE, 0, 0); };
    Application.Run();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(Application.Terminated());
}

// Long work calls ProcessMessages; a handler's exception during it is
// raised there, in the working code.
TEST_F(FormsTest, ProcessMessagesRaisesHandlerException) {
    TPage page("Copy");
    page.Form->Show();
    page.Cancel->OnClick = [](TComponent*) { throw EAbort(); };
    PostMessageA(page.Cancel->Handle(), BM_CLICK, 0, 0);
    EXPECT_THROW(
        for (int i = 0; i < 50; ++i) {
            vtrl::ProcessMessages();
            Sleep(1);
        },
        EAbort);
    page.Form->Hide();
}

TEST_F(FormsTest, CursorGuardRestoresAfterException) {
    Screen.SetCursor(crArrow);
    try {
        TCursorGuard busy;
        EXPECT_EQ(Screen.Cursor(), crHourGlass);
        {
            TCursorGuard inner(crDefault);
            EXPECT_EQ(Screen.Cursor(), crDefault);
        }
        EXPECT_EQ(Screen.Cursor(), crHourGlass);
        throw Exception("copy failed");
    } catch (const Exception&) {
    }
    EXPECT_EQ(Screen.Cursor(), crArrow);
    Screen.SetCursor(crDefault);
}

// InputQuery is a form like any other: in a silent run the responder fills
// its edit by name and presses OK.
TEST_F(FormsTest, SilentInputQueryUsesTheResponder) {
    SetSilent(true);
    SetModalResponder([](TForm& f) {
        EXPECT_EQ(f.Name(), "InputQueryForm");
        As<TEdit>(f.FindComponent("Edit"))->SetTextValue("Vantrel 32");
        As<TButton>(f.FindComponent("OKButton"))->Click();
        return int(mrNone);
    });
    std::string value = "old";
    EXPECT_TRUE(InputQuery("Start menu", "Folder name:", value));
    EXPECT_EQ(value, "Vantrel 32");
    SetModalResponder([](TForm&) { return int(mrCancel); });
    EXPECT_FALSE(InputQuery("Start menu", "Folder name:", value));
    EXPECT_EQ(value, "Vantrel 32");
}

// Definitions set controls through the published properties, before any
// window exists; the window then shows the values, and what the user
// changed in the window is read back.
TEST_F(FormsTest, PublishedPropertiesReachTheWindows) {
    const TClassInfo* cls = FindClass("TButton");
    ASSERT_NE(cls, nullptr);
    TForm form(nullptr);
    TComponent* b = cls->Create(&form);
    b->SetParentComponent(&form);
    cls->FindProp("Caption")->SetStr(*b, "&Next \xE2\x82\xAC");
    cls->FindProp("ModalResult")->SetOrd(*b, mrOk);
    cls->FindProp("Left")->SetOrd(*b, 12);
    ASSERT_NE(cls->FindProp("Font"), nullptr);
    TFont* font = As<TFont>(cls->FindProp("Font")->GetSubObject(*b));
    font->SetName("Arial");
    auto* button = As<TButton>(b);
    EXPECT_FALSE(button->ParentFont());
    EXPECT_EQ(button->ModalResult, mrOk);
    char text[64] = {};
    GetWindowTextA(button->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "&Next \xE2\x82\xAC");
    EXPECT_EQ(GetParent(button->Handle()), form.Handle());
    RECT r;
    GetWindowRect(button->Handle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(form.Handle(), &p);
    EXPECT_EQ(p.x, 12);

    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    SetWindowTextA(edit->Handle(), "typed");
    EXPECT_EQ(edit->Text(), "typed");
    auto* check = new TCheckBox(&form);
    check->SetParent(&form);
    SendMessageA(check->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(check->Checked());
}

// Nested controls: a control placed in a panel is a child window of the
// panel, and a panel's font reaches controls that take their parent's.
TEST_F(FormsTest, ControlsNestInPanelsAndTakeTheirFont) {
    TPage page("Page");
    page.Panel->Font()->SetSize(14);
    EXPECT_EQ(page.Edit->Font()->Size(), 14);
    EXPECT_EQ(GetParent(page.Edit->Handle()), page.Panel->Handle());
    EXPECT_EQ(GetParent(page.Panel->Handle()), page.Form->Handle());
    EXPECT_THROW(page.Panel->SetParentComponent(page.Edit), Exception);
    // Radio buttons of one parent exclude each other.
    auto* r1 = new TRadioButton(page.Form);
    auto* r2 = new TRadioButton(page.Form);
    r1->SetParent(page.Panel);
    r2->SetParent(page.Panel);
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
}
