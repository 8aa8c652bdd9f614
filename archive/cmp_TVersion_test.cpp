// Tests of the version reader: the identifier and text tables everywhere,
// and real version resources (built with windres) in the Windows build.
#include "cmp_TVersion.h"

#include <gtest/gtest.h>

#include "cmp_TVtrlCompress.h"
#include "test_ArchiveHelpers.h"

namespace vtrl {
namespace {
using namespace version;

// Rule: languages map to consecutive identifiers from 0401 up to lnBahasa,
// then to the listed ones; character sets to their code pages.
TEST(VersionTables, LanguagesAndCodePages) {
    EXPECT_EQ(LanguageId(lnArabic), 0x0401);
    EXPECT_EQ(LanguageId(lnUSEnglish), 1033);
    EXPECT_EQ(LanguageId(lnBahasa), 0x0421);
    EXPECT_EQ(LanguageId(lnSimplifiedChinese), 2052);
    EXPECT_EQ(LanguageId(lnSerboCroatian), 2074);
    EXPECT_EQ(LanguageId(lnSwissFrench), 4108);
    EXPECT_EQ(CodePage(csASCII), 0);
    EXPECT_EQ(CodePage(csUnicode), 1200);
    EXPECT_EQ(CodePage(csMultilingual), 1252);
    EXPECT_EQ(CodePage(csArabic), 1256);
    EXPECT_THROW(LanguageId(static_cast<TLanguage>(lnSwissFrench + 1)), Exception);
}

TEST(VersionTables, FixedPartTexts) {
    EXPECT_EQ(FileOSText(0x10001), "Windows 3.0 or later with MS-Dos");
    EXPECT_EQ(FileOSText(0x40004), "Windows NT with 32 bit Windows");
    EXPECT_EQ(FileOSText(0x5), "Unknown");
    EXPECT_EQ(FileTypeText(7), "Static-Link Library");
    EXPECT_EQ(FileTypeText(6), "Unknown");
    EXPECT_EQ(FileSubTypeText(3, 10), "Communications");
    EXPECT_EQ(FileSubTypeText(3, 11), "Unknown");
    EXPECT_EQ(FileSubTypeText(4, 3), "TrueType");
    EXPECT_EQ(FileSubTypeText(1, 3), "");
    EXPECT_EQ(VersionNumbersText(0x00040000, 0x03B60000), "4.0.950.0");
}

TEST(VersionResource, PublishedAndMissingFile) {
    TVersionResource v(nullptr);
    v.SetFileName("no such file.dll");
    EXPECT_EQ(v.Info().FileVersion, "");
    EXPECT_EQ(v.Info().FileOS, "");
    const TClassInfo* ci = FindClass("TVersionInfo");
    ASSERT_NE(ci, nullptr);
    ASSERT_EQ(ci->Props.size(), 15u);
    EXPECT_EQ(ci->Props[0].Name, "Comment");
    EXPECT_EQ(ci->Props[14].Name, "FileSubType");
}

#ifdef _WIN32
// The test files are built beside this test, in its working directory.

TEST(VersionResource, FixedFileVersion) {
    TVersionResource v(nullptr);
    v.SetFileName("verfile_4_0_950.dll");
    EXPECT_EQ(v.Info().FileVersion, "4.0.950.0");
    EXPECT_EQ(v.Info().ProductVersion, "4.0.950.0");
    EXPECT_EQ(v.Info().FileOS, "32 bit Windows");
    EXPECT_EQ(v.Info().FileType, "Dynamic-Link Library");
    EXPECT_EQ(v.Info().FileSubType, "");
    EXPECT_EQ(v.Info().CompanyName, "Vantrel Test Works");
    EXPECT_EQ(v.Info().InternalName, "verfile");
    EXPECT_EQ(TVersionResource::FileVersionOf("verfile_4_0_950.dll"), "4.0.950.0");
    v.SetLanguage(lnGerman);
    EXPECT_EQ(v.Info().CompanyName, "") << "another language's table is not there";
    EXPECT_EQ(v.Info().FileVersion, "4.0.950.0");
}

TEST(VersionResource, ProductVersionTextWins) {
    TVersionResource v(nullptr);
    v.SetFileName("verfile_prodver.dll");
    EXPECT_EQ(v.Info().ProductVersion, "4.00");
    EXPECT_EQ(v.Info().FileVersion, "4.0.0.0") << "never taken from the strings";
    EXPECT_EQ(v.Info().FileOS, "Windows 3.0 or later with MS-Dos");
    EXPECT_EQ(v.Info().FileType, "Device Driver");
    EXPECT_EQ(v.Info().FileSubType, "Sound");
}

TEST(VersionResource, SelfRegisterAndOtherTranslation) {
    EXPECT_TRUE(TVersionResource::HasVersionString("verfile_oleself.dll", "OLESelfRegister"));
    EXPECT_FALSE(TVersionResource::HasVersionString("verfile_4_0_950.dll", "OLESelfRegister"));
    EXPECT_FALSE(TVersionResource::HasVersionString("verfile_none.dll", "OLESelfRegister"));
    TVersionResource v(nullptr);
    v.SetFileName("verfile_oleself.dll");
    EXPECT_EQ(v.Info().FileVersion, "1.2.3.4");
    EXPECT_EQ(v.Info().FileType, "Application");
    EXPECT_EQ(v.Info().CompanyName, "");
    v.SetCharacterSet(csUnicode);
    EXPECT_EQ(v.Info().CompanyName, "Vantrel Test Works");
}

TEST(VersionResource, NoVersionInformation) {
    TVersionResource v(nullptr);
    v.SetFileName("verfile_none.dll");
    EXPECT_EQ(v.Info().FileVersion, "");
    EXPECT_EQ(v.Info().FileType, "");
    EXPECT_EQ(CompareVersionTexts(TVersionResource::FileVersionOf("verfile_none.dll"), "0"), voOlder);
}

TEST(VersionResource, ArchiveStoresTheFileVersion) {
    test::TScratch s;
    TVtrlCompress c(nullptr);
    TStringList l{"verfile_4_0_950.dll", "verfile_none.dll"};
    c.SetCompressedFile(s("files.1"));
    c.SetFilesToProcess(l);
    c.CompressFiles(false);
    TlzhFileStats st;
    c.GetFileStats(0, st);
    EXPECT_EQ(st.Header.VersionText, "4.0.950.0");
    c.GetFileStats(1, st);
    EXPECT_EQ(st.Header.VersionText, "");
}

// Only executable images (and files the version API expands) can hold
// version information; anything else is answered without the API, which
// gives the same empty answer for it.
TEST(VersionResource, OnlyImagesAreAskedForTheirVersion) {
    test::TScratch s;
    test::WriteText(s("notes.dll"), "plain text that merely has a library's name");
    test::WriteText(s("stub.dll"), "MZ and nothing an image needs");
    EXPECT_FALSE(TVersionResource::MayHoldVersion(s("notes.dll")));
    EXPECT_TRUE(TVersionResource::MayHoldVersion(s("stub.dll")));
    EXPECT_TRUE(TVersionResource::MayHoldVersion("verfile_4_0_950.dll"));
    EXPECT_TRUE(TVersionResource::MayHoldVersion(s("missing.dll"))) << "the API reports what it finds";
    EXPECT_EQ(TVersionResource::FileVersionOf(s("notes.dll")), "");
    EXPECT_EQ(TVersionResource::FileVersionOf(s("stub.dll")), "");
    EXPECT_FALSE(TVersionResource::HasVersionString(s("notes.dll"), "OLESelfRegister"));
}

// A build's cache answers as the reader does, for any spelling of a path,
// and forgets when its scope closes: a later build sees a changed file.
TEST(VersionResource, TheBuildCacheAnswersAsTheReader) {
    test::TScratch s;
    test::WriteText(s("lib.dll"), "MZ");
    {
        TVersionCacheScope cache;
        EXPECT_EQ(TVersionResource::FileVersionOf("verfile_4_0_950.dll"), "4.0.950.0");
        EXPECT_EQ(TVersionResource::FileVersionOf("VERFILE_4_0_950.DLL"), "4.0.950.0");
        EXPECT_EQ(TVersionResource::FileVersionOf(s("lib.dll")), "");
    }
    test::WriteAll(s("lib.dll"), test::ReadAll("verfile_4_0_950.dll"));
    EXPECT_EQ(TVersionResource::FileVersionOf(s("lib.dll")), "4.0.950.0");
}
#endif

}  // namespace
}  // namespace vtrl
