/* lockme: the DLL that the restart scenario replaces while a program keeps
 * it loaded. Built twice, with LOCKME_VERSION 1 (the installed, old file)
 * and 2 (the new file of the distribution), so that which of the two is in
 * place after the restart shows in LockmeVersion. */
#include <windows.h>

#ifndef LOCKME_VERSION
#error "LOCKME_VERSION must be defined (1 or 2)"
#endif

__declspec(dllexport) int LockmeVersion(void) { return LOCKME_VERSION; }

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID Reserved) {
    (void)Instance;
    (void)Reason;
    (void)Reserved;
    return TRUE;
}
