// bench-copy.exe [/replace] SOURCE-FOLDER DESTINATION-FOLDER NAME...: after its first message
// box is answered, copies each named file with CopyFileA, as an installer would at the least
// (fail if it exists; with /replace over the existing file, as an update would), then shows a
// second message box. The benchmark's floor for an install and an update.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "copy", "bench", MB_OK);
    int first = __argc > 1 && std::strcmp(__argv[1], "/replace") == 0 ? 2 : 1;
    BOOL failIfExists = first == 1;
    for (int i = first + 2; i < __argc; ++i) {
        char source[MAX_PATH];
        char destination[MAX_PATH];
        wsprintfA(source, "%s\\%s", __argv[first], __argv[i]);
        wsprintfA(destination, "%s\\%s", __argv[first + 1], __argv[i]);
        CopyFileA(source, destination, failIfExists);
    }
    MessageBoxA(nullptr, "done", "bench", MB_OK);
    return 0;
}
