// A grid of text cells with our own window procedure: fixed rows and
// columns, a current cell moved by mouse and keys, owner drawing of cells
// and a vertical scroll bar when the rows overflow.
#pragma once

#include "Graphics.h"
#include "StdCtrls.h"

namespace vtrl {

VTRL_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
          goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
          goAlwaysShowEditor, goThumbTracking)
using TGridOptions = TSet<TGridOption>;
VTRL_ENUM(TGridDrawStateFlag, gdSelected, gdFocused, gdFixed)
using TGridDrawState = TSet<TGridDrawStateFlag>;

// Cells from Left, Top to Right, Bottom, inclusive.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// All state (cells, objects, current cell, scroll position) is kept in the
// object, so a grid works without a window; painting goes through PaintTo,
// which the window's WM_PAINT calls.
//
// Selecting a cell (a person's click, a key that moves, ClickCell) asks
// OnSelectCell first, which may refuse; then OnClick fires, whether or not
// the cell changed. Setting Col or Row in code fires nothing.
class TStringGrid : public TWinControl {
    VTRL_CLASS(TStringGrid)
public:
    explicit TStringGrid(TComponent* AOwner);

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    // At least 1; fewer than the fixed ones reduces the fixed count. Cells
    // and objects that remain keep their place.
    void SetColCount(int Value);
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    int FixedRows() const { return FFixedRows; }
    // Raises Exception unless less than the column (row) count.
    void SetFixedCols(int Value);
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultColWidth(int Value);
    void SetDefaultRowHeight(int Value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    // Fills cells, writes their text and marks selection and focus before
    // OnDrawCell; false leaves all of it to OnDrawCell.
    bool DefaultDrawing = true;
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);

    // Cell access; raises Exception for a cell outside the grid.
    const std::string& Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& Value);
    void* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, void* Value);

    // The current cell (never a fixed one while there are others).
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    void SetCol(int Value);
    void SetRow(int Value);
    // The selected cells: the current one, or its whole row (goRowSelect).
    TGridRect Selection() const;
    // The first row shown below the fixed ones.
    int TopRow() const { return FTopRow; }
    void SetTopRow(int Value);
    // Whole non-fixed rows that fit in the client area (at least 1).
    int VisibleRowCount() const;
    // Where a cell is drawn in the client area; empty when it is not shown.
    RECT CellRect(int ACol, int ARow) const;
    // The cell at a client point; false outside every cell.
    bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    // Selects the cell as a person's click does: OnSelectCell, then OnClick.
    void ClickCell(int ACol, int ARow);
    // Paints every visible cell into DC (the client area's coordinates).
    void PaintTo(HDC DC);
    // The surface OnDrawCell draws on (valid during the call).
    TCanvas& Canvas() { return FCanvas; }

    TEvent<TComponent*, int, int, RECT, TGridDrawState> OnDrawCell;
    TEvent<TComponent*, int, int, bool&> OnSelectCell;
    TEvent<TComponent*, WORD&, TShiftState> OnKeyDown;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void BoundsChanged() override;
    void Loaded() override;

private:
    bool FocusCell(int ACol, int ARow);
    void Resize(int Cols, int Rows);
    void ClampCurrent();
    void ScrollInView();
    void UpdateScrollBar();
    void Invalidate();
    void KeyDown(WORD Key);
    void VerticalScroll(WORD Code);
    void DrawCell(int ACol, int ARow, const RECT& R);
    int ColumnStep() const;
    int RowStep() const;
    int FixedHeight() const;
    int FixedWidth() const;
    int MaxTopRow() const;
    size_t Index(int ACol, int ARow) const;

    int FColCount = 5, FRowCount = 5, FFixedCols = 1, FFixedRows = 1;
    int FDefaultColWidth = 64, FDefaultRowHeight = 24;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle FScrollBars = ssBoth;
    std::vector<std::string> FCells;
    std::vector<void*> FObjects;
    int FCol = 1, FRow = 1, FTopRow = 1, FLeftCol = 1;
    TCanvas FCanvas;
};

}  // namespace vtrl
