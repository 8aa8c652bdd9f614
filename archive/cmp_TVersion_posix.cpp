// The version reader's platform part outside Windows: files carry no
// version resources there, so every file reads as "no version information".
#include <climits>
#include <unistd.h>

#include "cmp_TVersion.h"

namespace vtrl {

void ReadVersionResource(const std::string&, const std::string&, TVersionInfo&) {}

bool ReadVersionString(const std::string&, const std::string&) { return false; }

std::string ProgramFileName() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

}  // namespace vtrl
