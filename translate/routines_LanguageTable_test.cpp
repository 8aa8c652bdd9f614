// The language table text: entries, memos, comments and the error messages.
#include "routines_LanguageTable.h"

#include <gtest/gtest.h>

#include "SysUtils.h"

using namespace vtrl;

namespace {

std::string ErrorOf(const std::vector<std::string>& Lines) {
    try {
        ParseLanguageTable(Lines);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no error";
}

}  // namespace

// Rule: a string entry is GLID;Text; the Text ends at a second ";" and keeps
// the blanks written right after the first one; lines are trimmed first.
TEST(LanguageTable, StringEntries) {
    auto t = ParseLanguageTable({"12;Click Next", "  13;Back;ignored tail  ", "14;  Indented", "-3;Minus"});
    ASSERT_EQ(t.Strings.size(), 4u);
    EXPECT_EQ(t.Strings[0].GLID, 12);
    EXPECT_EQ(t.Strings[0].Text, "Click Next");
    EXPECT_EQ(t.Strings[1].GLID, 13);
    EXPECT_EQ(t.Strings[1].Text, "Back");
    EXPECT_EQ(t.Strings[1].Line, 1);
    EXPECT_EQ(t.Strings[2].Text, "  Indented");
    EXPECT_EQ(t.Strings[3].GLID, -3);
    EXPECT_TRUE(t.Memos.empty());

    auto same = ParseLanguageTable({"12;Text;more;and more"});
    EXPECT_EQ(same.Strings[0].Text, ParseLanguageTable({"12;Text"}).Strings[0].Text);
}

// Rule: empty lines and "*" comments are skipped everywhere; line numbers
// still count them.
TEST(LanguageTable, CommentsAndEmptyLinesCountAsLines) {
    auto t = ParseLanguageTable({"* Common strings", "", "4;< Previous", "   ", "*5;not an entry", "6;Cancel"});
    ASSERT_EQ(t.Strings.size(), 2u);
    EXPECT_EQ(t.Strings[0].Line, 2);
    EXPECT_EQ(t.Strings[1].GLID, 6);
    EXPECT_EQ(t.Strings[1].Line, 5);
}

// Rule: a memo runs from "#GLID;" to "#"; inside it comments and empty
// lines are skipped, other lines are kept trimmed, and entry syntax means
// nothing. A memo open at the end of the table is dropped.
TEST(LanguageTable, Memos) {
    auto t = ParseLanguageTable({"1;One", "#5;rest is ignored", "  First line  ", "* a comment", "", "7;Second",
                                 "#", "2;Two", "#9;", "never closed"});
    ASSERT_EQ(t.Memos.size(), 1u);
    EXPECT_EQ(t.Memos[0].GLID, 5);
    EXPECT_EQ(t.Memos[0].Line, 1);
    EXPECT_EQ(t.Memos[0].Lines, (std::vector<std::string>{"First line", "7;Second"}));
    ASSERT_EQ(t.Strings.size(), 2u);
    EXPECT_EQ(t.Strings[1].Text, "Two");

    auto noSemicolon = ParseLanguageTable({"#8", "Text", "#"});
    ASSERT_EQ(noSemicolon.Memos.size(), 1u);
    EXPECT_EQ(noSemicolon.Memos[0].GLID, 8);
}

// Rule: entries stay in table order, duplicates included.
TEST(LanguageTable, DuplicatesKeepTableOrder) {
    auto t = ParseLanguageTable({"6;Cancel", "6;Abbrechen"});
    ASSERT_EQ(t.Strings.size(), 2u);
    EXPECT_EQ(t.Strings[0].Text, "Cancel");
}

// Rule: each malformed line names its 0-based index and its trimmed text.
TEST(LanguageTable, ErrorMessages) {
    EXPECT_EQ(ErrorOf({"1;One", "", "#"}), "Found the end of memo marker # at line 2. Was not in a memo however");
    EXPECT_EQ(ErrorOf({"12;   "}), "The 0'th string (12;) does not have the proper format of GLID;Text");
    EXPECT_EQ(ErrorOf({"12;;tail"}), "The 0'th string (12;;tail) does not have the proper format of GLID;Text");
    EXPECT_EQ(ErrorOf({"* x", "  ;Text  "}), "The 1'th string (;Text) does not have the proper format of GLID;Text");
    EXPECT_EQ(ErrorOf({"No separator"}),
              "The 0'th string (No separator) does not have the proper format of GLID;Text");
    EXPECT_EQ(ErrorOf({"#;"}), "The 0'th string (#;) does not have the proper format of GLID;Text");
    EXPECT_EQ(ErrorOf({"1x;Text"}),
              "The 0'th string (1x;Text) does not have the proper format of GLID;Text or .GLID;");
    EXPECT_EQ(ErrorOf({"#a;"}), "The 0'th string (#a;) does not have the proper format of GLID;Text or .GLID;");
    EXPECT_EQ(ErrorOf({"12 ;Text"}),
              "The 0'th string (12 ;Text) does not have the proper format of GLID;Text or .GLID;");
    EXPECT_EQ(ErrorOf({"$C;Hex"}), "The 0'th string ($C;Hex) does not have the proper format of GLID;Text or .GLID;");
}

// Rule: GLIDs are 32-bit; one beyond the range is no integer.
TEST(LanguageTable, GLIDRange) {
    EXPECT_EQ(ParseLanguageTable({"2147483647;Max"}).Strings[0].GLID, 2147483647);
    EXPECT_EQ(ParseLanguageTable({"-2147483648;Min"}).Strings[0].GLID, -2147483647 - 1);
    EXPECT_NE(ErrorOf({"2147483648;Over"}).find("GLID;Text or .GLID;"), std::string::npos);
    EXPECT_NE(ErrorOf({"99999999999999999999999;Over"}).find("GLID;Text or .GLID;"), std::string::npos);
}

// Rule: a Text keeps at most 255 bytes and is never cut inside a UTF-8
// sequence.
TEST(LanguageTable, LongTextIsCut) {
    std::string ascii(300, 'a');
    EXPECT_EQ(ParseLanguageTable({"1;" + ascii}).Strings[0].Text, std::string(255, 'a'));
    std::string exact(255, 'b');
    EXPECT_EQ(ParseLanguageTable({"1;" + exact}).Strings[0].Text, exact);

    // 254 ASCII bytes, then "é" (2 bytes) would end at byte 256: it goes.
    std::string accented = std::string(254, 'c') + "\xC3\xA9" + "dd";
    EXPECT_EQ(ParseLanguageTable({"1;" + accented}).Strings[0].Text, std::string(254, 'c'));
    // A 4-byte sequence straddling the limit goes whole.
    std::string emoji = std::string(253, 'e') + "\xF0\x9F\x98\x80";
    EXPECT_EQ(CutUtf8(emoji, 255), std::string(253, 'e'));
    // A sequence ending exactly at the limit stays.
    std::string fits = std::string(252, 'f') + "\xE2\x82\xAC" + "g";
    EXPECT_EQ(CutUtf8(fits, 255), std::string(252, 'f') + "\xE2\x82\xAC");
    // A Text blank up to the cut would be stored blank: an error.
    std::string late = "1;" + std::string(255, ' ') + "Late";
    EXPECT_NE(ErrorOf({"0;ok", late}).find("The 1'th string"), std::string::npos);
    // Stray continuation bytes: the byte limit holds.
    EXPECT_EQ(CutUtf8(std::string(300, '\x80'), 255).size(), 255u);
}
