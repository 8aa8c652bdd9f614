// Tests of harvesting a folder tree into definition objects.
#include "routines_Harvest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "DefinitionText.h"

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
    void TearDown() override { fs::remove_all(Root); }
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
    fs::path Root, Dir;
};

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

}  // namespace
