#include "ui/overwrite_confirm_win32.h"
#include "common/format.h"
#include "common/text.h"
#include "ui/message_texts.h"
#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"
#include "ui/text_format.h"
#include "ui/text_room_win32.h"

#include <shellapi.h>

namespace aof {

namespace {

// What the overwrite confirmation needs, handed to its procedure as one record.
struct OverwriteQuestion {
    HINSTANCE instance;
    const char *source;
    const char *destination;
};

} // namespace

void FormatFileInfo(char *out, const char *path) {
    const std::size_t capacity = 256;
    // Read with every kind of sharing: a file the editor holds open shows its size and date,
    // and the editor is not blocked while the question is open.
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    SYSTEMTIME calendar;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToSystemTime(&local, &calendar)) {
        CopyText(out, capacity, kFileInfoUnavailable);
        return;
    }
    FileStamp stamp = {(static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                           data.nFileSizeLow,
                       calendar.wYear,
                       calendar.wMonth,
                       calendar.wDay,
                       calendar.wHour,
                       calendar.wMinute,
                       calendar.wSecond};
    FormatFileInfoText(out, capacity, stamp);
}

// The icon of the program registered for the file's type, or the file's own first icon for a
// program file. A type without any association gets the shell's icon for plain files, so
// the question never shows an empty place where the file's icon belongs.
static HICON FindFileIcon(HINSTANCE instance, const char *source) {
    // The shell writes the path of the program it took the icon from into this buffer.
    char iconPath[kPathSize];
    CopyText(iconPath, sizeof iconPath, source);
    WORD index = 0;
    HICON icon = ExtractAssociatedIconA(instance, iconPath, &index);
    if (icon != nullptr)
        return icon;
    SHFILEINFOA shellInfo;
    DWORD_PTR found = SHGetFileInfoA(source, FILE_ATTRIBUTE_NORMAL, &shellInfo, sizeof shellInfo,
                                     SHGFI_ICON | SHGFI_USEFILEATTRIBUTES);
    return found != 0 ? shellInfo.hIcon : nullptr;
}

static void ShowFileIcon(HWND dialog, HINSTANCE instance, const char *source) {
    HICON icon = FindFileIcon(instance, source);
    SendDlgItemMessageA(dialog, IDC_CURRENT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SendDlgItemMessageA(dialog, IDC_NEW_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

static void FillOverwriteQuestion(HWND dialog, const OverwriteQuestion &question) {
    ShowFileIcon(dialog, question.instance, question.source);
    ShowPathInControl(dialog, IDC_EXISTS_LINE, kFileExistsFormat, question.destination);
    char info[256];
    FormatFileInfo(info, question.destination);
    SetDlgItemTextA(dialog, IDC_CURRENT_INFO, info);
    FormatFileInfo(info, question.source);
    SetDlgItemTextA(dialog, IDC_NEW_INFO, info);
}

static INT_PTR CALLBACK OverwriteDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FillOverwriteQuestion(dialog, *reinterpret_cast<const OverwriteQuestion *>(lParam));
        return TRUE;
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        bool answered = id == IDYES || id == IDC_OVERWRITE_ALL || id == IDNO;
        EndDialog(dialog, answered ? id : IDCANCEL);
        return TRUE;
    }
    case WM_DESTROY: {
        // Both icon controls show the one icon the shell gave.
        LRESULT icon = SendDlgItemMessageA(dialog, IDC_CURRENT_ICON, STM_GETICON, 0, 0);
        if (icon != 0)
            DestroyIcon(reinterpret_cast<HICON>(icon));
        return FALSE;
    }
    }
    return FALSE;
}

int ConfirmOverwrite(HINSTANCE instance, HWND owner, const char *source, const char *destination) {
    ShowProgressNow();
    OverwriteQuestion question = {instance, source, destination};
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_OVERWRITE), owner,
                                            OverwriteDialogProc,
                                            reinterpret_cast<LPARAM>(&question)));
}

} // namespace aof
