// The archive's plain byte streams: the stream base and the handle stream.
// Apart from the zlib streams (routines_Compression.cpp), so that reading an
// archive does not bring in the compressor.
#include <memory>

#include "routines_Compression.h"

namespace vtrl {

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
        throw Exception("System Error.  Code: " + IntToStr(GetLastOSError()) + ".");
}

}  // namespace vtrl
