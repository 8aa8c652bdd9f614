// The install component tree: containers with an ordered list of helpers,
// helpers that live in a container, and components with an archive file.
#pragma once

#include <string>
#include <vector>

#include "Classes.h"
#include "TypInfo.h"
#include "constants_InstallEvents.h"
#include "cmp_TVtrlCompress.h"
#include "exceptions_Vantrel.h"
#include "types_Vantrel.h"

namespace vtrl {

class TInstallContainer;
class TFileContainer;

using TInstallContainerNotifyEvent = TEvent<TInstallContainer*>;

// Base of every install component. Owns nothing but its helper list; the
// definition's root owns the components themselves.
class TInstallContainer : public TComponent {
    VTRL_CLASS(TInstallContainer)
public:
    explicit TInstallContainer(TComponent* AOwner);
    ~TInstallContainer() override;

    // Every live install component, in creation order.
    static std::vector<TInstallContainer*> Registry();

    // ---- helpers
    int HelperCount() const { return static_cast<int>(FHelpers.size()); }
    // Raises Exception when Index is outside 0..HelperCount-1.
    TInstallContainer* Helpers(int Index) const;
    // The Index-th direct helper of Class (or a descendant), in list order;
    // raises EAIICBadCompCall when there is none.
    TInstallContainer* Comp(int Index, const TClassInfo& Class) const;
    template <class T>
    T* Comp(int Index) const { return static_cast<T*>(Comp(Index, T::StaticClass())); }
    int CompCount(const TClassInfo& Class) const;
    // Destroys every direct helper of Class, from the last to the first.
    void FreeHelpersOfClass(const TClassInfo& Class);
    // Stores Type here and, recursively, in every helper below (helpers first).
    void SetSelectedInstallType(TInstallType Type);
    TInstallType SelectedInstallType() const { return FSelectedInstallType; }

    // ---- virtual operations, in the order the tree uses them
    virtual int FileContainerCount() const;
    virtual TFileContainer* FileContainers(int Index) const;
    virtual void SetDestDir(const std::string& Value);
    virtual void SetDestDirType(TPathSpecifiers Value);
    // Told when Container is being destroyed: a helper is told when its
    // container or a container listing it goes (every live component is
    // told when a helper still names as its container one that no longer
    // lists it).
    virtual void ContainerDestroying(TInstallContainer* Container);
    // The upward event path; does nothing here.
    virtual void DoInformationEventControl(TInstallContainer* Sender, TEventName EventName,
                                           TPersistent* ParameterObject) {}
    // Receiver of broadcast dialog events; does nothing here.
    virtual void DialogEvent(TInstallContainer* Sender, TEventName EventName, TPersistent* ParameterObject) {}
    // The absolute destination directory (no trailing backslash).
    virtual std::string ExpandDestDir();
    // Destroys every helper, from the last to the first, after its own helpers.
    virtual void FreeHelpers();
    virtual bool HasHelper(const TInstallContainer* Component) const;
    // Installs this component: events, inclusion tests, helpers, uninstall
    // record. A silent abort ends it quietly; other exceptions pass.
    virtual void Process();
    virtual void ProcessHelpers();
    virtual void ContinueAfterReboot() {}
    virtual void LanguageChanged(int Language) {}
    // Records what this component installed under the registry key Key.
    virtual void WriteUninstallInfo(const std::string& Key) {}
    virtual void AddHelper(TInstallContainer* Helper);
    virtual void RemoveHelper(TInstallContainer* Helper);

    // ---- properties
    bool Include() const { return FInclude; }
    void SetInclude(bool Value) { FInclude = Value; }
    TInstallTypes InstallTypes() const { return FInstallTypes; }
    // Normalises: itAlways never stands beside another type.
    void SetInstallTypes(TInstallTypes Value);
    const std::string& DestDir() const { return FDestDir; }
    TPathSpecifiers DestDirType() const { return FDestDirType; }
    int32_t Order() const { return FOrder; }
    void SetOrder(int32_t Value);
    int32_t Rank() const { return FRank; }
    bool ProcessWithContainer() const { return FProcessWithContainer; }
    TPathSpecifierSet AllowedDestDirTypes() const { return FAllowedDestDirTypes; }

    // Selected by the inclusion rule: takes part in this run.
    bool IsSelected() const;
    // Selected by the narrower rule the size totals use.
    bool IsCountedInTotals() const;

    // Calls DialogEvent(this, Name, Parameter) on each direct helper of
    // rank 9000, in list order.
    void Broadcast(TEventName Name, TPersistent* Parameter = nullptr);

    TInstallContainerNotifyEvent OnAfterProcess;
    TInstallContainerNotifyEvent OnBeforeProcess;
    TInstallContainerNotifyEvent OnShowInstallTypeDlg;

protected:
    // Sets Order of each helper to its place within its run of equal ranks.
    void Renumber();
    // The place rank and Order ask for: before the first helper of a higher
    // rank, or of the same rank and an Order not below Helper's (when
    // Helper's Order is not -1); a class named TInstallBDE goes first.
    int InsertionIndex(const TInstallContainer* Helper);
    void CheckDestDirType(TPathSpecifiers Value);

    TPathSpecifierSet FAllowedDestDirTypes;
    bool FProcessWithContainer = false;
    std::vector<TInstallContainer*> FHelpers;
    bool FInclude = true;
    TInstallTypes FInstallTypes{itAlways};
    int32_t FRank = 0;
    TInstallType FSelectedInstallType = itAlways;
    std::string FDestDir;
    TPathSpecifiers FDestDirType = ddAbsolute;
    int32_t FOrder = -1;

private:
    friend class TBaseHelperComponent;
    // What is known about the helper list, so that adding and removing
    // helpers costs no walk over it: a tree of many thousand files is built
    // and destroyed one helper at a time. The facts hold while FCheckedEpoch
    // is the current epoch; anything that may change a listed helper's rank
    // or Order behind the list's back sets it to 0, and the next change
    // checks the list once.
    bool CheckedFacts();
    void ForgetFacts() { FCheckedEpoch = 0; }
    void NoteInsertedAt(size_t Index);
    void NoteRemovedAt(size_t Index);
    // Helper's Order changed in place while loading.
    void NoteOrderChanged(const TInstallContainer* Helper);
    // Renumbers from Index on, as far as the place changed Orders.
    void RenumberFrom(size_t Index);
    void ListHelper(TInstallContainer* Helper);
    void UnlistHelper(TInstallContainer* Helper);
    void LeaveEveryList();

    TInstallContainer* FPrevLive = nullptr;  // the registry, in creation order
    TInstallContainer* FNextLive = nullptr;
    int32_t FListings = 0;     // helper lists holding this component
    int32_t FDependents = 0;   // helpers whose Container is this component
    uint64_t FCheckedEpoch = 0;
    bool FRanksAscend = true;  // ranks never fall along the list
    bool FOrdersAscend = true; // Orders never fall within a run of equal ranks
    bool FNumbered = false;    // each Order is its place within its run
};

// A component that lives in a container.
class TBaseHelperComponent : public TInstallContainer {
    VTRL_CLASS(TBaseHelperComponent)
public:
    explicit TBaseHelperComponent(TComponent* AOwner);
    ~TBaseHelperComponent() override;

    TInstallContainer* Container() const { return FContainer; }
    virtual void SetContainer(TInstallContainer* Value);
    void ContainerDestroying(TInstallContainer* Container) override;
    void Loaded() override;
    bool AutoAttached() const { return FAutoAttached; }
    bool ContainerSet() const { return FContainerSet; }
    // Appends what would stop this component at install time, as the
    // definition stands, one text each (without the component's name): the
    // authoring check and the build report it before anything is built.
    // Called with the definition loaded and the path cache in use.
    virtual void CheckDefinition(std::vector<std::string>& Problems);

protected:
    // Sends Name up to the container (the upward event path).
    void SendUp(TEventName Name, TPersistent* Parameter);
    // What a new container does to the anchors (none when not loading).
    virtual void ContainerChanged(TInstallContainer* NewContainer);

    bool FAutoAttached = false;
    bool FContainerSet = false;
    // Changed only through AttachTo, which keeps the container's count of
    // the helpers naming it.
    TInstallContainer* FContainer = nullptr;

private:
    void AttachTo(TInstallContainer* Value);
};

// A helper that has an archive file.
class TFileRelated : public TBaseHelperComponent {
    VTRL_CLASS(TFileRelated)
public:
    explicit TFileRelated(TComponent* AOwner);

    TlzhCommand AddToArchive() const { return FAddToArchive; }
    void SetAddToArchive(TlzhCommand Value) { FAddToArchive = Value; }
    const std::string& ArchiveFile() const { return FArchiveFile; }
    virtual void SetArchiveFile(const std::string& Value);
    TPathSpecifiers ArchiveFileType() const { return FArchiveFileType; }
    virtual void SetArchiveFileType(TPathSpecifiers Value);
    // The absolute path of the archive file.
    virtual std::string ExpandArchiveFile();

protected:
    void ContainerChanged(TInstallContainer* NewContainer) override;

    TlzhCommand FAddToArchive = lzcOverwrite;
    std::string FArchiveFile;
    TPathSpecifiers FArchiveFileType = ddAbsolute;
};

}  // namespace vtrl
