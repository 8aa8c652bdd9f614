// Byte streams for the archive: the stream base with a size query, a stream
// over a raw file handle, and the write-only zlib compression stream.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "FileShim.h"
#include "Classes.h"

namespace vtrl {

VTRL_ENUM(TCompressionLevel, colNone, colFastest, colDefault, colMax)

// zlib's level for each TCompressionLevel: 0, 1, -1 (zlib's default 6), 9.
int ZlibLevel(TCompressionLevel Level);

class EZlibError : public Exception {
public:
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
// The platform stream errors: a short write or read where all bytes were due.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
};
class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
};

// An abstract byte stream. Positions are bytes from the start.
class TVtrlStream {
public:
    virtual ~TVtrlStream() = default;
    // Return the number of bytes done; a short count is not an error here.
    virtual int32_t Read(void* Buffer, int32_t Count) = 0;
    virtual int32_t Write(const void* Buffer, int32_t Count) = 0;
    // Returns the new position, -1 on failure.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
    virtual void SetSize(int64_t NewSize) = 0;
    // The size: seeks to the end and back to where the stream was.
    virtual int64_t Size();
    int64_t Position() { return Seek(0, soFromCurrent); }
    // Reads or writes exactly Count bytes; raises EReadError / EWriteError.
    void ReadBuffer(void* Buffer, int32_t Count);
    void WriteBuffer(const void* Buffer, int32_t Count);
    // Copies Count bytes from Source (all of it from position 0 when Count
    // is 0) in blocks of at most 61440 bytes; returns the bytes copied.
    int64_t CopyFrom(TVtrlStream& Source, int64_t Count);
};

// A stream over a file handle it does not own: closing the handle is the
// creator's duty. Never raises for short counts: a short Write means the
// medium is full.
class TVtrlNormalHandleStream : public TVtrlStream {
public:
    explicit TVtrlNormalHandleStream(TFileHandle Handle) : FHandle(Handle) {}
    int32_t Read(void* Buffer, int32_t Count) override;
    int32_t Write(const void* Buffer, int32_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    // Raises Exception with the operating system's error when it fails.
    void SetSize(int64_t NewSize) override;
    TFileHandle Handle() const { return FHandle; }

private:
    TFileHandle FHandle;
};

// A file opened by name that closes itself; the handle stream of the
// archive component's own files.
class TVtrlFileStream : public TVtrlNormalHandleStream {
public:
    explicit TVtrlFileStream(TFileHandle Handle) : TVtrlNormalHandleStream(Handle), FOwner(Handle) {}

private:
    TFileHandleOwner FOwner;
};

// The zlib state shared by the compression stream; the target is not owned.
class TCustomZlibStream : public TVtrlStream {
public:
    static constexpr int32_t BufferSize = 65536;
    explicit TCustomZlibStream(TVtrlStream& Target);
    ~TCustomZlibStream() override;
    // Called once per full output buffer written to the target.
    std::function<void(TCustomZlibStream&)> OnProgress;
    void SetSize(int64_t) override;

protected:
    virtual void Progress();
    struct TState;
    TVtrlStream& FTarget;
    int64_t FTargetPos;
    std::unique_ptr<TState> FState;
    std::unique_ptr<uint8_t[]> FBuffer;
};

// Write-only deflate into a target stream. Finish (or destruction) ends the
// zlib stream; destruction swallows errors, so callers that must know call
// Finish themselves.
class TCompressionStream : public TCustomZlibStream {
public:
    // Raises ECompressionError "error" when zlib cannot start.
    TCompressionStream(TCompressionLevel Level, TVtrlStream& Target);
    ~TCompressionStream() override;
    // Raises ECompressionError "Invalid stream operation".
    int32_t Read(void* Buffer, int32_t Count) override;
    // Consumes all Count bytes; raises ECompressionError on a zlib error and
    // EWriteError when the target takes less than a full buffer.
    int32_t Write(const void* Buffer, int32_t Count) override;
    // Only Seek(0, soFromCurrent) is allowed: the input bytes consumed.
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    // Flushes the rest of the zlib stream to the target. Idempotent.
    void Finish();

private:
    void FlushBuffer(int32_t Count);
    bool FFinished = false;
};

// One inflate pass over a zlib stream held in memory: true when the data is
// a complete zlib stream, with its inflated size in Size. Used by tests,
// the archive tool and the benchmarks.
bool InflatedSize(const uint8_t* Data, size_t Count, int64_t& Size);

}  // namespace vtrl
