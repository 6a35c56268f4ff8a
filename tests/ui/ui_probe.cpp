// ui_probe.exe — shows the program's dialogs one operation at a time, for the robot to answer.
// The results appear on stdout and, last, in a message box (caption "ui_probe") so that the
// robot's transcript holds them. Files go under C:\aoftest\ui_probe, removed at the end.
//
//   message setup|uninstall FORM [TEXT]   ShowSetupMessage / ShowUninstallMessage
//   confirm                               ConfirmOverwrite on a prepared pair of files
//   copy                                  CopyOneFile on prepared entries under the progress
//   dialog:
//     Install Macros 1 free destination, 2 same file, 3 missing source, 4 missing destination
//     folder, 5-8 existing destinations (asked for 5 and 6 only when 6 is answered "All");
//     Install Files 1-3 existing destinations (asked again), 2 read-only, 4 absent entry.
#include "driver/sequence_dialogs_win32.h"
#include "ui/overwrite_confirm_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/progress_dialog_win32.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <windows.h>

#include "test_files.h"

namespace {

using namespace testfiles;

const std::string kRoot = "C:\\aoftest\\ui_probe";
const std::string kPackage = kRoot + "\\パッケージ";
const std::string kTarget = kRoot + "\\表示";
const std::string kSetupInfo = kPackage + "\\SETUP.AFU";

void MakeFolders() {
    RemoveTree(kRoot);
    CreateDirectoryA("C:\\aoftest", nullptr);
    CreateDirectoryA(kRoot.c_str(), nullptr);
    CreateDirectoryA(kPackage.c_str(), nullptr);
    CreateDirectoryA(kTarget.c_str(), nullptr);
}

int Report(const std::string &results) {
    std::printf("%s\n", results.c_str());
    std::fflush(stdout);
    MessageBoxA(nullptr, results.c_str(), "ui_probe", MB_OK);
    return 0;
}

int ShowMessage(const char *family, int form, const char *text) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    int result = std::strcmp(family, "uninstall") == 0
                     ? aof::ShowUninstallMessage(instance, text, form)
                     : aof::ShowSetupMessage(instance, text, form);
    return Report("result " + std::to_string(result));
}

int Confirm() {
    MakeFolders();
    std::string source = kPackage + "\\ソート.mac";
    std::string destination = kTarget + "\\ソート.mac";
    WriteBytes(source, std::string(12345, 'n'));
    SetLocalWriteTime(source, 1998, 11, 23, 9, 5, 7);
    WriteBytes(destination, std::string(999, 'o'));
    SetLocalWriteTime(destination, 2001, 1, 2, 23, 59, 58);
    int result = aof::ConfirmOverwrite(GetModuleHandleA(nullptr), nullptr, source.c_str(),
                                       destination.c_str());
    RemoveTree(kRoot);
    return Report("result " + std::to_string(result));
}

void Entry(const char *section, int n, const std::string &fileName, const std::string &path) {
    std::string number = std::to_string(n);
    WritePrivateProfileStringA(section, ("FileName" + number).c_str(), fileName.c_str(),
                               kSetupInfo.c_str());
    WritePrivateProfileStringA(section, ("Path" + number).c_str(), path.c_str(),
                               kSetupInfo.c_str());
}

// Entries of a section whose file exists in the package and, with old contents, at the target.
std::string ExistingName(const char *section, int n) {
    return std::string(section[8] == 'M' ? "m" : "f") + "既存" + std::to_string(n) + ".mac";
}

void ExistingEntry(const char *section, int n) {
    std::string name = ExistingName(section, n);
    WriteBytes(kPackage + "\\" + name, "new");
    WriteBytes(kTarget + "\\" + name, "old");
    Entry(section, n, name, "表示\\");
}

void PrepareCopies() {
    MakeFolders();
    const char *macros = "Install Macros";
    WriteBytes(kPackage + "\\free.mac", "new");
    Entry(macros, 1, "free.mac", "表示\\");
    WriteBytes(kPackage + "\\same.mac", "same");
    Entry(macros, 2, "same.mac", "\\macrodir\\パッケージ\\");
    Entry(macros, 3, "none.mac", "表示\\");
    WriteBytes(kPackage + "\\nofolder.mac", "new");
    Entry(macros, 4, "nofolder.mac", "無い\\");
    for (int n = 5; n <= 8; ++n)
        ExistingEntry(macros, n);
    const char *files = "Install Files";
    for (int n = 1; n <= 3; ++n)
        ExistingEntry(files, n);
    SetFileAttributesA((kTarget + "\\" + ExistingName(files, 2)).c_str(), FILE_ATTRIBUTE_READONLY);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kSetupInfo.c_str());
}

constexpr unsigned short kEntries = 12;

std::string CopySection(const char *section, int count, int *overwriteAll,
                        aof::SequenceDialogs &dialogs, unsigned *counter) {
    std::string results = section;
    results += ":";
    aof::SetupSection list;
    list.Read(kSetupInfo.c_str(), section);
    for (int n = 1; n <= count; ++n) {
        dialogs.StepProgress(++*counter, kEntries);
        aof::CopyFolders folders = {kPackage.c_str(), kRoot.c_str(), kRoot.c_str()};
        int result =
            aof::CopyOneFile(list, static_cast<unsigned>(n), folders, overwriteAll, dialogs);
        results += " " + std::to_string(result);
    }
    return results;
}

std::string Contents(int first, int last, const char *section) {
    std::string text;
    for (int n = first; n <= last; ++n)
        text += " " + ReadBytes(kTarget + "\\" + ExistingName(section, n));
    return text;
}

int Copy() {
    PrepareCopies();
    aof::SequenceDialogs dialogs(GetModuleHandleA(nullptr));
    dialogs.BeginCopies(kEntries);
    unsigned counter = 0;
    int overwriteAll = 0;
    std::string macros = CopySection("Install Macros", 8, &overwriteAll, dialogs, &counter);
    std::string flag = "flag " + std::to_string(overwriteAll);
    overwriteAll = 0;
    std::string files = CopySection("Install Files", 4, &overwriteAll, dialogs, &counter);
    dialogs.CloseProgress();
    std::string report =
        macros + "\n" + flag + "\n" + files + "\nfree " + ReadBytes(kTarget + "\\free.mac") +
        "\nmacros" + Contents(5, 8, "Install Macros") + "\nfiles" + Contents(1, 3, "Install Files");
    RemoveTree(kRoot);
    return Report(report);
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 4 && std::strcmp(argv[1], "message") == 0)
        return ShowMessage(argv[2], std::atoi(argv[3]),
                           argc >= 5 ? argv[4] : "ﾃｽﾄ ﾒｯｾｰｼﾞ\n\n表示～確認 (ｿﾌﾄ・能力)");
    if (argc >= 2 && std::strcmp(argv[1], "confirm") == 0)
        return Confirm();
    if (argc >= 2 && std::strcmp(argv[1], "copy") == 0)
        return Copy();
    std::fprintf(stderr, "usage: ui_probe message setup|uninstall FORM [TEXT] | confirm | copy\n");
    return 2;
}
