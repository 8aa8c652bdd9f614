// Work for the next start of Windows: WININIT.INI "Rename" lines, the
// delayed move, and deleting a file at restart.
#include "routines_RestartFiles.h"

#include <windows.h>

#include <vector>

#include "SysUtils.h"
#include "routines_SysError.h"
#include "routines_WinVersion.h"

namespace vtrl {

namespace {

// Move-only owner of one kernel file handle.
class TFileHandle {
public:
    explicit TFileHandle(HANDLE h) : H_(h) {}
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    ~TFileHandle() { Close(); }
    HANDLE Get() const { return H_; }
    bool Valid() const { return H_ != INVALID_HANDLE_VALUE; }
    // Closes now; false when CloseHandle fails (data may not have reached the disk).
    bool Close() {
        bool ok = true;
        if (Valid()) ok = CloseHandle(H_) != 0;
        H_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE H_;
};

[[noreturn]] void RaiseLastError(const std::string& What, const char* Call) {
    DWORD err = GetLastError();
    throw Exception(What + ": " + Win32ErrorMsg(Call, err));
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH + 1];
    UINT n = GetWindowsDirectoryA(buffer, sizeof(buffer));
    if (n == 0 || n >= sizeof(buffer))
        RaiseLastError("Cannot get the Windows directory", "GetWindowsDirectory");
    return std::string(buffer, n);
}

// The whole file, or "" when it does not exist.
std::string ReadWholeFile(const std::string& Path) {
    TFileHandle f(CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Valid()) {
        DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND) return std::string();
        throw Exception("Cannot read " + Path + ": " + Win32ErrorMsg("CreateFile", err));
    }
    std::string content;
    char block[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(f.Get(), block, sizeof(block), &got, nullptr))
            RaiseLastError("Cannot read " + Path, "ReadFile");
        if (got == 0) break;
        content.append(block, got);
    }
    return content;
}

void WriteWholeFile(const std::string& Path, const std::string& Content) {
    TFileHandle f(CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Valid()) RaiseLastError("Cannot write " + Path, "CreateFile");
    DWORD written = 0;
    if (!WriteFile(f.Get(), Content.data(), static_cast<DWORD>(Content.size()), &written,
                   nullptr) ||
        written != Content.size())
        RaiseLastError("Cannot write " + Path, "WriteFile");
    if (!f.Close()) RaiseLastError("Cannot write " + Path, "CloseHandle");
}

// Puts the finished temporary file in place of Target.
void ReplaceWithTemporary(const std::string& Temporary, const std::string& Target) {
    if (MoveFileExA(Temporary.c_str(), Target.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    // The Windows 95 family has MoveFileEx only as a stub that fails with
    // ERROR_CALL_NOT_IMPLEMENTED; there the old file is deleted first. The
    // short window in between is the best that system allows.
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        RaiseLastError("Cannot replace " + Target, "MoveFileEx");
    if (!DeleteFileA(Target.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        RaiseLastError("Cannot replace " + Target, "DeleteFile");
    if (!MoveFileA(Temporary.c_str(), Target.c_str()))
        RaiseLastError("Cannot replace " + Target, "MoveFile");
}

bool IsBlank(std::string_view Line) { return Trim(Line).empty(); }

// "[Name]" (blanks around allowed) -> true and Name.
bool SectionHeader(std::string_view Line, std::string& Name) {
    std::string t = Trim(Line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    Name = Trim(std::string_view(t).substr(1, t.size() - 2));
    return true;
}

}  // namespace

std::string GetShortPath(const std::string& Path) {
    DWORD needed = GetShortPathNameA(Path.c_str(), nullptr, 0);
    if (needed == 0) RaiseLastError("Cannot get the short path of " + Path, "GetShortPathName");
    std::vector<char> buffer(needed + 1);
    DWORD n = GetShortPathNameA(Path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size())
        RaiseLastError("Cannot get the short path of " + Path, "GetShortPathName");
    return std::string(buffer.data(), n);
}

std::string WininitPath() { return AddBackSlash(WindowsDirectory()) + "WININIT.INI"; }

std::string AddProfileLine(std::string_view Content, std::string_view Section,
                           std::string_view Key, std::string_view Value, bool ReplaceSameKey) {
    const std::string line = std::string(Key) + "=" + std::string(Value);
    bool inSection = false;
    size_t insertAt = std::string_view::npos;
    for (size_t start = 0; start < Content.size();) {
        size_t nl = Content.find('\n', start);
        size_t next = nl == std::string_view::npos ? Content.size() : nl + 1;
        size_t end = nl == std::string_view::npos ? Content.size() : nl;
        if (end > start && Content[end - 1] == '\r') --end;
        std::string_view text = Content.substr(start, end - start);
        std::string name;
        if (SectionHeader(text, name)) {
            if (inSection) break;  // end of our section
            if (insertAt == std::string_view::npos && SameText(name, Section)) {
                inSection = true;
                insertAt = next;
            }
        } else if (inSection && !IsBlank(text)) {
            size_t eq = text.find('=');
            if (ReplaceSameKey && eq != std::string_view::npos &&
                SameText(Trim(text.substr(0, eq)), Key))
                return std::string(Content.substr(0, start)) + line +
                       std::string(Content.substr(end));
            insertAt = next;
        }
        start = next;
    }
    std::string before, added;
    if (insertAt == std::string_view::npos) {
        before = std::string(Content);
        added = "[" + std::string(Section) + "]\r\n" + line + "\r\n";
    } else {
        before = std::string(Content.substr(0, insertAt));
        added = line + "\r\n";
    }
    // A last line without a line break must not run into the added text.
    if (!before.empty() && before.back() != '\n') before += "\r\n";
    std::string_view after =
        insertAt == std::string_view::npos ? std::string_view() : Content.substr(insertAt);
    return before + added + std::string(after);
}

void WininitRename(std::string_view Target, std::string_view Source) {
    const std::string ini = WininitPath();
    const std::string dir = ExtractFileDir(ini);
    // The Windows 95 family keeps profile files cached in memory; this call
    // (all arguments null but the file) writes that cache back, so the edit
    // below starts from what earlier profile writes left, and afterwards
    // drops the stale copy, so later profile reads see the edited file.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    // The system's profile writer keeps one value per key name, so a second
    // "nul" line would replace the first and that deletion would be lost.
    // The section is therefore edited directly.
    const bool replace = !SameText(Target, "nul");
    std::string content =
        AddProfileLine(ReadWholeFile(ini), "Rename", Target, Source, replace);

    char temporary[MAX_PATH + 1];
    if (GetTempFileNameA(dir.c_str(), "vtr", 0, temporary) == 0)
        RaiseLastError("Cannot create a temporary file in " + dir, "GetTempFileName");
    try {
        WriteWholeFile(temporary, content);
        ReplaceWithTemporary(temporary, ini);
    } catch (...) {
        DeleteFileA(temporary);
        throw;
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
}

bool TryMoveFileAtRestart(const std::string& Source, const std::string& Target) {
    return MoveFileExA(Source.c_str(), Target.empty() ? nullptr : Target.c_str(),
                       MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING) != 0;
}

void DeleteAtRestart(const std::string& Path) {
    const std::string what =
        Fmt(TranslateMessageText("Cannot schedule the deletion of %s at restart"), Path);
    if (GetWindowsPlatform() == wpWindows95) {
        std::string shortPath;
        try {
            shortPath = GetShortPath(Path);
            WininitRename("nul", shortPath);
        } catch (const Exception& e) {
            throw Exception(what + ": " + e.Message);
        }
        return;
    }
    if (!TryMoveFileAtRestart(Path, std::string())) RaiseLastError(what, "MoveFileEx");
}

}  // namespace vtrl
