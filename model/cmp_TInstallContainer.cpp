// The install component tree: helper lists, ordering, inclusion, the
// processing skeleton shared by every install component, and how a
// component's destination and archive file resolve.
#include "cmp_TInstallContainer.h"

#include <algorithm>
#include <utility>

#include "cmp_TFileContainer.h"
#include "routines_ExpandPaths.h"
#include "types_Installation.h"

namespace vtrl {

namespace {

// Never destroyed: components owned by process-wide objects may outlive
// the end of main.
std::vector<TInstallContainer*>& LiveContainers() {
    static auto* list = new std::vector<TInstallContainer*>;
    return *list;
}

// Destination anchors every install component accepts.
constexpr TPathSpecifierSet BaseDestDirTypes{ddAbsolute,       ddSystem,         ddWindows,      ddProgramFilesDir,
                                             ddCommonFilesDir, ddDesktopMenuDir, ddProgramMenuDir, ddStartMenuDir,
                                             ddFontDir,        ddStartUpMenuDir};

}  // namespace

VTRL_IMPLEMENT_CLASS(TInstallContainer, TComponent, [](auto&) {})

TInstallContainer::TInstallContainer(TComponent* AOwner) : TComponent(AOwner), FAllowedDestDirTypes(BaseDestDirTypes) {
    LiveContainers().push_back(this);
}

TInstallContainer::~TInstallContainer() {
    ComponentState.Include(csDestroying);
    auto& live = LiveContainers();
    // Copy: a notice may destroy nothing, but the list must not move under us.
    std::vector<TInstallContainer*> others = live;
    for (TInstallContainer* c : others)
        if (c != this) c->ContainerDestroying(this);
    FHelpers.clear();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

const std::vector<TInstallContainer*>& TInstallContainer::Registry() { return LiveContainers(); }

TInstallContainer* TInstallContainer::Helpers(int Index) const {
    if (Index < 0 || Index >= HelperCount())
        RaiseFmt("Tried to reference a helper component in the following component: %s. The following index was "
                 "used: %d",
                 Name(), Index);
    return FHelpers[Index];
}

TInstallContainer* TInstallContainer::Comp(int Index, const TClassInfo& Class) const {
    int seen = 0;
    for (TInstallContainer* h : FHelpers)
        if (h->InheritsFrom(Class) && seen++ == Index) return h;
    throw EAIICBadCompCall(Index, &Class);
}

int TInstallContainer::CompCount(const TClassInfo& Class) const {
    return static_cast<int>(std::count_if(FHelpers.begin(), FHelpers.end(),
                                          [&](TInstallContainer* h) { return h->InheritsFrom(Class); }));
}

void TInstallContainer::FreeHelpersOfClass(const TClassInfo& Class) {
    for (int i = HelperCount() - 1; i >= 0; --i)
        if (i < HelperCount() && FHelpers[i]->InheritsFrom(Class)) delete FHelpers[i];
}

void TInstallContainer::SetSelectedInstallType(TInstallType Type) {
    for (TInstallContainer* h : FHelpers) h->SetSelectedInstallType(Type);
    FSelectedInstallType = Type;
}

int TInstallContainer::FileContainerCount() const { return CompCount(TFileContainer::StaticClass()); }

TFileContainer* TInstallContainer::FileContainers(int Index) const { return Comp<TFileContainer>(Index); }

void TInstallContainer::SetDestDir(const std::string& Value) { FDestDir = Value; }

void TInstallContainer::ContainerDestroying(TInstallContainer* Container) {
    if (As<TBaseHelperComponent>(Container))
        FHelpers.erase(std::remove(FHelpers.begin(), FHelpers.end(), Container), FHelpers.end());
}

void TInstallContainer::FreeHelpers() {
    for (int i = HelperCount() - 1; i >= 0; --i) {
        if (i >= HelperCount()) continue;
        TInstallContainer* h = FHelpers[i];
        h->FreeHelpers();
        delete h;
    }
}

bool TInstallContainer::HasHelper(const TInstallContainer* Component) const {
    for (auto it = FHelpers.rbegin(); it != FHelpers.rend(); ++it)
        if (*it == Component || (*it)->HasHelper(Component)) return true;
    return false;
}

bool TInstallContainer::IsCountedInTotals() const {
    return FInclude && (FSelectedInstallType == itAlways || FInstallTypes.Contains(itAlways) ||
                        FInstallTypes.Contains(FSelectedInstallType));
}

bool TInstallContainer::IsSelected() const {
    return IsCountedInTotals() || (FInclude && FSelectedInstallType == itCustom);
}

void TInstallContainer::Broadcast(TEventName Name, TPersistent* Parameter) {
    // The count may change while receivers run (a page may add nothing, but
    // a receiver is free to); index each time.
    for (size_t i = 0; i < FHelpers.size(); ++i)
        if (FHelpers[i]->FRank == rkDialog) FHelpers[i]->DialogEvent(this, Name, Parameter);
}

void TInstallContainer::Process() {
    try {
        if (OnBeforeProcess) OnBeforeProcess(this);
        Broadcast(ev::eccBeforeProcess);
        if (!FInclude) return;
        if (OnShowInstallTypeDlg) OnShowInstallTypeDlg(this);
        Broadcast(ev::InstallTypeDialog);
        if (!IsSelected()) return;
        ProcessHelpers();
        if (IInstallation* install = Installation())
            WriteUninstallInfo(UninstallKeyBase + install->ProductName());
        if (OnAfterProcess) OnAfterProcess(this);
        Broadcast(ev::eccAfterProcess);
    } catch (const EAbort&) {
        // The silent abort ends this component's processing quietly.
    }
}

void TInstallContainer::ProcessHelpers() {
    const int count = HelperCount();
    for (int i = 0; i < count && i < HelperCount(); ++i)
        if (FHelpers[i]->FProcessWithContainer) FHelpers[i]->Process();
}

int TInstallContainer::InsertionIndex(const TInstallContainer* H) const {
    if (SameText(H->ClassName(), "TINSTALLBDE")) return 0;
    for (size_t i = 0; i < FHelpers.size(); ++i) {
        const TInstallContainer* x = FHelpers[i];
        if (x->FRank > H->FRank || (x->FRank == H->FRank && H->FOrder != -1 && x->FOrder >= H->FOrder))
            return static_cast<int>(i);
    }
    return HelperCount();
}

void TInstallContainer::AddHelper(TInstallContainer* Helper) {
    if (!Helper) throw EAIICAddingNilHelperComponent(this);
    if (Helper == this) throw EAIICCircularInstallContainer();
    for (auto* p = As<TBaseHelperComponent>(this); p;) {
        TInstallContainer* up = p->Container();
        if (up == Helper) throw EAIICCircularInstallContainer(Helper->Name(), Name());
        p = As<TBaseHelperComponent>(up);
    }
    FHelpers.insert(FHelpers.begin() + InsertionIndex(Helper), Helper);
    if (!Loading()) Renumber();
}

void TInstallContainer::RemoveHelper(TInstallContainer* Helper) {
    auto it = std::find(FHelpers.begin(), FHelpers.end(), Helper);
    if (!Helper || it == FHelpers.end()) return;
    FHelpers.erase(it);
    if (!Loading()) Renumber();
}

void TInstallContainer::Renumber() {
    int32_t pos = 0;
    for (size_t i = 0; i < FHelpers.size(); ++i) {
        if (i > 0 && FHelpers[i]->FRank != FHelpers[i - 1]->FRank) pos = 0;
        FHelpers[i]->FOrder = pos++;
    }
}

void TInstallContainer::SetOrder(int32_t Value) {
    if (Loading()) {
        FOrder = Value;
        return;
    }
    auto* self = As<TBaseHelperComponent>(this);
    if (Value == FOrder || !self || !self->Container()) return;
    TInstallContainer* c = self->Container();
    c->RemoveHelper(this);
    FOrder = Value;
    c->AddHelper(this);
}

void TInstallContainer::SetInstallTypes(TInstallTypes S) {
    if (S.Empty()) S = {itAlways};
    else if (S.Contains(itAlways) && !FInstallTypes.Contains(itAlways)) S = {itAlways};
    else if (!(S - TInstallTypes{itAlways}).Empty()) S = S - TInstallTypes{itAlways};
    FInstallTypes = S;
}

// --------------------------------------------------------------- helpers

VTRL_IMPLEMENT_CLASS(TBaseHelperComponent, TInstallContainer, [](TClassBuilder<TBaseHelperComponent>& b) {
    b.Reference<TInstallContainer>("Container", &TBaseHelperComponent::Container, &TBaseHelperComponent::SetContainer);
})

TBaseHelperComponent::TBaseHelperComponent(TComponent* AOwner) : TInstallContainer(AOwner) {
    FAllowedDestDirTypes.Include(ddContainerDestDir).Include(ddMainInstallDir);
    // In a designer, a new helper joins the TInstall at once.
    TInstallContainer* install = Installation() ? &Installation()->InstallRoot() : nullptr;
    if (Designing() && install && install != static_cast<TInstallContainer*>(this)) {
        install->AddHelper(this);
        FContainer = install;
        FDestDirType = ddContainerDestDir;
        FDestDir.clear();
        FAutoAttached = true;
    }
}

TBaseHelperComponent::~TBaseHelperComponent() {
    ComponentState.Include(csDestroying);
    if (FContainer) FContainer->RemoveHelper(this);
    FContainer = nullptr;
}

void TBaseHelperComponent::SetContainer(TInstallContainer* Value) {
    FContainerSet = true;
    if (Value == FContainer) return;
    if (Value) Value->AddHelper(this);
    if (FContainer) FContainer->RemoveHelper(this);
    FContainer = Value;
    ContainerChanged(Value);
}

void TBaseHelperComponent::ContainerChanged(TInstallContainer* NewContainer) {
    if (Loading()) return;
    if (NewContainer) {
        FDestDirType = ddContainerDestDir;
        SetDestDir("");
    } else {
        FDestDirType = ddAbsolute;
    }
}

void TBaseHelperComponent::ContainerDestroying(TInstallContainer* Container) {
    TInstallContainer::ContainerDestroying(Container);
    if (Container == FContainer) FContainer = nullptr;
}

void TBaseHelperComponent::Loaded() {
    TInstallContainer::Loaded();
    // An auto-attached helper whose definition names no container is free.
    if (FAutoAttached && !FContainerSet && FContainer) {
        FContainer->RemoveHelper(this);
        FContainer = nullptr;
    }
}

void TBaseHelperComponent::SendUp(TEventName Name, TPersistent* Parameter) {
    if (FContainer) FContainer->DoInformationEventControl(this, Name, Parameter);
}

// ---------------------------------------------------------- file related

VTRL_IMPLEMENT_CLASS(TFileRelated, TBaseHelperComponent, [](auto&) {})

TFileRelated::TFileRelated(TComponent* AOwner) : TBaseHelperComponent(AOwner) {
    if (FAutoAttached) {
        FArchiveFileType = ddContainerArchiveFile;
        FArchiveFile.clear();
    }
}

void TFileRelated::SetArchiveFile(const std::string& Value) { FArchiveFile = Value; }

void TFileRelated::ContainerChanged(TInstallContainer* NewContainer) {
    TBaseHelperComponent::ContainerChanged(NewContainer);
    if (Loading()) return;
    if (NewContainer) {
        FArchiveFileType = ddContainerArchiveFile;
        SetArchiveFile("");
    } else {
        FArchiveFileType = ddAbsolute;
    }
}

// ------------------------------------------------------------ DestDir

void TInstallContainer::CheckDestDirType(TPathSpecifiers Value) {
    if (!FAllowedDestDirTypes.Contains(Value))
        RaiseFmt("That path specifier is not allowed for the DestDir property for %s", Name());
}

void TInstallContainer::SetDestDirType(TPathSpecifiers Value) {
    if (Loading()) {
        FDestDirType = Value;
        return;
    }
    if (As<TBaseHelperComponent>(this)) {
        if (Value == ddContainerDestDir) {
            if (!static_cast<TBaseHelperComponent*>(this)->Container())
                RaiseFmt("Cannot set the DestDir property of %s because the Container property is Nil", Name());
            FDestDirType = Value;
            return;
        }
        if (Value == ddMainInstallDir) {
            if (!Installation())
                RaiseFmt("Cannot set the DestDir property of %s because there is no Install component", Name());
            FDestDirType = Value;
            return;
        }
    }
    CheckDestDirType(Value);
    FDestDirType = Value;
}

namespace {
// The components whose location is being resolved right now. A location
// that leads back to itself (the TInstall anchored at the main install
// directory, "%i" in the TInstall's own DestDir, a chain of containers or
// archive files that closes) would otherwise recurse until the stack ends.
std::vector<std::pair<const TInstallContainer*, const char*>> gResolving;

class TResolving {
public:
    TResolving(const TInstallContainer* C, const char* What) {
        const std::pair<const TInstallContainer*, const char*> entry{C, What};
        if (std::find(gResolving.begin(), gResolving.end(), entry) != gResolving.end())
            RaiseFmt("The %s of %s refers to itself", What, C->Name());
        gResolving.push_back(entry);
    }
    ~TResolving() { gResolving.pop_back(); }
    TResolving(const TResolving&) = delete;
    TResolving& operator=(const TResolving&) = delete;
};
}  // namespace

std::string TInstallContainer::ExpandDestDir() {
    TResolving guard(this, "DestDir");
    std::string anchor;
    if (CommonAnchor(FDestDirType, anchor)) return RemoveBackSlash(anchor + FDestDir);
    switch (FDestDirType) {
    case ddDesktopMenuDir: anchor = DesktopFolder(); break;
    case ddProgramMenuDir: anchor = ProgramsFolder(); break;
    case ddStartMenuDir: anchor = StartMenuFolder(); break;
    case ddFontDir: anchor = FontsFolder(); break;
    case ddStartUpMenuDir: anchor = StartupFolder(); break;
    case ddContainerDestDir: {
        auto* self = As<TBaseHelperComponent>(this);
        if (!self || !self->Container())
            RaiseFmt("Cannot expand the DestDir of %s because the Container is Nil", Name());
        anchor = self->Container()->ExpandDestDir();
        break;
    }
    case ddMainInstallDir:
        if (!As<TBaseHelperComponent>(this)) RaiseFmt("That path specifier is not allowed for the DestDir property for %s", Name());
        if (!Installation()) RaiseFmt("Cannot expand the DestDir of %s because there is no TInstall component", Name());
        anchor = Installation()->MainInstallDir();
        break;
    default: RaiseFmt("That path specifier is not allowed for the DestDir property for %s", Name());
    }
    return RemoveBackSlash(anchor + FDestDir);
}

// -------------------------------------------------------- ArchiveFile

void TFileRelated::SetArchiveFileType(TPathSpecifiers Value) {
    if (!Loading()) {
        if (Value == ddLoading && !Installation())
            RaiseFmt("Cannot set the ArchiveFile property of %s because there is not TInstall", Name());
        if ((Value == ddContainerDestDir || Value == ddContainerArchiveFile) && !FContainer)
            RaiseFmt("Cannot set the ArchiveFile property of %s because the Container property is Nil", Name());
        if (Value > ddContainerArchiveFile)
            RaiseFmt("That path specifier is not allowed for the ArchiveFile property for %s", Name());
    }
    FArchiveFileType = Value;
}

std::string TFileRelated::ExpandArchiveFile() {
    TResolving guard(this, "ArchiveFile");
    std::string anchor;
    if (CommonAnchor(FArchiveFileType, anchor)) return RemoveBackSlash(anchor + FArchiveFile);
    switch (FArchiveFileType) {
    case ddLoading:
        if (!Installation())
            RaiseFmt("Cannot expand the ArchiveFile property of %s because there is no TInstall", Name());
        anchor = Installation()->LoadingDirectory();
        break;
    case ddContainerDestDir:
        if (!FContainer) RaiseFmt("Cannot expand the ArchiveFile property of %s because the Container is Nil", Name());
        anchor = FContainer->ExpandDestDir();
        break;
    case ddContainerArchiveFile: {
        if (!FContainer) RaiseFmt("Cannot expand the ArchiveFile of %s because the Container is Nil", Name());
        auto* related = As<TFileRelated>(FContainer);
        if (!related) RaiseFmt("Cannot expand the ArchiveFile of %s because the Container is not TFileRelated", Name());
        anchor = related->ExpandArchiveFile();
        break;
    }
    default: RaiseFmt("That path specifier is not allowed for the ArchiveFile property for %s", Name());
    }
    return RemoveBackSlash(anchor + FArchiveFile);
}

}  // namespace vtrl
