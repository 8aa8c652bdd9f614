#include "routines_Signing.h"

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "Classes.h"
#include "FileShim.h"
#include "Forms.h"
#include "SysUtils.h"
#include "routines_Trailer.h"

namespace vtrl {

namespace {

// Wine's own exports: the host path of a Windows path, and running a host
// program, waiting for its exit status when Wait is set.
using TUnixFileName = char*(CDECL*)(const wchar_t*);
using TUnixSpawn = long(CDECL*)(char* const* Argv, int Wait);

// The last lines of a signing command's output that its failure shows.
constexpr size_t OutputLinesShown = 12;

void* WineExport(const char* Module, const char* Name) {
    HMODULE m = GetModuleHandleA(Module);
    return m ? reinterpret_cast<void*>(GetProcAddress(m, Name)) : nullptr;
}

std::string HostPath(const std::string& Path) {
    auto unixName = reinterpret_cast<TUnixFileName>(WineExport("kernel32.dll", "wine_get_unix_file_name"));
    const int n = MultiByteToWideChar(CP_ACP, 0, Path.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, Path.c_str(), -1, wide.data(), n);
    char* host = unixName ? unixName(wide.c_str()) : nullptr;
    if (!host) throw Exception("Cannot tell the host's path of " + Path);
    std::string result(host);
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

std::string Quoted(const std::string& Path, bool HostShell) {
    if (!HostShell) return "\"" + Path + "\"";  // a Windows path holds no quote
    std::string q = "'";
    for (char c : Path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs Work on a thread of its own while the build's window goes on
// answering, and returns what Work returned.
long WhilePumping(const std::function<long()>& Work) {
    std::atomic<bool> done = false;
    long result = -1;
    std::thread worker([&] {
        result = Work();
        done = true;
    });
    while (!done) {
        ProcessMessages();
        Sleep(10);
    }
    worker.join();
    return result;
}

// True when File is a PE image with a sound certificate table: inside the
// file, at its end, not over archives.
bool CarriesSignature(const std::string& File) {
    TFileHandleOwner f(FileOpenRead(File));
    if (!f.Valid()) return false;
    const TTrailerPlace place = FindTrailer(f.Get());
    return place.Signed && place.Damage.empty();
}

void CopyDate(const std::string& From, const std::string& To) {
    TFileHandleOwner from(FileOpenRead(From)), to(FileOpenReadWrite(To));
    const int32_t date = from.Valid() ? FileGetDate(from.Get()) : -1;
    if (date == -1 || !to.Valid() || !FileSetDate(to.Get(), date))
        throw Exception("Cannot give the signed copy " + To + " the date of " + From);
}

}  // namespace

std::string SigningCommandLine(const std::string& Command, const std::string& In, const std::string& Out,
                               bool HostShell) {
    std::string line;
    for (size_t i = 0; i < Command.size(); ++i) {
        if (Command[i] == '%' && i + 1 < Command.size() && (Command[i + 1] == '1' || Command[i + 1] == '2')) {
            line += Quoted(Command[i + 1] == '1' ? In : Out, HostShell);
            ++i;
        } else {
            line += Command[i];
        }
    }
    return line;
}

bool TProgramSigner::HostShell() {
    return WineExport("ntdll.dll", "__wine_unix_spawnvp") && WineExport("kernel32.dll", "wine_get_unix_file_name");
}

TProgramSigner::TProgramSigner(std::string Command, TLogProc Log, bool HostShell)
    : FCommand(std::move(Command)), FLog(std::move(Log)), FHostShell(HostShell) {
    if (FCommand.find("%1") == std::string::npos)
        throw Exception("The SignCommand of BUILD.INF names no %1, the program to sign: " + FCommand);
    if (FHostShell && !TProgramSigner::HostShell()) throw Exception("The host's shell runs commands only under Wine");
    const std::string temp = GetTempDirectory();
    for (int n = 0; n < 1000 && FScratch.empty(); ++n) {
        const std::string dir = temp + "vtrlsign" + IntToStr(GetCurrentProcessId()) + "-" + IntToStr(n);
        if (CreateDirectoryA(dir.c_str(), nullptr)) FScratch = dir + "\\";
        else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (FScratch.empty())
        throw Exception("Cannot make a folder for signing in " + temp + ": " + SysErrorMessage(GetLastOSError()));
}

TProgramSigner::~TProgramSigner() {
    // A process the command left behind (a console host, a virus scanner
    // looking at the signed program) may hold a file for a moment.
    for (int attempt = 0; attempt < 40; ++attempt) {
        bool busy = false;
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((FScratch + "*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !FileDelete(FScratch + found.cFileName))
                    busy = busy || GetLastError() == ERROR_SHARING_VIOLATION;
            } while (FindNextFileA(h, &found));
            FindClose(h);
        }
        if (!busy) break;
        Sleep(50);
    }
    RemoveDirectoryA(FScratch.c_str());
}

void TProgramSigner::Run(const std::string& Input, const std::string& Output, const std::string& Program) {
    const std::string outputFile = FScratch + "output" + IntToStr(FRuns) + ".txt";
    long code = -1;
    if (FHostShell) {
        // It runs in the current folder (the setup program's, in a build),
        // as a command run by cmd.exe does, so relative paths in it work.
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        const std::string line = "exec >" + Quoted(HostPath(outputFile), true) + " 2>&1 </dev/null\ncd " +
                                 Quoted(HostPath(current), true) + " || exit 126\n" +
                                 SigningCommandLine(FCommand, HostPath(Input),
                                                    Output.empty() ? std::string() : HostPath(Output), true);
        auto spawn = reinterpret_cast<TUnixSpawn>(WineExport("ntdll.dll", "__wine_unix_spawnvp"));
        std::string sh = "/bin/sh", c = "-c", script = line;
        char* argv[] = {sh.data(), c.data(), script.data(), nullptr};
        code = WhilePumping([&] { return spawn(argv, 1); });
    } else {
        const std::string line = SigningCommandLine(FCommand, Input, Output, false);
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        HANDLE in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                0, nullptr);
        char comspec[MAX_PATH] = "cmd.exe";
        GetEnvironmentVariableA("ComSpec", comspec, MAX_PATH);
        std::string cmd = std::string("\"") + comspec + "\" /d /s /c \"" + line + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = in;
        si.hStdOutput = si.hStdError = out;
        PROCESS_INFORMATION pi{};
        const bool started = out != INVALID_HANDLE_VALUE &&
                             CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                                            nullptr, &si, &pi);
        const int error = GetLastOSError();
        if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
        if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
        if (!started) throw Exception("Cannot run the signing command " + line + ": " + SysErrorMessage(error));
        code = WhilePumping([&] {
            DWORD exit = 1;
            WaitForSingleObject(pi.hProcess, INFINITE);
            GetExitCodeProcess(pi.hProcess, &exit);
            return static_cast<long>(exit);
        });
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    ++FRuns;

    // The output goes into the log line by line, and its last lines into
    // the failure, which a message box may show.
    TStringList lines;
    // The shell makes the file first; only a shell that did not start
    // leaves none, and its exit code says so.
    lines.SetText(FileExists(outputFile) ? ReadWholeFile(outputFile, "the signing command's output") : "");
    std::vector<std::string> shown;
    for (int i = 0; i < lines.Count(); ++i)
        if (!Trim(lines[i]).empty()) {
            FLog("  " + lines[i]);
            shown.push_back(lines[i]);
        }
    std::string output;
    if (shown.size() > OutputLinesShown) output = "\r\n...";
    for (size_t i = shown.size() > OutputLinesShown ? shown.size() - OutputLinesShown : 0; i < shown.size(); ++i)
        output += "\r\n" + shown[i];
    if (code != 0)
        throw Exception("The signing command failed on " + Program + " (exit code " + IntToStr(code) + "):" +
                        output);
    const std::string& result = Output.empty() ? Input : Output;
    if (!CarriesSignature(result))
        throw Exception("The signing command left " + Program + " without a signature:" + output);
}

std::string TProgramSigner::SignedCopy(const std::string& Program) {
    FLog("Signing " + Program);
    const std::string name = FScratch + IntToStr(FRuns) + "-" + ExtractFileName(Program);
    const bool separate = FCommand.find("%2") != std::string::npos;
    const std::string copy = separate ? name + ".unsigned" : name;
    if (!CopyFileA(Program.c_str(), copy.c_str(), FALSE))
        throw Exception("Cannot copy " + Program + " to sign it: " + SysErrorMessage(GetLastOSError()));
    Run(copy, separate ? name : std::string(), Program);
    CopyDate(Program, name);
    return name;
}

void TProgramSigner::SignInPlace(const std::string& File) {
    FLog("Signing " + File);
    if (FCommand.find("%2") == std::string::npos) {
        Run(File, std::string(), File);
        return;
    }
    const std::string signedFile = FScratch + IntToStr(FRuns) + "-" + ExtractFileName(File);
    Run(File, signedFile, File);
    if (!MoveFileExA(signedFile.c_str(), File.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        throw Exception("Cannot put the signed " + File + " in place: " + SysErrorMessage(GetLastOSError()));
}

}  // namespace vtrl
