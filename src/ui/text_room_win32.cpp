#include "ui/text_room_win32.h"

#include "ui/path_elision.h"
#include "ui/resource_ids.h"

#include <cstdlib>
#include <cstring>

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

// Moves the window down and makes it taller; parent is the dialog of a control, nullptr for the
// dialog itself. Gives its new place.
static RECT Reshape(HWND parent, HWND window, int down, int taller) {
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&place), 2);
    place.top += down;
    place.bottom += down + taller;
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER);
    return place;
}

// Shows the text in a read-only edit control in the place of the text control, which scrolls.
// Its lines end in CR LF, as an edit control needs.
static void ShowScrollingText(HWND dialog, const RECT &place, const char *text) {
    char *lines = static_cast<char *>(std::malloc(2 * std::strlen(text) + 1));
    if (lines == nullptr)
        return; // the text control stays, cut off at its bottom
    char *out = lines;
    do {
        if (*text == '\n')
            *out++ = '\r';
    } while ((*out++ = *text++) != '\0');
    LRESULT font = SendDlgItemMessageA(dialog, IDC_MESSAGE, WM_GETFONT, 0, 0);
    DestroyWindow(GetDlgItem(dialog, IDC_MESSAGE));
    CreateWindowExA(0, "EDIT", lines,
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, place.left,
                    place.top, place.right - place.left, place.bottom - place.top, dialog,
                    reinterpret_cast<HMENU>(IDC_MESSAGE), nullptr, nullptr);
    SendDlgItemMessageA(dialog, IDC_MESSAGE, WM_SETFONT, font, FALSE);
    std::free(lines);
}

void FitMessageText(HWND dialog, const char *text) {
    int missing = MeasureMissingHeight(dialog, IDC_MESSAGE, text);
    if (missing <= 0)
        return;
    RECT frame;
    GetWindowRect(dialog, &frame);
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int room = (area.bottom - area.top) - (frame.bottom - frame.top);
    int grown = missing < room ? missing : room > 0 ? room : 0;
    // The separator and the buttons move down, the text control (last) grows.
    static const int kReshaped[] = {IDOK, IDCANCEL, IDC_SEPARATOR, IDC_MESSAGE};
    RECT textPlace;
    for (int id : kReshaped) {
        int taller = id == IDC_MESSAGE ? grown : 0;
        textPlace = Reshape(dialog, GetDlgItem(dialog, id), grown - taller, taller);
    }
    Reshape(nullptr, dialog, area.top + (room - grown) / 2 - frame.top, grown);
    if (grown < missing)
        ShowScrollingText(dialog, textPlace, text);
}

} // namespace aof
