// Run options, program arguments, the run log and the silent-run responders.
#include "Unattended.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>

#include "FileShim.h"
#include "ResponseFile.h"
#include "RunOptionValues.h"
#include "Screenshot.h"
#include "SysUtils.h"

namespace vtrl {

namespace {

// Owner of the log file handle: closes it with itself.
class TLogFile {
public:
    TLogFile() = default;
    TLogFile(const TLogFile&) = delete;
    TLogFile& operator=(const TLogFile&) = delete;
    ~TLogFile() { Close(); }
    bool Open(const std::string& Name) {
        Close();
        // Shared for writing too: setup and the uninstall program it starts
        // may append to the same log.
        H = CreateFileA(Name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (H != INVALID_HANDLE_VALUE) FName = Name;
        return H != INVALID_HANDLE_VALUE;
    }
    void Close() {
        if (H != INVALID_HANDLE_VALUE) CloseHandle(H);
        H = INVALID_HANDLE_VALUE;
        FName.clear();
    }
    bool IsOpen() const { return H != INVALID_HANDLE_VALUE; }
    const std::string& Name() const { return FName; }
    void Write(const std::string& s) {
        DWORD written = 0;
        if (IsOpen()) (void)WriteFile(H, s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
    }

private:
    HANDLE H = INVALID_HANDLE_VALUE;
    std::string FName;
};

TLogFile gLog;
bool gSilent = false;
bool gVerbose = false;
bool gNoRestart = false;
std::string gDirectory, gLanguage;
bool gParsed = false;
std::vector<std::string> gArgs;
TModalResponder gModalResponder;
std::string gUsage;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// True when Arg is Prefix (an option with its "=") followed by a value;
// the value is then in Value.
bool OptionValue(const std::string& Arg, std::string_view Prefix, std::string& Value) {
    if (Arg.size() <= Prefix.size() || !SameText(std::string_view(Arg).substr(0, Prefix.size()), Prefix)) return false;
    Value = Arg.substr(Prefix.size());
    return true;
}

void EnsureParsed() {
    if (!gParsed) {
        gArgs = SplitCommandLine(GetCommandLineA());
        gParsed = true;
    }
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& s) {
    std::vector<std::string> out;
    size_t i = 0, n = s.size();
    while (i < n && IsBlank(s[i])) ++i;
    if (i >= n) return out;
    // The program path: no backslash rules, quotes only group.
    std::string first;
    if (s[i] == '"') {
        ++i;
        while (i < n && s[i] != '"') first += s[i++];
        if (i < n) ++i;
    }
    while (i < n && !IsBlank(s[i])) first += s[i++];
    out.push_back(first);
    for (;;) {
        while (i < n && IsBlank(s[i])) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(s[i]))) {
            if (s[i] == '\\') {
                size_t b = 0;
                while (i < n && s[i] == '\\') ++b, ++i;
                if (i < n && s[i] == '"') {
                    arg.append(b / 2, '\\');
                    if (b % 2) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(b, '\\');
                }
            } else if (s[i] == '"') {
                if (quoted && i + 1 < n && s[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += s[i++];
            }
        }
        out.push_back(arg);
    }
    return out;
}

TRunOptions ParseRunOptions(std::vector<std::string> Argv) {
    TRunOptions r;
    size_t i = 1;
    for (; i < Argv.size() && !Argv[i].empty() && Argv[i][0] == '/'; ++i) {
        const std::string& a = Argv[i];
        if (SameText(a, "/SILENT")) {
            r.Silent = true;
        } else if (SameText(a, "/VERBOSE")) {
            r.Verbose = true;
        } else if (SameText(a, "/NORESTART")) {
            r.NoRestart = true;
        } else if (OptionValue(a, "/LOG=", r.LogFile) || OptionValue(a, "/RESPONSE=", r.ResponseFile) ||
                   OptionValue(a, "/DIR=", r.Directory) || OptionValue(a, "/LANG=", r.Language) ||
                   OptionValue(a, "/RECORD=", r.RecordFile) || OptionValue(a, "/SCREENSHOTS=", r.ScreenshotDir)) {
            // taken into r by OptionValue
        } else if (a == "/?" || SameText(a, "/HELP")) {
            r.Help = true;
        } else if (const char* name = OptionWithoutValue(a)) {
            r.NoValue = name;
            ++i;
            break;
        } else {
            r.Unknown = a;
            ++i;
            break;
        }
    }
    if (!Argv.empty()) r.Args.push_back(Argv[0]);
    for (; i < Argv.size(); ++i) r.Args.push_back(Argv[i]);
    return r;
}

std::string ProgramFilePath() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(path, n) : ParamStr(0);
}

std::string RunMark(const std::string& ProgramPath, const std::string& CommandLine) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    std::string line = std::string("----- ") + stamp + " " + ExtractFileName(ProgramPath) + " (" + ProgramPath +
                       ") started: " + CommandLine;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

void SetProgramUsage(const std::string& Usage) { gUsage = Usage; }
const std::string& ProgramUsage() { return gUsage; }

void InitRunOptions() { InitRunOptions(GetCommandLineA()); }

void InitRunOptions(const std::string& CommandLine) {
    TRunOptions o = ParseRunOptions(SplitCommandLine(CommandLine));
    gArgs = std::move(o.Args);
    gParsed = true;
    gSilent = o.Silent;
    gVerbose = o.Verbose;
    gNoRestart = o.NoRestart;
    gDirectory = o.Directory;
    gLanguage = o.Language;
    // A program that reads its command line again (the uninstall program
    // does, to quote its own path) goes on in the run it marked.
    const bool sameLog = LogEnabled() && !o.LogFile.empty() && LogFileName() == o.LogFile;
    OpenLog(o.LogFile);
    if (LogEnabled() && !sameLog) gLog.Write(RunMark(ProgramFilePath(), CommandLine) + "\r\n");
    if (LogEnabled()) {
        std::string line = "start";
        for (size_t i = 1; i < gArgs.size(); ++i) line += " [" + gArgs[i] + "]";
        if (gSilent) line += " (silent)";
        Log(line);
    }
    OpenResponseFile(o.ResponseFile);
    StartRecording(o.RecordFile);
    SetScreenshotDirectory(o.ScreenshotDir);
    const std::string usage =
        gUsage.empty() ? "Usage: " + ExtractFileName(gArgs.empty() ? std::string() : gArgs[0]) +
                             " [/SILENT] [/NORESTART] [/LOG=<file>] [/RESPONSE=<file>] [/RECORD=<file>] [/SCREENSHOTS=<dir>] ..."
                       : gUsage;
    if (!o.Unknown.empty()) throw EUsage("Unknown option " + o.Unknown + "." + "\r\n\r\n" + usage);
    if (!o.NoValue.empty()) throw EUsage(NoValueMessage(o.NoValue) + "\r\n\r\n" + usage);
    if (o.Help) {
        EUsage help(usage);
        help.Help = true;
        throw help;
    }
}

int ParamCount() {
    EnsureParsed();
    return gArgs.empty() ? 0 : static_cast<int>(gArgs.size()) - 1;
}

std::string ParamStr(int Index) {
    EnsureParsed();
    if (Index < 0 || Index >= static_cast<int>(gArgs.size())) return {};
    return gArgs[Index];
}

bool IsSilent() { return gSilent; }
void SetSilent(bool Value) { gSilent = Value; }

void OpenLog(const std::string& FileName) {
    gLog.Close();
    if (FileName.empty()) return;
    if (!gLog.Open(FileName))
        throw Exception("Cannot open the log file " + FileName + ": " + SysErrorMessage(GetLastOSError()));
}

void CloseLog() { gLog.Close(); }
bool LogEnabled() { return gLog.IsOpen(); }
const std::string& LogFileName() { return gLog.Name(); }

void Log(const std::string& Text) {
    if (!gLog.IsOpen()) return;
    std::string line = LowerCase(ChangeFileExt(ExtractFileName(ParamStr(0)), "")) + ": ";
    for (size_t i = 0; i < Text.size(); ++i) {
        char c = Text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
            line += " | ";
        } else {
            line += c;
        }
    }
    line += "\r\n";
    gLog.Write(line);
}

bool IsVerbose() { return gVerbose; }
bool NoRestartRequested() { return gNoRestart; }
const std::string& RequestedDirectory() { return gDirectory; }
void SetRequestedDirectory(const std::string& Value) { gDirectory = Value; }
const std::string& RequestedLanguage() { return gLanguage; }
void SetRequestedLanguage(const std::string& Value) { gLanguage = Value; }
void SetNoRestartRequested(bool Value) { gNoRestart = Value; }
void SetVerbose(bool Value) { gVerbose = Value; }

namespace {

struct TPhase {
    const char* Name;
    long long Ticks;
    long long Calls;
};
std::vector<TPhase> gPhases;

long long Ticks() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

long long TicksPerSecond() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

}  // namespace

TPhaseTimer::TPhaseTimer(const char* Phase) : FPhase(Phase) {
    if (gVerbose) FStart = Ticks();
}

TPhaseTimer::~TPhaseTimer() {
    if (!gVerbose || FStart == 0) return;
    const long long elapsed = Ticks() - FStart;
    for (TPhase& p : gPhases)
        if (p.Name == FPhase || std::strcmp(p.Name, FPhase) == 0) {
            p.Ticks += elapsed;
            ++p.Calls;
            return;
        }
    gPhases.push_back({FPhase, elapsed, 1});
}

long long ProcessAgeMs() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    GetSystemTimeAsFileTime(&now);
    auto value = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
    };
    return (value(now) - value(created)) / 10000;
}

void LogRunFigures() {
    if (!gVerbose) return;
    const long long perSecond = TicksPerSecond();
    for (const TPhase& p : gPhases)
        Log("time " + std::string(p.Name) + ": " + std::to_string(p.Ticks * 1000 / perSecond) + " ms in " +
            std::to_string(p.Calls) + (p.Calls == 1 ? " call" : " calls"));
    Log("process age: " + std::to_string(ProcessAgeMs()) + " ms");
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m))
        Log("peak memory: " + std::to_string(m.PeakWorkingSetSize / 1024) + " KB");
}

namespace {
bool WriteStd(DWORD Which, const std::string& Text) {
    HANDLE h = GetStdHandle(Which);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return false;
    std::string line = Text + "\n";
    DWORD written = 0;
    return WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != 0;
}
}  // namespace

void WriteStdErr(const std::string& Text) { (void)WriteStd(STD_ERROR_HANDLE, Text); }
bool WriteStdOut(const std::string& Text) { return WriteStd(STD_OUTPUT_HANDLE, Text); }

void SetModalResponder(TModalResponder Responder) { gModalResponder = std::move(Responder); }
const TModalResponder& ModalResponder() { return gModalResponder; }

}  // namespace vtrl
