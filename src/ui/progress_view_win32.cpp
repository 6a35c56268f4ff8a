// What the progress dialog shows, and when.
#include "common/text.h"
#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"
#include "ui/text_format.h"
#include "ui/text_room_win32.h"

#include <commctrl.h>

namespace aof {

static void SetCounterText(HWND dialog, unsigned counter, unsigned total) {
    char text[64];
    FormatProgressText(text, sizeof text, counter, total);
    SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, text);
}

// 25 paints a second look the same to a person as one per step.
constexpr DWORD kPaintInterval = 40;

namespace {

// What the open progress dialog is to show. A step only notes it: the bar and the two texts
// paint themselves at once whenever they change, which costs more than copying a small file.
// They are brought up to date at most 25 times a second, and before anything appears over the
// dialog, so that what it shows then is exact.
struct ProgressView {
    HWND dialog;
    unsigned counter;
    unsigned short total;
    bool pending;
    DWORD lastShown;
    char file[kPathSize];
};

ProgressView openView;

} // namespace

// The program runs no message loop while it copies: paint what is pending now, the dialog and
// its controls, so that it never shows a blank face.
static void ShowView(ProgressView &view) {
    view.pending = false;
    view.lastShown = GetTickCount();
    SendDlgItemMessageA(view.dialog, IDC_PROGRESS_BAR, PBM_SETPOS, view.counter, 0);
    SetCounterText(view.dialog, view.counter, view.total);
    ShowPathInControl(view.dialog, IDC_CURRENT_FILE, "%s", view.file);
    RedrawWindow(view.dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void StartProgressView(HWND dialog) {
    openView.dialog = dialog;
    openView.counter = 0;
    openView.total = 0;
    openView.file[0] = '\0';
    if (dialog != nullptr)
        ShowView(openView);
}

void StepProgress(unsigned counter, unsigned short total) {
    openView.counter = counter;
    openView.total = total;
    openView.pending = true;
}

void ShowCurrentFile(const char *path) {
    CopyText(openView.file, sizeof openView.file, path);
    openView.pending = true;
    if (openView.dialog != nullptr && GetTickCount() - openView.lastShown >= kPaintInterval)
        ShowView(openView);
}

void ShowProgressNow() {
    if (openView.dialog != nullptr && openView.pending)
        ShowView(openView);
}

void CloseProgressDialog() {
    if (openView.dialog != nullptr)
        DestroyWindow(openView.dialog);
    openView.dialog = nullptr;
}

} // namespace aof
