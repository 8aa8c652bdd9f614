// holdfile: an application that keeps DLLs in use, for the restart scenario.
//
//   holdfile READY_FILE DLL...
//
// Loads every DLL (LoadLibrary, so each is mapped as an image, as a running
// program's DLL is), then creates READY_FILE, empty, to tell the script the
// DLLs are held, and sleeps until it is ended (a restart or wineserver -k).
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
    std::fprintf(stderr, "holdfile: cannot %s %s (Windows error %lu: %s)\n", What, Path, Error, text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: holdfile READY_FILE DLL...\n");
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        if (!LoadLibraryA(argv[i])) {
            PrintError("load", argv[i], GetLastError());
            return 2;
        }
    }
    HANDLE ready = CreateFileA(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) {
        PrintError("create", argv[1], GetLastError());
        return 3;
    }
    CloseHandle(ready);
    std::fflush(stdout);
    for (;;) Sleep(INFINITE);
}
