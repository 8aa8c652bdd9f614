// The version functions the archive library calls, taken from the system
// directory's version.dll at run time instead of through a static import.
// A static import of version.dll (not one of the system's known DLLs) would
// be looked up in the loading program's own directory first, where a
// downloaded "setup.exe" may sit beside anything. These definitions take
// precedence over the import library's stubs, so the program
// imports no version.dll at all (the loader test checks the imports).
#include <windows.h>

#include <string>

namespace {

HMODULE SystemVersionDll() {
    static HMODULE module = [] {
        char dir[MAX_PATH] = {};
        UINT n = GetSystemDirectoryA(dir, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return HMODULE(nullptr);
        return LoadLibraryA((std::string(dir, n) + "\\version.dll").c_str());
    }();
    return module;
}

template <class F>
F Resolve(const char* Name) {
    HMODULE m = SystemVersionDll();
    return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, Name))) : nullptr;
}

DWORD WINAPI ForwardSizeA(LPCSTR File, LPDWORD Handle) {
    static auto f = Resolve<DWORD(WINAPI*)(LPCSTR, LPDWORD)>("GetFileVersionInfoSizeA");
    if (f) return f(File, Handle);
    SetLastError(ERROR_PROC_NOT_FOUND);
    return 0;
}

BOOL WINAPI ForwardInfoA(LPCSTR File, DWORD Handle, DWORD Len, LPVOID Data) {
    static auto f = Resolve<BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID)>("GetFileVersionInfoA");
    if (f) return f(File, Handle, Len, Data);
    SetLastError(ERROR_PROC_NOT_FOUND);
    return FALSE;
}

BOOL WINAPI ForwardQueryA(LPCVOID Block, LPCSTR Sub, LPVOID* Buffer, PUINT Len) {
    static auto f = Resolve<BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT)>("VerQueryValueA");
    if (f) return f(Block, Sub, Buffer, Len);
    SetLastError(ERROR_PROC_NOT_FOUND);
    return FALSE;
}

}  // namespace

// The functions the archive library calls (declared in <winver.h>).
extern "C" DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR File, LPDWORD Handle) { return ForwardSizeA(File, Handle); }
extern "C" BOOL WINAPI GetFileVersionInfoA(LPCSTR File, DWORD Handle, DWORD Len, LPVOID Data) {
    return ForwardInfoA(File, Handle, Len, Data);
}
extern "C" BOOL WINAPI VerQueryValueA(LPCVOID Block, LPCSTR Sub, LPVOID* Buffer, PUINT Len) {
    return ForwardQueryA(Block, Sub, Buffer, Len);
}
