#include "SysUtils.h"

#include <gtest/gtest.h>

using namespace vtrl;

// Format follows the system's message templates: %s, %d, %x and %0.0n.
TEST(Format, SystemPlaceholders) {
    EXPECT_EQ(Fmt("Please insert disk %d", 2), "Please insert disk 2");
    EXPECT_EQ(Fmt("%s:%d", "a", -7), "a:-7");
    EXPECT_EQ(Fmt("%x", 255), "FF");
    EXPECT_EQ(Fmt("%.8x", 0xABC), "00000ABC");
    EXPECT_EQ(Fmt("%0.0n bytes", 1234567), "1,234,567 bytes");
    EXPECT_EQ(Fmt("%0.0n", 999), "999");
    EXPECT_EQ(Fmt("%0.0n", -1000), "-1,000");
    EXPECT_EQ(Fmt("100%%"), "100%");
    EXPECT_EQ(Fmt("[%5d|%-3s]", 42, "a"), "[   42|a  ]");
}

TEST(Format, MissingOrWrongArgumentIsAnError) {
    EXPECT_THROW(Fmt("%s and %s", "one"), Exception);
    EXPECT_THROW(Fmt("%d", "text"), Exception);
    EXPECT_THROW(Fmt("50%"), Exception);
}

// Tokens are 1-based; past the end a token is empty.
TEST(TextHelpers, TokensAtASeparator) {
    EXPECT_EQ(GetToken("a;b;c", ';', 1), "a");
    EXPECT_EQ(GetToken("a;b;c", ';', 3), "c");
    EXPECT_EQ(GetToken("a;b;c", ';', 4), "");
    EXPECT_EQ(GetToken("4.0.950.0", '.', 3), "950");
    EXPECT_EQ(GetToken(";x", ';', 1), "");
    EXPECT_EQ(TokenCount("a;b;c", ';'), 3);
    EXPECT_EQ(TokenCount("", ';'), 0);
    EXPECT_EQ(TokenCount("abc", ';'), 1);
}

TEST(TextHelpers, TrailingBackslash) {
    EXPECT_EQ(AddBackSlash("C:\\X"), "C:\\X\\");
    EXPECT_EQ(AddBackSlash("C:\\X\\"), "C:\\X\\");
    EXPECT_EQ(AddBackSlash(""), "");
    EXPECT_EQ(RemoveBackSlash("C:\\X\\"), "C:\\X");
    EXPECT_EQ(RemoveBackSlash("C:\\X\\\\"), "C:\\X\\");
    EXPECT_EQ(RemoveBackSlash(""), "");
}

TEST(TextHelpers, CaseFoldsAsciiOnly) {
    EXPECT_TRUE(SameText("TInstallBDE", "TINSTALLBDE"));
    EXPECT_FALSE(SameText("\xC3\xA9", "\xC3\x89"));  // é and É stay distinct
    EXPECT_LT(CompareText("abc", "ABD"), 0);
}

TEST(TextHelpers, FileNamePieces) {
    EXPECT_EQ(ExtractFileName("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ExtractFileExt("C:\\a.d\\b"), "");
    EXPECT_EQ(ChangeFileExt("\\files.lzh", ".1"), "\\files.1");
    EXPECT_EQ(ChangeFileExt("\\files", ".1"), "\\files.1");
}

// Rule: a full path is a drive letter with ":\" or a UNC path naming a
// server and a share; anything the current directory or drive completes
// is not.
TEST(TextHelpers, FullPaths) {
    for (const char* p : {"C:\\", "c:\\Program Files\\P", "Z:/tmp", "\\\\server\\share", "\\\\srv\\share\\dir\\f.txt"})
        EXPECT_TRUE(IsFullPath(p)) << p;
    for (const char* p : {"", "Notepad", "Notepad.lnk", "\\Notepad", "/Notepad", "C:", "C:Notepad", "1:\\x", "::\\x",
                          "\\\\", "\\\\server", "\\\\server\\", "\\\\\\share", ".\\Notepad", "..\\x"})
        EXPECT_FALSE(IsFullPath(p)) << p;
}

// The name a misspelling meant: one edit in a short word, a third of a
// long one, a swap of neighbours as one; nothing for a far word or an
// exact one.
TEST(TextHelpers, ClosestNameFindsWhatWasMeant) {
    const std::vector<std::string> names{"Version", "ProductName", "CompanyName", "DestDirType", "DestDir"};
    EXPECT_EQ(ClosestName("Verison", names), "Version");
    EXPECT_EQ(ClosestName("version", names), "");  // a name in another case is found as it is
    EXPECT_EQ(ClosestName("DestDirTyp", names), "DestDirType");
    EXPECT_EQ(ClosestName("DestDri", names), "DestDir");
    EXPECT_EQ(ClosestName("ProdctNme", names), "ProductName");
    EXPECT_EQ(ClosestName("Colour", names), "");
    EXPECT_EQ(ClosestName("X", {"Y", "Z"}), "");  // every letter changed is no misspelling
    EXPECT_EQ(ClosestName("", names), "");
    EXPECT_EQ(DidYouMean("Verison", names), "; did you mean Version?");
    EXPECT_EQ(DidYouMean("Colour", names), "");
}
