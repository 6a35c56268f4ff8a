// Room for the texts a user must read, measured with the dialogs' own fonts: a long path in the
// progress dialog keeps its file name.
#include "check.h"
#include "ui/text_room_win32.h"
#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"

#include <string>
#include <windows.h>

namespace {

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
