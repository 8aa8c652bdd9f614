// Start-menu folders and shortcuts: the roles, the design rules that keep
// them consistent, target resolution and the making of the link.
#include "cmp_TInstallShellLink.h"

#include "Unattended.h"
#include "cmp_TFileContainer.h"
#include "cmp_TInstallFile.h"
#include "cmp_TUninstallEXE.h"
#include "routines_ExpandPaths.h"
#include "routines_UninstallRecord.h"
#include "routines_WinVersion.h"
#include "types_Installation.h"

namespace vtrl {

namespace {

// The last live install component of class T satisfying Pred: a role
// belongs to the last component that claims it.
template <class T, class P>
T* LastLive(P Pred) {
    T* found = nullptr;
    for (TInstallContainer* c : TInstallContainer::Registry())
        if (auto* t = As<T>(c); t && !t->Destroying() && Pred(*t)) found = t;
    return found;
}

template <class T, class F>
void ForEachLive(F Fn) {
    for (TInstallContainer* c : TInstallContainer::Registry())
        if (auto* t = As<T>(c); t && !t->Destroying()) Fn(*t);
}

TInstallContainer* InstallRootOrNull() { return Installation() ? &Installation()->InstallRoot() : nullptr; }

// The link name the designer gives a link to Target.
std::string LinkNameFor(TInstallContainer* Target) {
    if (auto* file = As<TInstallFile>(Target)) return ChangeFileExt(file->EffectiveDestName(), ".lnk");
    if (auto* group = As<TInstallFileGroup>(Target)) return group->GroupName() + ".lnk";
    return Target->Name() + ".lnk";
}

bool NeedsInstallFile(TShellLinkKind Kind) {
    return Kind == lkMainExecutable || Kind == lkLinkInSubFolder || Kind == lkLinkInMainFolder;
}

// True when Container lists Helper directly: a helper taken off the list
// by hand is told of its container's end from a walk over every live
// component, where it must not destroy itself.
bool Lists(const TInstallContainer* Container, const TInstallContainer* Helper) {
    for (int i = 0; i < Container->HelperCount(); ++i)
        if (Container->Helpers(i) == Helper) return true;
    return false;
}

}  // namespace

ESHELLCannotInitialize::ESHELLCannotInitialize(int32_t Code)
    : Exception("Could not initialize IShellLink with following error code returned: " + std::to_string(Code)),
      FCode(Code) {}

// ================================================================= folders

VTRL_IMPLEMENT_CLASS(TShellLinkGroup, TBaseHelperComponent, [](TClassBuilder<TShellLinkGroup>& b) {
    b.String("DestDir", &TInstallContainer::DestDir, &TInstallContainer::SetDestDir)
        .Enum<TPathSpecifiers>("DestDirType", &TInstallContainer::DestDirType, &TShellLinkGroup::SetDestDirType)
        .Boolean("Include", &TInstallContainer::Include, &TInstallContainer::SetInclude, true)
        .Enum<TShellGroupKind>("GroupKind", &TShellLinkGroup::GroupKind, &TShellLinkGroup::SetGroupKind, gkCustom)
        .Event("OnAfterProcess", &TInstallContainer::OnAfterProcess)
        .Event("OnBeforeProcess", &TInstallContainer::OnBeforeProcess);
})

TShellLinkGroup::TShellLinkGroup(TComponent* AOwner) : TBaseHelperComponent(AOwner) {
    FRank = rkShellLinkGroup;
    FProcessWithContainer = true;
}

TShellLinkGroup* TShellLinkGroup::MainFolder() {
    return LastLive<TShellLinkGroup>([](const TShellLinkGroup& g) { return g.FGroupKind == gkMainFolder; });
}

TShellLinkGroup* TShellLinkGroup::MainSubFolder() {
    return LastLive<TShellLinkGroup>([](const TShellLinkGroup& g) { return g.FGroupKind == gkMainSubFolder; });
}

void TShellLinkGroup::SetGroupKind(TShellGroupKind Value) {
    if (Loading()) {
        FGroupKind = Value;
        return;
    }
    TInstallContainer* install = InstallRootOrNull();
    if (Value != gkCustom && !install) RaiseFmt("Must first have a TInstall component");
    TInstallShellLink* mainLink = TInstallShellLink::MainExecutableLink();
    TInstallShellLink* subLink = TInstallShellLink::LinkToSubFolder();
    // Leaving a role takes the links that depend on it out of their roles.
    if (FGroupKind == gkMainFolder && Value != gkMainFolder) {
        if (mainLink) mainLink->SetLinkKind(lkCustom);
        if (subLink) subLink->SetLinkKind(lkCustom);
    } else if (FGroupKind == gkMainSubFolder && Value != gkMainSubFolder) {
        if (subLink) subLink->SetLinkKind(lkCustom);
        ForEachLive<TInstallShellLink>([](TInstallShellLink& l) {
            if (l.LinkKind() == lkLinkInSubFolder) l.SetLinkKind(lkCustom);
        });
    }
    if (Value == gkCustom) {
        FGroupKind = Value;
        return;
    }
    TShellLinkGroup* previous = Value == gkMainFolder ? MainFolder() : MainSubFolder();
    if (previous && previous != this) previous->FGroupKind = gkCustom;
    FGroupKind = Value;
    SetContainer(install);
    if (Value == gkMainFolder) {
        FDestDirType = ddProgramMenuDir;
        if (Designing() && FDestDir.empty()) FDestDir = "\\" + Installation()->ProductName();
        if (mainLink) mainLink->SetContainer(this);
        if (subLink) subLink->SetContainer(this);
    } else {
        FDestDirType = ddContainerDestDir;
        if (Designing() && FDestDir.empty()) FDestDir = "\\More stuff";
        if (subLink) subLink->SetObjectLink(this);
        ForEachLive<TInstallShellLink>([this](TInstallShellLink& l) {
            if (l.LinkKind() == lkLinkInSubFolder) l.SetContainer(this);
        });
    }
}

void TShellLinkGroup::SetDestDirType(TPathSpecifiers Value) {
    if (!Loading() && FGroupKind == gkMainFolder) Value = ddProgramMenuDir;
    if (!Loading() && FGroupKind == gkMainSubFolder) Value = ddContainerDestDir;
    TBaseHelperComponent::SetDestDirType(Value);
}

void TShellLinkGroup::ProcessHelpers() {
    Broadcast(ev::eccSelectFolder);
    const std::string dir = ExpandDestDir();
    if (!IsFullPath(dir))
        RaiseFmt("The folder %s of %s is not a full path (its location did not resolve); it is not created", dir,
                 Name());
    if (!ForceDirectoriesOnce(dir)) RaiseFmt("Could not create the folder %s for %s", dir, Name());
    Log("Link folder " + dir + " (" + Name() + ")");
    TBaseHelperComponent::ProcessHelpers();
}

void TShellLinkGroup::Loaded() {
    TBaseHelperComponent::Loaded();
    if (FDestDirType != ddAbsolute || IsFullPath(FDestDir)) return;
    if (FGroupKind == gkMainFolder) FDestDirType = ddProgramMenuDir;
    else if (FGroupKind == gkMainSubFolder) FDestDirType = ddContainerDestDir;
}

void TShellLinkGroup::CheckDefinition(std::vector<std::string>& Problems) {
    std::string dir;
    const std::string failure = FailureOf([&] { dir = ExpandDestDir(); });
    if (!failure.empty()) Problems.push_back("its folder cannot be resolved: " + failure);
    else if (!IsFullPath(dir))
        Problems.push_back("its folder " + (dir.empty() ? std::string("(blank)") : dir) +
                           " is not a full path: give DestDirType a path specifier (ddProgramMenuDir for a folder of "
                           "the Start menu's Programs)");
}

void TShellLinkGroup::ContainerDestroying(TInstallContainer* Container) {
    const bool mine = Container == FContainer && Lists(Container, this);
    TBaseHelperComponent::ContainerDestroying(Container);
    if (mine && !Destroying()) delete this;
}

// =================================================================== links

VTRL_IMPLEMENT_CLASS(TInstallShellLink, TBaseHelperComponent, [](TClassBuilder<TInstallShellLink>& b) {
    b.String("DestDir", &TInstallContainer::DestDir, &TInstallContainer::SetDestDir)
        .Enum<TPathSpecifiers>("DestDirType", &TInstallContainer::DestDirType, &TInstallShellLink::SetDestDirType)
        .Integer("HotKey", &TInstallShellLink::HotKey, [](TInstallShellLink& l, int32_t v) {
            l.SetHotKey(static_cast<uint16_t>(v));
        }, 0)
        .Boolean("Include", &TInstallContainer::Include, &TInstallContainer::SetInclude, true)
        .Enum<TShellLinkKind>("LinkKind", &TInstallShellLink::LinkKind, &TInstallShellLink::SetLinkKind, lkCustom)
        .String("LinkName", &TInstallShellLink::LinkName, &TInstallShellLink::SetLinkName)
        .Enum<TMethodType>("Method", &TInstallShellLink::Method, &TInstallShellLink::SetMethod, mtAutoDetect)
        .Reference<TInstallContainer>("ObjectLink", &TInstallShellLink::ObjectLink, &TInstallShellLink::SetObjectLink)
        .String("ObjectLocation", &TInstallShellLink::ObjectLocation, &TInstallShellLink::SetObjectLocation)
        .Enum<TPathSpecifiers>("ObjectLocationType", &TInstallShellLink::ObjectLocationType,
                               &TInstallShellLink::SetObjectLocationType, ddAbsolute)
        .String("Parameters", &TInstallShellLink::Parameters, &TInstallShellLink::SetParameters)
        .Event("OnAfterProcess", &TInstallContainer::OnAfterProcess)
        .Event("OnBeforeProcess", &TInstallContainer::OnBeforeProcess);
})

TInstallShellLink::TInstallShellLink(TComponent* AOwner) : TBaseHelperComponent(AOwner) {
    FRank = rkShellLink;
    FProcessWithContainer = true;
}

TInstallShellLink::~TInstallShellLink() {
    ComponentState.Include(csDestroying);
    if (FObjectLink) RemoveFreeNotification(FObjectLink);
}

TInstallShellLink* TInstallShellLink::MainExecutableLink() {
    return LastLive<TInstallShellLink>([](const TInstallShellLink& l) { return l.FLinkKind == lkMainExecutable; });
}

TInstallShellLink* TInstallShellLink::LinkToSubFolder() {
    return LastLive<TInstallShellLink>([](const TInstallShellLink& l) { return l.FLinkKind == lkLinkToSubFolder; });
}

// ---------------------------------------------------------- design rules

void TInstallShellLink::SetLinkKind(TShellLinkKind Value) {
    if (Loading() || Value == lkCustom) {
        FLinkKind = Value;
        return;
    }
    TShellLinkGroup* mainFolder = TShellLinkGroup::MainFolder();
    TShellLinkGroup* subFolder = TShellLinkGroup::MainSubFolder();
    if (Value != lkLinkInSubFolder && !mainFolder) RaiseFmt("You must first specify a folder as the main folder");
    if ((Value == lkLinkToSubFolder || Value == lkLinkInSubFolder) && !subFolder)
        RaiseFmt("You must first specify a folder as the main sub folder");
    if (NeedsInstallFile(Value)) {
        if (FObjectLocationType != ddObjectLink)
            RaiseFmt(Value == lkLinkInSubFolder ? "You must set the ObjectLocationType to ddObjectLink"
                                                : "You must the ObjectLocationType set to ddObjectLink");
        if (!As<TInstallFile>(FObjectLink))
            RaiseFmt("You must be pointing to a TInstallFile component with the ObjectLink property");
    }
    if (Value == lkMainExecutable || Value == lkLinkToSubFolder) {
        TInstallShellLink* previous = Value == lkMainExecutable ? MainExecutableLink() : LinkToSubFolder();
        if (previous && previous != this) previous->FLinkKind = lkCustom;
    }
    FLinkKind = Value;
    if (Value == lkLinkToSubFolder) {
        if (FObjectLink != subFolder) {
            if (FObjectLink) RemoveFreeNotification(FObjectLink);
            FObjectLink = subFolder;
            FreeNotification(subFolder);
        }
        FObjectLocationType = ddObjectLink;
        FObjectLocation.clear();
    }
    SetContainer(Value == lkLinkInSubFolder ? subFolder : mainFolder);
    FDestDirType = ddContainerDestDir;
}

void TInstallShellLink::SetLinkName(const std::string& Value) {
    FLinkName = Loading() ? Value : ChangeFileExt(Value, ".LNK");
}

void TInstallShellLink::SetObjectLocation(const std::string& Value) {
    if (Loading()) {
        FObjectLocation = Value;
        return;
    }
    if (FObjectLocationType == ddObjectLink) {
        FObjectLocation.clear();
        return;
    }
    FObjectLocation = Value;
    if (FLinkName.empty() || SameText(FLinkName, ".LNK")) SetLinkName(ChangeFileExt(ExtractFileName(Value), ""));
}

void TInstallShellLink::SetObjectLocationType(TPathSpecifiers Value) {
    if (Loading()) {
        FObjectLocationType = Value;
        return;
    }
    if (Value >= ddAbsolute && Value <= ddCommonFilesDir) {
        FLinkKind = lkCustom;
    } else if (Value == ddContainerDestDir) {
        if (!FContainer)
            RaiseFmt("Cannot set the ObjectLocation property of %s because the Container property is Nil", Name());
        FLinkKind = lkCustom;
    } else if (Value == ddObjectLink) {
        if (!FObjectLink)
            RaiseFmt("Cannot set the ObjectLocation property of %s because the ObjectLink property is Nil", Name());
        FObjectLocation.clear();
    } else {
        RaiseFmt("That path specifier is not allowed for the ObjectLocation property for %s", Name());
    }
    FObjectLocationType = Value;
}

void TInstallShellLink::SetObjectLink(TInstallContainer* Value) {
    if (Value == FObjectLink && (Loading() || !Value)) return;
    if (!Loading() && Value) {
        if (NeedsInstallFile(FLinkKind) && !As<TInstallFile>(Value))
            RaiseFmt("For lkMainExecutable, lkLinkInSubFolder, or lkLinkMainFolder ObjectLink must be a TInstallFile");
        if (FLinkKind == lkLinkToSubFolder && Value != TShellLinkGroup::MainSubFolder())
            RaiseFmt("For lkLinkToSubFolder, ObjectLink must be a ShellLinkGroup that is the main sub folder");
    }
    if (FObjectLink) RemoveFreeNotification(FObjectLink);
    FObjectLink = Value;
    if (Value) FreeNotification(Value);
    if (Loading()) return;
    if (Value) {
        FObjectLocationType = ddObjectLink;
        FObjectLocation.clear();
        FLinkName = LinkNameFor(Value);
        if (!FContainer) SetContainer(Value);
    } else {
        FObjectLocationType = ddAbsolute;
        if (NeedsInstallFile(FLinkKind)) FLinkKind = lkCustom;
    }
}

void TInstallShellLink::SetContainer(TInstallContainer* Value) {
    if (!Loading() && FLinkKind != lkCustom) {
        TShellLinkGroup* wanted =
            FLinkKind == lkLinkInSubFolder ? TShellLinkGroup::MainSubFolder() : TShellLinkGroup::MainFolder();
        if (!Value || Value != wanted) FLinkKind = lkCustom;
    }
    TBaseHelperComponent::SetContainer(Value);
}

void TInstallShellLink::ContainerChanged(TInstallContainer* NewContainer) {
    TBaseHelperComponent::ContainerChanged(NewContainer);
    if (!Loading() && FLinkKind != lkCustom) FDestDirType = ddContainerDestDir;
}

void TInstallShellLink::SetDestDirType(TPathSpecifiers Value) {
    if (!Loading() && FLinkKind != lkCustom) Value = ddContainerDestDir;
    TBaseHelperComponent::SetDestDirType(Value);
}

// ------------------------------------------------------ the definition

namespace {

bool ObjectLocationAllows(TPathSpecifiers Type) {
    return (Type >= ddAbsolute && Type <= ddCommonFilesDir) || Type == ddDesktopMenuDir ||
           Type == ddProgramMenuDir || Type == ddStartMenuDir || Type == ddContainerDestDir || Type == ddObjectLink;
}

}  // namespace

void TInstallShellLink::Loaded() {
    TBaseHelperComponent::Loaded();
    // ddAbsolute with nothing, or with a bare relative text, names no place:
    // what the author left out is what the short form means.
    if (FObjectLink && FObjectLocation.empty() && FObjectLocationType == ddAbsolute) FObjectLocationType = ddObjectLink;
    if (As<TShellLinkGroup>(FContainer) && FDestDirType == ddAbsolute && !IsFullPath(FDestDir))
        FDestDirType = ddContainerDestDir;
    if (FLinkName.empty()) {
        if (FObjectLink) FLinkName = LinkNameFor(FObjectLink);
        else if (!FObjectLocation.empty())
            FLinkName = ChangeFileExt(ExtractFileName(RemoveBackSlash(FObjectLocation)), "") + ".LNK";
    } else if (!SameText(ExtractFileExt(FLinkName), ".LNK")) {
        FLinkName += ".LNK";
    }
}

void TInstallShellLink::CheckDefinition(std::vector<std::string>& Problems) {
    auto problem = [&](const std::string& Text) { Problems.push_back(Text); };
    if (Trim(ChangeFileExt(FLinkName, "")).empty())
        problem("the LinkName is blank and the link has no target to be named after");
    if (FLinkKind != lkCustom) {
        if (FLinkKind != lkLinkInSubFolder && !TShellLinkGroup::MainFolder())
            problem("its LinkKind needs a TShellLinkGroup with GroupKind = gkMainFolder");
        if ((FLinkKind == lkLinkToSubFolder || FLinkKind == lkLinkInSubFolder) && !TShellLinkGroup::MainSubFolder())
            problem("its LinkKind needs a TShellLinkGroup with GroupKind = gkMainSubFolder");
        if (NeedsInstallFile(FLinkKind) && !As<TInstallFile>(FObjectLink))
            problem("For lkMainExecutable, lkLinkInSubFolder, or lkLinkMainFolder ObjectLink must be a TInstallFile");
        if (FLinkKind == lkLinkToSubFolder && TShellLinkGroup::MainSubFolder() &&
            FObjectLink != TShellLinkGroup::MainSubFolder())
            problem("For lkLinkToSubFolder, ObjectLink must be a ShellLinkGroup that is the main sub folder");
    }
    if (!ObjectLocationAllows(FObjectLocationType)) {
        problem(Fmt("That path specifier is not allowed for the ObjectLocation property for %s", Name()));
    } else if (FObjectLocationType != ddObjectLink && FObjectLocationType != ddContainerDestDir &&
               Trim(FObjectLocation).empty()) {
        problem("it links to nothing: name an installed file or folder with ObjectLink, or a path with "
                "ObjectLocation and ObjectLocationType");
    } else {
        std::string target;
        const std::string failure = FailureOf([&] { target = ExpandObjectLocation(); });
        if (!failure.empty()) problem("its target cannot be resolved: " + failure);
        else if (!IsFullPath(target))
            problem("its target " + target + " is not a full path: give ObjectLocationType a path specifier");
    }
    const std::string file = FailureOf([&] { CheckedLinkFilePath(); });
    if (!file.empty()) problem("its link file cannot be placed: " + file);
    const std::string arguments = FailureOf([&] { LinkArguments(); });
    if (!arguments.empty()) problem("its Parameters cannot be expanded: " + arguments);
}

// ----------------------------------------------------- destruction notices

void TInstallShellLink::Notification(TComponent* AComponent, TOperation Operation) {
    TBaseHelperComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FObjectLink) return;
    FObjectLink = nullptr;
    DestroyLater();
}

void TInstallShellLink::ContainerDestroying(TInstallContainer* Container) {
    const bool mine = Container == FContainer && Lists(Container, this);
    TBaseHelperComponent::ContainerDestroying(Container);
    if (mine) DestroyLater();
}

// A link without its target or its folder has nothing left to make. It is
// destroyed at once: every caller of the two notices walks a copy of its
// list or re-reads it, so the link may go while they run.
void TInstallShellLink::DestroyLater() {
    if (!Destroying()) delete this;
}

// ------------------------------------------------------------ resolution

std::string TInstallShellLink::ExpandObjectLocation() {
    switch (FObjectLocationType) {
    case ddAbsolute: return RemoveBackSlash(FObjectLocation);
    case ddSystem: return RemoveBackSlash(RemoveBackSlash(SystemDir()) + FObjectLocation);
    case ddWindows: return RemoveBackSlash(RemoveBackSlash(WindowsDir()) + FObjectLocation);
    case ddProgramFilesDir: return ProgramFilesFolder() + FObjectLocation;
    case ddCommonFilesDir: return CommonFilesFolder() + FObjectLocation;
    case ddDesktopMenuDir: return DesktopFolder() + FObjectLocation;
    case ddProgramMenuDir: return ProgramsFolder() + FObjectLocation;
    case ddStartMenuDir: return StartMenuFolder() + FObjectLocation;
    case ddContainerDestDir:
        if (!FContainer)
            RaiseFmt("Cannot expand the ObjectLocation property of %s because the Container is Nil", Name());
        return FContainer->ExpandDestDir() + FObjectLocation;
    case ddObjectLink:
        if (!FObjectLink)
            RaiseFmt("Cannot expand the ObjectLocation property of %s because the ObjectLink is Nil", Name());
        if (auto* file = As<TInstallFile>(FObjectLink))
            return AddBackSlash(file->ExpandDestDir()) + file->EffectiveDestName();
        return RemoveBackSlash(FObjectLink->ExpandDestDir());
    default: RaiseFmt("That path specifier is not allowed for the ObjectLocation property for %s", Name());
    }
}

std::string TInstallShellLink::LinkFilePath() { return AddBackSlash(ExpandDestDir()) + FLinkName; }

void TInstallShellLink::RefuseNotFullPath(const std::string& Path, const char* What) const {
    if (IsFullPath(Path)) return;
    RaiseFmt("The TInstallShellLink %s could not be installed: %s, %s, is not a full path (its location did not "
             "resolve)",
             Name(), What, Path.empty() ? std::string("(blank)") : Path);
}

std::string TInstallShellLink::CheckedLinkFilePath() {
    const std::string path = LinkFilePath();
    RefuseNotFullPath(path, "its link file");
    return path;
}

TMethodType TInstallShellLink::EffectiveMethod() const {
    if (FMethod != mtAutoDetect) return FMethod;
    const TWindowsPlatform platform = GetWindowsPlatform();
    return platform == wpWindows95 || platform == wpWindowsNT ? mtShellLinkInterface : mtProgramManager;
}

// -------------------------------------------------------------- processing

void TInstallShellLink::ProcessHelpers() {
    if (As<TUninstallEXE>(FObjectLink)) {
        if (!Installation())
            RaiseFmt("Cannot create a link to the uninstall program because there is no TInstall component");
        FParameters = Installation()->ProductName();
    }
    if (EffectiveMethod() == mtShellLinkInterface) CreateShellLink();
    else CreateProgramManagerItem();
    Log("Link " + FLinkName + " (" + Name() + ")");
    TBaseHelperComponent::ProcessHelpers();
}

void TInstallShellLink::WriteUninstallInfo(const std::string& Key) { AppendFilesEntry(Key, CheckedLinkFilePath()); }

}  // namespace vtrl
