// Whole-file reads and writes for the authoring tool's commands.
#pragma once

#include <string>

#include "SysUtils.h"

namespace vtrl {

// The bytes of the file Name. Raises Exception naming the file and the
// system's reason when it cannot be opened or read.
std::string ReadWholeFile(const std::string& Name);

// Writes Bytes as the file Name: under a temporary name beside it first,
// which then takes Name's place in one step. On failure Name is as it was,
// the temporary file is gone, and Exception names the file and the reason.
void WriteWholeFile(const std::string& Name, const std::string& Bytes);

// True when A and B name the same existing file (the same path, or two
// paths of one file).
bool SameFile(const std::string& A, const std::string& B);

}  // namespace vtrl
