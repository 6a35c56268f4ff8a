// bench-copy.exe SOURCE-FOLDER DESTINATION-FOLDER NAME...: after its first message box is
// answered, copies each named file with CopyFileA (fail if it exists), as an installer would
// at the least, then shows a second message box. The benchmark's floor for an install.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "copy", "bench", MB_OK);
    for (int i = 3; i < __argc; ++i) {
        char source[MAX_PATH];
        char destination[MAX_PATH];
        wsprintfA(source, "%s\\%s", __argv[1], __argv[i]);
        wsprintfA(destination, "%s\\%s", __argv[2], __argv[i]);
        CopyFileA(source, destination, TRUE);
    }
    MessageBoxA(nullptr, "done", "bench", MB_OK);
    return 0;
}
