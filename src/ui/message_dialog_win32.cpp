#include "ui/message_dialog_win32.h"
#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"
#include "ui/text_room_win32.h"

namespace aof {

// Both families, setup and uninstall, share this procedure: the text arrives as the creation
// parameter and is shown whole (a long one grows the dialog), OK ends with 1, Cancel (or
// Escape) with 2.
static INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const char *text = reinterpret_cast<const char *>(lParam);
        SetDlgItemTextA(dialog, IDC_MESSAGE, text);
        FitMessageText(dialog, text);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

static int ShowMessageDialog(HINSTANCE instance, int templateId, const char *text) {
    ShowProgressNow();
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), nullptr,
                                            MessageDialogProc, reinterpret_cast<LPARAM>(text)));
}

int ShowSetupMessage(HINSTANCE instance, const char *text, int form) {
    return ShowMessageDialog(instance, form == kOkCancelForm ? IDD_SETUP_OKCANCEL : IDD_SETUP_OK,
                             text);
}

int ShowUninstallMessage(HINSTANCE instance, const char *text, int form) {
    return ShowMessageDialog(
        instance, form == kOkCancelForm ? IDD_UNINSTALL_OKCANCEL : IDD_UNINSTALL_OK, text);
}

} // namespace aof
