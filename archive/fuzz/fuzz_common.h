// Shared by the archive fuzz targets: each input becomes a file in a
// directory of this process, since the archive code reads files by name.
#pragma once

#include <string>
#include <unistd.h>

#include "FileShim.h"

namespace vtrl::fuzz {

inline const std::string& WorkDir() {
    static const std::string dir = [] {
        std::string d = GetTempDirectory() + "vtrl-fuzz-" + std::to_string(::getpid());
        ForceDirectories(d + "/out");
        return d;
    }();
    return dir;
}

// Writes the input as the file Name in the work directory; returns its path.
inline std::string InputFile(const uint8_t* Data, size_t Size, const std::string& Name) {
    std::string path = WorkDir() + "/" + Name;
    TFileHandleOwner f(FileCreate(path));
    if (Size) FileWrite(f.Get(), Data, static_cast<int32_t>(Size));
    return path;
}

}  // namespace vtrl::fuzz
