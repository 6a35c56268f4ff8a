#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"
#include "ui/text_format.h"

#include <commctrl.h>

namespace aof {

static void SetCounterText(HWND dialog, unsigned counter, unsigned total) {
    char text[64];
    FormatProgressText(text, sizeof text, counter, total);
    SetDlgItemTextA(dialog, IDC_PROGRESS_TEXT, text);
}

// A paint costs more than copying a small file; 25 paints a second look the same to a person.
constexpr DWORD kPaintInterval = 40;

// The program runs no message loop while it copies: paint what is pending now, the dialog and
// its controls, so that it never shows a blank face. The time of the last paint is kept in the
// dialog's own user value.
static void PaintPending(HWND dialog) {
    SetWindowLongPtrA(dialog, DWLP_USER, static_cast<LONG_PTR>(GetTickCount()));
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Paints unless the last paint is younger than the interval: copying many small files is not
// slowed down by painting each step.
static void PaintNowAndThen(HWND dialog) {
    DWORD last = static_cast<DWORD>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (GetTickCount() - last >= kPaintInterval)
        PaintPending(dialog);
}

static INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    // lParam holds the total in its high word, the minimum 0 in its low word.
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, lParam);
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
    SetCounterText(dialog, 0, 0);
    return TRUE;
}

HWND CreateProgressDialog(HINSTANCE instance, unsigned short total) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr,
                                     ProgressDialogProc, MAKELPARAM(0, total));
    if (dialog != nullptr)
        PaintPending(dialog);
    return dialog;
}

void StepProgress(HWND dialog, unsigned counter, unsigned short total) {
    if (dialog == nullptr)
        return;
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_STEPIT, 0, 0);
    SetCounterText(dialog, counter, total); // painted with the file name that follows
}

void ShowCurrentFile(HWND dialog, const char *path) {
    if (dialog == nullptr)
        return;
    SetDlgItemTextA(dialog, IDC_CURRENT_FILE, path);
    PaintNowAndThen(dialog);
}

void CloseProgressDialog(HWND dialog) {
    if (dialog != nullptr)
        DestroyWindow(dialog);
}

} // namespace aof
