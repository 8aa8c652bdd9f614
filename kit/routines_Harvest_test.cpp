// Tests of harvesting a folder tree into definition objects.
#include "routines_Harvest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "DefinitionText.h"
#include "FileShim.h"

using namespace vtrl;
namespace fs = std::filesystem;

namespace {

class HarvestTest : public ::testing::Test {
protected:
    void SetUp() override {
        Root = fs::temp_directory_path() /
               ("vtrl_harvest_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Root);
        Dir = Root / "product";
        fs::create_directories(Dir);
    }
    void TearDown() override {
        fs::current_path(Before);
        fs::remove_all(Root);
    }
    // Rel is UTF-8, as harvest reads names (a narrow path would take the
    // ANSI code page on Windows).
    void Touch(const std::string& Rel) {
        const fs::path path = Dir / fs::path(std::u8string(Rel.begin(), Rel.end()));
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }
    std::string Harvest(const THarvestOptions& O, std::vector<std::string>* Warnings = nullptr) {
        return HarvestDefinition(Dir.string(), O, Warnings);
    }
    // The file's bytes; Text written as the file.
    static std::string Read(const fs::path& File) {
        std::ifstream in(File, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(const fs::path& File, const std::string& Text) { std::ofstream(File, std::ios::binary) << Text; }
    fs::path Root, Dir, Before = fs::current_path();
};

// Text with the first From replaced by To, which must be there.
std::string Edited(std::string Text, const std::string& From, const std::string& To) {
    const size_t at = Text.find(From);
    EXPECT_NE(at, std::string::npos) << From;
    return at == std::string::npos ? Text : Text.replace(at, From.size(), To);
}

// Rule: one group for all files, in the named container; each file in it
// with its folder under the prefix joined by backslashes, files of sub
// folders with DestDir keeping the folder; sorted by relative path in byte
// order; empty folders give nothing.
TEST_F(HarvestTest, OneGroupKeepsSubFoldersInDestDir) {
    Touch("Source/VtrlLabel.pas");
    Touch("README.TXT");
    Touch("Source/Sub/b.pas");
    Touch("Source.txt");
    fs::create_directories(Dir / "Empty" / "Deeper");
    THarvestOptions o;
    o.Prefix = "P:\\";
    o.Container = "Main";
    EXPECT_EQ(Harvest(o), "object Group_product: TInstallFileGroup\n"
                          "  Container = Main\n"
                          "  GroupName = 'product'\n"
                          "  DestDirType = ddContainerDestDir\n"
                          "  ArchiveFileType = ddContainerArchiveFile\n"
                          "end\n"
                          "object File_README_TXT: TInstallFile\n"
                          "  Container = Group_product\n"
                          "  IncludeFromDir = 'P:'\n"
                          "  FileName = 'README.TXT'\n"
                          "  DestDirType = ddContainerDestDir\n"
                          "  ArchiveFileType = ddContainerArchiveFile\n"
                          "end\n"
                          "object File_Source_txt: TInstallFile\n"
                          "  Container = Group_product\n"
                          "  IncludeFromDir = 'P:'\n"
                          "  FileName = 'Source.txt'\n"
                          "  DestDirType = ddContainerDestDir\n"
                          "  ArchiveFileType = ddContainerArchiveFile\n"
                          "end\n"
                          "object File_Source_Sub_b_pas: TInstallFile\n"
                          "  Container = Group_product\n"
                          "  IncludeFromDir = 'P:\\Source\\Sub'\n"
                          "  FileName = 'b.pas'\n"
                          "  DestDir = '\\Source\\Sub'\n"
                          "  DestDirType = ddContainerDestDir\n"
                          "  ArchiveFileType = ddContainerArchiveFile\n"
                          "end\n"
                          "object File_Source_VtrlLabel_pas: TInstallFile\n"
                          "  Container = Group_product\n"
                          "  IncludeFromDir = 'P:\\Source'\n"
                          "  FileName = 'VtrlLabel.pas'\n"
                          "  DestDir = '\\Source'\n"
                          "  DestDirType = ddContainerDestDir\n"
                          "  ArchiveFileType = ddContainerArchiveFile\n"
                          "end\n");
}

// Rule: servers are written as the install registers them: an ".OCX" in
// process, a program marked OLESelfRegister as a program, a library with
// the mark in process, each counted as shared; a file that only looks like
// a program ("MZ" and nothing more) is an ordinary file.
TEST_F(HarvestTest, ServersAreMarkedForRegistration) {
    const std::string server = ReadWholeFile(std::string(VTRL_KIT_TESTDATA) + "testpe64_server.dll");
    Write(Dir / "Server.exe", server);
    Write(Dir / "Server.dll", server);
    Write(Dir / "Plain.dll", ReadWholeFile(std::string(VTRL_KIT_TESTDATA) + "testpe64.dll"));
    Write(Dir / "Short.exe", "MZ");
    Touch("Gauge.ocx");
    THarvestOptions o;
    o.Prefix = "P:\\";
    const std::string text = Harvest(o);
    auto object = [&](const std::string& Name) {
        const size_t at = text.find("object " + Name + ":");
        EXPECT_NE(at, std::string::npos) << Name;
        return at == std::string::npos ? std::string() : text.substr(at, text.find("end\n", at) - at);
    };
    const std::string dll = "  RegisterAsActiveX_DLLStyle = True\n  UpdateDLLCounter = True\n";
    const std::string exe = "  RegisterAsActiveX_EXEStyle = True\n  UpdateDLLCounter = True\n";
    EXPECT_NE(object("File_Server_exe").find(exe), std::string::npos) << text;
    EXPECT_NE(object("File_Server_dll").find(dll), std::string::npos) << text;
    EXPECT_NE(object("File_Gauge_ocx").find(dll), std::string::npos) << text;
    for (const char* plain : {"File_Plain_dll", "File_Short_exe"})
        EXPECT_EQ(object(plain).find("Register"), std::string::npos) << object(plain);
}

// Rule: with a group per folder each group sits in its parent folder's
// group with DestDir its own folder's name (so destinations add up to the
// relative path); a folder holding only folders still gets its group.
TEST_F(HarvestTest, GroupPerFolderChainsGroups) {
    Touch("a/b/c.txt");
    Touch("z.txt");
    THarvestOptions o;
    o.Prefix = "product";
    o.GroupPerFolder = true;
    o.NamePrefix = "P1_";
    std::string text = Harvest(o);
    EXPECT_EQ(text, "object P1_Group_product: TInstallFileGroup\n"
                    "  Container = Install1\n"
                    "  GroupName = 'product'\n"
                    "  DestDirType = ddContainerDestDir\n"
                    "  ArchiveFileType = ddContainerArchiveFile\n"
                    "end\n"
                    "object P1_Group_a: TInstallFileGroup\n"
                    "  Container = P1_Group_product\n"
                    "  GroupName = 'a'\n"
                    "  DestDir = '\\a'\n"
                    "  DestDirType = ddContainerDestDir\n"
                    "  ArchiveFileType = ddContainerArchiveFile\n"
                    "end\n"
                    "object P1_Group_a_b: TInstallFileGroup\n"
                    "  Container = P1_Group_a\n"
                    "  GroupName = 'a\\b'\n"
                    "  DestDir = '\\b'\n"
                    "  DestDirType = ddContainerDestDir\n"
                    "  ArchiveFileType = ddContainerArchiveFile\n"
                    "end\n"
                    "object P1_File_a_b_c_txt: TInstallFile\n"
                    "  Container = P1_Group_a_b\n"
                    "  IncludeFromDir = 'product\\a\\b'\n"
                    "  FileName = 'c.txt'\n"
                    "  DestDirType = ddContainerDestDir\n"
                    "  ArchiveFileType = ddContainerArchiveFile\n"
                    "end\n"
                    "object P1_File_z_txt: TInstallFile\n"
                    "  Container = P1_Group_product\n"
                    "  IncludeFromDir = 'product'\n"
                    "  FileName = 'z.txt'\n"
                    "  DestDirType = ddContainerDestDir\n"
                    "  ArchiveFileType = ddContainerArchiveFile\n"
                    "end\n");
    fs::remove_all(Dir);
    fs::create_directories(Dir / "empty");
    EXPECT_EQ(Harvest(o), "");
}

// Rule: names are identifiers from the relative path, unique without
// regard to case, the later path in byte order taking _2, _3; strings are
// quoted as the writer quotes them; the text is a valid list of objects to
// include.
TEST_F(HarvestTest, NamesAreStableAndTextIsIncludable) {
    Touch("a-b.txt");
    Touch("a_b.txt");
    Touch("A b.txt");
    Touch("it's \xC3\xA9t\xC3\xA9.txt");
    Touch("a_b_txt_2");
    std::string text = Harvest(THarvestOptions{});
    for (const char* name : {"object File_A_b_txt:", "object File_a_b_txt_2:", "object File_a_b_txt_3:",
                             "object File_a_b_txt_2_2:", "object File_it_s___t___txt:"})
        EXPECT_NE(text.find(name), std::string::npos) << name << "\n" << text;
    EXPECT_NE(text.find("FileName = 'it''s \xC3\xA9t\xC3\xA9.txt'"), std::string::npos);
    EXPECT_EQ(text, Harvest(THarvestOptions{}));

    std::ofstream(Root / "part.vdf", std::ios::binary) << text;
    std::ofstream(Root / "main.vdf", std::ios::binary) << "object IM: TIM\n  object Install1: TInstall\n  end\n  include 'part.vdf'\nend\n";
    std::string expanded = ExpandDefinitionIncludes((Root / "main.vdf").string());
    EXPECT_NE(expanded.find("  object File_A_b_txt: TInstallFile\n    Container = Group_product\n"), std::string::npos)
        << expanded;
}

// Rule: archive keys over 100 characters are warned about, one line each.
TEST_F(HarvestTest, LongArchiveKeysAreWarned) {
    std::string longName(90, 'n');
    Touch("deep/" + longName);
    Touch("short.txt");
    THarvestOptions o;
    o.Prefix = "C:\\src\\product";
    std::vector<std::string> warnings;
    Harvest(o, &warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "The archive key of deep/" + longName + " is 110 characters long, more than 100: C:\\src\\product\\deep\\" + longName);
}

#ifndef _WIN32
// Rule: nothing is skipped quietly: symbolic links (to files or folders)
// and special files are errors naming each; a missing folder is an error.
TEST_F(HarvestTest, LinksAndSpecialFilesAreErrors) {
    Touch("real.txt");
    fs::create_symlink(Dir / "real.txt", Dir / "link.txt");
    fs::create_directory_symlink(Root, Dir / "loop");
    try {
        Harvest(THarvestOptions{});
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Cannot harvest " + Dir.string() + ":\n  link.txt is a symbolic link\n  loop is a symbolic link");
    }
    fs::remove(Dir / "link.txt");
    fs::remove(Dir / "loop");
    ASSERT_EQ(::mkfifo((Dir / "pipe").c_str(), 0600), 0);
    EXPECT_THROW(Harvest(THarvestOptions{}), Exception);
    EXPECT_THROW(HarvestDefinition((Root / "missing").string(), THarvestOptions{}), Exception);
}

#endif

// Rule: sources are the folder relative to the definition's folder,
// however the folder is written, with '..' steps when it lies outside; the
// definition's own folder gives '.' for its files and the bare sub folder
// for the others; the top group keeps the folder's own name.
TEST_F(HarvestTest, SourcesAreRelativeToTheDefinitionsFolder) {
    Touch("bin/app.exe");
    Touch("README.TXT");
    fs::current_path(Root);
    const std::string fresh = HarvestDefinition("product", THarvestOptions{});
    EXPECT_NE(fresh.find("IncludeFromDir = 'product\\bin'\n"), std::string::npos) << fresh;
    for (const std::string& dir : {std::string("./product/"), Dir.string(), std::string("product\\")})
        EXPECT_EQ(HarvestDefinition(dir, THarvestOptions{}), fresh) << dir;

    THarvestOptions outside;
    outside.DefinitionDir = (Root / "shared" / "defs").string();
    EXPECT_EQ(HarvestDefinition("product", outside), Edited(Edited(fresh, "'product'\n  FileName", "'..\\..\\product'\n  FileName"),
                                                           "'product\\bin'", "'..\\..\\product\\bin'"));

    fs::current_path(Dir / "bin");
    THarvestOptions here;
    here.DefinitionDir = "..";
    const std::string own = HarvestDefinition("..", here);
    EXPECT_EQ(own, Edited(Edited(fresh, "'product'\n  FileName", "'.'\n  FileName"), "'product\\bin'", "'bin'"));
    here.Prefix = ".";
    here.DefinitionDir = "/elsewhere";
    EXPECT_EQ(HarvestDefinition("..", here), own);
}

// Rule: a prefix is written as given, but one that starts at no drive's
// root is refused, naming it; drive letters and servers are full paths.
TEST_F(HarvestTest, PrefixWithoutDriveIsRefused) {
    Touch("a.txt");
    THarvestOptions o;
    for (const char* prefix : {"\\tmp\\x", "/tmp/x", "\\"}) {
        o.Prefix = prefix;
        try {
            Harvest(o);
            ADD_FAILURE() << prefix;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message.find(std::string("The prefix ") + prefix + " starts at the root of no drive"), std::string::npos);
            EXPECT_NE(e.Message.find("use a relative path (product) or one with a drive letter"), std::string::npos);
        }
    }
    const std::pair<const char*, const char*> kept[] = {
        {"C:\\x\\", "C:\\x"}, {"\\\\server\\share", "\\\\server\\share"}, {"../x/", "..\\x"}};
    for (const auto& [prefix, written] : kept) {
        o.Prefix = prefix;
        EXPECT_NE(Harvest(o).find(std::string("IncludeFromDir = '") + written + "'"), std::string::npos) << prefix;
    }
}

// Rule: an update keeps the author's text of every object the harvest
// still gives (edited, added and removed properties, in the author's
// order), sets a file's IncludeFromDir and FileName again (put back when
// deleted), and writes new files in their sorted place.
TEST_F(HarvestTest, UpdateKeepsTheAuthorsEdits) {
    Touch("bin/app.exe");
    Touch("bin/tool.exe");
    THarvestOptions o;
    o.GroupPerFolder = true;
    fs::current_path(Root);
    // The author's edits of the groups, which the update keeps as they are.
    const auto groups = [](std::string Text) {
        Text = Edited(Text, "  Container = Install1\n  GroupName = 'product'\n",
                      "  Container = Install2\n  GroupName = 'The Product'\n  Description.Strings = (\n    'All of it' +\n    ' here')\n");
        return Edited(Text, "  DestDir = '\\bin'\n", "");
    };
    std::string edited = groups(HarvestDefinition("product", o));
    edited = Edited(edited, "IncludeFromDir = 'product\\bin'\n  FileName = 'app.exe'\n", "DestName = 'main.exe'\n");
    edited = Edited(edited, "IncludeFromDir = 'product\\bin'\n  FileName = 'tool.exe'\n", "IncludeFromDir = 'x'\n");
    Touch("bin/aaa.dll");
    std::vector<std::string> notes;
    const std::string updated = UpdateHarvestDefinition(edited, "files.vdf", "product", o, nullptr, &notes);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(updated, Edited(groups(HarvestDefinition("product", o)), "  FileName = 'app.exe'\n",
                              "  FileName = 'app.exe'\n  DestName = 'main.exe'\n"));
    EXPECT_LT(updated.find("File_bin_aaa_dll"), updated.find("File_bin_app_exe"));
}

// Rule: objects under harvest's names whose file or folder is gone are
// dropped with a note; the author's own objects and include lines follow
// harvest's objects in their old order, line breaks as written; a second
// update changes nothing, and an update of an unedited harvest is the
// harvest.
TEST_F(HarvestTest, UpdateDropsVanishedFilesAndKeepsTheAuthorsObjects) {
    Touch("bin/app.exe");
    Touch("old.txt");
    THarvestOptions o;
    o.GroupPerFolder = true;
    fs::current_path(Root);
    const std::string fresh = HarvestDefinition("product", o);
    EXPECT_EQ(UpdateHarvestDefinition(fresh, "files.vdf", "product", o), fresh);
    const std::string link = "object MyLink: TInstallShellLink\r\n  ObjectLink = File_bin_app_exe\r\n  object Inner: TX\r\n  end\r\nend\r\n";
    const std::string extras = "  object Group_Extras: TInstallFileGroup\n    GroupName = 'Extras'\n  end\n";
    const std::string mine = "object Group_mine: TShellLinkGroup\nend";
    const std::string old = link + fresh + "include 'more.vdf'\n" + extras + mine;
    fs::remove_all(Dir / "bin");
    fs::remove(Dir / "old.txt");
    Touch("new.txt");
    std::vector<std::string> notes;
    const std::string updated = UpdateHarvestDefinition(old, "files.vdf", "product", o, nullptr, &notes);
    EXPECT_EQ(updated, HarvestDefinition("product", o) + link + "include 'more.vdf'\n" + mine + "\n");
    EXPECT_EQ(notes, (std::vector<std::string>{"Group_bin: dropped, its folder is no longer in the tree",
                                               "File_bin_app_exe: dropped, its file is no longer in the tree",
                                               "File_old_txt: dropped, its file is no longer in the tree",
                                               "Group_Extras: dropped, its folder is no longer in the tree"}));
    EXPECT_EQ(UpdateHarvestDefinition(updated, "files.vdf", "product", o), updated);
}

// Rule: an old file that is no list of objects is an error at its line
// and column, as is a name written twice, and the file stays as it was;
// so does it when the new text cannot be written.
TEST_F(HarvestTest, UpdateFailuresLeaveTheOldFile) {
    Touch("a.txt");
    const fs::path output = Root / "files.vdf";
    const std::string file = output.string();
    const std::pair<const char*, const char*> broken[] = {
        {"object A: TX\n  Tag = =\nend\n", "(2:9): Value expected but '=' found"},
        {"object A: TX\nend\nTag = 1\n", "(3:1): 'object' or 'include' expected in an included file but identifier 'Tag' found"},
        {"object A: TX\nend\n object a: TY\nend\n", "(3:9): A component named a already exists"},
        {"object A: TX\n  S = 'x' + 1\nend\n", "(2:13): String expected after '+' but number 1 found"}};
    for (const auto& [text, where] : broken) {
        Write(output, text);
        try {
            HarvestDefinitionFile(Dir.string(), file, THarvestOptions{});
            ADD_FAILURE() << text;
        } catch (const EDefinitionError& e) {
            EXPECT_EQ(e.Message, file + where);
        }
        EXPECT_EQ(Read(output), text);
    }
    Write(output, "object MyLink: TInstallShellLink\nend\n");
    fs::create_directory(Root / "files.vdf.tmp");
    EXPECT_THROW(HarvestDefinitionFile(Dir.string(), file, THarvestOptions{}), Exception);
    EXPECT_EQ(Read(output), "object MyLink: TInstallShellLink\nend\n");
    fs::remove(Root / "files.vdf.tmp");
    EXPECT_THROW(HarvestDefinitionFile(Dir.string(), Root.string(), THarvestOptions{}), Exception);
}

// Rule: the file's sources are relative to its own folder; the file and
// its temporary file are no part of a tree that holds them.
TEST_F(HarvestTest, OutputFileIsWrittenThenUpdated) {
    Touch("a.txt");
    fs::create_directories(Root / "defs");
    HarvestDefinitionFile(Dir.string(), (Root / "defs" / "files.vdf").string(), THarvestOptions{});
    const std::string fresh = Read(Root / "defs" / "files.vdf");
    EXPECT_NE(fresh.find("IncludeFromDir = '..\\product'"), std::string::npos) << fresh;
    EXPECT_FALSE(fs::exists(Root / "defs" / "files.vdf.tmp"));
    fs::current_path(Dir);
    HarvestDefinitionFile(".", "files.vdf", THarvestOptions{});
    Write(Dir / "files.vdf.tmp", "left over");
    HarvestDefinitionFile(".", "files.vdf", THarvestOptions{});
    const std::string own = Read(Dir / "files.vdf");
    EXPECT_EQ(own, Edited(fresh, "'..\\product'", "'.'"));
}

// Rule: Windows paths compare without regard to case where the system
// does, different drives have no relative path, '..' climbs to the common
// folder.
TEST(HarvestPathTest, RelativePathsOfWindowsFolders) {
    EXPECT_EQ(RelativeHarvestPath("Z:\\tmp\\x\\product", "z:\\TMP\\X", true), "product");
    EXPECT_EQ(RelativeHarvestPath("Z:/tmp/x/product", "z:\\TMP\\X", false), std::nullopt);
    EXPECT_EQ(RelativeHarvestPath("/tmp/X/product", "/tmp/x", false), "..\\X\\product");
    EXPECT_EQ(RelativeHarvestPath("C:\\src\\shared\\product", "C:\\src\\proj\\defs\\", true), "..\\..\\shared\\product");
    EXPECT_EQ(RelativeHarvestPath("C:\\x", "c:\\x\\", true), "");
    EXPECT_EQ(RelativeHarvestPath("C:\\x", "D:\\x", true), std::nullopt);
    EXPECT_EQ(RelativeHarvestPath("\\\\srv\\share\\p", "\\\\SRV\\Share", true), "p");
    EXPECT_EQ(RelativeHarvestPath("\\\\srv\\share\\p", "\\\\srv\\other", true), std::nullopt);
}

}  // namespace
