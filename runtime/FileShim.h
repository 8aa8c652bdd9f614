// The small operating-system file shim: the only door through which the
// portable libraries (archive, parsers) reach files. One implementation
// sits on the Win32 A functions, one on POSIX.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vtrl {

// An open file; InvalidFileHandle when opening failed. Handles are plain
// values: whoever opens one closes it (TFileHandleOwner does that).
using TFileHandle = intptr_t;
inline constexpr TFileHandle InvalidFileHandle = -1;

enum TSeekOrigin : int { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// Paths are the process's ANSI bytes (UTF-8). Both '\' and '/' separate
// directories on either system: the POSIX side turns '\' into '/', so the
// Windows-style keys of the archive format work natively too.

// Opens an existing file. Reading allows others to read and write as well
// (a setup reads files that other programs hold open); ReadWrite allows
// others to read. Returns InvalidFileHandle on failure.
TFileHandle FileOpenRead(const std::string& Name);
TFileHandle FileOpenReadWrite(const std::string& Name);
// Creates a file, truncating an existing one; opened for reading and writing.
TFileHandle FileCreate(const std::string& Name);
void FileClose(TFileHandle H);

// Reads or writes up to Count bytes; returns the count done, -1 on failure.
// A short write count means the medium is full.
int32_t FileRead(TFileHandle H, void* Buffer, int32_t Count);
int32_t FileWrite(TFileHandle H, const void* Buffer, int32_t Count);
// Moves the file position; returns the new position, -1 on failure.
int64_t FileSeek(TFileHandle H, int64_t Offset, TSeekOrigin Origin);
// The size in bytes, -1 on failure. The position is left unchanged.
int64_t FileSize(TFileHandle H);
// Sets the end of the file at the current position.
bool FileTruncate(TFileHandle H);

// Last-write date and time in the DOS format (date in the high 16 bits,
// time in the low 16 bits, local time, two-second steps); -1 on failure.
int32_t FileGetDate(TFileHandle H);
// Sets the last-write date from the DOS format; false on failure.
bool FileSetDate(TFileHandle H, int32_t DosDateTime);

bool FileExists(const std::string& Name);        // a file, not a directory
bool DirectoryExists(const std::string& Name);
bool FileDelete(const std::string& Name);
// Creates Dir and every missing level above it; true when it exists after.
bool ForceDirectories(const std::string& Dir);
// The same, appending to Created each directory this call made itself, the
// outermost first, as Dir was spelled (no trailing separator). A directory
// that existed before, or that another process made meanwhile, is not
// added. On failure Created holds the levels made before it.
bool ForceDirectories(const std::string& Dir, std::vector<std::string>& Created);

// The system's directory for temporary files, with a trailing separator;
// empty when the system gives none.
std::string GetTempDirectory();
// Creates a new empty file with a unique name in Dir that begins with
// Prefix and returns its full name; empty on failure.
std::string CreateTempFileName(const std::string& Dir, const std::string& Prefix);
// Free bytes on the volume holding Dir; -1 when unknown.
int64_t DiskFree(const std::string& Dir);
// The operating system's number for the last failure (GetLastError, errno).
int GetLastOSError();
// The operating system's text for such a number (FormatMessage, strerror),
// without a trailing line break; "system error N" when it has none.
std::string SysErrorMessage(int Code);

// ----- putting a finished file in place
// A file is never written where it is to end up: it is written under a
// temporary name beside its destination and then takes the destination's
// place in one step, so a failed or cancelled write leaves the old file as
// it was.

// Creates a new, empty file in the directory of Destination under a name no
// file there has yet ("~vt" + 5 hex digits + ".tmp", a short name as old
// systems need for replacing at restart) and returns it open for reading
// and writing, with its full name in TempName. The create is exclusive, so
// an existing file is never opened; a name already taken is passed over.
// Returns InvalidFileHandle on failure (TempName empty, GetLastOSError
// tells why).
TFileHandle FileCreateBeside(const std::string& Destination, std::string& TempName);

// True for a file name FileCreateBeside makes: "~vt", 5 hex digits, ".tmp"
// (letters in either case, as the file system ignores it).
bool IsBesideName(const std::string& FileName);

// A run that is killed while writing leaves its FileCreateBeside file
// behind. This deletes such files in the directory Dir, the first time it
// is asked about Dir in this process (later calls for the same directory,
// in any spelling of case or trailing separator, list nothing), and
// returns the full paths it deleted; the names are listed in one pass over
// the directory. Only names IsBesideName accepts are touched. On Windows a
// file that another process is still writing is open without delete
// sharing, so its deletion fails and it stays. The POSIX side deletes
// nothing (see there).
std::vector<std::string> RemoveStaleBesideFiles(const std::string& Dir);

// Puts the closed file Temp in the place of Destination in one step (Win32
// MoveFileEx replacing an existing file, POSIX rename): afterwards
// Destination holds what Temp held, with Temp's date, and Temp is gone. A
// symbolic link at Destination is itself replaced; the file it points to is
// not touched. Temp must be on Destination's volume (FileCreateBeside puts
// it there). This is the one way a finished file takes its place, now or
// later at restart.
// Returns false, leaving both files exactly as they were, when Destination
// cannot be replaced: a directory, a read-only file (refused on both
// systems alike), a file another process holds open without delete
// sharing (Windows); GetLastOSError tells why.
[[nodiscard]] bool FileReplace(const std::string& Temp, const std::string& Destination);

// True when the existing file Path is in use in a way that forbids
// replacing it now: another process runs it or has it loaded (a program, a
// DLL), or keeps it open without sharing write and delete access
// (Windows). Missing files, directories and read-only files are not in use
// (FileReplace refuses a read-only file for its own reason). Asks without
// changing anything: the file is neither deleted nor written. Always false
// on POSIX, where an open file can be replaced.
bool FileInUse(const std::string& Path);

// FileReplace for the file Temp while it is still open as Open (the handle
// FileCreateBeside returned), which is closed in every case. Where the
// system can rename a file through its handle, the common case (nothing to
// replace yet) costs one request instead of an open, a rename and a close;
// otherwise the result is FileReplace's after closing.
[[nodiscard]] bool FileReplaceOpen(TFileHandle Open, const std::string& Temp, const std::string& Destination);

namespace shim_detail {
// The name FileCreateBeside tries: the directory part of Destination (up to
// its last character of Separators) and "~vt" + the low 20 bits of Value as
// 5 hex digits + ".tmp". No printf: the loading program links this.
inline std::string BesideName(const std::string& Destination, uint32_t Value, const char* Separators) {
    const size_t sep = Destination.find_last_of(Separators);
    std::string name = sep == std::string::npos ? std::string() : Destination.substr(0, sep + 1);
    name += "~vt";
    for (int shift = 16; shift >= 0; shift -= 4) name += "0123456789abcdef"[(Value >> shift) & 0xF];
    return name + ".tmp";
}
}  // namespace shim_detail

// Closes the file it holds when it goes out of scope; move-only.
class TFileHandleOwner {
public:
    TFileHandleOwner() = default;
    explicit TFileHandleOwner(TFileHandle h) : H(h) {}
    ~TFileHandleOwner() { Close(); }
    TFileHandleOwner(TFileHandleOwner&& o) noexcept : H(o.H) { o.H = InvalidFileHandle; }
    TFileHandleOwner& operator=(TFileHandleOwner&& o) noexcept {
        if (this != &o) { Close(); H = o.H; o.H = InvalidFileHandle; }
        return *this;
    }
    TFileHandleOwner(const TFileHandleOwner&) = delete;
    TFileHandleOwner& operator=(const TFileHandleOwner&) = delete;
    TFileHandle Get() const { return H; }
    bool Valid() const { return H != InvalidFileHandle; }
    void Reset(TFileHandle h = InvalidFileHandle) { Close(); H = h; }
    // Gives up the handle without closing it.
    TFileHandle Release() {
        TFileHandle h = H;
        H = InvalidFileHandle;
        return h;
    }
    void Close() {
        if (H != InvalidFileHandle) FileClose(H);
        H = InvalidFileHandle;
    }

private:
    TFileHandle H = InvalidFileHandle;
};

// ----- whole files (built on the calls above, the same on both systems)

// The bytes of the file Name. Raises Exception "Cannot open <What> <Name>:
// <reason>" (or "Cannot read ..."), What left out when empty, when it
// cannot be opened or read, is larger than 2 GB or shrinks while read.
std::string ReadWholeFile(const std::string& Name, const std::string& What = "");

// Writes Bytes as the file Name: under a temporary name beside it first
// (FileCreateBeside), which then takes Name's place in one step. On failure
// Name is as it was, the temporary file is gone, and Exception names the
// file and the reason.
void WriteWholeFile(const std::string& Name, const std::string& Bytes);

// The size of the file Name in bytes; -1 when it does not exist or is a
// directory.
int64_t FileSizeOf(const std::string& Name);

}  // namespace vtrl
