// Scratch-directory removal for the archive tests (platform listing).
#include "test_ArchiveHelpers.h"

#include <filesystem>

namespace vtrl::test {

void TScratch::Remove(const std::string& Dir) {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::u8path(Dir), ec);
}

}  // namespace vtrl::test
