// A caption drawn in a rotated TrueType font with raised, sunk or shadowed
// copies around it, and the style object that says how.
#pragma once

#include <functional>

#include "Controls.h"

namespace vtrl {

// A3dResit: sunk (the light copy right-below, the dark one left-above);
// A3dRaised: the light copy left-above, the dark one right-below;
// A3dShadowed: one dark copy at the shade offsets; A3dNormal: no copy.
VTRL_ENUM(T3DEffectShort, A3dNormal, A3dResit, A3dRaised, A3dShadowed)

constexpr TColor kShadeGrey = 0x808080;

// How a 3D caption is drawn. Every setter that changes what shows calls
// OnChange (the owning label repaints).
class TLabelStyle : public TPersistent {
    VTRL_CLASS(TLabelStyle)
public:
    TLabelStyle() = default;
    TLabelStyle(const TLabelStyle&) = delete;
    TLabelStyle& operator=(const TLabelStyle&) = delete;

    // Degrees, counter-clockwise. A changed value below 0 or from 360 on is
    // stored as 0.
    int Angle() const { return FAngle; }
    void SetAngle(int Value);
    T3DEffectShort AStyle3D() const { return FStyle3D; }
    void SetAStyle3D(T3DEffectShort Value);
    // The colour of the copy drawn right-below (left-above when sunk).
    TColor AShadeRightBottom() const { return FShadeRightBottom; }
    void SetAShadeRightBottom(TColor Value);
    // The colour of the other copy; ignored while AShadeLTSet.
    TColor AShadeLeftTop() const { return FShadeLeftTop; }
    void SetAShadeLeftTop(TColor Value);
    // True: the left-top colour is white, the one it had is kept aside and
    // comes back when it turns false again.
    bool AShadeLTSet() const { return FShadeLTSet; }
    void SetAShadeLTSet(bool Value);
    // The shadow's offset; a change shows (and notifies) only in
    // A3dShadowed.
    int AHShadeOffSet() const { return FHShadeOffSet; }
    void SetAHShadeOffSet(int Value);
    int AVShadeOffSet() const { return FVShadeOffSet; }
    void SetAVShadeOffSet(int Value);

    // Copies Source through the setters above (so their rules hold), then
    // notifies once more.
    void Assign(const TLabelStyle& Source);

    TNotifyEvent OnChange;

private:
    void Changed();
    int FAngle = 0;
    T3DEffectShort FStyle3D = A3dRaised;
    TColor FShadeRightBottom = kShadeGrey;
    TColor FShadeLeftTop = clWhite;
    bool FShadeLTSet = false;
    int FHShadeOffSet = 5;
    int FVShadeOffSet = -5;
    TColor FSavedLeftTop = clWhite;
};

// Where the caption of a rotated label goes and what it covers.
struct TRotatedText {
    POINT Origin;    // where the text starts (its rotated top left)
    POINT Box[4];    // the (w + 10) x (h + 7) box about the centre, rotated
};
// For a caption of W x H pixels centred in a label of LabelWidth x
// LabelHeight turned by the angle whose cosine and sine are Cos and Sin:
// the origin x = cx - trunc(W/2 cos) - trunc(H/2 sin), y = trunc(W/2 sin) +
// cy - trunc(H/2 cos) (cx, cy: half the label's size, integer division),
// and the corners of the box, computed the same way.
TRotatedText PlaceRotatedText(int LabelWidth, int LabelHeight, int W, int H, double Cos, double Sin);

// A windowless label whose caption turns about the label's middle. At
// creation it is transparent, not auto-sized, in bold Arial.
class TRotate3DLabel : public TGraphicControl {
    VTRL_CLASS(TRotate3DLabel)
public:
    explicit TRotate3DLabel(TComponent* AOwner);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    TLabelStyle* LabelStyle() { return &FLabelStyle; }
    const TLabelStyle* LabelStyle() const { return &FLabelStyle; }
    // Copies Value's settings and repaints.
    void SetLabelStyle(const TLabelStyle& Value);
    // False: a box in Color is painted behind the caption, and the label
    // drops its 3D style (A3dNormal) the next time it paints, for good.
    bool MyTransparent() const { return FMyTransparent; }
    void SetMyTransparent(bool Value);
    // Kept for definitions; the caption is drawn as it is.
    bool ShowAccelChar = true;
    bool AutoSize = false;
    TControl* FocusControl = nullptr;
    TNotifyEvent OnDblClick;

    // The cosine and sine of the angle last painted (1 and 0 at creation).
    double AngleCos() const { return FCos; }
    double AngleSin() const { return FSin; }

    void Paint(HDC DC) override;
    // Fires OnDblClick.
    void DblClick() override;

private:
    TLabelStyle FLabelStyle;
    bool FMyTransparent = true;
    bool FPainting = false;
    double FDegToRad;
    double FCos = 1;
    double FSin = 0;
};

}  // namespace vtrl
