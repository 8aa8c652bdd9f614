// Response files: parsing, answering forms and questions from them, and
// recording a person's run as one.
#include "ResponseFile.h"

#include <windows.h>

#include <map>

#include "Dialogs.h"
#include "FileShim.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "TypInfo.h"
#include "Unattended.h"

namespace vtrl {

namespace {

std::unique_ptr<TResponseFile> gResponseFile;

const struct {
    const char* Name;
    int Result;
    TMsgDlgBtn Button;
} kAnswers[] = {
    {"OK", mrOk, mbOK},          {"Cancel", mrCancel, mbCancel}, {"Yes", mrYes, mbYes}, {"No", mrNo, mbNo},
    {"Abort", mrAbort, mbAbort}, {"Retry", mrRetry, mbRetry},    {"Ignore", mrIgnore, mbIgnore},
};

bool IsIdentifier(std::string_view s) {
    if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
    for (char c : s)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

// A property path: identifiers joined by dots.
bool IsPropertyPath(std::string_view s) {
    size_t start = 0;
    for (;;) {
        size_t dot = s.find('.', start);
        if (!IsIdentifier(s.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start)))
            return false;
        if (dot == std::string_view::npos) return true;
        start = dot + 1;
    }
}

// ------------------------------------------------------- control actions

struct TActionEntry {
    const TClassInfo* Class;
    std::string Action;
    TControlAction Do;
};
std::vector<TActionEntry>& Actions() {
    static std::vector<TActionEntry> actions;
    return actions;
}

// The action registered for the nearest class of Control, or null.
const TControlAction* FindAction(const TControl& Control, const std::string& Action) {
    for (const TClassInfo* c = &Control.ClassType(); c; c = c->Parent)
        for (const TActionEntry& e : Actions())
            if (e.Class == c && SameText(e.Action, Action)) return &e.Do;
    return nullptr;
}

bool ParseFlag(const std::string& Value, bool& Flag) {
    if (Value == "1" || SameText(Value, "true") || SameText(Value, "yes")) Flag = true;
    else if (Value == "0" || SameText(Value, "false") || SameText(Value, "no")) Flag = false;
    else return false;
    return true;
}

}  // namespace

int FindResponseItem(const TStringList& Items, const std::string& Value) {
    int64_t index = 0;
    if (Value.size() > 1 && Value[0] == '#' && TryStrToInt(std::string_view(Value).substr(1), index))
        return index >= 0 && index < Items.Count() ? static_cast<int>(index) : -1;
    for (int i = 0; i < Items.Count(); ++i)
        if (Items[i] == Value) return i;
    return Items.IndexOf(Value);
}

namespace {

void RegisterBuiltInActions() {
    static bool done = false;
    if (done) return;
    done = true;
    // What a person's choice of a line fires: the list's click.
    RegisterControlAction(TListBox::StaticClass(), "select", [](TControl& c, const std::string& v) {
        auto& list = static_cast<TListBox&>(c);
        const int i = FindResponseItem(list.Items(), v);
        if (i < 0) throw ENoSuchValue("the list " + c.Name() + " has no item " + v);
        list.SetItemIndex(i);
        list.Click();
    });
    // A person's click on a check box or radio button sets the mark and
    // fires the click.
    RegisterControlAction(TButtonControl::StaticClass(), "check", [](TControl& c, const std::string& v) {
        bool on = false;
        if (!ParseFlag(v, on)) throw ENoSuchValue("the check mark of " + c.Name() + " is 1 or 0, not " + v);
        auto& b = static_cast<TButtonControl&>(c);
        b.SetChecked(on);
        b.Click();
    });
}

// ------------------------------------------------------------ properties

// Sets one published property of Target from its text.
void SetPropertyText(TPersistent& Target, const TPropInfo& P, const std::string& Value) {
    int64_t n = 0;
    bool flag = false;
    switch (P.Kind) {
    case tkString: P.SetStr(Target, Value); return;
    case tkInteger:
        if (!TryStrToInt(Value, n)) throw Exception("the property " + P.Name + " takes a number, not " + Value);
        P.SetOrd(Target, n);
        return;
    case tkBoolean:
        if (!ParseFlag(Value, flag)) throw Exception("the property " + P.Name + " is True or False, not " + Value);
        P.SetOrd(Target, flag ? 1 : 0);
        return;
    case tkEnumeration: {
        const int i = P.Enum->IndexOf(Value);
        if (i < 0) throw Exception("the property " + P.Name + " has no value " + Value);
        P.SetOrd(Target, i);
        return;
    }
    case tkSet: {
        std::string inner = Trim(Value);
        if (inner.size() < 2 || inner.front() != '[' || inner.back() != ']')
            throw Exception("the property " + P.Name + " takes a set such as [a, b], not " + Value);
        inner = inner.substr(1, inner.size() - 2);
        uint32_t bits = 0;
        for (int k = 1; !Trim(inner).empty() && k <= TokenCount(inner, ','); ++k) {
            const std::string name = Trim(GetToken(inner, ',', k));
            const int i = P.Enum->IndexOf(name);
            if (i < 0) throw Exception("the property " + P.Name + " has no value " + name);
            bits |= uint32_t{1} << i;
        }
        P.SetOrd(Target, bits);
        return;
    }
    case tkStrings: {
        // Lines are separated as a question's line breaks are: " | ".
        TStringList lines;
        for (size_t start = 0;;) {
            const size_t bar = Value.find(" | ", start);
            lines.Add(Value.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
            if (bar == std::string::npos) break;
            start = bar + 3;
        }
        P.SetLines(Target, lines);
        return;
    }
    default: throw Exception("the property " + P.Name + " cannot be set from a response file");
    }
}

}  // namespace

// ---------------------------------------------------------------- errors

EResponseFileError::EResponseFileError(const std::string& AFileName, int ALine, const std::string& Text)
    : Exception(AFileName + "(" + std::to_string(ALine) + "): " + Text), FileName(AFileName), Line(ALine) {}

void RegisterControlAction(const TClassInfo& Class, const std::string& Action, TControlAction Do) {
    for (TActionEntry& e : Actions())
        if (e.Class == &Class && SameText(e.Action, Action)) {
            e.Do = std::move(Do);
            return;
        }
    Actions().push_back({&Class, Action, std::move(Do)});
}

std::string QuestionKey(const std::string& Msg) {
    std::string key;
    for (size_t i = 0; i < Msg.size(); ++i) {
        if (Msg[i] == '\r' || Msg[i] == '\n') {
            if (Msg[i] == '\r' && i + 1 < Msg.size() && Msg[i + 1] == '\n') ++i;
            key += " | ";
        } else {
            key += Msg[i];
        }
    }
    return key;
}

std::string AnswerName(int Result) {
    for (const auto& a : kAnswers)
        if (a.Result == Result) return a.Name;
    return "None";
}

// ---------------------------------------------------------------- parsing

TResponseFile::TResponseFile(std::string AFileName, std::string_view Text) : FFileName(std::move(AFileName)) {
    if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
    TSection* section = nullptr;
    bool inQuestions = false;
    int number = 0;
    for (size_t start = 0; start <= Text.size();) {
        size_t end = Text.find('\n', start);
        if (end == std::string_view::npos) end = Text.size();
        ++number;
        ParseLine(Trim(Text.substr(start, end - start)), number, section, inQuestions);
        start = end + 1;
    }
}

void TResponseFile::ParseLine(const std::string& s, int Number, TSection*& Section, bool& InQuestions) {
    auto fail = [&](const std::string& text) { throw EResponseFileError(FFileName, Number, text); };
    if (s.empty() || s[0] == ';') return;
    if (s[0] == '[') {
        if (s.back() != ']') fail("a section line ends with ]");
        const std::string name = Trim(std::string_view(s).substr(1, s.size() - 2));
        InQuestions = name == "?";
        Section = nullptr;
        if (InQuestions) return;
        if (!IsIdentifier(name)) fail("a section is a form's name or ?, not [" + name + "]");
        FSections.push_back({name, Number, false, {}});
        Section = &FSections.back();
        return;
    }
    const size_t eq = InQuestions ? s.rfind('=') : s.find('=');
    if (InQuestions) {
        if (eq == std::string::npos) fail("a question's line is <text> = <answer>");
        TAnswerEntry a;
        a.Text = Trim(std::string_view(s).substr(0, eq));
        a.Line = Number;
        const std::string answer = Trim(std::string_view(s).substr(eq + 1));
        for (const auto& k : kAnswers)
            if (SameText(answer, k.Name)) a.Result = k.Result;
        if (a.Text.empty() || a.Result == mrNone)
            fail("a question's answer is OK, Cancel, Yes, No, Abort, Retry or Ignore, not " + answer);
        a.Wildcard = a.Text.back() == '*';
        if (a.Wildcard) a.Text.pop_back();
        FAnswers.push_back(std::move(a));
        return;
    }
    if (!Section) fail("the line belongs to no section: " + s);
    TResponseLine l;
    l.Line = Number;
    const std::string head = Trim(std::string_view(s).substr(0, eq));
    if (eq != std::string::npos) l.Value = Trim(std::string_view(s).substr(eq + 1));
    const size_t blank = head.find_first_of(" \t");
    if (blank != std::string::npos) {
        l.Action = head.substr(0, blank);
        l.Control = Trim(std::string_view(head).substr(blank));
        if (!IsIdentifier(l.Action) || !IsIdentifier(l.Control)) fail("cannot read the line " + s);
        if (SameText(l.Action, "click") != (eq == std::string::npos))
            fail(SameText(l.Action, "click") ? "a click takes no value: " + s : "the line gives no value: " + s);
    } else {
        const size_t dot = head.find('.');
        if (eq == std::string::npos || dot == std::string::npos || !IsIdentifier(head.substr(0, dot)) ||
            !IsPropertyPath(head.substr(dot + 1)))
            fail("cannot read the line " + s);
        l.Control = head.substr(0, dot);
        l.Property = head.substr(dot + 1);
    }
    Section->Lines.push_back(std::move(l));
}

std::unique_ptr<TResponseFile> TResponseFile::Load(const std::string& FileName) {
    HANDLE h = CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw Exception("Cannot read the response file " + FileName + ": " + SysErrorMessage(GetLastOSError()));
    std::string text;
    char buf[16384];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
    CloseHandle(h);
    return std::make_unique<TResponseFile>(FileName, text);
}

// -------------------------------------------------------------- answering

bool TResponseFile::AnswerForm(TForm& Form, std::string& Where) {
    RegisterBuiltInActions();
    for (TSection& s : FSections) {
        if (s.Used || !SameText(s.Name, Form.Name())) continue;
        s.Used = true;
        Where = FFileName + "(" + std::to_string(s.Line) + ")";
        for (const TResponseLine& l : s.Lines) {
            // A line may end the showing (a click on a modal result): the
            // rest of the section would act on a form nobody sees.
            Apply(Form, l);
            if (Form.ModalResult != mrNone) break;
        }
        return true;
    }
    return false;
}

TControl* TResponseFile::Resolve(const TForm& Form, const TResponseLine& L, TPersistent*& Target,
                                 const TPropInfo*& Prop) const {
    auto fail = [&](const std::string& text) { throw EResponseFileError(FFileName, L.Line, text); };
    auto* control = dynamic_cast<TControl*>(Form.FindComponent(L.Control));
    if (!control) {
        std::vector<std::string> names;
        for (int i = 0; i < Form.ComponentCount(); ++i)
            if (dynamic_cast<TControl*>(Form.Components(i))) names.push_back(Form.Components(i)->Name());
        fail("the form " + Form.Name() + " has no control " + L.Control + DidYouMean(L.Control, names));
    }
    Target = control;
    Prop = nullptr;
    if (L.Action.empty()) {
        // Down the path of sub-objects to the property itself.
        std::string path = L.Property;
        for (size_t dot; (dot = path.find('.')) != std::string::npos; path = path.substr(dot + 1)) {
            const TPropInfo* sub = Target->ClassType().FindProp(path.substr(0, dot));
            if (!sub || sub->Kind != tkObject) fail("the control " + L.Control + " has no property " + L.Property);
            Target = sub->GetSubObject(*Target);
        }
        Prop = Target->ClassType().FindProp(path);
        if (!Prop) {
            std::vector<std::string> names;
            for (const TPropInfo* p : Target->ClassType().AllProps()) names.push_back(p->Name);
            fail("the control " + L.Control + " has no property " + L.Property + DidYouMean(path, names));
        }
    } else if (!SameText(L.Action, "click") && !FindAction(*control, L.Action)) {
        fail("the control " + L.Control + " cannot " + L.Action);
    }
    return control;
}

void TResponseFile::CheckSections(const TForm& Form) const {
    RegisterBuiltInActions();
    TPersistent* target;
    const TPropInfo* prop;
    for (const TSection& s : FSections)
        if (!s.Used && SameText(s.Name, Form.Name()))
            for (const TResponseLine& l : s.Lines) (void)Resolve(Form, l, target, prop);
}

void TResponseFile::Apply(TForm& Form, const TResponseLine& L) {
    auto fail = [&](const std::string& text) { throw EResponseFileError(FFileName, L.Line, text); };
    TPersistent* target;
    const TPropInfo* p;
    TControl* control = Resolve(Form, L, target, p);
    if (L.Action.empty()) {
        try {
            SetPropertyText(*target, *p, L.Value);
        } catch (const EResponseFileError&) {
            throw;
        } catch (const Exception& e) {
            fail(e.Message);
        }
        // Code that changes an edit's text fires no OnChange without a window;
        // with one, the edit's own change notice fires it.
        auto* edit = dynamic_cast<TEdit*>(control);
        if (edit && SameText(L.Property, "Text") && !edit->HandleAllocated() && edit->OnChange)
            edit->OnChange(edit);
    } else if (SameText(L.Action, "click")) {
        if (!control->Visible() || !control->Enabled())
            fail("the control " + L.Control + " of the form " + Form.Name() + " cannot be clicked now");
        control->Click();
    } else {
        const TControlAction* action = FindAction(*control, L.Action);
        // The action's checks report with the line; what the form's handlers
        // raise passes as it is.
        try {
            (*action)(*control, L.Value);
        } catch (const ENoSuchValue& e) {
            fail(e.Message);
        }
    }
    // Handlers run through a window's notification store their exception.
    Application.RaisePendingException();
}

int TResponseFile::AnswerQuestion(const TQuestion& Q) {
    const std::string key = QuestionKey(Q.Msg);
    const TAnswerEntry* found = nullptr;
    for (const TAnswerEntry& a : FAnswers)
        if (!a.Wildcard && a.Text == key) {
            found = &a;
            break;
        }
    for (size_t i = 0; !found && i < FAnswers.size(); ++i)
        if (FAnswers[i].Wildcard && key.compare(0, FAnswers[i].Text.size(), FAnswers[i].Text) == 0)
            found = &FAnswers[i];
    if (!found) return mrNone;
    for (const auto& k : kAnswers)
        if (k.Result == found->Result && Q.Buttons.Contains(k.Button)) return found->Result;
    throw EResponseFileError(FFileName, found->Line,
                             "the question \"" + key + "\" offers no button " + AnswerName(found->Result));
}

std::vector<std::string> TResponseFile::UnusedSections() const {
    std::vector<std::string> out;
    for (const TSection& s : FSections)
        if (!s.Used)
            out.push_back(FFileName + "(" + std::to_string(s.Line) + "): the section [" + s.Name +
                          "] was never used: no form of that name was shown");
    return out;
}

TResponseFile* ActiveResponseFile() { return gResponseFile.get(); }

void SetActiveResponseFile(std::unique_ptr<TResponseFile> File) { gResponseFile = std::move(File); }

void OpenResponseFile(const std::string& FileName) {
    gResponseFile.reset();
    if (FileName.empty()) return;
    gResponseFile = TResponseFile::Load(FileName);
    Log("answering from the response file " + FileName);
}

std::vector<std::string> CheckResponseFileUsed() {
    if (!gResponseFile) return {};
    std::vector<std::string> unused = gResponseFile->UnusedSections();
    for (const std::string& u : unused) Log("Warning: " + u);
    return unused;
}

bool IsUnattended() { return IsSilent() || gResponseFile != nullptr; }

// -------------------------------------------------------------- recording

namespace {

// Writes the response file of a person's run as it goes. A form's section
// begins with the first action on it; a click ends it, so that a form shown
// again (after Back, or after a failed check kept it) gets a section of its
// own. Text typed into one control is held back until another action
// comes: the line then carries the final text.
class TRecorder {
public:
    explicit TRecorder(const std::string& FileName) {
        FHandle = CreateFileA(FileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (FHandle == INVALID_HANDLE_VALUE)
            throw Exception("Cannot create the recording " + FileName + ": " + SysErrorMessage(GetLastOSError()));
        Write("; recorded run: replay with /RESPONSE=" + ExtractFileName(FileName));
    }
    ~TRecorder() {
        FlushText();
        CloseHandle(FHandle);
    }
    TRecorder(const TRecorder&) = delete;
    TRecorder& operator=(const TRecorder&) = delete;

    void Action(TControl& Control, const std::string& Action, const std::string& Value) {
        TForm* form = Control.GetParentForm();
        if (!form || Control.Name().empty()) return;
        if (Action == "text") {
            if (FTextForm == form && FTextControl == Control.Name()) {
                FTextValue = Value;
                return;
            }
            FlushText();
            Section(*form);
            FTextForm = form;
            FTextControl = Control.Name();
            // Controls of several lines keep their text in Lines.
            const TClassInfo& cls = Control.ClassType();
            FTextProperty = !cls.FindProp("Text") && cls.FindProp("Lines") ? "Lines" : "Text";
            FTextValue = Value;
            return;
        }
        FlushText();
        Section(*form);
        if (Action == "click") {
            Write("click " + Control.Name());
            FSectionForm = nullptr;
        } else {
            Write(Action + " " + Control.Name() + " = " + QuestionKey(Value));
        }
    }

    void Question(const TQuestion& Q, int Answer) {
        FlushText();
        if (!FInQuestions) Write("[?]");
        FInQuestions = true;
        FSectionForm = nullptr;
        Write(QuestionKey(Q.Msg) + " = " + AnswerName(Answer));
    }

    // Forgets a form that goes away, so that a new form at its address
    // begins a section of its own.
    void FormGone(const TForm* Form) {
        if (FTextForm == Form) FlushText();
        if (FSectionForm == Form) FSectionForm = nullptr;
    }

private:
    void Section(TForm& Form) {
        if (FSectionForm == &Form && !FInQuestions) return;
        Write("[" + Form.Name() + "]");
        FSectionForm = &Form;
        FInQuestions = false;
    }
    void FlushText() {
        if (!FTextForm) return;
        std::string text = FTextValue;
        if (FTextProperty == "Lines" && text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.resize(text.size() - 2);
        Write(FTextControl + "." + FTextProperty + " = " + QuestionKey(text));
        FTextForm = nullptr;
        FTextControl.clear();
    }
    // Each line goes to the file at once: a run that fails or is ended
    // leaves every line made before.
    void Write(const std::string& Line) {
        const std::string s = Line + "\r\n";
        DWORD written = 0;
        (void)WriteFile(FHandle, s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
    }

    HANDLE FHandle = INVALID_HANDLE_VALUE;
    TForm* FSectionForm = nullptr;
    bool FInQuestions = false;
    TForm* FTextForm = nullptr;
    std::string FTextControl, FTextProperty, FTextValue;
};

std::unique_ptr<TRecorder> gRecorder;

}  // namespace

void StartRecording(const std::string& FileName) {
    StopRecording();
    if (FileName.empty()) return;
    gRecorder = std::make_unique<TRecorder>(FileName);
    SetUserActionObserver([](TControl& c, const std::string& a, const std::string& v) {
        if (gRecorder) gRecorder->Action(c, a, v);
    });
    Log("recording the run into " + FileName);
}

void StopRecording() {
    if (!gRecorder) return;
    SetUserActionObserver(nullptr);
    gRecorder.reset();
}

bool Recording() { return gRecorder != nullptr; }

void RecordQuestion(const TQuestion& Q, int Answer) {
    if (gRecorder) gRecorder->Question(Q, Answer);
}

void RecordFormGone(const TForm* Form) {
    if (gRecorder) gRecorder->FormGone(Form);
}

}  // namespace vtrl
