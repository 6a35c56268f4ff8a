// bench-keeper.exe — keeps the bench's desktop open between test programs.
//
// The wineserver closes a desktop one second after its last user has gone and asks the
// desktop process (explorer.exe /desktop) to quit; the next program then starts a new one.
// A program that starts while the old desktop process is still quitting can wait up to 10 s
// for the new one. This program is a desktop user for the bench's whole life: one hidden
// window, a message loop, WM_CLOSE ignored. bench.sh start runs it; bench.sh reset leaves it
// alone; it ends with the wineserver (bench.sh stop).
//
// Once its window exists it writes "ready" to stdout.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK keeperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = keeperProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"AofBenchKeeper";
    if (!RegisterClassW(&windowClass))
        return 1;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"bench keeper", WS_POPUP, 0, 0, 1,
                                  1, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    printf("ready\n");
    fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
