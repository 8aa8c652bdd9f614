// Test helper: reads one resource of a program file through the Windows
// loader, as the setup program does, and writes its bytes to a file.
//   readresource FILE TYPE NAME OUT
// TYPE and NAME are numbers or names. Exit code 0 when found, 1 when not.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char* Id(const char* Text) {
    char* end = nullptr;
    const unsigned long n = std::strtoul(Text, &end, 10);
    return *Text && !*end ? MAKEINTRESOURCEA(n) : Text;
}

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: readresource FILE TYPE NAME OUT\n", stderr);
        return 2;
    }
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        std::fprintf(stderr, "cannot load %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    HRSRC res = FindResourceA(module, Id(argv[3]), Id(argv[2]));
    HGLOBAL data = res ? LoadResource(module, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) {
        std::fprintf(stderr, "%s holds no resource %s/%s\n", argv[1], argv[2], argv[3]);
        return 1;
    }
    FILE* out = std::fopen(argv[4], "wb");
    if (!out) return 1;
    const DWORD size = SizeofResource(module, res);
    const bool ok = std::fwrite(bytes, 1, size, out) == size;
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
