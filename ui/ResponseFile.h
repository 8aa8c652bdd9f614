// Response files: the answers of an unattended run in a plain text that a
// person can write by hand, and the recorder that writes one while a person
// goes through the forms.
//
//   ; a comment
//   [WelcomeForm]                        the next showing of a form, by Name
//   click NextBtn                        Click, as a person's click
//   [SelectFolderForm]
//   FolderEdit.Text = My Folder          a published property, through TypInfo
//   FolderEdit.Font.Size = 10            ... of a sub-object too
//   select FolderListBox = Accessories   a list item by text, or #index
//   select TypeGroup = #1                a radio group's item, the same way
//   select LanguageGrid = 1,0            a grid's cell: column, row
//   select GroupTree = Root\Source files a tree's node by its path
//   check AgreeBox = 1                   a check box (1/0, true/false)
//   click NextBtn
//   [?]                                  questions asked with MessageDlg
//   Do you want to remove the shared file %s? = No
//   Replace the file C:\a* = Yes         a trailing * matches any end
//
// Lines are trimmed; values run from the "=" to the end of the line. A form
// shown several times uses its sections in order; a question may be asked
// any number of times. A question's line breaks are written " | ", as the
// log writes them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

class TClassInfo;
class TStringList;
class TControl;
class TForm;
class TPersistent;
struct TPropInfo;
struct TQuestion;

// A response file that cannot be followed: a malformed line (when the file
// is read), or a line naming a control, property, item or answer that is
// not there (when it is used). The message is "FILE(LINE): text".
class EResponseFileError : public Exception {
public:
    EResponseFileError(const std::string& FileName, int Line, const std::string& Text);
    std::string FileName;
    int Line;
};

// Raised by a control action for a value the control does not have (an
// item, cell or node); the response file adds its file and line.
class ENoSuchValue : public Exception {
public:
    using Exception::Exception;
};

// What "<Action> <control> = <value>" does to a control: sets what a
// person would choose and fires the events the person's choice fires.
// Raises ENoSuchValue for a value the control does not have. Built in:
// "select" of list boxes and "check" of check boxes and radio buttons; the
// modules of radio groups, tabs, grids and trees register their "select"
// (so a program that has none of them links none of them).
using TControlAction = std::function<void(TControl& Control, const std::string& Value)>;
// Makes Action work on controls of Class and its descendants; a later
// registration for the same class and action replaces the earlier one.
void RegisterControlAction(const TClassInfo& Class, const std::string& Action, TControlAction Do);

// An item of Items by its text (exact, then without regard to case) or by
// "#index"; -1 when there is none. The "select" actions use it.
int FindResponseItem(const TStringList& Items, const std::string& Value);

// One line of a form section.
struct TResponseLine {
    int Line = 0;
    std::string Action;    // "click", "select", ..., or empty for a property
    std::string Control;   // the control's name
    std::string Property;  // for a property: its path ("Text", "Font.Size")
    std::string Value;
};

// A parsed response file and what of it has been used.
class TResponseFile {
public:
    // Parses Text (UTF-8, a leading byte-order mark is skipped). Raises
    // EResponseFileError for the first malformed line.
    TResponseFile(std::string FileName, std::string_view Text);
    // Reads and parses a file; raises Exception when it cannot be read.
    static std::unique_ptr<TResponseFile> Load(const std::string& FileName);

    const std::string& FileName() const { return FFileName; }
    // Applies the next unused section named as Form, line by line, to the
    // components Form owns; returns false (doing nothing) when none is
    // left. Raises EResponseFileError for a line that cannot be followed;
    // exceptions the form's handlers raise pass unchanged. Where names the
    // section used ("FILE(LINE)").
    bool AnswerForm(TForm& Form, std::string& Where);
    // The answer given for a question: the entry with its exact text, else
    // the first whose text ends in "*" and matches up to it; mrNone when
    // none matches. Raises EResponseFileError when the answer is not one of
    // the question's buttons.
    int AnswerQuestion(const TQuestion& Q);
    // "FILE(LINE): the section [Name] was never used" for every form
    // section that no form took, in file order.
    std::vector<std::string> UnusedSections() const;
    // Checks the unused sections named as Form against its controls, as
    // answering would but changing nothing: each line's control, property
    // and action must exist (the values are the form's to judge when it is
    // shown). Raises EResponseFileError for the first line that fails, so
    // that a run can stop before its work for a form that comes after it.
    void CheckSections(const TForm& Form) const;

private:
    struct TSection {
        std::string Name;
        int Line = 0;
        bool Used = false;
        std::vector<TResponseLine> Lines;
    };
    struct TAnswerEntry {
        std::string Text;  // without the trailing "*" of a wildcard
        bool Wildcard = false;
        int Result = 0;
        int Line = 0;
    };
    void ParseLine(const std::string& Line, int Number, TSection*& Section, bool& InQuestions);
    void Apply(TForm& Form, const TResponseLine& L);
    // The control of L on Form, and for a property line the object and
    // property it sets; raises as Apply does when one does not exist.
    TControl* Resolve(const TForm& Form, const TResponseLine& L, TPersistent*& Target, const TPropInfo*& Prop) const;
    std::string FFileName;
    std::vector<TSection> FSections;
    std::vector<TAnswerEntry> FAnswers;
};

// The response file of this run (/RESPONSE=), or null.
TResponseFile* ActiveResponseFile();
// Reads FileName as this run's response file; an empty name ends the use of
// one. Raises as TResponseFile::Load does, leaving no response file.
void OpenResponseFile(const std::string& FileName);
// Installs a parsed response file (tests); null removes it.
void SetActiveResponseFile(std::unique_ptr<TResponseFile> File);
// At the end of a run: logs every unused form section of the response file
// as a warning and returns them (empty when all were used or there is no
// file).
std::vector<std::string> CheckResponseFileUsed();

// Forms and questions are answered without a person: a silent run, or a
// run with a response file.
bool IsUnattended();

// A question's text as a response file holds it: each line break (CR LF,
// LF or CR) written " | ".
std::string QuestionKey(const std::string& Msg);
// The name of a modal result as response files write it ("OK", "Yes", ...).
std::string AnswerName(int Result);

// ------------------------------------------------------------- recording

// Starts writing what a person does to the forms' controls into FileName
// (created anew), as a response file that replays the run: one section per
// form showing, the control actions in the order made (successive text
// changes of one control collapsed into one line with the final text),
// questions with their answers. Each line is written when it is complete,
// so that a cancelled or failed run leaves a usable file. An empty name
// stops recording. Raises Exception naming the file and the Windows error
// when it cannot be created.
void StartRecording(const std::string& FileName);
// Writes what is still held back and closes the file.
void StopRecording();
bool Recording();
// Records a question and the answer it got.
void RecordQuestion(const TQuestion& Q, int Answer);
// Told by a form that goes away (its address may be reused).
void RecordFormGone(const TForm* Form);

}  // namespace vtrl
