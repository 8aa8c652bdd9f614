// Tests of the controls' common behaviour: aligned layout, fonts, labels,
// memos, list boxes, group boxes, glyph buttons, the actions reported as a
// person's, and form texts that use the controls.
#include "Controls_test.h"

#include <commctrl.h>

#include "Buttons.h"
#include "ComCtrls.h"
#include "DefinitionText.h"
#include "ExtCtrls.h"
#include "Grids.h"
#include "StdCtrls.h"

using namespace vtrl;
using namespace vtrl::testing;

namespace {

::testing::AssertionResult HasBounds(const TControl* c, int l, int t, int w, int h) {
    if (c->Left() == l && c->Top() == t && c->Width() == w && c->Height() == h)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << c->Name() << " is at " << c->Left() << "," << c->Top() << " size "
                                         << c->Width() << "x" << c->Height() << ", expected " << l << "," << t
                                         << " size " << w << "x" << h;
}

std::string WindowText(HWND h) {
    char buf[512] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

// The test picture as designers write it: its length, then the bytes.
std::string SizedBitmapHex() {
    std::string b = TestBitmapBytes(), len;
    for (int i = 0; i < 4; ++i) len += static_cast<char>(b.size() >> (8 * i) & 0xFF);
    return HexDigits(len + b);
}

}  // namespace

// Rule: aligned children are placed top ones first, then bottom, left,
// right, and client takes the rest; each kind in creation order; hidden
// ones take no room; no size goes below 0. No window is needed.
TEST_F(ControlsTest, AlignPlacesChildrenByKindThenCreationOrder) {
    NewForm();
    auto* p = Add<TPanel>("P");
    p->SetBounds(0, 0, 300, 200);
    auto* t1 = Add<TPanel>("T1", p);
    t1->SetHeight(20);
    t1->SetAlign(alTop);
    auto* b1 = Add<TPanel>("B1", p);
    b1->SetHeight(30);
    b1->SetAlign(alBottom);
    auto* c = Add<TPanel>("C", p);
    c->SetAlign(alClient);
    auto* l1 = Add<TPanel>("L1", p);
    l1->SetWidth(50);
    l1->SetAlign(alLeft);
    auto* r1 = Add<TPanel>("R1", p);
    r1->SetWidth(40);
    r1->SetAlign(alRight);
    auto* t2 = Add<TPanel>("T2", p);  // created after the client one, placed with the top ones
    t2->SetHeight(10);
    t2->SetAlign(alTop);
    auto* free = Add<TPanel>("Free", p);
    free->SetBounds(5, 6, 7, 8);

    EXPECT_TRUE(HasBounds(t1, 0, 0, 300, 20));
    EXPECT_TRUE(HasBounds(t2, 0, 20, 300, 10));
    EXPECT_TRUE(HasBounds(b1, 0, 170, 300, 30));
    EXPECT_TRUE(HasBounds(l1, 0, 30, 50, 140));
    EXPECT_TRUE(HasBounds(r1, 260, 30, 40, 140));
    EXPECT_TRUE(HasBounds(c, 50, 30, 210, 140));
    EXPECT_TRUE(HasBounds(free, 5, 6, 7, 8));

    // The container's size, a child's size and a child's visibility each
    // lay the children out again.
    p->SetBounds(0, 0, 400, 300);
    EXPECT_TRUE(HasBounds(c, 50, 30, 310, 240));
    EXPECT_TRUE(HasBounds(b1, 0, 270, 400, 30));
    t1->SetHeight(50);
    EXPECT_TRUE(HasBounds(t2, 0, 50, 400, 10));
    EXPECT_TRUE(HasBounds(c, 50, 60, 310, 210));
    t1->SetVisible(false);
    EXPECT_TRUE(HasBounds(t2, 0, 0, 400, 10));
    EXPECT_TRUE(HasBounds(l1, 0, 10, 50, 260));
    l1->SetAlign(alNone);
    EXPECT_TRUE(HasBounds(c, 0, 10, 360, 260));

    // Too small a container: the client child gets 0, never less.
    p->SetBounds(0, 0, 30, 20);
    EXPECT_EQ(c->Width(), 0);
    EXPECT_EQ(c->Height(), 0);
    EXPECT_GE(b1->Top(), -30);
}

// Rule: on a form the client area counts (not the frame), with or without a
// window; a window's resize lays the children out too.
TEST_F(ControlsTest, AlignFollowsTheFormClientAreaWithAndWithoutWindow) {
    NewForm();
    auto* bottom = Add<TPanel>("Bottom");
    bottom->SetHeight(52);
    bottom->SetAlign(alBottom);
    auto* client = Add<TPanel>("Client");
    client->SetAlign(alClient);
    EXPECT_TRUE(HasBounds(client, 0, 0, 400, 248));
    EXPECT_TRUE(HasBounds(bottom, 0, 248, 400, 52));

    Form->HandleNeeded();
    RECT r;
    GetClientRect(Form->Handle(), &r);
    EXPECT_EQ(r.right, 400);
    Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + 100, Form->Height() + 50);
    EXPECT_TRUE(HasBounds(client, 0, 0, 500, 298));
    EXPECT_TRUE(HasBounds(bottom, 0, 298, 500, 52));
    // The windows follow the objects.
    GetWindowRect(client->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 298);
}

// Rule: a font's Height is the negative pixel height at 96 dpi of its Size;
// setting it sets Size rounded; the colour travels with the parent font and
// colours the text of labels.
TEST_F(ControlsTest, FontHeightAndColour) {
    TFont f;
    EXPECT_EQ(f.Height(), -11);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    f.SetHeight(-13);
    EXPECT_EQ(f.Size(), 10);
    EXPECT_EQ(f.Height(), -13);
    EXPECT_EQ(f.Color(), clBlack);

    NewForm();
    Form->Font()->SetColor(clNavy);
    auto* l = Add<TLabel>("L");
    EXPECT_EQ(l->Font()->Color(), clNavy);
    l->Font()->SetColor(kRed);
    EXPECT_FALSE(l->ParentFont());
    auto* t = Add<TLabel>("T");
    t->SetTransparent(true);
    Form->HandleNeeded();

    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brush = SendMessageA(Form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(l->Handle()));
    EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(kRed));
    EXPECT_NE(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    brush = SendMessageA(Form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(t->Handle()));
    EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(clNavy));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DeleteDC(dc);
}

// Rule: an auto-sized label fits its text: unwrapped it takes the text's
// width; wrapped it keeps its width and takes the height of the lines; an
// empty caption still takes one line; without AutoSize nothing changes.
TEST_F(ControlsTest, LabelAutoSize) {
    NewForm();
    auto* l = Add<TLabel>("L");
    l->SetWordWrap(false);
    l->SetCaption("Short");
    const int shortWidth = l->Width();
    const int lineHeight = l->Height();
    EXPECT_GT(lineHeight, 5);
    l->SetCaption("A much longer caption than before");
    EXPECT_GT(l->Width(), shortWidth);
    EXPECT_EQ(l->Height(), lineHeight);

    auto* w = Add<TLabel>("W");
    w->SetWidth(60);
    w->SetCaption("one two three four five six seven eight nine ten");
    EXPECT_EQ(w->Width(), 60);
    EXPECT_GE(w->Height(), 3 * lineHeight);
    w->SetCaption("");
    EXPECT_EQ(w->Height(), lineHeight);

    // An aligned wrapped label takes the height of its lines at the width
    // the layout gives it.
    auto* p = Add<TPanel>("P");
    p->SetBounds(0, 0, 600, 200);
    auto* top = Add<TLabel>("Top", p);
    top->SetAlign(alTop);
    top->SetCaption("one two three four five six seven eight nine ten");
    EXPECT_EQ(top->Width(), 600);
    EXPECT_EQ(top->Height(), lineHeight);
    auto* below = Add<TPanel>("Below", p);
    below->SetAlign(alTop);
    p->SetWidth(60);
    EXPECT_EQ(top->Width(), 60);
    EXPECT_GE(top->Height(), 3 * lineHeight);
    EXPECT_EQ(below->Top(), top->Height());

    // Accented text is measured as the characters it is: the UTF-8 bytes of
    // "ÉÉÉÉ" read in the font's ANSI code page would be eight characters.
    auto* accents = Add<TLabel>("Accents");
    accents->SetWordWrap(false);
    accents->SetCaption("\xC3\x89\xC3\x89\xC3\x89\xC3\x89");
    auto* plain = Add<TLabel>("Plain");
    plain->SetWordWrap(false);
    plain->SetCaption("EEEE");
    EXPECT_LE(accents->Width(), plain->Width() + 2);

    auto* fixed = Add<TLabel>("Fixed");
    fixed->SetAutoSize(false);
    fixed->SetBounds(1, 2, 30, 40);
    fixed->SetCaption("one two three four five six seven eight nine ten");
    EXPECT_TRUE(HasBounds(fixed, 1, 2, 30, 40));
}

// Rule: a memo's lines are the object's until a window exists, then the
// window's (what a person typed); code setting lines is not a person's
// action, typing is.
TEST_F(ControlsTest, MemoLinesFollowTheWindow) {
    NewForm();
    RecordActions();
    auto* m = Add<TMemo>("Memo");
    m->SetLines(TStringList{"first", "second"});
    m->SetReadOnly(true);
    EXPECT_EQ(m->Lines().Count(), 2);
    Form->HandleNeeded();
    EXPECT_EQ(WindowText(m->Handle()), "first\r\nsecond");
    EXPECT_NE(GetWindowLongA(m->Handle(), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_TRUE(Actions.empty());

    SendMessageA(m->Handle(), EM_SETREADONLY, FALSE, 0);
    const int end = GetWindowTextLengthA(m->Handle());
    SendMessageA(m->Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(m->Handle(), WM_CHAR, 'X', 0);
    EXPECT_EQ(m->Lines()[1], "secondX");
    ASSERT_EQ(Actions.size(), 1u);
    EXPECT_EQ(Actions[0], "Memo text first\r\nsecondX\r\n");

    // Scroll bars recreate the window; the lines survive.
    m->SetScrollBars(ssVertical);
    EXPECT_NE(GetWindowLongA(m->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(m->Lines()[1], "secondX");
}

// Rule: a sorted list box keeps its items sorted without regard to case, in
// the object and in the window; a person's choice fires OnClick and is
// reported with the item's text.
TEST_F(ControlsTest, ListBoxSortedAndPersonsChoice) {
    NewForm();
    RecordActions();
    auto* lb = Add<TListBox>("List");
    lb->SetItems(TStringList{"pear", "Apple", "fig"});
    lb->SetSorted(true);
    EXPECT_EQ(lb->Items().Strings, (std::vector<std::string>{"Apple", "fig", "pear"}));
    lb->AddItem("banana");
    EXPECT_EQ(lb->Items()[1], "banana");
    int clicks = 0;
    lb->OnClick = [&](TComponent*) { ++clicks; };
    Form->HandleNeeded();
    char buf[64] = {};
    SendMessageA(lb->Handle(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "banana");

    lb->SetItemIndex(2);  // code: no event, no action
    EXPECT_EQ(clicks, 0);
    SendMessageA(lb->Handle(), LB_SETCURSEL, 3, 0);
    SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(lb->Handle()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(lb->Handle()));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(lb->ItemIndex(), 3);
    EXPECT_EQ(Actions, std::vector<std::string>{"List select pear"});
}

// Rule: clicks on buttons and check boxes and typing in edits are reported
// as a person's actions; the same changes made by code are not.
TEST_F(ControlsTest, PersonsActionsAreReportedCodeChangesAreNot) {
    NewForm();
    RecordActions();
    auto* b = Add<TButton>("Btn");
    auto* cb = Add<TCheckBox>("Check");
    auto* e = Add<TEdit>("Edit");
    int changes = 0;
    e->OnChange = [&](TComponent*) { ++changes; };
    Form->HandleNeeded();

    b->SetCaption("Go");
    cb->SetChecked(true);
    e->SetTextValue("abc");
    EXPECT_TRUE(Actions.empty());
    EXPECT_EQ(changes, 1);

    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    SendMessageA(cb->Handle(), BM_CLICK, 0, 0);
    SendMessageA(e->Handle(), EM_SETSEL, 3, 3);
    SendMessageA(e->Handle(), WM_CHAR, 'd', 0);
    EXPECT_EQ(Actions, (std::vector<std::string>{"Btn click", "Check check 0", "Edit text abcd"}));
    EXPECT_EQ(changes, 2);
}

// Rule: a group box holds controls inside its frame: aligned children stay
// below the caption and inside the edge.
TEST_F(ControlsTest, GroupBoxHoldsChildrenInsideItsFrame) {
    NewForm();
    auto* g = Add<TGroupBox>("Group");
    g->SetCaption("Destination Directory");
    g->SetBounds(10, 10, 200, 100);
    auto* inner = Add<TLabel>("Inner", g);
    inner->SetAutoSize(false);
    inner->SetAlign(alClient);
    RECT r = g->ClientBounds();
    EXPECT_GT(r.top, 5);
    EXPECT_TRUE(HasBounds(inner, r.left, r.top, r.right - r.left, r.bottom - r.top));
    EXPECT_LT(inner->Left() + inner->Width(), 200);
    Form->HandleNeeded();
    EXPECT_EQ(GetParent(inner->Handle()), g->Handle());
}

// Rule: a button's kind gives the modal result, Default or Cancel and the
// kind's caption unless the caption was set otherwise.
TEST_F(ControlsTest, BitBtnKindSetsResultDefaultCancelAndCaption) {
    NewForm();
    auto* ok = Add<TBitBtn>("OkBtn");
    ok->SetKind(bkOK);
    EXPECT_EQ(ok->ModalResult, mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->Caption(), "OK");
    auto* cancel = Add<TBitBtn>("CancelBtn");
    cancel->SetCaption("&Stop");
    cancel->SetKind(bkCancel);
    EXPECT_EQ(cancel->ModalResult, mrCancel);
    EXPECT_TRUE(cancel->Cancel);
    EXPECT_EQ(cancel->Caption(), "&Stop");
    ok->SetKind(bkNo);  // the old kind's caption follows the kind
    EXPECT_EQ(ok->Caption(), "&No");
    EXPECT_FALSE(ok->Default());

    cancel->Glyph()->LoadFromBytes(TestBitmapBytes());
    Form->HandleNeeded();
    EXPECT_NE(SendMessageA(cancel->Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(SendMessageA(ok->Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    // Of a glyph holding two pictures the button shows the first.
    cancel->SetNumGlyphs(2);
    BITMAP shown{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(cancel->Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof shown,
               &shown);
    EXPECT_EQ(shown.bmWidth, 2);
    EXPECT_EQ(shown.bmHeight, 2);
    SendMessageA(cancel->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Form->ModalResult, mrCancel);
}

// Rule: a form text using the controls loads: nesting gives the parents,
// aligned panels fill the form, pictures come from their data, radio
// groups build their buttons, references and sub-objects are set.
TEST_F(ControlsTest, FormTextWithTheControlsLoads) {
    NewForm();
    const std::string text =
        "object Page: TForm\n"
        "  ClientWidth = 470\n"
        "  ClientHeight = 368\n"
        "  Font.Charset = 1\n"
        "  Font.Color = 0\n"
        "  Font.Height = -11\n"
        "  Font.Name = 'MS Sans Serif'\n"
        "  Font.Style = []\n"
        "  object Outer: TPanel\n"
        "    Align = alClient\n"
        "    BevelOuter = bvNone\n"
        "    Caption = ''\n"
        "    TabOrder = 0\n"
        "    object Img: TImage\n"
        "      Left = 8\n"
        "      Top = 8\n"
        "      AutoSize = True\n"
        "      Picture.Data = {07544269746D6170" +
        SizedBitmapHex() +
        "}\n"
        "    end\n"
        "    object RG: TRadioGroup\n"
        "      Left = 8\n"
        "      Top = 60\n"
        "      Width = 200\n"
        "      Height = 80\n"
        "      ItemIndex = 1\n"
        "      Items.Strings = (\n"
        "        'Yes'\n"
        "        'No')\n"
        "      TabOrder = 1\n"
        "    end\n"
        "    object Title: TLabel\n"
        "      Height = 100\n"
        "      Align = alTop\n"
        "      Caption = 'Welcome'\n"
        "      Font.Color = 8388608\n"
        "      Layout = tlCenter\n"
        "      Transparent = True\n"
        "      FocusControl = Grid\n"
        "    end\n"
        "    object Grid: TStringGrid\n"
        "      ColCount = 2\n"
        "      DefaultColWidth = 140\n"
        "      DefaultRowHeight = 48\n"
        "      FixedCols = 0\n"
        "      RowCount = 6\n"
        "      FixedRows = 0\n"
        "      Options = [goVertLine, goHorzLine]\n"
        "      ScrollBars = ssVertical\n"
        "    end\n"
        "    object Tree: TTreeView\n"
        "      Indent = 19\n"
        "      ReadOnly = True\n"
        "      HideSelection = False\n"
        "      StateImages = States\n"
        "    end\n"
        "    object Desc: TMemo\n"
        "      Lines.Strings = (\n"
        "        'line one'\n"
        "        'line two')\n"
        "      ReadOnly = True\n"
        "      ScrollBars = ssVertical\n"
        "    end\n"
        "    object Btn: TBitBtn\n"
        "      Kind = bkCancel\n"
        "      Glyph.Data = {" +
        SizedBitmapHex() +
        "}\n"
        "    end\n"
        "    object Box: TGroupBox\n"
        "      Caption = 'Destination Directory'\n"
        "      object Dir: TLabel\n"
        "        Caption = 'C:\\'\n"
        "      end\n"
        "    end\n"
        "    object Tabs: TTabControl\n"
        "      Height = 0\n"
        "      Tabs.Strings = ('One' 'Two')\n"
        "      TabIndex = 1\n"
        "    end\n"
        "    object Clip: TAnimate\n"
        "      CommonAVI = aviNone\n"
        "      FileName = 'missing.avi'\n"
        "      Active = True\n"
        "    end\n"
        "  end\n"
        "  object States: TImageList\n"
        "    Width = 4\n"
        "    Height = 2\n"
        "  end\n"
        "  object Ticker: TTimer\n"
        "    Enabled = False\n"
        "    Interval = 50\n"
        "  end\n"
        "  object Browse: TOpenDialog\n"
        "    Options = [ofHideReadOnly, ofNoValidate]\n"
        "  end\n"
        "end\n";
    ASSERT_NO_THROW(ReadComponentText(text, Form));

    auto* outer = As<TPanel>(Form->FindComponent("Outer"));
    EXPECT_TRUE(HasBounds(outer, 0, 0, 470, 368));
    auto* img = As<TImage>(Form->FindComponent("Img"));
    EXPECT_EQ(img->Parent(), outer);
    EXPECT_TRUE(HasBounds(img, 8, 8, 4, 2));
    EXPECT_EQ(img->Picture()->Bitmap().Pixel(1, 1), kRed);
    auto* rg = As<TRadioGroup>(Form->FindComponent("RG"));
    ASSERT_EQ(rg->ButtonCount(), 2);
    EXPECT_EQ(rg->ItemIndex(), 1);
    EXPECT_TRUE(rg->Buttons(1)->Checked());
    EXPECT_FALSE(rg->Buttons(0)->Checked());
    EXPECT_EQ(rg->Buttons(0)->Caption(), "Yes");
    auto* title = As<TLabel>(Form->FindComponent("Title"));
    EXPECT_EQ(title->Font()->Color(), clNavy);
    EXPECT_EQ(title->FocusControl, Form->FindComponent("Grid"));
    EXPECT_TRUE(HasBounds(title, 0, 0, 470, MeasureText(*title->Font(), "Welcome", 470).cy));
    auto* grid = As<TStringGrid>(Form->FindComponent("Grid"));
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->FixedRows(), 0);
    EXPECT_EQ(grid->Options(), (TGridOptions{goVertLine, goHorzLine}));
    auto* tree = As<TTreeView>(Form->FindComponent("Tree"));
    EXPECT_EQ(tree->StateImages(), Form->FindComponent("States"));
    EXPECT_TRUE(tree->ReadOnly());
    EXPECT_EQ(As<TMemo>(Form->FindComponent("Desc"))->Lines()[1], "line two");
    auto* btn = As<TBitBtn>(Form->FindComponent("Btn"));
    EXPECT_EQ(btn->ModalResult, mrCancel);
    EXPECT_EQ(btn->Glyph()->Width(), 4);
    EXPECT_EQ(As<TLabel>(Form->FindComponent("Dir"))->Parent(), Form->FindComponent("Box"));
    EXPECT_EQ(As<TTabControl>(Form->FindComponent("Tabs"))->TabIndex(), 1);
    EXPECT_FALSE(As<TTimer>(Form->FindComponent("Ticker"))->Running());

    // The whole page gets its windows; the missing clip costs nothing.
    ASSERT_NO_THROW(Form->HandleNeeded());
    EXPECT_FALSE(As<TAnimate>(Form->FindComponent("Clip"))->Opened());
    EXPECT_EQ(WindowText(rg->Buttons(0)->Handle()), "Yes");

    // Written back and read into a new form, it gives the same picture and
    // radio group (the group's buttons are not written).
    const std::string written = WriteComponentText(Form);
    Form->SetName("Written");
    EXPECT_EQ(written.find("TGroupButton"), std::string::npos);
    EXPECT_EQ(written.find("TRadioButton"), std::string::npos);
    auto* again = new TForm(&Application);
    ASSERT_NO_THROW(ReadComponentText(written, again));
    EXPECT_EQ(As<TImage>(again->FindComponent("Img"))->Picture()->Bitmap().SaveToBytes(), TestBitmapBytes());
    EXPECT_EQ(As<TRadioGroup>(again->FindComponent("RG"))->ButtonCount(), 2);
    delete again;
}
