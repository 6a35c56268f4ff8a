// The uninstall sequence: the package leaves the editor's menu and the registry first; its
// files, folders and uninstall-info copy go last, and only when no other user still has the
// package and the user agrees. Every setup-info value comes from the uninstall-info copy.
#include <windows.h>

#include "driver/completion_text.h"
#include "driver/failure_reports_win32.h"
#include "driver/file_guard_win32.h"
#include "driver/run_state_win32.h"
#include "driver/listed_folders_win32.h"
#include "driver/sequences_win32.h"
#include "editor/slot_allocation_win32.h"
#include "record/apps_entry_win32.h"
#include "record/package_record_win32.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_keys.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {
namespace {

// Takes this user out of the count kept in the uninstall-info copy; gives the users left.
unsigned LowerInstalledUsers(const char *uninstallCopy) {
    unsigned count = ReadSetupNumber(uninstallCopy, kInstalledUsers);
    unsigned remaining = count > 1 ? count - 1 : 0;
    WriteInstalledUsers(uninstallCopy, remaining);
    return remaining;
}

// Asks until the user either confirms the deletion twice or declines it.
bool ConfirmFileDeletion(const RunState &state) {
    for (;;) {
        if (ShowUninstallMessage(InstanceOf(state), kAskDeleteFiles, kOkCancelForm) != IDOK)
            return false;
        if (ShowMessageBox(kReallyDeleteFiles, MB_YESNO | MB_ICONQUESTION) == IDYES)
            return true;
    }
}

// False, with a message naming the copy, when it can no longer be read.
bool EnsureCopyReadable(const RunState &state, const char *tail) {
    return EnsureReadable(state.uninstallInfoCopy, tail);
}

// Deletes the listed files, the created folders and the uninstall-info copy. The three lists
// are read whole before anything is deleted; false, with nothing deleted, when one of them
// cannot be read. The folder list is read key by key: a copy that can no longer be read
// afterwards may have cut it short, so the copy is then kept. Each false has its message.
bool DeletePackageFiles(const RunState &state) {
    const char *copy = state.uninstallInfoCopy;
    const char *sections[] = {kInstallMacros, kInstallFiles, kUnInstallFiles};
    SetupSection lists[3];
    for (int i = 0; i < 3; ++i) {
        if (!lists[i].Read(copy, sections[i])) {
            ReportUnreadable(copy, kFilesKept);
            return false;
        }
    }
    // Of the install lists only what an install copied goes; the third list is the package's
    // own list of files to delete.
    const ListWalk walks[] = {kInstalledWalk, kInstalledWalk, kDeletionWalk};
    for (int i = 0; i < 3; ++i)
        DeleteListedFiles(lists[i], walks[i], state.editorFolder, state.macroFolder);
    RemoveListedFolders(state, copy);
    if (!EnsureCopyReadable(state, kFileDeletionInterrupted))
        return false;
    DeleteFileA(copy);
    return true;
}

// Takes the package's entries out of the menu and, where its sub-menu became free, the name
// the package gave it; stores the tables. False when the run ends (message shown).
bool RemoveRegistration(RunState &state) {
    SetupSection macros;
    macros.Read(state.uninstallInfoCopy, kInstallMacros); // an unreadable copy lists no macro
    char groupName[kGroupName.size];
    ReadSetupString(state.uninstallInfoCopy, kGroupName, groupName);
    bool cleared;
    if (!ReportRecordRead(
            RemovePackageMenuEntries(state.recordKeyPath, macros.Index(), state.tables.menu) &&
            ClearGroupNameIfEmptied(state.recordKeyPath, groupName, state.tables.menu,
                                    state.tables.groups, &cleared)))
        return false;
    return ReportTableStore(StoreEditorTables(state.tables, cleared), kMacroRegistryOpenFailedNt);
}

} // namespace

void RunUninstallSequence(RunState &state) {
    const char *copy = state.uninstallInfoCopy;
    // The record goes only when the copy was readable throughout: otherwise its entries may
    // not have been found, and the next run must offer the uninstall again.
    if (!EnsureCopyReadable(state, kUninstallInterrupted) || !RemoveRegistration(state) ||
        !EnsureCopyReadable(state, kUninstallInterrupted))
        return;
    if (!ReportRecordWrite(DeletePackageRecord(state.recordKeyPath)))
        return;
    DeleteAppsEntry(state.internalName);
    if (LowerInstalledUsers(copy) > 0) {
        ShowUninstallMessage(InstanceOf(state), kOtherUsersRemain, kOkOnlyForm);
        return;
    }
    if (!ConfirmFileDeletion(state)) {
        ShowUninstallMessage(InstanceOf(state), kFilesKept, kOkOnlyForm);
        return;
    }
    // A list that cannot be read deletes nothing, and the user is told so and why.
    if (!DeletePackageFiles(state))
        return;
    char report[kUninstallReportSize];
    ComposeUninstallReport(report, state.programCopy);
    ShowUninstallMessage(InstanceOf(state), report, kOkOnlyForm);
}

} // namespace aof
