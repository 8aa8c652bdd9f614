// The standard controls the pages use: labels, buttons, check boxes, radio
// buttons, edits, list boxes, progress bars, panels and bevels, each one
// child window of a system class (our own class for panels).
#pragma once

#include "Controls.h"

namespace vtrl {

// A text (STATIC). Word-wrapped unless WordWrap is false.
class TLabel : public TControl {
    VTRL_CLASS(TLabel)
public:
    explicit TLabel(TComponent* AOwner);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    void Recreate();
    TAlignment FAlignment = taLeftJustify;
    bool FWordWrap = true;
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
class TEdit : public TControl {
    VTRL_CLASS(TEdit)
public:
    explicit TEdit(TComponent* AOwner);
    std::string Text() const { return GetText(); }
    void SetTextValue(const std::string& v) { SetText(v); }
    std::string GetText() const override;
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void SaveWindowState() override;
    void Command(WORD NotifyCode) override;

private:
    bool FReadOnly = false;
};

// A list of lines to choose from (LISTBOX). Items is the object's list;
// after changing it call ItemsChanged to refill the window.
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

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void SaveWindowState() override;
    void Command(WORD NotifyCode) override;

private:
    TStringList FItems;
    int FItemIndex = -1;
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
