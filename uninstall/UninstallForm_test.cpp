// Tests of the uninstall form's start-up: the checklist it shows, the
// caption and base key from the command line, and the run without a
// product name.
#include "UninstallForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "Dialogs.h"
#include "FileShim.h"
#include "Unattended.h"
#include "routines_Registry.h"

namespace vtrl {
namespace {

class Form : public ::testing::Test {
protected:
    void SetUp() override {
        SetSilent(true);
        const std::string unique = IntToStr(GetCurrentProcessId()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Product = "Vantrel Form Test " + unique;
        Base = UninstallBaseKey(Product);
        Kept = AddBackSlash(GetTempDirectory()) + "vtrl-form-" + unique + ".txt";
        FileClose(FileCreate(Kept));
        SetQuestionResponder([this](const TQuestion& q) {
            Messages.push_back(q.Msg);
            return mrNone;
        });
    }
    void TearDown() override {
        SetQuestionResponder(nullptr);
        InitRunOptions("uninstall.exe");
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        (void)reg.DeleteKey(Base);
        FileDelete(Kept);
        Application.ExitCode = 0;
        Application.ClearTerminated();
    }
    // The record setup would have written for Product: its two top-level
    // values and one installed file.
    void WriteRecord() {
        RegWriteString(hkLocalMachine, Base, "DisplayName", Product);
        RegWriteString(hkLocalMachine, Base, "UninstallString", "\"C:\\P\\uninstall.exe\" " + Product);
        RegWriteString(hkLocalMachine, Base + "\\Files", "File1", Kept);
        RegWriteString(hkLocalMachine, Base + "\\Files", "Entries", "1");
    }
    void ExpectRecordWhole() {
        EXPECT_EQ(RegReadString(hkLocalMachine, Base, "DisplayName", "-"), Product);
        EXPECT_EQ(RegReadString(hkLocalMachine, Base + "\\Files", "File1", "-"), Kept);
        EXPECT_EQ(RegReadString(hkLocalMachine, Base + "\\Files", "Entries", "-"), "1");
        EXPECT_TRUE(FileExists(Kept));
    }
    // FormCreate for the command line's arguments; the message it raised.
    std::string StartUpFailure(const std::string& Arguments) {
        InitRunOptions("\"C:\\P\\uninstall.exe\" /SILENT " + Arguments);
        try {
            F.FormCreate();
        } catch (const Exception& e) {
            return e.what();
        }
        return "no exception";
    }
    // The files waiting for the restart (the delayed moves, NUL-separated).
    static std::string PendingRenames() {
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ,
                          &k) != ERROR_SUCCESS)
            return {};
        DWORD size = 0;
        std::string data;
        if (RegQueryValueExA(k, "PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
            data.resize(size);
            if (RegQueryValueExA(k, "PendingFileRenameOperations", nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
                data.clear();
        }
        RegCloseKey(k);
        return data;
    }

    TUninstallForm F{nullptr};
    std::string Product, Base, Kept;
    std::vector<std::string> Messages;
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

// Started with the words of the product name as separate arguments (two
// blanks between two of them), the name has single blanks and the caption
// is "Remove " and the name.
TEST_F(Form, ProductNameFromAllArguments) {
    WriteRecord();
    std::string arguments = Product;
    arguments.replace(arguments.find(' '), 1, "  ");
    InitRunOptions("\"C:\\P\\uninstall.exe\" /SILENT " + arguments);
    F.FormCreate();
    EXPECT_EQ(F.ProductName(), Product);
    EXPECT_EQ(F.Caption(), "Remove " + Product);
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

// Rule: a start-up that finds no record to follow reports it, leaves Start
// disabled and changes nothing: the record, its files and the program file
// stay, nothing waits for the restart.
TEST_F(Form, NameOfAnotherProductIsRefused) {
    WriteRecord();
    EXPECT_EQ(StartUpFailure(Product + "x"),
              "There is no uninstall record for the product " + Product + "x. Nothing was removed.");
    EXPECT_FALSE(F.StartBtn->Enabled());
    ExpectRecordWhole();
}

// "" is an argument, but no name: taken as one it would make the Uninstall
// key itself the record, with every product's record below it.
TEST_F(Form, BlankNameIsNoName) {
    WriteRecord();
    for (const char* arguments : {"\"\"", "\" \"", "\"\" \"\""}) {
        EXPECT_EQ(StartUpFailure(arguments),
                  "Please remove this software from the Add/Remove Programs from the Control Panel")
            << arguments;
        EXPECT_FALSE(F.StartBtn->Enabled());
    }
    ExpectRecordWhole();
}

TEST_F(Form, DamagedRecordIsRefused) {
    WriteRecord();
    RegWriteInteger(hkLocalMachine, Base + "\\Files", "File2", 1);
    EXPECT_EQ(StartUpFailure(Product), "The uninstall record of the product " + Product +
                                           " is damaged: the value \"File2\" of HKEY_LOCAL_MACHINE" + Base +
                                           "\\Files is not a string. Nothing was removed.");
    EXPECT_FALSE(F.StartBtn->Enabled());
    ExpectRecordWhole();
}

// A record that another run removed after this one started: Start reports
// it with exit code 1 and neither removes nor schedules the program file.
TEST_F(Form, StartWithTheRecordGoneChangesNothing) {
    WriteRecord();
    EXPECT_EQ(StartUpFailure(Product), "no exception");
    TRegistry reg;
    SelectRootKey(reg, hkLocalMachine);
    ASSERT_TRUE(reg.DeleteKey(Base));
    const std::string pending = PendingRenames();
    F.StartBtnClick();
    EXPECT_EQ(Application.ExitCode, 1);
    EXPECT_EQ(Messages,
              std::vector<std::string>{"There is no uninstall record for the product " + Product + ". Nothing was removed."});
    EXPECT_EQ(PendingRenames(), pending);
    EXPECT_TRUE(FileExists(Application.ExeName()));
    EXPECT_TRUE(FileExists(Kept));
    EXPECT_FALSE(F.StartBtn->Enabled());
}

// A record that cannot be deleted at the end stays listed, so its
// UninstallString must still find the program: the run fails with exit
// code 1 and the program file is neither deleted nor scheduled. (A sub-key
// whose name has no UTF-8 form is one the ANSI tree walk cannot delete.)
TEST_F(Form, RecordThatStaysKeepsTheProgramFile) {
    WriteRecord();
    RegWriteString(hkLocalMachine, Base + "\\Files1", "Entries", "0");
    HKEY parent = nullptr, child = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (Base + "\\Files1").c_str() + 1, 0, KEY_ALL_ACCESS, &parent),
              ERROR_SUCCESS);
    const wchar_t lone[] = {0xD800, 0};
    ASSERT_EQ(RegCreateKeyExW(parent, lone, 0, nullptr, 0, KEY_WRITE, nullptr, &child, nullptr), ERROR_SUCCESS);
    RegCloseKey(child);
    EXPECT_EQ(StartUpFailure(Product), "no exception");
    const std::string pending = PendingRenames();
    F.StartBtnClick();
    EXPECT_EQ(Application.ExitCode, 1);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("The uninstall record HKEY_LOCAL_MACHINE" + Base + " could not be deleted: ", 0), 0u)
        << Messages[0];
    EXPECT_EQ(PendingRenames(), pending);
    EXPECT_TRUE(FileExists(Application.ExeName()));
    EXPECT_EQ(RegDeleteKeyW(parent, lone), ERROR_SUCCESS);
    RegCloseKey(parent);
}

// Rule: once the record is deleted the removal has succeeded: a program
// file that can be neither deleted nor scheduled for the restart stays,
// logged, and the run still ends with its closing message and exit code
// 3010 when files wait for the restart, with their folders scheduled.
TEST_F(Form, AProgramFileThatStaysEndsTheRemovalAllTheSame) {
    const std::string dir = AddBackSlash(GetTempDirectory()) + "vtrl-form-own-" + IntToStr(GetCurrentProcessId());
    ASSERT_TRUE(ForceDirectories(dir));
    const std::string program = dir + "\\uninstall.exe", inUse = dir + "\\in-use.dll";
    FileClose(FileCreate(program));
    FileClose(FileCreate(inUse));
    WriteRecord();
    RegWriteString(hkLocalMachine, Base + "\\Files", "File2", inUse);
    RegWriteString(hkLocalMachine, Base + "\\Folders", "Folder1", dir);
    EXPECT_EQ(StartUpFailure(Product), "no exception");
    HANDLE running = CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE held = CreateFileA(inUse.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(running, INVALID_HANDLE_VALUE);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::vector<std::string> scheduled;
    F.SetProgramFile(program);
    F.Removal().ScheduleAtRestart = [&](const std::string& P) {
        if (P == program) throw Exception("Cannot schedule the deletion of " + P + " at restart");
        scheduled.push_back(P);
    };
    F.StartBtnClick();
    CloseHandle(running);
    CloseHandle(held);
    EXPECT_EQ(Application.ExitCode, 3010);
    EXPECT_EQ(Messages, std::vector<std::string>{Product + " has been removed. The uninstallation program " + program +
                                                 " could not be removed; you may delete it yourself."});
    EXPECT_EQ(scheduled, (std::vector<std::string>{inUse, UpperCase(dir)}));
    EXPECT_FALSE(FileExists(Kept));
    TRegistry reg;
    SelectRootKey(reg, hkLocalMachine);
    EXPECT_FALSE(reg.KeyExists(Base));
    FileDelete(program);
    FileDelete(inUse);
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace vtrl
