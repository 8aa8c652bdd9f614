// Tests of windowless controls: the parent paints them in its own WM_PAINT,
// in insertion order, clipped to their bounds, under its windowed children.
#include "Controls_test.h"

#include "StdCtrls.h"

using namespace vtrl;
using namespace vtrl::testing;

namespace {

constexpr TColor kBlue = 0xFF0000;
constexpr TColor kGreen = 0x00FF00;

// Fills far more than its bounds with one colour: what shows of it is what
// the parent's clipping lets through. Counts its paintings.
class TSpill : public TGraphicControl {
public:
    explicit TSpill(TComponent* AOwner) : TGraphicControl(AOwner) {}
    TColor Fill = kRed;
    int Paints = 0;
    int DblClicks = 0;
    void DblClick() override { ++DblClicks; }
    void Paint(HDC DC) override {
        ++Paints;
        HBRUSH b = CreateSolidBrush(ColorToRGB(Fill));
        RECT r{-500, -500, 1000, 1000};
        FillRect(DC, &r, b);
        DeleteObject(b);
    }
};

// Paints a one-pixel mark at its own 0,0: where it lands says where the
// origin was.
class TOriginMark : public TGraphicControl {
public:
    explicit TOriginMark(TComponent* AOwner) : TGraphicControl(AOwner) {}
    void Paint(HDC DC) override { SetPixel(DC, 0, 0, RGB(255, 0, 0)); }
};

class GraphicControlsTest : public ControlsTest {
protected:
    // Shows the form white, paints it now and reads pixels from its window.
    void ShowPainted() {
        Form->SetColor(clWhite);
        Form->SetBorderStyle(bsNone);
        Form->Show();
        Application.ProcessMessages();
        Form->Repaint();
    }
    void Repaint() {
        Form->Repaint();
        Application.ProcessMessages();
    }
    TColor At(int x, int y) {
        HDC dc = GetDC(Form->Handle());
        const TColor c = static_cast<TColor>(GetPixel(dc, x, y));
        ReleaseDC(Form->Handle(), dc);
        return c;
    }
    template <class C>
    C* Place(const char* Name, int l, int t, int w, int h, TWinControl* Parent = nullptr) {
        C* c = Add<C>(Name, Parent);
        c->SetBounds(l, t, w, h);
        return c;
    }
};

}  // namespace

// Rule: a graphic control has no window; what it paints shows only inside
// its bounds, and the parent's background stays around it.
TEST_F(GraphicControlsTest, PaintedByTheParentClippedToItsBounds) {
    NewForm();
    auto* spill = Place<TSpill>("Spill", 10, 10, 50, 40);
    ShowPainted();
    EXPECT_FALSE(spill->HandleAllocated());
    EXPECT_EQ(spill->Handle(), nullptr);
    EXPECT_GT(spill->Paints, 0);
    EXPECT_EQ(At(10, 10), kRed);
    EXPECT_EQ(At(59, 49), kRed);
    EXPECT_EQ(At(9, 10), clWhite);
    EXPECT_EQ(At(60, 30), clWhite);
    EXPECT_EQ(At(30, 50), clWhite);
}

// Rule: the control paints with its own top left as the origin.
TEST_F(GraphicControlsTest, OriginIsTheControlsTopLeft) {
    NewForm();
    Place<TOriginMark>("Mark", 33, 21, 10, 10);
    ShowPainted();
    EXPECT_EQ(At(33, 21), kRed);
    EXPECT_EQ(At(0, 0), clWhite);
}

// Rule: a windowed sibling covers a graphic control, whatever the order;
// graphic controls among themselves paint in insertion order, the later
// one on top.
TEST_F(GraphicControlsTest, UnderWindowedChildrenAndInInsertionOrder) {
    NewForm();
    auto* panel = Place<TPanel>("Panel", 30, 30, 40, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(kBlue);
    Place<TSpill>("Below", 10, 10, 50, 50);
    auto* above = Place<TSpill>("Above", 20, 20, 10, 10);
    above->Fill = kGreen;
    ShowPainted();
    EXPECT_EQ(At(15, 15), kRed);
    EXPECT_EQ(At(25, 25), kGreen);
    EXPECT_EQ(At(35, 35), kBlue);   // the panel's window, over "Below"
    EXPECT_EQ(At(65, 65), kBlue);
    EXPECT_EQ(At(75, 75), clWhite);
}

// Rule: a panel paints the graphic controls it holds, in its own
// coordinates.
TEST_F(GraphicControlsTest, InsideAPanel) {
    NewForm();
    auto* panel = Place<TPanel>("Panel", 100, 100, 60, 60);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(kBlue);
    Place<TSpill>("Inner", 10, 10, 20, 20, panel);
    ShowPainted();
    EXPECT_EQ(At(115, 115), kRed);
    EXPECT_EQ(At(105, 105), kBlue);
    EXPECT_EQ(At(15, 15), clWhite);
}

// Rule: hiding or moving a graphic control repaints the area it left.
TEST_F(GraphicControlsTest, HidingAndMovingRepaintTheParent) {
    NewForm();
    auto* spill = Place<TSpill>("Spill", 10, 10, 20, 20);
    ShowPainted();
    ASSERT_EQ(At(15, 15), kRed);
    spill->SetLeft(100);
    Application.ProcessMessages();
    EXPECT_EQ(At(15, 15), clWhite);
    EXPECT_EQ(At(105, 15), kRed);
    spill->SetVisible(false);
    const int paints = spill->Paints;
    Repaint();
    EXPECT_EQ(At(105, 15), clWhite);
    EXPECT_EQ(spill->Paints, paints);
}

// Rule: an aligned graphic control is laid out like a windowed one and
// follows its parent's size.
TEST_F(GraphicControlsTest, AlignedToTheClientArea) {
    NewForm();
    auto* spill = Add<TSpill>("Spill");
    spill->SetAlign(alClient);
    EXPECT_EQ(spill->Width(), 400);
    EXPECT_EQ(spill->Height(), 300);
    Form->SetBorderStyle(bsNone);
    Form->SetClientWidth(200);
    Form->SetClientHeight(100);
    ShowPainted();
    EXPECT_EQ(spill->Width(), 200);
    EXPECT_EQ(spill->Height(), 100);
    EXPECT_EQ(At(199, 99), kRed);
}

// Rule: while ParentColor is true the colour is the parent's; setting a
// colour ends that, and turning it on again takes the parent's colour.
TEST_F(GraphicControlsTest, ParentColor) {
    NewForm();
    Form->SetColor(kBlue);
    auto* spill = Add<TSpill>("Spill");
    EXPECT_TRUE(spill->ParentColor());
    EXPECT_EQ(spill->Color(), kBlue);
    spill->SetColor(kGreen);
    EXPECT_FALSE(spill->ParentColor());
    EXPECT_EQ(spill->Color(), kGreen);
    Form->SetColor(kRed);
    EXPECT_EQ(spill->Color(), kGreen);
    spill->SetParentColor(true);
    EXPECT_EQ(spill->Color(), kRed);
}

// Rule: a click on the parent's window goes to the topmost visible,
// enabled graphic control under it, reported as a person's click; a
// double click too; elsewhere nothing fires.
TEST_F(GraphicControlsTest, ClicksReachTheControlUnderThePointer) {
    NewForm();
    auto* below = Place<TSpill>("Below", 10, 10, 50, 50);
    auto* above = Place<TSpill>("Above", 20, 20, 10, 10);
    std::vector<std::string> clicked;
    below->OnClick = [&](TComponent* c) { clicked.push_back(c->Name()); };
    above->OnClick = [&](TComponent* c) { clicked.push_back(c->Name()); };
    RecordActions();
    ShowPainted();
    auto at = [](int x, int y) { return static_cast<LPARAM>(MAKELONG(x, y)); };
    SendMessageA(Form->Handle(), WM_LBUTTONUP, 0, at(25, 25));
    SendMessageA(Form->Handle(), WM_LBUTTONUP, 0, at(12, 12));
    SendMessageA(Form->Handle(), WM_LBUTTONUP, 0, at(70, 70));
    EXPECT_EQ(clicked, (std::vector<std::string>{"Above", "Below"}));
    EXPECT_EQ(Actions, (std::vector<std::string>{"Above click", "Below click"}));
    above->SetVisible(false);
    SendMessageA(Form->Handle(), WM_LBUTTONUP, 0, at(25, 25));
    EXPECT_EQ(clicked.back(), "Below");
    below->SetEnabled(false);
    SendMessageA(Form->Handle(), WM_LBUTTONUP, 0, at(25, 25));
    EXPECT_EQ(clicked.size(), 3u);
    below->SetEnabled(true);
    SendMessageA(Form->Handle(), WM_LBUTTONDBLCLK, 0, at(40, 40));
    EXPECT_EQ(below->DblClicks, 1);
    EXPECT_EQ(above->DblClicks, 0);
}
