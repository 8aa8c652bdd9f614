// Tests of the uninstall form's start-up: the checklist it shows, the
// caption and base key from the command line, and the run without a
// product name.
#include "UninstallForm.h"

#include <gtest/gtest.h>

#include "Unattended.h"

namespace vtrl {
namespace {

class Form : public ::testing::Test {
protected:
    void SetUp() override { SetSilent(true); }
    void TearDown() override { InitRunOptions("uninstall.exe"); }
    TUninstallForm F{nullptr};
};

// The window carries the controls of the checklist with their captions,
// the progress bar hidden, until the product is known.
TEST_F(Form, ShowsTheChecklistBeforeStart) {
    EXPECT_EQ(F.Caption(), "Uninstall program");
    EXPECT_EQ(F.ClientWidth(), 469);
    EXPECT_EQ(F.ClientHeight(), 328);
    EXPECT_EQ(F.Font()->Name(), "Arial");
    EXPECT_EQ(F.Label1->Caption(), "To remove the software from your computer, click the &Start button below.");
    EXPECT_EQ(F.AliasesCB->Caption(), "Aliases");
    EXPECT_EQ(F.ActiveXCB->Caption(), "ActiveX/OCX components");
    EXPECT_EQ(F.FilesCB->Caption(), "Files");
    EXPECT_EQ(F.INIFilesCB->Caption(), "INI file entries");
    EXPECT_EQ(F.RegistryCB->Caption(), "Registry entries");
    EXPECT_EQ(F.BDECB->Caption(), "BDE");
    EXPECT_EQ(F.StartBtn->Caption(), "&Start");
    EXPECT_EQ(F.CloseBtn->Caption(), "&Close");
    EXPECT_FALSE(F.ProgressBar1->Visible());
    EXPECT_EQ(F.ProgressBar1->Max(), 100);
    for (const char* name : {"ThemeBitmap", "Label1", "AliasesCB", "ActiveXCB", "FilesCB", "INIFilesCB",
                             "RegistryCB", "BDECB", "ProgressBar1", "StartBtn", "CloseBtn"})
        EXPECT_NE(F.FindComponent(name), nullptr) << name;
}

// Started with Product and Name, the caption is "Remove Product Name".
TEST_F(Form, ProductNameFromAllArguments) {
    InitRunOptions("\"C:\\P\\uninstall.exe\" /SILENT Product  Name");
    F.FormCreate();
    EXPECT_EQ(F.ProductName(), "Product Name");
    EXPECT_EQ(F.Caption(), "Remove Product Name");
    EXPECT_TRUE(F.StartBtn->Enabled());
}

// Without an argument Start is disabled and the exact message is raised.
TEST_F(Form, NoArgumentDisablesStart) {
    InitRunOptions("\"C:\\P\\uninstall.exe\" /SILENT");
    try {
        F.FormCreate();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Please remove this software from the Add/Remove Programs from the Control Panel");
    }
    EXPECT_FALSE(F.StartBtn->Enabled());
    EXPECT_EQ(F.Caption(), "Uninstall program");
}

}  // namespace
}  // namespace vtrl
