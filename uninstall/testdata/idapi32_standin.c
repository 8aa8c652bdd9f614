/* A stand-in for the database engine's client library IDAPI32.DLL, for the
   tests of the alias removal step. It exports the four calls that step
   uses, bound as the real library binds them (two by name, two by number
   only, see idapi32_standin.def), with the engine's calling convention
   (WINAPI: stdcall on 32-bit Windows). Each call appends one line to the
   file named by the environment variable VTRL_IDAPI_LOG:
     "DbiInitFn <version>", "DeleteAlias <name bytes as passed>",
     "SaveConfig persistent=<0|1>", "DbiExit".
   DbiInitFn returns the number in VTRL_IDAPI_INIT_RESULT when it is set (a
   failing engine), 0 otherwise; the other calls return 0.
   The environment is read through the system, not the C library: the test
   sets it with SetEnvironmentVariable after the C library has taken its copy. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef unsigned short DBIResult;

static void LogLine(const char* Text) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("VTRL_IDAPI_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    HANDLE f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(f, Text, (DWORD)strlen(Text), &written, NULL);
    WriteFile(f, "\n", 1, &written, NULL);
    CloseHandle(f);
}

DBIResult WINAPI DbiInitFn(unsigned short Version, void* Env) {
    char line[64];
    snprintf(line, sizeof line, "DbiInitFn %u%s", (unsigned)Version, Env ? " env" : "");
    LogLine(line);
    char value[32];
    DWORD n = GetEnvironmentVariableA("VTRL_IDAPI_INIT_RESULT", value, sizeof value);
    if (n == 0 || n >= sizeof value) return 0;
    return (DBIResult)strtoul(value, NULL, 10);
}

DBIResult WINAPI DbiExit(void) {
    LogLine("DbiExit");
    return 0;
}

/* Export 1211, by number only. */
DBIResult WINAPI DbiDeleteAlias(void* Db, const char* Alias) {
    char line[300];
    snprintf(line, sizeof line, "DeleteAlias %s%s", Alias ? Alias : "(null)", Db ? " db" : "");
    LogLine(line);
    return 0;
}

/* Export 400, by number only. */
DBIResult WINAPI DbiSaveConfig(void* Db, const char* FileName, BOOL Persistent) {
    char line[300];
    snprintf(line, sizeof line, "SaveConfig persistent=%d%s%s%s", Persistent ? 1 : 0, Db ? " db" : "",
             FileName ? " file=" : "", FileName ? FileName : "");
    LogLine(line);
    return 0;
}
