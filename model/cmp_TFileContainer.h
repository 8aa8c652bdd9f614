// File containers: components that hold files and run the three passes over
// them (compress at build time, install, plain copy), and file groups.
#pragma once

#include <functional>

#include "cmp_TInstallFileBase.h"

namespace vtrl {

class TFileStatusParameter;
class TDiskParameter;

using TInstallFileNotifyEvent = TEvent<TInstallFileBase*>;
using TInstallFileStatusEvent = TEvent<TInstallFileBase*, int32_t, int32_t>;
using TInstallFileNewDiskEvent = TEvent<TInstallFileBase*, int32_t, std::string&>;
using TAfterProcessFilesEvent = TEvent<TInstallContainer*, bool>;

// Runs Body as one pass over files and ends it the one way every pass ends:
// Reset puts the state back, the shared archive component's Abort is set
// when MarksAbort (every archive operation clears it when it starts; a
// file's install pass leaves it, so that its container still sees whether
// the person aborted), Sender broadcasts "DoneCopyingFiles" (Abort is set
// when that raises), and Closing, when given, runs with whether the
// archive had been aborted or Body failed.
// A failure of Body goes on after that; a failure while closing is raised
// only when Body did not fail, so the first failure is the one reported.
// With SkipQuietly a silent abort of Body (a file left out) is no failure.
void RunFilePass(TInstallContainer& Sender, const std::function<void()>& Body, const std::function<void()>& Reset,
                 const std::function<void(bool WasAborted)>& Closing = {}, bool SkipQuietly = false,
                 bool MarksAbort = true);

class TFileContainer : public TFileRelated {
    VTRL_CLASS(TFileContainer)
public:
    explicit TFileContainer(TComponent* AOwner);
    ~TFileContainer() override;

    int FileCount() const;
    TInstallFileBase* Files(int Index) const;
    // The first file whose IncludeFromDir + "\" + FileName equals Path
    // (without regard to case), or null.
    TInstallFileBase* FindFile(std::string_view Path) const;

    // The install pass: reads the archive entries, then installs the helpers.
    void ProcessHelpers() override;
    void DoInformationEventControl(TInstallContainer* Sender, TEventName EventName,
                                   TPersistent* ParameterObject) override;

    virtual void DoNewDisk(TInstallFileBase* File, TDiskParameter& Disk);
    virtual void DoReplacing(TInstallFileBase* File);
    virtual void DoStatus(TInstallFileBase* File, TFileStatusParameter& Status);
    // Setting a state other than fcsNone runs that pass; afterwards the
    // state is fcsNone again, also when the pass raised.
    virtual void SetState(TFileContainerState Value);
    // The copy pass: copies the files without packing.
    virtual void CopyFiles();
    virtual void FreeFiles();
    // The build pass: compresses the files into the archive; AllInOne puts
    // every nested container's files into this container's archive.
    virtual void Compress(bool AllInOne);
    virtual void ReadArchiveInfo();
    virtual void ReadSourceInfo();
    virtual int32_t TotalArchivedSize(bool CountAll) const;
    virtual int32_t TotalSize(bool CountAll) const;

    TFileContainerState State() const { return FState; }
    bool AllowChangeDir() const { return FAllowChangeDir; }
    void SetAllowChangeDir(bool v) { FAllowChangeDir = v; }
    bool AllowChoice() const { return FAllowChoice; }
    void SetAllowChoice(bool v) { FAllowChoice = v; }
    const TStringList& Description() const { return FDescription; }
    void SetDescription(const TStringList& v) { FDescription = v; }
    const std::string& GroupName() const { return FGroupName; }
    void SetGroupName(const std::string& v) { FGroupName = v; }
    int32_t TotalSizeOfPass() const { return FTotalSize; }
    int32_t DoneSize() const { return FDoneSize; }

    TInstallFileStatusEvent OnStatus;
    TInstallFileNewDiskEvent OnNewDisk;
    TInstallFileNotifyEvent OnReplacing;
    TAfterProcessFilesEvent OnCloseCopyFileDlg;
    TInstallContainerNotifyEvent OnShowCopyFileDlg;

protected:
    void HandleStatus(TPersistent* ParameterObject);
    void HandleReplace(TPersistent* ParameterObject);
    void HandleChangeDisk(TPersistent* ParameterObject);
    // Runs Body as the pass Pass (RunFilePass): State is Pass meanwhile and
    // fcsNone after.
    void RunPass(TFileContainerState Pass, const std::function<void()>& Body);
    // Compresses one helper into this container's archive, with the
    // helper's archive settings adjusted for the pass and restored after.
    void CompressHelper(TFileRelated* Helper, bool AllInOne);

    int32_t FTotalSize = 0;
    int32_t FDoneSize = 0;
    bool FAllowChangeDir = true;
    bool FAllowChoice = true;
    TStringList FDescription;
    std::string FGroupName;
    TFileContainerState FState = fcsNone;
};

// A group of files that the user can include or leave out.
class TInstallFileGroup : public TFileContainer {
    VTRL_CLASS(TInstallFileGroup)
public:
    explicit TInstallFileGroup(TComponent* AOwner);
};

}  // namespace vtrl
