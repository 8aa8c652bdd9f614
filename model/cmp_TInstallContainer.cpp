// The install component tree: helper lists, ordering, inclusion, the
// processing skeleton shared by every install component, and how a
// component's destination and archive file resolve.
#include "cmp_TInstallContainer.h"

#include <algorithm>
#include <utility>

#include "cmp_TFileContainer.h"
#include "Unattended.h"
#include "routines_ExpandPaths.h"
#include "routines_UninstallRecord.h"
#include "types_Installation.h"

namespace vtrl {

namespace {

// The registry of live install components, a list through the components
// themselves, so that joining and leaving it cost nothing whatever its size.
TInstallContainer* gFirstLive = nullptr;
TInstallContainer* gLastLive = nullptr;

// Helpers held by more than one list. A list's renumbering writes Order of
// its helpers, so while any helper is shared, no list trusts what it knows
// about Orders; each new sharing starts a new epoch, which makes every list
// check itself again before it trusts anything.
int gSharedHelpers = 0;
uint64_t gEpoch = 1;

// Destination anchors every install component accepts.
constexpr TPathSpecifierSet BaseDestDirTypes{ddAbsolute,       ddSystem,         ddWindows,      ddProgramFilesDir,
                                             ddCommonFilesDir, ddDesktopMenuDir, ddProgramMenuDir, ddStartMenuDir,
                                             ddFontDir,        ddStartUpMenuDir};

}  // namespace

VTRL_IMPLEMENT_CLASS(TInstallContainer, TComponent, [](auto&) {})

TInstallContainer::TInstallContainer(TComponent* AOwner) : TComponent(AOwner), FAllowedDestDirTypes(BaseDestDirTypes) {
    FCheckedEpoch = gEpoch;
    FPrevLive = gLastLive;
    (gLastLive ? gLastLive->FNextLive : gFirstLive) = this;
    gLastLive = this;
}

TInstallContainer::~TInstallContainer() {
    ComponentState.Include(csDestroying);
    // Copy: a notice may change the list.
    const std::vector<TInstallContainer*> helpers = FHelpers;
    for (TInstallContainer* h : helpers)
        if (h != this) h->ContainerDestroying(this);
    // A helper may still name this container after being taken off its list
    // (RemoveHelper called from outside); only then is everyone told.
    if (FDependents > 0)
        for (TInstallContainer* c = gFirstLive; c; c = c->FNextLive)
            if (c != this) c->ContainerDestroying(this);
    for (TInstallContainer* h : FHelpers) UnlistHelper(h);
    FHelpers.clear();
    LeaveEveryList();
    (FPrevLive ? FPrevLive->FNextLive : gFirstLive) = FNextLive;
    (FNextLive ? FNextLive->FPrevLive : gLastLive) = FPrevLive;
}

std::vector<TInstallContainer*> TInstallContainer::Registry() {
    std::vector<TInstallContainer*> all;
    for (TInstallContainer* c = gFirstLive; c; c = c->FNextLive) all.push_back(c);
    return all;
}

// A helper leaves its container's list before it is destroyed; one added to
// further lists by hand would stay behind in them as a dangling entry.
void TInstallContainer::LeaveEveryList() {
    if (FListings == 0) return;
    for (TInstallContainer* c = gFirstLive; c && FListings > 0; c = c->FNextLive) {
        auto& list = c->FHelpers;
        for (size_t i = list.size(); i-- > 0;)
            if (list[i] == this) {
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
                c->UnlistHelper(this);
                c->ForgetFacts();
            }
    }
}

void TInstallContainer::ListHelper(TInstallContainer* Helper) {
    if (++Helper->FListings == 2) {
        ++gSharedHelpers;
        ++gEpoch;
    }
}

void TInstallContainer::UnlistHelper(TInstallContainer* Helper) {
    if (Helper->FListings-- == 2) --gSharedHelpers;
}

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
    if (!As<TBaseHelperComponent>(Container)) return;
    const size_t before = FHelpers.size();
    FHelpers.erase(std::remove(FHelpers.begin(), FHelpers.end(), Container), FHelpers.end());
    for (size_t i = FHelpers.size(); i < before; ++i) UnlistHelper(Container);
    if (FHelpers.size() != before) ForgetFacts();
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

namespace {

// Records the folders the run made and did not record yet (made outside a
// TFolderRecordScope), and the Folders key itself: the uninstall removes
// only the folders listed there. Without a TInstall they wait.
void RecordCreatedFolders() {
    IInstallation* install = Installation();
    if (!install) return;
    AppendFolderEntries(UninstallKeyBase + install->ProductName(), TakeCreatedDirectories());
}

}  // namespace

void TInstallContainer::Process() {
    try {
        if (OnBeforeProcess) OnBeforeProcess(this);
        Broadcast(ev::eccBeforeProcess);
        if (!FInclude) return;
        if (OnShowInstallTypeDlg) OnShowInstallTypeDlg(this);
        Broadcast(ev::InstallTypeDialog);
        if (!IsSelected()) return;
        try {
            IInstallation* install = Installation();
            TFolderRecordScope recording(install ? UninstallKeyBase + install->ProductName() : std::string());
            ProcessHelpers();
        } catch (...) {
            // The folders made before the failure are the product's too.
            try {
                RecordCreatedFolders();
            } catch (const std::exception& e) {
                Log(std::string("The folders made so far could not be recorded: ") + e.what());
            }
            throw;
        }
        if (IInstallation* install = Installation()) {
            TPhaseTimer timer("the uninstall record");
            RecordCreatedFolders();
            WriteUninstallInfo(UninstallKeyBase + install->ProductName());
        }
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

int TInstallContainer::InsertionIndex(const TInstallContainer* H) {
    if (SameText(H->ClassName(), "TINSTALLBDE")) return 0;
    auto goesBefore = [H](const TInstallContainer* x) {
        return x->FRank > H->FRank || (x->FRank == H->FRank && H->FOrder != -1 && x->FOrder >= H->FOrder);
    };
    // With ranks ascending and Orders ascending in each run, the helpers H
    // goes before are all at the end: find the first by halving.
    if (CheckedFacts() && FRanksAscend && FOrdersAscend)
        return static_cast<int>(std::partition_point(FHelpers.begin(), FHelpers.end(),
                                                     [&](const TInstallContainer* x) { return !goesBefore(x); }) -
                                FHelpers.begin());
    for (size_t i = 0; i < FHelpers.size(); ++i)
        if (goesBefore(FHelpers[i])) return static_cast<int>(i);
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
    const size_t at = static_cast<size_t>(InsertionIndex(Helper));
    FHelpers.insert(FHelpers.begin() + static_cast<std::ptrdiff_t>(at), Helper);
    ListHelper(Helper);
    NoteInsertedAt(at);
    if (!Loading()) RenumberFrom(at);
}

void TInstallContainer::RemoveHelper(TInstallContainer* Helper) {
    // From the end: a tree is destroyed from its last helper to its first.
    auto it = std::find(FHelpers.rbegin(), FHelpers.rend(), Helper);
    if (!Helper || it == FHelpers.rend()) return;
    const size_t at = static_cast<size_t>(FHelpers.rend() - it) - 1;
    FHelpers.erase(FHelpers.begin() + static_cast<std::ptrdiff_t>(at));
    UnlistHelper(Helper);
    NoteRemovedAt(at);
    if (!Loading()) RenumberFrom(at);
}

void TInstallContainer::Renumber() {
    int32_t pos = 0;
    for (size_t i = 0; i < FHelpers.size(); ++i) {
        if (i > 0 && FHelpers[i]->FRank != FHelpers[i - 1]->FRank) pos = 0;
        FHelpers[i]->FOrder = pos++;
    }
    if (CheckedFacts()) {
        FOrdersAscend = true;
        FNumbered = true;
    }
}

// A change at Index moves the places of the helpers after it only up to
// the end of their run: once a helper beyond the change already has its
// place, so has every helper after it.
void TInstallContainer::RenumberFrom(size_t Index) {
    if (!CheckedFacts() || !FNumbered) return Renumber();
    for (size_t i = Index; i < FHelpers.size(); ++i) {
        TInstallContainer* x = FHelpers[i];
        const int32_t pos = i > 0 && FHelpers[i - 1]->FRank == x->FRank ? FHelpers[i - 1]->FOrder + 1 : 0;
        if (i > Index + 1 && x->FOrder == pos) break;
        x->FOrder = pos;
    }
    FOrdersAscend = true;
}

// Checks the list once when its facts are unknown or an epoch has passed.
// False while helpers are shared between lists: nothing is trusted then.
bool TInstallContainer::CheckedFacts() {
    if (gSharedHelpers > 0) return false;
    if (FCheckedEpoch == gEpoch) return true;
    FRanksAscend = FOrdersAscend = FNumbered = true;
    int32_t pos = 0;
    for (size_t i = 0; i < FHelpers.size(); ++i) {
        const TInstallContainer* x = FHelpers[i];
        const bool sameRun = i > 0 && FHelpers[i - 1]->FRank == x->FRank;
        if (i > 0 && FHelpers[i - 1]->FRank > x->FRank) FRanksAscend = false;
        if (sameRun && FHelpers[i - 1]->FOrder > x->FOrder) FOrdersAscend = false;
        pos = sameRun ? pos + 1 : 0;
        if (x->FOrder != pos) FNumbered = false;
    }
    FCheckedEpoch = gEpoch;
    return true;
}

void TInstallContainer::NoteInsertedAt(size_t Index) {
    if (!CheckedFacts()) return;
    const TInstallContainer* x = FHelpers[Index];
    const TInstallContainer* before = Index > 0 ? FHelpers[Index - 1] : nullptr;
    const TInstallContainer* after = Index + 1 < FHelpers.size() ? FHelpers[Index + 1] : nullptr;
    if ((before && before->FRank > x->FRank) || (after && x->FRank > after->FRank)) FRanksAscend = false;
    if ((before && before->FRank == x->FRank && before->FOrder > x->FOrder) ||
        (after && after->FRank == x->FRank && x->FOrder > after->FOrder))
        FOrdersAscend = false;
    // Outside loading the renumbering that follows gives the new helper its
    // place; while loading, Orders stay as read until the next change.
    if (Loading()) FNumbered = false;
}

void TInstallContainer::NoteOrderChanged(const TInstallContainer* Helper) {
    if (!CheckedFacts()) return;
    auto it = std::find(FHelpers.rbegin(), FHelpers.rend(), Helper);
    // Listed elsewhere, by hand: which list holds it is not known.
    if (it == FHelpers.rend()) {
        ++gEpoch;
        return;
    }
    const size_t i = static_cast<size_t>(FHelpers.rend() - it) - 1;
    const TInstallContainer* before = i > 0 ? FHelpers[i - 1] : nullptr;
    const TInstallContainer* after = i + 1 < FHelpers.size() ? FHelpers[i + 1] : nullptr;
    if ((before && before->FRank == Helper->FRank && before->FOrder > Helper->FOrder) ||
        (after && after->FRank == Helper->FRank && Helper->FOrder > after->FOrder))
        FOrdersAscend = false;
    FNumbered = false;
}

void TInstallContainer::NoteRemovedAt(size_t Index) {
    if (!CheckedFacts()) return;
    // Two runs of one rank may meet where the helper was.
    if (Index > 0 && Index < FHelpers.size() && FHelpers[Index - 1]->FRank == FHelpers[Index]->FRank &&
        FHelpers[Index - 1]->FOrder > FHelpers[Index]->FOrder)
        FOrdersAscend = false;
    if (Loading()) FNumbered = false;
}

void TInstallContainer::SetOrder(int32_t Value) {
    if (Loading()) {
        FOrder = Value;
        if (FListings > 0) {
            auto* self = As<TBaseHelperComponent>(this);
            if (FListings == 1 && self && self->Container()) self->Container()->NoteOrderChanged(this);
            else ++gEpoch;
        }
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
        // The class being made sets its rank after this constructor.
        install->ForgetFacts();
        AttachTo(install);
        FDestDirType = ddContainerDestDir;
        FDestDir.clear();
        FAutoAttached = true;
    }
}

TBaseHelperComponent::~TBaseHelperComponent() {
    ComponentState.Include(csDestroying);
    if (FContainer) FContainer->RemoveHelper(this);
    AttachTo(nullptr);
}

void TBaseHelperComponent::AttachTo(TInstallContainer* Value) {
    if (FContainer) --FContainer->FDependents;
    FContainer = Value;
    if (Value) ++Value->FDependents;
}

void TBaseHelperComponent::SetContainer(TInstallContainer* Value) {
    FContainerSet = true;
    if (Value == FContainer) return;
    if (Value) Value->AddHelper(this);
    if (FContainer) FContainer->RemoveHelper(this);
    AttachTo(Value);
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
    if (Container == FContainer) AttachTo(nullptr);
}

void TBaseHelperComponent::Loaded() {
    TInstallContainer::Loaded();
    // An auto-attached helper whose definition names no container is free.
    if (FAutoAttached && !FContainerSet && FContainer) {
        FContainer->RemoveHelper(this);
        AttachTo(nullptr);
    }
}

void TBaseHelperComponent::CheckDefinition(std::vector<std::string>&) {}

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
