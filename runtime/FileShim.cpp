// The file shim's whole-file routines, written once on top of its calls.
#include "FileShim.h"

#include <algorithm>

#include "SysUtils.h"

namespace vtrl {

namespace {

[[noreturn]] void FailFile(const char* Verb, const std::string& What, const std::string& Name, int Code) {
    throw Exception(std::string(Verb) + " " + (What.empty() ? std::string() : What + " ") + Name + ": " +
                    SysErrorMessage(Code));
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

}  // namespace

bool ForceDirectories(const std::string& Dir) {
    std::vector<std::string> created;
    return ForceDirectories(Dir, created);
}

bool IsBesideName(const std::string& FileName) {
    if (FileName.size() != 12 || !SameText(FileName.substr(0, 3), "~vt") || !SameText(FileName.substr(8), ".tmp"))
        return false;
    return std::all_of(FileName.begin() + 3, FileName.begin() + 8, IsHex);
}

std::string ReadWholeFile(const std::string& Name, const std::string& What) {
    TFileHandleOwner f(FileOpenRead(Name));
    if (!f.Valid()) FailFile("Cannot open", What, Name, GetLastOSError());
    const int64_t size = FileSize(f.Get());
    if (size < 0) FailFile("Cannot read", What, Name, GetLastOSError());
    if (size > 0x7FFFFFFF) throw Exception("Cannot read " + Name + ": the file is larger than 2 GB");
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const int32_t got = FileRead(f.Get(), bytes.data() + done, static_cast<int32_t>(bytes.size() - done));
        if (got < 0) FailFile("Cannot read", What, Name, GetLastOSError());
        if (got == 0) throw Exception("Cannot read " + Name + ": the file became shorter while it was read");
        done += static_cast<size_t>(got);
    }
    return bytes;
}

void WriteWholeFile(const std::string& Name, const std::string& Bytes) {
    std::string temp;
    TFileHandleOwner f(FileCreateBeside(Name, temp));
    if (!f.Valid()) FailFile("Cannot create a file beside", "", Name, GetLastOSError());
    size_t done = 0;
    while (done < Bytes.size()) {
        const int32_t chunk = static_cast<int32_t>(std::min<size_t>(Bytes.size() - done, 1 << 20));
        if (FileWrite(f.Get(), Bytes.data() + done, chunk) != chunk) {
            const int code = GetLastOSError();
            f.Close();
            FileDelete(temp);
            FailFile("Cannot write", "", Name, code);
        }
        done += static_cast<size_t>(chunk);
    }
    if (!FileReplaceOpen(f.Release(), temp, Name)) {
        const int code = GetLastOSError();
        FileDelete(temp);
        FailFile("Cannot replace", "", Name, code);
    }
}

}  // namespace vtrl
