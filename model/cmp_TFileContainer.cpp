// File containers: the three passes, the upward event handling with its
// progress bookkeeping, and file groups.
#include "cmp_TFileContainer.h"

#include <cmath>

#include "Forms.h"
#include "FileShim.h"
#include "cmp_TVtrlCompress.h"
#include "routines_ExpandPaths.h"
#include "routines_UninstallRecord.h"
#include "types_InstallEvents.h"

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TInstallFileBase, TFileRelated, [](auto&) {})

VTRL_IMPLEMENT_CLASS(TFileContainer, TFileRelated, [](TClassBuilder<TFileContainer>& b) {
    b.Enum<TlzhCommand>("AddToArchive", &TFileContainer::AddToArchive, &TFileContainer::SetAddToArchive, lzcOverwrite)
        .String("ArchiveFile", &TFileContainer::ArchiveFile, &TFileContainer::SetArchiveFile)
        .Enum<TPathSpecifiers>("ArchiveFileType", &TFileContainer::ArchiveFileType, &TFileContainer::SetArchiveFileType)
        .Set<TInstallType>("InstallTypes", &TFileContainer::InstallTypes, &TFileContainer::SetInstallTypes,
                           TInstallTypes{itAlways})
        .Enum<TFileContainerState>("State", &TFileContainer::State, &TFileContainer::SetState, fcsNone)
        .Event("OnCloseCopyFileDlg", &TFileContainer::OnCloseCopyFileDlg)
        .Event("OnNewDisk", &TFileContainer::OnNewDisk)
        .Event("OnReplacing", &TFileContainer::OnReplacing)
        .Event("OnShowCopyFileDlg", &TFileContainer::OnShowCopyFileDlg)
        .Event("OnStatus", &TFileContainer::OnStatus);
})

TFileContainer::TFileContainer(TComponent* AOwner) : TFileRelated(AOwner) {}

TFileContainer::~TFileContainer() {
    ComponentState.Include(csDestroying);
    FreeFiles();
}

int TFileContainer::FileCount() const { return CompCount(TInstallFileBase::StaticClass()); }

TInstallFileBase* TFileContainer::Files(int Index) const { return Comp<TInstallFileBase>(Index); }

TInstallFileBase* TFileContainer::FindFile(std::string_view Path) const {
    for (TInstallContainer* h : FHelpers)
        if (auto* f = As<TInstallFileBase>(h); f && SameText(f->SourcePath(), Path)) return f;
    return nullptr;
}

void TFileContainer::FreeFiles() { FreeHelpersOfClass(TInstallFileBase::StaticClass()); }

void TFileContainer::SetState(TFileContainerState Value) {
    if (Loading()) {
        FState = Value;
        return;
    }
    try {
        switch (Value) {
        case fcsCompress: Compress(false); break;
        case fcsInstall: Process(); break;
        case fcsCopy: CopyFiles(); break;
        case fcsNone: break;
        }
    } catch (...) {
        FState = fcsNone;
        throw;
    }
    FState = fcsNone;
}

// ------------------------------------------------------------ the passes

void TFileContainer::ReadArchiveInfo() {
    TCursorGuard hourglass(crHourGlass);
    for (TInstallContainer* h : std::vector<TInstallContainer*>(FHelpers))
        if (auto* f = As<TInstallFileBase>(h)) f->ReadArchiveInfo();
    for (TInstallContainer* h : std::vector<TInstallContainer*>(FHelpers))
        if (auto* c = As<TFileContainer>(h)) c->ReadArchiveInfo();
}

void TFileContainer::ReadSourceInfo() {
    for (TInstallContainer* h : std::vector<TInstallContainer*>(FHelpers))
        if (auto* f = As<TInstallFileBase>(h)) f->ReadSourceInfo();
    for (TInstallContainer* h : std::vector<TInstallContainer*>(FHelpers))
        if (auto* c = As<TFileContainer>(h)) c->ReadSourceInfo();
}

void TFileContainer::ProcessHelpers() {
    FState = fcsInstall;
    // Every file of the pass resolves its destination through the same few
    // special folders and directories.
    TPathCacheScope paths;
    // ... and appends to the same few keys of the uninstall record.
    TRecordAppendScope record;
    RunFilePass(
        *this,
        [&] {
            ReadArchiveInfo();
            Broadcast(ev::eccBeforeInstallFileGroup);
            SendUp(ev::eieBPFileContainer, this);
            FTotalSize = TotalSize(false);
            FDoneSize = 0;
            if (OnShowCopyFileDlg) OnShowCopyFileDlg(this);
            TInstallContainer::ProcessHelpers();
            SendUp(ev::eieAPFileContainer, this);
        },
        [&] { FState = fcsNone; },
        [&](bool WasAborted) {
            // The files of this container kept the archive open between them;
            // within its container's pass it stays open (and read ahead) for
            // the files that follow, and that pass closes it.
            auto* parent = As<TFileContainer>(FContainer);
            if (WasAborted || !parent || parent->State() != fcsInstall) VtrlCompress().CloseArchive();
            if (OnCloseCopyFileDlg) OnCloseCopyFileDlg(this, WasAborted);
        });
}

void TFileContainer::CompressHelper(TFileRelated* Helper, bool AllInOne) {
    const TlzhCommand addToArchive = Helper->AddToArchive();
    const TPathSpecifiers archiveFileType = Helper->ArchiveFileType();
    const std::string archiveFile = Helper->ArchiveFile();
    const bool include = Helper->Include();
    auto restore = [&] {
        Helper->SetAddToArchive(addToArchive);
        if (AllInOne) {
            Helper->SetArchiveFileType(archiveFileType);
            Helper->SetArchiveFile(archiveFile);
            Helper->SetInclude(include);
        }
    };
    Helper->SetAddToArchive(lzcOnlyAdd);
    if (AllInOne) {
        Helper->SetArchiveFileType(ddContainerArchiveFile);
        Helper->SetArchiveFile("");
        Helper->SetInclude(true);
    }
    try {
        if (auto* c = As<TFileContainer>(Helper)) c->Compress(AllInOne);
        else if (auto* f = As<TInstallFileBase>(Helper)) f->CompressFile();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void RunFilePass(TInstallContainer& Sender, const std::function<void()>& Body, const std::function<void()>& Reset,
                 const std::function<void(bool WasAborted)>& Closing, bool SkipQuietly, bool MarksAbort) {
    std::exception_ptr failure;
    try {
        Body();
    } catch (const EAbort&) {
        if (!SkipQuietly) failure = std::current_exception();
    } catch (...) {
        failure = std::current_exception();
    }
    Reset();
    try {
        TVtrlCompress& archive = VtrlCompress();
        // A pass that failed was not the whole copy either: what follows a
        // finished copy must not run after it.
        const bool wasAborted = archive.Abort || failure;
        if (MarksAbort) archive.Abort = true;
        try {
            Sender.Broadcast(ev::DoneCopyingFiles);
        } catch (...) {
            archive.Abort = true;
            throw;
        }
        if (Closing) Closing(wasAborted);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (failure) std::rethrow_exception(failure);
}

void TFileContainer::RunPass(TFileContainerState Pass, const std::function<void()>& Body) {
    FState = Pass;
    RunFilePass(*this, Body, [&] { FState = fcsNone; });
}

void TFileContainer::Compress(bool AllInOne) {
    RunPass(fcsCompress, [&] {
        if (OnBeforeProcess) OnBeforeProcess(this);
        if (!FInclude) return;
        SendUp(ev::eieBPFileContainer, this);
        // The container whose pass compresses this one has read the facts
        // of the whole tree already.
        auto* outer = As<TFileContainer>(Container());
        if (!outer || outer->State() != fcsCompress) ReadSourceInfo();
        FTotalSize = TotalSize(AllInOne);
        FDoneSize = 0;
        if (FAddToArchive == lzcOverwrite) {
            const std::string archive = ExpandArchiveFile();
            const std::string first = ChangeFileExt(archive, ".1");
            VtrlCompress().CloseArchive();
            if (FileExists(first) && !FileDelete(first)) RaiseFmt("Cannot delete archive file %s", archive);
        }
        for (size_t i = 0; i < FHelpers.size(); ++i)
            if (auto* r = As<TFileRelated>(FHelpers[i]); r && (As<TFileContainer>(r) || As<TInstallFileBase>(r)))
                CompressHelper(r, AllInOne);
        if (OnAfterProcess) OnAfterProcess(this);
        SendUp(ev::eieAPFileContainer, this);
    });
}

void TFileContainer::CopyFiles() {
    RunPass(fcsCopy, [&] {
        if (OnBeforeProcess) OnBeforeProcess(this);
        if (!FInclude) return;
        SendUp(ev::eieBPFileContainer, this);
        ReadSourceInfo();
        FTotalSize = TotalSize(false);
        FDoneSize = 0;
        for (size_t i = 0; i < FHelpers.size(); ++i)
            if (auto* f = As<TInstallFileBase>(FHelpers[i])) f->CopyFile();
        for (size_t i = 0; i < FHelpers.size(); ++i)
            if (auto* c = As<TFileContainer>(FHelpers[i])) c->CopyFiles();
        if (OnAfterProcess) OnAfterProcess(this);
        SendUp(ev::eieAPFileContainer, this);
    });
}

int32_t TFileContainer::TotalSize(bool CountAll) const {
    int64_t sum = 0;
    for (TInstallContainer* h : FHelpers) {
        if (!CountAll && !h->IsCountedInTotals()) continue;
        if (auto* f = As<TInstallFileBase>(h)) sum += f->UnpackedSize();
        else if (auto* c = As<TFileContainer>(h)) sum += c->TotalSize(CountAll);
    }
    return static_cast<int32_t>(sum);
}

int32_t TFileContainer::TotalArchivedSize(bool CountAll) const {
    int64_t sum = 0;
    for (TInstallContainer* h : FHelpers) {
        if (!CountAll && !h->IsCountedInTotals()) continue;
        if (auto* f = As<TInstallFileBase>(h)) sum += f->ArchivedSize();
        else if (auto* c = As<TFileContainer>(h)) sum += c->TotalArchivedSize(CountAll);
    }
    return static_cast<int32_t>(sum);
}

// ------------------------------------------------------ the upward path

namespace {

// The two-item list of a status or disk event, checked as the messages say.
TParameterList& CheckedList(TPersistent* p, const char* nilMessage) {
    if (!p) RaiseFmt(nilMessage);
    auto* list = As<TParameterList>(p);
    if (!list) RaiseFmt("DoInformationEventControl--PO is not a TList object");
    if (list->Count() < 2) RaiseFmt("DoInformationEventControl--Not engouh parameters for status event");
    if (!As<TInstallFileBase>(list->Items[0])) RaiseFmt("DoInformationEventControl says bad first parameter");
    return *list;
}

const char* const NilInGroup = "The ParameterObject is Nil in the DoInformationEventControl method of the TInstallFileGroup";

}  // namespace

void TFileContainer::DoInformationEventControl(TInstallContainer* Sender, TEventName EventName,
                                               TPersistent* ParameterObject) {
    if (FState == fcsNone) return;
    if (EventName == ev::eieInstallingFile || EventName == ev::eieCopyingFile || EventName == ev::eieCompressingFile)
        HandleStatus(ParameterObject);
    else if (EventName == ev::eieReplaceInstallFile)
        HandleReplace(ParameterObject);
    else if (EventName == ev::eieChangeDisk)
        HandleChangeDisk(ParameterObject);
    SendUp(EventName, ParameterObject);
}

void TFileContainer::HandleStatus(TPersistent* ParameterObject) {
    TParameterList& list = CheckedList(ParameterObject, NilInGroup);
    auto* status = As<TFileStatusParameter>(list.Items[1]);
    if (!status) RaiseFmt("DoInformationEventControl says bad second parameter");
    status->TotalBytesDone = FDoneSize + status->BytesDone;
    status->TotalPercentDone =
        FTotalSize == 0 ? 0 : static_cast<int32_t>(std::lround(status->TotalBytesDone / double(FTotalSize) * 100.0));
    DoStatus(static_cast<TInstallFileBase*>(list.Items[0]), *status);
    if (status->FileStats.Finished) FDoneSize += status->FileStats.FullSize;
}

void TFileContainer::HandleReplace(TPersistent* ParameterObject) {
    if (!ParameterObject)
        RaiseFmt("The ParameterObject is Nil in the DoInformationEventControl method of the TFileContainer");
    auto* file = As<TInstallFileBase>(ParameterObject);
    if (!file) RaiseFmt("DoInformationEventControl parameter is not TInstallFile");
    DoReplacing(file);
}

void TFileContainer::HandleChangeDisk(TPersistent* ParameterObject) {
    TParameterList& list = CheckedList(ParameterObject, NilInGroup);
    auto* disk = As<TDiskParameter>(list.Items[1]);
    if (!disk) RaiseFmt("DoInformationEventControl says bad second parameter");
    DoNewDisk(static_cast<TInstallFileBase*>(list.Items[0]), *disk);
    Broadcast(ev::ChangeDisk, &list);
}

void TFileContainer::DoStatus(TInstallFileBase* File, TFileStatusParameter& Status) {
    if (OnStatus) OnStatus(File, Status.FilePercentDone, Status.TotalPercentDone);
    Broadcast(ev::CopyingFile, &Status);
}

void TFileContainer::DoReplacing(TInstallFileBase* File) {
    if (OnReplacing) OnReplacing(File);
    Broadcast(ev::ReplacingFile, File);
}

void TFileContainer::DoNewDisk(TInstallFileBase* File, TDiskParameter& Disk) {
    if (!OnNewDisk) return;
    std::string path = Disk.Path;
    OnNewDisk(File, Disk.NewDisk, path);
    // The file's own disk prompt is skipped once a handler has answered.
    File->Tag = 1;
    Disk.Path = path;
}

// ----------------------------------------------------------- file groups

VTRL_IMPLEMENT_CLASS(TInstallFileGroup, TFileContainer, [](TClassBuilder<TInstallFileGroup>& b) {
    b.Boolean("AllowChoice", &TFileContainer::AllowChoice, &TFileContainer::SetAllowChoice, true)
        .Boolean("AllowChangeDir", &TFileContainer::AllowChangeDir, &TFileContainer::SetAllowChangeDir, true)
        .Strings("Description", &TFileContainer::Description,
                 [](TFileContainer& c, TStringList& l) { c.SetDescription(l); })
        .String("DestDir", &TInstallContainer::DestDir, &TInstallContainer::SetDestDir)
        .Enum<TPathSpecifiers>("DestDirType", &TInstallContainer::DestDirType, &TInstallContainer::SetDestDirType)
        .Boolean("Include", &TInstallContainer::Include, &TInstallContainer::SetInclude, true)
        .String("GroupName", &TFileContainer::GroupName, &TFileContainer::SetGroupName)
        .Integer("Order", &TInstallContainer::Order, &TInstallContainer::SetOrder)
        .Event("OnAfterProcess", &TInstallContainer::OnAfterProcess)
        .Event("OnBeforeProcess", &TInstallContainer::OnBeforeProcess);
})

TInstallFileGroup::TInstallFileGroup(TComponent* AOwner) : TFileContainer(AOwner) {
    FProcessWithContainer = true;
    FInclude = true;
    FRank = rkFileGroup;
    FGroupName = FContainer ? "Group #" + IntToStr(FContainer->FileContainerCount()) : "Unnamed File Group";
}

}  // namespace vtrl
