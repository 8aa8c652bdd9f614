// Tests of radio groups, timers, images and the open-file dialog.
#include "ExtCtrls.h"

#include <commdlg.h>

#include "Controls_test.h"
#include "FileDialogs.h"

using namespace vtrl;
using namespace vtrl::testing;

namespace {
std::string WindowText(HWND h) {
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}
}  // namespace

// Rule: the buttons follow the items: a changed line changes its button's
// caption (in the window too), fewer lines remove buttons, and an item
// index out of the new range becomes -1.
TEST_F(ControlsTest, RadioGroupButtonsFollowTheItems) {
    NewForm();
    auto* rg = Add<TRadioGroup>("RG");
    rg->SetItems(TStringList{"Yes", "No", "Maybe"});
    ASSERT_EQ(rg->ButtonCount(), 3);
    rg->SetItemIndex(2);
    EXPECT_TRUE(rg->Buttons(2)->Checked());
    Form->HandleNeeded();
    EXPECT_EQ(SendMessageA(rg->Buttons(2)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    rg->SetItemText(0, "Ja");
    EXPECT_EQ(rg->Items()[0], "Ja");
    EXPECT_EQ(WindowText(rg->Buttons(0)->Handle()), "Ja");
    TStringList items = rg->Items();
    items[1] = "Nein";
    rg->SetItems(items);
    EXPECT_EQ(WindowText(rg->Buttons(1)->Handle()), "Nein");
    EXPECT_EQ(rg->ItemIndex(), 2);

    rg->SetItems(TStringList{"Ja", "Nein"});
    EXPECT_EQ(rg->ButtonCount(), 2);
    EXPECT_EQ(rg->ItemIndex(), -1);
    EXPECT_FALSE(rg->Buttons(0)->Checked());
    EXPECT_FALSE(rg->Buttons(1)->Checked());
    rg->SetItemIndex(1);
    rg->SetItemIndex(0);
    EXPECT_TRUE(rg->Buttons(0)->Checked());
    EXPECT_FALSE(rg->Buttons(1)->Checked());
    // The buttons are the group's, not the form's.
    EXPECT_EQ(rg->Buttons(0)->Owner(), rg);
}

// Rule: items run down each column first; the columns share the width.
TEST_F(ControlsTest, RadioGroupColumns) {
    NewForm();
    auto* rg = Add<TRadioGroup>("RG");
    rg->SetBounds(0, 0, 210, 100);
    rg->SetColumns(2);
    rg->SetItems(TStringList{"a", "b", "c"});
    EXPECT_EQ(rg->Buttons(0)->Left(), rg->Buttons(1)->Left());
    EXPECT_GT(rg->Buttons(1)->Top(), rg->Buttons(0)->Top());
    EXPECT_EQ(rg->Buttons(2)->Left(), 8 + 100);
    EXPECT_EQ(rg->Buttons(2)->Top(), rg->Buttons(0)->Top());
    EXPECT_EQ(rg->Buttons(0)->Width(), 100);
    EXPECT_LE(rg->Buttons(1)->Top() + rg->Buttons(1)->Height(), 100);
}

// Rule: ClickItem and a person's click both check the item and fire
// OnClick; only the person's click is reported as an action; setting
// ItemIndex fires nothing.
TEST_F(ControlsTest, RadioGroupClicks) {
    NewForm();
    RecordActions();
    auto* rg = Add<TRadioGroup>("RG");
    rg->SetItems(TStringList{"Yes", "No"});
    std::vector<int> seen;
    rg->OnClick = [&](TComponent*) { seen.push_back(rg->ItemIndex()); };
    rg->SetItemIndex(1);
    EXPECT_TRUE(seen.empty());
    rg->ClickItem(0);
    EXPECT_EQ(seen, std::vector<int>{0});
    EXPECT_TRUE(Actions.empty());

    Form->HandleNeeded();
    SendMessageA(rg->Buttons(1)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    EXPECT_EQ(rg->ItemIndex(), 1);
    EXPECT_EQ(SendMessageA(rg->Buttons(0)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Actions, std::vector<std::string>{"RG select 1"});
}

// Rule: an enabled timer with an interval and a handler fires inside a
// modal loop; one without any of them does not run; what its handler
// raises comes out of the loop.
TEST_F(ControlsTest, TimerFiresInsideModalLoop) {
    NewForm();
    auto* timer = new TTimer(Form);
    EXPECT_FALSE(timer->Running());  // no handler yet
    int ticks = 0;
    timer->OnTimer = [&](TComponent*) {
        if (++ticks == 3) Form->ModalResult = mrOk;
    };
    timer->SetInterval(10);
    EXPECT_TRUE(timer->Running());
    EXPECT_EQ(Form->ShowModal(), mrOk);
    EXPECT_EQ(ticks, 3);

    timer->SetEnabled(false);
    EXPECT_FALSE(timer->Running());
    timer->SetEnabled(true);
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());

    timer->OnTimer = [](TComponent*) { throw Exception("tick failed"); };
    timer->SetInterval(10);
    try {
        Form->ShowModal();
        FAIL() << "the handler's exception was lost";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "tick failed");
    }
    delete timer;
    EXPECT_FALSE(Form->Visible());
}

// Rule: an image sizes itself to its picture when AutoSize, and paints it
// centred, stretched, or with the bottom-left colour left out.
TEST_F(ControlsTest, ImagePaintsItsPicture) {
    NewForm();
    Form->SetColor(clWhite);
    auto* img = Add<TImage>("Img");
    img->SetBounds(0, 0, 10, 10);
    img->Picture()->SetData(TestBitmapBytes());
    EXPECT_EQ(img->Width(), 10);
    img->SetAutoSize(true);
    EXPECT_EQ(img->Width(), 4);
    EXPECT_EQ(img->Height(), 2);
    img->SetAutoSize(false);
    img->SetBounds(0, 0, 10, 10);
    img->SetCenter(true);
    img->SetTransparent(true);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 10, 10);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    img->PaintTo(dc);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 0)), clWhite);  // the parent's colour
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 4, 4)), clBlack);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 3, 5)), clWhite);  // olive, left out
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 4, 5)), kRed);
    img->SetStretch(true);
    img->PaintTo(dc);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 9, 9)), static_cast<TColor>(0xFF0000));  // blue, bottom right
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

// Rule: in a silent run the open dialog shows nothing and answers false,
// leaving the file name; filters and options reach Windows' form.
TEST_F(ControlsTest, OpenDialogSilentAndItsArguments) {
    SetSilent(true);
    TOpenDialog d(nullptr);
    d.FileName = "C:\\old.txt";
    d.Filter = "Text|*.txt|All|*.*";
    d.Options = TOpenOptions{ofFileMustExist, ofNoValidate};
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(d.FileName, "C:\\old.txt");
    EXPECT_EQ(d.FilterText(), std::string("Text\0*.txt\0All\0*.*\0\0", 20));
    EXPECT_EQ(d.OptionFlags(), static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_NOVALIDATE | OFN_EXPLORER));
}
