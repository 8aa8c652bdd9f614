// Tests of the string grid: cells, selection by code, mouse and keys,
// drawing of the visible cells and the scroll bar.
#include "Grids.h"

#include <map>
#include <set>

#include "Controls_test.h"

using namespace vtrl;
using namespace vtrl::testing;

namespace {

// A language-page grid: 2 columns of 140, rows of 48, no fixed cells.
TStringGrid* NewGrid(TStringGrid* g, int Rows) {
    g->SetBounds(0, 0, 300, 200);
    g->SetColCount(2);
    g->SetFixedCols(0);
    g->SetRowCount(Rows);
    g->SetFixedRows(0);
    g->SetDefaultColWidth(140);
    g->SetDefaultRowHeight(48);
    g->SetOptions(TGridOptions{goVertLine, goHorzLine});
    return g;
}

// The cells OnDrawCell is called for while the grid paints into a memory DC.
std::set<std::pair<int, int>> PaintedCells(TStringGrid* g) {
    std::set<std::pair<int, int>> cells;
    g->OnDrawCell = [&](TComponent*, int c, int r, RECT, TGridDrawState) { cells.insert({c, r}); };
    HDC dc = CreateCompatibleDC(nullptr);
    g->PaintTo(dc);
    DeleteDC(dc);
    g->OnDrawCell.Clear();
    return cells;
}

LPARAM PointOf(const RECT& r) { return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

}  // namespace

// Rule: cells and objects keep their place when the grid grows or shrinks;
// a cell outside the grid raises; fixed counts stay below the counts.
TEST_F(ControlsTest, GridCellsAndCounts) {
    NewForm();
    auto* g = Add<TStringGrid>("Grid");
    int marker = 0;
    g->SetCells(1, 2, "x");
    g->SetObjects(1, 2, &marker);
    g->SetColCount(3);
    g->SetRowCount(8);
    EXPECT_EQ(g->Cells(1, 2), "x");
    EXPECT_EQ(g->Objects(1, 2), &marker);
    EXPECT_EQ(g->Cells(2, 7), "");
    EXPECT_EQ(g->Objects(2, 7), nullptr);
    EXPECT_THROW(g->Cells(3, 0), Exception);
    EXPECT_THROW(g->SetCells(0, -1, "y"), Exception);
    EXPECT_THROW(g->SetFixedRows(8), Exception);
    g->SetRowCount(1);  // fewer rows than fixed: the fixed count follows
    EXPECT_EQ(g->FixedRows(), 0);
    EXPECT_EQ(g->Row(), 0);
}

// Rule: ClickCell asks OnSelectCell, moves the current cell when allowed,
// then fires OnClick either way; fixed cells are never selected; setting
// Col and Row fires nothing.
TEST_F(ControlsTest, GridClickCell) {
    NewForm();
    auto* g = Add<TStringGrid>("Grid");
    std::vector<std::string> events;
    bool allow = true;
    g->OnSelectCell = [&](TComponent*, int c, int r, bool& can) {
        events.push_back("select " + std::to_string(c) + "," + std::to_string(r));
        can = allow;
    };
    g->OnClick = [&](TComponent*) { events.push_back("click"); };
    g->ClickCell(3, 2);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"select 3,2", "click"}));
    allow = false;
    g->ClickCell(4, 4);
    EXPECT_EQ(g->Col(), 3);
    g->ClickCell(0, 1);  // fixed column
    EXPECT_EQ(g->Col(), 3);
    events.clear();
    g->SetCol(2);
    g->SetRow(4);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(g->Selection(), (TGridRect{2, 4, 2, 4}));
    g->SetOptions(g->Options() + TGridOptions{goRowSelect});
    EXPECT_EQ(g->Selection(), (TGridRect{1, 4, 4, 4}));
}

// Rule: only visible cells are drawn, fixed ones included; the first row
// shown follows the current row.
TEST_F(ControlsTest, GridDrawsTheVisibleCells) {
    NewForm();
    auto* g = NewGrid(Add<TStringGrid>("Grid"), 10);
    // Rows of 49 (48 and a line) in 200 pixels: rows 0 to 4, the last one cut.
    auto cells = PaintedCells(g);
    EXPECT_EQ(cells.size(), 10u);
    EXPECT_TRUE(cells.count({1, 4}));
    EXPECT_FALSE(cells.count({0, 5}));
    EXPECT_EQ(g->VisibleRowCount(), 4);
    g->SetRow(9);
    EXPECT_EQ(g->TopRow(), 6);
    cells = PaintedCells(g);
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{0, 6}, {1, 6}, {0, 7}, {1, 7}, {0, 8}, {1, 8}, {0, 9}, {1, 9}}));

    // New fixed rows make the first row after them current and first shown.
    g->SetFixedRows(1);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->TopRow(), 1);
    g->SetRow(9);
    cells = PaintedCells(g);
    EXPECT_TRUE(cells.count({0, 0}));
    EXPECT_TRUE(cells.count({0, 9}));
    EXPECT_FALSE(cells.count({0, 5}));
    // The drawing state marks fixed and selected cells.
    std::map<std::pair<int, int>, TGridDrawState> states;
    g->OnDrawCell = [&](TComponent*, int c, int r, RECT, TGridDrawState s) { states[{c, r}] = s; };
    HDC dc = CreateCompatibleDC(nullptr);
    g->PaintTo(dc);
    DeleteDC(dc);
    EXPECT_TRUE(states[std::make_pair(1, 0)].Contains(gdFixed));
    EXPECT_TRUE(states[std::make_pair(g->Col(), 9)].Contains(gdSelected));
    EXPECT_FALSE(states[std::make_pair(1 - g->Col(), 9)].Contains(gdSelected));
}

// Rule: a person's click and arrow keys select cells like ClickCell and
// are reported as "select" with "col,row"; OnKeyDown sees the key first and
// may swallow it.
TEST_F(ControlsTest, GridMouseAndKeys) {
    NewForm();
    RecordActions();
    auto* g = NewGrid(Add<TStringGrid>("Grid"), 10);
    int clicks = 0;
    g->OnClick = [&](TComponent*) { ++clicks; };
    std::vector<WORD> keys;
    g->OnKeyDown = [&](TComponent*, WORD& key, TShiftState) {
        keys.push_back(key);
        if (key == VK_LEFT) key = 0;
    };
    Form->HandleNeeded();
    SendMessageA(g->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointOf(g->CellRect(1, 2)));
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(clicks, 1);
    SendMessageA(g->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(clicks, 2);
    SendMessageA(g->Handle(), WM_KEYDOWN, VK_LEFT, 0);  // swallowed
    EXPECT_EQ(g->Col(), 1);
    SendMessageA(g->Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(g->Col(), 1);  // already the last column: nothing moves
    SendMessageA(g->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_GT(g->Row(), 3);
    EXPECT_GE(g->Row(), g->TopRow());
    EXPECT_LT(g->Row(), g->TopRow() + g->VisibleRowCount());
    EXPECT_EQ(keys, (std::vector<WORD>{VK_DOWN, VK_LEFT, VK_END, VK_NEXT}));
    ASSERT_EQ(Actions.size(), 3u);
    EXPECT_EQ(Actions[0], "Grid select 1,2");
    EXPECT_EQ(Actions[1], "Grid select 1,3");
    // Code moves are not a person's.
    g->ClickCell(0, 0);
    g->SetRow(1);
    EXPECT_EQ(Actions.size(), 3u);
}

// Rule: the vertical bar shows only while rows overflow; hidden and shown
// again by code, it still scrolls the grid.
TEST_F(ControlsTest, GridVerticalScrollBar) {
    NewForm();
    auto* g = NewGrid(Add<TStringGrid>("Grid"), 3);
    g->SetScrollBars(ssVertical);
    Form->HandleNeeded();
    auto barShown = [&] { return (GetWindowLongA(g->Handle(), GWL_STYLE) & WS_VSCROLL) != 0; };
    EXPECT_FALSE(barShown());
    g->SetRowCount(12);
    EXPECT_TRUE(barShown());
    ShowScrollBar(g->Handle(), SB_VERT, FALSE);
    ShowScrollBar(g->Handle(), SB_VERT, TRUE);
    EXPECT_TRUE(barShown());
    SendMessageA(g->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(g->TopRow(), 0);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(g->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, g->TopRow());
    g->SetRowCount(2);
    EXPECT_FALSE(barShown());
    EXPECT_EQ(g->TopRow(), 0);
}
