// The language selection page: a grid of flags, one cell per language that
// has a table; a click on a flag switches the main translator, which
// translates every open form at once.
#pragma once

#include "ordlg_StandardPage.h"

namespace vtrl {

class TStringGrid;
class TLanguage;

class TSelectLanguageForm : public TStandardPageForm {
    VTRL_CLASS(TSelectLanguageForm)
public:
    explicit TSelectLanguageForm(TComponent* AOwner);

    // Two columns; a cell's object is its TLanguage (null: an empty cell).
    TStringGrid* LanguageGrid = nullptr;

    // Nothing to choose without a main translator.
    bool SkipPage() override;
    // Places the languages whose tables have more than one line, in the
    // translator's order, and selects the current language's cell.
    void SetupControls() override;
    // The language of a cell, or null (also outside the grid).
    TLanguage* CellLanguage(int ACol, int ARow) const;
    // The hidden image holding the flag of Language (named by its English
    // name), or null.
    TImage* FlagImage(TVtrlLanguage Language) const;

private:
    void DrawCell(int ACol, int ARow, const RECT& Rect);
    // The selected cell's language becomes the main translator's language.
    void GridClick();
    // Loads each flag picture of the program into its image.
    void LoadFlags();
};

// Rows for Count languages in Cols columns: Count / Cols + 0.1 rounded to
// the nearest integer (at least one row).
int LanguageGridRows(int Count, int Cols);

}  // namespace vtrl
