// holddll: an application that keeps DLLs in use, for the restart scenario.
//
//   holddll [--veto-restart] READY_FILE DLL...
//
// Loads every DLL (LoadLibrary, so each is mapped as an image, as a running
// program's DLL is), then creates READY_FILE, empty, to tell the script the
// DLLs are held, and sleeps until it is ended (a restart or wineserver -k).
//
// --veto-restart: also keeps a hidden window that refuses to end the
// session. Under Wine, ExitWindowsEx only starts "wineboot --end-session",
// which at once carries out the delayed renames and WININIT.INI and starts
// the Startup folder's items, while this program still holds its DLLs; a
// refusal stops all of that, so that the script can end the prefix's
// processes first and restart the prefix itself (wineboot -r).
//
// Exit codes: 1 usage, 2 a DLL could not be loaded, 3 READY_FILE could not
// be created. It never ends by itself.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

void PrintError(const char* What, const char* Path, DWORD Error) {
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, Error, 0, text, sizeof text,
                   nullptr);
    // FormatMessage ends the text with a line break.
    for (size_t n = std::strlen(text); n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r'); --n) text[n - 1] = 0;
    std::fprintf(stderr, "holddll: cannot %s %s (Windows error %lu: %s)\n", What, Path, Error, text);
}

LRESULT CALLBACK VetoWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    if (Message == WM_QUERYENDSESSION) return FALSE;
    if (Message == WM_ENDSESSION) return 0;
    return DefWindowProcA(Window, Message, WParam, LParam);
}

// A hidden top-level window: a message-only window is not asked whether the
// session may end.
void CreateVetoWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = VetoWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VantrelHoldfileVeto";
    RegisterClassA(&windowClass);
    CreateWindowA(windowClass.lpszClassName, "holddll", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                  windowClass.hInstance, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    const bool veto = argc > 1 && std::strcmp(argv[1], "--veto-restart") == 0;
    if (veto) first = 2;
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: holddll [--veto-restart] READY_FILE DLL...\n");
        return 1;
    }
    const char* readyFile = argv[first];
    for (int i = first + 1; i < argc; ++i) {
        if (!LoadLibraryA(argv[i])) {
            PrintError("load", argv[i], GetLastError());
            return 2;
        }
    }
    // The window exists before READY_FILE: once the script sees the file, a
    // restart is refused.
    if (veto) CreateVetoWindow();
    HANDLE ready = CreateFileA(readyFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) {
        PrintError("create", readyFile, GetLastError());
        return 3;
    }
    CloseHandle(ready);
    if (veto) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }
    for (;;) Sleep(INFINITE);
}
