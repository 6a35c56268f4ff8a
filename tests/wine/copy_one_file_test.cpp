// The one-file copy and the texts of the overwrite confirmation and the progress dialog, on real
// files under C:\aoftest\ui_copy. The cases that show a message box or ask a question run with
// the robot in the dialog scenarios.
#include "check.h"
#include "driver/sequence_win32.h"
#include "ui/overwrite_confirm_win32.h"
#include "ui/message_texts.h"
#include "ui/progress_dialog_win32.h"
#include "ui/resource_ids.h"

#include <commctrl.h>
#include <string>
#include <windows.h>

#include "../ui/test_files.h"
#include "test_user.h"

namespace {

using namespace testfiles;

const std::string kRoot = "C:\\aoftest\\ui_copy";
const std::string kPackage = kRoot + "\\パッケージ";
const std::string kTarget = kRoot + "\\表示";
const std::string kSetupInfo = kPackage + "\\SETUP.AFU";
// Destinations are relative to the macro folder, here the test folder in other letter case.
const char kMacroFolder[] = "C:\\AOFTEST\\UI_COPY";

bool IsReadOnly(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// A package folder and a target folder; entry N of "Install Files" names fileName and path.
struct Bench {
    Bench() {
        RemoveTree(kRoot);
        CreateDirectoryA("C:\\aoftest", nullptr);
        CreateDirectoryA(kRoot.c_str(), nullptr);
        CreateDirectoryA(kPackage.c_str(), nullptr);
        CreateDirectoryA(kTarget.c_str(), nullptr);
    }
    ~Bench() { RemoveTree(kRoot); }

    void Entry(int n, const std::string &fileName, const std::string &path) {
        std::string number = std::to_string(n);
        WritePrivateProfileStringA("Install Files", ("FileName" + number).c_str(), fileName.c_str(),
                                   kSetupInfo.c_str());
        WritePrivateProfileStringA("Install Files", ("Path" + number).c_str(), path.c_str(),
                                   kSetupInfo.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, kSetupInfo.c_str());
    }

    int Copy(int n, int *overwriteAll) {
        aof::SetupSection list;
        list.Read(kSetupInfo.c_str(), "Install Files");
        aof::CopyFolders folders = {kPackage.c_str(), "C:\\aoftest", kMacroFolder};
        return aof::CopyOneFile(list, static_cast<unsigned>(n), folders, overwriteAll, user);
    }
    wt::TestUser user;
};

std::string DialogText(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

} // namespace

TEST_CASE(CopyOneFileCopiesOntoAFreeDestinationAndLeavesTheCopyWritable) {
    Bench bench;
    // A package read from a CD-ROM: its files are read-only.
    std::string source = kPackage + "\\ソート.mac";
    WriteBytes(source, "macro body");
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
    bench.Entry(1, "ソート.mac", "表示\\");
    int overwriteAll = 0;
    CHECK_EQ(bench.Copy(1, &overwriteAll), 0);
    std::string destination = std::string(kMacroFolder) + "\\表示\\ソート.mac";
    CHECK_STR(ReadBytes(destination), "macro body");
    CHECK(!IsReadOnly(destination));
    CHECK(IsReadOnly(source));
    CHECK_STR(bench.user.lastFile, destination);
    CHECK_EQ(bench.user.asked + bench.user.told.size(), 0u);
}

TEST_CASE(CopyOneFileLeavesASourceThatIsItsOwnDestination) {
    Bench bench;
    WriteBytes(kPackage + "\\a.mac", "same");
    // The destination folder spelt in other letter case is still the package folder.
    bench.Entry(1, "a.mac", "\\macrodir\\パッケージ\\");
    int overwriteAll = 0;
    CHECK_EQ(bench.Copy(1, &overwriteAll), 1);
    CHECK_STR(ReadBytes(kPackage + "\\a.mac"), "same");
    CHECK_EQ(overwriteAll, 0);
}

TEST_CASE(CopyOneFileWithoutTheEntryGives255) {
    Bench bench;
    bench.Entry(1, "a.mac", "");
    int overwriteAll = 0;
    CHECK_EQ(bench.Copy(2, &overwriteAll), 255);
}

TEST_CASE(CopyOneFileOverwritesWithoutAskingOnceOverwriteAllIsSet) {
    Bench bench;
    WriteBytes(kPackage + "\\b.mac", "new");
    WriteBytes(kTarget + "\\b.mac", "old contents");
    bench.Entry(1, "b.mac", "表示\\");
    int overwriteAll = 1;
    CHECK_EQ(bench.Copy(1, &overwriteAll), 0);
    CHECK_STR(ReadBytes(kTarget + "\\b.mac"), "new");
    CHECK_EQ(overwriteAll, 1);
    CHECK_EQ(bench.user.asked, 0u);
}

TEST_CASE(FileInfoShowsGroupedSizeAndLocalTime) {
    Bench bench;
    std::string path = kTarget + "\\能力.txt";
    WriteBytes(path, std::string(12345, 'x'));
    SetLocalWriteTime(path, 1998, 11, 23, 9, 5, 7);
    char info[256];
    aof::FormatFileInfo(info, path.c_str());
    CHECK_STR(info, "ｻｲｽﾞ : 12,345 ﾊﾞｲﾄ\n更新日時 : 1998年11月23日、9:05:07");
}

TEST_CASE(FileInfoOfAFileBeyondFourGibibytesShowsItsRealSize) {
    Bench bench;
    std::string path = kTarget + "\\large.bin";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 5368709121LL; // 5 GiB + 1, sparse on the host
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    SetLocalWriteTime(path, 2001, 1, 2, 23, 59, 58);
    char info[256];
    aof::FormatFileInfo(info, path.c_str());
    CHECK_STR(info, "ｻｲｽﾞ : 5,368,709,121 ﾊﾞｲﾄ\n更新日時 : 2001年1月2日、23:59:58");
}

// A file that is not there says unknown; one another program holds open without sharing (the
// editor) still shows its size and date.
TEST_CASE(FileInfoOfAFileThatIsNotThereSaysUnknown) {
    Bench bench;
    char info[256];
    aof::FormatFileInfo(info, (kTarget + "\\missing.mac").c_str());
    CHECK_STR(info, aof::kFileInfoUnavailable);
    std::string held = kTarget + "\\held.mac";
    WriteBytes(held, "x");
    SetLocalWriteTime(held, 2001, 1, 2, 3, 4, 5);
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    aof::FormatFileInfo(info, held.c_str());
    CloseHandle(file);
    CHECK_STR(info, "ｻｲｽﾞ : 1 ﾊﾞｲﾄ\n更新日時 : 2001年1月2日、3:04:05");
}

TEST_CASE(ProgressDialogCountsTheEntries) {
    HWND dialog = aof::CreateProgressDialog(GetModuleHandleA(nullptr), 8);
    CHECK(dialog != nullptr);
    CHECK_STR(DialogText(dialog, IDC_PROGRESS_TEXT), "0 / 0  0% 完了");
    CHECK_STR(DialogText(dialog, IDC_COPYING), "ﾌｧｲﾙのｺﾋﾟｰ中です...");
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    CHECK_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 8);
    for (unsigned counter = 1; counter <= 3; ++counter) {
        aof::StepProgress(counter, 8);
        aof::ShowCurrentFile(("C:\\f" + std::to_string(counter)).c_str());
    }
    // Whatever the steps painted in between, the last one is shown whole when asked.
    aof::ShowProgressNow();
    CHECK_STR(DialogText(dialog, IDC_PROGRESS_TEXT), "3 / 8  37% 完了");
    CHECK_STR(DialogText(dialog, IDC_CURRENT_FILE), "C:\\f3");
    CHECK_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 3);
    aof::CloseProgressDialog();
    CHECK(!IsWindow(dialog));
}

// Skips a text or an ordinal (0xFFFF, number) of a dialog template.
static const WORD *SkipTemplateField(const WORD *p) {
    if (*p == 0xFFFF)
        return p + 2;
    while (*p++ != 0) {
    }
    return p;
}

TEST_CASE(ProgressIconKeepsItsPlaceInTheTemplate) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_PROGRESS), MAKEINTRESOURCEA(5));
    CHECK(found != nullptr);
    const BYTE *base = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, found)));
    WORD count = *reinterpret_cast<const WORD *>(base + 16);
    // Menu, class and title; then point size, weight, italic and charset, and the typeface.
    const WORD *p = SkipTemplateField(
        SkipTemplateField(SkipTemplateField(reinterpret_cast<const WORD *>(base + 26))));
    p = SkipTemplateField(p + 3);
    const short *place = nullptr; // x, y, cx, cy of the last item: the program icon
    for (WORD i = 0; i < count; ++i) {
        const BYTE *item = base + ((reinterpret_cast<const BYTE *>(p) - base + 3) & ~3);
        place = reinterpret_cast<const short *>(item + 12);
        p = SkipTemplateField(SkipTemplateField(reinterpret_cast<const WORD *>(item + 24)));
        p += 1 + (*p + 1) / 2;
    }
    CHECK_EQ(count, 5);
    CHECK_EQ(place[0] * 1000 + place[1], 7007);
    CHECK_EQ(place[2] * 1000 + place[3], 18020);
}

static INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// An "&" in a package name or a path is shown as itself, not as an underlined letter: every
// static whose text the program sets at run time has SS_NOPREFIX.
TEST_CASE(RunTimeTextsShowAnAmpersandAsItself) {
    const struct {
        int dialog;
        int control;
    } texts[] = {{IDD_SETUP_OKCANCEL, IDC_MESSAGE},     {IDD_SETUP_OK, IDC_MESSAGE},
                 {IDD_UNINSTALL_OKCANCEL, IDC_MESSAGE}, {IDD_UNINSTALL_OK, IDC_MESSAGE},
                 {IDD_PROGRESS, IDC_PROGRESS_TEXT},     {IDD_PROGRESS, IDC_CURRENT_FILE},
                 {IDD_OVERWRITE, IDC_EXISTS_LINE},      {IDD_OVERWRITE, IDC_CURRENT_INFO},
                 {IDD_OVERWRITE, IDC_NEW_INFO}};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const auto &t : texts) {
        HWND dialog = t.dialog == IDD_PROGRESS
                          ? aof::CreateProgressDialog(instance, 1)
                          : CreateDialogParamA(instance, MAKEINTRESOURCEA(t.dialog), nullptr,
                                               IgnoreMessages, 0);
        LONG style = GetWindowLongA(GetDlgItem(dialog, t.control), GWL_STYLE);
        if (t.dialog == IDD_PROGRESS)
            aof::CloseProgressDialog();
        else
            DestroyWindow(dialog);
        std::string where = std::to_string(t.dialog) + "/" + std::to_string(t.control);
        CHECK_STR(where + ((style & SS_NOPREFIX) != 0 ? " no prefix" : " prefix"),
                  where + " no prefix");
    }
}
