// The version reader: TVersionResource reads a file's version information
// (VERSIONINFO resource) into the texts of a TVersionInfo.
#pragma once

#include <cstdint>
#include <string>

#include "Classes.h"
#include "TypInfo.h"

namespace vtrl {

// Languages of a string table, in the order of their Windows identifiers
// (LanguageId gives the number). In a namespace of their own: the
// translator's TLanguage class has the same name.
namespace version {
VTRL_ENUM(TLanguage, lnArabic, lnBulgarian, lnCatalan, lnTraditionalChinese, lnCzech, lnDanish, lnGerman,
          lnGreek, lnUSEnglish, lnCastilianSpanish, lnFinnish, lnFrench, lnHebrew, lnHungarian, lnIcelandic,
          lnItalian, lnJapanese, lnKorean, lnDutch, lnNorwegianBokmal, lnPolish, lnBrazilianPortuguese,
          lnRhaetoRomanic, lnRomanian, lnRussian, lnCroatoSerbian, lnSlovak, lnAlbanian, lnSwedish, lnThai,
          lnTurkish, lnUrdu, lnBahasa, lnSimplifiedChinese, lnSwissGerman, lnUKEnglish, lnMexicanSpanish,
          lnBelgianFrench, lnSwissItalian, lnBelgianDutch, lnNorwegianNynorsk, lnPortuguese, lnSerboCroatian,
          lnCanadianFrench, lnSwissFrench)
// Windows language identifier (lnUSEnglish = 1033). A value outside the
// table raises Exception("").
uint16_t LanguageId(TLanguage Language);
}  // namespace version

VTRL_ENUM(TCharacterSet, csASCII, csJapan, csKorea, csTaiwan, csUnicode, csLatin2, csCyrillic, csMultilingual,
          csGreek, csTurkish, csHebrew, csArabic)

// Windows code page (csMultilingual = 1252). A value outside the table
// raises Exception("").
uint16_t CodePage(TCharacterSet CharacterSet);

// Texts of the fixed part's operating system, type and subtype.
std::string FileOSText(uint32_t FileOS);
std::string FileTypeText(uint32_t FileType);
// Empty for types other than drivers (3) and fonts (4).
std::string FileSubTypeText(uint32_t FileType, uint32_t FileSubType);
// Four 16-bit numbers of a fixed-part version, decimal, joined by ".".
std::string VersionNumbersText(uint32_t MostSignificant, uint32_t LeastSignificant);

// The texts read from one file; all empty when it has no version
// information. Users only read them.
class TVersionInfo : public TPersistent {
    VTRL_CLASS(TVersionInfo)
public:
    std::string Comment, CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright,
        LegalTradeMarks, OriginalFileName, PrivateBuild, ProductName, ProductVersion, SpecialBuild, FileOS,
        FileType, FileSubType;
    void Clear() { *this = TVersionInfo(); }
};

// While one of these is open, FileVersionOf remembers the answer for each
// path (without regard to case): a build asks for the version of every
// source several times, and its sources do not change while it runs. Opened
// and closed on the main thread; scopes nest.
class TVersionCacheScope {
public:
    TVersionCacheScope();
    ~TVersionCacheScope();
    TVersionCacheScope(const TVersionCacheScope&) = delete;
    TVersionCacheScope& operator=(const TVersionCacheScope&) = delete;
};

// Reads at creation and after every change of FileName, Language or
// CharacterSet. Never raises for a missing or unreadable resource.
class TVersionResource : public TComponent {
    VTRL_CLASS(TVersionResource)
public:
    explicit TVersionResource(TComponent* AOwner);
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value);  // re-reads even for the same name
    version::TLanguage Language() const { return FLanguage; }
    void SetLanguage(version::TLanguage Value);
    TCharacterSet CharacterSet() const { return FCharacterSet; }
    void SetCharacterSet(TCharacterSet Value);
    TVersionInfo* VersionInfo() { return &FVersionInfo; }
    const TVersionInfo& Info() const { return FVersionInfo; }

    // The file version text of Path ("4.0.950.0"), empty without version
    // information: what the archive stores and the overwrite rules compare.
    static std::string FileVersionOf(const std::string& Path);
    // True when the string table of the file's first translation holds the
    // value Name (its content does not matter), as "OLESelfRegister".
    static bool HasVersionString(const std::string& Path, const std::string& Name);

    // True when the file may hold version information at all: it begins as
    // an executable image ("MZ") or as a compressed file the version API
    // expands ("SZDD"), or it cannot be read (the API then decides). A text
    // or a picture is answered with one read, where the version API maps it
    // as a library first.
    static bool MayHoldVersion(const std::string& Path);

private:
    void ReadInfo();
    std::string FFileName;
    version::TLanguage FLanguage = version::lnUSEnglish;
    TCharacterSet FCharacterSet = csMultilingual;
    TVersionInfo FVersionInfo;
};

// The platform part: fills Info from the version resource of FileName for
// the string table LangCodePage (8 upper-case hex digits, "040904E4").
// Implemented over the Win32 version API; elsewhere it finds nothing.
void ReadVersionResource(const std::string& FileName, const std::string& LangCodePage, TVersionInfo& Info);
bool ReadVersionString(const std::string& FileName, const std::string& Name);
// The running program's own file name.
std::string ProgramFileName();

}  // namespace vtrl
