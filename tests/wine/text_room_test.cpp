// Room for the texts a user must read, measured with the dialogs' own fonts: a message dialog
// grows for its text up to the screen's work area and scrolls beyond; a long path in the
// progress dialog keeps its file name.
#include "check.h"
#include "ui/text_room_win32.h"
#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"

#include <string>
#include <windows.h>

namespace {

INT_PTR CALLBACK LeaveAlone(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A child's top and bottom from the dialog's top, and the dialog's height.
struct Layout {
    int height, textTop, textBottom, separatorTop, okTop;
};

int TopOf(HWND window, HWND dialog) {
    RECT place, frame;
    GetWindowRect(window, &place);
    GetWindowRect(dialog, &frame);
    return place.top - frame.top;
}

Layout LayoutOf(HWND dialog) {
    RECT frame, text;
    GetWindowRect(dialog, &frame);
    GetWindowRect(GetDlgItem(dialog, IDC_MESSAGE), &text);
    return {frame.bottom - frame.top, text.top - frame.top, text.bottom - frame.top,
            TopOf(GetDlgItem(dialog, IDC_SEPARATOR), dialog),
            TopOf(GetDlgItem(dialog, IDOK), dialog)};
}

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "行" + std::to_string(i) + ": この説明文は作者のメッセージです。\n";
    return text;
}

TEST_CASE(MessageDialogGrowsForItsTextUpToTheWorkAreaThenScrolls) {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    struct Row {
        int lines;
        bool grows, scrolls;
    } rows[] = {{3, false, false}, {20, true, false}, {200, true, true}};
    for (const Row &row : rows) {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP_OK),
                                         nullptr, LeaveAlone, 0);
        Layout before = LayoutOf(dialog);
        std::string text = Lines(row.lines);
        SetDlgItemTextA(dialog, IDC_MESSAGE, text.c_str());
        aof::FitMessageText(dialog, text.c_str());
        Layout after = LayoutOf(dialog);
        int grown = after.height - before.height;
        CHECK_EQ(grown > 0, row.grows);
        CHECK(after.height <= area.bottom - area.top);
        // The text control grows by as much; what lies below it moves down by as much.
        CHECK_EQ(after.textTop, before.textTop);
        CHECK_EQ(after.textBottom - before.textBottom, grown);
        CHECK_EQ(after.separatorTop - before.separatorTop, grown);
        CHECK_EQ(after.okTop - before.okTop, grown);
        HWND shown = GetDlgItem(dialog, IDC_MESSAGE);
        char kind[16];
        GetClassNameA(shown, kind, sizeof kind);
        CHECK_STR(kind, row.scrolls ? "Edit" : "Static");
        if (row.scrolls)
            CHECK((GetWindowLongA(shown, GWL_STYLE) & WS_VSCROLL) != 0);
        else
            CHECK(aof::MeasureMissingHeight(dialog, IDC_MESSAGE, text.c_str()) <= 0);
        DestroyWindow(dialog);
    }
}

TEST_CASE(ProgressKeepsTheFileNameOfALongPathInView) {
    std::string path = "C:\\aoftest";
    while (path.size() < 400)
        path += "\\深い階層のフォルダ";
    const std::string end = "\\最後のフォルダ\\ソート.mac";
    path += end;
    HWND dialog = aof::CreateProgressDialog(GetModuleHandleA(nullptr), 1);
    aof::ShowCurrentFile(path.c_str());
    aof::ShowProgressNow();
    char shown[1024];
    GetDlgItemTextA(dialog, IDC_CURRENT_FILE, shown, sizeof shown);
    std::string text = shown;
    CHECK(text.size() < path.size());
    CHECK(text.rfind("C:\\aoftest\\…\\", 0) == 0);
    CHECK(text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0);
    CHECK(aof::MeasureMissingHeight(dialog, IDC_CURRENT_FILE, shown) <= 0);
    aof::CloseProgressDialog();
}

} // namespace
