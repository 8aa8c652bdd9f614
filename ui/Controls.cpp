// Controls and containers: window creation, properties pushed to windows,
// fonts, and the window-procedure trampoline of our own window classes.
#include "Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "FileShim.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "Unattended.h"

namespace vtrl {

namespace {

const char* const kControlProp = "VtrlControl";
int gNextId = 100;  // child ids start above IDOK..IDNO so they never collide

// The trampoline of every window of our classes. The object is attached at
// WM_NCCREATE (from CreateWindowEx's parameter) and detached before the
// object destroys the window, so messages before and after go to
// DefWindowProc. A handler's exception is caught here and stored in the
// application: unwinding through the system's window-procedure frames is
// undefined, and the modal loop or Run decides what happens with it.
LRESULT CALLBACK TrampolineProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(LParam);
        auto* c = static_cast<TWinControl*>(cs->lpCreateParams);
        if (c) SetPropA(Wnd, kControlProp, c);
    }
    auto* c = dynamic_cast<TWinControl*>(TControl::FromHandle(Wnd));
    if (!c) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    try {
        return c->Dispatch(Wnd, Msg, WParam, LParam);
    } catch (...) {
        Application.StoreException(std::current_exception());
        return 0;
    }
}

}  // namespace

void RegisterWindowClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    // The common controls (and with them the visual styles) are loaded with
    // the first window rather than imported: a silent run makes none, and
    // loading them costs every program start.
    using TInitCommonControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES |
                                             ICC_TAB_CLASSES | ICC_ANIMATE_CLASS};
    if (HMODULE controls = LoadLibraryA("comctl32.dll"))
        if (auto init = reinterpret_cast<TInitCommonControls>(
                reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControlsEx"))))
            init(&icc);
    for (const char* name : {"VtrlForm", "VtrlPanel"}) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS | (name[4] == 'F' ? CS_HREDRAW | CS_VREDRAW : 0);
        wc.lpfnWndProc = TrampolineProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hIcon = name[4] == 'F' ? LoadIconA(GetModuleHandleA(nullptr), "MAINICON") : nullptr;
        wc.lpszClassName = name;
        RegisterClassExA(&wc);
    }
}

COLORREF ColorToRGB(TColor Color) {
    if (Color < 0) return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color);
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    return s;
}

// ------------------------------------------------------------------ font

VTRL_IMPLEMENT_CLASS(TFont, TPersistent, [](TClassBuilder<TFont>& b) {
    b.Integer("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET)
        .Integer("Color", &TFont::Color, &TFont::SetColor, clBlack)
        .Integer("Height", &TFont::Height, &TFont::SetHeight, -11)
        .String("Name", &TFont::Name, &TFont::SetName)
        .Integer("Size", &TFont::Size, &TFont::SetSize, 8)
        .Set<TFontStyle>("Style", &TFont::Style, &TFont::SetStyle, TFontStyles{});
})

void TFont::Assign(const TFont& o) {
    FName = o.FName;
    FSize = o.FSize;
    FCharset = o.FCharset;
    FStyle = o.FStyle;
    FColor = o.FColor;
    Changed();
}

int TFont::Height() const { return -MulDiv(FSize, 96, 72); }

void TFont::SetHeight(int v) { SetSize(MulDiv(v < 0 ? -v : v, 72, 96)); }

// --------------------------------------------------------------- control

VTRL_IMPLEMENT_CLASS(TControl, TComponent, [](TClassBuilder<TControl>& b) {
    b.Integer("Left", &TControl::Left, &TControl::SetLeft)
        .Integer("Top", &TControl::Top, &TControl::SetTop)
        .Integer("Width", &TControl::Width, &TControl::SetWidth)
        .Integer("Height", &TControl::Height, &TControl::SetHeight)
        .Enum<TAlign>("Align", &TControl::Align, &TControl::SetAlign, alNone)
        .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Object("Font", [](TControl& c) -> TPersistent* { return c.Font(); })
        .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .Integer("TabOrder", &TControl::TabOrder, &TControl::TabOrder, -1)
        .Boolean("TabStop", &TControl::TabStop, &TControl::TabStop, false)
        .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Event("OnClick", &TControl::OnClick);
})

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    DestroyHandle();
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* Value) {
    if (Value == FParent) return;
    for (TWinControl* p = Value; p; p = p->Parent())
        if (p == this) throw Exception("A control cannot be its own parent");
    DestroyHandle();
    if (FParent) FParent->RemoveControl(this);
    if (Value) Value->InsertControl(this);
    if (Value && FParentFont) ParentFontChanged();
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
    auto* p = dynamic_cast<TWinControl*>(Value);
    if (Value && !p) throw Exception(Name() + " cannot be placed in " + Value->Name() + ", which holds no controls");
    SetParent(p);
}

TForm* TControl::GetParentForm() const {
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int l, int t, int w, int h) {
    FLeft = l;
    FTop = t;
    FWidth = w;
    FHeight = h;
    if (FHandle) MoveWindow(FHandle, l, t, w, h, TRUE);
    BoundsChanged();
    RequestParentAlign();
}

void TControl::SetAlign(TAlign Value) {
    if (Value == FAlign) return;
    FAlign = Value;
    if (FParent) FParent->Realign();
}

void TControl::RequestParentAlign() {
    if (FAlign != alNone && FParent && !FParent->FAligning) FParent->Realign();
}

HBRUSH TControl::ControlColor(HDC DC, HBRUSH ParentBrush, TColor ParentColor) {
    SetTextColor(DC, ColorToRGB(FFont.Color()));
    SetBkColor(DC, ColorToRGB(ParentColor));
    return ParentBrush;
}

std::string TControl::GetText() const { return FText; }

void TControl::SetText(const std::string& Value) {
    FText = Value;
    if (FHandle) SetWindowTextA(FHandle, Value.c_str());
}

void TControl::SetVisible(bool Value) {
    bool changed = Value != FVisible;
    FVisible = Value;
    if (FHandle) ShowWindow(FHandle, Value ? SW_SHOWNA : SW_HIDE);
    if (changed && FAlign != alNone && FParent) FParent->Realign();
}

void TControl::SetEnabled(bool Value) {
    FEnabled = Value;
    if (FHandle) EnableWindow(FHandle, Value);
}

void TControl::SetParentFont(bool Value) {
    FParentFont = Value;
    if (Value && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FSettingParentFont = true;
    try {
        FFont.Assign(*FParent->Font());
    } catch (...) {
        FSettingParentFont = false;
        throw;
    }
    FSettingParentFont = false;
}

void TControl::FontChanged() {
    if (!FSettingParentFont) FParentFont = false;
    FFontHandle.Reset();
    if (FHandle) ApplyFont();
}

HFONT TControl::FontHandle() {
    if (!FFontHandle.Get()) {
        HDC dc = GetDC(nullptr);
        int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc) ReleaseDC(nullptr, dc);
        // Negative height: the size is the character height in points,
        // without internal leading, as font dialogs mean it.
        LOGFONTA lf{};
        lf.lfHeight = -MulDiv(FFont.Size(), dpi, 72);
        lf.lfWeight = FFont.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = FFont.Style().Contains(fsItalic);
        lf.lfUnderline = FFont.Style().Contains(fsUnderline);
        lf.lfStrikeOut = FFont.Style().Contains(fsStrikeOut);
        lf.lfCharSet = static_cast<BYTE>(FFont.Charset());
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, FFont.Name().c_str(), LF_FACESIZE);
        FFontHandle = TGdiObject(CreateFontIndirectA(&lf));
    }
    return static_cast<HFONT>(FFontHandle.Get());
}

void TControl::ApplyFont() {
    if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

HWND TControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TControl::HandleNeeded() {
    if (FHandle) return;
    // The parent's creation creates its children, this one included.
    if (FParent) FParent->HandleNeeded();
    if (!FHandle) CreateWnd();
}

TControl* TControl::FromHandle(HWND Wnd) {
    return Wnd ? static_cast<TControl*>(GetPropA(Wnd, kControlProp)) : nullptr;
}

void TControl::CreateParams(TCreateParams& p) {
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FVisible) p.Style |= WS_VISIBLE;
    if (!FEnabled) p.Style |= WS_DISABLED;
    if (FParent) p.WndParent = FParent->Handle();
}

void TControl::CreateWnd() {
    if (!FParent) throw Exception("Control '" + Name() + "' has no parent window");
    RegisterWindowClasses();
    TCreateParams p;
    CreateParams(p);
    HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(gNextId++)) : nullptr;
    HWND h = CreateWindowExA(p.ExStyle, p.ClassName.c_str(), FText.c_str(), p.Style, FLeft, FTop, FWidth, FHeight,
                             p.WndParent, id, GetModuleHandleA(nullptr), this);
    if (!h) throw Exception("Cannot create the window of " + Name() + ": " + SysErrorMessage(GetLastOSError()));
    SetPropA(h, kControlProp, this);
    FHandle = h;
    ApplyFont();
    HandleCreated();
}

void TControl::DetachHandle() {
    if (!FHandle) return;
    SaveWindowState();
    RemovePropA(FHandle, kControlProp);
    FHandle = nullptr;
}

void TControl::DestroyHandle() {
    if (!FHandle) return;
    HWND h = FHandle;
    DetachHandle();
    DestroyWindow(h);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

std::wstring PaintText(const std::string& Text) {
    if (Text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), wide.data(), n);
    return wide;
}

int DrawTextUtf8(HDC DC, const std::string& Text, RECT* Rect, UINT Format) {
    std::wstring wide = PaintText(Text);
    return DrawTextW(DC, wide.c_str(), static_cast<int>(wide.size()), Rect, Format);
}

void TControl::SetFocus() {
    if (FHandle && FVisible && FEnabled) ::SetFocus(FHandle);
}

namespace {
TUserActionObserver& UserActionObserver() {
    static TUserActionObserver observer;
    return observer;
}
}  // namespace

void SetUserActionObserver(TUserActionObserver Observer) { UserActionObserver() = std::move(Observer); }

void NotifyUserAction(TControl& Control, const std::string& Action, const std::string& Value) {
    if (const TUserActionObserver& observer = UserActionObserver()) observer(Control, Action, Value);
}

// ------------------------------------------------------ graphic control

VTRL_IMPLEMENT_CLASS(TGraphicControl, TControl, [](TClassBuilder<TGraphicControl>& b) {
    b.Integer("Color", &TGraphicControl::Color, &TGraphicControl::SetColor, clBtnFace)
        .Boolean("ParentColor", &TGraphicControl::ParentColor, &TGraphicControl::SetParentColor, true);
})

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() { Invalidate(); }

void TGraphicControl::Invalidate() {
    TWinControl* p = Parent();
    if (!p || !p->HandleAllocated() || IsSilent() || FWidth <= 0 || FHeight <= 0) return;
    RECT r = BoundsRect();
    InvalidateRect(p->Handle(), &r, TRUE);
}

void TGraphicControl::Repaint() {
    Invalidate();
    if (TWinControl* p = Parent(); p && p->HandleAllocated() && !IsSilent()) UpdateWindow(p->Handle());
}

void TGraphicControl::SetBounds(int l, int t, int w, int h) {
    if (l == FLeft && t == FTop && w == FWidth && h == FHeight) return;
    Invalidate();
    TControl::SetBounds(l, t, w, h);
    Invalidate();
}

void TGraphicControl::SetText(const std::string& Value) {
    if (Value == FText) return;
    TControl::SetText(Value);
    Invalidate();
}

void TGraphicControl::SetVisible(bool Value) {
    if (Value == FVisible) return;
    // Hidden: the area it covered is painted without it.
    Invalidate();
    TControl::SetVisible(Value);
    Invalidate();
}

void TGraphicControl::SetEnabled(bool Value) {
    TControl::SetEnabled(Value);
    Invalidate();
}

void TGraphicControl::FontChanged() {
    TControl::FontChanged();
    Invalidate();
}

TColor TGraphicControl::Color() const {
    if (FParentColor && Parent()) return Parent()->Color();
    return FColor;
}

void TGraphicControl::SetColor(TColor Value) {
    FParentColor = false;
    if (Value == FColor) return;
    FColor = Value;
    Invalidate();
}

void TGraphicControl::SetParentColor(bool Value) {
    if (Value == FParentColor) return;
    // Taking the parent's colour keeps it as the own colour too, so turning
    // ParentColor off again shows no change.
    if (Value && Parent()) FColor = Parent()->Color();
    FParentColor = Value;
    Invalidate();
}

// ------------------------------------------------------------ container

VTRL_IMPLEMENT_CLASS(TWinControl, TControl, [](TClassBuilder<TWinControl>& b) {
    b.Integer("Color", &TWinControl::Color, &TWinControl::SetColor, clBtnFace);
})

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { FOurClass = true; }

TWinControl::~TWinControl() {
    // Our window goes first (taking the child windows with it), then the
    // children are left without parent; their owner destroys them.
    DestroyHandle();
    for (TControl* c : FControls) c->FParent = nullptr;
    FControls.clear();
}

void TWinControl::InsertControl(TControl* C) {
    FControls.push_back(C);
    C->FParent = this;
    if (C->FAlign != alNone) Realign();
    if (FHandle) C->HandleNeeded();
}

void TWinControl::RemoveControl(TControl* C) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), C), FControls.end());
    C->FParent = nullptr;
    if (C->FAlign != alNone && !ComponentState.Contains(csDestroying)) Realign();
}

RECT TWinControl::ClientBounds() const {
    RECT r{0, 0, FWidth, FHeight};
    if (FHandle) GetClientRect(FHandle, &r);
    else if (auto* f = dynamic_cast<const TForm*>(this)) r = RECT{0, 0, f->ClientWidth(), f->ClientHeight()};
    return r;
}

void TWinControl::Realign() {
    if (FAligning) return;
    FAligning = true;
    try {
        RECT r = ClientBounds();
        auto place = [](TControl* c, LONG l, LONG t, LONG w, LONG h) {
            c->SetBounds(l, t, std::max<LONG>(w, 0), std::max<LONG>(h, 0));
        };
        for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
            for (TControl* c : FControls) {
                if (c->FAlign != kind || !c->FVisible) continue;
                const LONG w = r.right - r.left, h = r.bottom - r.top;
                switch (kind) {
                case alTop:
                    place(c, r.left, r.top, w, c->FHeight);
                    r.top = std::min(r.bottom, r.top + c->FHeight);
                    break;
                case alBottom:
                    place(c, r.left, r.bottom - c->FHeight, w, c->FHeight);
                    r.bottom = std::max(r.top, r.bottom - c->FHeight);
                    break;
                case alLeft:
                    place(c, r.left, r.top, c->FWidth, h);
                    r.left = std::min(r.right, r.left + c->FWidth);
                    break;
                case alRight:
                    place(c, r.right - c->FWidth, r.top, c->FWidth, h);
                    r.right = std::max(r.left, r.right - c->FWidth);
                    break;
                default: place(c, r.left, r.top, w, h); break;
                }
            }
        }
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

void TWinControl::SetColor(TColor Value) {
    FColor = Value;
    FBrush.Reset();
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

HBRUSH TWinControl::BackgroundBrush() {
    if (!FBrush.Get()) FBrush = TGdiObject(CreateSolidBrush(ColorToRGB(FColor)));
    return static_cast<HBRUSH>(FBrush.Get());
}

void TWinControl::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "VtrlPanel";
    p.Style |= WS_CLIPCHILDREN;
    p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TWinControl::CreateWnd() {
    TControl::CreateWnd();
    for (TControl* c : FControls) c->HandleNeeded();
}

void TWinControl::DetachHandle() {
    for (TControl* c : FControls) c->DetachHandle();
    TControl::DetachHandle();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : FControls) c->ParentFontChanged();
}

void TWinControl::PaintBackground(HDC DC) {
    RECT r;
    GetClientRect(FHandle, &r);
    FillRect(DC, &r, BackgroundBrush());
}

bool TWinControl::HasGraphicControls() const {
    return std::any_of(FControls.begin(), FControls.end(),
                       [](TControl* c) { return dynamic_cast<TGraphicControl*>(c) != nullptr; });
}

void TWinControl::PaintControls(HDC DC) {
    RECT clip;
    if (GetClipBox(DC, &clip) == ERROR) return;
    // A copy: a control's painting must not see the list change under it.
    const std::vector<TControl*> controls = FControls;
    for (TControl* c : controls) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible() || g->Width() <= 0 || g->Height() <= 0) continue;
        RECT bounds = g->BoundsRect(), meet;
        if (!IntersectRect(&meet, &bounds, &clip)) continue;
        // Each control gets the DC as the parent had it: clip region,
        // origin and selected objects are put back after it painted.
        const int saved = SaveDC(DC);
        IntersectClipRect(DC, bounds.left, bounds.top, bounds.right, bounds.bottom);
        POINT origin;
        OffsetViewportOrgEx(DC, bounds.left, bounds.top, &origin);
        struct TRestore {
            HDC D;
            int S;
            ~TRestore() { RestoreDC(D, S); }
        } restore{DC, saved};
        g->Paint(DC);
    }
}

TGraphicControl* TWinControl::GraphicControlAt(int X, int Y) const {
    const POINT pt{X, Y};
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        auto* g = dynamic_cast<TGraphicControl*>(*it);
        const RECT r = g ? g->BoundsRect() : RECT{};
        if (g && g->Visible() && g->Enabled() && PtInRect(&r, pt)) return g;
    }
    return nullptr;
}

LRESULT TWinControl::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_COMMAND: {
        TControl* c = FromHandle(reinterpret_cast<HWND>(LParam));
        if (LParam && c) c->Command(HIWORD(WParam));
        else if (!LParam || LOWORD(WParam) == IDOK || LOWORD(WParam) == IDCANCEL) DialogCommand(LOWORD(WParam));
        return 0;
    }
    case WM_NOTIFY:
    case WM_DRAWITEM: {
        bool handled = false;
        LRESULT result = ChildMessage(Msg, WParam, LParam, handled);
        if (handled) return result;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Labels, check boxes and radio buttons paint on their parent's
        // colour instead of the system's dialog colour, in their font's
        // colour.
        HDC dc = reinterpret_cast<HDC>(WParam);
        if (TControl* c = FromHandle(reinterpret_cast<HWND>(LParam)))
            return reinterpret_cast<LRESULT>(c->ControlColor(dc, BackgroundBrush(), FColor));
        SetBkColor(dc, ColorToRGB(FColor));
        return reinterpret_cast<LRESULT>(BackgroundBrush());
    }
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(WParam));
        return 1;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        // A graphic control has no window to receive its clicks: the
        // parent hands them on.
        if (TGraphicControl* g = GraphicControlAt(static_cast<short>(LOWORD(LParam)),
                                                  static_cast<short>(HIWORD(LParam)))) {
            if (Msg == WM_LBUTTONUP) {
                NotifyUserAction(*g, "click");
                g->Click();
            } else {
                g->DblClick();
            }
            return 0;
        }
        break;
    case WM_PAINT:
        // The background was erased by BeginPaint; the graphic children go
        // on it. Without any, the default validates the window.
        if (HasGraphicControls()) {
            PaintWith([this](HDC dc) { PaintControls(dc); });
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (Screen.Cursor() != crDefault) {
            ::SetCursor(Screen.CursorHandle());
            return TRUE;
        }
        break;
    case WM_SIZE:
        if (FHandle && !IsIconic(FHandle)) {
            RECT r;
            GetWindowRect(FHandle, &r);
            FWidth = r.right - r.left;
            FHeight = r.bottom - r.top;
            BoundsChanged();
        }
        break;
    }
    return DefWindowProcA(FHandle, Msg, WParam, LParam);
}

// Notifications and owner drawing are sent to the parent; the control that
// sent them answers.
LRESULT TWinControl::ChildMessage(UINT Msg, WPARAM, LPARAM LParam, bool& Handled) {
    LRESULT result = 0;
    if (Msg == WM_NOTIFY) {
        auto* h = reinterpret_cast<NMHDR*>(LParam);
        if (TControl* c = h ? FromHandle(h->hwndFrom) : nullptr) Handled = c->Notify(*h, result);
    } else {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
        if (TControl* c = d ? FromHandle(d->hwndItem) : nullptr) Handled = c->DrawItem(*d);
        result = Handled;
    }
    return result;
}

}  // namespace vtrl
