// The component classes the definition fuzz target reads into: every
// property kind, sub-objects two levels deep, references, events, and
// classes named like those of the shipped definitions so that the seed
// corpus reads deep instead of stopping at the first class name.
#pragma once

#include "TypInfo.h"

namespace vtrl::fuzz {

VTRL_ENUM(TFuzzDirType, ddAbsolute, ddSystem, ddWindows, ddProgramFilesDir, ddCommonFilesDir, ddContainerDestDir,
          ddMainInstallDir, ddDesktopMenuDir, ddProgramMenuDir, ddStartMenuDir, ddFontDir, ddStartUpMenuDir,
          ddLoading, ddContainerArchiveFile)
VTRL_ENUM(TFuzzOverwrite, owAlways, owNever, owVersion, owDate, owVersionDate)
VTRL_ENUM(TFuzzInstallType, itAlways, itTypical, itCompact, itCustom)

class TFuzzDetails : public TPersistent {
    VTRL_CLASS(TFuzzDetails)
public:
    int32_t Code = 0;
    TFuzzOverwrite Kind = owAlways;
    TSet<TFuzzInstallType> Flags;
    std::string Note;
    double Scale = 0;
};

class TFuzzInfo : public TPersistent {
    VTRL_CLASS(TFuzzInfo)
public:
    std::string CompanyName;
    std::string ProductName;
    std::string Version;
    int32_t Build = 0;
    TFuzzDetails Details;
    TFuzzDetails* GetDetails() { return &Details; }
};

// Everything below the root. Its setters and Loaded fail on some values,
// as a real class may, so that the reader's handling of a class's failure
// is driven too.
class TFuzzItem : public TComponent {
    VTRL_CLASS(TFuzzItem)
public:
    using TComponent::TComponent;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { FCaption = v; }
    int32_t Order() const { return FOrder; }
    void SetOrder(int32_t v);
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* p) override { FParent = p; }
    void Loaded() override;
    TFuzzInfo* GetInformation() { return &Information; }

    std::string GroupName, DestDir, IncludeFromDir, FileName, DestName, ArchiveFile, Hint;
    int32_t Size = 0;
    TFuzzDirType DestDirType = ddAbsolute;
    TFuzzDirType ArchiveFileType = ddAbsolute;
    TFuzzOverwrite OverwriteMode = owAlways;
    TSet<TFuzzInstallType> InstallTypes{itAlways};
    bool AllowChoice = true;
    bool Include = true;
    bool UseLoadingProgram = true;
    double Ratio = 0;
    TFuzzItem* Container = nullptr;
    TComponent* Link = nullptr;
    TStringList Description;
    TStringList PresetupFiles;
    TFuzzInfo Information;
    TNotifyEvent OnCleanup;
    TEvent<int> OnCount;

private:
    std::string FCaption;
    int32_t FOrder = 0;
    TComponent* FParent = nullptr;
};

class TInstall : public TFuzzItem {
    VTRL_CLASS(TInstall)
public:
    using TFuzzItem::TFuzzItem;
};
class TInstallFileGroup : public TFuzzItem {
    VTRL_CLASS(TInstallFileGroup)
public:
    using TFuzzItem::TFuzzItem;
};
class TInstallFile : public TFuzzItem {
    VTRL_CLASS(TInstallFile)
public:
    using TFuzzItem::TFuzzItem;
};
class TUninstallEXE : public TInstallFile {
    VTRL_CLASS(TUninstallEXE)
public:
    using TInstallFile::TInstallFile;
};

// The root; publishes the handlers that events may name.
class TIM : public TComponent {
    VTRL_CLASS(TIM)
public:
    explicit TIM(TComponent* AOwner);
    std::string Title;
    TFuzzItem* MainItem = nullptr;
    TComponent* Link = nullptr;
    TNotifyEvent OnStart;
};

}  // namespace vtrl::fuzz
