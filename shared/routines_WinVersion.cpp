// The Windows platform classification, from the version information of the running system.
#include "routines_WinVersion.h"

#include <windows.h>

#include <string>

#include "SysUtils.h"

namespace vtrl {

TWindowsPlatform ClassifyWindowsPlatform(uint32_t PlatformId, uint32_t Major, uint32_t Minor) {
    switch (PlatformId) {
        case VER_PLATFORM_WIN32s: return wpWin32s;
        case VER_PLATFORM_WIN32_WINDOWS: return wpWindows95;
        case VER_PLATFORM_WIN32_NT: {
            std::string text = IntToStr(Major) + "." + IntToStr(Minor);
            return text.find("3.5") != std::string::npos ? wpWindowsNT35 : wpWindowsNT;
        }
        default: return wpOther;
    }
}

TWindowsPlatform GetWindowsPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // GetVersionEx is marked deprecated in newer SDKs because Windows 8.1 and
    // later report 6.2 to programs without a compatibility manifest. That
    // cannot change the class (every such system is NT 4 or later), and the
    // call is the only one that exists on all supported systems.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL ok = GetVersionExA(&info);
#pragma GCC diagnostic pop
    if (!ok)
        throw Exception(
            TranslateMessageText("Could not get information about the current version of Windows"));
    return ClassifyWindowsPlatform(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

}  // namespace vtrl
