// Tests of the tree view, the tab strip and the animation player.
#include "ComCtrls.h"

#include "Controls_test.h"

using namespace vtrl;
using namespace vtrl::testing;

namespace {

// Root
//   Program files
//     Help
//   Samples
struct TGroups {
    TTreeNode* Root;
    TTreeNode* Program;
    TTreeNode* Help;
    TTreeNode* Samples;
    explicit TGroups(TTreeView* t) {
        Root = t->Items().AddChild(nullptr, "Root");
        Program = t->Items().AddChild(Root, "Program files");
        Help = t->Items().AddChild(Program, "Help");
        Samples = t->Items().Add(Program, "Samples");
    }
};

UINT WindowState(TTreeView* t, TTreeNode* n) {
    TVITEMA it{};
    it.mask = TVIF_STATE | TVIF_HANDLE;
    it.hItem = n->ItemId();
    it.stateMask = TVIS_STATEIMAGEMASK | TVIS_EXPANDED;
    SendMessageA(t->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return it.state;
}

std::string WindowText(TTreeView* t, TTreeNode* n) {
    char buf[128] = {};
    TVITEMA it{};
    it.mask = TVIF_TEXT | TVIF_HANDLE;
    it.hItem = n->ItemId();
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(t->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return buf;
}

}  // namespace

// Rule: without a window the nodes keep text, data, state, expansion and
// the selection; paths join texts with "\" and are found without regard to
// case; deleting the selected node's branch clears the selection.
TEST_F(ControlsTest, TreeStateWithoutWindow) {
    NewForm();
    auto* t = Add<TTreeView>("Tree");
    TGroups g(t);
    int data = 0;
    g.Help->Data = &data;
    g.Help->SetStateIndex(2);
    g.Root->Expand(true);
    EXPECT_FALSE(t->HandleAllocated());
    EXPECT_EQ(t->Items().Count(), 4);
    EXPECT_EQ(g.Samples->Parent(), g.Root);
    EXPECT_EQ(g.Samples->Index(), 1);
    EXPECT_EQ(g.Help->Level(), 2);
    EXPECT_TRUE(g.Help->Expanded());
    EXPECT_EQ(g.Help->Path(), "Root\\Program files\\Help");
    EXPECT_EQ(t->FindNode("root\\PROGRAM FILES\\help"), g.Help);
    EXPECT_EQ(t->FindNode("Root\\Help"), nullptr);
    EXPECT_EQ(t->FindNode("Root"), g.Root);

    t->SetSelected(g.Help);
    t->Items().Delete(g.Program);
    EXPECT_EQ(t->Selected(), nullptr);
    EXPECT_EQ(t->Items().Count(), 2);
    t->Items().Clear();
    EXPECT_EQ(t->Items().Count(), 0);
}

// Rule: the window gets every node with its text, state image, expansion
// and the selection; later changes of the nodes reach the window; the
// state image list is set as the tree's state list.
TEST_F(ControlsTest, TreeStatePushedIntoWindow) {
    NewForm();
    auto* t = Add<TTreeView>("Tree");
    auto* states = new TImageList(Form);
    TGroups g(t);
    g.Root->SetStateIndex(1);
    g.Help->SetStateIndex(2);
    g.Samples->SetStateIndex(-1);  // none
    g.Root->Expand(false);
    t->SetStateImages(states);
    t->SetSelected(g.Program);
    int changes = 0;
    t->OnChange = [&](TComponent*, TTreeNode*) { ++changes; };
    Form->HandleNeeded();

    EXPECT_EQ(SendMessageA(t->Handle(), TVM_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(WindowState(t, g.Root) & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
    EXPECT_EQ(WindowState(t, g.Help) & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(WindowState(t, g.Samples) & TVIS_STATEIMAGEMASK, 0u);
    EXPECT_NE(WindowState(t, g.Root) & TVIS_EXPANDED, 0u);
    EXPECT_EQ(WindowState(t, g.Program) & TVIS_EXPANDED, 0u);
    EXPECT_EQ(SendMessageA(t->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(g.Program->ItemId()));
    EXPECT_EQ(SendMessageA(t->Handle(), TVM_GETIMAGELIST, TVSIL_STATE, 0), reinterpret_cast<LRESULT>(states->Handle()));

    g.Help->SetStateIndex(1);
    EXPECT_EQ(WindowState(t, g.Help) & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
    g.Samples->SetText("Examples");
    EXPECT_EQ(WindowText(t, g.Samples), "Examples");
    TTreeNode* added = t->Items().AddChild(g.Samples, "More");
    EXPECT_NE(added->ItemId(), nullptr);
    t->SetSelected(g.Root);
    EXPECT_EQ(SendMessageA(t->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(g.Root->ItemId()));
    EXPECT_EQ(changes, 0);  // code selected

    // Another window of the tree (a new parent) gets the same state.
    t->SetReadOnly(true);
    EXPECT_EQ(SendMessageA(t->Handle(), TVM_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(WindowState(t, g.Help) & TVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));

    // The image list going away leaves no dangling reference.
    delete states;
    EXPECT_EQ(t->StateImages(), nullptr);
}

// Rule: ClickNode selects and fires OnChange (only when the selection
// changes), then OnClick; a person's selection by key fires OnChange and is
// reported with the node's path.
TEST_F(ControlsTest, TreeClicksAndPersonsSelection) {
    NewForm();
    RecordActions();
    auto* t = Add<TTreeView>("Tree");
    TGroups g(t);
    g.Root->Expand(true);
    std::vector<std::string> events;
    t->OnChange = [&](TComponent*, TTreeNode* n) { events.push_back("change " + (n ? n->Text() : "-")); };
    t->OnClick = [&](TComponent*) { events.push_back("click"); };
    t->ClickNode(g.Help);
    t->ClickNode(g.Help);
    EXPECT_EQ(events, (std::vector<std::string>{"change Help", "click", "click"}));
    EXPECT_EQ(t->Selected(), g.Help);
    EXPECT_TRUE(Actions.empty());

    events.clear();
    Form->HandleNeeded();
    SetFocus(t->Handle());
    SendMessageA(t->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(t->Selected(), g.Samples);
    EXPECT_EQ(events, std::vector<std::string>{"change Samples"});
    EXPECT_EQ(Actions, std::vector<std::string>{"Tree select Root\\Samples"});
}

// Rule: the tab index stays within the tabs; OnChanging may refuse a
// person's change, OnChange follows an allowed one.
TEST_F(ControlsTest, TabControlIndexAndChanging) {
    NewForm();
    auto* tabs = Add<TTabControl>("Tabs");
    tabs->SetHeight(0);
    tabs->SetTabs(TStringList{"One", "Two"});
    EXPECT_EQ(tabs->TabIndex(), 0);
    tabs->SetTabIndex(5);
    EXPECT_EQ(tabs->TabIndex(), -1);
    tabs->SetTabIndex(1);
    bool allow = false;
    int changes = 0;
    tabs->OnChanging = [&](TComponent*, bool& a) { a = allow; };
    tabs->OnChange = [&](TComponent*) { ++changes; };
    Form->HandleNeeded();
    EXPECT_EQ(SendMessageA(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(tabs->Handle(), TCM_GETCURSEL, 0, 0), 1);
    NMHDR h{tabs->Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(tabs->Handle())), static_cast<UINT>(TCN_SELCHANGING)};
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_NOTIFY, h.idFrom, reinterpret_cast<LPARAM>(&h)), TRUE);
    allow = true;
    EXPECT_EQ(SendMessageA(Form->Handle(), WM_NOTIFY, h.idFrom, reinterpret_cast<LPARAM>(&h)), FALSE);
    SendMessageA(tabs->Handle(), TCM_SETCURSEL, 0, 0);
    h.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(Form->Handle(), WM_NOTIFY, h.idFrom, reinterpret_cast<LPARAM>(&h));
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(changes, 1);
}

// Rule: a clip that is missing plays nothing and raises nothing.
TEST_F(ControlsTest, AnimateMissingFileFailsSilently) {
    NewForm();
    auto* a = Add<TAnimate>("Clip");
    a->SetFileName("C:\\no\\such\\clip.avi");
    a->SetActive(true);
    ASSERT_NO_THROW(Form->HandleNeeded());
    EXPECT_TRUE(a->HandleAllocated());
    EXPECT_FALSE(a->Opened());
    EXPECT_NO_THROW(a->SetActive(false));
    EXPECT_NO_THROW(a->SetFileName("other.avi"));
}
