// The forms around the wizard's pages: the disk-change form, the copy
// window and the completion page; what they show, what they store in the
// request or the run, and their Cancel. Silent runs: the forms exist as
// objects without windows.
#include <gtest/gtest.h>
#include <windows.h>

#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "GoodInstall.h"
#include "MPlayer.h"
#include "MusicForm.h"
#include "MyCopyForm.h"
#include "Unit1.h"
#include "ResponseFile.h"
#include "StdCtrls.h"
#include "Unattended.h"
#include "cmp_TInstallFile.h"
#include "cmp_TTranslator.h"
#include "cmp_TVtrlCompress.h"
#include "dlgcmp_TChangeDiskDlg.h"
#include "model_testkit.h"
#include "ordlg_ChangeDisk.h"
#include "test_ArchiveHelpers.h"
#include "routines_DevEnvironment.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSilent(true);
        Install = Make<TTestInstallation>(&Root, "Install1");
        DevEnvironment() = {};
    }
    void TearDown() override {
        // A test that failed half-way leaves no responder behind.
        SetQuestionResponder(nullptr);
        SetModalResponder(nullptr);
        DevEnvironment() = {};
        VtrlCompress().Abort = false;
        SetActiveResponseFile(nullptr);
        SetSilent(false);
    }
    TDialogManager* Manager(TManagerType Type) {
        auto* m = Make<TDialogManager>(&Root, "Manager" + std::to_string(static_cast<int>(Type)));
        m->SetManagerType(Type);
        m->SetContainer(Install);
        return m;
    }
    static void Answer(TForm& Form, const std::string& Text) {
        TResponseFile file("test.rsp", Text);
        std::string where;
        ASSERT_TRUE(file.AnswerForm(Form, where));
    }
    TDataModule Root{nullptr};
    TTestInstallation* Install = nullptr;
};

// ------------------------------------------------------------ disk change

// The form names the disk asked for in the current language, shows where
// it is looked for, and a changed path goes back into the request.
TEST_F(FormsTest, TheDiskFormAsksInTheCurrentLanguage) {
    TTranslator translator(&Root);
    if (MainTranslator() != &translator) GTEST_SKIP() << "another translator is the main one";
    translator.LanguageByIdent(ylEnglish)->Strings().Add("45;Please insert disk number %d");
    translator.LanguageByIdent(ylFrench)->Strings().Add("45;Veuillez insérer le disque numéro %d");
    translator.SetTranslateIntoLanguage(ylFrench);
    TDialogManager* manager = Manager(dmChangeDisk);
    TChangeDiskForm form(&Application);
    EXPECT_EQ(form.DM(), manager);
    TDiskParameter disk;
    disk.NewDisk = 3;
    disk.Path = "A:";
    form.DiskParameter = &disk;
    form.SetupControls();
    form.TranslateForm();
    EXPECT_EQ(form.PromptDiskLabel->Caption(), "Veuillez insérer le disque numéro 3");
    EXPECT_EQ(form.PathEdit->Text(), "A:");
    Answer(form, "[ChangeDiskForm]\nPathEdit.Text = D:\\Disk 3\n");
    EXPECT_EQ(disk.Path, "D:\\Disk 3");
    // The browser shows nothing in a silent run: the path stays.
    form.BrowseForFolder();
    EXPECT_EQ(disk.Path, "D:\\Disk 3");
    EXPECT_EQ(form.PathEdit->Text(), "D:\\Disk 3");
}

// Through the manager: Proceed hands the request back, a confirmed Cancel
// is the user's abort, a refused one leaves the form waiting.
TEST_F(FormsTest, TheDiskFormProceedsOrAborts) {
    Manager(dmChangeDisk);
    TChangeDiskDlg component(&Root);
    ASSERT_NE(component.DialogManager(), nullptr);
    TInstallFile file(&Root);
    TDiskParameter disk;
    disk.NewDisk = 2;
    disk.Path = "A:";
    TParameterList request{&file, &disk};
    std::vector<std::string> answers;
    SetModalResponder([&](TForm& f) {
        auto& form = dynamic_cast<TChangeDiskForm&>(f);
        answers.push_back(form.PromptDiskLabel->Caption());
        TResponseFile answers("test.rsp", "[ChangeDiskForm]\nPathEdit.Text = X:\\volumes\nclick InstallBtn\n");
        std::string where;
        EXPECT_TRUE(answers.AnswerForm(form, where));
        return f.ModalResult;
    });
    Install->Broadcast(ev::ChangeDisk, &request);
    EXPECT_EQ(answers, (std::vector<std::string>{"Please insert disk number 2"}));
    EXPECT_EQ(disk.Path, "X:\\volumes");
    EXPECT_EQ(file.Tag, 1);

    int refused = 0;
    SetModalResponder([&](TForm& f) {
        auto& form = dynamic_cast<TChangeDiskForm&>(f);
        Install->AbortAnswer = false;
        form.CancelBtn->Click();
        refused = f.ModalResult == mrNone ? 1 : 0;
        Install->AbortAnswer = true;
        form.CancelBtn->Click();
        return f.ModalResult;
    });
    EXPECT_THROW(Install->Broadcast(ev::ChangeDisk, &request), EAIUserAbort);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(Install->AbortQuestions, 2);
    SetModalResponder(nullptr);
}

// A disk set of one file whose volume 2 is not beside volume 1, installed
// through the file's own broadcast to the disk manager and its form.
class DiskChange : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        Dir = GetTempDirectory() + "vtrl_forms_disk_" + std::to_string(GetCurrentProcessId());
        std::filesystem::remove_all(Dir);
        ForceDirectories(Dir + "\\src");
        ForceDirectories(Dir + "\\disk");
        ForceDirectories(Dir + "\\other");
        for (int i = 0; i < 3000; ++i) Text += static_cast<char>('a' + (i * 7) % 26);
        std::ofstream(Dir + "\\src\\a.txt", std::ios::binary) << Text;
        Install->SetArchiveFileType(ddAbsolute);
        Install->SetArchiveFile(Dir + "\\files.1");
        Install->SetDestDirType(ddAbsolute);
        Install->SetDestDir(Dir + "\\out");
        F = Make<TInstallFile>(&Root, "AFile");
        F->SetIncludeFromDir(Dir + "\\src");
        F->SetFileName("a.txt");
        F->SetContainer(Install);
        Install->SetState(fcsCompress);
        // Volume 1 holds the directory and a few bytes; the rest is on 2.
        test::TSmallDisks split(nullptr);
        split.Capacity = {5 + 164 + 10};
        split.OnNewDisk = [](TVtrlCompress*, int, std::string&) {};
        split.SetCompressedFile(Dir + "\\files.1");
        split.SplitToDisks(Dir + "\\disk", "files.1");
        MoveFileA((Dir + "\\disk\\files.2").c_str(), (Dir + "\\other\\files.2").c_str());
        Install->SetArchiveFile(Dir + "\\disk\\files.1");
        Manager(dmChangeDisk);
        Component = Make<TChangeDiskDlg>(&Root, "ChangeDiskDlg1");
    }
    void TearDown() override {
        FormsTest::TearDown();
        std::filesystem::remove_all(Dir);
    }
    std::string Installed() const {
        std::ifstream in(Dir + "\\out\\a.txt", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string Dir, Text;
    TInstallFile* F = nullptr;
    TChangeDiskDlg* Component = nullptr;
};

// A response file changes the form's path: the volume is read from there,
// and the file asks nothing of its own.
TEST_F(DiskChange, TheFormsPathFindsTheVolume) {
    int asked = 0;
    SetQuestionResponder([&](const TQuestion&) {
        ++asked;
        return mrCancel;
    });
    SetActiveResponseFile(std::make_unique<TResponseFile>(
        "disk.rsp", "[ChangeDiskForm]\nPathEdit.Text = " + Dir + "\\other\nclick InstallBtn\n"));
    Install->Process();
    SetQuestionResponder(nullptr);
    EXPECT_EQ(Installed(), Text);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(ActiveResponseFile()->UnusedSections().empty());
}

// Unanswered, a silent run cannot find the volume: it fails naming it,
// which is not the user's abort, and leaves no partial file.
TEST_F(DiskChange, AnUnansweredSilentRunFailsNamingTheVolume) {
    try {
        Install->Process();
        FAIL() << "no exception";
    } catch (const EAIUserAbort&) {
        FAIL() << "taken for the user's abort";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Could not open the correct disk file 2");
        EXPECT_NE(ExceptionLogText(e).find(Dir + "\\disk\\files.2 does not exist"), std::string::npos)
            << ExceptionLogText(e);
    }
    EXPECT_FALSE(FileExists(Dir + "\\out\\a.txt"));
}

// Cancel on the form, confirmed, is the user's abort.
TEST_F(DiskChange, CancelOnTheFormAbortsTheInstall) {
    SetActiveResponseFile(std::make_unique<TResponseFile>("disk.rsp", "[ChangeDiskForm]\nclick CancelBtn\n"));
    EXPECT_THROW(Install->Process(), EAIUserAbort);
    EXPECT_FALSE(FileExists(Dir + "\\out\\a.txt"));
}

// The component puts the form into the registry while it lives.
TEST_F(FormsTest, TheDiskComponentRegistersTheForm) {
    const size_t before = BCDFList().size();
    {
        TChangeDiskDlg component(&Root);
        ASSERT_EQ(BCDFList().size(), before + 1);
        EXPECT_EQ(BCDFList().back()->FormClass, &TChangeDiskForm::StaticClass());
        EXPECT_EQ(BCDFList().back()->Dialog, &component);
    }
    EXPECT_EQ(BCDFList().size(), before);
}

// ------------------------------------------------------------ copy window

// The clip starts with the first status and the bar follows the total; the
// movie is looked for beside the program.
TEST_F(FormsTest, TheCopyWindowFollowsTheTotal) {
    TDialogManager* manager = Manager(dmDuringCopyFiles);
    TDuringCopyForm form(&Application);
    EXPECT_EQ(form.DM(), manager);
    EXPECT_EQ(form.Animate1->CommonAVI(), aviCopyFile);
    EXPECT_EQ(form.Animate1->StopFrame, 34);
    EXPECT_FALSE(form.Animate1->Active());
    TFileStatusParameter status;
    status.TotalPercentDone = 42;
    form.UpdateStatus(&status);
    EXPECT_TRUE(form.Animate1->Active());
    EXPECT_EQ(form.ProgressBar1->Position(), 42);
    status.TotalPercentDone = 100;
    form.UpdateStatus(&status);
    EXPECT_EQ(form.ProgressBar1->Position(), 100);
    const std::string movie = TDuringCopyForm::MovieFile();
    EXPECT_EQ(movie, ExtractFileDir(Application.ExeName()) + "\\VantrelEarth.avi");
    // The copy window is registered for every copy pass.
    bool registered = false;
    for (TDCFEntry* e : DCFList()) registered |= e->FormClass == &TDuringCopyForm::StaticClass();
    EXPECT_TRUE(registered);
}

// Cancel stops the copy only when the abort is confirmed.
TEST_F(FormsTest, TheCopyWindowCancelsOnlyWhenConfirmed) {
    Manager(dmDuringCopyFiles);
    TDuringCopyForm form(&Application);
    Install->AbortAnswer = false;
    form.CancelBtn->Click();
    EXPECT_FALSE(VtrlCompress().Abort);
    Install->AbortAnswer = true;
    form.CancelBtn->Click();
    EXPECT_TRUE(VtrlCompress().Abort);
    EXPECT_EQ(Install->AbortQuestions, 2);
}

// ------------------------------------------------------------ music

// The page offers the two pieces and silence, the second piece chosen;
// Next plays the choice on the backdrop's player, and silence after a
// piece stops it. The sound itself is not there on this machine: the
// commands are what is checked.
TEST_F(FormsTest, TheMusicPagePlaysTheChoiceOrSilence) {
    TDialogManager* manager = Manager(dmBeforeInstall);
    TForm1 backdrop(&Application);
    TMediaPlayer* player = BackgroundPlayer();
    ASSERT_NE(player, nullptr);
    SetMciSender([](const std::string&) { return 0u; });
    ClearMciCommands();
    TMusicSelectForm page(&Application);
    EXPECT_EQ(page.DM(), manager);
    EXPECT_EQ(page.Order(), 11);
    EXPECT_EQ(page.Container, nullptr);
    EXPECT_FALSE(page.SkipPage());
    page.SetupControls();
    ASSERT_EQ(page.MusicForm->Items().Count(), 3);
    EXPECT_EQ(page.MusicForm->ItemIndex(), 1);
    EXPECT_EQ(page.MusicForm->Items()[2], "Leave me in silence");
    const std::string alias = player->Alias();
    page.MusicForm->SetItemIndex(0);
    page.ProceedBTN->Click();
    EXPECT_EQ(MciCommands(), (std::vector<std::string>{
                                 "open \"" + TMusicSelectForm::PieceFile(0) + "\" alias " + alias, "play " + alias}));
    EXPECT_EQ(TMusicSelectForm::PieceFile(0), ExtractFileDir(Application.ExeName()) + "\\HALVORNMISC.RMI");
    EXPECT_EQ(TMusicSelectForm::PieceFile(1), ExtractFileDir(Application.ExeName()) + "\\TESSALY.RMI");
    ClearMciCommands();
    page.MusicForm->SetItemIndex(2);
    page.ProceedBTN->Click();
    EXPECT_EQ(MciCommands(), (std::vector<std::string>{"close " + alias}));
    EXPECT_FALSE(player->IsOpen());
    SetMciSender(nullptr);
}

// Without a sound device (the real MCI here) the choice plays nothing and
// the page goes on all the same.
TEST_F(FormsTest, TheMusicPageGoesOnWithoutSound) {
    Manager(dmBeforeInstall);
    TForm1 backdrop(&Application);
    TMusicSelectForm page(&Application);
    page.SetupControls();
    page.MusicForm->SetItemIndex(1);
    EXPECT_NO_THROW(page.ProceedBTN->Click());
}

// ------------------------------------------------------------ completion

// Without a development environment the page gives the steps by hand and
// Finish starts nothing; with one, the panel says what is left.
TEST_F(FormsTest, TheCompletionPageFollowsTheEnvironment) {
    TDialogManager* manager = Manager(dmAfterGoodInstall);
    {
        TGoodInstallForm page(&Application);
        EXPECT_EQ(page.DM(), manager);
        EXPECT_EQ(page.Order(), 10);
        page.SetupControls();
        EXPECT_EQ(page.ShownPanel(), page.Delphi2Good);
        EXPECT_TRUE(page.Delphi2Good->Visible());
        EXPECT_FALSE(page.Delphi3Good->Visible() || page.Delphi3Bad->Visible());
        // Standalone it is the last page: Finish, not Next.
        EXPECT_TRUE(page.FinishBtn->Visible());
        EXPECT_FALSE(page.NextBtn->Visible());
        EXPECT_EQ(TGoodInstallForm::EnvironmentCommand(), "");
        auto* step4 = dynamic_cast<TLabel*>(page.FindComponent("Delphi2GoodLabel5"));
        ASSERT_NE(step4, nullptr);
        EXPECT_EQ(step4->Caption().rfind("4. Select the path in which Vantrel resides.  Either type", 0), 0u);
        auto* quoted = dynamic_cast<TLabel*>(page.FindComponent("Delphi3BadLabel4"));
        ASSERT_NE(quoted, nullptr);
        EXPECT_EQ(quoted->Caption(),
                  "3. Open the file \"Vantrel32.DPK\". This file should be located in the Vantrel Directory.");
    }
    DevEnvironment() = {true, "C:\\Delphi 3\\Bin\\", false};
    {
        TGoodInstallForm page(&Application);
        page.SetupControls();
        EXPECT_EQ(page.ShownPanel(), page.Delphi3Bad);
        EXPECT_EQ(TGoodInstallForm::EnvironmentCommand(), "\"C:\\Delphi 3\\Bin\\Delphi32.EXE\"");
    }
    DevEnvironment().PackageInstalled = true;
    TGoodInstallForm page(&Application);
    page.SetupControls();
    EXPECT_EQ(page.ShownPanel(), page.Delphi3Good);
    EXPECT_TRUE(page.Delphi3Good->Visible());
}

}  // namespace
