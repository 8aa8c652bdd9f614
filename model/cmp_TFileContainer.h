// File containers: components that hold files and run the three passes over
// them (compress at build time, install, plain copy), and file groups.
#pragma once

#include <functional>

#include "cmp_TInstallContainer.h"

namespace vtrl {

class TInstallFile;
class TFileStatusParameter;
class TDiskParameter;

using TInstallFileNotifyEvent = TEvent<TInstallFile*>;
using TInstallFileStatusEvent = TEvent<TInstallFile*, int32_t, int32_t>;
using TInstallFileNewDiskEvent = TEvent<TInstallFile*, int32_t, std::string&>;
using TAfterProcessFilesEvent = TEvent<TInstallContainer*, bool>;

class TFileContainer : public TFileRelated {
    VTRL_CLASS(TFileContainer)
public:
    explicit TFileContainer(TComponent* AOwner);
    ~TFileContainer() override;

    int FileCount() const;
    TInstallFile* Files(int Index) const;
    // The first file whose IncludeFromDir + "\" + FileName equals Path
    // (without regard to case), or null.
    TInstallFile* FindFile(std::string_view Path) const;

    // The install pass: reads the archive entries, then installs the helpers.
    void ProcessHelpers() override;
    void DoInformationEventControl(TInstallContainer* Sender, const std::string& EventName,
                                   TPersistent* ParameterObject) override;

    virtual void DoNewDisk(TInstallFile* File, TDiskParameter& Disk);
    virtual void DoReplacing(TInstallFile* File);
    virtual void DoStatus(TInstallFile* File, TFileStatusParameter& Status);
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
    // Runs Body as the pass Pass: State is Pass meanwhile and fcsNone
    // after, and "DoneCopyingFiles" is broadcast at the end, also when
    // Body raised.
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
