// Fuzz target: reading an archive directory and looking members up.
#include "cmp_TFileHeaders.h"
#include "fuzz_common.h"

using namespace vtrl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string path = fuzz::InputFile(Data, Size, "dir.1");
    TVtrlFileStream s(FileOpenRead(path));
    TFileHeaders d;
    try {
        d.ReadFrom(s, 0);
        for (int i = 0; i < d.Count(); ++i)
            if (d.IndexOf(d.Get(i).SourcePath) > i) __builtin_trap();  // first match breaks
        int64_t full, packed;
        d.Totals(full, packed);
    } catch (const Exception&) {
    }
    return 0;
}
