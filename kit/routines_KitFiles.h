// File questions of the authoring tool (whole-file reads and writes are the
// file shim's ReadWholeFile and WriteWholeFile).
#pragma once

#include <string>

#include "FileShim.h"

namespace vtrl {

// True when A and B name the same existing file (the same path, or two
// paths of one file).
bool SameFile(const std::string& A, const std::string& B);

}  // namespace vtrl
