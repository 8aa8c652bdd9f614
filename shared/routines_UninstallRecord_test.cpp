// Tests of the uninstall record's appends against a scratch record under
// HKEY_LOCAL_MACHINE: what a path must be to be recorded, and the Folders
// key with its count.
#include "routines_UninstallRecord.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "SysUtils.h"
#include "constants_UninstallRecord.h"
#include "routines_Registry.h"

namespace vtrl {
namespace {

class RecordAppends : public ::testing::Test {
protected:
    void SetUp() override {
        Base = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel Record Appends " +
               IntToStr(GetCurrentProcessId()) + " " +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        DeleteRecord();
    }
    void TearDown() override { DeleteRecord(); }
    void DeleteRecord() {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        (void)reg.DeleteKey(Base);
    }
    std::string Value(const std::string& Key, const std::string& Name) {
        return RegReadString(hkLocalMachine, Base + "\\" + Key, Name, "<none>");
    }
    std::string MessageOf(void (*Fn)(const std::string&, const std::string&), const std::string& Path) {
        try {
            Fn(Base, Path);
        } catch (const Exception& e) {
            return e.what();
        }
        return "<no error>";
    }
    std::string Base;
};

// Rule: the record takes only full paths. A bare name, a path from the
// current drive's root or one relative to a drive's current directory is
// refused with an error naming it, and nothing is written, so the
// uninstall program can never be sent to a file of its current folder.
TEST_F(RecordAppends, OnlyFullPathsAreRecorded) {
    auto files = [](const std::string& B, const std::string& P) { (void)AppendFilesEntry(B, P); };
    auto servers = [](const std::string& B, const std::string& P) { AppendActiveXEntry(B, P, false); };
    for (const char* p : {"Notepad", "Notepad.lnk", "\\Program Files\\P\\a.dll", "C:a.dll", ""}) {
        EXPECT_EQ(MessageOf(files, p), "The uninstall record of " + Base + " takes only full paths; \"" +
                                           std::string(p) + "\" is not one and is not recorded");
        EXPECT_NE(MessageOf(servers, p), "<no error>") << p;
    }
    EXPECT_EQ(Value("Files", "Entries"), "<none>");
    EXPECT_EQ(Value("ActiveX", "Entries"), "<none>");

    EXPECT_EQ(MessageOf(files, "C:\\P\\a.txt"), "<no error>");
    EXPECT_EQ(MessageOf(files, "\\\\server\\share\\b.txt"), "<no error>");
    EXPECT_EQ(MessageOf(servers, "C:\\P\\c.dll"), "<no error>");
    EXPECT_EQ(Value("Files", "File1"), "C:\\P\\a.txt");
    EXPECT_EQ(Value("Files", "File2"), "\\\\server\\share\\b.txt");
    EXPECT_EQ(Value("ActiveX", "File1"), "C:\\P\\c.dll;0");
}

// Rule: the Folders key exists once folders are recorded, with "Entries"
// "0" when the install made none (its presence is what tells the uninstall
// program to remove only the listed folders); each folder follows as
// "Folder<n>" in the order given, the count after it, across calls and
// inside an append scope alike.
TEST_F(RecordAppends, FoldersAreNumberedAfterAZeroCount) {
    AppendFolderEntries(Base, {});
    EXPECT_EQ(Value("Folders", "Entries"), "0");
    AppendFolderEntries(Base, {"C:\\Program Files\\P", "C:\\Program Files\\P\\Bin"});
    {
        TRecordAppendScope scope;
        AppendFolderEntries(Base, {});
        AppendFolderEntries(Base, {"C:\\Menu\\P"});
    }
    EXPECT_EQ(Value("Folders", "Entries"), "3");
    EXPECT_EQ(Value("Folders", "Folder1"), "C:\\Program Files\\P");
    EXPECT_EQ(Value("Folders", "Folder2"), "C:\\Program Files\\P\\Bin");
    EXPECT_EQ(Value("Folders", "Folder3"), "C:\\Menu\\P");
    try {
        AppendFolderEntries(Base, {"C:\\Menu\\Q", "Accessories"});
        ADD_FAILURE() << "a folder that is not full was recorded";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("\"Accessories\""), std::string::npos) << e.what();
    }
    EXPECT_EQ(Value("Folders", "Entries"), "4");
    EXPECT_EQ(Value("Folders", "Folder5"), "<none>");
}

// Rule: the record lists a path once. Installing the product again writes
// its files again: a path the Files chain lists already, in whichever of
// its keys and with its ASCII letters in whichever case, gets no second
// entry, and the key that lists it is returned; inside an append scope as
// outside, where the record is read once for the scope. The same holds for
// the ActiveX servers (in either style) and the folders.
TEST_F(RecordAppends, APathIsListedOnce) {
    EXPECT_EQ(AppendFilesEntry(Base, "C:\\P\\a.txt"), Base + "\\Files");
    // An earlier install that had to roll over to Files1.
    RegWriteString(hkLocalMachine, Base + "\\Files1", "File1", "C:\\P\\Sub\\b.txt");
    RegWriteString(hkLocalMachine, Base + "\\Files1", "Entries", "1");
    EXPECT_EQ(AppendFilesEntry(Base, "c:\\p\\A.TXT"), Base + "\\Files");
    EXPECT_EQ(AppendFilesEntry(Base, "C:\\P\\Sub\\b.txt"), Base + "\\Files1");
    AppendActiveXEntry(Base, "C:\\P\\s.ocx", false);
    AppendFolderEntries(Base, {"C:\\P"});
    {
        TRecordAppendScope scope;
        EXPECT_EQ(AppendFilesEntry(Base, "C:\\P\\a.txt"), Base + "\\Files");
        EXPECT_EQ(AppendFilesEntry(Base, "C:\\P\\SUB\\b.txt"), Base + "\\Files1");
        EXPECT_EQ(AppendFilesEntry(Base, "C:\\P\\c.txt"), Base + "\\Files");
        EXPECT_EQ(AppendFilesEntry(Base, "C:\\P\\C.txt"), Base + "\\Files");
        AppendActiveXEntry(Base, "C:\\P\\S.OCX", true);
        AppendActiveXEntry(Base, "C:\\P\\t.exe", true);
        AppendActiveXEntry(Base, "C:\\P\\t.exe", true);
        AppendFolderEntries(Base, {"c:\\p", "C:\\P\\Sub", "C:\\P\\sub"});
    }
    AppendActiveXEntry(Base, "C:\\P\\t.exe", false);
    AppendFolderEntries(Base, {"C:\\P\\Sub"});
    EXPECT_EQ(Value("Files", "Entries"), "2");
    EXPECT_EQ(Value("Files", "File2"), "C:\\P\\c.txt");
    EXPECT_EQ(Value("Files", "File3"), "<none>");
    EXPECT_EQ(Value("Files1", "Entries"), "1");
    EXPECT_EQ(Value("ActiveX", "Entries"), "2");
    EXPECT_EQ(Value("ActiveX", "File1"), "C:\\P\\s.ocx;0");
    EXPECT_EQ(Value("ActiveX", "File2"), "C:\\P\\t.exe;1");
    EXPECT_EQ(Value("Folders", "Entries"), "2");
    EXPECT_EQ(Value("Folders", "Folder2"), "C:\\P\\Sub");
}

}  // namespace
}  // namespace vtrl
