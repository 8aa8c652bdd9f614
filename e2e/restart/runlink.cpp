// runlink: starts what a shell link (.lnk) names, as the shell does for a
// Startup item, waits for it and returns its exit code. "wine start /wait"
// does not wait for the target of a link and always returns 0.
//
//   runlink LINK
//
// Exit codes: the target's, or 120 usage, 121 the link cannot be read,
// 122 the target cannot be started.
#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: runlink LINK\n");
        return 120;
    }
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
    char target[MAX_PATH] = "", arguments[1024] = "", directory[MAX_PATH] = "";
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) ||
        FAILED(file->Load(path, STGM_READ)) || FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) ||
        FAILED(link->GetArguments(arguments, sizeof arguments)) ||
        FAILED(link->GetWorkingDirectory(directory, MAX_PATH))) {
        std::fprintf(stderr, "runlink: cannot read the link %s\n", argv[1]);
        return 121;
    }
    std::string commandLine = "\"" + std::string(target) + "\"";
    if (*arguments) commandLine += " " + std::string(arguments);
    std::printf("runlink: %s (in %s)\n", commandLine.c_str(), *directory ? directory : "the current directory");
    std::fflush(stdout);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(target, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, *directory ? directory : nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "runlink: cannot start %s (Windows error %lu)\n", target, GetLastError());
        return 122;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}
