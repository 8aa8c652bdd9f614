// Forms, the screen cursor, and the application's message loop.
#include "Forms.h"

#include <algorithm>

#include "Dialogs.h"
#include "ResponseFile.h"
#include "Screenshot.h"
#include "StdCtrls.h"
#include "Unattended.h"

namespace vtrl {

TScreen Screen;
TApplication Application;

namespace {
// Posted to a form when it has been activated (or, in a silent run, shown);
// OnActivate runs when it arrives, outside the system's activation
// handling, so a handler may show modal forms and run long work.
constexpr UINT WM_VTRL_ACTIVATE = WM_APP + 0x101;
// Posted to a modal form of a visible run with a response file: answer the
// form now that it is shown. Posted, never sent, so the loop keeps
// painting and the answer comes after the showing.
constexpr UINT WM_VTRL_ANSWER = WM_APP + 0x102;
// One showing answered more often than this is going round in circles
// (pages whose default answers lead back to each other).
constexpr int kMaxAnswers = 10000;
}  // namespace

// ----------------------------------------------------------------- screen

void TScreen::SetCursor(TCursor Value) {
    FCursor = Value;
    // A silent run touches no display: under Wine the first cursor, window
    // or screen query starts the desktop process, a tenth of a second.
    if (!IsSilent()) ::SetCursor(CursorHandle());
}

HCURSOR TScreen::CursorHandle() const {
    switch (FCursor) {
    case crHourGlass: return LoadCursorA(nullptr, IDC_WAIT);
    default: return LoadCursorA(nullptr, IDC_ARROW);
    }
}

// ------------------------------------------------------------------- form

VTRL_IMPLEMENT_CLASS(TForm, TWinControl, [](TClassBuilder<TForm>& b) {
    b.Enum<TFormBorderStyle>("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle, bsSizeable)
        .String("Caption", &TForm::Caption, &TForm::SetCaption)
        .Integer("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
        .Integer("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
        .Set<TBorderIcon>("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons,
                          TBorderIcons{biSystemMenu, biMinimize, biMaximize})
        .Enum<TFormStyle>("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle, fsNormal)
        .Enum<TPosition>("Position", &TForm::Position, &TForm::SetPosition, poDesigned)
        .Boolean("Visible", &TForm::Visible, &TForm::SetVisible, false)
        .Enum<TWindowState>("WindowState", &TForm::WindowState, &TForm::SetWindowState, wsNormal)
        .Event("OnActivate", &TForm::OnActivate)
        .Event("OnClose", &TForm::OnClose)
        .Event("OnPaint", &TForm::OnPaint)
        .Event("OnShow", &TForm::OnShow);
})

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    FVisible = false;
    FWidth = 320;
    FHeight = 240;
    FHost = dynamic_cast<TForm*>(AOwner);
    if (FHost) {
        FBorderStyle = bsNone;
        FWidth = FHost->ClientWidth();
        FHeight = FHost->ClientHeight();
    }
    Application.FForms.push_back(this);
}

TForm::~TForm() {
    RecordFormGone(this);
    // Owned forms go after this destructor: they must not reach back.
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TForm*>(Components(i)); f && f->FHost == this) f->FHost = nullptr;
    if (FHost && FHost->FActiveEmbedded == this) FHost->FActiveEmbedded = nullptr;
    auto& f = Application.FForms;
    f.erase(std::remove(f.begin(), f.end(), this), f.end());
    if (Application.FMainForm == this) Application.FMainForm = nullptr;
    if (Screen.FActiveForm == this) Screen.FActiveForm = nullptr;
}

namespace {
DWORD BorderStyleBits(TFormBorderStyle b) {
    switch (b) {
    case bsNone: return WS_POPUP;
    case bsSingle: return WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER;
    case bsDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    case bsToolWindow: return WS_CAPTION | WS_SYSMENU;
    default: return WS_OVERLAPPEDWINDOW;
    }
}
DWORD BorderExStyleBits(TFormBorderStyle b) {
    switch (b) {
    case bsDialog: return WS_EX_DLGMODALFRAME;
    case bsToolWindow: return WS_EX_TOOLWINDOW;
    default: return 0;
    }
}
}  // namespace

void TForm::CreateParams(TCreateParams& p) {
    p.ClassName = "VtrlForm";
    p.Style = BorderStyleBits(FBorderStyle) | WS_CLIPCHILDREN;
    if (!FBorderIcons.Contains(biSystemMenu)) p.Style &= ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    if (!FBorderIcons.Contains(biMinimize)) p.Style &= ~WS_MINIMIZEBOX;
    if (!FBorderIcons.Contains(biMaximize)) p.Style &= ~WS_MAXIMIZEBOX;
    p.ExStyle = BorderExStyleBits(FBorderStyle) | WS_EX_CONTROLPARENT;
    if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (!FEnabled) p.Style |= WS_DISABLED;
    if (FHost) {
        // No caption and no border, whatever BorderStyle says.
        p.Style = WS_CHILD | WS_CLIPSIBLINGS | (FEnabled ? 0 : WS_DISABLED);
        p.ExStyle = WS_EX_CONTROLPARENT;
        p.WndParent = FHost->Handle();
        return;
    }
    if (Parent()) {
        // A form placed in another control (a wizard page in its frame) is
        // a borderless child window of it.
        p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (FEnabled ? 0 : WS_DISABLED);
        p.ExStyle = WS_EX_CONTROLPARENT;
        p.WndParent = Parent()->Handle();
        return;
    }
    // Every other form is owned by the main form, so it stays above it and
    // leaves no button of its own in the task bar.
    TForm* main = Application.MainForm();
    if (main && main != this) p.WndParent = main->Handle();
}

void TForm::CreateWnd() {
    RegisterWindowClasses();
    TCreateParams p;
    CreateParams(p);
    HWND h = CreateWindowExA(p.ExStyle, p.ClassName.c_str(), FText.c_str(), p.Style, FLeft, FTop, FWidth, FHeight,
                             p.WndParent, nullptr, GetModuleHandleA(nullptr), this);
    if (!h) throw Exception("Cannot create the window of " + Name() + ": Windows error " +
                            std::to_string(GetLastError()));
    FHandle = h;
    ApplyFont();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->HandleNeeded();
}

TForm& TForm::FormToAnswer() { return FActiveEmbedded ? FActiveEmbedded->FormToAnswer() : *this; }

void TForm::SetBorderStyle(TFormBorderStyle Value) {
    // An embedded form keeps its child window's style.
    FBorderStyle = Value;
    if (!FHandle || FHost) return;
    SetWindowLongPtrA(FHandle, GWL_STYLE,
                      BorderStyleBits(Value) | WS_CLIPCHILDREN | (IsWindowVisible(FHandle) ? WS_VISIBLE : 0));
    SetWindowLongPtrA(FHandle, GWL_EXSTYLE, BorderExStyleBits(Value) | WS_EX_CONTROLPARENT);
    // Style changes take effect on the frame only after SWP_FRAMECHANGED.
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TForm::SetFormStyle(TFormStyle Value) {
    FFormStyle = Value;
    if (FHandle && !FHost)
        SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetWindowState(TWindowState Value) {
    FWindowState = Value;
    if (FHandle && FVisible && !IsSilent() && !FHost)
        ShowWindow(FHandle, Value == wsMaximized ? SW_MAXIMIZE : Value == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TForm::SetBounds(int l, int t, int w, int h) {
    FLeft = l;
    FTop = t;
    FWidth = w;
    FHeight = h;
    if (FHandle) SetWindowPos(FHandle, nullptr, l, t, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    // A window tells of its new size with WM_SIZE; without one, the
    // aligned controls follow here.
    if (!FHandle) BoundsChanged();
}

void TForm::SetName(const std::string& Value) {
    // A form text names its form. A second form read from the same text for
    // the same owner (two pages of one class in a wizard, a second wizard
    // frame) is numbered: Name_1, Name_2, ...
    TComponent* owner = Owner();
    if ((Loading() || ComponentState.Contains(csReading)) && owner && !Value.empty()) {
        TComponent* other = owner->FindComponent(Value);
        if (other && other != this) {
            for (int i = 1;; ++i) {
                const std::string numbered = Value + "_" + std::to_string(i);
                if (!owner->FindComponent(numbered)) return TWinControl::SetName(numbered);
            }
        }
    }
    TWinControl::SetName(Value);
}

// The frame's size around the client area: what AdjustWindowRect adds for
// the style; nothing for an embedded form.
SIZE TForm::FrameExtra() const {
    if (FHost) return SIZE{0, 0};
    if (FFrame && FFrame->first == FBorderStyle) return FFrame->second;
    // A silent run shows no window, so its forms need no frame; asking the
    // system for the frame's metrics would start the display side of
    // Windows (under Wine, the desktop process) for nothing.
    SIZE frame{0, 0};
    if (!IsSilent()) {
        RECT r{0, 0, 100, 100};
        AdjustWindowRectEx(&r, BorderStyleBits(FBorderStyle), FALSE, BorderExStyleBits(FBorderStyle));
        frame = SIZE{r.right - r.left - 100, r.bottom - r.top - 100};
    }
    FFrame.emplace(FBorderStyle, frame);
    return frame;
}

int TForm::ClientWidth() const { return FWidth - FrameExtra().cx; }
int TForm::ClientHeight() const { return FHeight - FrameExtra().cy; }
void TForm::SetClientWidth(int v) { SetBounds(FLeft, FTop, v + FrameExtra().cx, FHeight); }
void TForm::SetClientHeight(int v) { SetBounds(FLeft, FTop, FWidth, v + FrameExtra().cy); }

void TForm::SetVisible(bool Value) {
    if (Loading()) {
        FVisible = Value;
        return;
    }
    if (Value) Show();
    else Hide();
}

void TForm::ApplyPosition() {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TForm* main = Application.MainForm();
    if (FPosition == poMainFormCenter && main && main != this && main->FHandle) GetWindowRect(main->FHandle, &area);
    else if (FPosition != poScreenCenter && FPosition != poMainFormCenter) return;
    SetBounds(area.left + (area.right - area.left - FWidth) / 2, area.top + (area.bottom - area.top - FHeight) / 2,
              FWidth, FHeight);
}

void TForm::ShowWindowNow() {
    if (FHost) {
        // Inside its host: shown, never activated, no window of its own in
        // a silent run.
        DoShow();
        FVisible = true;
        if (!IsSilent()) ShowWindow(Handle(), SW_SHOWNA);
        return;
    }
    if (IsSilent()) {
        // Never visible, and without a window: a silent run touches no
        // display. The activation a real showing would cause is imitated
        // with a message to the thread, so that code waiting for it (the
        // program start) runs from the message loop.
        DoShow();
        FVisible = true;
        // The message names the showing, not the form's address, which a
        // form made after this one is destroyed may reuse.
        static LPARAM lastShowing = 0;
        FSilentShowing = ++lastShowing;
        PostThreadMessageA(GetCurrentThreadId(), WM_VTRL_ACTIVATE, 0, FSilentShowing);
        return;
    }
    HandleNeeded();
    ApplyPosition();
    DoShow();
    FVisible = true;
    ShowWindow(FHandle, FWindowState == wsMaximized ? SW_SHOWMAXIMIZED
                        : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                      : SW_SHOWNORMAL);
    SetForegroundWindow(FHandle);
}

void TForm::Show() {
    if (FVisible && FHandle) {
        BringToFront();
        return;
    }
    ShowWindowNow();
}

void TForm::Hide() {
    FVisible = false;
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
    if (Screen.FActiveForm == this) Screen.FActiveForm = nullptr;
}

void TForm::BringToFront() {
    if (FHost) {
        FHost->FActiveEmbedded = this;
        if (FHandle && !IsSilent())
            SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    if (FHandle && FVisible && !IsSilent()) {
        SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(FHandle);
    }
}

void TForm::Close() {
    if (FModal) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
        return;
    }
    DoClose();
    Hide();
    if (Application.MainForm() == this) Application.Terminate();
}

void TForm::Repaint() {
    if (FHandle && !IsSilent()) RedrawWindow(FHandle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm::DoShow() {
    if (OnShow) OnShow(this);
}
void TForm::DoActivate() {
    if (OnActivate) OnActivate(this);
}
void TForm::DoClose() {
    if (OnClose) OnClose(this);
}

namespace {
// The first visible, enabled button of Root's controls that Wanted
// accepts, depth-first, panels included.
template <class F>
TButton* FindButtonIn(const TWinControl* Root, F Wanted) {
    std::vector<const TWinControl*> todo{Root};
    while (!todo.empty()) {
        const TWinControl* w = todo.back();
        todo.pop_back();
        for (int i = 0; i < w->ControlCount(); ++i) {
            TControl* c = w->Controls(i);
            if (auto* b = dynamic_cast<TButton*>(c); b && b->Visible() && b->Enabled() && Wanted(*b)) return b;
            if (auto* sub = dynamic_cast<TWinControl*>(c)) todo.push_back(sub);
        }
    }
    return nullptr;
}
}  // namespace

TButton* TForm::FindButton(bool Default) const {
    return FindButtonIn(this, [Default](const TButton& b) { return Default ? b.Default() : b.Cancel; });
}

TButton* TForm::FindResultButton(int Result) const {
    return FindButtonIn(this, [Result](const TButton& b) { return b.ModalResult == Result; });
}

bool TForm::CloseQuery() { return true; }

// Enter and Esc press the default and the cancel button: the form's own,
// else those of the embedded form in front (a wizard page), whose buttons
// are not among the host's controls. Esc on a form without any cancel
// button closes it as the close box does.
bool TForm::PressDialogButton(WORD Id) {
    if (TButton* b = FindButton(Id == IDOK)) {
        b->Click();
        return true;
    }
    return FActiveEmbedded && FActiveEmbedded->PressDialogButton(Id);
}

void TForm::DialogCommand(WORD Id) {
    if (Id != IDOK && Id != IDCANCEL) return;
    if (PressDialogButton(Id) || Id != IDCANCEL || FHost) return;
    if (FModal && CloseQuery()) Close();
}

LRESULT TForm::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
    case WM_ACTIVATE:
        if (LOWORD(WParam) != WA_INACTIVE) {
            Screen.FActiveForm = this;
            PostMessageA(FHandle, WM_VTRL_ACTIVATE, 0, 0);
        }
        break;
    case WM_VTRL_ACTIVATE:
        if (FVisible) DoActivate();
        return 0;
    case WM_VTRL_ANSWER:
        if (FModal && ModalResult == mrNone) AnswerPosted();
        return 0;
    case WM_CLOSE:
        // The close box, Alt+F4 and the system menu's Close: the person
        // asks, the form may refuse.
        if (CloseQuery()) Close();
        return 0;
    case WM_PAINT:
        if (OnPaint) {
            PaintWith([this](HDC dc) {
                OnPaint(this, dc);
                PaintControls(dc);
            });
            return 0;
        }
        break;
    case WM_MOVE:
        if (!IsIconic(FHandle)) {
            RECT r;
            GetWindowRect(FHandle, &r);
            // An embedded form's position is in its host's client area.
            if (FHost) MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
            FLeft = r.left;
            FTop = r.top;
        }
        break;
    case WM_SIZE:
        if (WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
        else if (WParam == SIZE_RESTORED) FWindowState = wsNormal;
        break;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}

int TForm::ShowModalSilent() {
    FModal = true;
    FVisible = true;
    struct TEnd {
        TForm* F;
        ~TEnd() {
            F->FModal = false;
            F->FVisible = false;
        }
    } end{this};
    Log("form " + Name() + " shown modally");
    DoShow();
    DoActivate();
    int r = mrNone;
    if (const TModalResponder& responder = ModalResponder()) r = responder(*this);
    else if (!ClosesItself) AnswerUntilResult();
    TakeEmbeddedResult();
    if (r == mrNone) r = ModalResult;
    if (r == mrNone) r = ClosesItself ? mrOk : mrCancel;
    ModalResult = r;
    DoClose();
    Log("form " + Name() + " closed with result " + std::to_string(r));
    return r;
}

// ---------------------------------------------------- unattended answers

void TForm::TakeEmbeddedResult() {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TForm*>(Components(i)); f && f->FHost == this) {
            f->TakeEmbeddedResult();
            if (f->ModalResult != mrNone && ModalResult == mrNone) ModalResult = f->ModalResult;
            f->ModalResult = mrNone;
        }
}

void TForm::ClearEmbeddedResults() {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TForm*>(Components(i)); f && f->FHost == this) {
            f->ModalResult = mrNone;
            f->ClearEmbeddedResults();
        }
}

// Answers Target once: with its next response-file section, else with the
// default click. True when the answer came from the response file.
bool TForm::AnswerOnce(TForm& Target) {
    if (!IsSilent() && !ScreenshotDirectory().empty()) TakeScreenshot(Target.Handle(), Target.Name());
    std::string where;
    if (TResponseFile* file = ActiveResponseFile(); file && file->AnswerForm(Target, where)) {
        Log("form " + Target.Name() + " answered from " + where);
        return true;
    }
    TButton* b = Target.FindButton(true);
    if (!b) b = Target.FindResultButton(mrOk);
    if (!b) throw Exception("The form " + Target.Name() + " is still waiting for an answer");
    Log("form " + Target.Name() + ": default answer " + b->Name());
    b->Click();
    Application.RaisePendingException();
    return false;
}

// The silent showing's loop: answer until the modal result is set. A
// default answer that leaves the same form waiting would be given again
// and again; it is a fault of the form, reported instead.
void TForm::AnswerUntilResult() {
    for (int n = 0;; ++n) {
        TakeEmbeddedResult();
        if (ModalResult != mrNone || Application.Terminated()) return;
        TForm& target = FormToAnswer();
        if (n == kMaxAnswers) throw Exception("The form " + target.Name() + " is still waiting for an answer");
        const bool fromFile = AnswerOnce(target);
        TakeEmbeddedResult();
        if (ModalResult == mrNone && !fromFile && &FormToAnswer() == &target)
            throw Exception("The form " + target.Name() + " is still waiting for an answer");
    }
}

// One answer of a visible showing, from the message loop; the next one is
// posted when the form still waits, so the windows paint in between.
void TForm::AnswerPosted() {
    TakeEmbeddedResult();
    if (ModalResult != mrNone) return;
    TForm& target = FormToAnswer();
    if (++FAnswerCount > kMaxAnswers) throw Exception("The form " + target.Name() + " is still waiting for an answer");
    const bool fromFile = AnswerOnce(target);
    TakeEmbeddedResult();
    if (ModalResult != mrNone) return;
    if (!fromFile && &FormToAnswer() == &target)
        throw Exception("The form " + target.Name() + " is still waiting for an answer");
    if (FHandle) PostMessageA(FHandle, WM_VTRL_ANSWER, 0, 0);
}

int TForm::ShowModal() {
    if (FModal || (FVisible && !IsSilent())) throw Exception("Cannot make a visible window modal");
    ModalResult = mrNone;
    FAnswerCount = 0;
    ClearEmbeddedResults();
    ++Application.FModalLevel;
    struct TLevel {
        ~TLevel() { --Application.FModalLevel; }
    } level;
    if (IsSilent()) return ShowModalSilent();

    // Disable the other forms; remember which, to enable exactly those.
    HandleNeeded();
    std::vector<HWND> disabled;
    for (TForm* f : Application.Forms())
        if (f != this && !f->FHost && f->FHandle && IsWindowEnabled(f->FHandle) && IsWindowVisible(f->FHandle)) {
            EnableWindow(f->FHandle, FALSE);
            disabled.push_back(f->FHandle);
        }
    HWND previous = GetActiveWindow();
    FModal = true;
    try {
        ShowWindowNow();
        if (ActiveResponseFile() && !ClosesItself) PostMessageA(FHandle, WM_VTRL_ANSWER, 0, 0);
        while (ModalResult == mrNone && !Application.HasPendingException()) {
            Application.HandleMessage();
            TakeEmbeddedResult();
            if (Application.Terminated() && ModalResult == mrNone) ModalResult = mrCancel;
        }
    } catch (...) {
        Application.StoreException(std::current_exception());
    }
    FModal = false;
    // Enable the other forms before hiding this one: hiding activates the
    // next enabled window, and with the owner still disabled Windows would
    // activate some other program's window.
    for (HWND h : disabled) EnableWindow(h, TRUE);
    if (!Application.HasPendingException()) DoClose();
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    Application.RaisePendingException();
    return ModalResult;
}

// ------------------------------------------------------------ application

namespace {
// Work loops (inflating, copying, compressing) call this after every block,
// often hundreds of times a second. Each call asks the window server for
// messages, a round trip under Wine even when none are queued; twenty
// rounds a second keep the windows painted and a Cancel click prompt.
void ProcessMessagesHook() {
    static ULONGLONG last = 0;
    const ULONGLONG now = GetTickCount64();
    if (last != 0 && now - last < 50) return;
    last = now;
    TPhaseTimer timer("processing messages");
    Application.ProcessMessages();
}
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    // The owned forms go while the window classes and the Screen still
    // exist; their windows are destroyed with them.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
}

void TApplication::Initialize() {
    InitRunOptions();
    // The window classes are registered with the first window: their cursor
    // and icon need the display, which a silent run never touches.
    SetProcessMessagesProc(&ProcessMessagesHook);
    if (Title.empty()) Title = ChangeFileExt(ExtractFileName(ExeName()), "");
}

std::string TApplication::ExeName() const {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

void TApplication::Terminate() {
    if (!FTerminated) PostQuitMessage(0);
    FTerminated = true;
}

void TApplication::ClearTerminated() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    FTerminated = false;
}

bool TApplication::DispatchOne(bool Wait) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (Wait) WaitMessage();
        return false;
    }
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (msg.hwnd == nullptr && msg.message == WM_VTRL_ACTIVATE) {
        // A silent showing's activation: only for a form that still exists.
        for (TForm* f : FForms)
            if (f->FSilentShowing == msg.lParam) {
                try {
                    if (f->FVisible) f->DoActivate();
                } catch (...) {
                    StoreException(std::current_exception());
                }
                break;
            }
        return true;
    }
    // Tab, Enter and Esc move between controls and press the default and
    // cancel buttons of the form the message is for.
    HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (top && dynamic_cast<TForm*>(TControl::FromHandle(top)) && IsDialogMessageA(top, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::HandleMessage() {
    DispatchOne(true);
    if (FModalLevel == 0 && FPending) HandleException(TakePendingException());
}

void TApplication::ProcessMessages() {
    while (DispatchOne(false) && !FPending) {
    }
    RaisePendingException();
}

void TApplication::Run() {
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
}

void TApplication::StoreException(std::exception_ptr E) {
    if (!FPending) FPending = std::move(E);
}

std::exception_ptr TApplication::TakePendingException() {
    std::exception_ptr e = std::move(FPending);
    FPending = nullptr;
    return e;
}

void TApplication::RaisePendingException() {
    if (FPending) std::rethrow_exception(TakePendingException());
}

void TApplication::HandleException(std::exception_ptr E) {
    if (!E) return;
    try {
        std::rethrow_exception(E);
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception("Unknown exception"));
    }
}

void TApplication::HandleException(const std::exception& E) {
    // Nobody is there to close the program in a silent run or one answered
    // from a response file.
    struct TEndSilentRun {
        TApplication& A;
        ~TEndSilentRun() {
            if (!IsUnattended() || A.Terminated()) return;
            if (A.ExitCode == 0) A.ExitCode = 1;
            Log("Silent run: ending after the failure");
            A.Terminate();
        }
    } end{*this};
    if (dynamic_cast<const EAbort*>(&E)) {
        Log("silent abort");
        return;
    }
    if (OnException) {
        Log(std::string("exception: ") + ExceptionLogText(E));
        OnException(this, E);
    } else {
        ShowMessageDlg(E.what(), mtError, {mbOK});
    }
}

}  // namespace vtrl
