#include <gtest/gtest.h>
#include <windows.h>

#include "TypInfo.h"
#include "cmp_TUninstallEXE.h"
#include "model_testkit.h"
#include "routines_Registry.h"
#include "routines_UninstallRecord.h"

using namespace vtrl;

namespace {

// A file as the record sees it once the install has written it.
class TWrittenFile : public TInstallFile {
public:
    explicit TWrittenFile(TComponent* AOwner) : TInstallFile(AOwner) { FWritten = true; }
};

// A scratch product whose uninstall record is removed afterwards.
class Record : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Product = "Vantrel Record Test " + std::to_string(GetCurrentProcessId()) + " " + info->name();
        Base = UninstallKeyBase + Product;
        DeleteRecord();
    }
    void TearDown() override { DeleteRecord(); }
    void DeleteRecord() {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        (void)reg.DeleteKey(Base.substr(1));
    }
    std::string Value(const std::string& Key, const std::string& Name) {
        return RegReadString(hkLocalMachine, Base + Key, Name, "<none>");
    }
    bool KeyExists(const std::string& Key) {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        return reg.KeyExists((Base + Key).substr(1));
    }
    // A file installed at Dir\Name, as the record sees it.
    TInstallFile* File(const std::string& Dir, const std::string& Name) {
        auto* f = new TWrittenFile(&Root);
        f->SetFileName(Name);
        f->SetDestDirType(ddAbsolute);
        f->SetDestDir(Dir);
        return f;
    }
    std::string Product, Base;
    TDataModule Root{nullptr};
};

}  // namespace

// ------------------------------------------------------------ Files entries

// Rule: entries are numbered from 1 per key; "Entries" holds the count and
// a later installation continues it.
TEST_F(Record, AFreshProductThenASecondInstall) {
    File("C:\\App", "one.txt")->WriteUninstallInfo(Base);
    EXPECT_EQ(Value("\\Files", "File1"), "C:\\App\\one.txt");
    EXPECT_EQ(Value("\\Files", "Entries"), "1");
    File("C:\\App", "two.txt")->WriteUninstallInfo(Base);
    EXPECT_EQ(Value("\\Files", "File2"), "C:\\App\\two.txt");
    EXPECT_EQ(Value("\\Files", "Entries"), "2");
    // The next run of setup writes to the same record.
    TInstallFile* again = File("C:\\App", "three.txt");
    again->WriteUninstallInfo(Base);
    EXPECT_EQ(Value("\\Files", "File3"), "C:\\App\\three.txt");
    EXPECT_EQ(Value("\\Files", "Entries"), "3");
    EXPECT_FALSE(KeyExists("\\ActiveX"));
    EXPECT_FALSE(KeyExists("\\Files1"));
}

// Rule: the next run of setup that installs the same files lists none of
// them again; only a file new to the record is appended.
TEST_F(Record, AnInstallOfTheSameFilesListsEachOnce) {
    for (int run = 1; run <= 2; ++run) {
        TRecordAppendScope scope;
        File("C:\\App", "one.txt")->WriteUninstallInfo(Base);
        File(run == 1 ? "C:\\App" : "c:\\app", "two.txt")->WriteUninstallInfo(Base);
    }
    File("C:\\App", "three.txt")->WriteUninstallInfo(Base);
    EXPECT_EQ(Value("\\Files", "Entries"), "3");
    EXPECT_EQ(Value("\\Files", "File2"), "C:\\App\\two.txt");
    EXPECT_EQ(Value("\\Files", "File3"), "C:\\App\\three.txt");
}

// Rule: a Files key that cannot take the entry (here: its count is no
// number) passes it to Files1, which counts on its own; Files keeps its count.
TEST_F(Record, AnUnusableFilesKeyRollsOverToFiles1) {
    RegWriteString(hkLocalMachine, Base + "\\Files", "Entries", "many");
    File("C:\\App", "a.txt")->WriteUninstallInfo(Base);
    File("C:\\App", "b.txt")->WriteUninstallInfo(Base);
    EXPECT_EQ(Value("\\Files", "Entries"), "many");
    EXPECT_EQ(Value("\\Files", "File1"), "<none>");
    EXPECT_EQ(Value("\\Files1", "File1"), "C:\\App\\a.txt");
    EXPECT_EQ(Value("\\Files1", "File2"), "C:\\App\\b.txt");
    EXPECT_EQ(Value("\\Files1", "Entries"), "2");
}

// Rule: when no Files key can be written the roll-over stops at its bound
// and reports the last failure. Wine refuses a lasting key below a volatile
// one, so a volatile product key makes every Files key fail.
TEST_F(Record, TheRollOverStopsAtItsBoundWithTheLastError) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, Base.substr(1).c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    try {
        AppendFilesEntry(Base, "C:\\App\\a.txt", 3);
        FAIL();
    } catch (const EIRCannotWriteValue& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot install into registry. Key: " + Base + "\\Files2 Ident: File1 Value C:\\App\\a.txt");
    }
    // With the kit's own bound the failure is reported as well.
    EXPECT_THROW(File("C:\\App", "a.txt")->WriteUninstallInfo(Base), EIRCannotWriteValue);
}

// An install pass keeps the record's keys open between its files: every
// entry and count is still in the registry as soon as its append returns
// (a run killed after it loses nothing), and the roll-over works the same.
TEST_F(Record, InsideAnAppendScopeEveryEntryIsThereAtOnce) {
    RegWriteString(hkLocalMachine, Base + "\\Files", "Entries", "many");
    TRecordAppendScope scope;
    for (int i = 1; i <= 3; ++i) {
        const std::string path = "C:\\App\\f" + std::to_string(i) + ".txt";
        EXPECT_EQ(AppendFilesEntry(Base, path), Base + "\\Files1");
        EXPECT_EQ(Value("\\Files1", "File" + std::to_string(i)), path);
        EXPECT_EQ(Value("\\Files1", "Entries"), std::to_string(i));
        AppendActiveXEntry(Base, path, false);
        EXPECT_EQ(Value("\\ActiveX", "Entries"), std::to_string(i));
    }
    EXPECT_EQ(Value("\\Files", "Entries"), "many");
}

// A key the scope holds open may be deleted meanwhile (another program, a
// user with regedit): the next append opens it afresh and starts it again
// at 1 instead of failing or rolling over.
TEST_F(Record, AKeyDeletedDuringTheScopeIsOpenedAfresh) {
    TRecordAppendScope scope;
    AppendFilesEntry(Base, "C:\\App\\a.txt");
    AppendActiveXEntry(Base, "C:\\App\\a.ocx", false);
    DeleteRecord();
    EXPECT_EQ(AppendFilesEntry(Base, "C:\\App\\b.txt"), Base + "\\Files");
    EXPECT_EQ(Value("\\Files", "File1"), "C:\\App\\b.txt");
    EXPECT_EQ(Value("\\Files", "Entries"), "1");
    EXPECT_FALSE(KeyExists("\\Files1"));
    EXPECT_EQ(AppendNumberedEntry(Base + "\\ActiveX", "C:\\App\\b.ocx;0"), 1);
}

// A key that holds its share of entries passes the next to the following
// key, so that no registry key grows without bound; when every key is full
// the append fails with the reason.
TEST_F(Record, AFullFilesKeyPassesOnToTheNext) {
    TRecordAppendScope scope;
    for (int i = 1; i <= 5; ++i)
        AppendFilesEntry(Base, "C:\\App\\f" + std::to_string(i) + ".txt", 3, 2);
    EXPECT_EQ(Value("\\Files", "Entries"), "2");
    EXPECT_EQ(Value("\\Files1", "File2"), "C:\\App\\f4.txt");
    EXPECT_EQ(Value("\\Files2", "File1"), "C:\\App\\f5.txt");
    EXPECT_EQ(Value("\\Files2", "Entries"), "1");
    AppendFilesEntry(Base, "C:\\App\\f6.txt", 3, 2);
    try {
        AppendFilesEntry(Base, "C:\\App\\f7.txt", 3, 2);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The uninstall record of " + Base + " cannot take more files: its 3 Files keys hold 2 entries each");
    }
    EXPECT_FALSE(KeyExists("\\Files3"));
}

// --------------------------------------------------------- ActiveX entries

// Rule: a server is recorded under ActiveX only, with its style; the
// program style wins when both are set.
TEST_F(Record, ServersGoToActiveXWithTheirStyle) {
    TInstallFile* both = File("C:\\App", "both.exe");
    both->ComponentState.Include(csLoading);  // a stored definition may hold both
    both->SetRegisterAsActiveX_DLLStyle(true);
    both->SetRegisterAsActiveX_EXEStyle(true);
    both->ComponentState.Exclude(csLoading);
    both->WriteUninstallInfo(Base);
    File("C:\\App", "control.ocx")->WriteUninstallInfo(Base);
    EXPECT_EQ(Value("\\ActiveX", "File1"), "C:\\App\\both.exe;1");
    EXPECT_EQ(Value("\\ActiveX", "File2"), "C:\\App\\control.ocx;0");
    EXPECT_EQ(Value("\\ActiveX", "Entries"), "2");
    EXPECT_FALSE(KeyExists("\\Files"));
}

// Rule: a count that is no number is an error for ActiveX (no roll-over).
TEST_F(Record, AnActiveXCountThatIsNoNumberIsAnError) {
    RegWriteString(hkLocalMachine, Base + "\\ActiveX", "Entries", "x");
    EXPECT_THROW(File("C:\\App", "c.ocx")->WriteUninstallInfo(Base), Exception);
    EXPECT_EQ(Value("\\ActiveX", "File1"), "<none>");
}

// ------------------------------------------------------------ TUninstallEXE

// Rule: the uninstall program writes the two values the Add/Remove Programs
// list reads; its path is quoted so that blanks cannot run into the product
// name; it is never listed as a file.
TEST_F(Record, TheUninstallProgramWritesTheTopValues) {
    testkit::TTestInstallation install(&Root);
    install.Product = Product;
    TUninstallEXE uninstall(&Root);
    uninstall.SetName("Uninstall1");
    uninstall.SetFileName("uninstall.exe");
    uninstall.SetDestDirType(ddAbsolute);
    uninstall.SetDestDir("C:\\Program Files\\Vantrel Test");
    uninstall.WriteUninstallInfo(Base);
    EXPECT_EQ(Value("", "DisplayName"), Product);
    EXPECT_EQ(Value("", "UninstallString"), "\"C:\\Program Files\\Vantrel Test\\uninstall.exe\" " + Product);
    EXPECT_FALSE(KeyExists("\\Files"));
    EXPECT_FALSE(KeyExists("\\ActiveX"));
}

TEST_F(Record, TheUninstallProgramNeedsATInstall) {
    TUninstallEXE uninstall(&Root);
    uninstall.SetName("Uninstall1");
    try {
        uninstall.WriteUninstallInfo(Base);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot write installation information for Uninstall1 because there is no TInstall");
    }
    EXPECT_FALSE(KeyExists(""));
}

TEST(UninstallCommand, ThePathIsQuoted) {
    EXPECT_EQ(UninstallCommandLine("C:\\Program Files\\X\\uninstall.exe", "Product Name"),
              "\"C:\\Program Files\\X\\uninstall.exe\" Product Name");
}

// Rule: a definition can create it and sets the properties of a file.
TEST(UninstallEXEClass, PublishesWhatAnInstallFilePublishes) {
    const TClassInfo* c = FindClass("TUninstallEXE");
    ASSERT_NE(c, nullptr);
    EXPECT_NE(c->FindProp("FileName"), nullptr);
    EXPECT_NE(c->FindProp("Container"), nullptr);
    EXPECT_NE(c->FindProp("OverwriteMode"), nullptr);
}

// Rule: the product's size is what the record's files (the Files chain and
// the ActiveX servers) hold on disk; a file that is gone counts nothing,
// and a Files key after a gap in the chain is not looked at, as the
// uninstall program would not look at it either.
TEST_F(Record, TheRecordedSizeIsMeasuredOnDisk) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "vtrl_size_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    auto make = [&](const std::string& Name, size_t Size) {
        const std::string path = dir + "\\" + Name;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        std::string bytes(Size, 'x');
        DWORD written = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(Size), &written, nullptr);
        CloseHandle(h);
        return path;
    };
    AppendFilesEntry(Base, make("a.txt", 1000));
    AppendFilesEntry(Base, dir + "\\gone.txt");
    AppendNumberedEntry(Base + "\\Files1", make("b.txt", 2000));
    AppendNumberedEntry(Base + "\\Files3", make("beyond.txt", 4000));  // Files2 is missing
    AppendActiveXEntry(Base, make("s.ocx", 300), false);
    EXPECT_EQ(RecordedFilesSize(Base), 3300);
    // A record an older setup wrote on every install lists its files again
    // (in any key, any case, also as a server): each counts once.
    AppendNumberedEntry(Base + "\\Files", dir + "\\a.txt");
    AppendNumberedEntry(Base + "\\Files1", UpperCase(dir + "\\a.txt"));
    AppendNumberedEntry(Base + "\\Files", dir + "\\b.txt");
    AppendNumberedEntry(Base + "\\ActiveX", dir + "\\b.txt;1");
    AppendNumberedEntry(Base + "\\ActiveX", dir + "\\s.ocx;1");
    EXPECT_EQ(RecordedFilesSize(Base), 3300);
    for (const char* name : {"a.txt", "b.txt", "beyond.txt", "s.ocx"}) DeleteFileA((dir + "\\" + name).c_str());
    RemoveDirectoryA(dir.c_str());
    EXPECT_EQ(RecordedFilesSize(Base), 0);
}
