// Forms (top-level windows, modal and modeless), the screen's cursor and the
// application object with its message loop and unhandled-exception policy.
//
// A program's entry point:
//   int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
//       vtrl::Application.Initialize();        // run options, log, classes
//       vtrl::Application.CreateForm(BackDrop); // first form: the main form
//       ...                                     // further forms, data module
//       vtrl::Application.Run();
//       return vtrl::Application.ExitCode;
//   }
// with ParamCount()/ParamStr() (Unattended.h) for the arguments.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "Controls.h"

namespace vtrl {

class TButton;

// ----------------------------------------------------------------- screen

// Cursor identifiers (the values the definitions and the programs use).
enum TCursor : int { crDefault = 0, crArrow = -2, crHourGlass = -11 };

// The screen: the cursor shown over the program's windows and the active
// form.
class TScreen {
public:
    TCursor Cursor() const { return FCursor; }
    // Shows the cursor now and over every form of the program until it is
    // set back to crDefault.
    void SetCursor(TCursor Value);
    HCURSOR CursorHandle() const;
    // The form that was activated last and is still shown, or null.
    TForm* ActiveForm() const { return FActiveForm; }

private:
    friend class TForm;
    TCursor FCursor = crDefault;
    TForm* FActiveForm = nullptr;
};
extern TScreen Screen;

// Sets the screen cursor for its lifetime and puts back the previous one
// when it ends, also when an exception passes.
class TCursorGuard {
public:
    explicit TCursorGuard(TCursor Cursor = crHourGlass) : FSaved(Screen.Cursor()) { Screen.SetCursor(Cursor); }
    ~TCursorGuard() { Screen.SetCursor(FSaved); }
    TCursorGuard(const TCursorGuard&) = delete;
    TCursorGuard& operator=(const TCursorGuard&) = delete;

private:
    TCursor FSaved;
};

// ------------------------------------------------------------------- form

VTRL_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow)
VTRL_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
VTRL_ENUM(TPosition, poDesigned, poDefault, poScreenCenter, poMainFormCenter)
VTRL_ENUM(TFormStyle, fsNormal, fsStayOnTop)
VTRL_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;

// A top-level window. Created hidden; Show shows it modeless, ShowModal
// runs a modal loop until ModalResult is set. In a silent run the window
// exists but is never made visible (see ShowModal and Show).
//
// A form owned by another form is embedded in it (a wizard page in its
// frame): a borderless child window of the owner's window, whatever
// BorderStyle says, at 0,0 and as large as the owner's client area until
// it sets its own bounds. It is shown modeless inside its host and never
// activated as a top-level window; BringToFront makes it the host's
// ActiveEmbeddedForm. Forms owned by the application (or nothing) stay
// top-level.
class TForm : public TWinControl {
    VTRL_CLASS(TForm)
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    // Reads the form's layout from the program's RCDATA resource of that
    // name (definition text, the outer object being this form; event
    // handlers bind to the methods the form publishes). Raises Exception
    // when the program has no such resource, and EDefinitionError naming
    // the resource as the file for a text that cannot be read.
    void ReadFormResource(const std::string& ResourceName);

    // The form this one is embedded in, or null for a top-level form.
    TForm* HostForm() const { return FHost; }
    // The embedded form last brought to the front, or null.
    TForm* ActiveEmbeddedForm() const { return FActiveEmbedded; }
    // Where an unattended answer goes: the active embedded form's own
    // FormToAnswer, else this form.
    TForm& FormToAnswer();

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& v) { SetText(v); }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    // The caption's buttons: without biSystemMenu the caption has no
    // system menu and no close box; the minimize and maximize boxes appear
    // only where BorderStyle gives them.
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value) { FBorderIcons = Value; }
    // A form that ends its own showing (a timer closes it): a run with a
    // response file asks no answer of it, and a silent showing ends once
    // its activation has run, with its ModalResult or mrOk.
    bool ClosesItself = false;
    // The size of the area inside the border; setting it sizes the window.
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // While a form text is read into the form, a name that another form of
    // the same owner has is numbered (Name_1, Name_2, ...) instead of
    // refused.
    void SetName(const std::string& Value) override;
    // Visible true shows the form modeless (Show), false hides it.
    void SetVisible(bool Value) override;
    // Shows the form modeless and brings it to the front. In a silent run it
    // only marks it visible, fires OnShow and, once messages are processed,
    // OnActivate, as if it had been shown and activated.
    void Show();
    void Hide();
    // Closes the form: a modal form gets ModalResult mrCancel (unless one is
    // set); a modeless one is hidden and fires OnClose; closing the main
    // form ends the application (Application.Terminate).
    void Close();
    // Asked before the person closes the form (the close box, Alt+F4, the
    // system menu, Esc on a form without a Cancel button): false keeps it
    // open. True unless a form decides otherwise; a form whose closing
    // means something (a wizard's cancel) does that itself and answers
    // false.
    virtual bool CloseQuery();
    // Shows the form modally: the program's other forms are disabled and
    // messages are processed until ModalResult is set (a button with a
    // modal result, Close, or code), Application.Terminate is called, or a
    // handler raises an exception. Returns the modal result; the form is
    // hidden again. An exception a handler raised during the loop is
    // raised again here after the other forms are enabled.
    // A button with a modal result on an embedded form ends its host's
    // modal showing with that result.
    // Silent run: fires OnShow and OnActivate, then asks the modal
    // responder (SetModalResponder) once, taking its result, else the
    // ModalResult its clicks left, else mrCancel. Without a responder the
    // form is answered until its ModalResult is set: each time the form to
    // answer (FormToAnswer) takes the next section of the response file for
    // its name, or else the default answer: a click on its visible, enabled
    // Default button, else on one whose ModalResult is mrOk. A form with no
    // such button, or whose default answer leaves it waiting, raises
    // Exception "The form <Name> is still waiting for an answer".
    // A visible run with a response file shows the form and answers it the
    // same way from the message loop, taking a screenshot of the window
    // before each answer when a screenshot directory is set. Every silent
    // showing and every answer is logged.
    // Raises Exception when the form is already visible or modal.
    int ShowModal();
    int ModalResult = mrNone;
    bool Modal() const { return FModal; }
    // Paints the form now (and its controls).
    void Repaint();
    // Brings a visible form to the front and activates it. An embedded form
    // goes on top of its siblings without activation and becomes its host's
    // ActiveEmbeddedForm, in a silent run too.
    void BringToFront();

    TNotifyEvent OnActivate;  // each activation; posted, so it runs after the activation itself
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    TEvent<TComponent*, HDC> OnPaint;  // after the background, with the paint DC

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void DialogCommand(WORD Id) override;
    TButton* FindButton(bool Default) const;
    // Clicks the default (IDOK) or cancel (IDCANCEL) button; false when
    // there is none, here or on the embedded form in front.
    bool PressDialogButton(WORD Id);
    // A visible, enabled button with this modal result, or null.
    TButton* FindResultButton(int Result) const;
    virtual void DoShow();
    virtual void DoActivate();
    virtual void DoClose();

private:
    friend class TApplication;
    LPARAM FSilentShowing = 0;  // the last silent showing, see ShowWindowNow
    void ShowWindowNow();
    void ApplyPosition();
    int ShowModalSilent();
    void AnswerUntilResult();
    void AnswerPosted();
    bool AnswerOnce(TForm& Target);
    void TakeEmbeddedResult();
    void ClearEmbeddedResults();
    SIZE FrameExtra() const;
    // The frame as first measured for a border style: the sizes a form was
    // given keep their meaning when the run turns silent later.
    mutable std::optional<std::pair<TFormBorderStyle, SIZE>> FFrame;
    TForm* FHost = nullptr;
    TForm* FActiveEmbedded = nullptr;
    int FAnswerCount = 0;  // answers of the current visible showing
    TFormBorderStyle FBorderStyle = bsSizeable;
    TWindowState FWindowState = wsNormal;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    bool FModal = false;
};

// ------------------------------------------------------------ application

// The process-wide application: owns the forms created with CreateForm,
// runs the message loop and decides what happens with exceptions that no
// handler caught.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Reads the run options of the command line (silent, log; see
    // Unattended.h), registers the window classes and installs
    // ProcessMessages as the runtime's message-processing routine.
    void Initialize();
    // Creates a form of class T owned by the application into Ref; the
    // first form created this way becomes the main form.
    template <class T>
    T* CreateForm(T*& Ref) {
        Ref = new T(this);
        if (!FMainForm) FMainForm = Ref;
        return Ref;
    }
    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* Value) { FMainForm = Value; }

    // Shows the main form (if any) and processes messages until Terminate
    // is called or the main form closes. Exceptions stored by window
    // procedures go to HandleException; an exception raised by OnException
    // itself leaves Run.
    void Run();
    // Asks the loop to end; Run returns after the current message.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Makes the loop runnable again after Terminate (and drops the pending
    // quit message): for test programs that run several loops.
    void ClearTerminated();
    // Dispatches every message waiting now, then raises again an exception
    // that a handler raised meanwhile. Does not wait.
    void ProcessMessages();
    // Waits for one message (when none is queued) and dispatches it. Outside
    // modal loops a stored exception is handed to HandleException.
    void HandleMessage();

    // The unhandled-exception policy: OnException when assigned, else the
    // message is shown with MessageDlg (mtError). A silent abort (EAbort)
    // is only logged. In a silent run nobody is there to close the program
    // after a failure, so the loop is then asked to end, with ExitCode 1
    // unless the handler set a code of its own.
    void HandleException(const std::exception& E);
    void HandleException(std::exception_ptr E);
    TEvent<TComponent*, const std::exception&> OnException;

    // Window procedures store what their handlers raised; the first one
    // stored wins until it is taken.
    void StoreException(std::exception_ptr E);
    bool HasPendingException() const { return static_cast<bool>(FPending); }
    std::exception_ptr TakePendingException();
    // Rethrows a stored exception, if any (and clears it).
    void RaisePendingException();

    // The path of the program file.
    std::string ExeName() const;
    // Caption of message boxes; the program file's name until set.
    std::string Title;
    // The program's exit code: what WinMain returns.
    int ExitCode = 0;

    int ModalLevel() const { return FModalLevel; }
    // Every form of the program that exists now, in creation order.
    const std::vector<TForm*>& Forms() const { return FForms; }

private:
    friend class TForm;
    bool DispatchOne(bool Wait);
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    int FModalLevel = 0;
    std::exception_ptr FPending;
    std::vector<TForm*> FForms;
};
extern TApplication Application;

// The control Name of Form, which its form text FormText must hold; raises
// Exception naming both when it does not.
template <class T>
T* RequiredControl(TForm& Form, const char* Name, const char* FormText) {
    auto* control = dynamic_cast<T*>(Form.FindComponent(Name));
    if (!control) throw Exception("The form text " + std::string(FormText) + " lacks " + Name);
    return control;
}

}  // namespace vtrl
