#include "ordlg_SelectLanguage.h"

#include <cmath>

#include "ExtCtrls.h"
#include "Forms.h"
#include "Grids.h"
#include "Unattended.h"

namespace vtrl {

namespace {
// The colour the flag pictures leave out: olive.
constexpr TColor FlagTransparentColor = 0x008080;
}  // namespace

VTRL_IMPLEMENT_CLASS(TSelectLanguageForm, TStandardPageForm, [](auto&) {})

int LanguageGridRows(int Count, int Cols) {
    // nearbyint rounds halves to even in the default rounding mode; the
    // 0.1 makes an odd count round up to the row its last language needs.
    const int rows = static_cast<int>(std::nearbyint(static_cast<double>(Count) / Cols + 0.1));
    return rows < 1 ? 1 : rows;
}

TSelectLanguageForm::TSelectLanguageForm(TComponent* AOwner) : TStandardPageForm(AOwner) {
    ReadPage("ORDLG_SELECTLANGUAGE");
    LanguageGrid = dynamic_cast<TStringGrid*>(FindComponent("LanguageGrid"));
    if (!LanguageGrid) throw Exception("The form text ORDLG_SELECTLANGUAGE lacks its LanguageGrid");
    LanguageGrid->OnDrawCell.Bind("LanguageGridDrawCell",
                                  [this](TComponent*, int c, int r, RECT R, TGridDrawState) { DrawCell(c, r, R); });
    LanguageGrid->OnClick.Bind("LanguageGridClick", [this](TComponent*) { GridClick(); });
    LoadFlags();
}

void TSelectLanguageForm::LoadFlags() {
    for (int l = ylCzech; l < ylUser; ++l) {
        const std::string name = TTranslator::DecodeLanguageToString(static_cast<TVtrlLanguage>(l));
        TImage* image = FlagImage(static_cast<TVtrlLanguage>(l));
        if (!image) continue;
        try {
            image->Picture()->Bitmap().LoadFromResourceName(GetModuleHandleA(nullptr), "FLAG" + UpperCase(name));
        } catch (const Exception&) {
            // A program without the flag shows an empty cell for it.
        }
    }
}

TImage* TSelectLanguageForm::FlagImage(TVtrlLanguage Language) const {
    if (Language == ylUser) return nullptr;
    return dynamic_cast<TImage*>(FindComponent(TTranslator::DecodeLanguageToString(Language)));
}

// /LANG= chose the language already.
bool TSelectLanguageForm::SkipPage() { return MainTranslator() == nullptr || !RequestedLanguage().empty(); }

TLanguage* TSelectLanguageForm::CellLanguage(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= LanguageGrid->ColCount() || ARow >= LanguageGrid->RowCount())
        return nullptr;
    return static_cast<TLanguage*>(LanguageGrid->Objects(ACol, ARow));
}

void TSelectLanguageForm::SetupControls() {
    TStandardPageForm::SetupControls();
    TTranslator* translator = MainTranslator();
    if (!translator) return;
    std::vector<TLanguage*> languages;
    for (int l = ylCzech; l < ylUser; ++l) {
        TLanguage* language = translator->LanguageByIdent(static_cast<TVtrlLanguage>(l));
        if (language && language->Strings().Count() > 1) languages.push_back(language);
    }
    const int cols = LanguageGrid->ColCount();
    LanguageGrid->SetRowCount(LanguageGridRows(static_cast<int>(languages.size()), cols));
    // Texts are cleared too, so that a second setup leaves no stale name.
    for (int r = 0; r < LanguageGrid->RowCount(); ++r)
        for (int c = 0; c < cols; ++c) {
            LanguageGrid->SetObjects(c, r, nullptr);
            LanguageGrid->SetCells(c, r, "");
        }
    TLanguage* current = translator->CurrentLanguage();
    for (size_t i = 0; i < languages.size(); ++i) {
        const int c = static_cast<int>(i) % cols, r = static_cast<int>(i) / cols;
        if (r >= LanguageGrid->RowCount()) break;
        LanguageGrid->SetCells(c, r, TTranslator::DecodeLanguageToString(languages[i]->LanguageIdent()));
        LanguageGrid->SetObjects(c, r, languages[i]);
        if (languages[i] == current) {
            LanguageGrid->SetRow(r);
            LanguageGrid->SetCol(c);
        }
    }
}

void TSelectLanguageForm::DrawCell(int ACol, int ARow, const RECT& Rect) {
    try {
        TCanvas& canvas = LanguageGrid->Canvas();
        canvas.BrushColor = clWhite;
        canvas.FillRect(Rect);
        TLanguage* language = CellLanguage(ACol, ARow);
        if (!language) return;
        TImage* image = FlagImage(language->LanguageIdent());
        if (!image) return;
        const TBitmap& flag = image->Picture()->Bitmap();
        if (flag.Empty()) return;
        const int top = Rect.top + static_cast<int>(std::lround((Rect.bottom - Rect.top - flag.Height()) / 2.0));
        flag.DrawTransparent(canvas.Handle(), Rect.left + 2, top, FlagTransparentColor);
    } catch (const Exception&) {
        // A cell that cannot be drawn stays empty; painting must not fail.
    }
}

void TSelectLanguageForm::GridClick() {
    TLanguage* language = CellLanguage(LanguageGrid->Col(), LanguageGrid->Row());
    TTranslator* translator = MainTranslator();
    if (!language || !translator) return;
    TCursorGuard cursor(crHourGlass);
    LanguageGrid->SetEnabled(false);
    struct TEnable {
        TStringGrid* Grid;
        ~TEnable() { Grid->SetEnabled(true); }
    } enable{LanguageGrid};
    translator->SetTranslateIntoLanguage(language->LanguageIdent());
    // Fonts of the new language may change the metrics: the scroll bar is
    // hidden and shown again so that the grid recomputes it.
    const TScrollStyle bars = LanguageGrid->ScrollBars();
    LanguageGrid->SetScrollBars(ssNone);
    LanguageGrid->SetScrollBars(bars);
    if (CancelBtn && CancelBtn->HandleAllocated()) InvalidateRect(CancelBtn->Handle(), nullptr, TRUE);
}

}  // namespace vtrl
