// The base of every window object: one real Win32 window per control, with
// position, text, visibility, font and the parent that holds it; and the
// containers (forms, panels) whose window procedure is ours.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "TypInfo.h"

namespace vtrl {

class TWinControl;
class TGraphicControl;
class TForm;

// Colours: an RGB value 0x00BBGGRR, or a system colour 0x80000000 + index.
using TColor = int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNavy = 0x800000;
constexpr TColor clBtnFace = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);
constexpr TColor clWindow = static_cast<TColor>(0x80000000u | COLOR_WINDOW);
// The RGB value of a colour (system colours resolved now).
COLORREF ColorToRGB(TColor Color);

// Modal results; the values are Windows' dialog-box command identifiers.
enum TModalResult : int {
    mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
    mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO
};

VTRL_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
VTRL_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)

// The keys and mouse buttons held during a key or mouse event.
VTRL_ENUM(TShiftStateFlag, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = TSet<TShiftStateFlag>;
// The shift keys held now (for key messages).
TShiftState KeyboardShiftState();

// Where a container places a child: along one of its edges (in that kind's
// creation order, top ones first, then bottom, left, right), or in what
// remains (alClient); alNone keeps the child's own bounds.
VTRL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)

// A control's font: name, size in points, character set, style and text
// colour. Owned by its control; a change calls OnChange (the control
// rebuilds its GDI font).
class TFont : public TPersistent {
    VTRL_CLASS(TFont)
public:
    TFont() = default;
    const std::string& Name() const { return FName; }
    void SetName(const std::string& v) { FName = v; Changed(); }
    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; Changed(); }
    int Charset() const { return FCharset; }  // DEFAULT_CHARSET, ANSI_CHARSET ...
    void SetCharset(int v) { FCharset = v; Changed(); }
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v) { FStyle = v; Changed(); }
    // The size as a pixel height at 96 dots per inch, negative (the
    // character height without internal leading). Setting it sets Size to
    // |Height| * 72 / 96, rounded; Size stays what is stored.
    int Height() const;
    void SetHeight(int v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; Changed(); }
    // Copies name, size, character set, style and colour (one change notice).
    void Assign(const TFont& Other);
    bool operator==(const TFont& o) const {
        return FName == o.FName && FSize == o.FSize && FCharset == o.FCharset && FStyle == o.FStyle &&
               FColor == o.FColor;
    }
    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    std::string FName = "MS Sans Serif";
    int FSize = 8;
    int FCharset = DEFAULT_CHARSET;
    TFontStyles FStyle;
    TColor FColor = clBlack;
};

// Owner of one GDI object (font or brush): deletes it with itself.
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(HGDIOBJ h) : H(h) {}
    TGdiObject(TGdiObject&& o) noexcept : H(o.H) { o.H = nullptr; }
    TGdiObject& operator=(TGdiObject&& o) noexcept {
        if (this != &o) {
            Reset();
            H = o.H;
            o.H = nullptr;
        }
        return *this;
    }
    ~TGdiObject() { Reset(); }
    void Reset() {
        if (H) DeleteObject(H);
        H = nullptr;
    }
    HGDIOBJ Get() const { return H; }

private:
    HGDIOBJ H = nullptr;
};

// A control: one child window of a system class (or, for containers, of
// our own class). Properties are kept in the object and pushed to the
// window when it exists, so a definition may set them before any window is
// created; the window is created when the form needs it (HandleNeeded).
class TControl : public TComponent {
    VTRL_CLASS(TControl)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    // Moves the control into Value (null: out of any container). The window,
    // if it exists, is recreated under the new parent.
    virtual void SetParent(TWinControl* Value);
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    // The form this control is on (itself for a form), or null.
    TForm* GetParentForm() const;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Placement by the parent (see TAlign); a change lays out the parent's
    // aligned children again.
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    // Accepted from definitions and kept; the dialog navigation follows the
    // creation order of the windows.
    int TabOrder = -1;
    bool TabStop = false;

    // The window text (Caption of labels, buttons and forms, Text of edits).
    virtual std::string GetText() const;
    virtual void SetText(const std::string& Value);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    // True: the control takes its parent's font (and follows its changes).
    // Changing the font sets it to false.
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    // The window; created (with the parents' windows) when missing. Raises
    // Exception with the Windows error text when creation fails.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // The control that owns this window, or null for a foreign window.
    static TControl* FromHandle(HWND Wnd);

    // What a click does: fires OnClick. Buttons also set a modal result.
    virtual void Click();
    // Gives the control the keyboard focus when its window exists (a silent
    // run has none: nothing happens).
    void SetFocus();
    TNotifyEvent OnClick;

protected:
    friend class TWinControl;
    struct TCreateParams {
        std::string ClassName;
        DWORD Style = 0;
        DWORD ExStyle = 0;
        HWND WndParent = nullptr;
    };
    // Window class and styles of this control; the base gives WS_CHILD,
    // WS_VISIBLE when visible, WS_DISABLED when disabled.
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    // Pushes state the window class keeps (items, ranges, check marks)
    // into a new window; called after creation and font setup.
    virtual void HandleCreated() {}
    // Reads back what the window changed (edit text, selection) before the
    // window goes away.
    virtual void SaveWindowState() {}
    // Forgets the window without destroying it (its parent's destruction
    // takes it down).
    virtual void DetachHandle();
    void DestroyHandle();
    // A WM_COMMAND notification that the parent received from this control.
    virtual void Command(WORD NotifyCode) {}
    // A WM_NOTIFY that the parent received from this control; true when
    // handled, with the answer in Result.
    virtual bool Notify(NMHDR& /*Header*/, LRESULT& /*Result*/) { return false; }
    // WM_DRAWITEM for an owner-drawn control; true when drawn.
    virtual bool DrawItem(DRAWITEMSTRUCT& /*Item*/) { return false; }
    // WM_CTLCOLOR*: prepares DC for the control's text and returns the
    // background brush. The default takes the font colour and the parent's
    // background.
    virtual HBRUSH ControlColor(HDC DC, HBRUSH ParentBrush, TColor ParentColor);
    // After the bounds changed: set by code (stored and pushed to the
    // window), or, for our own window classes, by the window (WM_SIZE).
    virtual void BoundsChanged() {}
    // Lays out the parent again when this control is aligned.
    void RequestParentAlign();
    // A definition is setting the properties now (csReading): they may come
    // in any order, so checks across properties wait for Loaded.
    bool Reading() const { return ComponentState.Contains(csReading); }
    // Applies the current font to the window.
    void ApplyFont();
    virtual void FontChanged();
    void ParentFontChanged();
    HFONT FontHandle();
    bool IsWindowClassOurs() const { return FOurClass; }

    HWND FHandle = nullptr;
    bool FOurClass = false;  // our window procedure (containers)
    std::string FText;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = alNone;

private:
    TWinControl* FParent = nullptr;
    TFont FFont;
    bool FParentFont = true;
    bool FSettingParentFont = false;
    TGdiObject FFontHandle;
};

// A control that holds others and runs our window procedure: forms and
// panels. Exceptions raised by handlers never cross this window procedure:
// the trampoline catches them and hands them to the application (see
// TApplication::StoreException).
class TWinControl : public TControl {
    VTRL_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(i); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

    // Places the aligned children in the client area: alTop ones first
    // (each at the top of what is left, full width, own height), then
    // alBottom, alLeft, alRight (own width), and alClient ones take the
    // rest; each kind in creation order; hidden children are skipped and
    // sizes never go below 0. Works from the stored bounds, so also
    // without windows.
    void Realign();
    // The client area: the window's when it exists, else computed from the
    // stored size.
    virtual RECT ClientBounds() const;

    // Handles one message; the default handles command notifications,
    // control colours, background and cursor. Returns DefWindowProc's
    // answer for what it does not handle.
    virtual LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Entry from the trampoline: remembers the window (messages arrive
    // before CreateWindowEx returns it) and calls WndProc.
    LRESULT Dispatch(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
        if (!FHandle) FHandle = Wnd;
        return WndProc(Msg, WParam, LParam);
    }

protected:
    friend class TControl;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DetachHandle() override;
    void FontChanged() override;
    void BoundsChanged() override { Realign(); }
    void Loaded() override;
    void InsertControl(TControl* C);
    void RemoveControl(TControl* C);
    HBRUSH BackgroundBrush();
    virtual void PaintBackground(HDC DC);
    // Paints the visible graphic (windowless) children that meet the clip
    // box of DC, in insertion order, each clipped to its bounds. Every
    // WM_PAINT of a container calls it after its own drawing.
    void PaintControls(HDC DC);
    bool HasGraphicControls() const;
    // Answers WM_PAINT: Body draws on the paint DC, which is released on
    // every path.
    template <class F>
    void PaintWith(F&& Body) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FHandle, &ps);
        struct TEnd {
            HWND W;
            PAINTSTRUCT* P;
            ~TEnd() { EndPaint(W, P); }
        } end{FHandle, &ps};
        Body(dc);
    }
    // The topmost visible, enabled graphic child at X, Y of the client
    // area, or null: the one that a click there is for.
    TGraphicControl* GraphicControlAt(int X, int Y) const;
    // Command IDOK / IDCANCEL without a control (Enter and Esc in the
    // dialog navigation); forms press their default and cancel buttons.
    virtual void DialogCommand(WORD Id) {}

    TColor FColor = clBtnFace;

private:
    LRESULT ChildMessage(UINT Msg, WPARAM WParam, LPARAM LParam, bool& Handled);
    std::vector<TControl*> FControls;
    TGdiObject FBrush;
    bool FAligning = false;
};

// A control without a window of its own (a gradient, a drawn caption): its
// parent paints it in its own WM_PAINT, after the parent's background and
// in the order the children were inserted, clipped to the control's bounds
// and with the origin at its top left. The parent's windowed children are
// never painted over (the parent clips them away). Changes that show ask
// the parent to repaint the control's area.
class TGraphicControl : public TControl {
    VTRL_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetText(const std::string& Value) override;
    void SetVisible(bool Value) override;
    void SetEnabled(bool Value) override;

    // The colour the control fills with, where it fills at all. While
    // ParentColor is true it is the parent's colour; setting a colour sets
    // ParentColor to false.
    TColor Color() const;
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);

    // Asks the parent's window to repaint the control's area (nothing
    // without a parent window or in a silent run).
    void Invalidate();
    // Invalidate, and the parent paints at once.
    void Repaint();
    // The control's bounds in its parent's client area.
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    // Draws the control into DC: the origin is the control's top left and
    // nothing outside its Width x Height shows.
    virtual void Paint(HDC DC) = 0;
    // A double click on the control (its parent's window received it).
    virtual void DblClick() {}

protected:
    // No window: the parent paints the control.
    void CreateWnd() override {}
    void FontChanged() override;
    // The GDI font of the control's font (owned by the control).
    HFONT GraphicFontHandle() { return FontHandle(); }

private:
    TColor FColor = clBtnFace;
    bool FParentColor = true;
};

// Text drawn by our own painting. GDI's and DrawText's "A" forms read the
// bytes in the code page of the selected font's character set, not in the
// process's (UTF-8) one, so painting code converts the text itself and
// calls the "W" forms with it.
std::wstring PaintText(const std::string& Text);
int DrawTextUtf8(HDC DC, const std::string& Text, RECT* Rect, UINT Format);

// Registers our window classes ("VtrlForm", "VtrlPanel") and loads and
// starts the common controls, once; the first window creation calls it.
void RegisterWindowClasses();

// What a person does to a control, reported by the controls when the window
// tells them (a click, a chosen item or cell, typed text), never when code
// changes them: the recorder of response files listens. Action is one word
// ("click", "select", "text", "check", "toggle"); Value is the item, cell,
// node path or text chosen, empty for a click.
using TUserActionObserver = std::function<void(TControl& Control, const std::string& Action, const std::string& Value)>;
void SetUserActionObserver(TUserActionObserver Observer);
// Called by the controls; does nothing without an observer.
void NotifyUserAction(TControl& Control, const std::string& Action, const std::string& Value = {});

}  // namespace vtrl
