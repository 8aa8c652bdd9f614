// The one place where the programs ask questions and show messages: a real
// message box in a normal run, the default answer in a silent run, and a
// log line for every call.
#pragma once

#include <functional>
#include <string>

#include "Classes.h"

namespace vtrl {

VTRL_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
VTRL_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore)
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// One question as it is asked: for the log and for the question responder.
struct TQuestion {
    std::string Msg;
    TMsgDlgType Type = mtInformation;
    TMsgDlgButtons Buttons;
    int DefaultResult = 0;  // a modal result (mrOk, mrYes, ...)
};

// Reports the failure E as an error message: a box shows its fixed message;
// a silent run, whose standard error and log are all a person gets, also
// gets its detail (ExceptionLogText).
void ShowError(const std::exception& E);

// Asks Msg with the buttons given and returns the modal result of the
// button chosen (mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore).
// Buttons must be one of the sets a message box offers: {mbOK},
// {mbOK, mbCancel}, {mbYes, mbNo}, {mbYes, mbNo, mbCancel},
// {mbAbort, mbRetry, mbIgnore}, {mbRetry, mbCancel}; another set raises
// Exception. DefaultResult is the answer of a silent run and the button
// that has the focus in a normal run; mrNone means the first button.
// Normal run: a MessageBoxA owned by the active form, captioned with
// Application.Title. Silent run, or a run with a response file: nothing is
// shown; the question responder (if any), else the response file's entry
// for the text, else DefaultResult answers, and errors and warnings are
// also written to standard error. A response-file answer that is not one
// of Buttons raises EResponseFileError. Every call is logged with its
// answer, and recorded when the run is recorded.
int MessageDlg(const std::string& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons, int DefaultResult = 0);
// The same, named for the exception handler (a message with one OK).
inline void ShowMessageDlg(const std::string& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons) {
    (void)MessageDlg(Msg, Type, Buttons, 0);
}
// An information message with an OK button.
void ShowMessage(const std::string& Msg);

// Asks for one line of text in a small modal form named "InputQueryForm"
// (an edit "Edit" and buttons "OKButton", "CancelButton"). Returns true and
// the new text in Value when OK is chosen; false leaves Value unchanged. A
// silent run answers through the modal responder, or with OK and Value
// unchanged when there is none.
bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value);

// Decides a question in a silent run (the response file, tests). Returns
// the answer, or mrNone to take the default. Null removes it.
using TQuestionResponder = std::function<int(const TQuestion&)>;
void SetQuestionResponder(TQuestionResponder Responder);

// Runs a program's body and ends it the same way for every program of the
// kit: a failure that escapes the body is logged and shown as an error
// (exit code 1); sections of the response file that no form used are
// reported as an error naming file and line (exit code 1 when the body
// returned 0); the recording is completed; the exit code is logged and
// the log closed. Returns the code for WinMain.
int RunProgram(const std::function<int()>& Body);

}  // namespace vtrl
