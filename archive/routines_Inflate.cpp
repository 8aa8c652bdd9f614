// Inflating archive members, shared by the archive component and the
// loading program.
#include "routines_Inflate.h"

#include <zlib.h>

#include <cstdlib>
#include <memory>

#include "exceptions_VtrlCompress.h"
#include "routines_Compression.h"

namespace vtrl {

namespace {

constexpr int32_t InflateInput = 65536;
// A 64 KiB output block (rather than 4 KiB) keeps extraction within a few
// percent of zlib's own speed: each block costs a write, a status event and
// a round of message processing. Abort is still seen once per block.
constexpr int32_t InflateOutput = 65536;

const char* ZlibCodeName(int Code) {
    switch (Code) {
    case Z_OK: return "Z_OK";
    case Z_STREAM_END: return "Z_STREAM_END";
    case Z_NEED_DICT: return "Z_NEED_DICT";
    case Z_ERRNO: return "Z_ERRNO";
    case Z_STREAM_ERROR: return "Z_STREAM_ERROR";
    case Z_DATA_ERROR: return "Z_DATA_ERROR";
    case Z_MEM_ERROR: return "Z_MEM_ERROR";
    case Z_BUF_ERROR: return "Z_BUF_ERROR";
    case Z_VERSION_ERROR: return "Z_VERSION_ERROR";
    }
    return "unknown zlib code";
}

// Damaged member data: the system's fixed "error", with zlib's reason.
[[noreturn]] void RaiseInflateError(const z_stream& Z, int Code) {
    ECompressionError e("error");
    e.Detail = std::string("zlib: ") + (Z.msg ? Z.msg : ZlibCodeName(Code));
    throw e;
}

}  // namespace

voidpf ZlibAlloc(voidpf, uInt Items, uInt Size) {
    if (Size != 0 && Items > UINT32_MAX / Size) return Z_NULL;
    return std::malloc(static_cast<size_t>(Items) * Size);
}

void ZlibFree(voidpf, voidpf Address) { std::free(Address); }

bool InflateStream(const TInflateRead& Read, const TInflateBlock& Block, const std::function<void()>& EachRound) {
    z_stream z{};
    z.zalloc = ZlibAlloc;
    z.zfree = ZlibFree;
    int init = inflateInit_(&z, ZlibFormatVersion, static_cast<int>(sizeof(z_stream)));
    if (init != Z_OK) {
        EDecompressionError e("error");
        e.Detail = std::string("zlib: ") + ZlibCodeName(init);
        throw e;
    }
    struct TEnd {
        z_stream& Z;
        ~TEnd() { inflateEnd(&Z); }
    } end{z};
    auto in = std::make_unique<uint8_t[]>(InflateInput);
    auto outBuffer = std::make_unique<uint8_t[]>(InflateOutput);
    uint8_t* out = outBuffer.get();
    bool streamEnd = false;
    for (;;) {
        z.next_out = out;
        z.avail_out = InflateOutput;
        while (z.avail_out > 0 && !streamEnd) {
            if (z.avail_in == 0) {
                int32_t n = Read(in.get(), InflateInput);
                if (n == 0) break;
                z.next_in = in.get();
                z.avail_in = static_cast<uInt>(n);
            }
            int r = inflate(&z, Z_NO_FLUSH);
            if (r == Z_STREAM_END) streamEnd = true;
            // A stream that asks for a preset dictionary (which the archive
            // never has), or one that can make no progress with input and
            // room to spare, would otherwise loop here for ever.
            else if (r == Z_NEED_DICT || (r < 0 && r != Z_BUF_ERROR) || (r == Z_BUF_ERROR && z.avail_in > 0))
                RaiseInflateError(z, r);
        }
        const int32_t produced = InflateOutput - static_cast<int32_t>(z.avail_out);
        if (EachRound) EachRound();
        if (produced == 0) return streamEnd;
        Block(out, produced);
    }
}

bool IsPlainFileName(const std::string& Name) {
    if (Name.empty() || Name == "." || Name == "..") return false;
    std::string base = UpperCase(Trim(Name.substr(0, Name.find('.'))));
    static const char* const Devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* d : Devices)
        if (base == d) return false;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '0' &&
        base[3] <= '9')
        return false;
    return true;
}

void RaiseWrongSize(const std::string& Key, std::string Cause) {
    EVCWrongDecompressedSize e(Key);
    e.Detail = std::move(Cause);
    throw e;
}

void CheckInflatedSize(const TFileHeader& Entry, bool Complete, int64_t Size) {
    if (!Complete) RaiseWrongSize(Entry.SourcePath, "the data ends before its zlib stream does");
    if (Size != Entry.UncompressedSize)
        RaiseWrongSize(Entry.SourcePath,
                       "inflated to " + IntToStr(Size) + " bytes, the directory records " +
                           IntToStr(Entry.UncompressedSize));
}

std::string OSCause(const std::string& What, int Error) { return What + ": " + SysErrorMessage(Error); }

}  // namespace vtrl
