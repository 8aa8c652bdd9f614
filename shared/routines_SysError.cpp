// Windows error texts for the messages of failures that have no message of their own.
#include "routines_SysError.h"

#include <windows.h>

#include "SysUtils.h"

namespace vtrl {

std::string SysErrorMessage(uint32_t ErrorCode) {
    char* buffer = nullptr;
    // FORMAT_MESSAGE_IGNORE_INSERTS: some system texts hold %1 placeholders
    // that would otherwise read arguments we do not pass.
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, ErrorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (n != 0 && buffer != nullptr) text.assign(buffer, n);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' ||
                             text.back() == '.'))
        text.pop_back();
    if (text.empty()) text = "error " + IntToStr(ErrorCode);
    return text;
}

std::string Win32ErrorMsg(std::string_view What, uint32_t ErrorCode) {
    return std::string(What) + " failed: " + SysErrorMessage(ErrorCode) + " (" +
           IntToStr(ErrorCode) + ")";
}

}  // namespace vtrl
