// Exceptions, message formatting and the small text helpers every module uses.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vtrl {

// Base of every failure the kit reports: an object with a message text.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
    // What a person reading the log needs beyond the fixed message: which
    // file, archive or volume, and the cause the system or zlib gave. Not
    // part of the message shown in a box.
    std::string Detail;
};

// E's message for a log line: what() followed by " (" Detail ")" when E is
// an Exception with a detail; what() alone otherwise.
std::string ExceptionLogText(const std::exception& E);

// The silent abort: ends one piece of work quietly. Carries no message and
// is never shown to the user.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

[[noreturn]] void Abort();

// Message translation: every user-visible message template passes through
// here before it is formatted. Until a translator installs itself (the main
// translator of translate/ does) the text comes back unchanged.
std::string TranslateMessageText(std::string_view Text);
// Installs the hook TranslateMessageText calls; an empty function removes
// it and messages pass through unchanged again.
using TMessageTextTranslator = std::function<std::string(std::string_view Text)>;
void SetMessageTextTranslator(TMessageTextTranslator Translator);
// The same for a plain function (null removes the hook).
using TMessageTranslator = std::string (*)(std::string_view Text);
void SetMessageTranslator(TMessageTranslator Translator);

// Keeps a window program responsive during long work: the application
// installs its "process pending messages" routine here; portable code calls
// ProcessMessages between blocks of work. Does nothing until installed.
using TProcessMessagesProc = void (*)();
void ProcessMessages();
void SetProcessMessagesProc(TProcessMessagesProc Proc);

// One argument of Format: a text or a number.
using TFormatArg = std::variant<std::string, int64_t, double>;

// Formats Template the way the system's messages are written:
//   %s text, %d decimal, %x hexadecimal, %n number with thousands separators
//   (as in %0.0n), %% a percent sign. Width and precision are honoured for
//   %d/%x/%s ("%.8x", "%5d", "%-10s"). A missing or mismatched argument
//   raises Exception with "Format '<template>' invalid or incompatible with
//   argument".
std::string Format(std::string_view Template, const std::vector<TFormatArg>& Args);

inline TFormatArg ToFormatArg(const std::string& s) { return s; }
inline TFormatArg ToFormatArg(std::string&& s) { return std::move(s); }
inline TFormatArg ToFormatArg(const char* s) { return std::string(s); }
inline TFormatArg ToFormatArg(std::string_view s) { return std::string(s); }
inline TFormatArg ToFormatArg(double d) { return d; }
template <class I>
    requires std::is_integral_v<I>
inline TFormatArg ToFormatArg(I i) { return static_cast<int64_t>(i); }


template <class... A>
std::string Fmt(std::string_view Template, A&&... Args) {
    std::vector<TFormatArg> v;
    (v.push_back(ToFormatArg(std::forward<A>(Args))), ...);
    return Format(Template, v);
}

// The N-th token (1-based) of Text split at Sep; empty past the end.
std::string GetToken(std::string_view Text, char Sep, int N);
// Number of tokens of Text split at Sep; an empty text has none.
int TokenCount(std::string_view Text, char Sep);
// Adds a backslash to a non-empty path that lacks one.
std::string AddBackSlash(std::string_view Path);
// Removes one trailing backslash, if any.
std::string RemoveBackSlash(std::string_view Path);

std::string Trim(std::string_view s);
std::string UpperCase(std::string_view s);  // ASCII letters only
std::string LowerCase(std::string_view s);  // ASCII letters only
// Compares without regard to case; folds ASCII letters only, so UTF-8 bytes
// of other letters compare exactly.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
// The text of the failure that Body raises, or empty when it raises none:
// for checks that report what an action would meet without stopping at it.
template <class F>
std::string FailureOf(F&& Body) {
    try {
        Body();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// The candidate that Word most likely misspells: the one fewest edits away
// (a letter added, dropped, changed, or two neighbours swapped; case does
// not count), when that is at most a third of Word's length (at least one
// edit) and fewer than Word has letters; the first of equals. Empty when
// none is that close, or when Word is a candidate itself.
std::string ClosestName(std::string_view Word, const std::vector<std::string>& Candidates);
// "; did you mean X?" for ClosestName's answer, or empty: for messages
// about a name that was not found.
std::string DidYouMean(std::string_view Word, const std::vector<std::string>& Candidates);
std::string IntToStr(int64_t v);
// Parses a decimal integer; raises Exception "'%s' is not a valid integer value".
int64_t StrToInt(std::string_view s);
bool TryStrToInt(std::string_view s, int64_t& out);

// File-name pieces; both '\' and '/' separate directories.
std::string ExtractFileName(std::string_view Path);
std::string ExtractFilePath(std::string_view Path);   // with the trailing separator
std::string ExtractFileDir(std::string_view Path);    // without it
std::string ExtractFileExt(std::string_view Path);    // with the dot
std::string ChangeFileExt(std::string_view Path, std::string_view Ext);
// True for a path that names one place whatever the current directory and
// drive: a drive letter, ':' and a separator (C:\X), or a UNC path with a
// server and a share (\\server\share, more may follow). False for X, \X
// (the current drive's root), C:X (the current directory of drive C) and an
// empty path.
bool IsFullPath(std::string_view Path);
// "\x" or "/x", not "\\server\x": a path from the root of whatever drive is
// current, which names another folder on every machine.
bool IsDriveRelativePath(std::string_view Path);

}  // namespace vtrl
