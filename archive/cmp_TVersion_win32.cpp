// The version reader's platform part on Windows: the version API
// (GetFileVersionInfoSizeA, GetFileVersionInfoA, VerQueryValueA).
#include <windows.h>

#include <cstdio>
#include <memory>

#include "cmp_TVersion.h"

namespace vtrl {

namespace {

// The whole version block of a file, or null when it has none or cannot
// be read.
std::unique_ptr<char[]> LoadBlock(const std::string& FileName) {
    DWORD dummy = 0;
    DWORD size = GetFileVersionInfoSizeA(FileName.c_str(), &dummy);
    if (size == 0) return nullptr;
    auto block = std::make_unique<char[]>(size);
    if (!GetFileVersionInfoA(FileName.c_str(), 0, size, block.get())) return nullptr;
    return block;
}

bool QueryString(void* Block, const std::string& Path, std::string& Value) {
    void* p = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(Block, Path.c_str(), &p, &len) || !p) return false;
    // The length counts characters including the terminating zero; a value
    // declared empty has length 0 but still exists.
    const char* s = static_cast<const char*>(p);
    Value.assign(s, len > 0 && s[len - 1] == '\0' ? len - 1 : len);
    return true;
}

}  // namespace

void ReadVersionResource(const std::string& FileName, const std::string& LangCodePage, TVersionInfo& Info) {
    auto block = LoadBlock(FileName);
    if (!block) return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(block.get(), "\\", reinterpret_cast<void**>(&fixed), &len) || !fixed ||
        len < sizeof(VS_FIXEDFILEINFO))
        return;
    Info.FileVersion = VersionNumbersText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    Info.ProductVersion = VersionNumbersText(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    Info.FileOS = FileOSText(fixed->dwFileOS);
    Info.FileType = FileTypeText(fixed->dwFileType);
    Info.FileSubType = FileSubTypeText(fixed->dwFileType, fixed->dwFileSubtype);

    const std::string path = "\\StringFileInfo\\" + LangCodePage + "\\";
    struct {
        const char* Name;
        std::string TVersionInfo::*Field;
    } const Strings[] = {
        {"Comment", &TVersionInfo::Comment},
        {"CompanyName", &TVersionInfo::CompanyName},
        {"FileDescription", &TVersionInfo::FileDescription},
        {"InternalName", &TVersionInfo::InternalName},
        {"LegalCopyright", &TVersionInfo::LegalCopyright},
        {"LegalTradeMarks", &TVersionInfo::LegalTradeMarks},
        {"OriginalFileName", &TVersionInfo::OriginalFileName},
        {"PrivateBuild", &TVersionInfo::PrivateBuild},
        {"ProductName", &TVersionInfo::ProductName},
        {"ProductVersion", &TVersionInfo::ProductVersion},
        {"SpecialBuild", &TVersionInfo::SpecialBuild},
    };
    for (const auto& s : Strings) {
        std::string value;
        if (QueryString(block.get(), path + s.Name, value)) Info.*s.Field = value;
    }
}

bool ReadVersionString(const std::string& FileName, const std::string& Name) {
    auto block = LoadBlock(FileName);
    if (!block) return false;
    DWORD* translation = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len) ||
        !translation || len < sizeof(DWORD))
        return false;
    char table[16];
    std::snprintf(table, sizeof table, "%04X%04X", LOWORD(*translation), HIWORD(*translation));
    std::string value;
    return QueryString(block.get(), std::string("\\StringFileInfo\\") + table + "\\" + Name, value);
}

std::string ProgramFileName() {
    char buf[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return std::string(buf, n);
}

}  // namespace vtrl
