#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"

#include <commctrl.h>

namespace aof {

static INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    // lParam holds the total in its high word, the minimum 0 in its low word.
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, lParam);
    return TRUE;
}

HWND CreateProgressDialog(HINSTANCE instance, unsigned short total) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr,
                                     ProgressDialogProc, MAKELPARAM(0, total));
    StartProgressView(dialog);
    return dialog;
}

} // namespace aof
