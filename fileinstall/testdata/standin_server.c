/* A stand-in for a self-registering server, in both forms, recording what
   it was asked under HKEY_CURRENT_USER\Software\Vantrel Tests\Stand-in
   server.
   As a library: DllRegisterServer counts its calls in "Calls", writes the
   library's own path as "Path", "OleReady" 1 when OLE was initialised on
   the calling thread and "Registered" 1, and returns the HRESULT that the
   value "Answer" holds (0 when there is none); DllUnregisterServer counts
   its calls in "UnregisterCalls" and writes "Registered" 0.
   Built as a program (STANDIN_PROGRAM): records its command line as
   "CommandLine" and its own path as "ProgramPath"; with /REGSERVER it
   writes "ProgramRegistered" 1, with /UNREGSERVER 0.
   Both carry the version string OLESelfRegister (standin_server.rc). */
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

static void WriteNumber(HKEY Key, const char* Name, DWORD Value) {
    RegSetValueExA(Key, Name, 0, REG_DWORD, (const BYTE*)&Value, sizeof Value);
}

#ifdef STANDIN_PROGRAM
/* True when Line holds Option as a word of its own, in any case. */
static int HasOption(const char* Line, const char* Option) {
    const int length = lstrlenA(Option);
    for (; *Line; ++Line) {
        if ((Line[0] == ' ' || Line[0] == '\t') && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, Line + 1, length,
                                                                 Option, length) == CSTR_EQUAL &&
            (Line[length + 1] == 0 || Line[length + 1] == ' '))
            return 1;
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE Previous, LPSTR Line, int Show) {
    char path[MAX_PATH];
    const char* command = GetCommandLineA();
    HKEY key = OpenRecord();
    (void)Instance;
    (void)Previous;
    (void)Line;
    (void)Show;
    if (!key) return 1;
    GetModuleFileNameA(NULL, path, MAX_PATH);
    WriteText(key, "ProgramPath", path);
    WriteText(key, "CommandLine", command);
    if (HasOption(command, "/UNREGSERVER")) WriteNumber(key, "ProgramRegistered", 0);
    else if (HasOption(command, "/REGSERVER")) WriteNumber(key, "ProgramRegistered", 1);
    RegCloseKey(key);
    return 0;
}
#else
static HMODULE Self;

static DWORD ReadNumber(HKEY Key, const char* Name) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExA(Key, Name, NULL, &type, (BYTE*)&value, &size) != ERROR_SUCCESS || type != REG_DWORD) return 0;
    return value;
}

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
    if (SUCCEEDED(answer)) WriteNumber(key, "Registered", 1);
    RegCloseKey(key);
    return answer;
}

__declspec(dllexport) HRESULT WINAPI DllUnregisterServer(void) {
    HKEY key = OpenRecord();
    if (!key) return E_FAIL;
    WriteNumber(key, "UnregisterCalls", ReadNumber(key, "UnregisterCalls") + 1);
    WriteNumber(key, "Registered", 0);
    RegCloseKey(key);
    return S_OK;
}
#endif
