// Fuzz target: extracting every member of an archive (also as a disk set,
// whose further volumes are absent) into a directory of its own.
#include <filesystem>

#include "cmp_TVtrlCompress.h"
#include "fuzz_common.h"

using namespace vtrl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string path = fuzz::InputFile(Data, Size, "files.1");
    std::string out = fuzz::WorkDir() + "/out";
    TVtrlCompress c(nullptr);
    c.FileVersion = [](const std::string&) { return std::string(); };
    c.SetCompressedFile(path);
    c.ExtractDirectory = out;
    try {
        TStringList keys;
        for (int i = 0; i < c.EntryCount() && i < 64; ++i) keys.Add(c.Directory().Get(i).SourcePath);
        c.SetFilesToProcess(keys);
        c.ExtractFiles();
    } catch (const Exception&) {
    }
    try {
        for (int i = 0; i < c.Directory().Count() && i < 64; ++i) {
            try {
                c.VerifyMember(i);
            } catch (const Exception&) {
            }
        }
    } catch (const Exception&) {
    }
    // Nothing may appear beside the archive: only "out" and the input.
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(fuzz::WorkDir(), ec)) {
        std::string n = e.path().filename().string();
        if (n != "out" && n != "files.1") __builtin_trap();
    }
    std::filesystem::remove_all(out, ec);
    std::filesystem::create_directory(out, ec);
    return 0;
}
