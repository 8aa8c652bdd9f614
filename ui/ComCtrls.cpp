// Tree view, tab strip and animation player.
#include "ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "SysUtils.h"
#include "ResponseFile.h"

namespace vtrl {

// ---------------------------------------------------------------- tree node

void TTreeNode::SetText(const std::string& Value) {
    FText = Value;
    if (!FItem || !FTree->HandleAllocated()) return;
    TVITEMA it{};
    it.mask = TVIF_TEXT;
    it.hItem = FItem;
    it.pszText = const_cast<char*>(FText.c_str());
    SendMessageA(FTree->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void TTreeNode::SetStateIndex(int Value) {
    FStateIndex = Value;
    PushState();
}

void TTreeNode::PushState() {
    if (!FItem || !FTree->HandleAllocated()) return;
    TVITEMA it{};
    it.mask = TVIF_STATE;
    it.hItem = FItem;
    it.state = INDEXTOSTATEIMAGEMASK(std::max(0, FStateIndex));
    it.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(FTree->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void TTreeNode::SetExpanded(bool Value) {
    FExpanded = Value;
    if (FItem && FTree->HandleAllocated())
        SendMessageA(FTree->Handle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItem));
}

void TTreeNode::Expand(bool Recursive) {
    SetExpanded(true);
    if (Recursive)
        for (auto& c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool Recursive) {
    SetExpanded(false);
    if (Recursive)
        for (auto& c : FChildren) c->Collapse(true);
}

int TTreeNode::Index() const {
    const auto& list = FParent ? FParent->FChildren : FTree->FItems.FTop;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const { return FParent ? FParent->Level() + 1 : 0; }

std::string TTreeNode::Path() const { return FParent ? FParent->Path() + "\\" + FText : FText; }

// --------------------------------------------------------------- tree nodes

void TTreeNodes::Clear() {
    FTree.FSelected = nullptr;
    if (FTree.HandleAllocated()) {
        FTree.FSelecting = true;
        SendMessageA(FTree.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        FTree.FSelecting = false;
    }
    FTop.clear();
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& Text) {
    return AddChild(Sibling ? Sibling->Parent() : nullptr, Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& Text) {
    auto& list = Parent ? Parent->FChildren : FTop;
    list.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(&FTree, Parent, Text)));
    TTreeNode* node = list.back().get();
    if (FTree.HandleAllocated() && (!Parent || Parent->FItem)) FTree.InsertItem(node);
    return node;
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node) return;
    for (TTreeNode* s = FTree.FSelected; s; s = s->Parent())
        if (s == Node) FTree.FSelected = nullptr;
    if (Node->FItem && FTree.HandleAllocated()) {
        FTree.FSelecting = true;
        SendMessageA(FTree.Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItem));
        FTree.FSelecting = false;
    }
    auto& list = Node->FParent ? Node->FParent->FChildren : FTop;
    list.erase(std::remove_if(list.begin(), list.end(), [Node](const auto& p) { return p.get() == Node; }),
               list.end());
}

namespace {
int CountNodes(const TTreeNode* Node) {
    int n = 1;
    for (int i = 0; i < Node->Count(); ++i) n += CountNodes(Node->Item(i));
    return n;
}
}  // namespace

int TTreeNodes::Count() const {
    int n = 0;
    for (const auto& t : FTop) n += CountNodes(t.get());
    return n;
}

// ---------------------------------------------------------------- tree view

VTRL_IMPLEMENT_CLASS(TTreeView, TControl, [](TClassBuilder<TTreeView>& b) {
    b.Boolean("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection, true)
        .Integer("Indent", &TTreeView::Indent, &TTreeView::SetIndent, 19)
        .Boolean("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly, false)
        .Reference<TImageList>("StateImages", &TTreeView::StateImages, &TTreeView::SetStateImages)
        .Event("OnChange", &TTreeView::OnChange);
})

TTreeView::TTreeView(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 121;
    FHeight = 97;
}

TTreeView::~TTreeView() {
    // The window goes before the nodes its items point to.
    DestroyHandle();
}

void TTreeView::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = WC_TREEVIEWA;
    p.Style |= WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT;
    if (!FHideSelection) p.Style |= TVS_SHOWSELALWAYS;
    if (!FReadOnly) p.Style |= TVS_EDITLABELS;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::HandleCreated() {
    SendMessageA(FHandle, TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
    if (FStateImages)
        SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(FStateImages->Handle()));
    for (auto& n : FItems.FTop) InsertItem(n.get());
    if (FSelected) SetSelected(FSelected);
}

void TTreeView::InsertItem(TTreeNode* Node) {
    TVINSERTSTRUCTA is{};
    is.hParent = Node->FParent ? Node->FParent->FItem : TVI_ROOT;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    is.item.pszText = const_cast<char*>(Node->FText.c_str());
    is.item.lParam = reinterpret_cast<LPARAM>(Node);
    is.item.state = INDEXTOSTATEIMAGEMASK(std::max(0, Node->FStateIndex));
    is.item.stateMask = TVIS_STATEIMAGEMASK;
    Node->FItem = reinterpret_cast<HTREEITEM>(SendMessageA(FHandle, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    if (!Node->FItem) throw Exception("Cannot add the node " + Node->FText + " to " + Name());
    for (auto& c : Node->FChildren) InsertItem(c.get());
    if (Node->FExpanded) SendMessageA(FHandle, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->FItem));
}

void TTreeView::ForgetItems(TTreeNode* Node) {
    Node->FItem = nullptr;
    for (auto& c : Node->FChildren) ForgetItems(c.get());
}

void TTreeView::DetachHandle() {
    for (auto& n : FItems.FTop) ForgetItems(n.get());
    TControl::DetachHandle();
}

void TTreeView::Recreate() {
    if (HandleAllocated() && Parent()) {
        DestroyHandle();
        HandleNeeded();
    }
}

void TTreeView::SetReadOnly(bool v) {
    FReadOnly = v;
    Recreate();
}

void TTreeView::SetHideSelection(bool v) {
    FHideSelection = v;
    Recreate();
}

void TTreeView::SetIndent(int v) {
    FIndent = v;
    if (FHandle) SendMessageA(FHandle, TVM_SETINDENT, static_cast<WPARAM>(v), 0);
}

void TTreeView::SetStateImages(TImageList* v) {
    if (FStateImages) FStateImages->RemoveFreeNotification(this);
    FStateImages = v;
    if (v) v->FreeNotification(this);
    if (FHandle)
        SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(v ? v->Handle() : nullptr));
}

void TTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FStateImages) SetStateImages(nullptr);
}

void TTreeView::SetSelected(TTreeNode* Node) {
    FSelected = Node;
    if (!FHandle) return;
    FSelecting = true;
    SendMessageA(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Node ? Node->FItem : nullptr));
    FSelecting = false;
}

TTreeNode* TTreeView::FindNode(const std::string& Path) const {
    const std::vector<std::unique_ptr<TTreeNode>>* list = &FItems.FTop;
    TTreeNode* found = nullptr;
    size_t start = 0;
    for (;;) {
        size_t end = Path.find('\\', start);
        std::string part = Path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        auto it = std::find_if(list->begin(), list->end(), [&](const auto& n) { return SameText(n->Text(), part); });
        if (it == list->end()) return nullptr;
        found = it->get();
        if (end == std::string::npos) return found;
        list = &found->FChildren;
        start = end + 1;
    }
}

void TTreeView::ClickNode(TTreeNode* Node) {
    if (Node != FSelected) {
        SetSelected(Node);
        if (OnChange) OnChange(this, Node);
    }
    Click();
}

bool TTreeView::Notify(NMHDR& h, LRESULT& Result) {
    switch (h.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        if (FSelecting) return true;
        auto& nm = reinterpret_cast<NMTREEVIEWA&>(h);
        FSelected = reinterpret_cast<TTreeNode*>(nm.itemNew.lParam);
        if (nm.action != TVC_UNKNOWN && FSelected) NotifyUserAction(*this, "select", FSelected->Path());
        if (OnChange) OnChange(this, FSelected);
        return true;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        auto& nm = reinterpret_cast<NMTREEVIEWA&>(h);
        if (auto* n = reinterpret_cast<TTreeNode*>(nm.itemNew.lParam)) n->FExpanded = nm.action & TVE_EXPAND;
        return true;
    }
    case TVN_ENDLABELEDITA: {
        auto& nm = reinterpret_cast<NMTVDISPINFOA&>(h);
        if (!nm.item.pszText) return true;
        if (auto* n = reinterpret_cast<TTreeNode*>(nm.item.lParam)) n->FText = nm.item.pszText;
        Result = TRUE;
        return true;
    }
    case NM_CLICK: Click(); return true;
    }
    return false;
}

// -------------------------------------------------------------- tab control

VTRL_IMPLEMENT_CLASS(TTabControl, TControl, [](TClassBuilder<TTabControl>& b) {
    b.Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex, -1)
        .Strings("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs)
        .Event("OnChange", &TTabControl::OnChange)
        .Event("OnChanging", &TTabControl::OnChanging);
})

TTabControl::TTabControl(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 289;
    FHeight = 193;
}

void TTabControl::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = WC_TABCONTROLA;
    p.Style |= WS_TABSTOP;
}

void TTabControl::HandleCreated() {
    SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < FTabs.Count(); ++i) {
        TCITEMA it{};
        it.mask = TCIF_TEXT;
        it.pszText = const_cast<char*>(FTabs[i].c_str());
        SendMessageA(FHandle, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
    }
    SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

void TTabControl::SetTabs(const TStringList& Value) {
    FTabs = Value;
    if (!Reading() && FTabIndex >= FTabs.Count()) FTabIndex = FTabs.Count() ? 0 : -1;
    if (!Reading() && FTabIndex < 0 && FTabs.Count()) FTabIndex = 0;
    if (FHandle) HandleCreated();
}

void TTabControl::SetTabIndex(int Value) {
    FTabIndex = Reading() || (Value >= 0 && Value < FTabs.Count()) ? Value : -1;
    if (FHandle) SendMessageA(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

void TTabControl::Loaded() {
    TControl::Loaded();
    SetTabIndex(FTabIndex);
}

bool TTabControl::Notify(NMHDR& h, LRESULT& Result) {
    if (h.code == static_cast<UINT>(TCN_SELCHANGING)) {
        bool allow = true;
        if (OnChanging) OnChanging(this, allow);
        Result = allow ? FALSE : TRUE;
        return true;
    }
    if (h.code == static_cast<UINT>(TCN_SELCHANGE)) {
        FTabIndex = static_cast<int>(SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
        NotifyUserAction(*this, "select", std::to_string(FTabIndex));
        if (OnChange) OnChange(this);
        return true;
    }
    return false;
}

// ------------------------------------------------------------------ animate

VTRL_IMPLEMENT_CLASS(TAnimate, TControl, [](TClassBuilder<TAnimate>& b) {
    b.Boolean("Active", &TAnimate::Active, &TAnimate::SetActive, false)
        .Boolean("Center", &TAnimate::Center, &TAnimate::Center, true)
        .Enum<TCommonAVI>("CommonAVI", &TAnimate::CommonAVI, &TAnimate::SetCommonAVI, aviNone)
        .String("FileName", &TAnimate::FileName, &TAnimate::SetFileName)
        .Integer("StopFrame", &TAnimate::StopFrame, &TAnimate::StopFrame, 0)
        .Boolean("Transparent", &TAnimate::Transparent, &TAnimate::Transparent, true);
})

TAnimate::TAnimate(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 100;
    FHeight = 80;
}

void TAnimate::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = ANIMATE_CLASSA;
    if (Center) p.Style |= ACS_CENTER;
    if (Transparent) p.Style |= ACS_TRANSPARENT;
}

void TAnimate::HandleCreated() { OpenClip(); }

void TAnimate::DetachHandle() {
    FOpened = false;
    TControl::DetachHandle();
}

// ACM_OPEN fails for a missing or unplayable file; the control then stays
// empty, which is all a missing clip should cost.
void TAnimate::OpenClip() {
    if (!FHandle) return;
    if (!FFileName.empty()) {
        FOpened = SendMessageA(FHandle, ACM_OPENA, 0, reinterpret_cast<LPARAM>(FFileName.c_str())) != 0;
    } else if (const char* clip = FCommonAVI == aviCopyFile       ? "FILECOPY"
                                  : FCommonAVI == aviFindComputer ? "FINDCOMPUTER"
                                                                  : nullptr) {
        HINSTANCE self = GetModuleHandleA(nullptr);
        FOpened = FindResourceA(self, clip, "AVI") &&
                  SendMessageA(FHandle, ACM_OPENA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(clip)) != 0;
    } else {
        FOpened = false;
    }
    if (FOpened && FActive) Play();
}

void TAnimate::Play() {
    const WORD last = StopFrame > 0 ? static_cast<WORD>(StopFrame) : 0xFFFF;
    SendMessageA(FHandle, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, last));
}

void TAnimate::SetFileName(const std::string& Value) {
    FFileName = Value;
    if (!FHandle) return;
    SendMessageA(FHandle, ACM_OPENA, 0, 0);
    OpenClip();
}

void TAnimate::SetCommonAVI(TCommonAVI Value) {
    FCommonAVI = Value;
    if (!FHandle || !FFileName.empty()) return;
    SendMessageA(FHandle, ACM_OPENA, 0, 0);
    OpenClip();
}

void TAnimate::SetActive(bool Value) {
    FActive = Value;
    if (!FHandle || !FOpened) return;
    if (Value) Play();
    else SendMessageA(FHandle, ACM_STOP, 0, 0);
}

// ------------------------------------------------------------ response files

namespace {
// What a response file's "select" does to these controls: what a person's
// choice does, with its events.
const bool TabAndTreeActionsRegistered = [] {
    // A tab by its text, #index or number, as a person's choice: OnChanging
    // may refuse, then OnChange.
    RegisterControlAction(TTabControl::StaticClass(), "select", [](TControl& c, const std::string& v) {
        auto& tabs = static_cast<TTabControl&>(c);
        int i = FindResponseItem(tabs.Tabs(), v);
        int64_t n = -1;
        if (i < 0 && TryStrToInt(v, n) && n >= 0 && n < tabs.Tabs().Count()) i = static_cast<int>(n);
        if (i < 0) throw ENoSuchValue("the tabs " + c.Name() + " have no tab " + v);
        bool allow = true;
        if (tabs.OnChanging) tabs.OnChanging(&tabs, allow);
        if (!allow) return;
        tabs.SetTabIndex(i);
        if (tabs.OnChange) tabs.OnChange(&tabs);
    });

    // A tree's node by its path of texts joined with backslashes.
    RegisterControlAction(TTreeView::StaticClass(), "select", [](TControl& c, const std::string& v) {
        auto& tree = static_cast<TTreeView&>(c);
        TTreeNode* node = tree.FindNode(v);
        if (!node) throw ENoSuchValue("the tree " + c.Name() + " has no node " + v);
        tree.ClickNode(node);
    });
    return true;
}();
}  // namespace

}  // namespace vtrl
