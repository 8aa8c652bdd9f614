// File questions of the authoring tool.
#include "routines_KitFiles.h"

#include <filesystem>

namespace vtrl {

bool SameFile(const std::string& A, const std::string& B) {
    if (A == B) return true;
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(A), std::filesystem::path(B), error);
}

}  // namespace vtrl
