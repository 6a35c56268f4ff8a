// library_probe.exe [restricted]: loads dwmapi.dll by name, as the system's own libraries load
// others at run time, after the programs' start-up restriction of the library search when
// "restricted" is given. Exit code 1 when the copy beside the probe was loaded, 0 when one from
// elsewhere (the system's), 2 when none.
#include "common/library_search_win32.h"

#include <cstring>
#include <windows.h>

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "restricted") == 0)
        aof::RestrictLibrarySearch();
    char beside[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, beside, MAX_PATH - 16);
    char *slash = std::strrchr(beside, '\\');
    if (length == 0 || slash == nullptr)
        return 2;
    std::strcpy(slash + 1, "dwmapi.dll");
    HMODULE library = LoadLibraryA("dwmapi.dll");
    char loaded[MAX_PATH];
    if (library == nullptr || GetModuleFileNameA(library, loaded, MAX_PATH) == 0)
        return 2;
    return lstrcmpiA(loaded, beside) == 0 ? 1 : 0;
}
