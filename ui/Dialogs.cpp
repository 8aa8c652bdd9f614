// Message boxes and questions: shown, answered by default, and logged.
#include "Dialogs.h"

#include "Forms.h"
#include "ResponseFile.h"
#include "StdCtrls.h"
#include "Unattended.h"

namespace vtrl {

namespace {

TQuestionResponder gQuestionResponder;

// A button set, its message-box style and its buttons in box order.
struct TBoxKind {
    TMsgDlgButtons Set;
    UINT Style;
    int Results[3];
};
const TBoxKind kKinds[] = {
    {{mbOK}, MB_OK, {mrOk}},
    {{mbOK, mbCancel}, MB_OKCANCEL, {mrOk, mrCancel}},
    {{mbYes, mbNo}, MB_YESNO, {mrYes, mrNo}},
    {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL, {mrYes, mrNo, mrCancel}},
    {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE, {mrAbort, mrRetry, mrIgnore}},
    {{mbRetry, mbCancel}, MB_RETRYCANCEL, {mrRetry, mrCancel}},
};

const char* ResultName(int r) {
    switch (r) {
    case mrOk: return "OK";
    case mrCancel: return "Cancel";
    case mrAbort: return "Abort";
    case mrRetry: return "Retry";
    case mrIgnore: return "Ignore";
    case mrYes: return "Yes";
    case mrNo: return "No";
    default: return "None";
    }
}

UINT IconOf(TMsgDlgType t) {
    switch (t) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
    }
}

// The window that owns a message box: the active form when it is shown,
// else the main form when it is shown, else none.
HWND BoxOwner() {
    for (TForm* f : {Screen.ActiveForm(), Application.MainForm()})
        if (f && f->HandleAllocated() && IsWindowVisible(f->Handle())) return f->Handle();
    return nullptr;
}

}  // namespace

void SetQuestionResponder(TQuestionResponder Responder) { gQuestionResponder = std::move(Responder); }

int MessageDlg(const std::string& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons, int DefaultResult) {
    const TBoxKind* kind = nullptr;
    for (const TBoxKind& k : kKinds)
        if (k.Set == Buttons) kind = &k;
    if (!kind) throw Exception("MessageDlg: the buttons asked for are not a message box's set");
    int count = 0, defIndex = 0;
    for (int i = 0; i < 3 && kind->Results[i]; ++i, ++count)
        if (kind->Results[i] == DefaultResult) defIndex = i;
    if (DefaultResult == mrNone || kind->Results[defIndex] != DefaultResult) DefaultResult = kind->Results[defIndex];

    std::string kindName = EnumInfoOf(Type).Names[Type].substr(2);
    int answer;
    const char* how;
    const TQuestion q{Msg, Type, Buttons, DefaultResult};
    if (IsUnattended()) {
        // A program's own responder first (the build handshake, tests),
        // then the response file.
        answer = gQuestionResponder ? gQuestionResponder(q) : mrNone;
        if (answer == mrNone && ActiveResponseFile()) answer = ActiveResponseFile()->AnswerQuestion(q);
        bool valid = false;
        for (int i = 0; i < count; ++i) valid = valid || kind->Results[i] == answer;
        how = valid ? "answered" : "default";
        if (!valid) answer = DefaultResult;
        if (Type == mtError || Type == mtWarning) WriteStdErr(kindName + ": " + Msg);
    } else {
        UINT defButton = defIndex == 1 ? MB_DEFBUTTON2 : defIndex == 2 ? MB_DEFBUTTON3 : MB_DEFBUTTON1;
        std::string title = Application.Title.empty() ? ChangeFileExt(ExtractFileName(Application.ExeName()), "")
                                                       : Application.Title;
        answer = MessageBoxA(BoxOwner(), Msg.c_str(), title.c_str(),
                             kind->Style | IconOf(Type) | defButton | MB_SETFOREGROUND);
        how = "chosen";
    }
    Log("message (" + kindName + "): " + Msg + " -> " + ResultName(answer) + " (" + how + ")");
    RecordQuestion(q, answer);
    return answer;
}

void ShowError(const std::exception& E) {
    (void)MessageDlg(IsUnattended() ? ExceptionLogText(E) : std::string(E.what()), mtError, {mbOK}, 0);
}

void ShowMessage(const std::string& Msg) { (void)MessageDlg(Msg, mtInformation, {mbOK}, mrOk); }

bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) {
    TForm form(nullptr);
    form.SetName("InputQueryForm");
    form.SetBorderStyle(bsDialog);
    form.SetPosition(poScreenCenter);
    form.SetCaption(Caption);
    form.SetClientWidth(320);
    form.SetClientHeight(110);
    auto* label = new TLabel(&form);
    label->SetName("Label");
    label->SetParent(&form);
    label->SetBounds(10, 10, 300, 16);
    label->SetCaption(Prompt);
    auto* edit = new TEdit(&form);
    edit->SetName("Edit");
    edit->SetParent(&form);
    edit->SetBounds(10, 32, 300, 22);
    edit->SetTextValue(Value);
    auto* ok = new TButton(&form);
    ok->SetName("OKButton");
    ok->SetParent(&form);
    ok->SetBounds(150, 70, 75, 25);
    ok->SetCaption("OK");
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    auto* cancel = new TButton(&form);
    cancel->SetName("CancelButton");
    cancel->SetParent(&form);
    cancel->SetBounds(235, 70, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->ModalResult = mrCancel;
    cancel->Cancel = true;
    bool ok_ = form.ShowModal() == mrOk;
    if (ok_) Value = edit->Text();
    Log("input (" + Prompt + "): " + (ok_ ? "'" + Value + "'" : std::string("cancelled")));
    return ok_;
}

namespace {
// A command line that asked for the usage, or got it for a mistake: the
// usage goes to the console of the script or person who typed it (a
// script would otherwise wait on a box nobody sees). A mistake is shown in
// a box as well, in a visible run; the usage asked for only where there is
// no console to print it on.
int UsageEnding(const EUsage& E) {
    Log(E.Help ? "Usage asked for" : "Start-up failed: " + ExceptionLogText(E));
    if (E.Help) {
        if (!WriteStdOut(E.what())) ShowMessage(E.what());
        return 0;
    }
    WriteStdErr(E.what());
    ShowError(E);
    return 1;
}
}  // namespace

int RunProgram(const std::function<int()>& Body) {
    int code;
    try {
        code = Body();
    } catch (const EUsage& e) {
        code = UsageEnding(e);
    } catch (const std::exception& e) {
        Log("Start-up failed: " + ExceptionLogText(e));
        ShowError(e);
        code = 1;
    }
    // Sections of the response file for forms that never came are found
    // out only now. The run's work is done (or failed for a cause of its
    // own), so they are a warning: a script reads the exit code as what
    // was installed.
    try {
        for (const std::string& u : CheckResponseFileUsed()) WriteStdErr("Warning: " + u);
    } catch (const std::exception& e) {
        Log("Cannot report the response file: " + ExceptionLogText(e));
    }
    StopRecording();
    LogRunFigures();
    Log("Exit code " + IntToStr(code));
    CloseLog();
    return code;
}

}  // namespace vtrl
