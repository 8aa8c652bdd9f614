/* lockme: the DLL that the restart scenario replaces while a program keeps
 * it loaded. Built twice, with LOCKME_VERSION 1 (the installed, old file)
 * and 2 (the new file of the distribution), so that which of the two is in
 * place after the restart shows in LockmeVersion. It registers itself as
 * a server would: DllRegisterServer writes its version as "Registered"
 * under HKEY_CURRENT_USER\Software\Vantrel Tests\lockme, so that which
 * file the continuation registered shows too. */
#include <windows.h>

#ifndef LOCKME_VERSION
#error "LOCKME_VERSION must be defined (1 or 2)"
#endif

__declspec(dllexport) int LockmeVersion(void) { return LOCKME_VERSION; }

__declspec(dllexport) HRESULT WINAPI DllRegisterServer(void) {
    HKEY key = NULL;
    DWORD version = LOCKME_VERSION;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vantrel Tests\\lockme", 0, NULL, 0, KEY_SET_VALUE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return E_FAIL;
    RegSetValueExA(key, "Registered", 0, REG_DWORD, (const BYTE*)&version, sizeof version);
    RegCloseKey(key);
    return S_OK;
}

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID Reserved) {
    (void)Instance;
    (void)Reason;
    (void)Reserved;
    return TRUE;
}
