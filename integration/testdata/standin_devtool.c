/* A stand-in for a development environment's program (the command-line
 * compiler DCC32.EXE, the environment DELPHI32.EXE): it records that it
 * was started, with its command line and current folder, as lines
 * appended to "<its own name>.LOG" beside itself, and ends. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR args, int show) {
    char self[MAX_PATH], current[MAX_PATH];
    (void)instance; (void)previous; (void)args; (void)show;
    DWORD n = GetModuleFileNameA(NULL, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 4) return 1;
    char* dot = strrchr(self, '.');
    if (dot) strcpy(dot, ".LOG");
    if (!GetCurrentDirectoryA(MAX_PATH, current)) current[0] = 0;
    FILE* f = fopen(self, "ab");
    if (!f) return 1;
    fprintf(f, "command line: %s\r\ncurrent folder: %s\r\n", GetCommandLineA(), current);
    fclose(f);
    return 0;
}
