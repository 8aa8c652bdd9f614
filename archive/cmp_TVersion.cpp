// The version reader's portable part: the language, character-set and
// fixed-part text tables, and the component that holds the texts.
#include "cmp_TVersion.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "FileShim.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TVersionInfo, TPersistent, [](TClassBuilder<TVersionInfo>& b) {
    b.String("Comment", &TVersionInfo::Comment, &TVersionInfo::Comment)
        .String("CompanyName", &TVersionInfo::CompanyName, &TVersionInfo::CompanyName)
        .String("FileDescription", &TVersionInfo::FileDescription, &TVersionInfo::FileDescription)
        .String("FileVersion", &TVersionInfo::FileVersion, &TVersionInfo::FileVersion)
        .String("InternalName", &TVersionInfo::InternalName, &TVersionInfo::InternalName)
        .String("LegalCopyright", &TVersionInfo::LegalCopyright, &TVersionInfo::LegalCopyright)
        .String("LegalTradeMarks", &TVersionInfo::LegalTradeMarks, &TVersionInfo::LegalTradeMarks)
        .String("OriginalFileName", &TVersionInfo::OriginalFileName, &TVersionInfo::OriginalFileName)
        .String("PrivateBuild", &TVersionInfo::PrivateBuild, &TVersionInfo::PrivateBuild)
        .String("ProductName", &TVersionInfo::ProductName, &TVersionInfo::ProductName)
        .String("ProductVersion", &TVersionInfo::ProductVersion, &TVersionInfo::ProductVersion)
        .String("SpecialBuild", &TVersionInfo::SpecialBuild, &TVersionInfo::SpecialBuild)
        .String("FileOS", &TVersionInfo::FileOS, &TVersionInfo::FileOS)
        .String("FileType", &TVersionInfo::FileType, &TVersionInfo::FileType)
        .String("FileSubType", &TVersionInfo::FileSubType, &TVersionInfo::FileSubType);
})

VTRL_IMPLEMENT_CLASS(TVersionResource, TComponent, [](TClassBuilder<TVersionResource>& b) {
    b.String("FileName", &TVersionResource::FileName, &TVersionResource::SetFileName)
        .Enum<version::TLanguage>("Language", &TVersionResource::Language, &TVersionResource::SetLanguage,
                                   version::lnUSEnglish)
        .Enum<TCharacterSet>("CharacterSet", &TVersionResource::CharacterSet, &TVersionResource::SetCharacterSet,
                             csMultilingual)
        .Object("VersionInfo", &TVersionResource::VersionInfo);
})

uint16_t version::LanguageId(TLanguage Language) {
    // lnArabic .. lnBahasa are consecutive identifiers from 0x0401.
    static const uint16_t Rest[] = {2052, 2055, 2057, 2058, 2060, 2064, 2067, 2068, 2070, 2074, 3084, 4108};
    if (Language <= lnBahasa) return static_cast<uint16_t>(0x0401 + Language);
    unsigned i = Language - lnSimplifiedChinese;
    if (i < sizeof Rest / sizeof Rest[0]) return Rest[i];
    throw Exception("");
}

uint16_t CodePage(TCharacterSet CharacterSet) {
    static const uint16_t Pages[] = {0, 932, 949, 950, 1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256};
    if (CharacterSet < sizeof Pages / sizeof Pages[0]) return Pages[CharacterSet];
    throw Exception("");
}

std::string FileOSText(uint32_t FileOS) {
    switch (FileOS) {
    case 0x1: return "Windows 3.0 or later";
    case 0x2: return "16 bit OS/2 Presentation Manager";
    case 0x3: return "32 bit OS/2 Presentation Manager";
    case 0x4: return "32 bit Windows";
    case 0x10000: return "MS-Dos";
    case 0x10001: return "Windows 3.0 or later with MS-Dos";
    case 0x10004: return "32 bit Windows with MS-Dos";
    case 0x20000: return "16 bit OS/2";
    case 0x20002: return "16 bit OS/2 with Presentation Manager";
    case 0x30000: return "32 bit OS/2";
    case 0x30003: return "32 bit OS/2 with Presentation Manager";
    case 0x40000: return "Windows NT";
    case 0x40004: return "Windows NT with 32 bit Windows";
    default: return "Unknown";
    }
}

std::string FileTypeText(uint32_t FileType) {
    switch (FileType) {
    case 1: return "Application";
    case 2: return "Dynamic-Link Library";
    case 3: return "Device Driver";
    case 4: return "Font";
    case 5: return "Virtual Device Driver";
    case 7: return "Static-Link Library";
    default: return "Unknown";
    }
}

std::string FileSubTypeText(uint32_t FileType, uint32_t FileSubType) {
    static const char* const Drivers[] = {"Printer", "Keyboard", "Language", "Display", "Mouse",
                                          "Network", "System", "Installable", "Sound", "Communications"};
    static const char* const Fonts[] = {"Raster", "Vector", "TrueType"};
    if (FileType == 3) return FileSubType >= 1 && FileSubType <= 10 ? Drivers[FileSubType - 1] : "Unknown";
    if (FileType == 4) return FileSubType >= 1 && FileSubType <= 3 ? Fonts[FileSubType - 1] : "Unknown";
    return {};
}

std::string VersionNumbersText(uint32_t Ms, uint32_t Ls) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", Ms >> 16, Ms & 0xffff, Ls >> 16, Ls & 0xffff);
    return buf;
}

TVersionResource::TVersionResource(TComponent* AOwner) : TComponent(AOwner), FFileName(ProgramFileName()) {
    ReadInfo();
}

void TVersionResource::SetFileName(const std::string& Value) {
    FFileName = Value;
    ReadInfo();
}

void TVersionResource::SetLanguage(version::TLanguage Value) {
    FLanguage = Value;
    ReadInfo();
}

void TVersionResource::SetCharacterSet(TCharacterSet Value) {
    FCharacterSet = Value;
    ReadInfo();
}

void TVersionResource::ReadInfo() {
    FVersionInfo.Clear();
    char table[16];
    std::snprintf(table, sizeof table, "%04X%04X", version::LanguageId(FLanguage), CodePage(FCharacterSet));
    ReadVersionResource(FFileName, table, FVersionInfo);
}

namespace {

int gVersionCacheDepth = 0;
std::unordered_map<std::string, std::string> gVersionCache;

}  // namespace

TVersionCacheScope::TVersionCacheScope() { ++gVersionCacheDepth; }

TVersionCacheScope::~TVersionCacheScope() {
    if (--gVersionCacheDepth == 0) gVersionCache.clear();
}

bool TVersionResource::MayHoldVersion(const std::string& Path) {
    TFileHandleOwner file(FileOpenRead(Path));
    if (!file.Valid()) return true;
    char head[4] = {};
    const int32_t n = FileRead(file.Get(), head, sizeof head);
    return (n >= 2 && head[0] == 'M' && head[1] == 'Z') || (n == 4 && std::memcmp(head, "SZDD", 4) == 0);
}

std::string TVersionResource::FileVersionOf(const std::string& Path) {
    std::string key;
    if (gVersionCacheDepth > 0) {
        key = UpperCase(Path);
        auto it = gVersionCache.find(key);
        if (it != gVersionCache.end()) return it->second;
    }
    TVersionInfo info;
    if (MayHoldVersion(Path)) ReadVersionResource(Path, "040904E4", info);
    if (gVersionCacheDepth > 0) gVersionCache.emplace(std::move(key), info.FileVersion);
    return info.FileVersion;
}

bool TVersionResource::HasVersionString(const std::string& Path, const std::string& Name) {
    return MayHoldVersion(Path) && ReadVersionString(Path, Name);
}

}  // namespace vtrl
