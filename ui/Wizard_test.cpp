// Tests of embedded forms and of answering a wizard without a person: a
// frame form owning three page forms, run silently and visibly, from a
// response file, recorded and shown in screenshots; and form texts read
// from the program's resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "Dialogs.h"
#include "Forms.h"
#include "ResponseFile.h"
#include "Screenshot.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "ui_testkit.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application.Initialize();
        Reset();
    }
    void TearDown() override { Reset(); }
    static void Reset() {
        SetSilent(false);
        SetModalResponder(nullptr);
        SetQuestionResponder(nullptr);
        SetActiveResponseFile(nullptr);
        SetScreenshotDirectory("");
        StopRecording();
        Application.ClearTerminated();
        (void)Application.TakePendingException();
    }
    static void Use(const std::string& Text) {
        SetActiveResponseFile(std::make_unique<TResponseFile>("install.rsp", Text));
    }
};

// The wizard: a frame owning the pages Welcome, Folder and Ready, each with
// Back / Next / Cancel; Next on the last page finishes (mrOk), Cancel
// aborts (3).
struct TWizard {
    TForm* Frame = new TForm(&Application);
    TForm* Pages[3] = {};
    TButton* Back[3] = {};
    TButton* Next[3] = {};
    TEdit* FolderEdit = nullptr;
    std::vector<std::string> Visits;

    explicit TWizard(const char* FrameName = "WizardFrame") {
        Frame->SetName(FrameName);
        Frame->SetBorderStyle(bsDialog);
        Frame->SetCaption("Setup");
        Frame->SetClientWidth(400);
        Frame->SetClientHeight(300);
        const char* names[] = {"Welcome", "Folder", "Ready"};
        for (int i = 0; i < 3; ++i) {
            TForm* p = Pages[i] = new TForm(Frame);
            p->SetName(names[i]);
            Back[i] = AddButton(p, "BackBtn", "< &Back", 140);
            Back[i]->SetVisible(i > 0);
            Back[i]->OnClick = [this, i](TComponent*) { Go(i - 1); };
            Next[i] = AddButton(p, "NextBtn", i == 2 ? "&Finish" : "&Next >", 220);
            Next[i]->SetDefault(true);
            Next[i]->OnClick = [this, i](TComponent*) {
                if (i == 2) Frame->ModalResult = mrOk;
                else Go(i + 1);
            };
            TButton* cancel = AddButton(p, "CancelBtn", "Cancel", 310);
            cancel->OnClick = [this](TComponent*) { Frame->ModalResult = mrAbort; };
        }
        FolderEdit = new TEdit(Pages[1]);
        FolderEdit->SetName("FolderEdit");
        FolderEdit->SetParent(Pages[1]);
        FolderEdit->SetBounds(20, 40, 300, 22);
        FolderEdit->SetTextValue("C:\\Program Files\\Vantrel");
        Frame->OnShow = [this](TComponent*) {
            for (TForm* p : Pages) p->Show();
            Go(0);
        };
    }
    ~TWizard() { delete Frame; }
    static TButton* AddButton(TForm* Page, const char* Name, const char* Caption, int Left) {
        auto* b = new TButton(Page);
        b->SetName(Name);
        b->SetParent(Page);
        b->SetCaption(Caption);
        b->SetBounds(Left, 260, 75, 25);
        return b;
    }
    void Go(int i) {
        Pages[i]->BringToFront();
        Visits.push_back(Pages[i]->Name());
    }
};

using Names = std::vector<std::string>;

// A page form whose layout is the resource ORDLG_TESTPAGE and whose
// handlers the text binds by name.
class TTestPage : public TForm {
public:
    explicit TTestPage(TComponent* AOwner) : TForm(AOwner) {
        PublishMethod("NextBtnClick", std::function<void(TComponent*)>([this](TComponent*) { ++Clicks; }));
        PublishMethod("FolderEditChange", std::function<void(TComponent*)>([this](TComponent*) { ++Changes; }));
    }
    int Clicks = 0, Changes = 0;
};

// The person of a recorded run: steps run one by one from a timer while
// the modal loop waits.
std::vector<std::function<void()>> gSteps;
size_t gStep = 0;
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (gStep < gSteps.size()) gSteps[gStep++]();
}

}  // namespace

// Rule: silent default answers press each page's default button until the
// frame has its modal result; no window is made.
TEST_F(WizardTest, SilentDefaultAnswersWalkToTheEnd) {
    SetSilent(true);
    TWizard w;
    EXPECT_EQ(w.Frame->ShowModal(), mrOk);
    EXPECT_EQ(w.Visits, (Names{"Welcome", "Folder", "Ready"}));
    EXPECT_EQ(w.Frame->ActiveEmbeddedForm(), w.Pages[2]);
    EXPECT_FALSE(w.Frame->HandleAllocated());
    EXPECT_FALSE(w.Pages[1]->HandleAllocated());
}

// Rule: sections answer the active page by its name, in order; a page shown
// again takes its next section.
TEST_F(WizardTest, ResponseFileSetsTheEditAndClicksBackAndNext) {
    SetSilent(true);
    Use("[Welcome]\nclick NextBtn\n"
        "[Folder]\nFolderEdit.Text = D:\\Apps\nclick BackBtn\n"
        "[Welcome]\nclick NextBtn\n"
        "[Folder]\nclick NextBtn\n"
        "[Ready]\nclick NextBtn\n");
    TWizard w;
    EXPECT_EQ(w.Frame->ShowModal(), mrOk);
    EXPECT_EQ(w.Visits, (Names{"Welcome", "Folder", "Welcome", "Folder", "Ready"}));
    EXPECT_EQ(w.FolderEdit->Text(), "D:\\Apps");
    EXPECT_TRUE(ActiveResponseFile()->UnusedSections().empty());
    // Cancel ends the wizard with its own result.
    Use("[Folder]\nclick CancelBtn\n");
    TWizard again("SecondFrame");
    EXPECT_EQ(again.Frame->ShowModal(), mrAbort);
    EXPECT_EQ(again.Visits, (Names{"Welcome", "Folder"}));
}

TEST_F(WizardTest, UnknownControlStopsWithFileAndLine) {
    SetSilent(true);
    Use("[Welcome]\nclick NextBtn\n[Folder]\n; the edit's name mistyped\nFolderEdt.Text = x\nclick NextBtn\n");
    TWizard w;
    EXPECT_EQ(ErrorOf([&] { (void)w.Frame->ShowModal(); }),
              "install.rsp(5): the form Folder has no control FolderEdt; did you mean FolderEdit?");
    EXPECT_EQ(w.Visits, (Names{"Welcome", "Folder"}));
    EXPECT_FALSE(w.Frame->Modal());
    EXPECT_EQ(Application.ModalLevel(), 0);
}

// Rule: a page that cannot be answered raises instead of waiting for ever:
// no button to press, or a default answer that leaves it where it was.
TEST_F(WizardTest, PageWithoutAnAnswerIsStillWaiting) {
    SetSilent(true);
    {
        TWizard w;
        for (int i = 0; i < w.Pages[2]->ComponentCount(); ++i)
            As<TButton>(w.Pages[2]->Components(i))->SetVisible(false);
        EXPECT_EQ(ErrorOf([&] { (void)w.Frame->ShowModal(); }), "The form Ready is still waiting for an answer");
    }
    {
        TWizard w;
        w.Next[1]->OnClick = [](TComponent*) {};  // Next finds something wrong and stays
        EXPECT_EQ(ErrorOf([&] { (void)w.Frame->ShowModal(); }), "The form Folder is still waiting for an answer");
    }
    {
        // A section that changes nothing is not the fault; the default
        // answer after it is.
        Use("[Welcome]\nclick BackBtn\n");
        TWizard w;
        w.Back[0]->SetVisible(true);
        w.Back[0]->OnClick = [](TComponent*) {};
        EXPECT_EQ(w.Frame->ShowModal(), mrOk);
    }
}

// Rule: a form text in an RCDATA resource builds the form's controls with
// their properties and binds its handlers to the form's methods.
TEST_F(WizardTest, FormTextIsReadFromTheProgramsResource) {
    TTestPage page(&Application);
    page.ReadFormResource("ORDLG_TESTPAGE");
    EXPECT_EQ(page.Name(), "TestPage");
    EXPECT_EQ(page.Caption(), "Choose a folder");
    EXPECT_EQ(page.ClientWidth(), 400);
    auto* edit = As<TEdit>(page.FindComponent("FolderEdit"));
    auto* next = As<TButton>(page.FindComponent("NextBtn"));
    ASSERT_TRUE(edit && next);
    EXPECT_EQ(edit->Text(), "C:\\Program Files\\Vantrel");
    EXPECT_EQ(edit->Left(), 10);
    EXPECT_EQ(edit->Parent(), &page);
    EXPECT_TRUE(next->Default());
    EXPECT_EQ(As<TLabel>(page.FindComponent("FolderLabel"))->Caption(), "Install into:");
    next->Click();
    SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("D:\\"));
    EXPECT_EQ(page.Clicks, 1);
    EXPECT_EQ(page.Changes, 1);
    TForm other(&Application);
    EXPECT_EQ(ErrorOf([&] { other.ReadFormResource("ORDLG_NOSUCHPAGE"); }),
              "The program has no form resource ORDLG_NOSUCHPAGE");
}

// Rule: a form owned by a form is a borderless child window of it, as
// large as its client area, and BringToFront stacks it on top of its
// siblings without activating it.
TEST_F(WizardTest, EmbeddedFormIsAChildWindowOfItsHost) {
    TWizard w;
    w.Pages[0]->SetBorderStyle(bsSingle);
    w.Frame->Show();
    HWND page = w.Pages[0]->Handle();
    const LONG_PTR style = GetWindowLongPtrA(page, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(GetParent(page), w.Frame->Handle());
    RECT r;
    GetClientRect(page, &r);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 300);
    EXPECT_TRUE(IsWindowVisible(page));
    // A page placed on the host's panel keeps its bounds in the host's
    // client area.
    w.Pages[2]->SetBounds(10, 20, 300, 200);
    EXPECT_EQ(w.Pages[2]->Left(), 10);
    EXPECT_EQ(w.Pages[2]->Top(), 20);
    EXPECT_EQ(w.Pages[2]->ClientWidth(), 300);
    for (int i : {2, 1}) {
        w.Pages[i]->BringToFront();
        EXPECT_EQ(w.Frame->ActiveEmbeddedForm(), w.Pages[i]);
        EXPECT_EQ(GetWindow(w.Frame->Handle(), GW_CHILD), w.Pages[i]->Handle());
        EXPECT_NE(GetActiveWindow(), w.Pages[i]->Handle());
    }
    EXPECT_EQ(&w.Frame->FormToAnswer(), w.Pages[1]);
    w.Frame->Hide();
}

// Rule: a visible run with a response file shows the real windows and
// answers them from the loop; with a screenshot directory each answered
// page is saved first as NN-<page>.png, the frame's size.
TEST_F(WizardTest, VisibleRunAnswersAndTakesScreenshots) {
    const std::string dir = ScratchName("shots");
    SetScreenshotDirectory(dir);
    Use("[Welcome]\nclick NextBtn\n[Folder]\nFolderEdit.Text = D:\\Apps\nclick NextBtn\n"
        "[?]\nCreate the folder D:\\Apps? = Yes\n");
    TWizard w;
    int changes = 0;
    w.FolderEdit->OnChange = [&](TComponent*) { ++changes; };
    bool created = false;
    w.Next[1]->OnClick = [&](TComponent*) {
        created = MessageDlg("Create the folder " + w.FolderEdit->Text() + "?", mtConfirmation, {mbYes, mbNo}) == mrYes;
        w.Go(2);
    };
    bool wasVisible = false;
    w.Pages[2]->OnShow = [&](TComponent*) {};
    w.Next[2]->OnClick = [&](TComponent*) {
        wasVisible = IsWindowVisible(w.Frame->Handle()) != 0;
        w.Frame->ModalResult = mrOk;
    };
    EXPECT_EQ(w.Frame->ShowModal(), mrOk);
    EXPECT_TRUE(wasVisible);
    EXPECT_TRUE(created);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(w.FolderEdit->Text(), "D:\\Apps");
    RECT r;
    GetWindowRect(w.Frame->Handle(), &r);
    int n = 0;
    for (const char* file : {"01-Welcome.png", "02-Folder.png", "03-Ready.png"}) {
        const std::string path = dir + "\\" + file;
        const std::string png = ReadAll(path);
        ASSERT_GE(png.size(), 24u) << file;
        auto be32 = [&](size_t at) {
            return int(uint8_t(png[at])) << 24 | int(uint8_t(png[at + 1])) << 16 | int(uint8_t(png[at + 2])) << 8 |
                   int(uint8_t(png[at + 3]));
        };
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        EXPECT_EQ(be32(16), r.right - r.left) << file;
        EXPECT_EQ(be32(20), r.bottom - r.top) << file;
        DeleteFileA(path.c_str());
        ++n;
    }
    EXPECT_EQ(n, 3);
    RemoveDirectoryA(dir.c_str());
}

// Rule: in a visible run with a response file no message box is shown; an
// answer the question does not offer stops the run with file and line.
TEST_F(WizardTest, QuestionWithWrongButtonStopsAtItsLine) {
    Use("[Welcome]\nclick NextBtn\n[?]\nCreate the folder? = OK\n");
    TWizard w;
    w.Next[0]->OnClick = [](TComponent*) { (void)MessageDlg("Create the folder?", mtConfirmation, {mbYes, mbNo}); };
    EXPECT_EQ(ErrorOf([&] { (void)w.Frame->ShowModal(); }),
              "install.rsp(4): the question \"Create the folder?\" offers no button OK");
    EXPECT_FALSE(IsWindowVisible(w.Frame->Handle()));
}

// Rule: what a person does in a visible run is recorded as a response file
// that replays the same run silently.
TEST_F(WizardTest, RecordedPersonReplaysToTheSameResult) {
    const std::string file = ScratchName("recorded.rsp");
    StartRecording(file);
    TWizard w;
    auto click = [](TButton* b) { return [b] { SendMessageA(b->Handle(), BM_CLICK, 0, 0); }; };
    auto type = [&](const char* text) {
        return [&w, text] { SendMessageA(w.FolderEdit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); };
    };
    gSteps = {click(w.Next[0]), type("D:"),           type("D:\\Apps"), click(w.Back[1]),
              click(w.Next[0]), click(w.Next[1]),     click(w.Next[2])};
    gStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, RunStep);
    EXPECT_EQ(w.Frame->ShowModal(), mrOk);
    KillTimer(nullptr, timer);
    StopRecording();
    const Names visits = w.Visits;
    EXPECT_EQ(visits, (Names{"Welcome", "Folder", "Welcome", "Folder", "Ready"}));
    EXPECT_EQ(ReadAll(file).substr(ReadAll(file).find("\r\n") + 2),
              "[Welcome]\r\nclick NextBtn\r\n[Folder]\r\nFolderEdit.Text = D:\\Apps\r\nclick BackBtn\r\n"
              "[Welcome]\r\nclick NextBtn\r\n[Folder]\r\nclick NextBtn\r\n[Ready]\r\nclick NextBtn\r\n");

    SetSilent(true);
    OpenResponseFile(file);
    TWizard replay("ReplayFrame");
    EXPECT_EQ(replay.Frame->ShowModal(), mrOk);
    EXPECT_EQ(replay.Visits, visits);
    EXPECT_EQ(replay.FolderEdit->Text(), "D:\\Apps");
    EXPECT_TRUE(ActiveResponseFile()->UnusedSections().empty());
    DeleteFileA(file.c_str());
}
