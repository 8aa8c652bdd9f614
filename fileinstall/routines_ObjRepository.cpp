// The development environments' object repository: finding an
// environment's repository file, erasing a file's old sections and writing
// its entry.
#include "routines_ObjRepository.h"

#include <windows.h>

#include "FileShim.h"
#include "Unattended.h"
#include "cmp_TInstallFile.h"
#include "exceptions_Vantrel.h"
#include "routines_Registry.h"
#include "routines_SysError.h"

namespace vtrl {

// ---------------------------------------------------------------- routines

std::string RepositoryVersionKey(TRepositoryEnvironment Environment) {
    switch (Environment) {
        case reDelphi3: return "\\Delphi\\3.0";
        case reDelphi2: return "\\Delphi\\2.0";
        case reCBuilder: return "\\C++Builder\\1.0";
    }
    throw Exception("Unknown development environment " + IntToStr(Environment));
}

std::string RepositoryFileName(TRepositoryEnvironment Environment) {
    return Environment == reCBuilder ? "BCB.DRO" : "DELPHI32.DRO";
}

std::string FindRepositoryFile(TRepositoryEnvironment Environment) {
    const std::string version = RepositoryVersionKey(Environment);
    std::string file;
    const std::string base = RegReadString(hkCurrentUser, "\\Software\\Borland" + version + "\\repository", "BaseDir", "");
    if (!Trim(base).empty()) {
        file = AddBackSlash(base) + RepositoryFileName(Environment);
    } else {
        const std::string root = RegReadString(hkLocalMachine, "\\Software\\Borland" + version, "RootDir", "");
        if (Trim(root).empty())
            RaiseFmt("Could find the object repository because the HKEY_LOCAL_MACHINE\\Software\\Borland%s | RootDir "
                     "entry was blank in the registry",
                     version);
        file = AddBackSlash(root) + "Bin\\" + RepositoryFileName(Environment);
    }
    if (!FileExists(file)) RaiseFmt("Could not find the Object Repository file %s", file);
    return file;
}

std::vector<std::string> RepositorySections(const std::string& Text) {
    std::vector<std::string> sections;
    size_t start = 0;
    while (start <= Text.size()) {
        size_t end = Text.find('\n', start);
        if (end == std::string::npos) end = Text.size();
        const std::string line = Trim(std::string_view(Text).substr(start, end - start));
        if (line.size() > 1 && line[0] == '[') sections.push_back(line.substr(1, line.size() - 2));
        start = end + 1;
    }
    return sections;
}

namespace {

void WriteProfile(const std::string& File, const char* Section, const char* Ident, const char* Value) {
    if (!WritePrivateProfileStringA(Section, Ident, Value, File.c_str()))
        throw Exception("Cannot write the section [" + std::string(Section) + "] of " + File + ": " +
                        Win32ErrorMsg("WritePrivateProfileString", GetLastOSError()));
}

}  // namespace

void EraseRepositorySections(const std::string& File, const std::string& UpperPart) {
    const std::vector<std::string> sections = RepositorySections(ReadWholeFile(File, "the repository file"));
    if (sections.size() <= 1) return;
    for (const std::string& section : sections)
        if (UpperCase(section).find(UpperPart) != std::string::npos) {
            WriteProfile(File, section.c_str(), nullptr, nullptr);
            Log("Repository " + File + ": erased the section [" + section + "]");
        }
}

// ------------------------------------------------------------------ entries

VTRL_IMPLEMENT_CLASS(TCustomObjectRepositoryEntry, TPersistent, [](auto&) {})

VTRL_IMPLEMENT_CLASS(TObjectRepositoryEntry, TCustomObjectRepositoryEntry,
                     [](TClassBuilder<TObjectRepositoryEntry>& b) {
    using E = TCustomObjectRepositoryEntry;
    b.template Reference<TInstallFile>("Ancestor", &E::Ancestor, &E::SetAncestor)
        .String("Author", &E::Author, &E::SetAuthor)
        .String("Description", &E::Description, &E::SetDescription)
        .String("EntryName", &E::EntryName, &E::SetEntryName)
        .String("EntryType", &E::EntryType, &E::SetEntryType)
        .template Reference<TInstallFile>("IconFile", &E::IconFile, &E::SetIconFile)
        .Boolean("OverwriteSameFileName", &E::OverwriteSameFileName, &E::SetOverwriteSameFileName, true)
        .String("Page", &E::Page, &E::SetPage)
        .Boolean("RaiseExceptionOnFailure", &E::RaiseExceptionOnFailure, &E::SetRaiseExceptionOnFailure, false)
        .Boolean("RegisterIt", &E::RegisterIt, &E::SetRegisterIt, false);
})

TCustomObjectRepositoryEntry::TCustomObjectRepositoryEntry(TInstallFile* File, TRepositoryEnvironment Environment)
    : FFile(File), FEnvironment(Environment) {
    if (!File)
        throw Exception(
            "Cannot create the TObjectRepositoryEntry because the file component passed to the contructor was NIL");
}

// The file that owns the entry hears of a referenced file's end and drops it.
void TCustomObjectRepositoryEntry::SetAncestor(TInstallFile* Value) {
    FAncestor = Value;
    if (Value) Value->FreeNotification(FFile);
}

void TCustomObjectRepositoryEntry::SetIconFile(TInstallFile* Value) {
    FIconFile = Value;
    if (Value) Value->FreeNotification(FFile);
}

void TCustomObjectRepositoryEntry::Forget(const TComponent* Component) {
    if (FAncestor == Component) FAncestor = nullptr;
    if (FIconFile == Component) FIconFile = nullptr;
}

void TCustomObjectRepositoryEntry::Assign(const TCustomObjectRepositoryEntry& Source) {
    if (&Source == this) return;
    SetAncestor(Source.FAncestor);
    FAuthor = Source.FAuthor;
    FDescription = Source.FDescription;
    FEntryName = Source.FEntryName;
    FEntryType = Source.FEntryType;
    SetIconFile(Source.FIconFile);
    FOverwriteSameFileName = Source.FOverwriteSameFileName;
    FPage = Source.FPage;
    FRaiseExceptionOnFailure = Source.FRaiseExceptionOnFailure;
    FRegisterIt = Source.FRegisterIt;
}

std::string TCustomObjectRepositoryEntry::InstalledPath(TInstallFile& File) {
    return AddBackSlash(File.ExpandDestDir()) + File.EffectiveDestName();
}

void TCustomObjectRepositoryEntry::RegisterEntry() {
    if (!FRegisterIt) return;
    try {
        WriteEntry();
    } catch (const std::exception& e) {
        if (FRaiseExceptionOnFailure) throw;
        Log("Repository entry of " + FFile->Name() + " for " + RepositoryVersionKey(FEnvironment) +
            " not written: " + e.what());
    }
}

void TCustomObjectRepositoryEntry::WriteEntry() {
    const std::string file = FindRepositoryFile(FEnvironment);
    const std::string bare = ChangeFileExt(FFile->EffectiveDestName(), "");
    if (FOverwriteSameFileName) EraseRepositorySections(file, UpperCase(bare));
    WriteProfile(file, "Repository Pages", FPage.c_str(), "");
    const std::string section = AddBackSlash(FFile->ExpandDestDir()) + bare;
    const std::pair<const char*, std::string> values[] = {
        {"Name", FEntryName}, {"Page", FPage}, {"Type", FEntryType}, {"Description", FDescription}, {"Author", FAuthor},
    };
    for (const auto& [ident, value] : values) WriteProfile(file, section.c_str(), ident, value.c_str());
    if (FIconFile) WriteProfile(file, section.c_str(), "Icon", InstalledPath(*FIconFile).c_str());
    if (FAncestor) WriteProfile(file, section.c_str(), "Ancestor", InstalledPath(*FAncestor).c_str());
    Log("Repository " + file + ": wrote [" + section + "]");
}

// --------------------------------------------------------------- repository

VTRL_IMPLEMENT_CLASS(TCustomRepository, TPersistent, [](auto&) {})

VTRL_IMPLEMENT_CLASS(TRepository, TCustomRepository, [](TClassBuilder<TRepository>& b) {
    b.Object("Delphi2", [](TRepository& r) -> TPersistent* { return r.Delphi2(); })
        .Object("Delphi3", [](TRepository& r) -> TPersistent* { return r.Delphi3(); })
        .Object("CBuilder", [](TRepository& r) -> TPersistent* { return r.CBuilder(); });
})

TCustomRepository::TCustomRepository(TInstallFile* File)
    : FDelphi2(std::make_unique<TObjectRepositoryEntry>(File, reDelphi2)),
      FDelphi3(std::make_unique<TObjectRepositoryEntry>(File, reDelphi3)),
      FCBuilder(std::make_unique<TObjectRepositoryEntry>(File, reCBuilder)) {}

void TCustomRepository::Assign(const TCustomRepository& Source) {
    FDelphi2->Assign(*Source.FDelphi2);
    FDelphi3->Assign(*Source.FDelphi3);
    FCBuilder->Assign(*Source.FCBuilder);
}

void TCustomRepository::RegisterEntries() {
    FDelphi2->RegisterEntry();
    FDelphi3->RegisterEntry();
    FCBuilder->RegisterEntry();
}

void TCustomRepository::Forget(const TComponent* Component) {
    FDelphi2->Forget(Component);
    FDelphi3->Forget(Component);
    FCBuilder->Forget(Component);
}

}  // namespace vtrl
