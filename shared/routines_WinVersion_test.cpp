// Tests of the Windows platform classification: the rule on version numbers,
// and the class of the running Wine prefix.
#include "routines_WinVersion.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

using namespace vtrl;

// Platform id 0 is Win32s, 1 the Windows 95 family, 2 NT (3 when the text
// "major.minor" contains "3.5"), anything else "other".
TEST(PlatformClass, FromVersionNumbers) {
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32s, 3, 10), wpWin32s);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_WINDOWS, 4, 0), wpWindows95);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_WINDOWS, 4, 90), wpWindows95);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_NT, 3, 51), wpWindowsNT35);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_NT, 3, 50), wpWindowsNT35);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_NT, 3, 5), wpWindowsNT35);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_NT, 3, 10), wpWindowsNT);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_NT, 4, 0), wpWindowsNT);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_NT, 5, 1), wpWindowsNT);
    EXPECT_EQ(ClassifyWindowsPlatform(VER_PLATFORM_WIN32_NT, 10, 0), wpWindowsNT);
    EXPECT_EQ(ClassifyWindowsPlatform(3, 4, 0), wpOther);
    EXPECT_EQ(static_cast<int>(wpOther), 4);
}

// The class follows the Windows version of the prefix the test runs in.
// platform_prefix_test.sh sets the version of a private prefix and passes
// the class it expects in VTRL_EXPECT_PLATFORM; the shared prefix keeps
// Wine's default version, an NT one.
TEST(PlatformPrefix, ClassOfTheRunningSystem) {
    const char* expected = std::getenv("VTRL_EXPECT_PLATFORM");
    EXPECT_EQ(static_cast<int>(GetWindowsPlatform()), expected ? std::atoi(expected) : 2);
}
