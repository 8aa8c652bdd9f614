// The object repository of the development environments: each installed
// file may carry an entry for Delphi 2.0, Delphi 3.0 and C++Builder 1.0
// (a form template and the like), written into that environment's
// repository file (an INI file) once the file is installed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"

namespace vtrl {

class TInstallFile;

// The environments, by the number an entry keeps.
enum TRepositoryEnvironment : int { reDelphi3 = 0, reDelphi2 = 1, reCBuilder = 2 };

// ---------------------------------------------------------------- routines

// The environment's registry key below "\Software\Borland"
// ("\Delphi\3.0", "\Delphi\2.0", "\C++Builder\1.0") and its repository
// file's name ("DELPHI32.DRO" or "BCB.DRO").
std::string RepositoryVersionKey(TRepositoryEnvironment Environment);
std::string RepositoryFileName(TRepositoryEnvironment Environment);

// The environment's repository file: in the per-user "BaseDir" of
// HKEY_CURRENT_USER "\Software\Borland<version>\repository" when that is
// set, else "Bin\" below the machine-wide "RootDir" of HKEY_LOCAL_MACHINE
// "\Software\Borland<version>". Raises Exception when both are blank or the
// file does not exist.
std::string FindRepositoryFile(TRepositoryEnvironment Environment);

// The section names of an INI file's text: every line that, trimmed, is
// longer than one character and starts with "[", less its first and last
// character.
std::vector<std::string> RepositorySections(const std::string& Text);

// Erases from the repository file every section whose upper-cased name
// contains UpperPart, but only when the file has more than one section.
// Raises Exception when the file cannot be read or written.
void EraseRepositorySections(const std::string& File, const std::string& UpperPart);

// ------------------------------------------------------------------ entries

// One file's entry for one environment. The published form is
// TObjectRepositoryEntry.
class TCustomObjectRepositoryEntry : public TPersistent {
    VTRL_CLASS(TCustomObjectRepositoryEntry)
public:
    // Raises Exception when File is null.
    TCustomObjectRepositoryEntry(TInstallFile* File, TRepositoryEnvironment Environment);

    TInstallFile* Ancestor() const { return FAncestor; }
    void SetAncestor(TInstallFile* Value);
    const std::string& Author() const { return FAuthor; }
    void SetAuthor(const std::string& v) { FAuthor = v; }
    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& v) { FDescription = v; }
    const std::string& EntryName() const { return FEntryName; }
    void SetEntryName(const std::string& v) { FEntryName = v; }
    const std::string& EntryType() const { return FEntryType; }
    void SetEntryType(const std::string& v) { FEntryType = v; }
    TInstallFile* IconFile() const { return FIconFile; }
    void SetIconFile(TInstallFile* Value);
    bool OverwriteSameFileName() const { return FOverwriteSameFileName; }
    void SetOverwriteSameFileName(bool v) { FOverwriteSameFileName = v; }
    const std::string& Page() const { return FPage; }
    void SetPage(const std::string& v) { FPage = v; }
    bool RaiseExceptionOnFailure() const { return FRaiseExceptionOnFailure; }
    void SetRaiseExceptionOnFailure(bool v) { FRaiseExceptionOnFailure = v; }
    bool RegisterIt() const { return FRegisterIt; }
    void SetRegisterIt(bool v) { FRegisterIt = v; }

    TInstallFile* File() const { return FFile; }
    TRepositoryEnvironment Environment() const { return FEnvironment; }

    // Copies the published properties (not the file or the environment).
    void Assign(const TCustomObjectRepositoryEntry& Source);
    // Writes the entry into its environment's repository file; nothing when
    // RegisterIt is false. A failure is raised again with
    // RaiseExceptionOnFailure, else logged and passed over.
    void RegisterEntry();
    // Drops a reference to a file that is going away.
    void Forget(const TComponent* Component);

private:
    // The section of an installed file: its folder and its name without
    // the extension.
    static std::string InstalledPath(TInstallFile& File);
    void WriteEntry();

    TInstallFile* FFile;
    TRepositoryEnvironment FEnvironment;
    TInstallFile* FAncestor = nullptr;
    std::string FAuthor;
    std::string FDescription;
    std::string FEntryName;
    std::string FEntryType;
    TInstallFile* FIconFile = nullptr;
    bool FOverwriteSameFileName = true;
    std::string FPage;
    bool FRaiseExceptionOnFailure = false;
    bool FRegisterIt = false;
};

class TObjectRepositoryEntry : public TCustomObjectRepositoryEntry {
    VTRL_CLASS(TObjectRepositoryEntry)
public:
    using TCustomObjectRepositoryEntry::TCustomObjectRepositoryEntry;
};

// A file's three entries. The published form is TRepository, the
// Repository property of every TInstallFile.
class TCustomRepository : public TPersistent {
    VTRL_CLASS(TCustomRepository)
public:
    explicit TCustomRepository(TInstallFile* File);

    TObjectRepositoryEntry* Delphi2() const { return FDelphi2.get(); }
    TObjectRepositoryEntry* Delphi3() const { return FDelphi3.get(); }
    TObjectRepositoryEntry* CBuilder() const { return FCBuilder.get(); }

    void Assign(const TCustomRepository& Source);
    // Registers Delphi2, Delphi3 and CBuilder, in this order.
    void RegisterEntries();
    void Forget(const TComponent* Component);

private:
    std::unique_ptr<TObjectRepositoryEntry> FDelphi2;
    std::unique_ptr<TObjectRepositoryEntry> FDelphi3;
    std::unique_ptr<TObjectRepositoryEntry> FCBuilder;
};

class TRepository : public TCustomRepository {
    VTRL_CLASS(TRepository)
public:
    using TCustomRepository::TCustomRepository;
};

}  // namespace vtrl
