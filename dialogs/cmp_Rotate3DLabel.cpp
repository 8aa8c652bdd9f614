// The rotated 3D caption and its style.
#include "cmp_Rotate3DLabel.h"

#include <cmath>
#include <vector>

namespace vtrl {

// ----------------------------------------------------------------- style

VTRL_IMPLEMENT_CLASS(TLabelStyle, TPersistent, [](TClassBuilder<TLabelStyle>& b) {
    b.Integer("Angle", &TLabelStyle::Angle, &TLabelStyle::SetAngle, 0)
        .Enum<T3DEffectShort>("AStyle3D", &TLabelStyle::AStyle3D, &TLabelStyle::SetAStyle3D, A3dRaised)
        .Integer("AShadeRightBottom", &TLabelStyle::AShadeRightBottom, &TLabelStyle::SetAShadeRightBottom, kShadeGrey)
        .Integer("AShadeLeftTop", &TLabelStyle::AShadeLeftTop, &TLabelStyle::SetAShadeLeftTop, clWhite)
        .Boolean("AShadeLTSet", &TLabelStyle::AShadeLTSet, &TLabelStyle::SetAShadeLTSet, false)
        .Integer("AHShadeOffSet", &TLabelStyle::AHShadeOffSet, &TLabelStyle::SetAHShadeOffSet, 5)
        .Integer("AVShadeOffSet", &TLabelStyle::AVShadeOffSet, &TLabelStyle::SetAVShadeOffSet, -5)
        .Event("OnChange", &TLabelStyle::OnChange);
})

void TLabelStyle::Changed() {
    if (OnChange) OnChange(nullptr);
}

void TLabelStyle::SetAngle(int Value) {
    if (Value == FAngle) return;
    FAngle = Value < 0 || Value >= 360 ? 0 : Value;
    Changed();
}

void TLabelStyle::SetAStyle3D(T3DEffectShort Value) {
    if (Value == FStyle3D) return;
    FStyle3D = Value;
    Changed();
}

void TLabelStyle::SetAShadeRightBottom(TColor Value) {
    if (Value == FShadeRightBottom) return;
    FShadeRightBottom = Value;
    Changed();
}

void TLabelStyle::SetAShadeLeftTop(TColor Value) {
    if (FShadeLTSet || Value == FShadeLeftTop) return;
    FShadeLeftTop = Value;
    Changed();
}

void TLabelStyle::SetAShadeLTSet(bool Value) {
    if (Value == FShadeLTSet) return;
    FShadeLTSet = Value;
    if (Value) {
        FSavedLeftTop = FShadeLeftTop;
        FShadeLeftTop = clWhite;
    } else {
        FShadeLeftTop = FSavedLeftTop;
    }
    // Only a style that draws the left-top copy shows the change, and only
    // when the colour set aside was not white already.
    if (FShadeLTSet && (FStyle3D == A3dResit || FStyle3D == A3dRaised) && FSavedLeftTop != clWhite) Changed();
}

void TLabelStyle::SetAHShadeOffSet(int Value) {
    if (Value == FHShadeOffSet) return;
    FHShadeOffSet = Value;
    if (FStyle3D == A3dShadowed) Changed();
}

void TLabelStyle::SetAVShadeOffSet(int Value) {
    if (Value == FVShadeOffSet) return;
    FVShadeOffSet = Value;
    if (FStyle3D == A3dShadowed) Changed();
}

void TLabelStyle::Assign(const TLabelStyle& S) {
    if (&S == this) return;
    SetAngle(S.FAngle);
    SetAStyle3D(S.FStyle3D);
    SetAShadeRightBottom(S.FShadeRightBottom);
    SetAShadeLeftTop(S.FShadeLeftTop);
    SetAShadeLTSet(S.FShadeLTSet);
    SetAHShadeOffSet(S.FHShadeOffSet);
    SetAVShadeOffSet(S.FVShadeOffSet);
    Changed();
}

// ------------------------------------------------------------ placement

TRotatedText PlaceRotatedText(int LabelWidth, int LabelHeight, int W, int H, double Cos, double Sin) {
    const int cx = LabelWidth / 2, cy = LabelHeight / 2;
    // A point (dx, dy) of the unturned text, measured from the centre with
    // y downwards, lands at cx + dx cos + dy sin, cy - dx sin + dy cos;
    // each product is truncated on its own.
    auto turn = [&](double dx, double dy) {
        return POINT{cx + static_cast<LONG>(std::trunc(dx * Cos)) + static_cast<LONG>(std::trunc(dy * Sin)),
                     cy - static_cast<LONG>(std::trunc(dx * Sin)) + static_cast<LONG>(std::trunc(dy * Cos))};
    };
    TRotatedText t;
    t.Origin = turn(-W / 2.0, -H / 2.0);
    const double a = (W + 10) / 2.0, b = (H + 7) / 2.0;
    t.Box[0] = turn(-a, -b);
    t.Box[1] = turn(a, -b);
    t.Box[2] = turn(a, b);
    t.Box[3] = turn(-a, b);
    return t;
}

// ----------------------------------------------------------------- label

VTRL_IMPLEMENT_CLASS(TRotate3DLabel, TGraphicControl, [](TClassBuilder<TRotate3DLabel>& b) {
    b.String("Caption", &TRotate3DLabel::Caption, &TRotate3DLabel::SetCaption)
        .Object("LabelStyle", [](TRotate3DLabel& c) -> TPersistent* { return c.LabelStyle(); })
        .Boolean("MyTransparent", &TRotate3DLabel::MyTransparent, &TRotate3DLabel::SetMyTransparent, true)
        .Boolean("ShowAccelChar", &TRotate3DLabel::ShowAccelChar, &TRotate3DLabel::ShowAccelChar, true)
        .Boolean("AutoSize", &TRotate3DLabel::AutoSize, &TRotate3DLabel::AutoSize, false)
        .Reference<TControl>("FocusControl", &TRotate3DLabel::FocusControl, &TRotate3DLabel::FocusControl)
        .Event("OnDblClick", &TRotate3DLabel::OnDblClick);
})

TRotate3DLabel::TRotate3DLabel(TComponent* AOwner) : TGraphicControl(AOwner), FDegToRad(std::acos(-1.0) / 180) {
    FWidth = 65;
    FHeight = 17;
    Font()->SetName("Arial");
    Font()->SetStyle(TFontStyles{fsBold});
    FLabelStyle.OnChange = [this](TComponent*) {
        // The label's own painting may change the style (see Paint): that
        // needs no second painting.
        if (!FPainting) Invalidate();
    };
}

void TRotate3DLabel::SetLabelStyle(const TLabelStyle& Value) {
    FLabelStyle.Assign(Value);
    Invalidate();
}

void TRotate3DLabel::SetMyTransparent(bool Value) {
    if (Value == FMyTransparent) return;
    FMyTransparent = Value;
    if (!Value) {
        // The parent's colour setting, with the colour the label has now.
        const TColor c = Color();
        SetParentColor(true);
        SetColor(c);
    }
    Invalidate();
}

void TRotate3DLabel::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

namespace {
// Owner of the selection of one GDI object in a DC.
struct TSelected {
    HDC DC;
    HGDIOBJ Old;
    TSelected(HDC D, HGDIOBJ O) : DC(D), Old(SelectObject(D, O)) {}
    ~TSelected() { SelectObject(DC, Old); }
};
}  // namespace

void TRotate3DLabel::Paint(HDC DC) {
    FPainting = true;
    struct TFlag {
        bool& F;
        ~TFlag() { F = false; }
    } flag{FPainting};
    const int angle = FLabelStyle.Angle();
    FCos = std::cos(angle * FDegToRad);
    FSin = std::sin(angle * FDegToRad);
    if (!FMyTransparent) FLabelStyle.SetAStyle3D(A3dNormal);

    // The copies around the caption: offsets from its origin.
    struct TCopy {
        int Dx, Dy;
        TColor Color;
    };
    std::vector<TCopy> copies;
    switch (FLabelStyle.AStyle3D()) {
    case A3dResit:
        copies = {{1, 1, FLabelStyle.AShadeLeftTop()}, {-1, -1, FLabelStyle.AShadeRightBottom()}};
        break;
    case A3dRaised:
        copies = {{-1, -1, FLabelStyle.AShadeLeftTop()}, {1, 1, FLabelStyle.AShadeRightBottom()}};
        break;
    case A3dShadowed:
        copies = {{FLabelStyle.AHShadeOffSet(), FLabelStyle.AVShadeOffSet(), FLabelStyle.AShadeRightBottom()}};
        break;
    default: break;
    }

    // The label's font turned by the angle (tenths of a degree), TrueType
    // only: raster fonts do not turn.
    LOGFONTA lf{};
    GetObjectA(GraphicFontHandle(), sizeof lf, &lf);
    lf.lfEscapement = angle * 10;
    lf.lfOrientation = angle * 10;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    TGdiObject font(CreateFontIndirectA(&lf));
    TSelected selectedFont(DC, font.Get());
    SetBkMode(DC, TRANSPARENT);

    const std::wstring text = PaintText(Caption());
    SIZE extent{0, 0};
    GetTextExtentPoint32W(DC, text.c_str(), static_cast<int>(text.size()), &extent);
    const TRotatedText place = PlaceRotatedText(FWidth, FHeight, extent.cx, extent.cy, FCos, FSin);

    if (!FMyTransparent) {
        TGdiObject brush(CreateSolidBrush(ColorToRGB(Color())));
        TGdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(Color())));
        TSelected selectedBrush(DC, brush.Get());
        TSelected selectedPen(DC, pen.Get());
        Polygon(DC, place.Box, 4);
    }
    for (const TCopy& c : copies) {
        SetTextColor(DC, ColorToRGB(c.Color));
        TextOutW(DC, place.Origin.x + c.Dx, place.Origin.y + c.Dy, text.c_str(), static_cast<int>(text.size()));
    }
    SetTextColor(DC, ColorToRGB(Font()->Color()));
    TextOutW(DC, place.Origin.x, place.Origin.y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace vtrl
