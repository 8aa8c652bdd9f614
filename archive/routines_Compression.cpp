// Byte streams for the archive: handle stream and zlib compression stream.
#include "routines_Compression.h"

#include <cstdlib>
#include <cstring>
#include <zlib.h>

namespace vtrl {

namespace {

// zlib takes its memory from the program's ordinary heap.
voidpf ZAlloc(voidpf, uInt Items, uInt Size) {
    if (Size != 0 && Items > UINT32_MAX / Size) return Z_NULL;
    return std::malloc(static_cast<size_t>(Items) * Size);
}
void ZFree(voidpf, voidpf Address) { std::free(Address); }

// The zlib library version the archive format was written with; zlib only
// checks its first digit, so every later 1.x library accepts it.
constexpr const char* ZlibFormatVersion = "1.0.4";

}  // namespace

int ZlibLevel(TCompressionLevel Level) {
    switch (Level) {
    case colNone: return 0;
    case colFastest: return 1;
    case colDefault: return -1;
    case colMax: return 9;
    }
    throw Exception("");
}

// ------------------------------------------------------------ TVtrlStream

int64_t TVtrlStream::Size() {
    int64_t pos = Seek(0, soFromCurrent);
    int64_t size = Seek(0, soFromEnd);
    Seek(pos, soFromBeginning);
    return size;
}

void TVtrlStream::ReadBuffer(void* Buffer, int32_t Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError();
}

void TVtrlStream::WriteBuffer(const void* Buffer, int32_t Count) {
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError();
}

int64_t TVtrlStream::CopyFrom(TVtrlStream& Source, int64_t Count) {
    constexpr int32_t MaxBlock = 61440;
    if (Count == 0) {
        Source.Seek(0, soFromBeginning);
        Count = Source.Size();
    }
    auto buf = std::make_unique<uint8_t[]>(MaxBlock);
    int64_t done = 0;
    while (done < Count) {
        int32_t n = static_cast<int32_t>(Count - done < MaxBlock ? Count - done : MaxBlock);
        Source.ReadBuffer(buf.get(), n);
        WriteBuffer(buf.get(), n);
        done += n;
    }
    return done;
}

// ---------------------------------------------------- TVtrlNormalHandleStream

int32_t TVtrlNormalHandleStream::Read(void* Buffer, int32_t Count) {
    int32_t n = FileRead(FHandle, Buffer, Count);
    return n < 0 ? 0 : n;
}

int32_t TVtrlNormalHandleStream::Write(const void* Buffer, int32_t Count) {
    int32_t n = FileWrite(FHandle, Buffer, Count);
    return n < 0 ? 0 : n;
}

int64_t TVtrlNormalHandleStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    return FileSeek(FHandle, Offset, Origin);
}

void TVtrlNormalHandleStream::SetSize(int64_t NewSize) {
    if (Seek(NewSize, soFromBeginning) < 0 || !FileTruncate(FHandle))
        throw Exception(Fmt("System Error.  Code: %d.", GetLastOSError()));
}

// ------------------------------------------------------- TCustomZlibStream

struct TCustomZlibStream::TState {
    z_stream Z{};
};

TCustomZlibStream::TCustomZlibStream(TVtrlStream& Target)
    : FTarget(Target), FTargetPos(Target.Position()), FState(std::make_unique<TState>()),
      FBuffer(std::make_unique<uint8_t[]>(BufferSize)) {
    FState->Z.zalloc = ZAlloc;
    FState->Z.zfree = ZFree;
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
    z.zalloc = ZAlloc;
    z.zfree = ZFree;
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
