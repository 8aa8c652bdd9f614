// Unattended runs: the leading run options of the command line (/SILENT,
// /LOG=<file>, /RESPONSE=<file>, /RECORD=<file>, /SCREENSHOTS=<dir>), the
// program arguments left after them, the run log and the responders that
// answer forms and questions when nobody is there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "SysUtils.h"

namespace vtrl {

class TForm;

// ------------------------------------------------------------ command line

// Splits a Windows command line into arguments the way the C runtime does:
// blanks and tabs separate arguments; double quotes group blanks into one
// argument and are removed; inside and outside quotes, 2n backslashes before
// a quote give n backslashes and the quote toggles quoting, 2n+1 give n
// backslashes and a literal quote; other backslashes are literal; "" inside
// quotes gives a literal quote. The first argument (the program path) is
// read more simply: everything up to the closing quote, or up to the first
// blank when it does not begin with a quote, with no backslash rules.
std::vector<std::string> SplitCommandLine(const std::string& CommandLine);

// What the leading run options asked for.
struct TRunOptions {
    bool Silent = false;       // /SILENT: show no window, answer with defaults
    bool Verbose = false;      // /VERBOSE: add timings and memory to the log
    bool NoRestart = false;    // /NORESTART: a restart the run needs is left to the user
    std::string Directory;     // /DIR=<path>: the main destination directory
    std::string Language;      // /LANG=<language>: the language, without the language page
    std::string LogFile;       // /LOG=<file>: append a plain-text run log
    std::string ResponseFile;  // /RESPONSE=<file>: answer forms and questions from it
    std::string RecordFile;    // /RECORD=<file>: write what the person does as a response file
    std::string ScreenshotDir; // /SCREENSHOTS=<dir>: save each answered form as a PNG there
    bool Help = false;         // /? or /HELP: only the usage is wanted
    std::string Unknown;       // the first option that is none of the above
    std::string NoValue;       // an option that takes a value, given without one ("/DIR")
    // The arguments without the run options; Args[0] is the program path.
    std::vector<std::string> Args;
};

// Strips the run options from Argv. The options are the arguments beginning
// with "/" directly after the program path, in any order; the first other
// argument (a source directory, a mode word, a product name) ends them, and
// everything from it on is an ordinary argument. Options are matched
// without regard to case; a later /LOG= (/RESPONSE=, /RECORD=,
// /SCREENSHOTS=) replaces an earlier one. An option that is not /SILENT,
// /VERBOSE, /NORESTART, /DIR=<path>, /LANG=<language>, /LOG=<file>, /RESPONSE=<file>, /RECORD=<file>,
// /SCREENSHOTS=<dir>, /? or /HELP is kept in Unknown (the first one) and
// ends the options, so that a mistyped option can never be taken for a
// source directory; one of those that take a value, given without it
// ("/DIR", "/LOG="), is kept in NoValue and ends them the same way.
TRunOptions ParseRunOptions(std::vector<std::string> Argv);

// The usage a program shows for /?, /HELP or an unknown option: one or more
// lines beginning with the program's command line. Set before
// Application.Initialize.
void SetProgramUsage(const std::string& Usage);
const std::string& ProgramUsage();

// Raised by InitRunOptions for /?, /HELP, an unknown option or an option
// without its value: the message is the program's usage (after "Unknown
// option <x>." or "The option <x> needs a value: ..."). The program does
// nothing else; it ends with exit code 0 when only the usage was asked for
// (Help), else 1.
class EUsage : public Exception {
public:
    using Exception::Exception;
    bool Help = false;
};

// Reads GetCommandLineA, strips the run options, switches silent mode on,
// opens the log and marks the run's beginning in it (RunMark), reads the
// response file, starts the recording and sets
// the screenshot directory as they ask (what an option does not ask for is
// switched off). Called by Application.Initialize; calling it again re-reads
// the command line. Raises Exception when the log file cannot be opened, a
// response file cannot be read or holds a malformed line (naming file and
// line), the recording cannot be created or the screenshot directory cannot
// be made; and EUsage (after silent mode and the log are set up, so that the
// usage reaches both) for /?, /HELP or an unknown option.
void InitRunOptions();
// The same for a given command line (tests, and programs that start
// themselves with a changed command line).
void InitRunOptions(const std::string& CommandLine);

// The arguments after the run options: ParamCount() of them, ParamStr(1) to
// ParamStr(ParamCount()); ParamStr(0) is the program path; an index out of
// range gives an empty text. Before InitRunOptions they come straight from
// GetCommandLineA.
int ParamCount();
std::string ParamStr(int Index);

// ------------------------------------------------------------- silent mode

// True in a silent run: forms are created but never made visible, ShowModal
// returns what the modal responder chooses, questions take their defaults.
bool IsSilent();
void SetSilent(bool Value);

// True when the run was started with /NORESTART: the restart question is
// answered No and Windows is never restarted by the run (it ends with exit
// code 3010 instead when a restart is needed).
bool NoRestartRequested();
void SetNoRestartRequested(bool Value);

// The main destination directory /DIR= gave; empty without the option.
const std::string& RequestedDirectory();
void SetRequestedDirectory(const std::string& Value);
// The language /LANG= named (as written); empty without the option.
const std::string& RequestedLanguage();
void SetRequestedLanguage(const std::string& Value);

// ----------------------------------------------------------------- the log

// Starts appending the run log to FileName (created when missing); an empty
// name ends logging. Raises Exception naming the file and the Windows error
// text when it cannot be opened; logging is then off.
void OpenLog(const std::string& FileName);
void CloseLog();
bool LogEnabled();
// The file the log goes to, as OpenLog was given it; empty while logging is off.
const std::string& LogFileName();
// Appends one line "<program>: <Text>" to the run log, where <program> is
// the lower-case file name of ParamStr(0) without extension. Line breaks
// inside Text are written as " | " so that every entry stays one line. The
// lines carry no time, so two runs of the same work give the same log apart
// from their marks (RunMark). Does nothing while logging is off; write
// failures are ignored (the log must never stop a run).
void Log(const std::string& Text);
// The line that InitRunOptions writes first into the log it opens, so that
// a log many runs append to shows where each begins: "----- yyyy-mm-dd
// hh:mm:ss <file name> (<ProgramPath>) started: <CommandLine>", the local
// time now, line breaks as blanks. InitRunOptions called again while that
// log is open (a program reading its command line again) writes no second
// mark.
std::string RunMark(const std::string& ProgramPath, const std::string& CommandLine);
// The path of the running program's file (ParamStr(0) when Windows cannot
// tell it).
std::string ProgramFilePath();

// A verbose run (/VERBOSE) logs where its time went: the time of named
// phases, how long the program took to reach its work, and its peak memory.
bool IsVerbose();
void SetVerbose(bool Value);

// Adds the time from its construction to its destruction to the phase
// Phase (a text that lives as long as the program, normally a literal) and
// counts one call. Costs nothing but a flag test outside a verbose run.
// Nested timers of different phases each count their own time.
class TPhaseTimer {
public:
    explicit TPhaseTimer(const char* Phase);
    ~TPhaseTimer();
    TPhaseTimer(const TPhaseTimer&) = delete;
    TPhaseTimer& operator=(const TPhaseTimer&) = delete;

private:
    const char* FPhase;
    long long FStart = 0;
};

// In a verbose run, logs "time <phase>: <ms> ms in <n> calls" for every
// phase, in the order their first timings ended, then the process's age
// and its peak working set ("peak memory: <KB> KB"). Does nothing
// otherwise. A program calls it once, before its exit code is logged.
void LogRunFigures();
// Milliseconds since the process was created (its start under Wine
// included); the run logs it when its work begins.
long long ProcessAgeMs();

// Writes Text and a line break to the standard error handle when the
// program has one (a GUI program started from a console under Wine, or with
// redirected handles, inherits it); does nothing otherwise.
void WriteStdErr(const std::string& Text);
// The same on standard output. Both return false when the program has no
// such handle (started from the desktop, not from a console or script).
bool WriteStdOut(const std::string& Text);

// ------------------------------------------------------------- responders

// Decides the modal result of a form that ShowModal is asked to show in a
// silent run. It runs after the form's OnShow and OnActivate, may set
// controls (found by name with FindComponent) and may click buttons; it
// returns the modal result, or mrNone (0) to take the form's ModalResult as
// the clicks left it. Exceptions it raises propagate out of ShowModal. The
// response file reader and the tests install one; null removes it.
using TModalResponder = std::function<int(TForm& Form)>;
void SetModalResponder(TModalResponder Responder);
const TModalResponder& ModalResponder();

}  // namespace vtrl
