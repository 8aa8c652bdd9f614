// POSIX side of the file shim: the native build of the portable libraries,
// their tests, fuzzers and benchmarks.
#include "FileShim.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/time.h>
#include <unistd.h>

namespace vtrl {

namespace {

std::string Native(const std::string& Name) {
    std::string s = Name;
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

int Fd(TFileHandle H) { return static_cast<int>(H); }

TFileHandle Open(const std::string& Name, int Flags) {
    int fd = ::open(Native(Name).c_str(), Flags | O_CLOEXEC, 0644);
    return fd < 0 ? InvalidFileHandle : static_cast<TFileHandle>(fd);
}

}  // namespace

TFileHandle FileOpenRead(const std::string& Name) {
    if (DirectoryExists(Name)) return InvalidFileHandle;
    return Open(Name, O_RDONLY);
}
TFileHandle FileOpenReadWrite(const std::string& Name) {
    if (DirectoryExists(Name)) return InvalidFileHandle;
    return Open(Name, O_RDWR);
}
TFileHandle FileCreate(const std::string& Name) { return Open(Name, O_RDWR | O_CREAT | O_TRUNC); }

void FileClose(TFileHandle H) {
    if (H != InvalidFileHandle) ::close(Fd(H));
}

int32_t FileRead(TFileHandle H, void* Buffer, int32_t Count) {
    if (Count < 0) return -1;
    int32_t done = 0;
    while (done < Count) {  // read() may return less than asked for on pipes
        ssize_t n = ::read(Fd(H), static_cast<char*>(Buffer) + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return done > 0 ? done : -1;
        if (n == 0) break;
        done += static_cast<int32_t>(n);
    }
    return done;
}

int32_t FileWrite(TFileHandle H, const void* Buffer, int32_t Count) {
    if (Count < 0) return -1;
    int32_t done = 0;
    while (done < Count) {
        ssize_t n = ::write(Fd(H), static_cast<const char*>(Buffer) + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return done > 0 ? done : -1;
        done += static_cast<int32_t>(n);
    }
    return done;
}

int64_t FileSeek(TFileHandle H, int64_t Offset, TSeekOrigin Origin) {
    int whence = Origin == soFromBeginning ? SEEK_SET : Origin == soFromCurrent ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(Fd(H), static_cast<off_t>(Offset), whence);
    return r < 0 ? -1 : static_cast<int64_t>(r);
}

int64_t FileSize(TFileHandle H) {
    struct stat st;
    if (::fstat(Fd(H), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool FileTruncate(TFileHandle H) {
    off_t pos = ::lseek(Fd(H), 0, SEEK_CUR);
    return pos >= 0 && ::ftruncate(Fd(H), pos) == 0;
}

int32_t FileGetDate(TFileHandle H) {
    struct stat st;
    if (::fstat(Fd(H), &st) != 0) return -1;
    struct tm t;
    time_t m = st.st_mtime;
    if (!localtime_r(&m, &t)) return -1;
    // The DOS format covers 1980-2107; dates outside are pinned to its ends.
    if (t.tm_year < 80) return (0 << 25) | (1 << 21) | (1 << 16);
    if (t.tm_year > 207) return static_cast<int32_t>((127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u);
    uint32_t date = (static_cast<uint32_t>(t.tm_year - 80) << 9) | ((t.tm_mon + 1) << 5) | t.tm_mday;
    uint32_t time = (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec / 2);
    return static_cast<int32_t>((date << 16) | time);
}

bool FileSetDate(TFileHandle H, int32_t DosDateTime) {
    uint32_t d = static_cast<uint32_t>(DosDateTime);
    struct tm t {};
    t.tm_year = static_cast<int>((d >> 25) & 0x7f) + 80;
    t.tm_mon = static_cast<int>((d >> 21) & 0x0f) - 1;
    t.tm_mday = static_cast<int>((d >> 16) & 0x1f);
    t.tm_hour = static_cast<int>((d >> 11) & 0x1f);
    t.tm_min = static_cast<int>((d >> 5) & 0x3f);
    t.tm_sec = static_cast<int>(d & 0x1f) * 2;
    t.tm_isdst = -1;
    if (t.tm_mon < 0 || t.tm_mon > 11 || t.tm_mday < 1 || t.tm_hour > 23 || t.tm_min > 59 || t.tm_sec > 59)
        return false;
    time_t when = mktime(&t);
    if (when == static_cast<time_t>(-1)) return false;
    struct timespec ts[2];
    ts[0].tv_sec = when;
    ts[0].tv_nsec = 0;
    ts[1] = ts[0];
    return ::futimens(Fd(H), ts) == 0;
}

bool FileExists(const std::string& Name) {
    struct stat st;
    return ::stat(Native(Name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& Name) {
    struct stat st;
    return !Name.empty() && ::stat(Native(Name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileDelete(const std::string& Name) { return ::unlink(Native(Name).c_str()) == 0; }

bool ForceDirectories(const std::string& Dir, std::vector<std::string>& Created) {
    std::string d = Native(Dir);
    while (d.size() > 1 && d.back() == '/') d.pop_back();
    if (d.empty() || DirectoryExists(d)) return true;
    size_t slash = d.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !ForceDirectories(d.substr(0, slash), Created)) return false;
    if (::mkdir(d.c_str(), 0755) == 0) {
        Created.push_back(d);
        return true;
    }
    return DirectoryExists(d);
}

// POSIX lets anyone delete a file that another process holds open and is
// still writing: nothing tells a stale file from one a running program is
// writing now, so none is deleted. (The native build runs the portable
// libraries' tests and tools, not installs.)
std::vector<std::string> RemoveStaleBesideFiles(const std::string&) { return {}; }

std::string GetTempDirectory() {
    const char* t = std::getenv("TMPDIR");
    std::string d = t && *t ? t : "/tmp";
    if (d.back() != '/') d += '/';
    return d;
}

std::string CreateTempFileName(const std::string& Dir, const std::string& Prefix) {
    std::string d = Native(Dir);
    if (d.empty()) return {};
    if (d.back() != '/') d += '/';
    std::string templ = d + Prefix + "XXXXXX";
    int fd = ::mkstemp(templ.data());
    if (fd < 0) return {};
    ::close(fd);
    return templ;
}

int64_t DiskFree(const std::string& Dir) {
    struct statvfs s;
    if (::statvfs(Native(Dir).c_str(), &s) != 0) return -1;
    return static_cast<int64_t>(s.f_bavail) * static_cast<int64_t>(s.f_frsize);
}

int GetLastOSError() { return errno; }

std::string SysErrorMessage(int Code) {
    const char* t = std::strerror(Code);
    if (t && *t) return t;
    return "system error " + std::to_string(Code);
}

namespace {

// FileCreateBeside's names: the per-process start and a counter make a
// clash with another process rare, and the exclusive create makes it
// harmless.
std::string BesideName(const std::string& Destination, uint32_t Serial) {
    static const uint32_t Start = static_cast<uint32_t>(::getpid()) * 2654435761u ^
                                  static_cast<uint32_t>(std::time(nullptr));
    return shim_detail::BesideName(Destination, Start + Serial, "/");
}

std::atomic<uint32_t> gBesideSerial{0};

}  // namespace

TFileHandle FileCreateBeside(const std::string& Destination, std::string& TempName) {
    TempName.clear();
    const std::string dest = Native(Destination);
    for (int attempt = 0; attempt < 64; ++attempt) {
        std::string name = BesideName(dest, gBesideSerial++);
        int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            TempName = name;
            return static_cast<TFileHandle>(fd);
        }
        if (errno != EEXIST) return InvalidFileHandle;
    }
    return InvalidFileHandle;
}

bool FileInUse(const std::string&) { return false; }

int64_t FileSizeOf(const std::string& Name) {
    struct stat st;
    if (::stat(Native(Name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool FileReplace(const std::string& Temp, const std::string& Destination) {
    const std::string dest = Native(Destination);
    struct stat st;
    // rename() would replace a read-only file; Windows refuses to, and both
    // systems keep one rule so that the tests of either show what the other
    // does. (lstat: a link is replaced whatever it points to.)
    if (::lstat(dest.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) {
        errno = EACCES;
        return false;
    }
    return ::rename(Native(Temp).c_str(), dest.c_str()) == 0;
}

bool FileReplaceOpen(TFileHandle Open, const std::string& Temp, const std::string& Destination) {
    // rename() takes an open file as it is.
    const bool done = FileReplace(Temp, Destination);
    const int error = errno;
    FileClose(Open);
    errno = error;
    return done;
}

}  // namespace vtrl
