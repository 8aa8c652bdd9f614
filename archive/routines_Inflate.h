// Inflating archive members: the zlib loop, the checks every inflated
// member passes and the name rule for what is extracted. The archive
// component and the loading program's lean unpacking share them; nothing
// here needs the component runtime.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <zlib.h>

#include "cmp_TFileHeaders.h"

namespace vtrl {

// zlib takes its memory from the program's ordinary heap; both the
// compression stream and inflating use these.
voidpf ZlibAlloc(voidpf Opaque, uInt Items, uInt Size);
void ZlibFree(voidpf Opaque, voidpf Address);
// The zlib library version the archive format was written with; zlib only
// checks its first digit, so every later 1.x library accepts it.
inline constexpr const char* ZlibFormatVersion = "1.0.4";

// Reads up to Count bytes of compressed input into Buffer; 0 when there is
// no more. Raises on a read error.
using TInflateRead = std::function<int32_t(uint8_t* Buffer, int32_t Count)>;
// Takes one block of inflated output (1 to 64 KiB).
using TInflateBlock = std::function<void(const uint8_t* Data, int32_t Count)>;

// Inflates the zlib stream that Read gives, handing the output to Block as
// it comes. EachRound, when given, runs after every round of inflating,
// before its block is handed on, and once more after the last block (a
// cancel asked for by the last block's handler is seen there). Returns
// true when the stream ended, false when the input ran out first (the
// caller decides whether that is damage). Raises ECompressionError
// ("error", zlib's reason in Detail) for damaged data, and
// EDecompressionError when zlib cannot start.
bool InflateStream(const TInflateRead& Read, const TInflateBlock& Block,
                   const std::function<void()>& EachRound = {});

// A file name that stays inside the directory it is put in: not empty,
// not "." or "..", and not a DOS device (which Windows opens wherever the
// name appears). A damaged or hostile key must not reach anything else.
bool IsPlainFileName(const std::string& Name);

// Raises EVCWrongDecompressedSize for the member Key with Cause as detail.
[[noreturn]] void RaiseWrongSize(const std::string& Key, std::string Cause);

// The size check every inflated member passes: its zlib stream ended
// (Complete) and gave exactly the Size the directory records.
void CheckInflatedSize(const TFileHeader& Entry, bool Complete, int64_t Size);

// "What failed: the system's reason", from an error number taken right
// after the failing call (later calls may change it).
std::string OSCause(const std::string& What, int Error);

}  // namespace vtrl
