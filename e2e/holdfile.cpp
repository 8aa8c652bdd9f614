// holdfile: keeps a file in use for the fault-injection scenario, as another
// program of the user would (an open document, a running DLL).
//
//   holdfile FILE FLAG
//
// Opens FILE, which must exist, with no sharing at all, so every other open,
// rename or delete of it fails with a sharing violation. Then creates FLAG
// to tell the script that the file is held, and keeps it so until FLAG is
// removed or the program is ended. It gives up by itself after ten minutes,
// so that a script that died never leaves a file held in its prefix.
//
// Exit codes: 0 released, 1 usage, 2 FILE could not be opened, 3 FLAG could
// not be created, 4 gave up waiting.
#include <windows.h>

#include <cstdio>

namespace {

constexpr DWORD PollMilliseconds = 100;
constexpr DWORD GiveUpMilliseconds = 10 * 60 * 1000;

bool Exists(const char* Path) { return GetFileAttributesA(Path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: holdfile FILE FLAG\n");
        return 1;
    }
    const char* file = argv[1];
    const char* flag = argv[2];
    HANDLE held = CreateFileA(file, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "holdfile: cannot open %s (Windows error %lu)\n", file, GetLastError());
        return 2;
    }
    HANDLE signal = CreateFileA(flag, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (signal == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "holdfile: cannot create %s (Windows error %lu)\n", flag, GetLastError());
        CloseHandle(held);
        return 3;
    }
    // Closed at once: the flag's name is the signal, and an open handle
    // would keep the script from removing it.
    CloseHandle(signal);
    for (DWORD waited = 0; Exists(flag); waited += PollMilliseconds) {
        if (waited >= GiveUpMilliseconds) {
            std::fprintf(stderr, "holdfile: %s was not removed in time; releasing %s\n", flag, file);
            CloseHandle(held);
            return 4;
        }
        Sleep(PollMilliseconds);
    }
    CloseHandle(held);
    return 0;
}
