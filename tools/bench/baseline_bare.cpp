// bench-bare.exe: the smallest program that shows a dialog, built like SETUP.EXE. The
// benchmark compares SETUP.EXE's time from start to its first dialog with this one's.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "bench", "bench", MB_OK);
    return 0;
}
