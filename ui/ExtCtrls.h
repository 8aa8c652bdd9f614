// Further controls of the pages: pictures, radio groups built from a list
// of items, and timers.
#pragma once

#include <memory>

#include "Graphics.h"
#include "StdCtrls.h"

namespace vtrl {

// A picture (STATIC, owner-drawn). Center centres it, Stretch stretches it
// over the control, Transparent leaves out the pixels of the picture's
// bottom-left colour, AutoSize sizes the control to the picture.
class TImage : public TControl {
    VTRL_CLASS(TImage)
public:
    explicit TImage(TComponent* AOwner);
    TPicture* Picture() { return &FPicture; }
    const TPicture* Picture() const { return &FPicture; }
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    // Draws the picture into DC as the control shows it, in a client area
    // of Width x Height (the paint of the window uses it).
    void PaintTo(HDC DC);

protected:
    void CreateParams(TCreateParams& Params) override;
    bool DrawItem(DRAWITEMSTRUCT& Item) override;
    void Command(WORD NotifyCode) override;
    void Loaded() override;

private:
    void PictureChanged();
    TPicture FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// A group box with one radio button per line of Items, laid out in Columns
// columns, of which ItemIndex is checked (-1: none). The buttons belong to
// the group (not to the form), so they are neither written nor found by
// name. A person's click on a button, or ClickItem, checks it and fires
// OnClick.
class TRadioGroup : public TGroupBox {
    VTRL_CLASS(TRadioGroup)
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;
    const TStringList& Items() const { return FItems; }
    // Takes the new lines: the buttons follow (captions of the existing ones
    // change, buttons are added or removed). ItemIndex is kept when still in
    // range, else -1.
    void SetItems(const TStringList& Value);
    // Changes one line and its button's caption.
    void SetItemText(int Index, const std::string& Text);
    int ItemIndex() const { return FItemIndex; }
    // Checks the item's button (out of range: none). Fires nothing.
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    // At least 1.
    void SetColumns(int Value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TRadioButton* Buttons(int i) const { return FButtons.at(i); }
    // Selects the item as a person's click does: checks it and fires
    // OnClick.
    void ClickItem(int Index);
    // Enables or disables the buttons with the group.
    void SetEnabled(bool Value) override;

protected:
    void BoundsChanged() override;
    void FontChanged() override;
    void Loaded() override;

private:
    friend class TGroupButton;
    void ButtonClicked(TRadioButton* Button);
    void UpdateButtons();
    void ArrangeButtons();
    TStringList FItems;
    int FItemIndex = -1;
    int FColumns = 1;
    std::vector<TRadioButton*> FButtons;
};

// Fires OnTimer every Interval milliseconds while Enabled (and Interval > 0
// and OnTimer is set). Thread timer messages drive it, so it runs in any
// message loop of the thread, modal loops included; no window is needed.
// An exception from OnTimer is handed to the application like one from a
// window procedure.
class TTimer : public TComponent {
    VTRL_CLASS(TTimer)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Interval() const { return FInterval; }
    void SetInterval(int Value);
    TNotifyEvent OnTimer;
    // Starts or stops the system timer after OnTimer was assigned in code.
    void UpdateTimer();
    bool Running() const { return FId != 0; }

protected:
    void Loaded() override;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR Id, DWORD);
    void StopTimer();
    bool FEnabled = true;
    int FInterval = 1000;
    UINT_PTR FId = 0;
};

}  // namespace vtrl
