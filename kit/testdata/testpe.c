/* A tiny library for the resource writer's tests: no C runtime, and a
   pointer in its data so that it has base relocations (a .reloc section
   after .rsrc, as the setup programs have). */
int __stdcall DllMainCRTStartup(void* Module, unsigned Reason, void* Reserved) { return 1; }
static int Value = 42;
__declspec(dllexport) int* ValuePointer = &Value;
