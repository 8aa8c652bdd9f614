// Fuzz target: a self-extracting setup's trailer and the archive it leads to.
#include "cmp_TVtrlCompress.h"
#include "fuzz_common.h"

using namespace vtrl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string path = fuzz::InputFile(Data, Size, "setup.exe");
    try {
        TExtractionInfo x = ReadExtractionInfo(path);
        TVtrlCompress c(nullptr);
        c.FileVersion = [](const std::string&) { return std::string(); };
        c.SetCompressedFile(path);
        c.Offset = x.FilesStart;
        int n = c.EntryCount();
        for (int i = 0; i < n; ++i) {
            TlzhFileStats s;
            c.GetFileStats(i, s);
        }
    } catch (const Exception&) {
    }
    return 0;
}
