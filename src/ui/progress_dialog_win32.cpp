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

// The program runs no message loop while it copies: paint what is pending now, the dialog and
// its controls, so that it never shows a stale counter or a blank face.
static void PaintPending(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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
    SetCounterText(dialog, counter, total);
    PaintPending(dialog);
}

void ShowCurrentFile(HWND dialog, const char *path) {
    if (dialog == nullptr)
        return;
    SetDlgItemTextA(dialog, IDC_CURRENT_FILE, path);
    PaintPending(dialog);
}

void CloseProgressDialog(HWND dialog) {
    if (dialog != nullptr)
        DestroyWindow(dialog);
}

} // namespace aof
