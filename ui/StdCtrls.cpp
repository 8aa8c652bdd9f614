// The standard controls: window classes, styles and the state each keeps.
#include "StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "Forms.h"
#include "Unattended.h"

namespace vtrl {

SIZE MeasureText(const TFont& Font, const std::string& Text, int Width) {
    // A silent run shows nothing, so nothing needs measuring; the screen's
    // device would start the display side of Windows for nothing.
    if (IsSilent()) return SIZE{Width, 13};
    HDC dc = GetDC(nullptr);
    if (!dc) return SIZE{Width, 13};
    // The controls create their fonts at the screen's resolution; measure
    // with the same height.
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(Font.Size(), GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfWeight = Font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = Font.Style().Contains(fsItalic);
    lf.lfUnderline = Font.Style().Contains(fsUnderline);
    lf.lfCharSet = static_cast<BYTE>(Font.Charset());
    lstrcpynA(lf.lfFaceName, Font.Name().c_str(), LF_FACESIZE);
    TGdiObject font(CreateFontIndirectA(&lf));
    HGDIOBJ old = SelectObject(dc, font.Get());
    // An empty text still takes one line, as the label shows it.
    std::string text = Text.empty() ? std::string(" ") : Text;
    RECT r{0, 0, Width > 0 ? Width : 0, 0};
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | (Width > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextUtf8(dc, text, &r, flags);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// ------------------------------------------------------------------ label

VTRL_IMPLEMENT_CLASS(TLabel, TControl, [](TClassBuilder<TLabel>& b) {
    b.Enum<TAlignment>("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify)
        .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
        .String("Caption", &TLabel::Caption, &TLabel::SetCaption)
        .Reference<TControl>("FocusControl", &TLabel::FocusControl, &TLabel::FocusControl)
        .Enum<TTextLayout>("Layout", &TLabel::Layout, &TLabel::Layout, tlTop)
        .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false)
        .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, true);
})

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 65;
    FHeight = 13;
}

void TLabel::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "STATIC";
    // SS_NOPREFIX is left out: "&" marks a mnemonic as in every caption.
    if (FAlignment == taCenter) p.Style |= SS_CENTER;
    else if (FAlignment == taRightJustify) p.Style |= SS_RIGHT;
    else p.Style |= FWordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

void TLabel::Recreate() {
    if (HandleAllocated() && Parent()) {
        DestroyHandle();
        HandleNeeded();
    }
}

void TLabel::SetAlignment(TAlignment v) {
    FAlignment = v;
    Recreate();
}

void TLabel::SetWordWrap(bool v) {
    FWordWrap = v;
    Recreate();
    AdjustBounds();
}

void TLabel::SetText(const std::string& Value) {
    TControl::SetText(Value);
    if (FTransparent && HandleAllocated() && Parent() && Parent()->HandleAllocated()) {
        // The old text stays on the parent's background unless it repaints.
        RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
        InvalidateRect(Parent()->Handle(), &r, TRUE);
    }
    AdjustBounds();
}

void TLabel::SetAutoSize(bool v) {
    FAutoSize = v;
    AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
    FTransparent = v;
    if (HandleAllocated()) InvalidateRect(FHandle, nullptr, TRUE);
}

void TLabel::FontChanged() {
    TControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustBounds();
}

void TLabel::BoundsChanged() {
    TControl::BoundsChanged();
    if (FAutoSize && FWordWrap && FWidth != FMeasuredWidth) AdjustBounds();
}

void TLabel::AdjustBounds() {
    // While a definition is read, the caption, font and width may come in
    // any order; Loaded fits the label once they are all set.
    if (!FAutoSize || Reading()) return;
    FMeasuredWidth = FWidth;
    SIZE s = MeasureText(*Font(), FText, FWordWrap ? FWidth : 0);
    if (FWordWrap) SetBounds(FLeft, FTop, FWidth, s.cy);
    else SetBounds(FLeft, FTop, s.cx, s.cy);
}

HBRUSH TLabel::ControlColor(HDC DC, HBRUSH ParentBrush, TColor ParentColor) {
    HBRUSH b = TControl::ControlColor(DC, ParentBrush, ParentColor);
    if (!FTransparent) return b;
    SetBkMode(DC, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// ----------------------------------------------------------------- button

VTRL_IMPLEMENT_CLASS(TButton, TControl, [](TClassBuilder<TButton>& b) {
    b.Boolean("Cancel", &TButton::Cancel, &TButton::Cancel, false)
        .String("Caption", &TButton::Caption, &TButton::SetCaption)
        .Boolean("Default", &TButton::Default, &TButton::SetDefault, false)
        .Integer("ModalResult", &TButton::ModalResult, &TButton::ModalResult, 0);
})

TButton::TButton(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 75;
    FHeight = 25;
}

void TButton::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "BUTTON";
    p.Style |= WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool v) {
    FDefault = v;
    if (HandleAllocated()) SendMessageA(FHandle, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (ModalResult != mrNone)
        if (TForm* f = GetParentForm()) f->ModalResult = ModalResult;
    TControl::Click();
}

void TButton::Command(WORD NotifyCode) {
    if (NotifyCode != BN_CLICKED) return;
    NotifyUserAction(*this, "click");
    Click();
}

// ------------------------------------------------- check box, radio button

VTRL_IMPLEMENT_CLASS(TButtonControl, TControl, [](TClassBuilder<TButtonControl>& b) {
    b.String("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption)
        .Boolean("Checked", &TButtonControl::Checked, &TButtonControl::SetChecked, false);
})

bool TButtonControl::Checked() const {
    if (FHandle) return SendMessageA(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return FChecked;
}

void TButtonControl::SetChecked(bool Value) {
    FChecked = Value;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TButtonControl::HandleCreated() { SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

void TButtonControl::SaveWindowState() { FChecked = Checked(); }

void TButtonControl::Command(WORD NotifyCode) {
    if (NotifyCode == BN_CLICKED) {
        FChecked = Checked();
        NotifyUserAction(*this, "check", FChecked ? "1" : "0");
        Click();
    }
}

VTRL_IMPLEMENT_CLASS(TCheckBox, TButtonControl, [](TClassBuilder<TCheckBox>&) {})

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    FWidth = 97;
    FHeight = 17;
}

void TCheckBox::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "BUTTON";
    p.Style |= WS_TABSTOP | BS_AUTOCHECKBOX;
}

VTRL_IMPLEMENT_CLASS(TRadioButton, TButtonControl, [](TClassBuilder<TRadioButton>&) {})

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "BUTTON";
    // BS_RADIOBUTTON, not the automatic kind: the automatic kind unchecks
    // by window order and group styles, which definitions do not set; the
    // siblings are unchecked here instead.
    p.Style |= WS_TABSTOP | BS_RADIOBUTTON;
}

void TRadioButton::SetChecked(bool Value) {
    TButtonControl::SetChecked(Value);
    if (!Value || !Parent() || Loading()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); r && r != this && r->Checked())
            r->TButtonControl::SetChecked(false);
}

void TRadioButton::Command(WORD NotifyCode) {
    if (NotifyCode == BN_CLICKED) {
        SetChecked(true);
        NotifyUserAction(*this, "check", "1");
        Click();
    }
}

// ------------------------------------------------------------------- edit

VTRL_IMPLEMENT_CLASS(TEdit, TControl, [](TClassBuilder<TEdit>& b) {
    b.Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly, false)
        .String("Text", &TEdit::Text, &TEdit::SetTextValue)
        .Event("OnChange", &TEdit::OnChange);
})

TEdit::TEdit(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 121;
    FHeight = 21;
}

void TEdit::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "EDIT";
    p.Style |= WS_TABSTOP | ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

std::string TEdit::GetText() const {
    if (!FHandle) return FText;
    int n = GetWindowTextLengthA(FHandle);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(FHandle, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void TEdit::SaveWindowState() { FText = GetText(); }

void TEdit::SetText(const std::string& Value) {
    // EN_CHANGE arrives while the text is set; the flag tells it from typing.
    FSettingText = true;
    try {
        TControl::SetText(Value);
    } catch (...) {
        FSettingText = false;
        throw;
    }
    FSettingText = false;
}

void TEdit::SetReadOnly(bool v) {
    FReadOnly = v;
    if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, v, 0);
}

void TEdit::Command(WORD NotifyCode) {
    if (NotifyCode != EN_CHANGE) return;
    if (!FSettingText) NotifyUserAction(*this, "text", GetText());
    if (OnChange) OnChange(this);
}

// ------------------------------------------------------------------- memo

VTRL_IMPLEMENT_CLASS(TMemo, TControl, [](TClassBuilder<TMemo>& b) {
    b.Strings("Lines", &TMemo::Lines, &TMemo::SetLines)
        .Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly, false)
        .Enum<TScrollStyle>("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars, ssNone)
        .Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true)
        .Event("OnChange", &TMemo::OnChange);
})

TMemo::TMemo(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 185;
    FHeight = 89;
}

void TMemo::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "EDIT";
    p.Style |= WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | (FReadOnly ? ES_READONLY : 0);
    if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

const TStringList& TMemo::Lines() const {
    if (FHandle) {
        int n = GetWindowTextLengthA(FHandle);
        std::string s(static_cast<size_t>(n) + 1, '\0');
        n = GetWindowTextA(FHandle, s.data(), n + 1);
        s.resize(static_cast<size_t>(n));
        FLines.SetText(s);
    }
    return FLines;
}

void TMemo::SetLines(const TStringList& v) {
    FLines = v;
    FText = FLines.Text();
    // A final line break would show an empty last line.
    if (FText.size() >= 2) FText.resize(FText.size() - 2);
    FSettingText = true;
    if (FHandle) SetWindowTextA(FHandle, FText.c_str());
    FSettingText = false;
}

void TMemo::SaveWindowState() { Lines(); }

void TMemo::Recreate() {
    if (HandleAllocated() && Parent()) {
        DestroyHandle();
        SetLines(FLines);
        HandleNeeded();
    }
}

void TMemo::SetReadOnly(bool v) {
    FReadOnly = v;
    if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, v, 0);
}

void TMemo::SetScrollBars(TScrollStyle v) {
    FScrollBars = v;
    Recreate();
}

void TMemo::SetWordWrap(bool v) {
    FWordWrap = v;
    Recreate();
}

void TMemo::Command(WORD NotifyCode) {
    if (NotifyCode != EN_CHANGE) return;
    if (!FSettingText) NotifyUserAction(*this, "text", Lines().Text());
    if (OnChange) OnChange(this);
}

// --------------------------------------------------------------- list box

VTRL_IMPLEMENT_CLASS(TListBox, TControl, [](TClassBuilder<TListBox>& b) {
    b.Strings("Items", &TListBox::Items, &TListBox::SetItems)
        .Boolean("Sorted", &TListBox::Sorted, &TListBox::SetSorted, false);
})

TListBox::TListBox(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 121;
    FHeight = 97;
}

void TListBox::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "LISTBOX";
    p.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::SetItems(const TStringList& v) {
    FItems = v;
    ItemsChanged();
}

void TListBox::AddItem(const std::string& Line) {
    FItems.Add(Line);
    if (FSorted) ItemsChanged();
    else if (FHandle) SendMessageA(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Line.c_str()));
}

// The object keeps the window's order, so the window is filled unsorted
// from the sorted list (LBS_SORT would compare by locale and could differ).
void TListBox::Sort() {
    std::stable_sort(FItems.Strings.begin(), FItems.Strings.end(),
                     [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
}

void TListBox::SetSorted(bool Value) {
    FSorted = Value;
    ItemsChanged();
}

void TListBox::ItemsChanged() {
    if (FSorted) Sort();
    if (!FHandle) return;
    SendMessageA(FHandle, LB_RESETCONTENT, 0, 0);
    HandleCreated();
}

void TListBox::HandleCreated() {
    for (const std::string& s : FItems.Strings)
        SendMessageA(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

int TListBox::ItemIndex() const {
    if (FHandle) return static_cast<int>(SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
    return FItemIndex;
}

void TListBox::SetItemIndex(int Value) {
    FItemIndex = Value >= 0 && Value < FItems.Count() ? Value : -1;
    if (FHandle) SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TListBox::SaveWindowState() { FItemIndex = ItemIndex(); }

void TListBox::Command(WORD NotifyCode) {
    if (NotifyCode == LBN_SELCHANGE) {
        FItemIndex = ItemIndex();
        NotifyUserAction(*this, "select", FItemIndex >= 0 && FItemIndex < FItems.Count() ? FItems[FItemIndex] : "");
        Click();
    }
}

// ----------------------------------------------------------- progress bar

VTRL_IMPLEMENT_CLASS(TProgressBar, TControl, [](TClassBuilder<TProgressBar>& b) {
    b.Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax, 100)
        .Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin, 0)
        .Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition, 0);
})

TProgressBar::TProgressBar(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 150;
    FHeight = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = PROGRESS_CLASSA;
}

void TProgressBar::HandleCreated() {
    SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetMin(int v) {
    FMin = v;
    if (FHandle) HandleCreated();
}

void TProgressBar::SetMax(int v) {
    FMax = v;
    if (FHandle) HandleCreated();
}

void TProgressBar::SetPosition(int v) {
    // While loading, Min and Max may follow Position in the text.
    FPosition = Loading() ? v : std::max(FMin, std::min(FMax, v));
    if (FHandle) SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

// ------------------------------------------------------------------ panel

VTRL_IMPLEMENT_CLASS(TPanel, TWinControl, [](TClassBuilder<TPanel>& b) {
    b.Enum<TBevelCut>("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter, bvRaised)
        .String("Caption", &TPanel::Caption, &TPanel::SetCaption);
})

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 185;
    FHeight = 41;
}

void TPanel::SetCaption(const std::string& v) {
    SetText(v);
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TPanel::SetBevelOuter(TBevelCut v) {
    FBevelOuter = v;
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

LRESULT TPanel::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg != WM_PAINT) return TWinControl::WndProc(Msg, WParam, LParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    RECT r;
    GetClientRect(FHandle, &r);
    if (FBevelOuter != bvNone) DrawEdge(dc, &r, FBevelOuter == bvRaised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER, BF_RECT);
    if (!FText.empty()) {
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, FontHandle());
        DrawTextUtf8(dc, FText, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
    }
    PaintControls(dc);
    EndPaint(FHandle, &ps);
    return 0;
}

// -------------------------------------------------------------- group box

VTRL_IMPLEMENT_CLASS(TGroupBox, TWinControl, [](TClassBuilder<TGroupBox>& b) {
    b.String("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
})

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 185;
    FHeight = 105;
}

void TGroupBox::SetCaption(const std::string& v) {
    SetText(v);
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

RECT TGroupBox::ClientBounds() const {
    RECT r = TWinControl::ClientBounds();
    r.top += MeasureText(*Font(), "0", 0).cy + 2;
    InflateRect(&r, -2, 0);
    r.bottom -= 2;
    if (r.bottom < r.top) r.bottom = r.top;
    if (r.right < r.left) r.right = r.left;
    return r;
}

void TGroupBox::Paint(HDC dc) {
    RECT r;
    GetClientRect(FHandle, &r);
    HGDIOBJ old = SelectObject(dc, FontHandle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    r.top += tm.tmHeight / 2;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    if (!FText.empty()) {
        RECT t{8, 0, r.right - 8, tm.tmHeight};
        DrawTextUtf8(dc, FText, &t, DT_SINGLELINE | DT_CALCRECT);
        t.left -= 2;
        t.right += 2;
        FillRect(dc, &t, BackgroundBrush());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(FEnabled ? Font()->Color() : static_cast<TColor>(0x80000000u | COLOR_GRAYTEXT)));
        t.left += 2;
        DrawTextUtf8(dc, FText, &t, DT_SINGLELINE);
    }
    SelectObject(dc, old);
}

LRESULT TGroupBox::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg != WM_PAINT) return TWinControl::WndProc(Msg, WParam, LParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    Paint(dc);
    PaintControls(dc);
    EndPaint(FHandle, &ps);
    return 0;
}

// ------------------------------------------------------------------ bevel

VTRL_IMPLEMENT_CLASS(TBevel, TControl, [](TClassBuilder<TBevel>& b) {
    b.Enum<TBevelShape>("Shape", &TBevel::Shape, &TBevel::SetShape, bsBox);
})

TBevel::TBevel(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 50;
    FHeight = 50;
}

void TBevel::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "STATIC";
    switch (FShape) {
    case bsTopLine:
    case bsBottomLine: p.Style |= SS_ETCHEDHORZ; break;
    case bsLeftLine:
    case bsRightLine: p.Style |= SS_ETCHEDVERT; break;
    default: p.Style |= SS_ETCHEDFRAME; break;
    }
}

void TBevel::SetShape(TBevelShape v) {
    FShape = v;
    if (HandleAllocated() && Parent()) {
        DestroyHandle();
        HandleNeeded();
    }
}

}  // namespace vtrl
