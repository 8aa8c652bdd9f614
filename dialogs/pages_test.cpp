// The standard pages: what each one shows, what its controls store in the
// install components, the translator or the restart flag, when it is
// skipped, and how a response file drives it in a silent wizard. Silent
// runs: the pages exist as objects without windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "ResponseFile.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "cmp_TInstallShellLink.h"
#include "cmp_TTranslator.h"
#include "dlgcmp_TBadInstallationDlg.h"
#include "dlgcmp_TBaseContainer.h"
#include "dlgcmp_TInstallFileGroup.h"
#include "dlgcmp_TReboot.h"
#include "dlgcmp_TSelectFolder.h"
#include "dlgcmp_TSelectLanguage.h"
#include "dlgcmp_TWelcomeDlg.h"
#include "model_testkit.h"
#include "ordlg_BadInstallForm.h"
#include "ordlg_FileGroupSelect.h"
#include "ordlg_Reboot.h"
#include "ordlg_SelectFolder.h"
#include "ordlg_SelectLanguage.h"
#include "ordlg_WelcomeDlg.h"
#include "routines_ExpandPaths.h"
#include "types_Installation.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

// The message of the exception Action raises ("" when it raises none).
template <class F>
std::string MessageOf(F Action) {
    try {
        Action();
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSilent(true);
        Install = Make<TTestInstallation>(&Root, "Install1");
    }
    void TearDown() override {
        SetActiveResponseFile(nullptr);
        SetModalResponder(nullptr);
        SetSilent(false);
    }
    // Answers Form from a response file holding Text.
    static void Answer(TForm& Form, const std::string& Text) {
        TResponseFile file("test.rsp", Text);
        std::string where;
        ASSERT_TRUE(file.AnswerForm(Form, where));
    }
    TShellLinkGroup* MainFolder(const std::string& DestDir) {
        auto* folder = Make<TShellLinkGroup>(&Root, "MainFolder1");
        folder->SetContainer(Install);
        folder->SetGroupKind(gkMainFolder);
        folder->SetDestDir(DestDir);
        return folder;
    }
    TDialogManager* Manager(TManagerType Type) {
        auto* m = Make<TDialogManager>(&Root, "Manager" + std::to_string(static_cast<int>(Type)));
        m->SetManagerType(Type);
        m->SetContainer(Install);
        return m;
    }
    TDataModule Root{nullptr};
    TTestInstallation* Install = nullptr;
};

// ------------------------------------------------------------ folder page

// A scratch folder of the Start menu's Programs folder, named to sort first.
struct TScratchProgramFolder {
    TScratchProgramFolder() { CreateDirectoryA(Path().c_str(), nullptr); }
    ~TScratchProgramFolder() { RemoveDirectoryA(Path().c_str()); }
    static std::string Name() { return "!Pages test folder"; }
    static std::string Path() { return AddBackSlash(ProgramsFolder()) + Name(); }
};

// Rule: every change of the edit is the main folder's destination at
// once: ddProgramMenuDir and a backslash before the text, a lone
// backslash for an empty edit.
TEST_F(PagesTest, FolderPageWritesTheMainFolderOnEveryChange) {
    TShellLinkGroup* folder = MainFolder("\\Vantrel Tools");
    TSelectFolderForm page(&Application);
    ASSERT_EQ(page.Container, folder);
    EXPECT_FALSE(page.SkipPage());
    page.SetupControls();
    EXPECT_EQ(page.FolderEdit->Text(), "Vantrel Tools");
    Answer(page, "[SelectFolderForm]\nFolderEdit.Text = My Programs\n");
    EXPECT_EQ(folder->DestDirType(), ddProgramMenuDir);
    EXPECT_EQ(folder->DestDir(), "\\My Programs");
    Answer(page, "[SelectFolderForm]\nFolderEdit.Text =\n");
    EXPECT_EQ(folder->DestDir(), "\\");
}

// Rule: the list holds the existing program folders, sorted; showing the
// page with no folder name takes the first of them, and a click on an
// entry is a change of the edit.
TEST_F(PagesTest, FolderPageOffersTheExistingFolders) {
    TScratchProgramFolder scratch;
    TShellLinkGroup* folder = MainFolder("");
    TSelectFolderForm page(&Application);
    page.SetupControls();
    const TStringList& items = page.FolderListBox->Items();
    ASSERT_GE(items.Count(), 1);
    EXPECT_EQ(items[0], TScratchProgramFolder::Name());
    for (int i = 0; i < items.Count(); ++i) {
        EXPECT_NE(items[i], ".");
        EXPECT_NE(items[i], "..");
        if (i > 0) {
            EXPECT_LE(CompareText(items[i - 1], items[i]), 0);
        }
    }
    EXPECT_EQ(folder->DestDir(), "\\" + TScratchProgramFolder::Name());
    folder->SetDestDir("\\Elsewhere");
    Answer(page, "[SelectFolderForm]\nselect FolderListBox = #0\n");
    EXPECT_EQ(page.FolderEdit->Text(), TScratchProgramFolder::Name());
    EXPECT_EQ(folder->DestDir(), "\\" + TScratchProgramFolder::Name());
}

// Rule: without a main folder the page is passed over in a wizard, and
// its component refuses a standalone showing; a container of another
// kind is refused by name.
TEST_F(PagesTest, FolderPageWithoutMainFolder) {
    TSelectFolderForm page(&Application);
    EXPECT_EQ(page.Container, nullptr);
    EXPECT_TRUE(page.SkipPage());
    auto* dlg = Make<TSelectFolderDlg>(&Root, "Folder1");
    EXPECT_EQ(dlg->PageOrder(), 60);
    EXPECT_EQ(dlg->DialogManager(), nullptr);
    // Standalone showing (on the folder's own event) of a component that has
    // no folder to ask for.
    EXPECT_EQ(MessageOf([&] { dlg->Execute(); }), "Cannot run this dialog Folder1 with a blank Container property");
    dlg->SetContainer(Install);
    EXPECT_EQ(MessageOf([&] { dlg->ShowDialog(); }), "The container for Folder1 must be a TShellLinkGroup");
    // In a wizard the page is skipped and the wizard goes on.
    dlg->SetContainer(nullptr);
    TDialogManager* m = Manager(dmBeforeInstall);
    dlg->SetDialogManager(m);
    Make<TWelcomeDlg>(&Root, "Welcome1")->SetDialogManager(m);
    EXPECT_NO_THROW(Install->Broadcast(ev::eccBeginningDialogManager));
}

// Rule: a new folder component takes the main folder as its container.
TEST_F(PagesTest, FolderDialogDefaultsToTheMainFolder) {
    TShellLinkGroup* folder = MainFolder("\\Product");
    auto* dlg = Make<TSelectFolderDlg>(&Root, "Folder1");
    EXPECT_EQ(dlg->Container(), folder);
    EXPECT_EQ(dlg->FolderContainer(), folder);
}

// -------------------------------------------------------- file group page

class FileGroupPageTest : public PagesTest {
protected:
    void SetUp() override {
        PagesTest::SetUp();
        Install->SetGroupName("Vantrel");
        Fixed = Group("Fixed", Install);
        Fixed->SetAllowChoice(false);
        Fixed->SetDestDirType(ddAbsolute);
        Fixed->SetDestDir("C:\\Vantrel\\Bin");
        Samples = Group("Samples", Install);
        Samples->SetAllowChangeDir(false);
        Samples->SetDescription(TStringList({"Example projects."}));
        Nested = Group("Nested", Samples);
        File(Fixed, 1000000);
        File(Samples, 234567);
    }
    TInstallFileGroup* Group(const std::string& Name, TInstallContainer* In) {
        auto* g = Make<TInstallFileGroup>(&Root, Name);
        g->SetContainer(In);
        g->SetGroupName(Name);
        return g;
    }
    void File(TFileContainer* In, int32_t Size) {
        static int n = 0;
        auto* f = Make<TScriptedFile>(&Root, "File" + std::to_string(++n));
        f->SetContainer(In);
        f->Size = Size;
        f->ReadArchiveInfo();
    }
    TTreeNode* Node(TFileGroupSelectForm& Page, const std::string& Path) {
        TTreeNode* n = Page.GroupListBox->FindNode(Path);
        EXPECT_NE(n, nullptr) << Path;
        return n;
    }
    TInstallFileGroup *Fixed = nullptr, *Samples = nullptr, *Nested = nullptr;
};

// Rule: the tree mirrors the file containers with their inclusion as the
// state image; the space figure counts the selected groups only.
TEST_F(FileGroupPageTest, TreeAndFigures) {
    Nested->SetInclude(false);
    TFileGroupSelectForm page(&Application);
    ASSERT_EQ(page.Container, Install);
    page.SetupControls();
    EXPECT_EQ(page.GroupListBox->Items().Count(), 4);
    EXPECT_EQ(Node(page, "Vantrel")->StateIndex(), 1);
    EXPECT_TRUE(Node(page, "Vantrel")->Expanded());
    EXPECT_EQ(Node(page, "Vantrel\\Samples\\Nested")->StateIndex(), 2);
    EXPECT_EQ(page.SelectedGroup(), Install);
    EXPECT_EQ(page.SpaceRequiredLabel->GetText(), "1,234,567 Bytes");
    EXPECT_FALSE(page.DescriptionMemo->Visible());
    page.GroupListBox->ClickNode(Node(page, "Vantrel\\Samples"));
    EXPECT_EQ(page.SelectedGroup(), Samples);
    EXPECT_TRUE(page.DescriptionMemo->Visible());
    EXPECT_EQ(page.DescriptionMemo->Lines().Text(), "Example projects.\r\n");
    page.GroupListBox->ClickNode(Node(page, "Vantrel\\Fixed"));
    EXPECT_EQ(page.DirectoryLabel->Text(), "C:\\Vantrel\\Bin");
    EXPECT_FALSE(page.DescriptionMemo->Visible());
    EXPECT_EQ(FormatByteCount(-1), "-1");
    EXPECT_EQ(FormatByteCount(49'283'112'960), "49,283,112,960");
    EXPECT_EQ(DriveFreeSpace(""), -1);
    // The drive's real figure, past 2 GB as today's disks are (other
    // programs write meanwhile: a few MB either way).
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &free, nullptr, nullptr));
    EXPECT_NEAR(static_cast<double>(DriveFreeSpace("c:\\windows")), static_cast<double>(free.QuadPart), 64e6);

}

// Rule: Include flips only for a group that allows a choice, and the
// node's state follows; a directory is chosen only where it may change.
TEST_F(FileGroupPageTest, ToggleAndBrowseFollowTheGroupsPermissions) {
    TFileGroupSelectForm page(&Application);
    page.SetupControls();
    Answer(page, "[FileGroupSelectForm]\nselect GroupListBox = Vantrel\\Fixed\n");
    EXPECT_FALSE(page.ToggleBtn->Enabled());
    EXPECT_TRUE(page.BrowseBtn->Enabled());
    page.ToggleSelectedGroup();
    EXPECT_TRUE(Fixed->Include());
    EXPECT_THROW(Answer(page, "[FileGroupSelectForm]\nclick ToggleBtn\n"), EResponseFileError);
    page.SetGroupDirectoryFrom("D:\\Data\\Sub\\*.");
    EXPECT_EQ(Fixed->DestDirType(), ddAbsolute);
    EXPECT_EQ(Fixed->DestDir(), "D:\\Data\\Sub");
    EXPECT_EQ(page.DirectoryLabel->Text(), "D:\\Data\\Sub");
    page.SetGroupDirectoryFrom("E:\\top.txt");  // a drive's root keeps its backslash
    EXPECT_EQ(Fixed->DestDir(), "E:\\");

    Answer(page, "[FileGroupSelectForm]\nselect GroupListBox = Vantrel\\Samples\nclick ToggleBtn\n");
    EXPECT_FALSE(Samples->Include());
    EXPECT_EQ(Node(page, "Vantrel\\Samples")->StateIndex(), 2);
    EXPECT_EQ(page.SpaceRequiredLabel->GetText(), "1,000,000 Bytes");
    EXPECT_FALSE(page.BrowseBtn->Enabled());
    const std::string before = Samples->DestDir();
    page.SetGroupDirectoryFrom("D:\\Other\\*.");
    EXPECT_EQ(Samples->DestDir(), before);
    page.ToggleSelectedGroup();
    EXPECT_TRUE(Samples->Include());
    EXPECT_EQ(Node(page, "Vantrel\\Samples")->StateIndex(), 1);
}

// Rule: the tree and the destination show the groups' names and folders
// as the definition writes them, whatever their case; a name the
// language's table translates shows the translation, but the English
// table's own writing of a name (its lookup ignores case) is none.
TEST_F(FileGroupPageTest, NamesAndFoldersKeepTheirWriting) {
    Samples->SetGroupName("SAMPLES and Demos");
    Nested->SetGroupName("program FILES");
    Nested->SetDestDirType(ddAbsolute);
    Nested->SetDestDir("C:\\Program Files\\VANTREL Demo\\mixedCase");
    TTranslator translator(&Root);
    if (MainTranslator() != &translator) GTEST_SKIP() << "another translator is the main one";
    translator.LanguageByIdent(ylEnglish)->Strings().Add("90;Program Files");
    translator.LanguageByIdent(ylEnglish)->Strings().Add("91;Samples and demos");
    translator.LanguageByIdent(ylGerman)->Strings().Add("90;Programmdateien");
    translator.SetTranslateIntoLanguage(ylEnglish);
    {
        TFileGroupSelectForm page(&Application);
        page.SetupControls();
        TTreeNode* nested = Node(page, "Vantrel\\Samples and demos\\Program Files");
        ASSERT_NE(nested, nullptr);
        EXPECT_EQ(nested->Text(), "program FILES");
        EXPECT_EQ(nested->Parent()->Text(), "SAMPLES and Demos");
        page.GroupListBox->ClickNode(nested);
        EXPECT_EQ(page.DirectoryLabel->Text(), "C:\\Program Files\\VANTREL Demo\\mixedCase");
        Install->SetDestDirType(ddAbsolute);
        Install->SetDestDir("D:\\Apps\\Vantrel");
        page.GroupListBox->ClickNode(Node(page, "Vantrel"));
        EXPECT_EQ(page.DirectoryLabel->Text(), "D:\\Apps\\Vantrel");
    }
    translator.SetTranslateIntoLanguage(ylGerman);
    TFileGroupSelectForm page(&Application);
    page.SetupControls();
    TTreeNode* nested = Node(page, "Vantrel\\Samples and demos\\Programmdateien");
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->Text(), "Programmdateien");
    // German has no text of its own for it: the author's writing stays.
    EXPECT_EQ(nested->Parent()->Text(), "SAMPLES and Demos");
}

// Rule: the page is skipped without container or when the chosen install
// type leaves nothing to choose; filling it without a fitting container
// fails with the page's messages, a standalone showing without container
// with the component's.
TEST_F(FileGroupPageTest, SkippingAndContainerFailures) {
    TFileGroupSelectForm page(&Application);
    EXPECT_FALSE(page.SkipPage());
    Install->SetSelectedInstallType(itCustom);
    EXPECT_FALSE(page.SkipPage());
    Install->SetSelectedInstallType(itCompact);
    EXPECT_TRUE(page.SkipPage());
    page.Container = nullptr;
    EXPECT_TRUE(page.SkipPage());
    EXPECT_EQ(MessageOf([&] { page.SetupControls(); }),
              "Cannot show the install file groups dialog for blank container property");
    page.Container = Manager(dmReboot);
    EXPECT_EQ(MessageOf([&] { page.SetupControls(); }),
              "Container for FileGroupSelectForm must be TFileContainer descendant");
    auto* dlg = Make<TInstallFileGroupsDlg>(&Root, "Groups1");
    EXPECT_EQ(dlg->PageOrder(), 50);
    EXPECT_EQ(MessageOf([&] { dlg->Execute(); }), "Cannot run this dialog Groups1 with a blank Container property");
}

// ------------------------------------------------------------ reboot page

// Rule: the radio group shows the restart-needed flag, and a click on it
// sets the flag; standalone, Finish ends the page with OK.
TEST_F(PagesTest, RebootPageShowsAndSetsTheRestartFlag) {
    const bool saved = RestartNeeded;
    RestartNeeded = true;
    {
        TRebootForm page(&Application);
        page.SetupControls();
        EXPECT_EQ(page.RG->ItemIndex(), 0);
        EXPECT_FALSE(page.NextBtn->Visible());  // standalone, the page is the last
        EXPECT_TRUE(page.FinishBtn->Visible());
        page.RG->ClickItem(1);
        EXPECT_FALSE(RestartNeeded);
        page.SetupControls();
        EXPECT_EQ(page.RG->ItemIndex(), 1);
    }
    auto* dlg = Make<TRebootDlg>(&Root, "Reboot1");
    dlg->SetContainer(Install);
    EXPECT_EQ(dlg->PageOrder(), 10);
    std::vector<std::string> shown;
    SetModalResponder([&](TForm& f) {
        shown.push_back(f.Name());
        Answer(f, "[RebootForm]\nselect RG = #0\nclick FinishBtn\n");
        return mrNone;
    });
    Install->Broadcast(ev::ShutDownDialog);
    EXPECT_EQ(shown, std::vector<std::string>{"RebootForm"});
    EXPECT_TRUE(RestartNeeded);
    // /NORESTART: the page opens on No, and the flag follows what it shows.
    SetNoRestartRequested(true);
    {
        TRebootForm page(&Application);
        page.SetupControls();
        EXPECT_EQ(page.RG->ItemIndex(), 1);
        EXPECT_FALSE(RestartNeeded);
    }
    SetNoRestartRequested(false);
    RestartNeeded = saved;
}

// Rule: the failed-installation page ends a wizard with Finish.
TEST_F(PagesTest, BadInstallPageEndsWithFinish) {
    TDialogManager* m = Manager(dmAfterBadInstall);
    auto* dlg = Make<TBadInstallationDlg>(&Root, "Bad1");
    EXPECT_EQ(dlg->DialogManager(), m);
    CurrentDialogManager = m;
    TBaseFormContainer frame(&Application);
    ASSERT_EQ(frame.BuildPages(), 1);
    CurrentDialogManager = nullptr;
    frame.GotoPage(0, false);
    auto* page = dynamic_cast<TBadInstallForm*>(frame.Pages()[0]);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(frame.Caption(), "Setup incomplete");
    EXPECT_FALSE(page->NextBtn->Visible());
    EXPECT_TRUE(page->FinishBtn->Visible());
    page->FinishBtn->Click();
    EXPECT_EQ(frame.ModalResult, mrOk);
}

// ---------------------------------------------------------- language page

// Eleven tables with more than one line (Hebrew's is empty) and a French
// text for the language page's and the welcome page's captions.
void FillTables(TTranslator& T) {
    for (int l = ylCzech; l < ylUser; ++l) {
        if (l == ylHebrew) continue;
        TLangFormatStrings& s = T.LanguageByIdent(static_cast<TVtrlLanguage>(l))->Strings();
        s.Add("* table " + TTranslator::DecodeLanguageToString(static_cast<TVtrlLanguage>(l)));
        s.Add("9;Welcome");
        s.Add("62;Select a language");
    }
    T.LanguageByIdent(ylFrench)->Strings().Clear();
    T.LanguageByIdent(ylFrench)->Strings().Add("9;Bienvenue");
    T.LanguageByIdent(ylFrench)->Strings().Add("62;Choisissez une langue");
}

TEST(LanguageGridRows, HalfARowMoreRoundsUp) {
    EXPECT_EQ(LanguageGridRows(11, 2), 6);
    EXPECT_EQ(LanguageGridRows(12, 2), 6);
    EXPECT_EQ(LanguageGridRows(3, 2), 2);
    EXPECT_EQ(LanguageGridRows(1, 2), 1);
    EXPECT_EQ(LanguageGridRows(0, 2), 1);
}

// Rule: one cell per language with a table, in the translator's order,
// the current language's cell selected; an empty cell changes nothing, a
// flag switches the main translator and every open form follows.
TEST_F(PagesTest, LanguageGridChoosesTheLanguage) {
    {
        TSelectLanguageForm page(&Application);
        EXPECT_TRUE(page.SkipPage());  // no main translator
    }
    TTranslator translator(&Root);
    FillTables(translator);
    translator.SetTranslateIntoLanguage(ylGerman);
    TSelectLanguageForm page(&Application);
    TWelcomeForm welcome(&Application);
    EXPECT_FALSE(page.SkipPage());
    page.SetupControls();
    TStringGrid& grid = *page.LanguageGrid;
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Cells(0, 0), "Czech");
    EXPECT_EQ(grid.Cells(1, 1), "German");
    EXPECT_EQ(grid.Cells(0, 2), "Greek");
    EXPECT_EQ(grid.Cells(1, 2), "Italian");  // Hebrew has no table
    EXPECT_EQ(grid.Cells(0, 5), "Spanish");
    EXPECT_EQ(page.CellLanguage(1, 5), nullptr);
    EXPECT_EQ(page.CellLanguage(0, 1), translator.LanguageByIdent(ylFrench));
    EXPECT_EQ(grid.Col(), 1);  // German, the current language
    EXPECT_EQ(grid.Row(), 1);
    ASSERT_NE(page.FlagImage(ylFrench), nullptr);
    EXPECT_EQ(page.FlagImage(ylFrench)->Picture()->Width(), 126);
    EXPECT_EQ(page.FlagImage(ylFrench)->Picture()->Height(), 45);

    Answer(page, "[SelectLanguageForm]\nselect LanguageGrid = 1,5\n");
    EXPECT_EQ(translator.TranslateIntoLanguage(), ylGerman);
    Answer(page, "[SelectLanguageForm]\nselect LanguageGrid = 0,1\n");
    EXPECT_EQ(translator.TranslateIntoLanguage(), ylFrench);
    EXPECT_EQ(welcome.Caption(), "Bienvenue");
    EXPECT_EQ(page.Caption(), "Choisissez une langue");
    EXPECT_TRUE(grid.Enabled());
}

// Rule: shown standalone on its own event, the page offers the languages
// and Next closes it with the choice made.
TEST_F(PagesTest, LanguagePageStandalone) {
    TTranslator translator(&Root);
    FillTables(translator);
    translator.SetTranslateIntoLanguage(ylEnglish);
    auto* dlg = Make<TSelectLanguageDlg>(&Root, "Language1");
    dlg->SetContainer(Install);
    EXPECT_EQ(dlg->PageOrder(), 0);
    int rows = 0;
    SetModalResponder([&](TForm& f) {
        rows = dynamic_cast<TSelectLanguageForm&>(f).LanguageGrid->RowCount();
        Answer(f, "[SelectLanguageForm]\nselect LanguageGrid = 1,4\nclick NextBtn\n");
        return mrNone;
    });
    Install->Broadcast(ev::eccLanguageDialog);
    EXPECT_EQ(rows, 6);
    EXPECT_EQ(translator.TranslateIntoLanguage(), ylRussian);
    EXPECT_EQ(dlg->Form(), nullptr);
}

// ------------------------------------------------- a silent, answered wizard

// Rule: a response file drives the pages of a silent wizard by their form
// and control names, and the pages store what it chose.
TEST_F(PagesTest, ResponseFileDrivesTheWizard) {
    TTranslator translator(&Root);
    FillTables(translator);
    translator.SetTranslateIntoLanguage(ylEnglish);
    Install->SetGroupName("Vantrel");
    auto* samples = Make<TInstallFileGroup>(&Root, "Samples");
    samples->SetContainer(Install);
    samples->SetGroupName("Samples");
    TShellLinkGroup* folder = MainFolder("\\Vantrel");
    TDialogManager* m = Manager(dmBeforeInstall);
    for (TStandardInstallDlg* d : std::initializer_list<TStandardInstallDlg*>{
             Make<TSelectLanguageDlg>(&Root, "Language1"), Make<TInstallFileGroupsDlg>(&Root, "Groups1"),
             Make<TSelectFolderDlg>(&Root, "Folder1")}) {
        d->SetContainer(d->Container() ? d->Container() : Install);
        EXPECT_EQ(d->DialogManager(), m) << d->Name();
    }
    SetActiveResponseFile(std::make_unique<TResponseFile>("wizard.rsp",
        "[SelectLanguageForm]\nselect LanguageGrid = 0,1\nclick NextBtn\n"
        "[FileGroupSelectForm]\nselect GroupListBox = Vantrel\\Samples\nclick ToggleBtn\nclick NextBtn\n"
        "[SelectFolderForm]\nFolderEdit.Text = Chosen Folder\nclick NextBtn\n"));
    Install->Broadcast(ev::eccBeginningDialogManager);
    EXPECT_TRUE(CheckResponseFileUsed().empty());
    for (auto& s : CheckResponseFileUsed()) ADD_FAILURE() << s;
    EXPECT_EQ(translator.TranslateIntoLanguage(), ylFrench);
    EXPECT_FALSE(samples->Include());
    EXPECT_EQ(folder->DestDir(), "\\Chosen Folder");
    EXPECT_EQ(folder->DestDirType(), ddProgramMenuDir);
}

}  // namespace
