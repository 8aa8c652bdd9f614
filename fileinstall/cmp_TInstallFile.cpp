// TInstallFile: property rules (type detection, DLL kinds and their forced
// destinations, the 8.3 rule for DLLs, duplicate sources in a container).
#include "cmp_TInstallFile.h"

#include "types_Installation.h"

namespace vtrl {

namespace {
bool IsDLLKind(TInstallFileType t) { return t >= iftJustADLL && t <= iftSystemWideDLL; }
}  // namespace

VTRL_IMPLEMENT_CLASS(TInstallFile, TInstallFileBase, [](TClassBuilder<TInstallFile>& b) {
    b.Enum<TlzhCommand>("AddToArchive", &TFileRelated::AddToArchive, &TFileRelated::SetAddToArchive, lzcOverwrite)
        .String("ArchiveFile", &TFileRelated::ArchiveFile, &TFileRelated::SetArchiveFile)
        .Enum<TPathSpecifiers>("ArchiveFileType", &TFileRelated::ArchiveFileType, &TFileRelated::SetArchiveFileType)
        .String("DestDir", &TInstallContainer::DestDir, &TInstallFile::SetDestDir)
        .Enum<TPathSpecifiers>("DestDirType", &TInstallContainer::DestDirType, &TInstallFile::SetDestDirType)
        .String("DestName", &TInstallFile::DestName, &TInstallFile::SetDestName)
        .String("FileName", &TInstallFile::FileName, &TInstallFile::SetFileName)
        .Enum<TInstallFileType>("FileType", &TInstallFile::FileType, &TInstallFile::SetFileType, iftNormal)
        .String("IncludeFromDir", &TInstallFile::IncludeFromDir, &TInstallFile::SetIncludeFromDir)
        .Boolean("Include", &TInstallContainer::Include, &TInstallContainer::SetInclude, true)
        .Set<TInstallType>("InstallTypes", &TInstallContainer::InstallTypes, &TInstallContainer::SetInstallTypes,
                           TInstallTypes{itAlways})
        .Integer("Order", &TInstallContainer::Order, &TInstallContainer::SetOrder)
        .Enum<TOverwriteType>("OverwriteMode", &TInstallFile::OverwriteMode, &TInstallFile::SetOverwriteMode, owAlways)
        .Boolean("RegisterAsActiveX_DLLStyle", &TInstallFile::RegisterAsActiveX_DLLStyle,
                 &TInstallFile::SetRegisterAsActiveX_DLLStyle, false)
        .Boolean("RegisterAsActiveX_EXEStyle", &TInstallFile::RegisterAsActiveX_EXEStyle,
                 &TInstallFile::SetRegisterAsActiveX_EXEStyle, false)
        .Boolean("RegisterAsHelp", &TInstallFile::RegisterAsHelp, &TInstallFile::SetRegisterAsHelp, false)
        .Object("Repository", [](TInstallFile& f) -> TPersistent* { return &f.Repository(); })
        .Enum<TInstallFileState>("State", &TInstallFile::State, &TInstallFile::SetState, ifsNone)
        .Boolean("UpdateDLLCounter", &TInstallFile::UpdateDLLCounter, &TInstallFile::SetUpdateDLLCounter, false)
        .Event("OnAfterCompress", &TInstallFile::OnAfterCompress)
        .Event("OnAfterCopy", &TInstallFile::OnAfterCopy)
        .Event("OnAfterInstallFile", &TInstallFile::OnAfterInstallFile)
        .Event("OnBeforeCompress", &TInstallFile::OnBeforeCompress)
        .Event("OnBeforeCopy", &TInstallFile::OnBeforeCopy)
        .Event("OnBeforeInstallFile", &TInstallFile::OnBeforeInstallFile)
        .Event("OnStatus", &TInstallFile::OnStatus)
        .Event("OnNewDisk", &TInstallFile::OnNewDisk)
        .Event("OnReplacing", &TInstallFile::OnReplacing);
})

TInstallFile::TInstallFile(TComponent* AOwner) : TInstallFileBase(AOwner) {}

void TInstallFile::SetRepository(const TRepository& Value) { FRepository.Assign(Value); }

void TInstallFile::Notification(TComponent* AComponent, TOperation Operation) {
    TInstallFileBase::Notification(AComponent, Operation);
    if (Operation == opRemove) FRepository.Forget(AComponent);
}

// ------------------------------------------------------------- setters

void TInstallFile::CheckDuplicate(TInstallContainer* InContainer, const std::string& Path) const {
    auto* group = As<TFileContainer>(InContainer);
    if (!group) return;
    TInstallFileBase* other = group->FindFile(Path);
    if (other && other != this) throw EAIIFDuplicateFileInGroup(Path);
}

void TInstallFile::SetContainer(TInstallContainer* Value) {
    if (!Loading() && Value) {
        if (!As<TFileContainer>(Value)) throw EAIIFNotFileContainer(Name());
        CheckDuplicate(Value, SourcePath());
    }
    TFileRelated::SetContainer(Value);
}

void TInstallFile::SetFileName(const std::string& Value) {
    if (Loading()) {
        FFileName = Value;
        return;
    }
    if (Value == FFileName) return;
    CheckDuplicate(FContainer, SourceKey(FIncludeFromDir, Value));
    FFileName = Value;
    SetDestName(Value);
    DetectType();
}

void TInstallFile::SetIncludeFromDir(const std::string& Value) {
    if (Loading()) {
        FIncludeFromDir = Value;
        return;
    }
    if (Value == FIncludeFromDir) return;
    CheckDuplicate(FContainer, SourceKey(Value, FFileName));
    FIncludeFromDir = Value;
    DetectType();
}

void TInstallFile::DetectType() {
    const std::string ext = UpperCase(ExtractFileExt(FFileName));
    FRegisterAsHelp = ext == ".HLP" || ext == ".CNT";
    bool flag = false;
    try {
        flag = HasSelfRegisterFlag();
    } catch (...) {
        flag = false;
    }
    // The two registration styles exclude each other, as their setters say:
    // a file renamed from a server program to an OCX is no longer one.
    if (ext == ".OCX" || (ext != ".EXE" && flag)) {
        FRegisterAsActiveX_DLLStyle = true;
        FRegisterAsActiveX_EXEStyle = false;
    } else if (ext == ".EXE" && flag) {
        FRegisterAsActiveX_EXEStyle = true;
        FRegisterAsActiveX_DLLStyle = false;
    } else {
        FRegisterAsActiveX_DLLStyle = false;
    }
    if (FRegisterAsActiveX_DLLStyle || FRegisterAsActiveX_EXEStyle) FUpdateDLLCounter = true;
}

void TInstallFile::SetDestName(const std::string& Value) {
    FDestName = Value;
    if (Loading()) return;
    if (IsDLLKind(FFileType) && Value.size() > 12) {
        FDestName = "12345678.DLL";
        throw EAIIFDLLNameConflict(FFileName);
    }
}

void TInstallFile::SetFileType(TInstallFileType Value) {
    if (!Loading()) {
        if (IsDLLKind(Value) && FDestName.size() > 12) {
            FDestName = "12345678.DLL";
            throw EAIIFDLLNameConflict(FFileName);
        }
        switch (Value) {
        case iftApplicationSpecificDLL:
            FDestDirType = ddMainInstallDir;
            FDestDir = "\\System";
            break;
        case iftVendorSharedDLL:
            FDestDirType = ddCommonFilesDir;
            FDestDir = "\\System";
            FUpdateDLLCounter = true;
            break;
        case iftSystemWideDLL:
            FDestDirType = ddSystem;
            FDestDir.clear();
            FOverwriteMode = owVersionDate;
            FUpdateDLLCounter = true;
            break;
        default: break;
        }
    }
    FFileType = Value;
}

void TInstallFile::SetDestDir(const std::string& Value) {
    if (Loading()) {
        FDestDir = Value;
        return;
    }
    switch (FFileType) {
    case iftApplicationSpecificDLL:
    case iftVendorSharedDLL: FDestDir = "\\System"; break;
    case iftSystemWideDLL: FDestDir.clear(); break;
    default: FDestDir = Value;
    }
}

void TInstallFile::SetDestDirType(TPathSpecifiers Value) {
    if (!Loading()) {
        if (FFileType == iftApplicationSpecificDLL && Value != ddMainInstallDir)
            RaiseFmt("DestDirType must be set to ddMainInstall for iftApplicationSpecificDLL files");
        if (FFileType == iftVendorSharedDLL && Value != ddCommonFilesDir)
            RaiseFmt("DestDirType must be set to ddCommonFiles for iftVendorSharedDLL");
        if (FFileType == iftSystemWideDLL && Value != ddSystem)
            RaiseFmt("DestDirType must be set to ddSystem for iftSystemWideDLL files");
    }
    TFileRelated::SetDestDirType(Value);
}

void TInstallFile::SetRegisterAsActiveX_DLLStyle(bool Value) {
    FRegisterAsActiveX_DLLStyle = Value;
    if (!Loading() && Value) {
        FRegisterAsActiveX_EXEStyle = false;
        FUpdateDLLCounter = true;
    }
}

void TInstallFile::SetRegisterAsActiveX_EXEStyle(bool Value) {
    FRegisterAsActiveX_EXEStyle = Value;
    if (!Loading() && Value) {
        FRegisterAsActiveX_DLLStyle = false;
        FUpdateDLLCounter = true;
    }
}

void TInstallFile::SetState(TInstallFileState Value) {
    if (Loading()) {
        FState = Value;
        return;
    }
    FState = Value;
    try {
        switch (Value) {
        case ifsCompress: CompressFile(); break;
        case ifsInstall: Process(); break;
        case ifsCopying: CopyFile(); break;
        case ifsNone: break;
        }
    } catch (...) {
        FState = ifsNone;
        throw;
    }
    FState = ifsNone;
}

std::string TInstallFile::SourceKey(const std::string& Dir, const std::string& Name) {
    return (Dir.empty() || Dir.back() != '\\' ? Dir + "\\" : Dir) + Name;
}

std::string TInstallFile::DestinationPath() { return AddBackSlash(ExpandDestDir()) + EffectiveDestName(); }

std::string TInstallFile::CheckedArchiveFile() {
    std::string archive = ExpandArchiveFile();
    if (Trim(archive).empty()) throw EAIIFBlankArchiveFile(FFileName);
    return archive;
}

void TInstallFile::UserAbort(TComponent*) { throw EAIUserAbort(); }

}  // namespace vtrl
