// Tests of the work scheduled for the next restart: the WININIT.INI section
// editing, and (in private Wine prefixes, see platform_prefix_test.sh)
// deletion and replacement at restart on the Windows 95 family and on NT.
#include "routines_RestartFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "SysUtils.h"
#include "routines_WinVersion.h"

using namespace vtrl;

// A "nul" line is added after the section's last line, so deletions queue up
// in order; blank lines and the next section stay where they were.
TEST(WininitSection, NulLinesAreAddedNotReplaced) {
    std::string ini = "[Other]\r\na=b\r\n\r\n[Rename]\r\nnul=C:\\ONE.TXT\r\n\r\n[Last]\r\nx=y\r\n";
    ini = AddProfileLine(ini, "Rename", "nul", "C:\\TWO.TXT", false);
    EXPECT_EQ(ini,
              "[Other]\r\na=b\r\n\r\n[Rename]\r\nnul=C:\\ONE.TXT\r\nnul=C:\\TWO.TXT\r\n\r\n"
              "[Last]\r\nx=y\r\n");
}

TEST(WininitSection, MissingFileOrSectionIsCreated) {
    EXPECT_EQ(AddProfileLine("", "Rename", "nul", "C:\\A.TXT", false),
              "[Rename]\r\nnul=C:\\A.TXT\r\n");
    EXPECT_EQ(AddProfileLine("[Other]\r\na=b", "Rename", "nul", "C:\\A.TXT", false),
              "[Other]\r\na=b\r\n[Rename]\r\nnul=C:\\A.TXT\r\n");
    // An empty section: the line goes right below the header.
    EXPECT_EQ(AddProfileLine("[Rename]\r\n[Next]\r\n", "Rename", "nul", "X", false),
              "[Rename]\r\nnul=X\r\n[Next]\r\n");
}

// Section names match without regard to case, also with blanks around them;
// lines written with LF only keep their line ends.
TEST(WininitSection, SectionNameIgnoresCase) {
    EXPECT_EQ(AddProfileLine(" [rename] \nnul=A\n", "Rename", "nul", "B", false),
              " [rename] \nnul=A\nnul=B\r\n");
    EXPECT_EQ(AddProfileLine("[rename]\r\nnul=A", "Rename", "nul", "B", false),
              "[rename]\r\nnul=A\r\nnul=B\r\n");
}

// A replacement of the same target keeps one line, the newest, like the
// system's profile writer; other targets get lines of their own.
TEST(WininitSection, SameTargetIsReplaced) {
    std::string ini = "[Rename]\r\nnul=C:\\OLD.TXT\r\nC:\\LIB\\MYLIB.DLL=C:\\LIB\\MYLIB.1\r\n";
    ini = AddProfileLine(ini, "Rename", "c:\\lib\\mylib.dll", "C:\\LIB\\MYLIB.2", true);
    EXPECT_EQ(ini, "[Rename]\r\nnul=C:\\OLD.TXT\r\nc:\\lib\\mylib.dll=C:\\LIB\\MYLIB.2\r\n");
    ini = AddProfileLine(ini, "Rename", "C:\\LIB\\OTHER.DLL", "C:\\LIB\\OTHER.1", true);
    EXPECT_EQ(ini,
              "[Rename]\r\nnul=C:\\OLD.TXT\r\nc:\\lib\\mylib.dll=C:\\LIB\\MYLIB.2\r\n"
              "C:\\LIB\\OTHER.DLL=C:\\LIB\\OTHER.1\r\n");
}

// Only the first section of the name is used; a same-named key in another
// section is left alone.
TEST(WininitSection, OnlyTheFirstMatchingSectionChanges) {
    std::string ini = "[Other]\r\nK=1\r\n[Rename]\r\nA=B\r\n[Rename]\r\nC=D\r\n";
    EXPECT_EQ(AddProfileLine(ini, "Rename", "K", "2", true),
              "[Other]\r\nK=1\r\n[Rename]\r\nA=B\r\nK=2\r\n[Rename]\r\nC=D\r\n");
}

TEST(ShortPath, MissingFileIsAnError) {
    try {
        GetShortPath("C:\\no such dir\\no such file.txt");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find("C:\\no such dir\\no such file.txt"), std::string::npos);
        EXPECT_NE(e.Message.find("GetShortPathName failed"), std::string::npos);
    }
}

// ------------------------------------------- in a private prefix, with restart

namespace {

const char* Phase() {
    const char* p = std::getenv("VTRL_RESTART_PHASE");
    return p ? p : "";
}

const std::string kDir = "C:\\vtrltest";
const std::string kOne = kDir + "\\Long File Name One.txt";
const std::string kTwo = kDir + "\\Second Long Name.txt";
const std::string kTarget = kDir + "\\LongTarget Library.dll";
const std::string kTemporary = kDir + "\\LongTarget Library.1";

void WriteText(const std::string& Path, const std::string& Text) {
    std::ofstream f(Path, std::ios::binary);
    f << Text;
    ASSERT_TRUE(f.good()) << Path;
}

std::string ReadText(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The strings of the NT family's list of moves at restart.
std::vector<std::string> PendingRenames() {
    char data[65536];
    DWORD size = sizeof(data);
    std::vector<std::string> items;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                     "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS)
        return items;
    std::string all(data, size);
    size_t start = 0;
    // Pairs of (source, target); an empty target is a deletion. The list
    // ends with an empty string, which the loop below drops.
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        items.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    while (!items.empty() && items.back().empty() && items.size() % 2 == 1) items.pop_back();
    return items;
}

}  // namespace

// Before the restart: two deletions and one replacement are scheduled; on the
// Windows 95 family as WININIT.INI lines with short paths, on NT as delayed moves.
TEST(RestartPrefix, ScheduleDeletionsAndAReplacement) {
    if (std::string(Phase()) != "schedule") GTEST_SKIP() << "runs in a private prefix only";
    CreateDirectoryA(kDir.c_str(), nullptr);
    WriteText(kOne, "one");
    WriteText(kTwo, "two");
    WriteText(kTarget, "old");
    WriteText(kTemporary, "new");

    DeleteAtRestart(kOne);
    DeleteAtRestart(kTwo);
    if (GetWindowsPlatform() == wpWindows95) {
        WininitRename(GetShortPath(kTarget), kTemporary);
        const std::string s1 = GetShortPath(kOne), s2 = GetShortPath(kTwo);
        EXPECT_EQ(s1.find(' '), std::string::npos) << s1;  // really the 8.3 form
        EXPECT_EQ(ReadText(WininitPath()), "[Rename]\r\nnul=" + s1 + "\r\nnul=" + s2 + "\r\n" +
                                               GetShortPath(kTarget) + "=" + kTemporary + "\r\n");
        EXPECT_TRUE(PendingRenames().empty());
        try {
            DeleteAtRestart(kDir + "\\missing.txt");
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message.rfind("Cannot schedule the deletion of " + kDir +
                                          "\\missing.txt at restart: ",
                                      0),
                      0u)
                << e.Message;
        }
    } else {
        ASSERT_TRUE(TryMoveFileAtRestart(kTemporary, kTarget));
        EXPECT_FALSE(Exists(WininitPath()));
        const std::vector<std::string> expected = {
            "\\??\\" + kOne, "", "\\??\\" + kTwo, "", "\\??\\" + kTemporary, "!\\??\\" + kTarget};
        EXPECT_EQ(PendingRenames(), expected);
    }
    // A path that cannot be scheduled is reported, on both branches.
    try {
        DeleteAtRestart("");
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message.rfind("Cannot schedule the deletion of  at restart: ", 0), 0u)
            << e.Message;
        EXPECT_NE(e.Message.find(" failed: "), std::string::npos) << e.Message;
    }
    // Nothing happens before the restart.
    EXPECT_EQ(ReadText(kOne), "one");
    EXPECT_EQ(ReadText(kTarget), "old");
}

// After `wineboot -r`: the deleted files are gone and the new file is in place.
TEST(RestartPrefix, AfterTheRestart) {
    if (std::string(Phase()) != "after") GTEST_SKIP() << "runs in a private prefix only";
    EXPECT_FALSE(Exists(kOne));
    EXPECT_FALSE(Exists(kTwo));
    EXPECT_FALSE(Exists(kTemporary));
    EXPECT_EQ(ReadText(kTarget), "new");
    EXPECT_TRUE(PendingRenames().empty());
    // WININIT.INI is done with (Wine keeps it as WININIT.BAK, as Windows 95 does).
    EXPECT_FALSE(Exists(WininitPath()));
}
