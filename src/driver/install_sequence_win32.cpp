// The install sequence: a confirmed new install, files-only install or update, from the
// package's folders to the completion message. Nothing done is undone when it stops early.
#include <windows.h>
#include <shellapi.h>

#include "driver/completion_text.h"
#include "driver/file_guard_win32.h"
#include "driver/run_state_win32.h"
#include "driver/listed_folders_win32.h"
#include "driver/sequences_win32.h"
#include "editor/editor_environment_win32.h"
#include "editor/menu_registry_win32.h"
#include "editor/slot_allocation_win32.h"
#include "record/apps_entry_win32.h"
#include "record/package_record_win32.h"
#include "common/registry_win32.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/folder_variables_win32.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/copy_one_file_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"
#include "ui/progress_dialog_win32.h"

namespace aof {
namespace {

// The progress dialog counts the entries of both sections in one run.
struct InstallProgress {
    HWND dialog;
    unsigned short total;
    unsigned counter;
};

// The two lists the install copies, each read once.
struct InstallLists {
    SetupSection macros;
    SetupSection files;
    int fileCount;
};

struct EntryKeys {
    char fileName[kKeyNameSize];
    char path[kKeyNameSize];
};

EntryKeys MakeEntryKeys(unsigned n) {
    EntryKeys keys;
    MakeNumberedKey(keys.fileName, kFileName.stem, n);
    MakeNumberedKey(keys.path, kPath.stem, n);
    return keys;
}

int CopyEntry(RunState &state, const SetupSection &list, unsigned n, InstallProgress &progress) {
    ++progress.counter;
    StepProgress(progress.counter, progress.total);
    EntryKeys keys = MakeEntryKeys(n);
    return CopyOneFile(list, keys.fileName, keys.path, state.setupFolder, state.editorFolder,
                       state.macroFolder, &state.overwriteAll, progress.dialog);
}

// Reads a list of the setup-info file whole; false, with a message naming the file, when it
// cannot be read: the list would otherwise read as empty and the install end without a word.
bool ReadList(const RunState &state, SetupSection &list, const char *section) {
    if (list.Read(state.setupInfoPath, section))
        return true;
    ReportUnreadable(state.setupInfoPath, kSetupInterrupted);
    return false;
}

// Puts macro n into its slot of the menu table in memory and records the slot. The path is
// the entry's destination as written (folder variables kept), as the editor expects it. False
// when the slot cannot be recorded (the run ends).
bool RegisterMacro(RunState &state, const SetupSection &macros, const PackageRecord &record,
                   unsigned n) {
    unsigned slot = state.slotList[n - 1];
    if (slot == 0) {
        ShowMessageBox(kSlotNumberFailed, MB_ICONSTOP);
        return true;
    }
    char path[kPathSize];
    char title[kMacroTitle.size];
    if (ResolveMenuEntry(macros, n, path, title) != kPathDone)
        return true;
    return !InsertMenuEntry(state.macroMenu, slot, path, title) ||
           RecordSlotNumber(record, n, slot);
}

// Copies the macro files, registering each macro of a new install; false when the run ends.
bool InstallMacros(RunState &state, const SetupSection &macros, const PackageRecord &record,
                   InstallProgress &progress) {
    for (int n = 1; n <= state.macroCount; ++n) {
        int result = CopyEntry(state, macros, n, progress);
        if (result >= kEntryMissing)
            return false;
        if (!state.updateFlag && !state.filesOnlyFlag && !RegisterMacro(state, macros, record, n))
            return false;
    }
    return true;
}

// Copies the other files; an entry without a file name ends the list. False when the run ends.
bool InstallFiles(RunState &state, const InstallLists &lists, InstallProgress &progress) {
    for (int n = 1; n <= lists.fileCount; ++n) {
        int result = CopyEntry(state, lists.files, n, progress);
        if (result == kEntryMissing)
            return true;
        if (result > kEntryMissing)
            return false;
    }
    return true;
}

// Stores the editor's tables of a new or files-only install and names the chosen sub-menu.
// False when a table cannot be stored (the message has been shown).
bool StoreEditorTables(RunState &state) {
    if (!WriteMacroMenuTable(state.macroMenu, state.macroMenuRead))
        return false;
    bool namesGroup = !state.filesOnlyFlag && state.chosenGroup > kMainGroup &&
                      state.chosenGroup < kNoGroupWithRoom;
    return !namesGroup || SetGroupNameIfEmpty(state.setupInfoPath, state.groupNames,
                                              state.groupNamesRead, state.chosenGroup);
}

// The slots the package's macros occupy: those just assigned for a new install, those its
// first install recorded for an update, none for a files-only install.
int CollectOccupiedSlots(const RunState &state, unsigned slots[kMaxMacros]) {
    if (state.updateFlag) {
        for (int i = 0; i < kMaxMacros; ++i) {
            char name[11];
            FormatDecimal(name, i + 1);
            DWORD slot; // only shown: an unreadable value shows as none
            ReadRegistryDword(HKEY_CURRENT_USER, state.recordKeyPath, name, &slot);
            slots[i] = slot;
        }
        return kMaxMacros;
    }
    if (state.filesOnlyFlag)
        return 0;
    for (int i = 0; i < kMaxMacros; ++i)
        slots[i] = state.slotList[i];
    return state.macroCount;
}

void ShowCompletion(const RunState &state) {
    char message[kShellMessage.size];
    ReadSetupString(state.uninstallInfoCopy, kShellMessage, message);
    unsigned slots[kMaxMacros];
    int count = CollectOccupiedSlots(state, slots);
    char text[kCompletionTextSize];
    ComposeCompletionText(text, sizeof text, state.setupName, slots, count, message);
    ShowSetupMessage(InstanceOf(state), text, kOkOnlyForm);
}

// Reads a [ShellExecute] value of the uninstall-info copy with plain expansion; false when
// its expansion does not fit.
bool ReadShellValue(const RunState &state, const StringKey &key, char *out) {
    ReadSetupString(state.uninstallInfoCopy, key, out);
    return ExpandFolderVariables(out, state.editorFolder, state.macroFolder, kPlainExpansion);
}

// Opens the file the package names for after its setup, if any. A value whose expansion does
// not fit is not passed on cut short: nothing is opened then.
void OpenShellFile(const RunState &state) {
    char file[kPathSize];
    char parameters[kPathSize];
    char folder[kPathSize];
    if (ReadShellValue(state, kShellFileName, file) && file[0] != '\0' &&
        ReadShellValue(state, kShellParameters, parameters) &&
        ReadShellValue(state, kShellCurrentDir, folder))
        ShellExecuteA(nullptr, "open", file, parameters, folder, SW_SHOW);
}

// The bytes of a list's files where the install put them; a file that is not there adds none.
unsigned long long MeasureInstalledFiles(const RunState &state, const SetupSection &list,
                                         int count) {
    unsigned long long bytes = 0;
    for (int n = 1; n <= count; ++n) {
        EntryKeys keys = MakeEntryKeys(n);
        char destination[kPathSize];
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (ResolveDestinationPath(list, keys.fileName, keys.path, destination) == kPathDone &&
            ExpandFolderVariables(destination, state.editorFolder, state.macroFolder,
                                  kMacroRelative) &&
            GetFileAttributesExA(destination, GetFileExInfoStandard, &data))
            bytes +=
                (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return bytes;
}

// Lists the recorded package among the user's installed apps, from where it can be uninstalled.
void ListInstalledPackage(const RunState &state, const InstallLists &lists) {
    if (state.internalName[0] == '\0')
        return;
    AppsEntryValues values = {state.internalName, state.setupName,   state.macroVersion,
                              state.programCopy,  state.macroFolder, 0};
    values.installedBytes = MeasureInstalledFiles(state, lists.macros, state.macroCount) +
                            MeasureInstalledFiles(state, lists.files, lists.fileCount);
    WriteAppsEntry(values);
}

// Copies the files and updates the editor and the bookkeeping under the progress dialog;
// false when the run ends early.
bool InstallUnderProgress(RunState &state, const InstallLists &lists, PackageRecord &record,
                          InstallProgress &progress) {
    if (!InstallMacros(state, lists.macros, record, progress))
        return false;
    state.overwriteAll = 0;
    if (!InstallFiles(state, lists, progress))
        return false;
    // The last step stays in view while the package is recorded.
    ShowProgressNow();
    // The file becomes the uninstall information only while it can still be read.
    if (!EnsureReadable(state.setupInfoPath, kSetupInterrupted))
        return false;
    unsigned users = 0;
    if (!MakeUninstallInfoCopies(state.setupInfoPath, state.programFile, state.uninstallInfoCopy,
                                 state.programCopy, &users)) {
        // No count is written into a copy that was not made: the package would be recorded
        // without the lists its update and uninstall need.
        ShowMessageBox(kSetupInfoCopyFailed, MB_ICONEXCLAMATION);
        return false;
    }
    if (!state.updateFlag) {
        if (!StoreEditorTables(state)) {
            // The copy was just replaced: carry the other users' count over, so that it
            // is not lost although this user's install stops here.
            WriteInstalledUsers(state.uninstallInfoCopy, users);
            return false;
        }
        ++users;
    }
    WriteInstalledUsers(state.uninstallInfoCopy, users);
    if (!RecordMacroVersion(record, state.macroVersion))
        return false;
    ListInstalledPackage(state, lists);
    return true;
}

// From the folders to the completion; false when the run ends early.
bool InstallPackage(RunState &state, PackageRecord &record) {
    CreateListedFolders(state, state.setupInfoPath);
    // Each list is read whole once; a setup-info file that can no longer be read stops the run.
    SetupSection deletions;
    InstallLists lists;
    if (!ReadList(state, deletions, kDeleteFilesOnInstall) ||
        !ReadList(state, lists.macros, kInstallMacros) ||
        !ReadList(state, lists.files, kInstallFiles))
        return false;
    DeleteListedFiles(deletions, state.editorFolder, state.macroFolder);
    lists.fileCount = CountEntries(lists.files);
    InstallProgress progress;
    progress.total = static_cast<unsigned short>(state.macroCount + lists.fileCount);
    progress.counter = 0;
    progress.dialog = CreateProgressDialog(InstanceOf(state), progress.total);
    bool completed = InstallUnderProgress(state, lists, record, progress);
    CloseProgressDialog();
    return completed;
}

} // namespace

// The record is opened before any of the package's folders and files are touched, so that a
// record that cannot be written stops the run before the package is half installed.
void RunInstallSequence(RunState &state) {
    if (!EnsureReadable(state.setupInfoPath, kSetupInterrupted) ||
        (state.macroFolderFlag && !PrepareMacroFolder(state.editorFolder, state.macroFolder)))
        return;
    PackageRecord record;
    if (!OpenPackageRecord(record, state.recordKeyPath))
        return;
    bool completed = InstallPackage(state, record);
    ClosePackageRecord(record);
    if (!completed)
        return;
    ShowCompletion(state);
    OpenShellFile(state);
}

} // namespace aof
