// Common controls: the tree view with its nodes, the tab strip and the
// animation player.
#pragma once

#include <memory>

#include "Graphics.h"
#include "StdCtrls.h"

namespace vtrl {

class TTreeView;
class TTreeNodes;

// One node of a tree view. Its state lives in the object (so a tree works
// without a window) and is pushed to the window item when there is one.
class TTreeNode {
public:
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    void* Data = nullptr;
    // The state image: its index in the tree's StateImages (whose image 0
    // the tree never shows); 0 or less: none.
    int StateIndex() const { return FStateIndex; }
    void SetStateIndex(int Value);
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool Value);
    // Expands this node, and every node below it when Recursive.
    void Expand(bool Recursive);
    void Collapse(bool Recursive);

    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int i) const { return FChildren.at(i).get(); }
    int Index() const;
    int Level() const;
    // The texts from the top node down to this one, joined with "\".
    std::string Path() const;
    TTreeView* TreeView() const { return FTree; }
    HTREEITEM ItemId() const { return FItem; }

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeNode(TTreeView* Tree, TTreeNode* Parent, std::string Text) : FTree(Tree), FParent(Parent), FText(std::move(Text)) {}
    void PushState();
    TTreeView* FTree;
    TTreeNode* FParent;
    std::string FText;
    int FStateIndex = -1;
    bool FExpanded = false;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    HTREEITEM FItem = nullptr;
};

// The nodes of a tree view.
class TTreeNodes {
public:
    // Removes every node (the selection becomes null).
    void Clear();
    // A node after the last sibling of Sibling (a top node when null).
    TTreeNode* Add(TTreeNode* Sibling, const std::string& Text);
    // A node after Parent's last child (a top node when null).
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
    // Removes Node and everything below it.
    void Delete(TTreeNode* Node);
    // Every node, counted depth first.
    int Count() const;
    // The top nodes.
    int TopCount() const { return static_cast<int>(FTop.size()); }
    TTreeNode* Top(int i) const { return FTop.at(i).get(); }
    TTreeNode* GetFirstNode() const { return FTop.empty() ? nullptr : FTop.front().get(); }

private:
    friend class TTreeView;
    friend class TTreeNode;
    explicit TTreeNodes(TTreeView& Tree) : FTree(Tree) {}
    TTreeView& FTree;
    std::vector<std::unique_ptr<TTreeNode>> FTop;
};

// A tree (WC_TREEVIEW). The nodes, the selection and the expansion are
// kept in the objects; a window mirrors them. A person's selection fires
// OnChange then OnClick, as ClickNode does; SetSelected fires nothing.
class TTreeView : public TControl {
    VTRL_CLASS(TTreeView)
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;
    TTreeNodes& Items() { return FItems; }
    const TTreeNodes& Items() const { return FItems; }
    TTreeNode* Selected() const { return FSelected; }
    void SetSelected(TTreeNode* Node);
    // The node whose path (texts from a top node down, joined with "\",
    // without regard to case) is Path, or null.
    TTreeNode* FindNode(const std::string& Path) const;
    // Selects the node as a person's click does: OnChange (when the
    // selection changes), then OnClick.
    void ClickNode(TTreeNode* Node);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    int Indent() const { return FIndent; }
    void SetIndent(int v);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v);
    TImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TImageList* v);
    TEvent<TComponent*, TTreeNode*> OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void DetachHandle() override;
    bool Notify(NMHDR& Header, LRESULT& Result) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void InsertItem(TTreeNode* Node);
    void ForgetItems(TTreeNode* Node);
    void Recreate();
    void NodeRemoved(TTreeNode* Node);
    TTreeNodes FItems{*this};
    TTreeNode* FSelected = nullptr;
    bool FReadOnly = false;
    int FIndent = 19;
    bool FHideSelection = true;
    TImageList* FStateImages = nullptr;
    bool FSelecting = false;  // our own TVM_SELECTITEM is under way
};

// A tab strip (WC_TABCONTROL). Changing the tab asks OnChanging, which may
// refuse, then fires OnChange; TabIndex in code fires nothing.
class TTabControl : public TControl {
    VTRL_CLASS(TTabControl)
public:
    explicit TTabControl(TComponent* AOwner);
    const TStringList& Tabs() const { return FTabs; }
    void SetTabs(const TStringList& Value);
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int Value);
    TNotifyEvent OnChange;
    TEvent<TComponent*, bool&> OnChanging;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    bool Notify(NMHDR& Header, LRESULT& Result) override;
    void Loaded() override;

private:
    TStringList FTabs;
    int FTabIndex = -1;
};

VTRL_ENUM(TCommonAVI, aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile,
          aviRecycleFile, aviEmptyRecycle, aviDeleteFile)

// Plays a silent .avi clip (ANIMATE_CLASS) while Active. A file that is
// missing or cannot be played shows nothing and raises nothing.
class TAnimate : public TControl {
    VTRL_CLASS(TAnimate)
public:
    explicit TAnimate(TComponent* AOwner);
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value);
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // A clip of the system's, played from the program's own resource of
    // type "AVI", as Wine has no system clips: aviCopyFile from "FILECOPY",
    // aviFindComputer from "FINDCOMPUTER"; the others are not offered. A
    // file name takes precedence.
    TCommonAVI CommonAVI() const { return FCommonAVI; }
    void SetCommonAVI(TCommonAVI Value);
    // The frame a showing stops at and starts again from; 0 plays to the
    // clip's end.
    int32_t StopFrame = 0;
    bool Center = true;
    bool Transparent = true;
    // True when the window has the clip open.
    bool Opened() const { return FOpened; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void DetachHandle() override;

private:
    void OpenClip();
    void Play();
    std::string FFileName;
    TCommonAVI FCommonAVI = aviNone;
    bool FActive = false;
    bool FOpened = false;
};

}  // namespace vtrl
