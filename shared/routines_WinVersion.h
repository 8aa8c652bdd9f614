// The Windows platform classification: the one place where the kit decides
// which Windows it runs on (Windows 95 family, NT 4 or later, NT 3.5x, ...).
#pragma once

#include <cstdint>

namespace vtrl {

// Platform classes. The numbers are the ones the kit's branches test.
enum TWindowsPlatform : int {
    wpWin32s = 0,     // Win32s on Windows 3.x
    wpWindows95 = 1,  // Windows 95 family
    wpWindowsNT = 2,  // Windows NT 4 and later
    wpWindowsNT35 = 3,  // Windows NT 3.5x
    wpOther = 4       // any other platform id
};

// Classifies version information: platform id 0 (VER_PLATFORM_WIN32s) -> 0,
// 1 (VER_PLATFORM_WIN32_WINDOWS) -> 1, 2 (VER_PLATFORM_WIN32_NT) -> 3 when
// the version text "<major>.<minor>" contains "3.5" (3.5, 3.51), else 2
// (also for NT 3.1, whose text "3.10" does not contain "3.5"); any other id -> 4.
TWindowsPlatform ClassifyWindowsPlatform(uint32_t PlatformId, uint32_t Major, uint32_t Minor);

// The class of the running system, asked of the system (GetVersionEx) on
// every call: it is cheap, and nothing can then hold a stale answer. Raises
// Exception "Could not get information about the current version of Windows"
// when the version information cannot be read.
TWindowsPlatform GetWindowsPlatform();

}  // namespace vtrl
