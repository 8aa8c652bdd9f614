// The backdrop's gradient.
#include "cmp_TBackDrop.h"

namespace vtrl {

COLORREF BackColorRGB(TBackClrs Color) {
    switch (Color) {
    case bcRed: return RGB(255, 0, 0);
    case bcLime: return RGB(0, 255, 0);
    case bcYellow: return RGB(255, 255, 0);
    case bcBlue: return RGB(0, 0, 255);
    case bcFuchsia: return RGB(255, 0, 255);
    case bcAqua: return RGB(0, 255, 255);
    case bcWhite: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
    }
}

TGradientPlan GradientPlan(TDirection Direction, TBackClrs S, TBackClrs E) {
    switch (Direction) {
    case bdDown: return {E, S, true, false};
    case bdLeft: return {S, E, false, false};
    case bdRight: return {E, S, false, false};
    case bdHorzIn: return {E, S, true, true};
    case bdHorzOut: return {S, E, true, true};
    case bdVertIn: return {S, E, false, true};
    case bdVertOut: return {E, S, false, true};
    default: return {S, E, true, false};  // bdUp
    }
}

void FillGradient(HDC DC, int Width, int Height, COLORREF C0, COLORREF C1, bool AlongHeight, bool Symmetric) {
    const int r0 = GetRValue(C0), g0 = GetGValue(C0), b0 = GetBValue(C0);
    const int dr = GetRValue(C1) - r0, dg = GetGValue(C1) - g0, db = GetBValue(C1) - b0;
    const int size = AlongHeight ? Height : Width;
    const int last = Symmetric ? 127 : 255;
    auto slice = [&](int from, int to) {
        return AlongHeight ? RECT{0, from, Width, to} : RECT{from, 0, to, Height};
    };
    for (int n = 0; n <= last; ++n) {
        // Windows' MulDiv rounds to the nearest value, halves away from 0.
        const COLORREF c = RGB(r0 + MulDiv(n, dr, last), g0 + MulDiv(n, dg, last), b0 + MulDiv(n, db, last));
        HBRUSH brush = CreateSolidBrush(c);
        RECT band = slice(MulDiv(n, size, 256), MulDiv(n + 1, size, 256));
        FillRect(DC, &band, brush);
        if (Symmetric) {
            RECT mirrored = slice(MulDiv(255 - n, size, 256), MulDiv(256 - n, size, 256));
            FillRect(DC, &mirrored, brush);
        }
        DeleteObject(brush);
    }
}

VTRL_IMPLEMENT_CLASS(TBackdrop, TGraphicControl, [](TClassBuilder<TBackdrop>& b) {
    b.Enum<TDirection>("Direction", &TBackdrop::Direction, &TBackdrop::SetDirection, bdUp)
        .Enum<TBackClrs>("StartColor", &TBackdrop::StartColor, &TBackdrop::SetStartColor, bcBlue)
        .Enum<TBackClrs>("EndColor", &TBackdrop::EndColor, &TBackdrop::SetEndColor, bcBlack);
})

TBackdrop::TBackdrop(TComponent* AOwner) : TGraphicControl(AOwner) {
    FWidth = 100;
    FHeight = 100;
    SetAlign(alClient);
}

void TBackdrop::SetDirection(TDirection Value) {
    if (Value == FDirection) return;
    FDirection = Value;
    Invalidate();
}

void TBackdrop::SetStartColor(TBackClrs Value) {
    if (Value == FStartColor) return;
    FStartColor = Value;
    Invalidate();
}

void TBackdrop::SetEndColor(TBackClrs Value) {
    if (Value == FEndColor) return;
    FEndColor = Value;
    Invalidate();
}

void TBackdrop::Paint(HDC DC) {
    const TGradientPlan p = GradientPlan(FDirection, FStartColor, FEndColor);
    FillGradient(DC, FWidth, FHeight, BackColorRGB(p.First), BackColorRGB(p.Last), p.AlongHeight, p.Symmetric);
}

}  // namespace vtrl
