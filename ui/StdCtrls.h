// The standard controls the pages use: labels, buttons, check boxes, radio
// buttons, edits, memos, list boxes, progress bars, panels, group boxes and
// bevels, each one child window of a system class (our own class for
// panels and group boxes).
#pragma once

#include "Controls.h"

namespace vtrl {

VTRL_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
VTRL_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)

// The extent of Text drawn in Font: one line, or wrapped at Width when
// Width > 0. An empty text measures as one line. Uses the screen's device
// context, so it needs no window.
SIZE MeasureText(const TFont& Font, const std::string& Text, int Width);

// A text (STATIC). Word-wrapped unless WordWrap is false.
// AutoSize (the default) fits the bounds to the text when the caption, the
// font or the wrapping changes: an unwrapped label takes the text's width
// and height; a wrapped one keeps its width and takes the height.
class TLabel : public TControl {
    VTRL_CLASS(TLabel)
public:
    explicit TLabel(TComponent* AOwner);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    void SetText(const std::string& Value) override;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // Drawn on the parent's background instead of a filled one.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Accepted from definitions; the text is drawn at the top.
    TTextLayout Layout = tlTop;
    // The control a mnemonic of the caption leads to (kept, not acted on).
    TControl* FocusControl = nullptr;
    // Fits the bounds to the text now (when AutoSize).
    void AdjustBounds();

protected:
    void CreateParams(TCreateParams& Params) override;
    void FontChanged() override;
    void Loaded() override;
    // A wrapped label whose width changed (an aligned one, say) takes the
    // height of its lines at the new width.
    void BoundsChanged() override;
    HBRUSH ControlColor(HDC DC, HBRUSH ParentBrush, TColor ParentColor) override;

private:
    void Recreate();
    int FMeasuredWidth = -1;
    TAlignment FAlignment = taLeftJustify;
    bool FWordWrap = true;
    bool FAutoSize = true;
    bool FTransparent = false;
};

// A push button (BUTTON). A click fires OnClick and, when ModalResult is
// not mrNone, sets its form's ModalResult first, which ends a modal form.
// Default: pressed by Enter; Cancel: pressed by Esc.
class TButton : public TControl {
    VTRL_CLASS(TButton)
public:
    explicit TButton(TComponent* AOwner);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    int ModalResult = 0;
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel = false;
    void Click() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // A click from the window: reported as the person's action, then Click.
    void Command(WORD NotifyCode) override;

private:
    bool FDefault = false;
};

// Common base of check boxes and radio buttons: a BUTTON with a check mark.
class TButtonControl : public TControl {
    VTRL_CLASS(TButtonControl)
public:
    explicit TButtonControl(TComponent* AOwner) : TControl(AOwner) {}
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    // Reads the window's check mark when it exists (the user may have
    // changed it).
    bool Checked() const;
    virtual void SetChecked(bool Value);

protected:
    void HandleCreated() override;
    void SaveWindowState() override;
    void Command(WORD NotifyCode) override;
    bool FChecked = false;
};

class TCheckBox : public TButtonControl {
    VTRL_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
};

// A radio button. Checking one unchecks the other radio buttons of the same
// parent.
class TRadioButton : public TButtonControl {
    VTRL_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* AOwner);
    void SetChecked(bool Value) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Command(WORD NotifyCode) override;
};

// A one-line text input (EDIT). Text reads the window when it exists.
// OnChange fires for every change of the window's text; only typing is
// reported as the person's action.
class TEdit : public TControl {
    VTRL_CLASS(TEdit)
public:
    explicit TEdit(TComponent* AOwner);
    std::string Text() const { return GetText(); }
    void SetTextValue(const std::string& v) { SetText(v); }
    std::string GetText() const override;
    void SetText(const std::string& Value) override;
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void SaveWindowState() override;
    void Command(WORD NotifyCode) override;

private:
    bool FReadOnly = false;
    bool FSettingText = false;
};

// A multi-line text (EDIT with ES_MULTILINE). Lines reads the window when it
// exists (the person may have typed).
class TMemo : public TControl {
    VTRL_CLASS(TMemo)
public:
    explicit TMemo(TComponent* AOwner);
    const TStringList& Lines() const;
    void SetLines(const TStringList& v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void SaveWindowState() override;
    void Command(WORD NotifyCode) override;

private:
    void Recreate();
    mutable TStringList FLines;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FSettingText = false;
};

// A list of lines to choose from (LISTBOX). Items is the object's list;
// after changing it call ItemsChanged to refill the window. A Sorted list
// keeps its items in alphabetical order (without regard to case), in the
// object as in the window. A person's choice fires OnClick.
class TListBox : public TControl {
    VTRL_CLASS(TListBox)
public:
    explicit TListBox(TComponent* AOwner);
    const TStringList& Items() const { return FItems; }
    void SetItems(const TStringList& v);
    void AddItem(const std::string& Line);
    void ItemsChanged();
    // The selected line (-1: none); reads the window when it exists.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void SaveWindowState() override;
    void Command(WORD NotifyCode) override;

private:
    void Sort();
    TStringList FItems;
    int FItemIndex = -1;
    bool FSorted = false;
};

// A progress bar (msctls_progress32) from Min to Max at Position.
class TProgressBar : public TControl {
    VTRL_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* AOwner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    void SetMin(int v);
    void SetMax(int v);
    // Clamped to Min..Max.
    void SetPosition(int v);

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;

private:
    int FMin = 0, FMax = 100, FPosition = 0;
};

VTRL_ENUM(TBevelCut, bvNone, bvLowered, bvRaised)

// A container with an optional caption and a raised or lowered edge.
class TPanel : public TWinControl {
    VTRL_CLASS(TPanel)
public:
    explicit TPanel(TComponent* AOwner);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    TBevelCut FBevelOuter = bvRaised;
};

// A captioned frame holding other controls. Our own window class draws the
// etched frame and caption, so the children's notifications reach our
// window procedure (a BUTTON group box would swallow them).
class TGroupBox : public TWinControl {
    VTRL_CLASS(TGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v);
    // Inside the frame, below the caption.
    RECT ClientBounds() const override;

protected:
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void Paint(HDC DC);
};

VTRL_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine)

// A drawn frame or line (STATIC with an etched style).
class TBevel : public TControl {
    VTRL_CLASS(TBevel)
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TBevelShape FShape = bsBox;
};

}  // namespace vtrl
