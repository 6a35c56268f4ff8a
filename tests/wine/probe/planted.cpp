// planted.dll: copied beside library_probe.exe under a system library's name, it stands for a
// hostile library in a download folder. It does nothing; only where it was loaded from counts.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
