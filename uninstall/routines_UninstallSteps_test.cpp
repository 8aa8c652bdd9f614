// Tests of the removal steps against a scratch uninstall record in the
// registry and scratch files; every question is answered by a responder.
#include "routines_UninstallSteps.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "Controls.h"
#include "Dialogs.h"
#include "FileShim.h"
#include "SysUtils.h"
#include "Unattended.h"
#include "routines_Registry.h"

namespace vtrl {
namespace {

class Steps : public ::testing::Test {
protected:
    void SetUp() override {
        SetSilent(true);
        const std::string unique = IntToStr(GetCurrentProcessId()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Product = "Vantrel Steps Test " + unique;
        Ctx.BaseKey = UninstallBaseKey(Product);
        Dir = AddBackSlash(GetTempDirectory()) + "vtrl-steps-" + unique;
        ASSERT_TRUE(ForceDirectories(Dir + "\\Sub"));
        SetQuestionResponder([this](const TQuestion& q) {
            Questions.push_back(q.Msg);
            return Answer;
        });
    }
    void TearDown() override {
        SetQuestionResponder(nullptr);
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        (void)reg.DeleteKey(Ctx.BaseKey);
        (void)reg.DeleteKey(TargetKey);
        if (reg.OpenKey(SharedDLLsKey, false))
            for (const std::string& p : SharedPaths) (void)reg.DeleteValue(p);
        for (const char* f : {"\\a.txt", "\\b.txt", "\\c.txt", "\\Sub\\d.txt", "\\shared.dll"})
            FileDelete(Dir + f);
        RemoveDirectoryA((Dir + "\\Sub").c_str());
        (void)reg.DeleteKey(EngineTestKey);
        (void)reg.DeleteKey(LoaderTestKey);
        RemoveTree(Dir);
    }
    // Deletes Path with everything below it (the INI tests make files and
    // directories of their own in Dir).
    static void RemoveTree(const std::string& Path) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((Path + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = fd.cFileName, p = Path + "\\" + name;
                if (name == "." || name == "..") continue;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(p);
                else DeleteFileA(p.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(Path.c_str());
    }
    // Writes Text as the whole of the file Dir\Name, making its directory.
    std::string WriteText(const std::string& Name, const std::string& Text) {
        const std::string p = Dir + "\\" + Name;
        EXPECT_TRUE(ForceDirectories(ExtractFileDir(p)));
        TFileHandle h = FileCreate(p);
        EXPECT_EQ(FileWrite(h, Text.data(), static_cast<int32_t>(Text.size())), static_cast<int32_t>(Text.size()));
        FileClose(h);
        return p;
    }
    static std::string ReadText(const std::string& Path) {
        TFileHandleOwner h(FileOpenRead(Path));
        std::string text(static_cast<size_t>(std::max<int64_t>(FileSize(h.Get()), 0)), '\0');
        if (!text.empty()) {
            EXPECT_EQ(FileRead(h.Get(), text.data(), static_cast<int32_t>(text.size())),
                      static_cast<int32_t>(text.size()));
        }
        return text;
    }
    // Records the INI file File under INIFiles\X with the entry names of
    // each section.
    void RecordIni(const std::string& X, const std::string& File,
                   const std::vector<std::pair<std::string, std::vector<std::string>>>& Sections) {
        const std::string key = Ctx.BaseKey + "\\INIFiles\\" + X;
        Write(key, "FilePath", File);
        for (const auto& [section, names] : Sections)
            for (const std::string& n : names) Write(key + "\\Entries\\" + section, n, "x");
    }
    // Section Section of File as the profile functions read it.
    static std::vector<std::string> SectionLines(const std::string& File, const std::string& Section) {
        char buf[4096];
        const DWORD n = GetPrivateProfileSectionA(Section.c_str(), buf, sizeof buf, File.c_str());
        std::vector<std::string> out;
        for (DWORD i = 0; i < n; i += static_cast<DWORD>(out.back().size()) + 1) out.emplace_back(buf + i);
        return out;
    }
    // The type and data of a value of HKEY_LOCAL_MACHINE.
    static std::string StringValue(const std::string& Key, const std::string& Name, DWORD& Type) {
        char data[256] = {};
        DWORD size = sizeof data - 1;
        Type = REG_NONE;
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key.c_str() + 1, 0, KEY_READ, &k) != ERROR_SUCCESS) return "-";
        const LSTATUS rc = RegQueryValueExA(k, Name.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(k);
        return rc == ERROR_SUCCESS ? std::string(data) : "-";
    }
    std::string MakeFile(const std::string& Name) {
        const std::string p = Dir + "\\" + Name;
        TFileHandle h = FileCreate(p);
        FileClose(h);
        return p;
    }
    void Write(const std::string& Key, const std::string& Name, const std::string& Value) {
        RegWriteString(hkLocalMachine, Key, Name, Value);
    }
    void SetCount(const std::string& Path, int32_t Count) {
        RegWriteInteger(hkLocalMachine, SharedDLLsKey, Path, Count);
        SharedPaths.push_back(Path);
    }
    bool CountOf(const std::string& Path, int32_t& Count) {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        return reg.OpenKeyReadOnly(SharedDLLsKey) && reg.TryReadInteger(Path, Count);
    }
    bool KeyExists(const std::string& Key) {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        return reg.KeyExists(Key);
    }

    // Raises unless CheckRecord refuses with exactly Expected.
    void ExpectRefused(const std::string& Name, const std::string& Expected) {
        try {
            CheckRecord(Name);
            ADD_FAILURE() << "accepted: " << Name;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), Expected);
        }
    }
    void WriteDword(const std::string& Key, const std::string& Name, DWORD Value) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, Key.c_str() + 1, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(k, Name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Value), sizeof Value),
                  ERROR_SUCCESS);
        RegCloseKey(k);
    }

    TRemovalContext Ctx;
    std::string Product;
    std::string Dir;
    std::string TargetKey = "\\Software\\Vantrel Steps Test Target " + IntToStr(GetCurrentProcessId());
    std::string EngineTestKey = "\\Software\\Vantrel Steps Test Engine " + IntToStr(GetCurrentProcessId());
    std::string LoaderTestKey = "\\Software\\Vantrel Steps Test Loader " + IntToStr(GetCurrentProcessId());
    std::vector<std::string> SharedPaths, Questions;
    int Answer = mrNo;
};

// A count of 2 or more is decremented and the file kept, without a question.
TEST_F(Steps, SharedCountAboveOneIsDecrementedAndKept) {
    const std::string p = Dir + "\\shared.dll";
    SetCount(p, 3);
    EXPECT_FALSE(SharedFileCheck(p, TMissingCount::DeleteWithoutAsking));
    int32_t c = 0;
    ASSERT_TRUE(CountOf(p, c));
    EXPECT_EQ(c, 2);
    EXPECT_TRUE(Questions.empty());
}

// A count of 1 asks with the exact question; Yes deletes the count.
TEST_F(Steps, SharedCountOneAsksAndYesDeletesTheCount) {
    const std::string p = Dir + "\\shared.dll";
    SetCount(p, 1);
    Answer = mrYes;
    EXPECT_TRUE(SharedFileCheck(p, TMissingCount::DeleteWithoutAsking));
    ASSERT_EQ(Questions.size(), 1u);
    EXPECT_EQ(Questions[0], "Uninstall has determined that the file " + p +
                                " is no longer used by an application. Is it o.k. to delete it?");
    int32_t c = 0;
    EXPECT_FALSE(CountOf(p, c));
}

TEST_F(Steps, SharedCountOneAnsweredNoKeepsFileAndCount) {
    const std::string p = Dir + "\\shared.dll";
    SetCount(p, 1);
    EXPECT_FALSE(SharedFileCheck(p, TMissingCount::DeleteWithoutAsking));
    int32_t c = 0;
    ASSERT_TRUE(CountOf(p, c));
    EXPECT_EQ(c, 1);
}

// The unattended answer keeps the file.
TEST_F(Steps, SilentDefaultKeepsTheFile) {
    SetQuestionResponder(nullptr);
    const std::string p = Dir + "\\shared.dll";
    SetCount(p, 1);
    EXPECT_FALSE(SharedFileCheck(p, TMissingCount::DeleteWithoutAsking));
}

// A removal step checks all its files through one open key: decrements,
// deletions and missing counts mix as they do one file at a time.
TEST_F(Steps, OneOpenKeyServesAWholeStep) {
    const std::string a = Dir + "\\a.dll", b = Dir + "\\b.dll", c = Dir + "\\c.dll";
    SetCount(a, 2);
    SetCount(b, 1);
    Answer = mrYes;
    TSharedFileCounts counts;
    EXPECT_FALSE(counts.Check(a, TMissingCount::DeleteWithoutAsking));
    EXPECT_TRUE(counts.Check(b, TMissingCount::DeleteWithoutAsking));
    EXPECT_TRUE(counts.Check(c, TMissingCount::DeleteWithoutAsking));
    EXPECT_TRUE(counts.Check(a, TMissingCount::DeleteWithoutAsking)) << "the count went down to 1 before";
    int32_t n = 0;
    EXPECT_FALSE(CountOf(a, n));
    EXPECT_FALSE(CountOf(b, n));
    EXPECT_EQ(Questions.size(), 2u);
}

// Without a count a listed file is ordinary (deleted unasked); an ActiveX
// server is asked about.
TEST_F(Steps, MissingCountFollowsTheStep) {
    const std::string p = Dir + "\\no-count.dll";
    EXPECT_TRUE(SharedFileCheck(p, TMissingCount::DeleteWithoutAsking));
    EXPECT_TRUE(Questions.empty());
    Answer = mrYes;
    EXPECT_TRUE(SharedFileCheck(p, TMissingCount::Ask));
    EXPECT_EQ(Questions.size(), 1u);
}

// Files, Files1 and Files2 are all processed; "Entries" is no entry; each
// key is deleted; the directories are listed; progress goes 0, 100 for two
// entries and 0 for one.
TEST_F(Steps, FilesKeysAreProcessedInTurn) {
    const std::string a = MakeFile("a.txt"), b = MakeFile("b.txt"), d = MakeFile("Sub\\d.txt");
    Write(Ctx.BaseKey + "\\Files", "File1", a);
    Write(Ctx.BaseKey + "\\Files", "File2", d);
    Write(Ctx.BaseKey + "\\Files", "Entries", "2");
    Write(Ctx.BaseKey + "\\Files1", "Entries", "0");
    Write(Ctx.BaseKey + "\\Files2", "File1", b);
    Write(Ctx.BaseKey + "\\Files2", "Entries", "1");
    std::vector<int> progress;
    Ctx.Progress = [&](int p) { progress.push_back(p); };
    EXPECT_EQ(RemoveFiles(Ctx), 3);
    EXPECT_FALSE(FileExists(a));
    EXPECT_FALSE(FileExists(b));
    EXPECT_FALSE(FileExists(d));
    EXPECT_EQ(progress, (std::vector<int>{0, 100, 0}));
    EXPECT_EQ(Ctx.Directories.Items(), (std::vector<std::string>{UpperCase(Dir), UpperCase(Dir + "\\Sub")}));
    for (const char* k : {"\\Files", "\\Files1", "\\Files2"}) EXPECT_FALSE(KeyExists(Ctx.BaseKey + k));
    EXPECT_EQ(RemoveDirectories(Ctx), 2);
    EXPECT_FALSE(DirectoryExists(Dir));
}

// Rule: a path the record lists more than once (a record an older setup
// wrote on every install; in any key, with its ASCII letters in any case)
// is handled once: a shared file's count goes down by one, a file is
// deleted once, a server is asked about once.
TEST_F(Steps, APathListedTwiceIsHandledOnce) {
    const std::string a = MakeFile("a.txt"), shared = MakeFile("shared.dll"), c = MakeFile("c.txt");
    SetCount(shared, 3);
    Write(Ctx.BaseKey + "\\Files", "File1", a);
    Write(Ctx.BaseKey + "\\Files", "File2", shared);
    Write(Ctx.BaseKey + "\\Files", "File3", a);
    Write(Ctx.BaseKey + "\\Files", "Entries", "3");
    Write(Ctx.BaseKey + "\\Files1", "File1", UpperCase(shared));
    Write(Ctx.BaseKey + "\\Files1", "Entries", "1");
    EXPECT_EQ(RemoveFiles(Ctx), 1);
    EXPECT_FALSE(FileExists(a));
    EXPECT_TRUE(FileExists(shared));
    int32_t count = 0;
    ASSERT_TRUE(CountOf(shared, count));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(Questions.empty());
    Write(Ctx.BaseKey + "\\ActiveX", "File1", c + ";0");
    Write(Ctx.BaseKey + "\\ActiveX", "File2", c + ";1");
    Answer = mrYes;
    EXPECT_EQ(RemoveActiveX(Ctx), 1);
    EXPECT_EQ(Questions.size(), 1u);
    EXPECT_FALSE(FileExists(c));
}

// A file another program holds cannot be deleted now: it is deleted at
// the next restart instead, with its directory after it, and counted, so
// that the program can say the removal finishes then. The others go now.
TEST_F(Steps, AFileInUseIsDeletedAtTheRestart) {
    const std::string a = MakeFile("a.txt"), d = MakeFile("Sub\\d.txt");
    Write(Ctx.BaseKey + "\\Files", "File1", a);
    Write(Ctx.BaseKey + "\\Files", "File2", d);
    HANDLE held = CreateFileA(d.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RemoveFiles(Ctx), 1);
    EXPECT_EQ(Ctx.LeftForRestart, 1);
    EXPECT_FALSE(FileExists(a));
    EXPECT_TRUE(FileExists(d));
    EXPECT_EQ(RemoveDirectories(Ctx), 0);
    EXPECT_EQ(ScheduleDirectoriesForRestart(Ctx), 2);
    CloseHandle(held);
    char pending[8192] = {};
    DWORD size = sizeof(pending);
    RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", "PendingFileRenameOperations",
                 RRF_RT_REG_MULTI_SZ, nullptr, pending, &size);
    std::vector<std::string> names;
    // Pairs of source and target; a deletion has an empty target.
    for (const char* p = pending; p < pending + size; p += std::strlen(p) + 1)
        if (*p) names.push_back(UpperCase(p));
    auto position = [&](const std::string& Path) {
        const auto it = std::find(names.begin(), names.end(), UpperCase("\\??\\" + Path));
        return it == names.end() ? -1 : static_cast<int>(it - names.begin());
    };
    const int file = position(d), sub = position(Dir + "\\Sub"), dir = position(Dir);
    EXPECT_GE(file, 0);
    EXPECT_GT(sub, file);  // the directory after its file, the parent after its child
    EXPECT_GT(dir, sub);
}

TEST_F(Steps, MissingFiles1StopsBeforeFiles2) {
    const std::string a = MakeFile("a.txt"), b = MakeFile("b.txt");
    Write(Ctx.BaseKey + "\\Files", "File1", a);
    Write(Ctx.BaseKey + "\\Files2", "File1", b);
    EXPECT_EQ(RemoveFiles(Ctx), 1);
    EXPECT_TRUE(FileExists(b));
    EXPECT_TRUE(KeyExists(Ctx.BaseKey + "\\Files2"));
}

// A listed file that is already gone is no error, and its directory is
// listed all the same: a removal stopped half-way may have emptied it.
TEST_F(Steps, MissingFileIsSkippedButItsDirectoryListed) {
    Write(Ctx.BaseKey + "\\Files", "File1", Dir + "\\never-there.txt");
    EXPECT_EQ(RemoveFiles(Ctx), 0);
    EXPECT_EQ(Ctx.Directories.Items(), (std::vector<std::string>{UpperCase(Dir)}));
}

// Rule: a removal run again after it was killed removes the folders the
// first run emptied (a record without a Folders key: the folders of the
// listed files, present or not).
TEST_F(Steps, ARunAgainAfterAKillRemovesTheEmptiedFolders) {
    const std::string a = MakeFile("Sub\\d.txt");
    Write(Ctx.BaseKey + "\\Files", "File1", a);
    Write(Ctx.BaseKey + "\\Files", "Entries", "1");
    ASSERT_TRUE(FileDelete(a));  // what the killed run did before it was killed
    EXPECT_EQ(RemoveFiles(Ctx), 0);
    EXPECT_EQ(RemoveDirectories(Ctx), 1);
    EXPECT_FALSE(DirectoryExists(Dir + "\\Sub"));
}

// Rule: an entry that is not a full path names nothing of the product: it
// is skipped (the file of that name in the current folder stays), its
// directory is not listed, and the rest of the key is removed as usual.
TEST_F(Steps, EntriesThatAreNotFullPathsAreSkipped) {
    const std::string mine = MakeFile("Notepad"), lnk = MakeFile("Notepad.lnk"), a = MakeFile("a.txt");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(Dir.c_str()));
    Write(Ctx.BaseKey + "\\Files", "File1", "Notepad");
    Write(Ctx.BaseKey + "\\Files", "File2", "Sub\\..\\Notepad.lnk");
    Write(Ctx.BaseKey + "\\Files", "File3", a);
    Write(Ctx.BaseKey + "\\ActiveX", "File1", "Notepad;0");
    Answer = mrYes;
    const int deleted = RemoveFiles(Ctx), servers = RemoveActiveX(Ctx);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(servers, 0);
    EXPECT_TRUE(FileExists(mine)) << "the user's own file was deleted";
    EXPECT_TRUE(FileExists(lnk));
    EXPECT_FALSE(FileExists(a));
    EXPECT_TRUE(Questions.empty());
    EXPECT_EQ(Ctx.Directories.Items(), (std::vector<std::string>{UpperCase(Dir)}));
    FileDelete(mine);
    FileDelete(lnk);
}

// Rule: with a Folders key only the folders the install made are removed,
// deepest first, whatever the removed files' folders were: a folder that
// existed before (a Start-menu folder chosen for the links) stays, even
// empty. Entries that are not full paths are skipped.
TEST_F(Steps, OnlyTheRecordedFoldersAreRemoved) {
    const std::string chosen = Dir + "\\Administrative Tools";
    ASSERT_TRUE(ForceDirectories(chosen));
    ASSERT_TRUE(ForceDirectories(Dir + "\\App\\Bin"));
    const std::string link = MakeFile("Administrative Tools\\Tool.lnk"), exe = MakeFile("App\\Bin\\tool.exe");
    Write(Ctx.BaseKey + "\\Files", "File1", link);
    Write(Ctx.BaseKey + "\\Files", "File2", exe);
    Write(Ctx.BaseKey + "\\Folders", "Entries", "3");
    Write(Ctx.BaseKey + "\\Folders", "Folder1", Dir + "\\App");
    Write(Ctx.BaseKey + "\\Folders", "Folder2", Dir + "\\App\\Bin");
    Write(Ctx.BaseKey + "\\Folders", "Folder3", "App");
    EXPECT_TRUE(ReadCreatedFolders(Ctx));
    EXPECT_EQ(Ctx.CreatedFolders.Items(),
              (std::vector<std::string>{UpperCase(Dir + "\\App\\Bin"), UpperCase(Dir + "\\App")}));
    EXPECT_EQ(RemoveFiles(Ctx), 2);
    EXPECT_EQ(RemoveDirectories(Ctx), 2);
    EXPECT_TRUE(DirectoryExists(chosen)) << "a folder that was there before the install was removed";
    EXPECT_FALSE(DirectoryExists(Dir + "\\App"));
    EXPECT_TRUE(DirectoryExists(Dir));
}

// Rule: a record without a Folders key keeps the older rule; with one
// that lists nothing, no folder is removed.
TEST_F(Steps, FoldersKeyPresentOrNot) {
    EXPECT_FALSE(ReadCreatedFolders(Ctx));
    EXPECT_FALSE(Ctx.FoldersRecorded);
    Ctx.Directories.Add(Dir + "\\Sub");
    EXPECT_EQ(&DirectoriesToRemove(Ctx), &Ctx.Directories);
    Write(Ctx.BaseKey + "\\Folders", "Entries", "0");
    EXPECT_TRUE(ReadCreatedFolders(Ctx));
    EXPECT_EQ(RemoveDirectories(Ctx), 0);
    EXPECT_TRUE(DirectoryExists(Dir + "\\Sub"));
}

// Rule: only the recorded folders are left for the restart, and a file
// in use is scheduled through the context's scheduler.
TEST_F(Steps, OnlyRecordedFoldersWaitForTheRestart) {
    const std::string d = MakeFile("Sub\\d.txt");
    Write(Ctx.BaseKey + "\\Files", "File1", d);
    Write(Ctx.BaseKey + "\\Folders", "Folder1", Dir + "\\Sub");
    std::vector<std::string> scheduled;
    Ctx.ScheduleAtRestart = [&](const std::string& P) { scheduled.push_back(P); };
    ASSERT_TRUE(ReadCreatedFolders(Ctx));
    HANDLE held = CreateFileA(d.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RemoveFiles(Ctx), 0);
    CloseHandle(held);
    EXPECT_EQ(ScheduleDirectoriesForRestart(Ctx), 1);
    EXPECT_EQ(scheduled, (std::vector<std::string>{d, UpperCase(Dir + "\\Sub")}));
}

// Rule: a folder the removal takes away loses the half-written files a
// killed install left in it first; a file being written stays (and so does
// its folder).
TEST_F(Steps, StaleTemporaryFilesGoWithTheirFolder) {
    ASSERT_TRUE(ForceDirectories(Dir + "\\Tmp"));
    const std::string stale = MakeFile("Sub\\~vt01234.tmp");
    std::string writing;
    TFileHandleOwner held(FileCreateBeside(Dir + "\\Tmp\\x.dll", writing));
    ASSERT_TRUE(held.Valid());
    Ctx.Directories.Add(Dir + "\\Sub");
    Ctx.Directories.Add(Dir + "\\Tmp");
    EXPECT_EQ(RemoveDirectories(Ctx), 1);
    EXPECT_FALSE(DirectoryExists(Dir + "\\Sub"));
    EXPECT_TRUE(FileExists(writing));
}

// Rule: the program file that can be deleted goes now; one that cannot is
// scheduled for the restart, with its folder when the install made it and
// nothing else is in it; one that can be neither stays, and the removal
// still ends with its closing message (nothing is raised).
TEST_F(Steps, TheProgramFileAtTheEnd) {
    const std::string free = MakeFile("Sub\\uninstall.exe");
    EXPECT_EQ(RemoveProgramFile(Ctx, free, "P"), "P has finished removing itself");
    EXPECT_FALSE(FileExists(free));

    const std::string running = MakeFile("Sub\\uninstall.exe");
    HANDLE held = CreateFileA(running.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::vector<std::string> scheduled;
    Ctx.ScheduleAtRestart = [&](const std::string& P) { scheduled.push_back(P); };
    Ctx.FoldersRecorded = true;
    EXPECT_EQ(RemoveProgramFile(Ctx, running, "P"),
              "The uninstallation program for P will be removed after you reboot your computer.");
    EXPECT_EQ(scheduled, (std::vector<std::string>{running})) << "a folder the install did not make";
    Ctx.CreatedFolders.Add(Dir + "\\Sub");
    scheduled.clear();
    (void)RemoveProgramFile(Ctx, running, "P");
    EXPECT_EQ(scheduled, (std::vector<std::string>{running, Dir + "\\Sub"}));

    Ctx.ScheduleAtRestart = [](const std::string& P) { throw Exception("Cannot schedule the deletion of " + P); };
    EXPECT_EQ(RemoveProgramFile(Ctx, running, "P"), "P has been removed. The uninstallation program " + running +
                                                        " could not be removed; you may delete it yourself.");
    CloseHandle(held);
    EXPECT_TRUE(FileExists(running));
    FileDelete(running);
}

TEST_F(Steps, NoFilesKeyDoesNothing) {
    EXPECT_EQ(RemoveFiles(Ctx), 0);
}

// An ActiveX entry without a count is asked about; answered Yes, the file
// goes and its directory is listed; the key is deleted.
TEST_F(Steps, ActiveXEntryWithoutCountIsAskedAbout) {
    const std::string c = MakeFile("c.txt");
    Write(Ctx.BaseKey + "\\ActiveX", "File1", c + ";0");
    Write(Ctx.BaseKey + "\\ActiveX", "Entries", "1");
    Answer = mrYes;
    EXPECT_EQ(RemoveActiveX(Ctx), 1);
    EXPECT_EQ(Questions.size(), 1u);
    EXPECT_FALSE(FileExists(c));
    EXPECT_EQ(Ctx.Directories.Items(), (std::vector<std::string>{UpperCase(Dir)}));
    EXPECT_FALSE(KeyExists(Ctx.BaseKey + "\\ActiveX"));
}

TEST_F(Steps, ActiveXEntryAnsweredNoStays) {
    const std::string c = MakeFile("c.txt");
    Write(Ctx.BaseKey + "\\ActiveX", "File1", c + ";1");
    EXPECT_EQ(RemoveActiveX(Ctx), 0);
    EXPECT_TRUE(FileExists(c));
}

// A root ordinal of 6 makes the step fail, but the other entries are
// still undone; a target key emptied by the step goes.
TEST_F(Steps, RegistryStepReportsBadRootAndGoesOn) {
    RegWriteString(hkLocalMachine, TargetKey, "Color", "Blue");
    const std::string rk = Ctx.BaseKey + "\\RegistryKeys";
    Write(rk + "\\RegistryKey1", "Key", TargetKey);
    RegWriteInteger(hkLocalMachine, rk + "\\RegistryKey1", "Root", 6);
    Write(rk + "\\RegistryKey2", "Key", TargetKey);
    RegWriteInteger(hkLocalMachine, rk + "\\RegistryKey2", "Root", 4);
    Write(rk + "\\RegistryKey2\\Entries", "Color", "Blue");
    EXPECT_FALSE(RemoveRegistryValues(Ctx));
    EXPECT_FALSE(KeyExists(TargetKey));
    EXPECT_FALSE(KeyExists(rk));
}

// Values the record does not name stay, and so does their key.
TEST_F(Steps, RegistryStepKeepsUnrecordedValues) {
    RegWriteString(hkLocalMachine, TargetKey, "Color", "Blue");
    RegWriteString(hkLocalMachine, TargetKey, "Size", "Large");
    const std::string rk = Ctx.BaseKey + "\\RegistryKeys\\RegistryKey1";
    Write(rk, "Key", TargetKey);
    RegWriteInteger(hkLocalMachine, rk, "Root", 4);
    Write(rk + "\\Entries", "Color", "Blue");
    EXPECT_TRUE(RemoveRegistryValues(Ctx));
    EXPECT_EQ(RegReadString(hkLocalMachine, TargetKey, "Size", "-"), "Large");
    EXPECT_EQ(RegReadString(hkLocalMachine, TargetKey, "Color", "-"), "-");
}

// Rule: the start-up check refuses a record it cannot follow whole, names
// the product (and the damaged value with its key), and changes nothing.
TEST_F(Steps, CheckRecordAcceptsAFollowableRecord) {
    // A record without entries (a run stopped before its first one) can
    // still be removed.
    Write(Ctx.BaseKey, "DisplayName", Product);
    EXPECT_NO_THROW(CheckRecord(Product));
    Write(Ctx.BaseKey + "\\Files", "File1", Dir + "\\a.txt");
    // "Entries" is deleted, never read: its type does not matter.
    WriteDword(Ctx.BaseKey + "\\Files", "Entries", 1);
    EXPECT_NO_THROW(CheckRecord(Product));
    EXPECT_EQ(RegReadString(hkLocalMachine, Ctx.BaseKey + "\\Files", "File1", "-"), Dir + "\\a.txt");
}

TEST_F(Steps, CheckRecordRefusesANameWithoutRecord) {
    Write(Ctx.BaseKey, "DisplayName", Product);
    ExpectRefused(Product + "x", "There is no uninstall record for the product " + Product + "x. Nothing was removed.");
    EXPECT_TRUE(KeyExists(Ctx.BaseKey));
}

// An empty name would make the Uninstall key the record; a backslash
// reaches into another product's record.
TEST_F(Steps, CheckRecordRefusesNamesThatAreNoKeyOfTheList) {
    Write(Ctx.BaseKey + "\\Files", "File1", Dir + "\\a.txt");
    ExpectRefused("", "There is no uninstall record for the product . Nothing was removed.");
    ExpectRefused("  ", "There is no uninstall record for the product   . Nothing was removed.");
    ExpectRefused(Product + "\\Files",
                  "There is no uninstall record for the product " + Product + "\\Files. Nothing was removed.");
    EXPECT_TRUE(KeyExists(Ctx.BaseKey + "\\Files"));
}

TEST_F(Steps, CheckRecordRefusesAnEntryThatIsNoString) {
    Write(Ctx.BaseKey + "\\Files", "File1", Dir + "\\a.txt");
    Write(Ctx.BaseKey + "\\Files1", "File1", Dir + "\\b.txt");
    WriteDword(Ctx.BaseKey + "\\Files1", "File2", 7);
    ExpectRefused(Product, "The uninstall record of the product " + Product +
                               " is damaged: the value \"File2\" of HKEY_LOCAL_MACHINE" + Ctx.BaseKey +
                               "\\Files1 is not a string. Nothing was removed.");
    EXPECT_EQ(RegReadString(hkLocalMachine, Ctx.BaseKey + "\\Files", "File1", "-"), Dir + "\\a.txt");
}

TEST_F(Steps, CheckRecordRefusesADamagedActiveXEntry) {
    WriteDword(Ctx.BaseKey + "\\ActiveX", "File1", 0);
    ExpectRefused(Product, "The uninstall record of the product " + Product +
                               " is damaged: the value \"File1\" of HKEY_LOCAL_MACHINE" + Ctx.BaseKey +
                               "\\ActiveX is not a string. Nothing was removed.");
}

// The removal never reaches Files2 when Files1 is missing, so neither does
// the check.
TEST_F(Steps, CheckRecordFollowsTheFilesChainAsTheRemovalDoes) {
    Write(Ctx.BaseKey + "\\Files", "File1", Dir + "\\a.txt");
    WriteDword(Ctx.BaseKey + "\\Files2", "File1", 7);
    EXPECT_NO_THROW(CheckRecord(Product));
}

// Rule: the end of a removal deletes the record whole, and a record already
// gone is no failure.
TEST_F(Steps, DeleteRecordAtEndDeletesOrFindsItGone) {
    Write(Ctx.BaseKey + "\\Files1", "Entries", "0");
    EXPECT_TRUE(DeleteRecordAtEnd(Ctx));
    EXPECT_FALSE(KeyExists(Ctx.BaseKey));
    EXPECT_FALSE(DeleteRecordAtEnd(Ctx));
}

// A record that survives its deletion is a failure naming the key and the
// cause: the program file must then stay for the record's UninstallString.
// A sub-key whose name has no UTF-8 form (a lone surrogate, written through
// the wide API) is one that the ANSI tree walk cannot delete.
TEST_F(Steps, DeleteRecordAtEndReportsARecordThatStays) {
    const std::string files = Ctx.BaseKey + "\\Files1";
    Write(files, "Entries", "0");
    HKEY parent = nullptr, child = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, files.c_str() + 1, 0, KEY_ALL_ACCESS, &parent), ERROR_SUCCESS);
    const wchar_t lone[] = {0xD800, 0};
    ASSERT_EQ(RegCreateKeyExW(parent, lone, 0, nullptr, 0, KEY_WRITE, nullptr, &child, nullptr), ERROR_SUCCESS);
    RegCloseKey(child);
    try {
        (void)DeleteRecordAtEnd(Ctx);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        const std::string m = e.what();
        EXPECT_EQ(m.rfind("The uninstall record HKEY_LOCAL_MACHINE" + Ctx.BaseKey +
                              " could not be deleted: RegDeleteKey failed: ",
                          0),
                  0u)
            << m;
    }
    EXPECT_TRUE(KeyExists(Ctx.BaseKey));
    EXPECT_EQ(RegDeleteKeyW(parent, lone), ERROR_SUCCESS);
    RegCloseKey(parent);
}

TEST_F(Steps, DeleteRecordRemovesEverythingBelow) {
    Write(Ctx.BaseKey, "DisplayName", "x");
    Write(Ctx.BaseKey + "\\INIFiles\\1", "FilePath", "C:\\x.ini");
    EXPECT_TRUE(DeleteRecord(Ctx));
    EXPECT_FALSE(KeyExists(Ctx.BaseKey));
    EXPECT_FALSE(DeleteRecord(Ctx));
}

// Rule: an INI file left without content goes, and its directory with it
// when nothing else is in it; a directory that holds more stays.
TEST_F(Steps, IniFileLeftEmptyIsDeletedWithItsDirectory) {
    const std::string alone = WriteText("Alone\\app.ini", "[Main]\r\nColor=Blue\r\nSize=2\r\n");
    const std::string shared = WriteText("Shared\\app.ini", "[Main]\r\nColor=Blue\r\n");
    WriteText("Shared\\other.txt", "kept");
    RecordIni("1", alone, {{"Main", {"Color", "Size"}}});
    RecordIni("2", shared, {{"Main", {"Color"}}});
    EXPECT_EQ(RemoveIniEntries(Ctx), 2);
    EXPECT_FALSE(FileExists(alone));
    EXPECT_FALSE(DirectoryExists(Dir + "\\Alone"));
    EXPECT_FALSE(FileExists(shared));
    EXPECT_TRUE(FileExists(Dir + "\\Shared\\other.txt"));
    EXPECT_EQ(Ctx.Directories.Items(), (std::vector<std::string>{UpperCase(Dir + "\\Alone"), UpperCase(Dir + "\\Shared")}));
    EXPECT_FALSE(KeyExists(Ctx.BaseKey + "\\INIFiles"));
}

// Rule: a file that keeps entries stays; each recorded section that lost
// an entry holds its survivors in reverse order; other sections, and a
// recorded section where nothing matched, keep their bytes.
TEST_F(Steps, IniFileKeepsOtherEntriesReversed) {
    const std::string before = "[Before]\r\nx=1\r\ny=2\r\n", after = "[After]\r\nz=3\r\n",
                      untouched = "[Untouched]\r\na=1\r\nb=2\r\n";
    const std::string ini = WriteText("app.ini", before + "[Main]\r\nk1=a\r\nOurs=1\r\nk2=b\r\nk3=c\r\n" +
                                                     untouched + "[Second]\r\np=1\r\nq=2\r\nr=3\r\n" + after);
    RecordIni("Any", ini, {{"Main", {"Ours"}}, {"Second", {"q"}}, {"Untouched", {"never"}}});
    EXPECT_EQ(RemoveIniEntries(Ctx), 1);
    EXPECT_EQ(SectionLines(ini, "Main"), (std::vector<std::string>{"k3=c", "k2=b", "k1=a"}));
    EXPECT_EQ(SectionLines(ini, "Second"), (std::vector<std::string>{"r=3", "p=1"}));
    const std::string text = ReadText(ini);
    for (const std::string& part : {before, after, untouched})
        EXPECT_NE(text.find(part), std::string::npos) << part << " not kept in:\n" << text;
    EXPECT_TRUE(Ctx.Directories.Items().empty());
    EXPECT_FALSE(KeyExists(Ctx.BaseKey + "\\INIFiles"));
    // A second run (a record written again) finds nothing more to drop and
    // leaves the order alone.
    RecordIni("Any", ini, {{"Main", {"Ours"}}});
    EXPECT_EQ(RemoveIniEntries(Ctx), 0);
    EXPECT_EQ(SectionLines(ini, "Main"), (std::vector<std::string>{"k3=c", "k2=b", "k1=a"}));
}

// Rule: names match with case and surrounding blanks ignored; a name that
// occurs twice comes back once, with the value of its first line; a line
// without "=" is kept as an entry without value.
TEST_F(Steps, IniEntryNamesMatchIgnoringCaseAndBlanks) {
    const std::string ini =
        WriteText("app.ini", "[main]\r\n  MyEntry  =  v\r\nd=first\r\nflag\r\nd=second\r\nKeep=1\r\n");
    RecordIni("1", ini, {{"MAIN", {" MYENTRY ", "keepx"}}});
    EXPECT_EQ(RemoveIniEntries(Ctx), 1);
    EXPECT_EQ(SectionLines(ini, "Main"), (std::vector<std::string>{"Keep=1", "d=first", "flag="}));
}

// Rule: a recorded file that is missing is skipped (and not created); its
// sub-key goes with INIFiles.
TEST_F(Steps, MissingIniFileIsSkipped) {
    const std::string ini = Dir + "\\never-there.ini";
    RecordIni("1", ini, {{"Main", {"Color"}}});
    EXPECT_EQ(RemoveIniEntries(Ctx), 0);
    EXPECT_FALSE(FileExists(ini));
    EXPECT_EQ(Ctx.Directories.Count(), 0);
    EXPECT_FALSE(KeyExists(Ctx.BaseKey + "\\INIFiles"));
    EXPECT_EQ(RemoveIniEntries(Ctx), 0) << "no INIFiles key";
}

// Rule: an INI file that exists but cannot be read stops the step with its
// name and the cause before anything of it changes; the record stays, and
// a later run does the work.
TEST_F(Steps, UnreadableIniFileRaisesAndStaysUnchanged) {
    const std::string content = "[Main]\r\nColor=Blue\r\nSize=2\r\n";
    const std::string ini = WriteText("held.ini", content);
    RecordIni("1", ini, {{"Main", {"Color"}}});
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        (void)RemoveIniEntries(Ctx);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        const std::string m = e.what();
        EXPECT_EQ(m.rfind("The INI file " + ini + " cannot be read: CreateFile failed: ", 0), 0u) << m;
    }
    CloseHandle(held);
    EXPECT_EQ(ReadText(ini), content);
    EXPECT_TRUE(KeyExists(Ctx.BaseKey + "\\INIFiles\\1"));
    EXPECT_EQ(RemoveIniEntries(Ctx), 1);
    EXPECT_EQ(SectionLines(ini, "Main"), (std::vector<std::string>{"Size=2"}));
}

// Rule: the engine stays while other products use it: only its use count
// goes down, written as a decimal string.
TEST_F(Steps, EngineUsedByOthersKeepsAllButItsCount) {
    const std::string cfg = WriteText("Engine\\engine.cfg", "cfg");
    Write(Ctx.BaseKey + "\\BDE", "Entries", "2");
    Write(EngineTestKey, "UseCount", "5");
    Write(EngineTestKey, "CONFIGFILE01", cfg);
    Write(LoaderTestKey, "Path", "x");
    RemoveEngineShare(Ctx, EngineTestKey, LoaderTestKey);
    DWORD type = 0;
    EXPECT_EQ(StringValue(EngineTestKey, "UseCount", type), "3");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(KeyExists(LoaderTestKey));
    EXPECT_TRUE(FileExists(cfg));
    EXPECT_EQ(Ctx.Directories.Count(), 0);
    EXPECT_TRUE(KeyExists(Ctx.BaseKey + "\\BDE"));
}

// Rule: a share that reaches the use count takes the engine: both keys and
// the configuration file go, its directory is listed; the record's BDE key
// stays for the end of the removal.
TEST_F(Steps, EngineWithoutOtherUsersGoes) {
    const std::string cfg = WriteText("Engine\\engine.cfg", "cfg");
    Write(Ctx.BaseKey + "\\BDE", "Entries", "3");
    Write(EngineTestKey, "UseCount", "2");
    Write(EngineTestKey, "CONFIGFILE01", cfg);
    Write(LoaderTestKey + "\\Sub", "Path", "x");
    RemoveEngineShare(Ctx, EngineTestKey, LoaderTestKey);
    EXPECT_FALSE(KeyExists(EngineTestKey));
    EXPECT_FALSE(KeyExists(LoaderTestKey));
    EXPECT_FALSE(FileExists(cfg));
    EXPECT_EQ(Ctx.Directories.Items(), (std::vector<std::string>{UpperCase(Dir + "\\Engine")}));
    EXPECT_TRUE(KeyExists(Ctx.BaseKey + "\\BDE"));
}

// Rule: without a recorded share nothing changes; neither does a use count
// that is no number (it proves nothing about the other users).
TEST_F(Steps, EngineStaysWithoutShareOrReadableCount) {
    Write(EngineTestKey, "UseCount", "1");
    Write(LoaderTestKey, "Path", "x");
    RemoveEngineShare(Ctx, EngineTestKey, LoaderTestKey);
    DWORD type = 0;
    EXPECT_EQ(StringValue(EngineTestKey, "UseCount", type), "1");
    Write(Ctx.BaseKey + "\\BDE", "Entries", "1");
    Write(EngineTestKey, "UseCount", "many");
    RemoveEngineShare(Ctx, EngineTestKey, LoaderTestKey);
    EXPECT_EQ(StringValue(EngineTestKey, "UseCount", type), "many");
    EXPECT_TRUE(KeyExists(LoaderTestKey));
}

// The engine's own key. Wine's prefixes register engine settings there (no
// use count), and the prefix is shared with other tests: the test only
// lowers a count it wrote and puts the value back as it was.
TEST_F(Steps, EngineStepUsesTheEngineKey) {
    DWORD type = 0;
    const std::string saved = StringValue(EngineKey, "UseCount", type);
    const DWORD savedType = type;
    const bool hadKey = KeyExists(EngineKey);
    Write(Ctx.BaseKey + "\\BDE", "Entries", "1");
    Write(EngineKey, "UseCount", "7");
    RemoveEngineShare(Ctx);
    const std::string lowered = StringValue(EngineKey, "UseCount", type);
    TRegistry reg;
    SelectRootKey(reg, hkLocalMachine);
    if (savedType == REG_SZ) {
        Write(EngineKey, "UseCount", saved);
    } else if (!hadKey) {
        (void)reg.DeleteKey(EngineKey);
    } else if (reg.OpenKey(EngineKey, false)) {
        (void)reg.DeleteValue("UseCount");
    }
    EXPECT_EQ(lowered, "6");
}

}  // namespace
}  // namespace vtrl
