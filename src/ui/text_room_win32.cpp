#include "ui/text_room_win32.h"

#include "ui/path_elision.h"

namespace aof {

int MeasureMissingHeight(HWND dialog, int id, const char *text) {
    HWND control = GetDlgItem(dialog, id);
    // A static control has no border: its window is its client area.
    RECT place;
    GetWindowRect(control, &place);
    RECT needed = {0, 0, place.right - place.left, 0};
    // A common device context: its release undoes the font chosen here.
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text, -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX);
    ReleaseDC(control, dc);
    return needed.bottom - (place.bottom - place.top);
}

namespace {

struct Control {
    HWND dialog;
    int id;
};

bool FitsControl(const char *text, void *context) {
    const Control &control = *static_cast<const Control *>(context);
    return MeasureMissingHeight(control.dialog, control.id, text) <= 0;
}

} // namespace

void ShowPathInControl(HWND dialog, int id, const char *format, const char *path) {
    Control control = {dialog, id};
    char text[kElidedPathSize + 128];
    ElidePath(text, sizeof text, format, path, FitsControl, &control);
    SetDlgItemTextA(dialog, id, text);
}

} // namespace aof
