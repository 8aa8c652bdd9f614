// Win32 side of the file shim, over the A functions: the programs declare
// UTF-8 as their ANSI code page, so the byte strings pass through unchanged.
#include "FileShim.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

namespace {

HANDLE Win(TFileHandle H) { return reinterpret_cast<HANDLE>(H); }

TFileHandle Own(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? InvalidFileHandle : reinterpret_cast<TFileHandle>(h);
}

}  // namespace

TFileHandle FileOpenRead(const std::string& Name) {
    // Other programs may hold the file open for writing (a running program's
    // own log, say); reading it must still work.
    return Own(CreateFileA(Name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TFileHandle FileOpenReadWrite(const std::string& Name) {
    return Own(CreateFileA(Name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TFileHandle FileCreate(const std::string& Name) {
    return Own(CreateFileA(Name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void FileClose(TFileHandle H) {
    if (H != InvalidFileHandle) CloseHandle(Win(H));
}

int32_t FileRead(TFileHandle H, void* Buffer, int32_t Count) {
    DWORD n = 0;
    if (Count < 0 || !ReadFile(Win(H), Buffer, static_cast<DWORD>(Count), &n, nullptr)) return -1;
    return static_cast<int32_t>(n);
}

int32_t FileWrite(TFileHandle H, const void* Buffer, int32_t Count) {
    DWORD n = 0;
    // A full disk makes WriteFile fail with ERROR_DISK_FULL after writing
    // part of the data; the count written still tells the caller how far
    // it got, which is what the short-count convention needs.
    if (Count < 0) return -1;
    if (!WriteFile(Win(H), Buffer, static_cast<DWORD>(Count), &n, nullptr) && n == 0) return -1;
    return static_cast<int32_t>(n);
}

int64_t FileSeek(TFileHandle H, int64_t Offset, TSeekOrigin Origin) {
    LARGE_INTEGER d, r;
    d.QuadPart = Offset;
    DWORD how = Origin == soFromBeginning ? FILE_BEGIN : Origin == soFromCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(Win(H), d, &r, how)) return -1;
    return r.QuadPart;
}

int64_t FileSize(TFileHandle H) {
    LARGE_INTEGER s;
    if (!GetFileSizeEx(Win(H), &s)) return -1;
    return s.QuadPart;
}

bool FileTruncate(TFileHandle H) { return SetEndOfFile(Win(H)) != 0; }

int32_t FileGetDate(TFileHandle H) {
    // Dates are kept as local DOS date and time, as the archive format
    // stores them; FileTimeToDosDateTime rejects dates before 1980, which
    // are pinned to 1980-01-01.
    FILETIME ft, local;
    WORD date = 0, time = 0;
    if (!GetFileTime(Win(H), nullptr, nullptr, &ft)) return -1;
    if (!FileTimeToLocalFileTime(&ft, &local)) return -1;
    if (!FileTimeToDosDateTime(&local, &date, &time)) return (1 << 21) | (1 << 16);
    return static_cast<int32_t>((static_cast<uint32_t>(date) << 16) | time);
}

bool FileSetDate(TFileHandle H, int32_t DosDateTime) {
    FILETIME local, ft;
    uint32_t d = static_cast<uint32_t>(DosDateTime);
    if (!DosDateTimeToFileTime(static_cast<WORD>(d >> 16), static_cast<WORD>(d & 0xffff), &local)) return false;
    if (!LocalFileTimeToFileTime(&local, &ft)) return false;
    return SetFileTime(Win(H), nullptr, nullptr, &ft) != 0;
}

bool FileExists(const std::string& Name) {
    DWORD a = GetFileAttributesA(Name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& Name) {
    DWORD a = GetFileAttributesA(Name.c_str());
    return !Name.empty() && a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileDelete(const std::string& Name) { return DeleteFileA(Name.c_str()) != 0; }

bool ForceDirectories(const std::string& Dir, std::vector<std::string>& Created) {
    std::string d = Dir;
    while (d.size() > 1 && (d.back() == '\\' || d.back() == '/')) d.pop_back();
    if (d.empty() || DirectoryExists(d)) return true;
    if (d.size() == 2 && d[1] == ':') return true;  // a drive root
    size_t sep = d.find_last_of("\\/");
    if (sep != std::string::npos && sep > 0 && !ForceDirectories(d.substr(0, sep), Created)) return false;
    if (CreateDirectoryA(d.c_str(), nullptr)) {
        Created.push_back(d);
        return true;
    }
    return DirectoryExists(d);
}

namespace {

// The directories RemoveStaleBesideFiles was asked about, upper-cased
// (ASCII letters: the file system ignores case).
std::mutex gSweptLock;
std::set<std::string> gSwept;

}  // namespace

std::vector<std::string> RemoveStaleBesideFiles(const std::string& Dir) {
    std::string d = Dir;
    while (d.size() > 1 && (d.back() == '\\' || d.back() == '/')) d.pop_back();
    std::vector<std::string> removed;
    if (d.empty()) return removed;
    {
        std::lock_guard<std::mutex> lock(gSweptLock);
        if (!gSwept.insert(UpperCase(d)).second) return removed;
    }
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((d + "\\~vt*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return removed;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || !IsBesideName(fd.cFileName)) continue;
        // A file that is still being written is open without delete
        // sharing (FileCreateBeside), so this fails and the file stays.
        const std::string path = d + "\\" + fd.cFileName;
        if (DeleteFileA(path.c_str())) removed.push_back(path);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return removed;
}

std::string GetTempDirectory() {
    char buf[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof buf, buf);
    if (n == 0 || n > MAX_PATH) return {};
    return std::string(buf, n);
}

std::string CreateTempFileName(const std::string& Dir, const std::string& Prefix) {
    char buf[MAX_PATH + 1];
    if (GetTempFileNameA(Dir.c_str(), Prefix.c_str(), 0, buf) == 0) return {};
    return buf;
}

int64_t DiskFree(const std::string& Dir) {
    ULARGE_INTEGER avail;
    if (!GetDiskFreeSpaceExA(Dir.c_str(), &avail, nullptr, nullptr)) return -1;
    return static_cast<int64_t>(avail.QuadPart);
}

int GetLastOSError() { return static_cast<int>(GetLastError()); }

std::string SysErrorMessage(int Code) {
    char buf[512];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(Code), 0, buf, sizeof buf, nullptr);
    while (n > 0 && (buf[n - 1] == '\r' || buf[n - 1] == '\n' || buf[n - 1] == ' ')) --n;
    if (n > 0) return std::string(buf, n);
    return "system error " + std::to_string(Code);
}

namespace {

// FileCreateBeside's names: the per-process start and a counter make a
// clash with another process rare, and the exclusive create makes it
// harmless. No GetTempFileName: it probes the directory name by name, and
// every file-system call counts when a setup writes thousands of files.
std::string BesideName(const std::string& Destination, uint32_t Serial) {
    static const uint32_t Start = static_cast<uint32_t>(GetCurrentProcessId()) * 2654435761u ^ GetTickCount();
    return shim_detail::BesideName(Destination, Start + Serial, "\\/");
}

std::atomic<uint32_t> gBesideSerial{0};

}  // namespace

TFileHandle FileCreateBeside(const std::string& Destination, std::string& TempName) {
    TempName.clear();
    for (int attempt = 0; attempt < 64; ++attempt) {
        std::string name = BesideName(Destination, gBesideSerial++);
        // Delete access: FileReplaceOpen renames the file through this handle.
        HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            TempName = name;
            return Own(h);
        }
        DWORD e = GetLastError();
        if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) return InvalidFileHandle;
    }
    return InvalidFileHandle;
}

int64_t FileSizeOf(const std::string& Name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(Name.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool FileInUse(const std::string& Path) {
    const DWORD a = GetFileAttributesA(Path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    // Replacing needs write and delete access to the old file; the system
    // refuses either while a program or DLL runs from it, or while a handle
    // of another process does not share them. Opening without truncation
    // changes nothing.
    HANDLE h = CreateFileA(Path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return false;
    }
    const DWORD e = GetLastError();
    return e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION || e == ERROR_ACCESS_DENIED ||
           e == ERROR_USER_MAPPED_FILE;
}

bool FileReplace(const std::string& Temp, const std::string& Destination) {
    // A fresh install finds no file to replace: one rename that may not
    // replace settles it (the usual case, and each call counts: under Wine
    // a name that does not exist costs a scan of its directory).
    if (MoveFileExA(Temp.c_str(), Destination.c_str(), 0)) return true;
    DWORD e = GetLastError();
    if (e != ERROR_ALREADY_EXISTS && e != ERROR_FILE_EXISTS) return false;
    // Windows refuses to replace a read-only file, but Wine 8 replaces it;
    // the attribute test keeps Windows' rule under Wine.
    DWORD a = GetFileAttributesA(Destination.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) && !(a & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // The system replaces the old file (or the link) as a whole and refuses
    // a directory or a file open without delete sharing, changing nothing.
    return MoveFileExA(Temp.c_str(), Destination.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

namespace {

// The system's own (NT) name of Path, as a rename through a handle takes
// it: "\\??\\C:\\dir\\name", "\\??\\UNC\\server\\share\\name". Empty when
// the path cannot be made full.
std::wstring NtPathOf(const std::string& Path) {
    const int n = MultiByteToWideChar(CP_ACP, 0, Path.c_str(), -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Path.c_str(), -1, wide.data(), n);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    const DWORD len = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (len == 0 || len >= size) return {};
    full.resize(len);
    if (full.compare(0, 4, L"\\\\?\\") == 0) return L"\\??\\" + full.substr(4);
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\??\\UNC\\" + full.substr(2);
    return L"\\??\\" + full;
}

// FILE_RENAME_INFO as the system lays it out.
struct TRenameInfo {
    DWORD ReplaceIfExists;
    HANDLE RootDirectory;
    DWORD FileNameLength;
    WCHAR FileName[1];
};
constexpr int FileRenameInfoClass = 3;

}  // namespace

bool FileReplaceOpen(TFileHandle Open, const std::string& Temp, const std::string& Destination) {
    using TSetInfo = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
    // From Windows Vista on; earlier systems take the path by name.
    static const auto setInfo = reinterpret_cast<TSetInfo>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle")));
    const std::wstring target = setInfo ? NtPathOf(Destination) : std::wstring();
    if (!target.empty()) {
        const DWORD bytes = static_cast<DWORD>(target.size() * sizeof(WCHAR));
        std::vector<unsigned char> buffer(offsetof(TRenameInfo, FileName) + bytes + sizeof(WCHAR));
        auto* info = reinterpret_cast<TRenameInfo*>(buffer.data());
        info->ReplaceIfExists = FALSE;  // replacing keeps the read-only rule of FileReplace
        info->RootDirectory = nullptr;
        info->FileNameLength = bytes;
        std::memcpy(info->FileName, target.c_str(), bytes + sizeof(WCHAR));
        if (setInfo(Win(Open), FileRenameInfoClass, info, static_cast<DWORD>(buffer.size()))) {
            CloseHandle(Win(Open));
            return true;
        }
    }
    CloseHandle(Win(Open));
    return FileReplace(Temp, Destination);
}

}  // namespace vtrl
