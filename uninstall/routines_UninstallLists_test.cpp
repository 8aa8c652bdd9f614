// Tests of the directory list, the removal order of directories, the
// progress position and the product name of the command line.
#include "routines_UninstallLists.h"

#include <gtest/gtest.h>

#include <set>

namespace vtrl {
namespace {

// Directories are upper-cased, lose one trailing backslash and are kept
// once, in the order of their first addition.
TEST(DirectoryList, FoldsCaseDropsTrailingBackslashAndDuplicates) {
    TDirectoryList l;
    EXPECT_TRUE(l.Add("C:\\Program Files\\Scratch\\"));
    EXPECT_FALSE(l.Add("c:\\program files\\scratch"));
    EXPECT_TRUE(l.Add("C:\\Program Files\\Scratch\\Sub"));
    EXPECT_FALSE(l.Add("C:\\PROGRAM FILES\\SCRATCH\\"));
    EXPECT_EQ(l.Items(), (std::vector<std::string>{"C:\\PROGRAM FILES\\SCRATCH", "C:\\PROGRAM FILES\\SCRATCH\\SUB"}));
}

TEST(DirectoryList, TakesTheDirectoryOfAFileAndIgnoresEmptyOnes) {
    TDirectoryList l;
    EXPECT_TRUE(l.AddFileDir("C:\\App\\bin\\app.exe"));
    EXPECT_FALSE(l.AddFileDir("C:\\APP\\BIN\\other.dll"));
    EXPECT_FALSE(l.AddFileDir("bare-name.txt"));
    EXPECT_FALSE(l.Add(""));
    EXPECT_EQ(l.Items(), (std::vector<std::string>{"C:\\APP\\BIN"}));
}

// Only ASCII letters are folded: bytes of other characters stay as they
// are, whatever the code page.
TEST(DirectoryList, FoldsOnlyAsciiLetters) {
    TDirectoryList l;
    l.Add("C:\\Caf\xc3\xa9");
    EXPECT_EQ(l.Items()[0], "C:\\CAF\xc3\xa9");
}

// A directory that becomes empty only after a later entry (its own
// sub-directory) is removed is removed too; a non-empty one stays, and no
// directory is tried again once removed.
TEST(RemoveListedDirectories, ParentListedBeforeItsSubDirectoryIsRemoved) {
    TDirectoryList l;
    l.Add("C:\\APP");
    l.Add("C:\\APP\\SUB");
    l.Add("C:\\KEEP");
    std::set<std::string> existing{"C:\\APP", "C:\\APP\\SUB", "C:\\KEEP"};
    std::vector<std::string> asked;
    auto removed = RemoveListedDirectories(l, [&](const std::string& d) {
        asked.push_back(d);
        if (d == "C:\\KEEP") return false;  // holds a file
        for (const std::string& e : existing)
            if (e != d && e.rfind(d + "\\", 0) == 0) return false;  // not empty
        existing.erase(d);
        return true;
    });
    EXPECT_EQ(removed, (std::vector<std::string>{"C:\\APP\\SUB", "C:\\APP"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\APP", "C:\\APP\\SUB", "C:\\KEEP", "C:\\APP", "C:\\KEEP",
                                               "C:\\KEEP"}));
}

TEST(RemoveListedDirectories, NothingRemovableEndsAfterOnePass) {
    TDirectoryList l;
    l.Add("C:\\A");
    l.Add("C:\\B");
    int calls = 0;
    EXPECT_TRUE(RemoveListedDirectories(l, [&](const std::string&) { ++calls; return false; }).empty());
    EXPECT_EQ(calls, 2);
}

// Position before entry i of n: i / (n - 1) * 100 rounded, halves to even.
TEST(ProgressPosition, RoundsHalvesToEven) {
    EXPECT_EQ(ProgressPosition(1, 9), 12);   // 12.5
    EXPECT_EQ(ProgressPosition(3, 9), 38);   // 37.5
    EXPECT_EQ(ProgressPosition(5, 9), 62);   // 62.5
    EXPECT_EQ(ProgressPosition(1, 41), 2);   // 2.5 exactly, though 1/40*100 in doubles is above it
    EXPECT_EQ(ProgressPosition(3, 41), 8);   // 7.5
    EXPECT_EQ(ProgressPosition(1, 201), 0);  // 0.5
    EXPECT_EQ(ProgressPosition(3, 201), 2);  // 1.5
}

TEST(ProgressPosition, RoundsOtherFractionsToNearest) {
    EXPECT_EQ(ProgressPosition(1, 4), 33);  // 33.33
    EXPECT_EQ(ProgressPosition(2, 4), 67);  // 66.67
    EXPECT_EQ(ProgressPosition(0, 4), 0);
    EXPECT_EQ(ProgressPosition(3, 4), 100);
}

// One entry has no divisor: the bar stands at 0.
TEST(ProgressPosition, SingleEntryIsZero) {
    EXPECT_EQ(ProgressPosition(0, 1), 0);
    EXPECT_EQ(ProgressPosition(0, 0), 0);
}

// The arguments after the program path, joined by single blanks.
TEST(ProductName, JoinsArgumentsWithSingleBlanks) {
    EXPECT_EQ(ProductNameFromArgs({"u.exe", "Scratch", "Product", "Name"}), "Scratch Product Name");
    EXPECT_EQ(ProductNameFromArgs({"u.exe", "One"}), "One");
    EXPECT_EQ(ProductNameFromArgs({"u.exe"}), "");
}

// An unquoted program path is quoted only when the command line really
// begins with it.
TEST(QuoteProgramPath, QuotesTheUnquotedProgramPath) {
    const std::string exe = "C:\\Program Files\\P\\uninstall.exe";
    EXPECT_EQ(QuoteProgramPath("C:\\Program Files\\P\\uninstall.exe Product Name", exe),
              "\"C:\\Program Files\\P\\uninstall.exe\" Product Name");
    EXPECT_EQ(QuoteProgramPath("c:\\program files\\p\\UNINSTALL.EXE", exe),
              "\"c:\\program files\\p\\UNINSTALL.EXE\"");
    EXPECT_EQ(QuoteProgramPath("\"C:\\Program Files\\P\\uninstall.exe\" X", exe),
              "\"C:\\Program Files\\P\\uninstall.exe\" X");
    EXPECT_EQ(QuoteProgramPath("C:\\Program Files\\P\\uninstall.exe2 X", exe),
              "C:\\Program Files\\P\\uninstall.exe2 X");
    EXPECT_EQ(QuoteProgramPath("uninstall.exe X", exe), "uninstall.exe X");
}

}  // namespace
}  // namespace vtrl
