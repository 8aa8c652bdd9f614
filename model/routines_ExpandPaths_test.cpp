// Runs in a Wine prefix of its own: the cases change the special folders
// in the registry.
#include <gtest/gtest.h>

#include <windows.h>

#include "FileShim.h"
#include "model_testkit.h"
#include "routines_ExpandPaths.h"
#include "routines_Registry.h"

using namespace vtrl;
using namespace vtrl::testkit;

namespace {

const char* const ShellFolders = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const CurrentVersion = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Sets or removes one registry value for the duration of a test.
class TValueOverride {
public:
    TValueOverride(TRootKeys Root, const char* Key, const char* Name, const char* Value) : Root(Root), Key(Key), Name(Name) {
        TRegistry reg;
        SelectRootKey(reg, Root);
        if (reg.OpenKey(Key, true)) {
            Had = reg.TryReadString(Name, Old);
            if (Value) reg.WriteString(Name, Value);
            else (void)reg.DeleteValue(Name);
        }
    }
    ~TValueOverride() {
        TRegistry reg;
        SelectRootKey(reg, Root);
        if (!reg.OpenKey(Key, true)) return;
        if (Had) reg.WriteString(Name, Old);
        else (void)reg.DeleteValue(Name);
    }

private:
    TRootKeys Root;
    std::string Key, Name, Old;
    bool Had = false;
};

std::string Drive() {
    char buf[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buf);
    return std::string(buf, 2);
}

struct Paths : ::testing::Test {
    TDataModule Root{nullptr};
    TInstallFileGroup* Group = Make<TInstallFileGroup>(&Root, "Group");
    TScriptedFile* File = Make<TScriptedFile>(&Root, "File1");
};

}  // namespace

// Each anchor comes from the registry when the value is there and from its
// fallback when not; one trailing backslash is removed.
TEST_F(Paths, SpecialFoldersWithAndWithoutRegistryValues) {
    {
        TValueOverride a(hkCurrentUser, ShellFolders, "Start Menu", "C:\\SM\\");
        TValueOverride b(hkCurrentUser, ShellFolders, "Programs", "C:\\SM\\Progs");
        TValueOverride c(hkCurrentUser, ShellFolders, "Desktop", "C:\\Desk");
        TValueOverride d(hkCurrentUser, ShellFolders, "Fonts", "C:\\Fonts");
        TValueOverride e(hkCurrentUser, ShellFolders, "Startup", "C:\\Boot");
        TValueOverride f(hkLocalMachine, CurrentVersion, "ProgramFilesDir", "D:\\Apps");
        TValueOverride g(hkLocalMachine, CurrentVersion, "CommonFilesDir", "D:\\Common");
        EXPECT_EQ(StartMenuFolder(), "C:\\SM");
        EXPECT_EQ(ProgramsFolder(), "C:\\SM\\Progs");
        EXPECT_EQ(DesktopFolder(), "C:\\Desk");
        EXPECT_EQ(FontsFolder(), "C:\\Fonts");
        EXPECT_EQ(StartupFolder(), "C:\\Boot");
        EXPECT_EQ(ProgramFilesFolder(), "D:\\Apps");
        EXPECT_EQ(CommonFilesFolder(), "D:\\Common");
    }
    TValueOverride a(hkCurrentUser, ShellFolders, "Start Menu", nullptr);
    TValueOverride b(hkCurrentUser, ShellFolders, "Programs", nullptr);
    TValueOverride c(hkCurrentUser, ShellFolders, "Desktop", nullptr);
    TValueOverride d(hkCurrentUser, ShellFolders, "Fonts", nullptr);
    TValueOverride e(hkCurrentUser, ShellFolders, "Startup", nullptr);
    TValueOverride f(hkLocalMachine, CurrentVersion, "ProgramFilesDir", nullptr);
    TValueOverride g(hkLocalMachine, CurrentVersion, "CommonFilesDir", nullptr);
    EXPECT_EQ(StartMenuFolder(), WindowsDir() + "\\Startmen");
    EXPECT_EQ(ProgramsFolder(), WindowsDir() + "\\Startmen\\Programs");
    EXPECT_EQ(DesktopFolder(), WindowsDir() + "\\Desktop");
    EXPECT_EQ(FontsFolder(), SystemDir());
    EXPECT_EQ(StartupFolder(), WindowsDir() + "\\Startup");
    EXPECT_EQ(ProgramFilesFolder(), Drive() + "\\Program Files");
    EXPECT_EQ(CommonFilesFolder(), Drive() + "\\Program Files\\Common Files");

    Group->SetDestDirType(ddProgramFilesDir);
    Group->SetDestDir("\\MyApplication\\");
    EXPECT_EQ(Group->ExpandDestDir(), Drive() + "\\Program Files\\MyApplication");
}

TEST_F(Paths, EveryDestinationSpecifier) {
    TValueOverride f(hkLocalMachine, CurrentVersion, "ProgramFilesDir", "D:\\Apps");
    const std::pair<TPathSpecifiers, std::string> cases[] = {
        {ddAbsolute, "\\X"},
        {ddSystem, SystemDir() + "\\X"},
        {ddWindows, WindowsDir() + "\\X"},
        {ddProgramFilesDir, "D:\\Apps\\X"},
        {ddCommonFilesDir, CommonFilesFolder() + "\\X"},
        {ddDesktopMenuDir, DesktopFolder() + "\\X"},
        {ddProgramMenuDir, ProgramsFolder() + "\\X"},
        {ddStartMenuDir, StartMenuFolder() + "\\X"},
        {ddFontDir, FontsFolder() + "\\X"},
        {ddStartUpMenuDir, StartupFolder() + "\\X"},
    };
    for (const auto& [type, expected] : cases) {
        Group->SetDestDirType(type);
        Group->SetDestDir("\\X");
        EXPECT_EQ(Group->ExpandDestDir(), expected) << EnumInfoOf(type).Names[type];
    }
    File->SetContainer(Group);
    EXPECT_EQ(File->DestDirType(), ddContainerDestDir);
    EXPECT_EQ(File->ExpandDestDir(), Group->ExpandDestDir());  // empty DestDir: exactly the container's
    File->SetDestDir("\\Sub");
    EXPECT_EQ(File->ExpandDestDir(), Group->ExpandDestDir() + "\\Sub");
}

TEST_F(Paths, SpecifiersAreCheckedWhenSetAndWhenResolved) {
    auto message = [](auto&& f) {
        try {
            f();
        } catch (const Exception& e) {
            return std::string(e.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { Group->SetDestDirType(ddLoading); }),
              "That path specifier is not allowed for the DestDir property for Group");
    EXPECT_EQ(message([&] { File->SetDestDirType(ddContainerDestDir); }),
              "Cannot set the DestDir property of File1 because the Container property is Nil");
    EXPECT_EQ(message([&] { File->SetDestDirType(ddMainInstallDir); }),
              "Cannot set the DestDir property of File1 because there is no Install component");
    EXPECT_EQ(message([&] { File->SetArchiveFileType(ddLoading); }),
              "Cannot set the ArchiveFile property of File1 because there is not TInstall");
    EXPECT_EQ(message([&] { File->SetArchiveFileType(ddObjectLink); }),
              "That path specifier is not allowed for the ArchiveFile property for File1");
    // While loading anything is stored; it fails when resolved.
    Group->ComponentState.Include(csLoading);
    Group->SetDestDirType(ddLoading);
    Group->ComponentState.Exclude(csLoading);
    EXPECT_EQ(message([&] { Group->ExpandDestDir(); }),
              "That path specifier is not allowed for the DestDir property for Group");
    File->ComponentState.Include(csLoading);
    File->SetDestDirType(ddContainerDestDir);
    File->SetArchiveFileType(ddContainerArchiveFile);
    File->ComponentState.Exclude(csLoading);
    EXPECT_EQ(message([&] { File->ExpandDestDir(); }), "Cannot expand the DestDir of File1 because the Container is Nil");
    EXPECT_EQ(message([&] { File->ExpandArchiveFile(); }),
              "Cannot expand the ArchiveFile of File1 because the Container is Nil");
}

TEST_F(Paths, ArchiveFilesFollowTheirContainers) {
    TDataModule module(nullptr);
    TTestInstallation install(&module);
    install.LoadingDir = "E:\\Disk1";
    EXPECT_EQ(install.ExpandArchiveFile(), "E:\\Disk1\\files.1");
    Group->SetContainer(&install);
    File->SetContainer(Group);
    EXPECT_EQ(File->ExpandArchiveFile(), "E:\\Disk1\\files.1");
    Group->SetArchiveFileType(ddContainerDestDir);
    Group->SetArchiveFile("\\group.1");
    install.SetDestDirType(ddAbsolute);
    install.SetDestDir("C:\\App");
    EXPECT_EQ(File->ExpandArchiveFile(), "C:\\App\\group.1");
    File->SetDestDirType(ddMainInstallDir);
    File->SetDestDir("\\Bin");
    EXPECT_EQ(File->ExpandDestDir(), "C:\\App\\Bin");
}

// %% is a percent sign, an unknown letter goes with its percent sign, a
// percent sign at the end is dropped, and letters ignore case.
TEST_F(Paths, MetaVariables) {
    TValueOverride f(hkLocalMachine, CurrentVersion, "ProgramFilesDir", "D:\\Apps");
    File->SetContainer(Group);
    Group->SetDestDirType(ddAbsolute);
    Group->SetDestDir("C:\\G");
    EXPECT_EQ(ExpandMetaVariables("100%% sure", nullptr), "100% sure");
    EXPECT_EQ(ExpandMetaVariables("%Pand text", nullptr), "D:\\Appsand text");
    EXPECT_EQ(ExpandMetaVariables("a%qb", nullptr), "ab");
    EXPECT_EQ(ExpandMetaVariables("end%", nullptr), "end");
    EXPECT_EQ(ExpandMetaVariables("%w|%s", nullptr), WindowsDir() + "|" + SystemDir());
    EXPECT_EQ(ExpandMetaVariables("%a\\x.exe", File), "C:\\G\\x.exe");
    EXPECT_EQ(ExpandMetaVariables("%c", File), "C:\\G");
    auto fails = [](const char* text, TInstallContainer* c) {
        try {
            ExpandMetaVariables(text, c);
        } catch (const EAI& e) {
            return std::string(e.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(fails("%a", nullptr), "Cannot expand the %a meta variable because the component is Nil");
    EXPECT_EQ(fails("%c", nullptr), "Cannot expand the %c meta variable because the component is Nil");
    EXPECT_EQ(fails("%c", Group), "Cannot expand the %c meta variable because the Container property is Nil");
    EXPECT_EQ(fails("%i", nullptr), "Cannot expand the %i meta variable because there is no TInstall component");
    EXPECT_THROW(ExpandMetaVariables("%c", Group), EAICannotExpandContainerDirMV);
    EXPECT_THROW(ExpandMetaVariables("%i", nullptr), EAICannotExpandInstallDirMV);
}

// ------------------------------------------------ the folders a run makes

namespace {

// A scratch directory and the uninstall record of a scratch product, both
// removed afterwards.
struct MadeFolders : ::testing::Test {
    void SetUp() override {
        Scratch = "C:\\vtrltest\\made-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(ForceDirectories(Scratch + "\\Existing"));
        Install->Product = "Vantrel Made Folders " + std::to_string(GetCurrentProcessId());
        Base = std::string(UninstallKeyBase) + Install->Product;
        (void)TakeCreatedDirectories();
    }
    void TearDown() override {
        TRegistry reg;
        SelectRootKey(reg, hkLocalMachine);
        (void)reg.DeleteKey(Base);
        for (const char* d : {"\\New\\Deeper", "\\New", "\\Existing\\Inner", "\\Existing", "\\Other", "\\Used", ""})
            RemoveDirectoryA((Scratch + d).c_str());
    }
    std::string Folder(int N) { return RegReadString(hkLocalMachine, Base + "\\Folders", "Folder" + std::to_string(N), "-"); }
    TDataModule Root{nullptr};
    TTestInstallation* Install = Make<TTestInstallation>(&Root, "Install1");
    TScriptedFile* File = Make<TScriptedFile>(&Root, "File1");
    std::string Scratch, Base;
};

}  // namespace

// Rule: while a component is processed, the directories ForceDirectoriesOnce
// makes go to the record's Folders key as they are made, outermost first,
// so a component that then fails (or a run ended meanwhile) leaves them
// listed; a directory that existed before is never listed.
TEST_F(MadeFolders, TheFoldersAComponentMakesAreRecordedAsTheyAreMade) {
    File->OnInstall = [&](TScriptedFile&) {
        ASSERT_TRUE(ForceDirectoriesOnce(Scratch + "\\New\\Deeper\\"));
        ASSERT_TRUE(ForceDirectoriesOnce(Scratch + "\\Existing\\Inner"));
        ASSERT_TRUE(ForceDirectoriesOnce(Scratch + "\\Existing"));
    };
    File->Process();
    EXPECT_EQ(RegReadString(hkLocalMachine, Base + "\\Folders", "Entries", "-"), "3");
    EXPECT_EQ(Folder(1), Scratch + "\\New");
    EXPECT_EQ(Folder(2), Scratch + "\\New\\Deeper");
    EXPECT_EQ(Folder(3), Scratch + "\\Existing\\Inner");
    EXPECT_TRUE(TakeCreatedDirectories().empty());

    File->OnInstall = [&](TScriptedFile&) {
        ASSERT_TRUE(ForceDirectoriesOnce(Scratch + "\\Other"));
        EXPECT_EQ(Folder(4), Scratch + "\\Other") << "not recorded at once";
        throw Exception("the extraction failed");
    };
    EXPECT_THROW(File->Process(), Exception);
    EXPECT_EQ(Folder(4), Scratch + "\\Other");
}

// Rule: a component that makes no folder still leaves the Folders key,
// with "Entries" "0": the record then says the product made none.
TEST_F(MadeFolders, NoFolderMadeStillLeavesTheKey) {
    File->OnInstall = [&](TScriptedFile&) { ASSERT_TRUE(ForceDirectoriesOnce(Scratch + "\\Existing")); };
    File->Process();
    EXPECT_EQ(RegReadString(hkLocalMachine, Base + "\\Folders", "Entries", "-"), "0");
}

// Rule: the first time a run asks for an existing directory, the stale
// files of a killed run there go; a file still being written stays.
TEST_F(MadeFolders, AKilledRunsFilesGoWhenTheDirectoryIsFirstUsed) {
    // A directory no earlier test of this process asked for.
    ASSERT_TRUE(ForceDirectories(Scratch + "\\Used"));
    const std::string stale = Scratch + "\\Used\\~vt00aa1.tmp";
    FileClose(FileCreate(stale));
    std::string writing;
    TFileHandleOwner held(FileCreateBeside(Scratch + "\\Used\\x.dll", writing));
    ASSERT_TRUE(held.Valid());
    ASSERT_TRUE(ForceDirectoriesOnce(Scratch + "\\Used"));
    EXPECT_TRUE(TakeCreatedDirectories().empty());
    EXPECT_FALSE(FileExists(stale));
    EXPECT_TRUE(FileExists(writing));
    held.Close();
    FileDelete(writing);
}
