// Pictures, radio groups and timers.
#include "ExtCtrls.h"

#include <map>

#include "Forms.h"
#include "ResponseFile.h"

namespace vtrl {

// ------------------------------------------------------------------ image

VTRL_IMPLEMENT_CLASS(TImage, TControl, [](TClassBuilder<TImage>& b) {
    b.Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
        .Boolean("Center", &TImage::Center, &TImage::SetCenter, false)
        .Object("Picture", [](TImage& c) -> TPersistent* { return c.Picture(); })
        .Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);
})

TImage::TImage(TComponent* AOwner) : TControl(AOwner) {
    FWidth = 105;
    FHeight = 105;
    FPicture.OnChange = [this] { PictureChanged(); };
}

void TImage::CreateParams(TCreateParams& p) {
    TControl::CreateParams(p);
    p.ClassName = "STATIC";
    p.Style |= SS_OWNERDRAW | SS_NOTIFY;
}

void TImage::PictureChanged() {
    if (FAutoSize && !FPicture.Bitmap().Empty() && !Reading())
        SetBounds(FLeft, FTop, FPicture.Width(), FPicture.Height());
    if (HandleAllocated()) InvalidateRect(FHandle, nullptr, TRUE);
}

void TImage::SetCenter(bool v) {
    FCenter = v;
    PictureChanged();
}

void TImage::SetStretch(bool v) {
    FStretch = v;
    PictureChanged();
}

void TImage::SetTransparent(bool v) {
    FTransparent = v;
    PictureChanged();
}

void TImage::SetAutoSize(bool v) {
    FAutoSize = v;
    PictureChanged();
}

void TImage::Loaded() {
    TControl::Loaded();
    if (FAutoSize && !FPicture.Bitmap().Empty()) SetBounds(FLeft, FTop, FPicture.Width(), FPicture.Height());
}

void TImage::PaintTo(HDC DC) {
    RECT r{0, 0, FWidth, FHeight};
    TGdiObject back(CreateSolidBrush(ColorToRGB(Parent() ? Parent()->Color() : clBtnFace)));
    FillRect(DC, &r, static_cast<HBRUSH>(back.Get()));
    const TBitmap& b = FPicture.Bitmap();
    if (b.Empty()) return;
    if (FStretch) {
        b.StretchDraw(DC, r);
        return;
    }
    int x = FCenter ? (FWidth - b.Width()) / 2 : 0;
    int y = FCenter ? (FHeight - b.Height()) / 2 : 0;
    if (FTransparent) b.DrawTransparent(DC, x, y, b.Pixel(0, b.Height() - 1));
    else b.Draw(DC, x, y);
}

bool TImage::DrawItem(DRAWITEMSTRUCT& Item) {
    PaintTo(Item.hDC);
    return true;
}

void TImage::Command(WORD NotifyCode) {
    if (NotifyCode == STN_CLICKED) Click();
}

// ------------------------------------------------------------ radio group

// A radio button of a radio group: tells the group when a person clicks it.
class TGroupButton : public TRadioButton {
public:
    TGroupButton(TRadioGroup* Group) : TRadioButton(Group), FGroup(Group) {}

protected:
    void Command(WORD NotifyCode) override {
        if (NotifyCode != BN_CLICKED) return;
        for (int i = 0; i < FGroup->ButtonCount(); ++i)
            if (FGroup->Buttons(i) == this) NotifyUserAction(*FGroup, "select", std::to_string(i));
        FGroup->ButtonClicked(this);
    }

private:
    TRadioGroup* FGroup;
};

VTRL_IMPLEMENT_CLASS(TRadioGroup, TGroupBox, [](TClassBuilder<TRadioGroup>& b) {
    b.Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns, 1)
        .Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex, -1)
        .Strings("Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
})

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner) {}

TRadioGroup::~TRadioGroup() {
    // The buttons are owned (and destroyed) by the group as components.
    FButtons.clear();
}

void TRadioGroup::SetItems(const TStringList& Value) {
    FItems = Value;
    if (!Reading() && FItemIndex >= FItems.Count()) FItemIndex = -1;
    UpdateButtons();
}

void TRadioGroup::SetItemText(int Index, const std::string& Text) {
    FItems[Index] = Text;  // raises for an index out of range
    FButtons.at(Index)->SetCaption(Text);
}

void TRadioGroup::SetItemIndex(int Value) {
    // While a definition is read, Items may come after ItemIndex; the range
    // is checked when loading ends.
    FItemIndex = Reading() || (Value >= 0 && Value < FItems.Count()) ? Value : -1;
    if (Reading()) return;
    for (int i = 0; i < ButtonCount(); ++i)
        if (i != FItemIndex) FButtons[i]->SetChecked(false);
    if (FItemIndex >= 0) FButtons[FItemIndex]->SetChecked(true);
}

void TRadioGroup::SetColumns(int Value) {
    FColumns = Value < 1 ? 1 : Value;
    ArrangeButtons();
}

void TRadioGroup::ClickItem(int Index) {
    SetItemIndex(Index);
    Click();
}

void TRadioGroup::SetEnabled(bool Value) {
    TGroupBox::SetEnabled(Value);
    for (TRadioButton* b : FButtons) b->SetEnabled(Value);
}

void TRadioGroup::ButtonClicked(TRadioButton* Button) {
    for (int i = 0; i < ButtonCount(); ++i)
        if (FButtons[i] == Button) ClickItem(i);
}

void TRadioGroup::UpdateButtons() {
    while (ButtonCount() > FItems.Count()) {
        delete FButtons.back();
        FButtons.pop_back();
    }
    while (ButtonCount() < FItems.Count()) {
        auto* b = new TGroupButton(this);
        b->SetParent(this);
        FButtons.push_back(b);
    }
    for (int i = 0; i < ButtonCount(); ++i) {
        if (FButtons[i]->Caption() != FItems[i]) FButtons[i]->SetCaption(FItems[i]);
        FButtons[i]->SetEnabled(Enabled());
    }
    ArrangeButtons();
    if (!Reading()) SetItemIndex(FItemIndex);
}

// Columns side by side, the items running down each column first; the
// buttons share the height below the caption.
void TRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    const int th = MeasureText(*Font(), "0", 0).cy;
    const int n = ButtonCount();
    const int perColumn = (n + FColumns - 1) / FColumns;
    const int width = (FWidth - 10) / FColumns;
    const int space = FHeight - th - 5;
    const int height = space / perColumn;
    const int top = th + 1 + (space % perColumn) / 2;
    for (int i = 0; i < n; ++i)
        FButtons[i]->SetBounds(i / perColumn * width + 8, i % perColumn * height + top, width, height);
}

void TRadioGroup::BoundsChanged() {
    TGroupBox::BoundsChanged();
    ArrangeButtons();
}

void TRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TRadioGroup::Loaded() {
    TGroupBox::Loaded();
    ArrangeButtons();
    SetItemIndex(FItemIndex);
}

// ------------------------------------------------------------------ timer

namespace {
std::map<UINT_PTR, TTimer*>& RunningTimers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
}  // namespace

VTRL_IMPLEMENT_CLASS(TTimer, TComponent, [](TClassBuilder<TTimer>& b) {
    b.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
        .Event("OnTimer", &TTimer::OnTimer);
})

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() { StopTimer(); }

void TTimer::SetEnabled(bool Value) {
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(int Value) {
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::StopTimer() {
    if (!FId) return;
    KillTimer(nullptr, FId);
    RunningTimers().erase(FId);
    FId = 0;
}

void TTimer::UpdateTimer() {
    StopTimer();
    if (!FEnabled || FInterval <= 0 || !OnTimer || ComponentState.Contains(csReading)) return;
    FId = SetTimer(nullptr, 0, static_cast<UINT>(FInterval), &TTimer::TimerProc);
    if (!FId) throw Exception("Not enough timers are available for " + Name());
    RunningTimers()[FId] = this;
}

// Runs from DispatchMessage: an exception must not unwind through it.
void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR Id, DWORD) {
    auto it = RunningTimers().find(Id);
    if (it == RunningTimers().end()) return;
    try {
        TTimer* t = it->second;
        if (t->OnTimer) t->OnTimer(t);
    } catch (...) {
        Application.StoreException(std::current_exception());
    }
}

// ------------------------------------------------------------ response files

namespace {
// What a response file's "select" does to these controls: what a person's
// choice does, with its events.
const bool RadioGroupActionRegistered = [] {
    // A radio group's item by its text or #index; a bare number, as
    // recordings write the item, when no item has that text.
    RegisterControlAction(TRadioGroup::StaticClass(), "select", [](TControl& c, const std::string& v) {
        auto& group = static_cast<TRadioGroup&>(c);
        int i = FindResponseItem(group.Items(), v);
        int64_t n = -1;
        if (i < 0 && TryStrToInt(v, n) && n >= 0 && n < group.Items().Count()) i = static_cast<int>(n);
        if (i < 0) throw ENoSuchValue("the radio group " + c.Name() + " has no item " + v);
        group.ClickItem(i);
    });
    return true;
}();
}  // namespace

}  // namespace vtrl
