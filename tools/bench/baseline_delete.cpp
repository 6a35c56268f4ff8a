// bench-delete.exe PATTERN COUNT: after its first message box is answered, deletes the files
// PATTERN names for 1 to COUNT (a wsprintf pattern with one %u) with DeleteFileA, then shows
// a second message box. The benchmark's floor for an uninstall's listed files.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "delete", "bench", MB_OK);
    unsigned count = __argc > 2 ? static_cast<unsigned>(atoi(__argv[2])) : 0;
    for (unsigned n = 1; n <= count; ++n) {
        char path[MAX_PATH];
        wsprintfA(path, __argv[1], n);
        DeleteFileA(path);
    }
    MessageBoxA(nullptr, "done", "bench", MB_OK);
    return 0;
}
