#include "driver/startup_reading_win32.h"
#include "driver/run_state_win32.h"

#include "driver/failure_reports_win32.h"
#include "driver/file_guard_win32.h"
#include "driver/mode_decision.h"
#include "driver/startup_paths.h"
#include "editor/editor_environment_win32.h"
#include "editor/menu_registry_win32.h"
#include "editor/slot_allocation_win32.h"
#include "record/package_record_win32.h"
#include "record/run_marker.h"
#include "setupinfo/entry_walk.h"
#include "setupinfo/setup_section_win32.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/folder_variables_win32.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

#include <cstring>

namespace aof {

static bool RefuseWithAbout(const RunState &state) {
    ShowSetupMessage(InstanceOf(state), kAboutMessage, kOkOnlyForm);
    return false;
}

// Ends the run with a stop message.
static bool StopWith(const char *text, UINT icon = MB_ICONSTOP) {
    ShowMessageBox(text, icon);
    return false;
}

// Ends the run with one of the program's own stop messages; nothing has been changed yet.
static bool StopWithOwn(StopId stop, const char *first = nullptr, const char *second = nullptr) {
    return TellStop(MessageBoxes(), stop, kLineSetupCancelled, first, second);
}

static bool RefuseLongPath() {
    return StopWithOwn(kStopPathTooLong);
}

static bool FindEditorFolder(const RunState &state, char **editorFolder) {
    switch (ReadEditorFolder(editorFolder)) {
    case kEditorFound:
        return true;
    case kNoEditorKey:
        ShowSetupMessage(InstanceOf(state), kEditorNotInstalled, kOkOnlyForm);
        return false;
    case kEditorFolderUnusable:
        break;
    }
    return StopWithOwn(kStopEditorFolderUnknown);
}

static bool ReadEditorTables(RunState &state) {
    return FindEditorFolder(state, &state.editorFolder) &&
           ReportTablesRead(MessageBoxes(), LoadEditorTables(state.tables));
}

// No argument: the setup-info file beside the program, "SETUP.EXE" giving "SETUP.AFU".
static bool TakeModulePath(char *path) {
    DWORD length = GetModuleFileNameA(nullptr, path, kPathSize);
    if (length >= kPathSize)
        return RefuseLongPath();
    path[length] = '\0';
    return ReplaceLastThree(path, "AFU") || StopWith(kModulePathFailed);
}

// A bare file name is taken in the current folder, so that the setup folder (the base of every
// source path) is always a real folder.
static bool CompleteBareName(char *path) {
    char full[kPathSize];
    char *filePart;
    DWORD length = GetFullPathNameA(path, kPathSize, full, &filePart);
    if (length == 0 || length >= kPathSize)
        return RefuseLongPath();
    CopyText(path, kPathSize, full);
    return true;
}

static bool TakeArgumentPath(const RunState &state, const char *commandLine, char *path) {
    if (std::strlen(commandLine) >= kPathSize)
        return RefuseLongPath();
    if (!HasSetupInfoExtension(commandLine))
        return RefuseWithAbout(state);
    CopyText(path, kPathSize, commandLine);
    return FindLastBackslash(path) != nullptr || CompleteBareName(path);
}

static bool TakeLongName(const RunState &state, char *path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return RefuseWithAbout(state);
    FindClose(search);
    return ApplyLongName(path, found.cFileName) || RefuseLongPath();
}

static bool LocateSetupInfo(RunState &state, const char *commandLine) {
    bool taken = commandLine[0] == '\0' ? TakeModulePath(state.setupInfoPath)
                                        : TakeArgumentPath(state, commandLine, state.setupInfoPath);
    if (!taken || !TakeLongName(state, state.setupInfoPath))
        return false;
    DeriveProgramPaths(state.setupInfoPath, state.programFile, state.setupFolder);
    return true;
}

static bool CheckSetupVersion(const RunState &state) {
    unsigned version = ReadSetupNumber(state.setupInfoPath, kSetupVersion);
    return (version >= 30 && version <= 32) || RefuseWithAbout(state);
}

static bool CountMacros(RunState &state) {
    state.macroCount = CountEntries(state.setupInfoPath, kInstallMacros);
    return state.macroCount >= 1 || StopWith(kNoMacroEntries);
}

static void PlaceMacros(RunState &state) {
    state.chosenGroup =
        ChooseGroup(state.setupInfoPath, state.tables.menu, state.tables.groups, state.macroCount);
    AssignSlotNumbers(state.tables.menu, state.chosenGroup, state.macroCount, state.slotList);
}

static bool FindMacroFolder(RunState &state) {
    switch (ReadMacroFolder(state.editorFolder, state.tables.menu, state.macroFolder,
                            &state.macroFolderFlag)) {
    case kMacroFolderFound:
        return true;
    case kEnvKeyMissing:
        return StopWith(kEnvKeyNotOpened, MB_ICONEXCLAMATION);
    case kMacroFolderOverLimit:
        break;
    }
    return StopWithOwn(kStopMacroFolderTooLong);
}

static bool DeriveUninstallInfoPaths(RunState &state) {
    ReadSetupString(state.setupInfoPath, kUnInstallInfoPath, state.uninstallInfoFolder);
    return (ExpandFolderVariables(state.uninstallInfoFolder, state.editorFolder, state.macroFolder,
                                  kMacroRelative) &&
            ComposeUninstallInfoCopies(state.uninstallInfoFolder, state.setupInfoPath,
                                       state.uninstallInfoCopy, state.programCopy)) ||
           StopWithOwn(kStopUninstallInfoPathTooLong);
}

static bool ReadIdentity(RunState &state) {
    ReadSetupString(state.setupInfoPath, kSetupName, state.setupName);
    ReadSetupString(state.setupInfoPath, kInternalName, state.internalName);
    state.macroVersion = ReadSetupNumber(state.setupInfoPath, kMacroVersion);
    return state.macroVersion >= 1 || StopWith(kInvalidMacroVersion);
}

// Two packages whose uninstall-info copies have the same path would each take the other's
// lists, version and user count: a copy that names another package is neither used nor
// replaced. A package without InternalName cannot tell and goes on. A copy that is there but
// cannot be read would read as no package at all, and is not replaced either.
static bool CheckUninstallInfoOwner(const RunState &state) {
    if (!EnsureReadableIfPresent(MessageBoxes(), state.uninstallInfoCopy, kLineSetupCancelled))
        return false;
    char owner[kOwnerNameSize];
    if (!IsOtherPackagesCopy(state.uninstallInfoCopy, state.internalName, owner))
        return true;
    return StopWithOwn(kStopSharedUninstallInfo,
                       state.setupName[0] != '\0' ? state.setupName : state.internalName, owner);
}

// Holds the package's run lock from the first pass to the end of the process. A second run of
// the package while this one lives is refused: it would take this run's marker for that of a
// run that ended early. A lock left by a run that ended early is taken over.
static bool LockRun(RunState &state) {
    if (state.runLock != nullptr)
        return true;
    char name[kRunLockNameSize];
    ComposeRunLockName(name, state.recordKeyPath);
    HANDLE lock = CreateMutexA(nullptr, FALSE, name);
    if (lock == nullptr)
        return true; // no lock to be had: there is none for another run either
    if (WaitForSingleObject(lock, 0) != WAIT_TIMEOUT) {
        state.runLock = lock;
        return true;
    }
    CloseHandle(lock);
    return StopWithOwn(kStopRunAlreadyGoing, state.setupName);
}

static_assert(static_cast<int>(kInstallRun) == kNewInstall &&
                  static_cast<int>(kUpdateRun) == kUpdate &&
                  static_cast<int>(kUninstallRun) == kUninstall,
              "a run marker's kind is the mode of its run");

// The mode from the record and the uninstall-info copy, unless a run of this package and
// version ended early: that run is carried out again, whatever they say meanwhile. The count
// before the run is the marker's then, as the run may have changed the copy's.
static SetupMode DecideRunMode(RunState &state, DWORD recorded) {
    RunMarker marker;
    state.resuming = ReadRunMarker(state.recordKeyPath, marker) &&
                     IsMarkerOf(marker, state.uninstallInfoCopy, state.macroVersion);
    if (state.resuming) {
        state.users = marker.users;
        return static_cast<SetupMode>(marker.kind);
    }
    state.users = ReadInstalledUsers(state.uninstallInfoCopy);
    unsigned installed =
        recorded != 0 ? ReadSetupNumber(state.uninstallInfoCopy, kMacroVersion) : 0;
    return DecideMode(recorded, installed, state.macroVersion);
}

// A new install first takes out of the tables, in memory, the menu entries that the package
// record says an earlier install (or a run that ended early) made and that still hold the
// package's paths and titles, and the sub-menu name it gave: their slots are then found free
// and given again, and none is left behind for good.
static bool TakeBackRegistration(RunState &state) {
    SetupSection macros;
    macros.Read(state.setupInfoPath, kInstallMacros);
    char groupName[kGroupName.size];
    ReadSetupString(state.setupInfoPath, kGroupName, groupName);
    bool cleared;
    bool changed;
    if (!ReportRecordRead(MessageBoxes(),
                          RemovePackageRegistration(state.recordKeyPath, macros.Index(), groupName,
                                                    state.tables, &cleared, &changed),
                          kLineSetupCancelled))
        return false;
    state.repairing = state.resuming || changed;
    return true;
}

// Whether the files a setup copies are beside its setup-info file. A setup that ended early is
// carried out again from the start, its files copied again; the program copy in the
// uninstall-info folder (which the installed-apps entry starts) has none of them beside it.
static bool HasPackageFiles(const RunState &state) {
    static const char *const kCopiedLists[] = {kInstallMacros, kInstallFiles};
    for (const char *section : kCopiedLists) {
        SetupSection list;
        list.Read(state.setupInfoPath, section);
        ListEntry entry = {};
        while (NextListEntry(list.Index(), kInstallWalk, entry)) {
            char source[kPathSize];
            if (ComposeSourcePath(source, state.setupFolder, entry.fileName) == kPathDone &&
                GetFileAttributesA(source) == INVALID_FILE_ATTRIBUTES)
                return false;
        }
    }
    return true;
}

static StartupResult DecideStartupMode(RunState &state) {
    ComposeRecordKeyPath(state.recordKeyPath, state.internalName);
    DWORD recorded;
    if (!LockRun(state) ||
        !ReportRecordRead(MessageBoxes(),
                          ReadRecordValue(state.recordKeyPath, kRecordVersionValue, &recorded),
                          kLineSetupCancelled))
        return kStartupStopped;
    SetupMode mode = DecideRunMode(state, recorded);
    if (mode == kNewerInstalled) {
        char text[kConfirmationSize];
        ComposeNewerVersionMessage(text, state.setupName);
        ShowSetupMessage(InstanceOf(state), text, kOkOnlyForm);
        return kStartupStopped;
    }
    if (state.resuming && mode != kUninstall && !HasPackageFiles(state)) {
        StopWithOwn(kStopResumeWithoutFiles, state.setupName, LastComponent(state.programFile));
        return kStartupStopped;
    }
    state.repairing = state.resuming && mode != kUpdate; // an update leaves the tables alone
    if (mode == kNewInstall && !TakeBackRegistration(state))
        return kStartupStopped;
    PlaceMacros(state);
    PassDecision pass = DecidePass(mode, state.chosenGroup);
    state.mode = mode;
    state.updateFlag = pass.mode == kUpdate;
    state.filesOnlyFlag = pass.filesOnly;
    return mode == kUninstall ? kStartupUninstall : kStartupInstall;
}

StartupResult ReadStartup(RunState &state, const char *commandLine) {
    if (!ReadEditorTables(state) || !LocateSetupInfo(state, commandLine) ||
        !CheckSetupVersion(state) || !CountMacros(state) || !FindMacroFolder(state) ||
        !DeriveUninstallInfoPaths(state) || !ReadIdentity(state) || !CheckUninstallInfoOwner(state))
        return kStartupStopped;
    return DecideStartupMode(state);
}

} // namespace aof
