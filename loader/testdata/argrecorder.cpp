// A stand-in for the setup program in the loading program's tests: writes
// its arguments, its own directory and the files beside it to the file
// named by VTRL_RECORD, and ends with the exit code in VTRL_RECORD_EXIT.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* record = std::getenv("VTRL_RECORD");
    const char* exitText = std::getenv("VTRL_RECORD_EXIT");
    if (!record) return 99;
    FILE* f = std::fopen(record, "wb");
    if (!f) return 98;
    for (int i = 1; i < __argc; ++i) std::fprintf(f, "arg=%s\n", __argv[i]);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.resize(dir.find_last_of('\\'));
    std::fprintf(f, "dir=%s\n", dir.c_str());
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) std::fprintf(f, "file=%s\n", fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    std::fclose(f);
    return exitText ? std::atoi(exitText) : 0;
}
