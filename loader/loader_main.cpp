// The loading program, shipped as "setup.exe" in a distribution: unpacks the
// setup program and its presetup files from "setup.1" (beside it, or
// appended to it) into a private temporary directory, starts the setup
// program with the source directory, waits for it and removes the directory
// again. Its exit codes are in constants_Loader.h.
//
// Command line: setup.exe [/SILENT] [/LOG=<file>] [/VERBOSE] [/RESPONSE=<file>]
//               [/RECORD=<file>] [/SCREENSHOTS=<dir>]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "FileShim.h"
#include "RunOptionValues.h"
#include "SysUtils.h"
#include "constants_Loader.h"
#include "routines_Loader.h"

using namespace vtrl;

namespace {

TLoaderOptions gOptions;

// Appends Line and a line break to the run log the setup program writes as
// well; the file is open only for the moment of writing, so both programs
// can append.
void AppendToLog(const std::string& Line) {
    if (gOptions.LogFile.empty()) return;
    HANDLE h = CreateFileA(gOptions.LogFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::string line = Line + "\r\n";
    DWORD written;
    WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
}

void LoaderLog(const std::string& Text) { AppendToLog("loader: " + Text); }

// The run's first line, as the setup and uninstall programs mark theirs
// (the window toolkit's RunMark, which this program does not link):
// "----- yyyy-mm-dd hh:mm:ss <file name> (<path>) started: <command line>".
void LogRunMark() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path, n < MAX_PATH ? n : 0);
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    AppendToLog(std::string("----- ") + stamp + " " + ExtractFileName(self) + " (" + self +
                ") started: " + GetCommandLineA());
}

// The window system is loaded only to show a failure: a program that
// imports it starts the display side of Windows (under Wine, the desktop
// process) before its first line runs, and the setup program it starts
// pays for that again.
void ShowMessageBox(const std::string& Message) {
    using TMessageBox = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
    HMODULE user32 = LoadLibraryA("user32.dll");
    if (!user32) return;
    if (auto box = reinterpret_cast<TMessageBox>(reinterpret_cast<void*>(GetProcAddress(user32, "MessageBoxA"))))
        box(nullptr, Message.c_str(), "Setup", MB_OK | MB_ICONERROR);
}

// Writes Text to the standard handle Which; false when the program has
// none (started from the desktop rather than a console or a script).
bool WriteStd(DWORD Which, const std::string& Text) {
    HANDLE h = GetStdHandle(Which);
    if (!h || h == INVALID_HANDLE_VALUE) return false;
    DWORD written;
    const std::string line = Text + "\n";
    return WriteFile(h, line.data(), DWORD(line.size()), &written, nullptr) != 0;
}

// A failure of the loader itself: logged, written to standard error (when
// there is one: a script that started it reads it there) and, unless the
// run is silent, shown in a message box.
int Fail(int Code, const std::string& Message) {
    LoaderLog(Message);
    LoaderLog("Exit code " + IntToStr(Code));
    WriteStd(STD_ERROR_HANDLE, "setup: " + Message);
    if (!gOptions.Silent) ShowMessageBox(Message);
    return Code;
}

// The usage asked for: on standard output, or in a box where there is no
// console to print it on; the program ends well.
int ShowUsage() {
    LoaderLog("Usage asked for");
    if (!WriteStd(STD_OUTPUT_HANDLE, LoaderUsage) && !gOptions.Silent) ShowMessageBox(LoaderUsage);
    return 0;
}

// A program started from a download folder must not load a planted DLL
// from there: only the system directory is searched for libraries loaded
// later (the static imports are system libraries that Windows takes from
// its known-DLL list).
void HardenLibrarySearch() {
    SetDllDirectoryA("");
    using TSetDefault = BOOL(WINAPI*)(DWORD);
    // Present from Windows 8 (and 7 with an update); resolved at run time.
    if (auto f = reinterpret_cast<TSetDefault>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories"))))
        f(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Removes what earlier loaders that were ended left in the temporary
// directory, beside Own, and logs it.
void SweepStaleTempDirectories(const std::string& Own) {
    for (const TStaleDirectory& d : RemoveStaleTempDirectories(ExtractFileDir(Own), Own)) {
        if (d.Removed) LoaderLog("Removed the stale temporary directory " + d.Dir);
        else LoaderLog("The stale temporary directory " + d.Dir + " stays: " + d.Note);
    }
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = {};
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

int RunLoader() {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.push_back(__argv[i]);
    gOptions = ParseLoaderOptions(args, CurrentDirectory());
    LogRunMark();
    // Nothing is unpacked or started for a wrong command line: a mistyped
    // option must not install the product.
    if (!gOptions.Unknown.empty())
        return Fail(LoaderExitUsage, "Unknown option " + gOptions.Unknown + ".\r\n\r\n" + LoaderUsage);
    if (!gOptions.NoValue.empty())
        return Fail(LoaderExitUsage, NoValueMessage(gOptions.NoValue) + "\r\n\r\n" + LoaderUsage);
    if (gOptions.Help) return ShowUsage();

    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path, n);
    TDistributionParts parts;
    if (!LocateParts(self, parts)) {
        if (!parts.Damage.empty())
            return Fail(LoaderExitExtractFailed, "The setup program " + self + " is damaged: " + parts.Damage);
        return Fail(LoaderExitNoDistribution,
                    "The setup files are incomplete: " + ExtractFilePath(self) + "setup.1 was not found");
    }
    LoaderLog(parts.SelfExtracting ? "Self-extracting setup " + self : "Setup archive " + parts.SetupArchive);

    std::string temp, setup;
    intptr_t lock = -1;
    const ULONGLONG unpackStart = GetTickCount64();
    try {
        temp = CreatePrivateTempDirectory();
        // Held until this program ends: a loader that is ended without
        // cleaning up leaves it behind, free, for the next one to find.
        lock = CreateTempLock(temp);
        if (lock == -1) LoaderLog("Cannot create the lock file in " + temp + " (Windows error " +
                                  IntToStr(GetLastError()) + "); it is not removed if this program is ended");
        SweepStaleTempDirectories(temp);
        setup = UnpackSetupArchive(parts, temp);
    } catch (const std::exception& e) {
        if (!temp.empty()) {
            ReleaseTempLock(lock, temp);
            RemoveTempDirectory(temp);
        }
        return Fail(LoaderExitExtractFailed, std::string("Cannot unpack the setup program: ") + e.what());
    }
    const std::string cmd = SetupCommandLine(setup, gOptions, parts, self);
    if (gOptions.Verbose) LoaderLog("Unpacked the setup program in " + IntToStr(GetTickCount64() - unpackStart) + " ms");
    LoaderLog("Starting " + cmd);
    uint32_t code;
    const ULONGLONG runStart = GetTickCount64();
    try {
        code = RunAndWait(setup, cmd);
    } catch (const std::exception& e) {
        ReleaseTempLock(lock, temp);
        RemoveTempDirectory(temp);
        return Fail(LoaderExitStartFailed, e.what());
    }
    // Without its lock file a kept directory is never taken for stale.
    if (!ReleaseTempLock(lock, temp))
        LoaderLog("Cannot delete the lock file in " + temp + " (Windows error " + IntToStr(GetLastError()) + ")");
    if (code == LoaderExitRestartNeeded) {
        // The continuation after the restart runs the setup program from
        // there and removes its files itself.
        LoaderLog("Setup needs its files after the restart; kept " + temp);
    } else if (!RemoveTempDirectory(temp)) {
        LoaderLog("Could not remove " + temp);
    }
    if (gOptions.Verbose) LoaderLog("The setup program ran " + IntToStr(GetTickCount64() - runStart) + " ms");
    LoaderLog("Exit code " + IntToStr(code));
    return static_cast<int>(code);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HardenLibrarySearch();
    try {
        return RunLoader();
    } catch (const std::exception& e) {
        return Fail(LoaderExitStartFailed, e.what());
    }
}
