// Buttons with a glyph and a kind.
#include "Buttons.h"

#include <algorithm>

namespace vtrl {

VTRL_IMPLEMENT_CLASS(TBitBtn, TButton, [](TClassBuilder<TBitBtn>& b) {
    b.Object("Glyph", [](TBitBtn& c) -> TPersistent* { return c.Glyph(); })
        .Enum<TBitBtnKind>("Kind", &TBitBtn::Kind, &TBitBtn::SetKind, bkCustom)
        .Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, 1);
})

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
    FGlyph.OnChange = [this] { GlyphChanged(); };
}

std::string TBitBtn::KindCaption(TBitBtnKind Kind) {
    switch (Kind) {
    case bkOK: return "OK";
    case bkCancel: return "Cancel";
    case bkHelp: return "&Help";
    case bkYes: return "&Yes";
    case bkNo: return "&No";
    case bkClose: return "&Close";
    case bkAbort: return "Abort";
    case bkRetry: return "&Retry";
    case bkIgnore: return "&Ignore";
    case bkAll: return "&All";
    default: return "";
    }
}

void TBitBtn::SetKind(TBitBtnKind Value) {
    const std::string old = KindCaption(FKind);
    FKind = Value;
    if (Value == bkCustom) return;
    static const int results[] = {mrNone, mrOk, mrCancel, mrNone, mrYes, mrNo, mrNone, mrAbort, mrRetry, mrIgnore,
                                  mrNone};
    ModalResult = results[Value];
    // mrAll has no dialog command; the "all" kind answers with 8 as the
    // form designer's kind does.
    if (Value == bkAll) ModalResult = 8;
    SetDefault(Value == bkOK || Value == bkYes);
    Cancel = Value == bkCancel || Value == bkNo;
    if (FText.empty() || FText == old) SetCaption(KindCaption(Value));
}

void TBitBtn::SetNumGlyphs(int Value) {
    FNumGlyphs = Value < 1 ? 1 : Value > 4 ? 4 : Value;
    GlyphChanged();
}

void TBitBtn::GlyphChanged() {
    FImage.Reset();
    if (HandleAllocated()) HandleCreated();
}

// The glyph goes to the button with BM_SETIMAGE, which the version 6 button
// draws left of the caption. Its transparent pixels are painted in the
// button face colour beforehand: the button copies the bitmap as it is.
void TBitBtn::HandleCreated() {
    if (FGlyph.Empty()) {
        SendMessageA(FHandle, BM_SETIMAGE, IMAGE_BITMAP, 0);
        return;
    }
    if (!FImage.Get()) {
        const int w = std::max(1, FGlyph.Width() / FNumGlyphs), h = FGlyph.Height();
        HDC screen = GetDC(nullptr);
        HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bmp);
        RECT r{0, 0, w, h};
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        FGlyph.DrawTransparent(dc, 0, 0, FGlyph.Pixel(0, h - 1));  // the first picture; the others fall outside
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        FImage = TGdiObject(bmp);
    }
    SendMessageA(FHandle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(FImage.Get()));
}

}  // namespace vtrl
