// The zlib compression stream of the archive and its helpers. The plain
// streams are in routines_Streams.cpp, so that a program that only reads
// archives (the loading program) does not link the compressor.
#include "routines_Compression.h"
#include "routines_Inflate.h"

#include <cstdlib>
#include <cstring>
#include <zlib.h>

namespace vtrl {

int ZlibLevel(TCompressionLevel Level) {
    switch (Level) {
    case colNone: return 0;
    case colFastest: return 1;
    case colDefault: return -1;
    case colMax: return 9;
    }
    throw Exception("");
}

// ------------------------------------------------------- TCustomZlibStream

struct TCustomZlibStream::TState {
    z_stream Z{};
};

TCustomZlibStream::TCustomZlibStream(TVtrlStream& Target)
    : FTarget(Target), FTargetPos(Target.Position()), FState(std::make_unique<TState>()),
      FBuffer(std::make_unique<uint8_t[]>(BufferSize)) {
    FState->Z.zalloc = ZlibAlloc;
    FState->Z.zfree = ZlibFree;
    FState->Z.opaque = Z_NULL;
}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::SetSize(int64_t) { throw ECompressionError("Invalid stream operation"); }

void TCustomZlibStream::Progress() {
    if (OnProgress) OnProgress(*this);
}

// ------------------------------------------------------ TCompressionStream

TCompressionStream::TCompressionStream(TCompressionLevel Level, TVtrlStream& Target) : TCustomZlibStream(Target) {
    z_stream& z = FState->Z;
    z.next_out = FBuffer.get();
    z.avail_out = BufferSize;
    if (deflateInit2_(&z, ZlibLevel(Level), Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY, ZlibFormatVersion,
                      static_cast<int>(sizeof(z_stream))) < 0)
        throw ECompressionError("error");
}

TCompressionStream::~TCompressionStream() {
    try {
        Finish();
    } catch (...) {
        // A destructor cannot report; callers that need to know call Finish.
    }
    deflateEnd(&FState->Z);
}

int32_t TCompressionStream::Read(void*, int32_t) { throw ECompressionError("Invalid stream operation"); }

void TCompressionStream::FlushBuffer(int32_t Count) {
    FTarget.WriteBuffer(FBuffer.get(), Count);
    FState->Z.next_out = FBuffer.get();
    FState->Z.avail_out = BufferSize;
    FTargetPos = FTarget.Position();
}

int32_t TCompressionStream::Write(const void* Buffer, int32_t Count) {
    if (FFinished) throw ECompressionError("Invalid stream operation");
    z_stream& z = FState->Z;
    z.next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
    z.avail_in = static_cast<uInt>(Count);
    if (FTarget.Position() != FTargetPos) FTarget.Seek(FTargetPos, soFromBeginning);
    while (z.avail_in > 0) {
        if (deflate(&z, Z_NO_FLUSH) < 0) throw ECompressionError("error");
        if (z.avail_out == 0) {
            FlushBuffer(BufferSize);
            Progress();
        }
    }
    return Count;
}

int64_t TCompressionStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    if (Offset == 0 && Origin == soFromCurrent) return static_cast<int64_t>(FState->Z.total_in);
    throw ECompressionError("Invalid stream operation");
}

void TCompressionStream::Finish() {
    if (FFinished) return;
    FFinished = true;
    z_stream& z = FState->Z;
    z.next_in = nullptr;
    z.avail_in = 0;
    if (FTarget.Position() != FTargetPos) FTarget.Seek(FTargetPos, soFromBeginning);
    for (;;) {
        int r = deflate(&z, Z_FINISH);
        if (r < 0 && r != Z_BUF_ERROR) throw ECompressionError("error");
        if (r == Z_STREAM_END || z.avail_out != 0) break;
        FlushBuffer(BufferSize);
    }
    int32_t rest = BufferSize - static_cast<int32_t>(z.avail_out);
    if (rest > 0) FlushBuffer(rest);
}

// ------------------------------------------------------------------ helpers

bool InflatedSize(const uint8_t* Data, size_t Count, int64_t& Size) {
    z_stream z{};
    z.zalloc = ZlibAlloc;
    z.zfree = ZlibFree;
    if (inflateInit_(&z, ZlibFormatVersion, static_cast<int>(sizeof(z_stream))) != Z_OK) return false;
    uint8_t out[65536];
    z.next_in = const_cast<Bytef*>(Data);
    z.avail_in = static_cast<uInt>(Count);
    int r = Z_OK;
    Size = 0;
    while (r == Z_OK) {
        z.next_out = out;
        z.avail_out = sizeof out;
        r = inflate(&z, Z_NO_FLUSH);
        Size += static_cast<int64_t>(sizeof out - z.avail_out);
        if (r == Z_BUF_ERROR && z.avail_out != 0) break;
        if (r == Z_BUF_ERROR) r = Z_OK;
    }
    inflateEnd(&z);
    return r == Z_STREAM_END;
}

}  // namespace vtrl
