// The string grid: cells, current cell, painting, mouse, keys and scrolling.
#include "Grids.h"
#include "ResponseFile.h"

#include <algorithm>

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TStringGrid, TWinControl, [](TClassBuilder<TStringGrid>& b) {
    b.Integer("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount, 5)
        .Integer("DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth, 64)
        .Boolean("DefaultDrawing", &TStringGrid::DefaultDrawing, &TStringGrid::DefaultDrawing, true)
        .Integer("DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight, 24)
        .Integer("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols, 1)
        .Integer("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount, 5)
        .Integer("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows, 1)
        .Set<TGridOption>("Options", &TStringGrid::Options, &TStringGrid::SetOptions,
                          TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect})
        .Enum<TScrollStyle>("ScrollBars", &TStringGrid::ScrollBars, &TStringGrid::SetScrollBars, ssBoth)
        .Event("OnDrawCell", &TStringGrid::OnDrawCell)
        .Event("OnKeyDown", &TStringGrid::OnKeyDown)
        .Event("OnSelectCell", &TStringGrid::OnSelectCell);
})

TStringGrid::TStringGrid(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 320;
    FHeight = 120;
    FColor = clWindow;
    Resize(FColCount, FRowCount);
}

// ------------------------------------------------------------- the cells

size_t TStringGrid::Index(int c, int r) const {
    if (c < 0 || r < 0 || c >= FColCount || r >= FRowCount)
        throw Exception("Grid index out of range: cell " + std::to_string(c) + "," + std::to_string(r) + " of " +
                        Name());
    return static_cast<size_t>(r) * FColCount + c;
}

const std::string& TStringGrid::Cells(int c, int r) const { return FCells[Index(c, r)]; }

void TStringGrid::SetCells(int c, int r, const std::string& Value) {
    FCells[Index(c, r)] = Value;
    Invalidate();
}

void* TStringGrid::Objects(int c, int r) const { return FObjects[Index(c, r)]; }

void TStringGrid::SetObjects(int c, int r, void* Value) { FObjects[Index(c, r)] = Value; }

void TStringGrid::Resize(int Cols, int Rows) {
    std::vector<std::string> cells(static_cast<size_t>(Cols) * Rows);
    std::vector<void*> objects(cells.size(), nullptr);
    for (int r = 0; r < std::min(Rows, FRowCount); ++r)
        for (int c = 0; c < std::min(Cols, FColCount); ++c) {
            size_t from = static_cast<size_t>(r) * FColCount + c, to = static_cast<size_t>(r) * Cols + c;
            if (from < FCells.size()) {
                cells[to] = std::move(FCells[from]);
                objects[to] = FObjects[from];
            }
        }
    FCells = std::move(cells);
    FObjects = std::move(objects);
    FColCount = Cols;
    FRowCount = Rows;
}

void TStringGrid::SetColCount(int Value) {
    Value = std::max(1, Value);
    Resize(Value, FRowCount);
    if (FFixedCols >= Value) FFixedCols = Value - 1;
    ClampCurrent();
}

void TStringGrid::SetRowCount(int Value) {
    Value = std::max(1, Value);
    Resize(FColCount, Value);
    if (FFixedRows >= Value) FFixedRows = Value - 1;
    ClampCurrent();
}

void TStringGrid::SetFixedCols(int Value) {
    if (Value < 0 || Value >= FColCount) throw Exception("Fixed column count must be less than column count");
    // The first column after the fixed ones becomes current and first shown.
    FFixedCols = FCol = FLeftCol = Value;
    ClampCurrent();
}

void TStringGrid::SetFixedRows(int Value) {
    if (Value < 0 || Value >= FRowCount) throw Exception("Fixed row count must be less than row count");
    FFixedRows = FRow = FTopRow = Value;
    ClampCurrent();
}

void TStringGrid::SetDefaultColWidth(int Value) {
    FDefaultColWidth = std::max(0, Value);
    ClampCurrent();
}

void TStringGrid::SetDefaultRowHeight(int Value) {
    FDefaultRowHeight = std::max(0, Value);
    ClampCurrent();
}

void TStringGrid::SetOptions(TGridOptions Value) {
    FOptions = Value;
    ClampCurrent();
}

void TStringGrid::SetScrollBars(TScrollStyle Value) {
    FScrollBars = Value;
    UpdateScrollBar();
}

// Keeps the current cell, the first shown row and column inside the
// non-fixed part, then shows the change.
void TStringGrid::ClampCurrent() {
    FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
    FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
    FLeftCol = std::clamp(FLeftCol, FFixedCols, FColCount - 1);
    FTopRow = std::clamp(FTopRow, FFixedRows, MaxTopRow());
    UpdateScrollBar();
    Invalidate();
}

void TStringGrid::SetCol(int Value) {
    FCol = Value;
    ClampCurrent();
    ScrollInView();
}

void TStringGrid::SetRow(int Value) {
    FRow = Value;
    ClampCurrent();
    ScrollInView();
}

TGridRect TStringGrid::Selection() const {
    if (FOptions.Contains(goRowSelect)) return TGridRect{FFixedCols, FRow, FColCount - 1, FRow};
    return TGridRect{FCol, FRow, FCol, FRow};
}

// ---------------------------------------------------------------- layout

int TStringGrid::ColumnStep() const {
    return FDefaultColWidth + (FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine) ? 1 : 0);
}

int TStringGrid::RowStep() const {
    return FDefaultRowHeight + (FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine) ? 1 : 0);
}

int TStringGrid::FixedWidth() const { return FFixedCols * ColumnStep(); }

int TStringGrid::FixedHeight() const { return FFixedRows * RowStep(); }

int TStringGrid::VisibleRowCount() const {
    RECT r = ClientBounds();
    int step = std::max(1, RowStep());
    return std::max(1, static_cast<int>(r.bottom - r.top - FixedHeight()) / step);
}

int TStringGrid::MaxTopRow() const { return std::max(FFixedRows, FRowCount - VisibleRowCount()); }

void TStringGrid::SetTopRow(int Value) {
    FTopRow = std::clamp(Value, FFixedRows, MaxTopRow());
    UpdateScrollBar();
    Invalidate();
}

void TStringGrid::ScrollInView() {
    if (FRow < FTopRow) SetTopRow(FRow);
    else if (FRow >= FTopRow + VisibleRowCount()) SetTopRow(FRow - VisibleRowCount() + 1);
    if (FCol < FLeftCol) FLeftCol = FCol;
    RECT client = ClientBounds();
    while (FCol > FLeftCol && FixedWidth() + (FCol - FLeftCol + 1) * ColumnStep() > client.right) ++FLeftCol;
    Invalidate();
}

RECT TStringGrid::CellRect(int c, int r) const {
    RECT none{0, 0, 0, 0};
    if (c < 0 || r < 0 || c >= FColCount || r >= FRowCount) return none;
    int x, y;
    if (c < FFixedCols) x = c * ColumnStep();
    else if (c >= FLeftCol) x = FixedWidth() + (c - FLeftCol) * ColumnStep();
    else return none;
    if (r < FFixedRows) y = r * RowStep();
    else if (r >= FTopRow) y = FixedHeight() + (r - FTopRow) * RowStep();
    else return none;
    RECT client = ClientBounds();
    if (x >= client.right || y >= client.bottom) return none;
    return RECT{x, y, x + FDefaultColWidth, y + FDefaultRowHeight};
}

bool TStringGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    const int cs = std::max(1, ColumnStep()), rs = std::max(1, RowStep());
    if (X < 0 || Y < 0) return false;
    int c = X < FixedWidth() ? X / cs : FLeftCol + (X - FixedWidth()) / cs;
    int r = Y < FixedHeight() ? Y / rs : FTopRow + (Y - FixedHeight()) / rs;
    if (c >= FColCount || r >= FRowCount) return false;
    ACol = c;
    ARow = r;
    return true;
}

void TStringGrid::BoundsChanged() {
    TWinControl::BoundsChanged();
    FTopRow = std::clamp(FTopRow, FFixedRows, MaxTopRow());
    UpdateScrollBar();
}

void TStringGrid::Loaded() {
    TWinControl::Loaded();
    ClampCurrent();
}

// ------------------------------------------------------------- selecting

bool TStringGrid::FocusCell(int c, int r) {
    if (c < FFixedCols || r < FFixedRows || c >= FColCount || r >= FRowCount) return false;
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, c, r, can);
    if (!can) return false;
    FCol = c;
    FRow = r;
    ScrollInView();
    return true;
}

void TStringGrid::ClickCell(int c, int r) {
    FocusCell(c, r);
    Click();
}

void TStringGrid::KeyDown(WORD Key) {
    TShiftState shift = KeyboardShiftState();
    if (OnKeyDown) OnKeyDown(this, Key, shift);
    int c = FCol, r = FRow;
    const bool rows = FOptions.Contains(goRowSelect);
    switch (Key) {
    case VK_UP: --r; break;
    case VK_DOWN: ++r; break;
    case VK_LEFT: if (!rows) --c; break;
    case VK_RIGHT: if (!rows) ++c; break;
    case VK_PRIOR: r -= VisibleRowCount(); break;
    case VK_NEXT: r += VisibleRowCount(); break;
    case VK_HOME: if (shift.Contains(ssCtrl) || rows) r = FFixedRows; else c = FFixedCols; break;
    case VK_END: if (shift.Contains(ssCtrl) || rows) r = FRowCount - 1; else c = FColCount - 1; break;
    default: return;
    }
    c = std::clamp(c, FFixedCols, FColCount - 1);
    r = std::clamp(r, FFixedRows, FRowCount - 1);
    if (c == FCol && r == FRow) return;
    if (FocusCell(c, r)) NotifyUserAction(*this, "select", std::to_string(c) + "," + std::to_string(r));
    Click();
}

// ---------------------------------------------------------------- window

void TStringGrid::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style |= WS_TABSTOP;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::HandleCreated() {
    FTopRow = std::clamp(FTopRow, FFixedRows, MaxTopRow());
    UpdateScrollBar();
}

void TStringGrid::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

// The bar shows while rows overflow; its range counts the rows below the
// fixed ones and its page the rows that fit.
void TStringGrid::UpdateScrollBar() {
    if (!FHandle) return;
    const bool allowed = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const int scrollable = FRowCount - FFixedRows;
    if (!allowed || scrollable <= VisibleRowCount()) {
        ShowScrollBar(FHandle, SB_VERT, FALSE);
        return;
    }
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, scrollable - 1,
                  static_cast<UINT>(VisibleRowCount()), FTopRow - FFixedRows, 0};
    ShowScrollBar(FHandle, SB_VERT, TRUE);
    SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
}

void TStringGrid::VerticalScroll(WORD Code) {
    int top = FTopRow;
    switch (Code) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= VisibleRowCount(); break;
    case SB_PAGEDOWN: top += VisibleRowCount(); break;
    case SB_TOP: top = FFixedRows; break;
    case SB_BOTTOM: top = MaxTopRow(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(FHandle, SB_VERT, &si);
        top = FFixedRows + si.nTrackPos;
        break;
    }
    default: return;
    }
    SetTopRow(top);
}

LRESULT TStringGrid::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FHandle, &ps);
        PaintTo(dc);
        EndPaint(FHandle, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;  // PaintTo covers the whole client area
    case WM_LBUTTONDOWN: {
        ::SetFocus(FHandle);
        int c, r;
        if (MouseToCell(static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam)), c, r) &&
            c >= FFixedCols && r >= FFixedRows) {
            if (FocusCell(c, r)) NotifyUserAction(*this, "select", std::to_string(c) + "," + std::to_string(r));
            Click();
        }
        return 0;
    }
    case WM_KEYDOWN: KeyDown(static_cast<WORD>(WParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_VSCROLL: VerticalScroll(LOWORD(WParam)); return 0;
    case WM_MOUSEWHEEL: SetTopRow(FTopRow - static_cast<short>(HIWORD(WParam)) / WHEEL_DELTA); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(); break;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}

// --------------------------------------------------------------- painting

void TStringGrid::DrawCell(int c, int r, const RECT& R) {
    TGridDrawState state;
    const bool fixed = c < FFixedCols || r < FFixedRows;
    const TGridRect sel = Selection();
    if (fixed) state.Include(gdFixed);
    else if (c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom) state.Include(gdSelected);
    if (!fixed && c == FCol && r == FRow && FHandle && GetFocus() == FHandle) state.Include(gdFocused);
    if (DefaultDrawing) {
        const bool highlight = state.Contains(gdSelected) &&
                               (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                                FOptions.Contains(goRowSelect));
        FCanvas.BrushColor = fixed ? clBtnFace : highlight ? static_cast<TColor>(0x80000000u | COLOR_HIGHLIGHT) : FColor;
        FCanvas.FontColor = highlight ? static_cast<TColor>(0x80000000u | COLOR_HIGHLIGHTTEXT) : Font()->Color();
        FCanvas.FillRect(R);
        const std::string& text = FCells[static_cast<size_t>(r) * FColCount + c];
        RECT t{R.left + 2, R.top + 2, R.right - 2, R.bottom - 2};
        SetBkMode(FCanvas.Handle(), TRANSPARENT);
        SetTextColor(FCanvas.Handle(), ColorToRGB(FCanvas.FontColor));
        DrawTextUtf8(FCanvas.Handle(), text, &t,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (state.Contains(gdFocused) && !FOptions.Contains(goRowSelect)) DrawFocusRect(FCanvas.Handle(), &R);
    }
    FCanvas.BrushColor = FColor;
    if (OnDrawCell) OnDrawCell(this, c, r, R, state);
}

void TStringGrid::PaintTo(HDC DC) {
    FCanvas.SetHandle(DC);
    HGDIOBJ oldFont = SelectObject(DC, FontHandle());
    RECT client = ClientBounds();
    FCanvas.BrushColor = FColor;
    FCanvas.FillRect(client);
    std::vector<int> rows, cols;
    for (int r = 0; r < FRowCount; ++r)
        if (r < FFixedRows || r >= FTopRow) rows.push_back(r);
    for (int c = 0; c < FColCount; ++c)
        if (c < FFixedCols || c >= FLeftCol) cols.push_back(c);
    TGdiObject pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    HGDIOBJ oldPen = SelectObject(DC, pen.Get());
    for (int r : rows) {
        for (int c : cols) {
            RECT cell = CellRect(c, r);
            if (IsRectEmpty(&cell)) continue;
            DrawCell(c, r, cell);
            const bool fixed = c < FFixedCols || r < FFixedRows;
            if (FOptions.Contains(fixed ? goFixedVertLine : goVertLine)) {
                MoveToEx(DC, cell.right, cell.top, nullptr);
                LineTo(DC, cell.right, cell.bottom + 1);
            }
            if (FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine)) {
                MoveToEx(DC, cell.left, cell.bottom, nullptr);
                LineTo(DC, cell.right + 1, cell.bottom);
            }
        }
    }
    SelectObject(DC, oldPen);
    SelectObject(DC, oldFont);
    FCanvas.SetHandle(nullptr);
}

// ------------------------------------------------------------ response files

namespace {
// What a response file's "select" does to these controls: what a person's
// choice does, with its events.
const bool GridActionRegistered = [] {
    // A grid's cell as "col,row".
    RegisterControlAction(TStringGrid::StaticClass(), "select", [](TControl& c, const std::string& v) {
        auto& grid = static_cast<TStringGrid&>(c);
        int64_t col = -1, row = -1;
        if (TokenCount(v, ',') != 2 || !TryStrToInt(Trim(GetToken(v, ',', 1)), col) ||
            !TryStrToInt(Trim(GetToken(v, ',', 2)), row) || col < 0 || row < 0 || col >= grid.ColCount() ||
            row >= grid.RowCount())
            throw ENoSuchValue("the grid " + c.Name() + " has no cell " + v);
        grid.ClickCell(static_cast<int>(col), static_cast<int>(row));
    });
    return true;
}();
}  // namespace

}  // namespace vtrl
