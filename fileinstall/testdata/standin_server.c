/* A stand-in for a self-registering server, in both forms. As a library
   its DllRegisterServer records the call under HKEY_CURRENT_USER\Software\
   Vantrel Tests\Stand-in server ("Calls" counts them, "Path" is the
   library's own path, "OleReady" is 1 when OLE was initialised on the
   calling thread) and returns the HRESULT that the value "Answer" holds
   (0 when there is none). Built as a program (STANDIN_PROGRAM), it records
   its command line as "CommandLine" and its own path as "ProgramPath". */
#include <windows.h>
#include <objbase.h>

static const char* const RecordKey = "Software\\Vantrel Tests\\Stand-in server";

static HKEY OpenRecord(void) {
    HKEY key = NULL;
    RegCreateKeyExA(HKEY_CURRENT_USER, RecordKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    return key;
}

static void WriteText(HKEY Key, const char* Name, const char* Text) {
    RegSetValueExA(Key, Name, 0, REG_SZ, (const BYTE*)Text, (DWORD)lstrlenA(Text) + 1);
}

#ifndef STANDIN_PROGRAM
static void WriteNumber(HKEY Key, const char* Name, DWORD Value) {
    RegSetValueExA(Key, Name, 0, REG_DWORD, (const BYTE*)&Value, sizeof Value);
}

static DWORD ReadNumber(HKEY Key, const char* Name) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExA(Key, Name, NULL, &type, (BYTE*)&value, &size) != ERROR_SUCCESS || type != REG_DWORD) return 0;
    return value;
}

#endif

#ifdef STANDIN_PROGRAM
int WINAPI WinMain(HINSTANCE Instance, HINSTANCE Previous, LPSTR Line, int Show) {
    char path[MAX_PATH];
    HKEY key = OpenRecord();
    (void)Instance;
    (void)Previous;
    (void)Line;
    (void)Show;
    if (!key) return 1;
    GetModuleFileNameA(NULL, path, MAX_PATH);
    WriteText(key, "ProgramPath", path);
    WriteText(key, "CommandLine", GetCommandLineA());
    RegCloseKey(key);
    return 0;
}
#else
static HMODULE Self;

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID Reserved) {
    (void)Reserved;
    if (Reason == DLL_PROCESS_ATTACH) Self = Instance;
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    char path[MAX_PATH];
    HKEY key = OpenRecord();
    HRESULT answer, ole;
    if (!key) return E_FAIL;
    GetModuleFileNameA(Self, path, MAX_PATH);
    WriteText(key, "Path", path);
    WriteNumber(key, "Calls", ReadNumber(key, "Calls") + 1);
    /* S_FALSE: the thread had OLE (COM) already. */
    ole = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    WriteNumber(key, "OleReady", ole == S_FALSE ? 1 : 0);
    if (SUCCEEDED(ole)) CoUninitialize();
    answer = (HRESULT)ReadNumber(key, "Answer");
    RegCloseKey(key);
    return answer;
}
#endif
