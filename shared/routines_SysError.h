// Windows error texts for the messages of failures that have no message of their own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vtrl {

// The system's text for a Windows error code (GetLastError, LSTATUS), without
// the trailing line break and full stop; "error <n>" when the system has none.
std::string SysErrorMessage(uint32_t ErrorCode);

// "<What> failed: <system text> (<code>)", the tail of every message that
// reports a failed Windows call, e.g. Win32ErrorMsg("MoveFileEx", 5).
std::string Win32ErrorMsg(std::string_view What, uint32_t ErrorCode);

}  // namespace vtrl
