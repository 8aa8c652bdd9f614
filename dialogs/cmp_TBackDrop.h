// The backdrop's background: a colour gradient over the whole parent,
// painted as bands of one colour each.
#pragma once

#include "Controls.h"

namespace vtrl {

// Where the gradient runs: bdUp and bdDown from top to bottom, bdLeft and
// bdRight from left to right, the In and Out kinds mirrored about the
// middle (GradientPlan says what each one paints).
VTRL_ENUM(TDirection, bdUp, bdDown, bdLeft, bdRight, bdHorzIn, bdHorzOut, bdVertIn, bdVertOut)
// The colours a backdrop may use.
VTRL_ENUM(TBackClrs, bcRed, bcLime, bcYellow, bcBlue, bcFuchsia, bcAqua, bcWhite, bcBlack)

// The RGB value of a backdrop colour.
COLORREF BackColorRGB(TBackClrs Color);

// What a direction paints: the colour of the first band, of the last, along
// which side the bands follow each other, and whether they are mirrored.
struct TGradientPlan {
    TBackClrs First;
    TBackClrs Last;
    bool AlongHeight;
    bool Symmetric;
};
TGradientPlan GradientPlan(TDirection Direction, TBackClrs StartColor, TBackClrs EndColor);

// Fills the Width x Height area at 0,0 of DC from C0 to C1: 256 bands, or
// 128 bands mirrored about the middle (C0 at both edges, C1 in the middle)
// when Symmetric. Band n has C0 + MulDiv(n, C1 - C0, N) per component
// (N = 255, or 127 when symmetric) and spans MulDiv(n, S, 256) to
// MulDiv(n + 1, S, 256) of the height or width S; a mirrored band also
// spans MulDiv(255 - n, S, 256) to MulDiv(256 - n, S, 256).
void FillGradient(HDC DC, int Width, int Height, COLORREF C0, COLORREF C1, bool AlongHeight, bool Symmetric);

// A windowless control that fills its parent (aligned alClient when
// created) with the gradient of Direction between StartColor and EndColor.
class TBackdrop : public TGraphicControl {
    VTRL_CLASS(TBackdrop)
public:
    explicit TBackdrop(TComponent* AOwner);
    TDirection Direction() const { return FDirection; }
    TBackClrs StartColor() const { return FStartColor; }
    TBackClrs EndColor() const { return FEndColor; }
    // Each stores a changed value and repaints.
    void SetDirection(TDirection Value);
    void SetStartColor(TBackClrs Value);
    void SetEndColor(TBackClrs Value);

    void Paint(HDC DC) override;

private:
    TDirection FDirection = bdUp;
    TBackClrs FStartColor = bcBlue;
    TBackClrs FEndColor = bcBlack;
};

}  // namespace vtrl
