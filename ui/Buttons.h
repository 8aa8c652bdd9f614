// Buttons with a picture: a push button that shows a glyph left of its
// caption and whose kind gives it the usual caption and modal result.
#pragma once

#include "Graphics.h"
#include "StdCtrls.h"

namespace vtrl {

VTRL_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)

// A push button with a glyph. Setting Kind to anything but bkCustom sets
// ModalResult, Default (bkOK, bkYes) and Cancel (bkCancel, bkNo), and the
// caption when the caption is empty or still the previous kind's. The
// glyph's bottom-left pixel is its transparent colour; a glyph may hold
// NumGlyphs pictures side by side (normal, disabled, ...), of which the
// first is shown.
class TBitBtn : public TButton {
    VTRL_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* AOwner);
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind Value);
    TBitmap* Glyph() { return &FGlyph; }
    const TBitmap* Glyph() const { return &FGlyph; }
    int NumGlyphs() const { return FNumGlyphs; }
    // 1 to 4.
    void SetNumGlyphs(int Value);
    // The caption a kind gives ("OK", "Cancel", ...; empty for bkCustom).
    static std::string KindCaption(TBitBtnKind Kind);

protected:
    void HandleCreated() override;

private:
    void GlyphChanged();
    TBitBtnKind FKind = bkCustom;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    TGdiObject FImage;  // the glyph on the button face colour, as the button shows it
};

}  // namespace vtrl
