// Whole-file reads and writes through the file shim.
#include "routines_KitFiles.h"

#include <filesystem>

#include "FileShim.h"

namespace vtrl {

namespace {

[[noreturn]] void FailFile(const std::string& What, const std::string& Name) {
    throw Exception(What + " " + Name + ": " + SysErrorMessage(GetLastOSError()));
}

}  // namespace

std::string ReadWholeFile(const std::string& Name) {
    TFileHandleOwner f(FileOpenRead(Name));
    if (!f.Valid()) FailFile("Cannot open", Name);
    const int64_t size = FileSize(f.Get());
    if (size < 0) FailFile("Cannot read", Name);
    if (size > 0x7FFFFFFF) throw Exception("Cannot read " + Name + ": the file is larger than 2 GB");
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const int32_t got = FileRead(f.Get(), bytes.data() + done, static_cast<int32_t>(bytes.size() - done));
        if (got < 0) FailFile("Cannot read", Name);
        if (got == 0) throw Exception("Cannot read " + Name + ": the file became shorter while it was read");
        done += static_cast<size_t>(got);
    }
    return bytes;
}

void WriteWholeFile(const std::string& Name, const std::string& Bytes) {
    std::string temp;
    TFileHandleOwner f(FileCreateBeside(Name, temp));
    if (!f.Valid()) FailFile("Cannot create a file beside", Name);
    size_t done = 0;
    while (done < Bytes.size()) {
        const int32_t chunk = static_cast<int32_t>(std::min<size_t>(Bytes.size() - done, 1 << 20));
        if (FileWrite(f.Get(), Bytes.data() + done, chunk) != chunk) {
            const int code = GetLastOSError();
            f.Close();
            FileDelete(temp);
            throw Exception("Cannot write " + Name + ": " + SysErrorMessage(code));
        }
        done += static_cast<size_t>(chunk);
    }
    if (!FileReplaceOpen(f.Release(), temp, Name)) {
        const int code = GetLastOSError();
        FileDelete(temp);
        throw Exception("Cannot replace " + Name + ": " + SysErrorMessage(code));
    }
}

bool SameFile(const std::string& A, const std::string& B) {
    if (A == B) return true;
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(A), std::filesystem::path(B), error);
}

}  // namespace vtrl
