// Tests of the command line split, the run options and the run log.
#include "Unattended.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Dialogs.h"
#include "SysUtils.h"

using namespace vtrl;
using Args = std::vector<std::string>;

// Arguments are split as the C runtime splits them: blanks separate,
// quotes group and vanish, backslashes are literal unless they precede a
// quote.
TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitCommandLine(R"("C:\Prog Files\setup.exe"  a   "b c"	d)"),
              (Args{R"(C:\Prog Files\setup.exe)", "a", "b c", "d"}));
    EXPECT_EQ(SplitCommandLine("setup.exe"), (Args{"setup.exe"}));
    EXPECT_EQ(SplitCommandLine("   "), Args{});
    EXPECT_EQ(SplitCommandLine(R"(x "" y)"), (Args{"x", "", "y"}));
    EXPECT_EQ(SplitCommandLine(R"(x a"b c"d)"), (Args{"x", "ab cd"}));
}

TEST(SplitCommandLine, BackslashesBeforeQuotesAreHalved) {
    EXPECT_EQ(SplitCommandLine(R"(x C:\dir\ "C:\dir\\" \"q\" a\\\"b)"),
              (Args{"x", R"(C:\dir\)", R"(C:\dir\)", R"("q")", R"(a\"b)"}));
    EXPECT_EQ(SplitCommandLine(R"(x "say ""hi""")"), (Args{"x", R"(say "hi")"}));
}

// The program path is read without the backslash rules.
TEST(SplitCommandLine, ProgramPathKeepsBackslashes) {
    EXPECT_EQ(SplitCommandLine(R"("C:\a\"  b)"), (Args{R"(C:\a\)", "b"}));
    EXPECT_EQ(SplitCommandLine(R"(C:\a\b.exe\ c)"), (Args{R"(C:\a\b.exe\)", "c"}));
}

// Run options count only directly after the program path, in any case, and
// are removed; everything from the first other argument on stays.
TEST(ParseRunOptions, LeadingOptionsAreStripped) {
    TRunOptions o = ParseRunOptions({"setup.exe", "/silent", R"(/LOG=C:\my logs\run.txt)", "*BUILD", "x"});
    EXPECT_TRUE(o.Silent);
    EXPECT_EQ(o.LogFile, R"(C:\my logs\run.txt)");
    EXPECT_EQ(o.Args, (Args{"setup.exe", "*BUILD", "x"}));

    EXPECT_FALSE(o.Verbose);
    EXPECT_FALSE(o.NoRestart);
    o = ParseRunOptions({"setup.exe", "/Log=a.log", "/SiLeNt", "/Verbose", "/norestart", "/dir=D:\\Apps\\My App",
                         "/LANG=German"});
    EXPECT_TRUE(o.Silent);
    EXPECT_TRUE(o.Verbose);
    EXPECT_TRUE(o.NoRestart);
    EXPECT_EQ(o.Directory, "D:\\Apps\\My App");
    EXPECT_EQ(o.Language, "German");
    EXPECT_EQ(o.LogFile, "a.log");
    EXPECT_EQ(o.Args, (Args{"setup.exe"}));
}

// The answering options take a name each; without one they say so.
TEST(ParseRunOptions, AnsweringOptionsTakeANameEach) {
    TRunOptions o = ParseRunOptions(
        {"setup.exe", "/Response=a b.rsp", "/RECORD=r.rsp", "/screenshots=C:\\shots", "/RESPONSE=c.rsp", "x"});
    EXPECT_EQ(o.ResponseFile, "c.rsp");
    EXPECT_EQ(o.RecordFile, "r.rsp");
    EXPECT_EQ(o.ScreenshotDir, "C:\\shots");
    EXPECT_EQ(o.Args, (Args{"setup.exe", "x"}));
    for (const char* empty : {"/RESPONSE=", "/RECORD=", "/SCREENSHOTS="})
        EXPECT_EQ(ParseRunOptions({"setup.exe", empty}).NoValue + "=", empty);
}

TEST(ParseRunOptions, OptionsAfterAnArgumentAreArguments) {
    TRunOptions o = ParseRunOptions({"setup.exe", R"(C:\src)", "/SILENT", "/LOG=x"});
    EXPECT_FALSE(o.Silent);
    EXPECT_EQ(o.LogFile, "");
    EXPECT_EQ(o.Args, (Args{"setup.exe", R"(C:\src)", "/SILENT", "/LOG=x"}));
}

// Rule: an option that is not known is reported, never taken for an
// ordinary argument; options in any order before it still count; an
// option that takes a value, given without one ("/LOG=", "/DIR"), is
// reported as such; and /? and /HELP ask for the usage.
TEST(ParseRunOptions, UnknownOptionsAreReportedNotTakenAsArguments) {
    TRunOptions o = ParseRunOptions({"setup.exe", "/SILENT", "/VERYSILENT", "/LOG=x"});
    EXPECT_TRUE(o.Silent);
    EXPECT_EQ(o.Unknown, "/VERYSILENT");
    EXPECT_EQ(o.Args, (Args{"setup.exe", "/LOG=x"}));
    o = ParseRunOptions({"setup.exe", "/FOO", R"(C:\src)"});
    EXPECT_EQ(o.Unknown, "/FOO");
    o = ParseRunOptions({"setup.exe", "/LOG=", "/SILENT"});
    EXPECT_EQ(o.NoValue, "/LOG");
    EXPECT_FALSE(o.Silent);
    for (const auto& [bare, name] : {std::pair{"/DIR", "/DIR"}, {"/dir=", "/DIR"}, {"/Lang", "/LANG"}}) {
        o = ParseRunOptions({"setup.exe", bare});
        EXPECT_EQ(o.Unknown, "") << bare;
        EXPECT_EQ(o.NoValue, name) << bare;
    }
    o = ParseRunOptions({"setup.exe", "/LOG=a", "/LOG=b"});
    EXPECT_EQ(o.LogFile, "b");
    EXPECT_EQ(o.Unknown, "");
    for (const char* help : {"/?", "/help", "/HELP"}) {
        o = ParseRunOptions({"setup.exe", "/LOG=a", help, "*BUILD"});
        EXPECT_TRUE(o.Help) << help;
        EXPECT_EQ(o.Unknown, "") << help;
        EXPECT_EQ(o.Args, (Args{"setup.exe", "*BUILD"})) << help;
    }
}

namespace {
std::string ScratchDir() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string dir = std::string(tmp) + "vtrl_ui_test_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}
std::string ReadFile(const std::string& name) {
    std::ifstream f(name, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
}  // namespace

// A verbose run logs the time of each phase (nested phases each count their
// own), the process's age and its peak memory; any other run logs none of
// it and its timers cost nothing.
TEST(InitRunOptions, AVerboseRunLogsItsFigures) {
    std::string dir = ScratchDir();
    std::string log = dir + "\\figures.log";
    InitRunOptions("ui_test.exe \"/LOG=" + log + "\"");
    {
        TPhaseTimer quiet("quiet phase");
    }
    LogRunFigures();
    InitRunOptions("ui_test.exe /VERBOSE \"/LOG=" + log + "\"");
    EXPECT_TRUE(IsVerbose());
    for (int i = 0; i < 3; ++i) {
        TPhaseTimer outer("outer phase");
        TPhaseTimer inner("inner phase");
        Sleep(2);
    }
    LogRunFigures();
    CloseLog();
    InitRunOptions("ui_test.exe");
    EXPECT_FALSE(IsVerbose());
    const std::string text = ReadFile(log);
    EXPECT_EQ(text.find("quiet phase"), std::string::npos);
    EXPECT_NE(text.find("ui_test: time inner phase: "), std::string::npos) << text;
    EXPECT_NE(text.find(" ms in 3 calls\r\nui_test: time outer phase: "), std::string::npos) << text;
    EXPECT_NE(text.find("ui_test: process age: "), std::string::npos) << text;
    EXPECT_NE(text.find("ui_test: peak memory: "), std::string::npos) << text;
    EXPECT_EQ(text.find("peak memory: 0 KB"), std::string::npos) << text;
    DeleteFileA(log.c_str());
    RemoveDirectoryA(dir.c_str());
}

// Text without the lines that mark where a run begins.
std::string WithoutMarks(const std::string& Text) {
    std::istringstream in(Text);
    std::string out, line;
    while (std::getline(in, line))
        if (line.rfind("----- ", 0) != 0) out += line + "\n";
    return out;
}

// Text's lines without their line breaks.
std::vector<std::string> LinesOf(const std::string& Text) {
    std::istringstream in(Text);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

// ParamStr and ParamCount see the arguments after the options; the log is
// opened by the options and appended to, one prefixed line per entry.
TEST(InitRunOptions, ArgumentsAndLogFromTheCommandLine) {
    std::string dir = ScratchDir();
    std::string log = dir + "\\r\xC3\xA9sum\xC3\xA9 run.log";  // UTF-8 name: needs the manifest's code page
    InitRunOptions("\"C:\\x\\ui_test.exe\" /SILENT \"/LOG=" + log + "\" \"C:\\Source Dir\" two");
    EXPECT_TRUE(IsSilent());
    EXPECT_TRUE(LogEnabled());
    EXPECT_EQ(ParamCount(), 2);
    EXPECT_EQ(ParamStr(0), "C:\\x\\ui_test.exe");
    EXPECT_EQ(ParamStr(1), "C:\\Source Dir");
    EXPECT_EQ(ParamStr(2), "two");
    EXPECT_EQ(ParamStr(3), "");
    EXPECT_EQ(ParamStr(-1), "");
    Log("two\r\nlines");
    CloseLog();
    InitRunOptions("ui_test.exe \"/LOG=" + log + "\"");
    EXPECT_FALSE(IsSilent());
    Log("appended");
    CloseLog();
    EXPECT_EQ(WithoutMarks(ReadFile(log)),
              "ui_test: start [C:\\Source Dir] [two] (silent)\r\n"
              "ui_test: two | lines\r\n"
              "ui_test: start\r\n"
              "ui_test: appended\r\n");
    DeleteFileA(log.c_str());
    RemoveDirectoryA(dir.c_str());
    InitRunOptions("ui_test.exe");
    EXPECT_FALSE(LogEnabled());
    Log("nowhere");  // logging off: nothing happens
}

// Rule: each run marks its beginning as the first line it writes to the
// log: "----- ", the local date and time, the program's file name and path,
// "started: " and the whole command line. Two runs appending to one file
// give two marks, each before its own run's lines; a program reading its
// command line again while its log is open goes on in the run it marked.
TEST(InitRunOptions, EachRunIsMarkedInTheLog) {
    std::string dir = ScratchDir();
    std::string log = dir + "\\runs.log";
    const std::string first = "\"C:\\x\\ui_test.exe\" /SILENT \"/LOG=" + log + "\" one";
    const std::string second = "ui_test.exe \"/LOG=" + log + "\" two \"C:\\Source Dir\"";
    InitRunOptions(first);
    Log("first run");
    InitRunOptions(first);
    Log("still the first run");
    CloseLog();
    InitRunOptions(second);
    Log("second run");
    CloseLog();
    const std::vector<std::string> lines = LinesOf(ReadFile(log));
    ASSERT_EQ(lines.size(), 8u) << ReadFile(log);
    const std::string program = ProgramFilePath();
    const std::string tail = " " + ExtractFileName(program) + " (" + program + ") started: ";
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    for (const auto& [index, commandLine] : {std::pair<size_t, std::string>{0, first}, {5, second}}) {
        const std::string& mark = lines[index];
        ASSERT_GE(mark.size(), 25u) << mark;
        EXPECT_EQ(mark.substr(0, 6), "----- ");
        EXPECT_EQ(mark.substr(25), tail + commandLine);
        // The stamp is the local time of the run: within a minute of now.
        SYSTEMTIME stamp{};
        ASSERT_EQ(std::sscanf(mark.c_str() + 6, "%4hu-%2hu-%2hu %2hu:%2hu:%2hu", &stamp.wYear, &stamp.wMonth,
                              &stamp.wDay, &stamp.wHour, &stamp.wMinute, &stamp.wSecond),
                  6)
            << mark;
        FILETIME local, utc;
        ASSERT_TRUE(SystemTimeToFileTime(&stamp, &local));
        ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
        const auto ticks = [](const FILETIME& t) {
            return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        EXPECT_LT(std::llabs(ticks(now) - ticks(utc)), 60LL * 10000000) << mark;
    }
    EXPECT_EQ(lines[1], "ui_test: start [one] (silent)");
    EXPECT_EQ(lines[2], "ui_test: first run");
    EXPECT_EQ(lines[3], "ui_test: start [one] (silent)");
    EXPECT_EQ(lines[4], "ui_test: still the first run");
    EXPECT_EQ(lines[6], "ui_test: start [two] [C:\\Source Dir]");
    EXPECT_EQ(lines[7], "ui_test: second run");
    // A command line is one line in the log.
    const std::string mark = RunMark("C:\\Dist\\setup.exe", "setup.exe a\r\nb");
    EXPECT_EQ(mark.substr(25), " setup.exe (C:\\Dist\\setup.exe) started: setup.exe a  b");
    DeleteFileA(log.c_str());
    RemoveDirectoryA(dir.c_str());
    InitRunOptions("ui_test.exe");
}

// Rule: an unknown option or /? raises the usage only after silent mode and
// the log are set up, so that a silent run reports it in its log.
TEST(InitRunOptions, UnknownOptionRaisesTheUsageAfterTheLogIsOpen) {
    std::string dir = ScratchDir();
    std::string log = dir + "\\usage.log";
    SetProgramUsage("Usage: ui_test.exe [/SILENT] [/LOG=<file>] DIR");
    try {
        InitRunOptions("ui_test.exe /SILENT \"/LOG=" + log + "\" /FOO C:\\src");
        FAIL() << "no exception";
    } catch (const EUsage& e) {
        EXPECT_EQ(std::string(e.what()), "Unknown option /FOO.\r\n\r\nUsage: ui_test.exe [/SILENT] [/LOG=<file>] DIR");
    }
    EXPECT_TRUE(IsSilent());
    EXPECT_TRUE(LogEnabled());
    try {
        InitRunOptions("ui_test.exe /SILENT \"/LOG=" + log + "\" /DIR C:\\src");
        FAIL() << "no exception";
    } catch (const EUsage& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The option /DIR needs a value: /DIR=<path>.\r\n\r\nUsage: ui_test.exe [/SILENT] [/LOG=<file>] DIR");
        EXPECT_FALSE(e.Help);
    }
    try {
        InitRunOptions("ui_test.exe /SILENT \"/LOG=" + log + "\" /?");
        FAIL() << "no exception";
    } catch (const EUsage& e) {
        EXPECT_TRUE(e.Help);
    }
    // Asked for, the usage ends the program well; given for a mistake, not.
    EXPECT_EQ(RunProgram([] {
                  InitRunOptions("ui_test.exe /SILENT /?");
                  return 5;
              }),
              0);
    EXPECT_EQ(RunProgram([] {
                  InitRunOptions("ui_test.exe /SILENT /S");
                  return 5;
              }),
              1);
    CloseLog();
    EXPECT_NE(ReadFile(log).find("ui_test: start [C:\\src] (silent)"), std::string::npos) << ReadFile(log);
    DeleteFileA(log.c_str());
    RemoveDirectoryA(dir.c_str());
    SetProgramUsage("");
    InitRunOptions("ui_test.exe");
}

TEST(InitRunOptions, UnopenableLogRaisesWithTheName) {
    try {
        InitRunOptions("ui_test.exe \"/LOG=Z:\\no such dir\\x\\y.log\"");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("no such dir\\x\\y.log"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(LogEnabled());
    InitRunOptions("ui_test.exe");
}

// The manifest declares UTF-8 as the ANSI code page; Wine honours it.
TEST(Manifest, CodePageIsUtf8) { EXPECT_EQ(GetACP(), 65001u); }
