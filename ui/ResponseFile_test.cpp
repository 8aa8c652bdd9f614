// Tests of response files without windows: reading, answering a form and
// questions in a silent run, reporting unused sections, and recording.
#include "ResponseFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "FileShim.h"
#include "Forms.h"
#include "Grids.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "ui_testkit.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

// A silent run answering from a given response text.
class ResponseFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSilent(true);
        SetModalResponder(nullptr);
        SetQuestionResponder(nullptr);
        Application.ClearTerminated();
    }
    void TearDown() override {
        SetActiveResponseFile(nullptr);
        StopRecording();
        SetSilent(false);
    }
    static void Use(const std::string& Text) {
        SetActiveResponseFile(std::make_unique<TResponseFile>("install.rsp", Text));
    }
};

// A form a person fills in: a folder edit, a list, a check box, Next.
struct TFolderForm {
    TForm Form{&Application};
    TEdit* Edit = new TEdit(&Form);
    TListBox* List = new TListBox(&Form);
    TCheckBox* Agree = new TCheckBox(&Form);
    TButton* Next = new TButton(&Form);
    std::vector<std::string> Events;
    TFolderForm() {
        Form.SetName("SelectFolderForm");
        Edit->SetName("FolderEdit");
        Edit->SetParent(&Form);
        Edit->OnChange = [this](TComponent*) { Events.push_back("change " + Edit->Text()); };
        List->SetName("FolderListBox");
        List->SetParent(&Form);
        List->SetItems(TStringList{"Accessories", "Games", "Startup"});
        List->OnClick = [this](TComponent*) { Events.push_back("list " + std::to_string(List->ItemIndex())); };
        Agree->SetName("AgreeBox");
        Agree->SetParent(&Form);
        Agree->OnClick = [this](TComponent*) { Events.push_back(Agree->Checked() ? "agree" : "disagree"); };
        Next->SetName("NextBtn");
        Next->SetParent(&Form);
        Next->ModalResult = mrOk;
    }
};

}  // namespace

// Rule: a malformed line is reported when the file is read, with the file
// name and its line number (comments and blank lines count).
TEST_F(ResponseFileTest, MalformedLinesNameFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"; c\n\nclick NextBtn\n", "install.rsp(3): the line belongs to no section: click NextBtn"},
        {"[Form\n", "install.rsp(1): a section line ends with ]"},
        {"[Form]\r\nclick NextBtn = 1\r\n", "install.rsp(2): a click takes no value: click NextBtn = 1"},
        {"[Form]\nselect List\n", "install.rsp(2): the line gives no value: select List"},
        {"[Form]\nFolderEdit = x\n", "install.rsp(2): cannot read the line FolderEdit = x"},
        {"[Form]\nhello\n", "install.rsp(2): cannot read the line hello"},
        {"[My Form]\n", "install.rsp(1): a section is a form's name or ?, not [My Form]"},
        {"[?]\nRemove it? = Maybe\n",
         "install.rsp(2): a question's answer is OK, Cancel, Yes, No, Abort, Retry or Ignore, not Maybe"},
        {"[?]\nRemove it?\n", "install.rsp(2): a question's line is <text> = <answer>"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ErrorOf([&] { TResponseFile("install.rsp", text); }), message) << text;
    // A byte-order mark, comments, blanks and CR LF are all fine.
    EXPECT_EQ(ErrorOf([] { TResponseFile("a", "\xEF\xBB\xBF; x\r\n  [F]  \r\n  click B\r\n\r\n[?]\r\nQ = yes\r\n"); }), "");
}

TEST_F(ResponseFileTest, MissingFileIsReported) {
    const std::string name = ScratchName("missing.rsp");
    EXPECT_NE(ErrorOf([&] { OpenResponseFile(name); }).find("Cannot read the response file " + name), std::string::npos);
    EXPECT_EQ(ActiveResponseFile(), nullptr);
}

// Rule: a section's lines act in order on the form's controls and fire
// the events a person's action fires; a form shown again takes the next
// section of its name, and with none left the default answer.
TEST_F(ResponseFileTest, SectionsSetControlsInOrderAndFireEvents) {
    Use("[SelectFolderForm]\n"
        "FolderEdit.Text = C:\\My Folder = x\n"
        "select FolderListBox = games\n"
        "check AgreeBox = 1\n"
        "FolderEdit.Font.Size = 12\n"
        "FolderEdit.Font.Style = [fsBold, fsItalic]\n"
        "click NextBtn\n"
        "[SelectFolderForm]\n"
        "select FolderListBox = #2\n"
        "check AgreeBox = false\n"
        "click NextBtn\n");
    TFolderForm f;
    EXPECT_EQ(f.Form.ShowModal(), mrOk);
    EXPECT_EQ(f.Edit->Text(), "C:\\My Folder = x");
    EXPECT_EQ(f.Edit->Font()->Size(), 12);
    EXPECT_EQ(f.Edit->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(f.Events, (std::vector<std::string>{"change C:\\My Folder = x", "list 1", "agree"}));
    f.Events.clear();
    EXPECT_EQ(f.Form.ShowModal(), mrOk);
    EXPECT_EQ(f.Events, (std::vector<std::string>{"list 2", "disagree"}));
    f.Events.clear();
    // No section left: the button with mrOk is pressed.
    EXPECT_EQ(f.Form.ShowModal(), mrOk);
    EXPECT_TRUE(f.Events.empty());
    EXPECT_TRUE(ActiveResponseFile()->UnusedSections().empty());
}

// Rule: what a line names must exist; the run stops at once with the file
// and line, and the lines before it have acted.
TEST_F(ResponseFileTest, UnknownNamesStopWithFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"FolderEdt.Text = x", "install.rsp(3): the form SelectFolderForm has no control FolderEdt; did you mean FolderEdit?"},
        {"FolderEdit.Txt = x", "install.rsp(3): the control FolderEdit has no property Txt; did you mean Text?"},
        {"FolderEdit.Font.Sise = 3", "install.rsp(3): the control FolderEdit has no property Font.Sise; did you mean Size?"},
        {"FolderEdit.Font.Style = [fsBold, fsHeavy]", "install.rsp(3): the property Style has no value fsHeavy"},
        {"FolderEdit.ReadOnly = maybe", "install.rsp(3): the property ReadOnly is True or False, not maybe"},
        {"select FolderListBox = Tools", "install.rsp(3): the list FolderListBox has no item Tools"},
        {"select FolderListBox = #3", "install.rsp(3): the list FolderListBox has no item #3"},
        {"select AgreeBox = x", "install.rsp(3): the control AgreeBox cannot select"},
        {"check AgreeBox = yes please", "install.rsp(3): the check mark of AgreeBox is 1 or 0, not yes please"},
        {"click Missing", "install.rsp(3): the form SelectFolderForm has no control Missing"},
    };
    for (const auto& [line, message] : cases) {
        Use(std::string("[SelectFolderForm]\nFolderEdit.Text = first\n") + line + "\nclick NextBtn\n");
        TFolderForm f;
        EXPECT_EQ(ErrorOf([&] { (void)f.Form.ShowModal(); }), message);
        EXPECT_EQ(f.Edit->Text(), "first");
        EXPECT_FALSE(f.Form.Modal());
    }
}

// A form with controls whose items are chosen: a radio group, a grid and
// a tree, each logging the clicks a person's choice fires.
struct TChoiceForm {
    TForm Form{&Application};
    TRadioGroup* Group = new TRadioGroup(&Form);
    TStringGrid* Grid = new TStringGrid(&Form);
    TTreeView* Tree = new TTreeView(&Form);
    TTabControl* Tabs = new TTabControl(&Form);
    TButton* OK = new TButton(&Form);
    std::vector<std::string> Events;
    TChoiceForm() {
        Form.SetName("ChoiceForm");
        Group->SetName("TypeGroup");
        Group->SetParent(&Form);
        Group->SetItems(TStringList{"Typical", "Compact", "Custom"});
        Group->OnClick = [this](TComponent*) { Events.push_back("group " + std::to_string(Group->ItemIndex())); };
        Grid->SetName("LanguageGrid");
        Grid->SetParent(&Form);
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        Grid->OnClick = [this](TComponent*) {
            Events.push_back("grid " + std::to_string(Grid->Col()) + "," + std::to_string(Grid->Row()));
        };
        Tree->SetName("GroupTree");
        Tree->SetParent(&Form);
        TTreeNode* root = Tree->Items().AddChild(nullptr, "Root");
        Tree->Items().AddChild(root, "Program files");
        Tree->Items().AddChild(root, "Source files");
        Tree->OnClick = [this](TComponent*) { Events.push_back("tree " + Tree->Selected()->Text()); };
        Tabs->SetName("PageTabs");
        Tabs->SetParent(&Form);
        Tabs->SetTabs(TStringList{"Files", "Options"});
        Tabs->OnChanging = [this](TComponent*, bool& allow) { allow = Tabs->TabIndex() != 1; };
        Tabs->OnChange = [this](TComponent*) { Events.push_back("tab " + std::to_string(Tabs->TabIndex())); };
        OK->SetName("OKBtn");
        OK->SetParent(&Form);
        OK->ModalResult = mrOk;
    }
};

// Rule: "select" picks a radio group's item by text, #index or (as
// recordings write it) number, a grid's cell by column and row, a tree's
// node by path, each firing the person's events; what is not there stops
// the run at its line.
TEST_F(ResponseFileTest, ItemsCellsAndNodesAreSelectedLikeAPersonDoes) {
    Use("[ChoiceForm]\nselect TypeGroup = custom\nselect LanguageGrid = 2, 3\n"
        "select GroupTree = root\\SOURCE files\nclick OKBtn\n"
        "[ChoiceForm]\nselect TypeGroup = #1\nselect TypeGroup = 0\n"
        "select PageTabs = options\nselect PageTabs = 0\nclick OKBtn\n");
    {
        TChoiceForm f;
        EXPECT_EQ(f.Form.ShowModal(), mrOk);
        EXPECT_EQ(f.Events, (std::vector<std::string>{"group 2", "grid 2,3", "tree Source files"}));
        f.Events.clear();
        EXPECT_EQ(f.Form.ShowModal(), mrOk);
        // The second tab refuses to be left.
        EXPECT_EQ(f.Events, (std::vector<std::string>{"group 1", "group 0", "tab 1"}));
    }

    const std::pair<const char*, const char*> cases[] = {
        {"select TypeGroup = Full", "install.rsp(2): the radio group TypeGroup has no item Full"},
        {"select TypeGroup = 3", "install.rsp(2): the radio group TypeGroup has no item 3"},
        {"select PageTabs = Help", "install.rsp(2): the tabs PageTabs have no tab Help"},
        {"select LanguageGrid = 3,0", "install.rsp(2): the grid LanguageGrid has no cell 3,0"},
        {"select LanguageGrid = 1", "install.rsp(2): the grid LanguageGrid has no cell 1"},
        {"select GroupTree = Root\\Help files", "install.rsp(2): the tree GroupTree has no node Root\\Help files"},
    };
    for (const auto& [line, message] : cases) {
        Use(std::string("[ChoiceForm]\n") + line + "\nclick OKBtn\n");
        TChoiceForm g;
        EXPECT_EQ(ErrorOf([&] { (void)g.Form.ShowModal(); }), message);
        EXPECT_TRUE(g.Events.empty());
    }
}

// A disabled button cannot be clicked by a person, nor by the file.
TEST_F(ResponseFileTest, DisabledButtonIsNotClicked) {
    Use("[SelectFolderForm]\nclick NextBtn\n");
    TFolderForm f;
    f.Next->SetEnabled(false);
    EXPECT_EQ(ErrorOf([&] { (void)f.Form.ShowModal(); }),
              "install.rsp(2): the control NextBtn of the form SelectFolderForm cannot be clicked now");
}

// Rule: questions take the entry with their exact text first, then one
// whose text ends in * and matches up to it; no entry: the default.
TEST_F(ResponseFileTest, QuestionsByExactTextThenWildcard) {
    Use("[?]\n"
        "Remove the shared file * = No\n"
        "Remove the shared file C:\\a.dll? = Yes\n"
        "Two | lines = Cancel\n"
        "Retry = ignore\n");
    EXPECT_EQ(MessageDlg("Remove the shared file C:\\a.dll?", mtConfirmation, {mbYes, mbNo}, mrYes), mrYes);
    EXPECT_EQ(MessageDlg("Remove the shared file C:\\b.dll?", mtConfirmation, {mbYes, mbNo}, mrYes), mrNo);
    EXPECT_EQ(MessageDlg("Two\r\nlines", mtConfirmation, {mbYes, mbNo, mbCancel}, mrYes), mrCancel);
    EXPECT_EQ(MessageDlg("Something else", mtConfirmation, {mbYes, mbNo}, mrNo), mrNo);
    EXPECT_EQ(MessageDlg("Retry", mtError, {mbAbort, mbRetry, mbIgnore}, mrRetry), mrIgnore);
}

// Rule: an answer the question does not offer stops the run at its line;
// a program's own question responder still comes first.
TEST_F(ResponseFileTest, AnswerNotOfferedNamesFileAndLine) {
    Use("; answers\n[?]\nSetup complete = No\n");
    EXPECT_EQ(ErrorOf([] { ShowMessage("Setup complete"); }),
              "install.rsp(3): the question \"Setup complete\" offers no button No");
    SetQuestionResponder([](const TQuestion&) { return int(mrOk); });
    EXPECT_EQ(ErrorOf([] { ShowMessage("Setup complete"); }), "");
    SetQuestionResponder(nullptr);
}

// Rule: sections for forms that never came are warnings at the run's end,
// naming file and line: the run's work is done, and its exit code says so
// (a script would read a failure as nothing installed); a run that failed
// keeps its own code.
TEST_F(ResponseFileTest, UnusedSectionsAreAWarningAtTheRunsEnd) {
    Use("[SelectFolderForm]\nclick NextBtn\n\n[WelcomeFrom]\nclick NextBtn\n");
    {
        TFolderForm f;
        (void)f.Form.ShowModal();
    }
    EXPECT_EQ(ActiveResponseFile()->UnusedSections(),
              std::vector<std::string>{"install.rsp(4): the section [WelcomeFrom] was never used: no form of that "
                                       "name was shown"});
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "vtrl_unused_" + std::to_string(GetCurrentProcessId()) + ".log";
    OpenLog(log);
    EXPECT_EQ(RunProgram([] { return 0; }), 0);
    const std::string text = ReadWholeFile(log);
    DeleteFileA(log.c_str());
    EXPECT_NE(text.find("Warning: install.rsp(4): the section [WelcomeFrom] was never used"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Exit code 0"), std::string::npos) << text;
    EXPECT_EQ(RunProgram([] { return 2; }), 2);
    Use("[?]\nNever asked = Yes\n");
    EXPECT_EQ(RunProgram([] { return 0; }), 0);
}

// Rule: a recording holds one section per form showing with the actions
// in order; successive text changes of one control are one line with the
// final text; a click ends the section; questions go under [?]. Every
// finished line is in the file before the recording ends.
TEST_F(ResponseFileTest, RecordingCollapsesTextAndSplitsAtClicks) {
    SetSilent(false);
    const std::string name = ScratchName("rec.rsp");
    StartRecording(name);
    TFolderForm f;
    NotifyUserAction(*f.Edit, "text", "C");
    NotifyUserAction(*f.Edit, "text", "C:");
    NotifyUserAction(*f.Edit, "text", "C:\\Apps");
    NotifyUserAction(*f.List, "select", "Games");
    NotifyUserAction(*f.Edit, "text", "D:");
    NotifyUserAction(*f.Next, "click");
    RecordQuestion(TQuestion{"Create the folder D:?\r\nIt is new.", mtConfirmation, {mbYes, mbNo}, mrYes}, mrNo);
    NotifyUserAction(*f.Agree, "check", "1");
    EXPECT_EQ(ReadAll(name),
              "; recorded run: replay with /RESPONSE=" + ExtractFileName(name) +
                  "\r\n[SelectFolderForm]\r\nFolderEdit.Text = C:\\Apps\r\nselect FolderListBox = Games\r\n"
                  "FolderEdit.Text = D:\r\nclick NextBtn\r\n[?]\r\nCreate the folder D:? | It is new. = No\r\n"
                  "[SelectFolderForm]\r\ncheck AgreeBox = 1\r\n");
    NotifyUserAction(*f.Edit, "text", "E:");
    StopRecording();
    EXPECT_NE(ReadAll(name).find("check AgreeBox = 1\r\nFolderEdit.Text = E:\r\n"), std::string::npos);
    // What it recorded reads back as a response file.
    EXPECT_EQ(ErrorOf([&] { TResponseFile::Load(name); }), "");
    DeleteFileA(name.c_str());
}
