// Tests of the decorations: the backdrop's gradient read back from the
// painted window, the 3D caption's style rules and painting, the backdrop
// window's form text and its music player, and the kit-directory question.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "Controls_test.h"
#include "MPlayer.h"
#include "ResponseFile.h"
#include "Screenshot.h"
#include "StdCtrls.h"
#include "Unit1.h"
#include "cmp_Rotate3DLabel.h"
#include "cmp_TBackDrop.h"
#include "routines_VantrelStuff.h"
#include "cmp_TTranslator.h"
#include "ordlg_ChangeDisk.h"

using namespace vtrl;
using namespace vtrl::testing;

namespace {

constexpr TColor kWhite = clWhite;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kGrey = 0x808080;
constexpr RECT kLabelArea{50, 50, 350, 250};

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

class DecorationsTest : public ControlsTest {
protected:
    // A borderless form of client Width x Height holding a backdrop.
    TBackdrop* NewBackdrop(int Width, int Height) {
        NewForm();
        Form->SetBorderStyle(bsNone);
        Form->SetClientWidth(Width);
        Form->SetClientHeight(Height);
        return Add<TBackdrop>("Backdrop1");
    }
    void ShowPainted() {
        Form->Show();
        Application.ProcessMessages();
        Form->Repaint();
    }
    TColor At(int x, int y) {
        HDC dc = GetDC(Form->Handle());
        const TColor c = static_cast<TColor>(GetPixel(dc, x, y));
        ReleaseDC(Form->Handle(), dc);
        return c;
    }
    // The form's client area as it shows now, read in one copy: reading
    // pixel by pixel from the window is slow under Wine.
    std::vector<TColor> Grab(int& Width) {
        RECT client;
        GetClientRect(Form->Handle(), &client);
        Width = client.right;
        const int h = client.bottom;
        HDC dc = GetDC(Form->Handle());
        HDC mem = CreateCompatibleDC(dc);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = Width;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, Width, h, dc, 0, 0, SRCCOPY);
        GdiFlush();
        std::vector<TColor> pixels(size_t(Width) * size_t(h));
        const auto* p = static_cast<const uint8_t*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = Rgb(p[i * 4 + 2], p[i * 4 + 1], p[i * 4]);
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(Form->Handle(), dc);
        return pixels;
    }
    // How many pixels of R have exactly colour C.
    int Count(const RECT& R, TColor C) {
        int w = 0;
        const std::vector<TColor> px = Grab(w);
        int n = 0;
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x) n += px[size_t(y) * w + x] == C;
        return n;
    }
    // The bounding box of the pixels of R that are not colour Background.
    RECT Ink(const RECT& R, TColor Background) {
        int w = 0;
        const std::vector<TColor> px = Grab(w);
        RECT box{R.right, R.bottom, R.left, R.top};
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x)
                if (px[size_t(y) * w + x] != Background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
    // A white borderless form with a 300 x 200 label at 50,50 (kLabelArea)
    // whose caption is blue, 24 pixels high.
    TRotate3DLabel* AddLabel(const std::string& Caption) {
        NewForm();
        Form->SetBorderStyle(bsNone);
        Form->SetColor(kWhite);
        auto* l = Add<TRotate3DLabel>("Label1");
        l->SetBounds(50, 50, 300, 200);
        l->SetCaption(Caption);
        l->Font()->SetHeight(-24);
        l->Font()->SetColor(kBlue);
        return l;
    }
};

}  // namespace

// ------------------------------------------------------------- backdrop

// Rule: a backdrop starts as bdUp from blue to black, filling its parent.
TEST_F(DecorationsTest, BackdropDefaults) {
    TBackdrop* b = NewBackdrop(120, 80);
    EXPECT_EQ(b->Direction(), bdUp);
    EXPECT_EQ(b->StartColor(), bcBlue);
    EXPECT_EQ(b->EndColor(), bcBlack);
    EXPECT_EQ(b->Align(), alClient);
    EXPECT_EQ(b->Width(), 120);
    EXPECT_EQ(b->Height(), 80);
    EXPECT_FALSE(b->HandleAllocated());
}

// Rule: the eight colours are the pure ones of their names.
TEST_F(DecorationsTest, BackdropColours) {
    EXPECT_EQ(BackColorRGB(bcRed), RGB(255, 0, 0));
    EXPECT_EQ(BackColorRGB(bcLime), RGB(0, 255, 0));
    EXPECT_EQ(BackColorRGB(bcYellow), RGB(255, 255, 0));
    EXPECT_EQ(BackColorRGB(bcBlue), RGB(0, 0, 255));
    EXPECT_EQ(BackColorRGB(bcFuchsia), RGB(255, 0, 255));
    EXPECT_EQ(BackColorRGB(bcAqua), RGB(0, 255, 255));
    EXPECT_EQ(BackColorRGB(bcWhite), RGB(255, 255, 255));
    EXPECT_EQ(BackColorRGB(bcBlack), RGB(0, 0, 0));
}

// Rule: bdUp paints 256 bands from the start colour at the top to the end
// colour at the bottom; on a height of 256 band n is row n, of blue
// 255 - n.
TEST_F(DecorationsTest, UpIs256BandsTopToBottom) {
    NewBackdrop(40, 256);
    ShowPainted();
    EXPECT_EQ(At(0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(At(39, 1), Rgb(0, 0, 254));
    EXPECT_EQ(At(20, 100), Rgb(0, 0, 155));
    EXPECT_EQ(At(5, 254), Rgb(0, 0, 1));
    EXPECT_EQ(At(5, 255), Rgb(0, 0, 0));
}

// Rule: every component runs on its own: red to aqua at band 100 is
// (155, 100, 100); on a height of 512 each band is two rows.
TEST_F(DecorationsTest, BandColourPerComponent) {
    TBackdrop* b = NewBackdrop(30, 512);
    b->SetStartColor(bcRed);
    b->SetEndColor(bcAqua);
    ShowPainted();
    EXPECT_EQ(At(10, 200), Rgb(155, 100, 100));
    EXPECT_EQ(At(10, 201), Rgb(155, 100, 100));
    EXPECT_EQ(At(10, 202), Rgb(154, 101, 101));
    EXPECT_EQ(At(10, 511), Rgb(0, 255, 255));
}

// Rule: band edges are rounded as Windows' MulDiv rounds: on a height of
// 100 band 255 starts at row 100 (99.6 rounded), so the last row is band
// 254, of blue 1, not the end colour; band 0 ends at row 0 (0.39 rounded)
// and is empty, so the first row is band 1, of blue 254.
TEST_F(DecorationsTest, BandEdgesRoundToNearest) {
    NewBackdrop(20, 100);
    ShowPainted();
    EXPECT_EQ(At(10, 99), Rgb(0, 0, 1));
    EXPECT_EQ(At(10, 0), Rgb(0, 0, 254));
}

// Rule: bdHorzOut with blue and black is blue at the top and bottom edges
// and black in the middle: 128 bands mirrored about the middle, band n of
// blue 255 + MulDiv(n, -255, 127) (band 64: 126) on rows n and 255 - n.
TEST_F(DecorationsTest, HorzOutIs128MirroredBands) {
    TBackdrop* b = NewBackdrop(50, 256);
    b->SetDirection(bdHorzOut);
    ShowPainted();
    EXPECT_EQ(At(25, 0), Rgb(0, 0, 255));
    EXPECT_EQ(At(25, 255), Rgb(0, 0, 255));
    EXPECT_EQ(At(25, 127), Rgb(0, 0, 0));
    EXPECT_EQ(At(25, 128), Rgb(0, 0, 0));
    EXPECT_EQ(At(25, 64), Rgb(0, 0, 126));
    EXPECT_EQ(At(25, 191), Rgb(0, 0, 126));
    EXPECT_EQ(At(25, 1), Rgb(0, 0, 253));
    EXPECT_EQ(At(25, 254), Rgb(0, 0, 253));
}

// Rule: bdHorzIn puts the end colour at the edges, the start colour in the
// middle.
TEST_F(DecorationsTest, HorzInPutsTheEndColourAtTheEdges) {
    TBackdrop* b = NewBackdrop(50, 256);
    b->SetDirection(bdHorzIn);
    ShowPainted();
    EXPECT_EQ(At(25, 0), Rgb(0, 0, 0));
    EXPECT_EQ(At(25, 255), Rgb(0, 0, 0));
    EXPECT_EQ(At(25, 127), Rgb(0, 0, 255));
}

// Rule: bdLeft runs from the start colour at the left edge to the end
// colour at the right one, bdRight the other way; columns, not rows.
TEST_F(DecorationsTest, LeftAndRightRunAlongTheWidth) {
    TBackdrop* b = NewBackdrop(256, 30);
    b->SetDirection(bdLeft);
    ShowPainted();
    EXPECT_EQ(At(0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(At(0, 29), Rgb(0, 0, 255));
    EXPECT_EQ(At(100, 15), Rgb(0, 0, 155));
    EXPECT_EQ(At(255, 15), Rgb(0, 0, 0));
    b->SetDirection(bdRight);
    Application.ProcessMessages();
    EXPECT_EQ(At(0, 15), Rgb(0, 0, 0));
    EXPECT_EQ(At(100, 3), Rgb(0, 0, 100));
    EXPECT_EQ(At(255, 15), Rgb(0, 0, 255));
}

// Rule: bdVertIn puts the start colour at the left and right edges,
// bdVertOut the end colour.
TEST_F(DecorationsTest, VertInAndOutMirrorAlongTheWidth) {
    TBackdrop* b = NewBackdrop(256, 20);
    b->SetDirection(bdVertIn);
    ShowPainted();
    EXPECT_EQ(At(0, 10), Rgb(0, 0, 255));
    EXPECT_EQ(At(255, 10), Rgb(0, 0, 255));
    EXPECT_EQ(At(128, 10), Rgb(0, 0, 0));
    b->SetDirection(bdVertOut);
    Application.ProcessMessages();
    EXPECT_EQ(At(0, 10), Rgb(0, 0, 0));
    EXPECT_EQ(At(255, 10), Rgb(0, 0, 0));
    EXPECT_EQ(At(127, 10), Rgb(0, 0, 255));
}

// Rule: bdDown is bdUp with the colours swapped.
TEST_F(DecorationsTest, DownSwapsTheColours) {
    TBackdrop* b = NewBackdrop(20, 256);
    b->SetDirection(bdDown);
    b->SetStartColor(bcYellow);
    b->SetEndColor(bcWhite);
    ShowPainted();
    EXPECT_EQ(At(5, 0), Rgb(255, 255, 255));
    EXPECT_EQ(At(5, 100), Rgb(255, 255, 155));
    EXPECT_EQ(At(5, 255), Rgb(255, 255, 0));
}

// ----------------------------------------------------------- label style

namespace {
struct StyleCounter {
    TLabelStyle Style;
    int Changes = 0;
    StyleCounter() {
        Style.OnChange = [this](TComponent*) { ++Changes; };
    }
};
}  // namespace

// Rule: a style starts at angle 0, raised, grey right-bottom, white
// left-top, not set, offsets 5 and -5.
TEST(LabelStyle, Defaults) {
    TLabelStyle s;
    EXPECT_EQ(s.Angle(), 0);
    EXPECT_EQ(s.AStyle3D(), A3dRaised);
    EXPECT_EQ(s.AShadeRightBottom(), kGrey);
    EXPECT_EQ(s.AShadeLeftTop(), kWhite);
    EXPECT_FALSE(s.AShadeLTSet());
    EXPECT_EQ(s.AHShadeOffSet(), 5);
    EXPECT_EQ(s.AVShadeOffSet(), -5);
}

// Rule: an angle below 0 or from 360 on becomes 0; a changed angle
// notifies, the same one does not.
TEST(LabelStyle, AngleOutOfRangeBecomesZero) {
    StyleCounter c;
    c.Style.SetAngle(45);
    EXPECT_EQ(c.Style.Angle(), 45);
    EXPECT_EQ(c.Changes, 1);
    c.Style.SetAngle(360);
    EXPECT_EQ(c.Style.Angle(), 0);
    c.Style.SetAngle(359);
    EXPECT_EQ(c.Style.Angle(), 359);
    c.Style.SetAngle(-10);
    EXPECT_EQ(c.Style.Angle(), 0);
    const int changes = c.Changes;
    c.Style.SetAngle(0);
    EXPECT_EQ(c.Changes, changes);
}

// Rule: while AShadeLTSet the left-top colour is white and setting it is
// ignored; turning AShadeLTSet off brings the earlier colour back.
TEST(LabelStyle, LeftTopIgnoredWhileSet) {
    StyleCounter c;
    c.Style.SetAShadeLeftTop(kGrey);
    EXPECT_EQ(c.Style.AShadeLeftTop(), kGrey);
    c.Style.SetAShadeLTSet(true);
    EXPECT_EQ(c.Style.AShadeLeftTop(), kWhite);
    const int changes = c.Changes;
    c.Style.SetAShadeLeftTop(kBlue);
    EXPECT_EQ(c.Style.AShadeLeftTop(), kWhite);
    EXPECT_EQ(c.Changes, changes);
    c.Style.SetAShadeLTSet(false);
    EXPECT_EQ(c.Style.AShadeLeftTop(), kGrey);
}

// Rule: turning AShadeLTSet on notifies only in a style that draws the
// left-top copy (sunk or raised) and when the colour put aside was not
// white already.
TEST(LabelStyle, LTSetNotifiesWhenItShows) {
    {
        StyleCounter c;  // raised, left-top grey
        c.Style.SetAShadeLeftTop(kGrey);
        c.Changes = 0;
        c.Style.SetAShadeLTSet(true);
        EXPECT_EQ(c.Changes, 1);
        c.Style.SetAShadeLTSet(false);
        EXPECT_EQ(c.Changes, 1);
    }
    {
        StyleCounter c;  // raised, left-top white
        c.Style.SetAShadeLTSet(true);
        EXPECT_EQ(c.Changes, 0);
    }
    {
        StyleCounter c;
        c.Style.SetAShadeLeftTop(kGrey);
        c.Style.SetAStyle3D(A3dShadowed);
        c.Changes = 0;
        c.Style.SetAShadeLTSet(true);
        EXPECT_EQ(c.Changes, 0);
        EXPECT_EQ(c.Style.AShadeLeftTop(), kWhite);
    }
}

// Rule: the shadow offsets are stored in any style but notify only in
// A3dShadowed.
TEST(LabelStyle, OffsetsNotifyOnlyWhenShadowed) {
    StyleCounter c;
    c.Style.SetAHShadeOffSet(3);
    c.Style.SetAVShadeOffSet(4);
    EXPECT_EQ(c.Style.AHShadeOffSet(), 3);
    EXPECT_EQ(c.Style.AVShadeOffSet(), 4);
    EXPECT_EQ(c.Changes, 0);
    c.Style.SetAStyle3D(A3dShadowed);
    EXPECT_EQ(c.Changes, 1);
    c.Style.SetAHShadeOffSet(7);
    c.Style.SetAVShadeOffSet(-7);
    EXPECT_EQ(c.Changes, 3);
    c.Style.SetAVShadeOffSet(-7);
    EXPECT_EQ(c.Changes, 3);
}

// Rule: the style and the right-bottom colour notify when they change.
TEST(LabelStyle, StyleAndRightBottomNotify) {
    StyleCounter c;
    c.Style.SetAStyle3D(A3dRaised);
    c.Style.SetAShadeRightBottom(kGrey);
    EXPECT_EQ(c.Changes, 0);
    c.Style.SetAStyle3D(A3dResit);
    c.Style.SetAShadeRightBottom(clBlack);
    EXPECT_EQ(c.Changes, 2);
}

// Rule: assigning a style copies its values and notifies.
TEST(LabelStyle, AssignCopiesAndNotifies) {
    TLabelStyle source;
    source.SetAngle(30);
    source.SetAStyle3D(A3dShadowed);
    source.SetAShadeRightBottom(kBlue);
    source.SetAShadeLeftTop(kGrey);
    source.SetAHShadeOffSet(2);
    source.SetAVShadeOffSet(3);
    StyleCounter c;
    c.Style.Assign(source);
    EXPECT_EQ(c.Style.Angle(), 30);
    EXPECT_EQ(c.Style.AStyle3D(), A3dShadowed);
    EXPECT_EQ(c.Style.AShadeRightBottom(), kBlue);
    EXPECT_EQ(c.Style.AShadeLeftTop(), kGrey);
    EXPECT_EQ(c.Style.AHShadeOffSet(), 2);
    EXPECT_EQ(c.Style.AVShadeOffSet(), 3);
    EXPECT_GT(c.Changes, 0);
}

// ------------------------------------------------------------- 3D label

// Rule: the caption is centred whatever the angle: a 40 x 20 caption in a
// 100 x 50 label starts at 30,15 unturned, at 40,45 turned by 90 degrees;
// the box is 10 wider and 7 taller, its halves truncated.
TEST(Rotate3DLabelPlacement, CentredByTheFormula) {
    TRotatedText t = PlaceRotatedText(100, 50, 40, 20, 1, 0);
    EXPECT_EQ(t.Origin.x, 30);
    EXPECT_EQ(t.Origin.y, 15);
    EXPECT_EQ(t.Box[0].x, 25);
    EXPECT_EQ(t.Box[0].y, 12);
    EXPECT_EQ(t.Box[2].x, 75);
    EXPECT_EQ(t.Box[2].y, 38);
    const double rad = std::acos(-1.0) / 2;
    t = PlaceRotatedText(100, 50, 40, 20, std::cos(rad), std::sin(rad));
    EXPECT_EQ(t.Origin.x, 40);
    EXPECT_EQ(t.Origin.y, 45);
    // Turned a quarter: the box's first corner (left-top of the text) is
    // now bottom-left.
    EXPECT_EQ(t.Box[0].x, 37);
    EXPECT_EQ(t.Box[0].y, 50);
}

// Rule: a double click on the label fires its OnDblClick.
TEST_F(DecorationsTest, LabelDoubleClick) {
    TRotate3DLabel* l = AddLabel("Vantrel");
    int fired = 0;
    l->OnDblClick = [&](TComponent* c) {
        EXPECT_EQ(c, l);
        ++fired;
    };
    ShowPainted();
    SendMessageA(Form->Handle(), WM_LBUTTONDBLCLK, 0, MAKELONG(200, 150));
    SendMessageA(Form->Handle(), WM_LBUTTONDBLCLK, 0, MAKELONG(10, 10));
    EXPECT_EQ(fired, 1);
}

// Rule: a new label is transparent, not auto-sized, bold Arial, with cos 1
// and sin 0.
TEST_F(DecorationsTest, LabelDefaults) {
    NewForm();
    auto* l = Add<TRotate3DLabel>("L");
    EXPECT_TRUE(l->MyTransparent());
    EXPECT_FALSE(l->AutoSize);
    EXPECT_EQ(l->Font()->Name(), "Arial");
    EXPECT_TRUE(l->Font()->Style().Contains(fsBold));
    EXPECT_EQ(l->AngleCos(), 1.0);
    EXPECT_EQ(l->AngleSin(), 0.0);
    EXPECT_FALSE(l->HandleAllocated());
}


// Rule: MyTransparent false paints a box in the label's colour behind the
// caption, 5 pixels beyond its ends and turned with it; a transparent
// label leaves the parent's colour there.
TEST_F(DecorationsTest, OpaqueLabelPaintsATurnedBox) {
    TRotate3DLabel* l = AddLabel("Hi Hi Hi Hi");
    const SIZE text = MeasureText(*l->Font(), "Hi Hi Hi Hi", 0);
    const int cx = 50 + 150, cy = 50 + 100;
    ShowPainted();
    EXPECT_EQ(At(cx - text.cx / 2 - 3, cy), kWhite);
    l->SetColor(kRed);
    l->SetMyTransparent(false);
    Application.ProcessMessages();
    EXPECT_EQ(At(cx - text.cx / 2 - 3, cy), kRed);
    EXPECT_EQ(At(cx + text.cx / 2 + 3, cy), kRed);
    EXPECT_EQ(At(cx, cy - text.cy / 2 - 1), kRed);
    EXPECT_EQ(At(cx - text.cx / 2 - 8, cy), kWhite);
    EXPECT_EQ(At(cx, cy - 60), kWhite);
    l->LabelStyle()->SetAngle(90);
    Application.ProcessMessages();
    EXPECT_NEAR(l->AngleCos(), 0.0, 1e-12);
    EXPECT_NEAR(l->AngleSin(), 1.0, 1e-12);
    // Upright now: the box runs along the height.
    EXPECT_EQ(At(cx - text.cx / 2 - 3, cy), kWhite);
    EXPECT_EQ(At(cx, cy - text.cx / 2 - 3), kRed);
    EXPECT_EQ(At(cx, cy + text.cx / 2 + 3), kRed);
    RECT ink = Ink(kLabelArea, kWhite);
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
}

// Rule: an opaque label drops its 3D style when it paints, and keeps it
// dropped when it turns transparent again.
TEST_F(DecorationsTest, OpaqueLabelLosesItsStyleForGood) {
    TRotate3DLabel* l = AddLabel("Vantrel");
    l->LabelStyle()->SetAShadeRightBottom(clBlack);
    ShowPainted();
    EXPECT_EQ(l->LabelStyle()->AStyle3D(), A3dRaised);
    EXPECT_GT(Count(kLabelArea, clBlack), 0);
    l->SetMyTransparent(false);
    EXPECT_EQ(l->LabelStyle()->AStyle3D(), A3dRaised);  // until it paints
    Application.ProcessMessages();
    EXPECT_EQ(l->LabelStyle()->AStyle3D(), A3dNormal);
    l->SetMyTransparent(true);
    Form->Repaint();
    EXPECT_EQ(l->LabelStyle()->AStyle3D(), A3dNormal);
    EXPECT_EQ(Count(kLabelArea, clBlack), 0);
}

// Rule: a raised caption has a copy in the right-bottom colour, a normal
// one none; a shadowed one draws its copy at the shade offsets.
TEST_F(DecorationsTest, CopiesByStyle) {
    TRotate3DLabel* l = AddLabel("Vantrel");
    l->LabelStyle()->SetAShadeRightBottom(clBlack);
    l->LabelStyle()->SetAShadeLeftTop(kGrey);
    ShowPainted();
    const RECT raisedInk = Ink(kLabelArea, kWhite);
    EXPECT_GT(Count(kLabelArea, clBlack), 0);
    EXPECT_GT(Count(kLabelArea, kGrey), 0);
    l->LabelStyle()->SetAStyle3D(A3dNormal);
    Application.ProcessMessages();
    EXPECT_EQ(Count(kLabelArea, clBlack), 0);
    EXPECT_EQ(Count(kLabelArea, kGrey), 0);
    const RECT plainInk = Ink(kLabelArea, kWhite);
    // The caption is centred on the label's middle.
    EXPECT_NEAR((plainInk.left + plainInk.right) / 2.0, 200, 3);
    EXPECT_NEAR((plainInk.top + plainInk.bottom) / 2.0, 150, 6);
    EXPECT_EQ(raisedInk.left, plainInk.left - 1);
    EXPECT_EQ(raisedInk.right, plainInk.right + 1);
    l->LabelStyle()->SetAStyle3D(A3dShadowed);
    l->LabelStyle()->SetAHShadeOffSet(12);
    l->LabelStyle()->SetAVShadeOffSet(-9);
    Application.ProcessMessages();
    const RECT shadowInk = Ink(kLabelArea, kWhite);
    EXPECT_EQ(shadowInk.right, plainInk.right + 12);
    EXPECT_EQ(shadowInk.top, plainInk.top - 9);
    EXPECT_EQ(Count(kLabelArea, kGrey), 0);
}

// ------------------------------------------------------ backdrop window

// Rule: the backdrop window is a borderless 454 x 296 form in Arial -12
// with a default backdrop, the caption "Vantrel 2.0" in white bold Arial
// -48 raised with black and grey, and a hidden player with the play
// button.
TEST_F(DecorationsTest, BackdropWindowFormText) {
    TForm1 form(&Application);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.BorderStyle(), bsNone);
    EXPECT_EQ(form.ClientWidth(), 454);
    EXPECT_EQ(form.ClientHeight(), 296);
    EXPECT_EQ(form.Font()->Name(), "Arial");
    EXPECT_EQ(form.Font()->Height(), -12);
    ASSERT_NE(form.Backdrop1, nullptr);
    EXPECT_EQ(form.Backdrop1->Direction(), bdUp);
    EXPECT_EQ(form.Backdrop1->StartColor(), bcBlue);
    EXPECT_EQ(form.Backdrop1->EndColor(), bcBlack);
    EXPECT_EQ(form.Backdrop1->Width(), 454);
    EXPECT_EQ(form.Backdrop1->Height(), 296);
    TRotate3DLabel* l = form.Rotate3DLabel1;
    EXPECT_EQ(l->Caption(), "Vantrel 2.0");
    EXPECT_EQ(l->Left(), 8);
    EXPECT_EQ(l->Top(), 8);
    EXPECT_EQ(l->Width(), 313);
    EXPECT_EQ(l->Height(), 73);
    EXPECT_EQ(l->Font()->Name(), "Arial");
    EXPECT_EQ(l->Font()->Height(), -48);
    EXPECT_EQ(l->Font()->Color(), kWhite);
    EXPECT_TRUE(l->Font()->Style().Contains(fsBold));
    EXPECT_EQ(l->LabelStyle()->AShadeRightBottom(), clBlack);
    EXPECT_EQ(l->LabelStyle()->AShadeLeftTop(), kGrey);
    EXPECT_FALSE(l->LabelStyle()->AShadeLTSet());
    EXPECT_EQ(l->LabelStyle()->AStyle3D(), A3dRaised);
    EXPECT_EQ(l->LabelStyle()->Angle(), 0);
    EXPECT_TRUE(l->MyTransparent());
    EXPECT_FALSE(form.MP->Visible());
    EXPECT_TRUE(form.MP->VisibleButtons() == TButtonSet{btPlay});
}

// Rule: BackgroundPlayer is the backdrop window's player: none without
// one, the main form's when it is the backdrop.
TEST_F(DecorationsTest, BackgroundPlayerIsTheBackdropsMP) {
    EXPECT_EQ(BackgroundPlayer(), nullptr);
    TForm other(&Application);
    Application.SetMainForm(&other);
    EXPECT_EQ(BackgroundPlayer(), nullptr);
    {
        TForm1 form(&Application);
        EXPECT_EQ(BackgroundPlayer(), form.MP);
        Application.SetMainForm(&form);
        EXPECT_EQ(BackgroundPlayer(), form.MP);
        Application.SetMainForm(nullptr);
    }
    EXPECT_EQ(BackgroundPlayer(), nullptr);
}

// Rule: the music page's calls reach MCI through the backdrop's player
// and fail without a word on a machine without sound.
TEST_F(DecorationsTest, BackgroundPlayerPlaysQuietly) {
    TForm1 form(&Application);
    ClearMciCommands();
    TMediaPlayer* mp = BackgroundPlayer();
    ASSERT_NE(mp, nullptr);
    mp->SetFileName("C:\\nowhere\\HALVORNMISC.RMI");
    EXPECT_NO_THROW((void)mp->Open());
    EXPECT_NO_THROW((void)mp->Play());
    EXPECT_NO_THROW(mp->Close());
    ASSERT_GE(MciCommands().size(), 2u);
    EXPECT_EQ(MciCommands()[0], "open \"C:\\nowhere\\HALVORNMISC.RMI\" alias " + mp->Alias());
    EXPECT_EQ(MciCommands()[1], "play " + mp->Alias());
    ClearMciCommands();
}

// Rule: maximised, the backdrop fills the screen blue at the top to black
// at the bottom, with the white caption at the top left. (With
// VTRL_SCREENSHOT_DIR set the window is also saved as Form1-en.png there.)
TEST_F(DecorationsTest, BackdropWindowMaximised) {
    auto* form = new TForm1(&Application);
    Form = form;
    Application.SetMainForm(form);
    form->Show();
    form->SetWindowState(wsMaximized);
    Application.ProcessMessages();
    form->Repaint();
    const int w = form->ClientWidth(), h = form->ClientHeight();
    EXPECT_EQ(w, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(form->Backdrop1->Height(), h);
    EXPECT_EQ(At(w - 1, 0), Rgb(0, 0, 255));
    EXPECT_EQ(At(w / 2, h - 1), Rgb(0, 0, 0));
    const RECT caption{8, 8, 8 + 313, 8 + 73};
    EXPECT_GT(Count(caption, kWhite), 200);
    EXPECT_GT(Count(caption, clBlack), 20);
    if (const char* dir = std::getenv("VTRL_SCREENSHOT_DIR"))
        SaveWindowPng(form->Handle(), std::string(dir) + "\\Form1-en.png");
    Application.SetMainForm(nullptr);
}

// ---------------------------------------------------- kit-directory form

// Rule: the form carries the texts it was given, in a 399 x 150 client
// area, centred.
TEST_F(DecorationsTest, SelectVtrlDirForm) {
    TSelectVtrlDir form(&Application);
    EXPECT_EQ(form.Name(), "SelectVtrlDir");
    EXPECT_EQ(form.Caption(), "Select Vantrel Delphi Component directory");
    EXPECT_EQ(form.ClientWidth(), 399);
    EXPECT_EQ(form.ClientHeight(), 150);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.Font()->Name(), "Arial");
    EXPECT_EQ(form.Font()->Size(), 8);
    EXPECT_EQ(form.Font()->Charset(), ANSI_CHARSET);
    auto* l1 = dynamic_cast<TLabel*>(form.FindComponent("Label1"));
    auto* l2 = dynamic_cast<TLabel*>(form.FindComponent("Label2"));
    ASSERT_TRUE(l1 && l2);
    EXPECT_EQ(l1->Caption(),
              "The entry in the registry that tells where the Vantrel Delphi Components are is incorrect or missing.");
    EXPECT_EQ(l2->Caption(),
              " Please enter the directory in the edit box below. You may browse your computer by clicking on the "
              "button to the right.");
    EXPECT_EQ(form.SpeedButton1->Caption(), "...");
    EXPECT_EQ(form.CloseBtn->Caption(), "Close");
    EXPECT_EQ(form.Edit1->Text(), "");
}

// Rule: the answer is what Edit1 holds when the form closes, as typed.
TEST_F(DecorationsTest, AskTakesTheEditAsTyped) {
    SetSilent(true);
    int shown = 0;
    SetModalResponder([&](TForm& f) {
        ++shown;
        EXPECT_EQ(f.Name(), "SelectVtrlDir");
        dynamic_cast<TSelectVtrlDir&>(f).Edit1->SetText(" C:\\Kit dir ");
        return static_cast<int>(mrCancel);
    });
    EXPECT_EQ(AskVantrelDirectory(), " C:\\Kit dir ");
    EXPECT_EQ(shown, 1);
}

// Rule: a silent run without an answer presses Close on the empty edit.
TEST_F(DecorationsTest, AskSilentAnswersBlank) {
    SetSilent(true);
    EXPECT_EQ(AskVantrelDirectory(), "");
}

// Rule: a response file answers the form by its name; browsing in a
// silent run changes nothing.
TEST_F(DecorationsTest, AskFromAResponseFile) {
    SetSilent(true);
    SetActiveResponseFile(std::make_unique<TResponseFile>(
        "answers.rsp", "[SelectVtrlDir]\nclick SpeedButton1\nEdit1.Text = D:\\Vantrel\nclick CloseBtn\n"));
    EXPECT_EQ(AskVantrelDirectory(), "D:\\Vantrel");
    EXPECT_TRUE(ActiveResponseFile()->UnusedSections().empty());
    SetActiveResponseFile(nullptr);
}

// Shows the kit-directory form on screen for a picture of it when
// VTRL_SCREENSHOT_DIR is set.
TEST_F(DecorationsTest, SelectVtrlDirOnScreen) {
    auto* form = new TSelectVtrlDir(&Application);
    Form = form;
    form->Edit1->SetText("C:\\Program Files\\Vantrel");
    form->Show();
    Application.ProcessMessages();
    form->Repaint();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowVisible(form->Edit1->Handle()));
    if (const char* dir = std::getenv("VTRL_SCREENSHOT_DIR"))
        SaveWindowPng(form->Handle(), std::string(dir) + "\\SelectVtrlDir-en.png");
}

// The disk-change form on screen, in English and in French: the prompt
// carries the disk's number, and no text is cut off. (With
// VTRL_SCREENSHOT_DIR set each is also saved as ChangeDiskForm-<lang>.png.)
TEST_F(DecorationsTest, ChangeDiskFormOnScreen) {
    TTranslator translator(nullptr);
    if (MainTranslator() != &translator) GTEST_SKIP() << "another translator is the main one";
    const char* english[] = {"6;Cancel", "44;Setup needs the next disk", "45;Please insert disk number %d",
                             "46;If the files on this disk can be found in another location, for example, in another "
                             "drive, enter its full path or click the Browse button to select its path.",
                             "47;&Path:", "48;&Browse...", "49;Proceed"};
    const char* french[] = {"6;Annuler", "44;L'installation a besoin du disque suivant",
                            "45;Veuillez insérer le disque numéro %d",
                            "46;Si les fichiers de ce disque se trouvent ailleurs, par exemple sur un autre lecteur, "
                            "entrez leur chemin complet ou cliquez sur Parcourir pour le choisir.",
                            "47;&Chemin :", "48;&Parcourir...", "49;Continuer"};
    for (const char* line : english) translator.LanguageByIdent(ylEnglish)->Strings().Add(line);
    for (const char* line : french) translator.LanguageByIdent(ylFrench)->Strings().Add(line);
    for (const auto& [language, suffix, prompt] :
         {std::tuple{ylEnglish, "en", "Please insert disk number 2"},
          std::tuple{ylFrench, "fr", "Veuillez insérer le disque numéro 2"}}) {
        translator.SetTranslateIntoLanguage(language);
        TDiskParameter disk;
        disk.NewDisk = 2;
        disk.Path = "A:";
        auto* form = new TChangeDiskForm(&Application);
        Form = form;
        form->DiskParameter = &disk;
        form->SetupControls();
        form->TranslateForm();
        form->Show();
        Application.ProcessMessages();
        form->Repaint();
        EXPECT_EQ(form->PromptDiskLabel->Caption(), prompt);
        EXPECT_TRUE(IsWindowVisible(form->PathEdit->Handle()));
        if (const char* dir = std::getenv("VTRL_SCREENSHOT_DIR"))
            SaveWindowPng(form->Handle(), std::string(dir) + "\\ChangeDiskForm-" + suffix + ".png");
        delete form;
        Form = nullptr;
    }
}
