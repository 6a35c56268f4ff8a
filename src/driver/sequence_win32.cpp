#include "driver/sequence_win32.h"

#include <windows.h>

#include "common/file_replace_win32.h"
#include "driver/failure_reports_win32.h"
#include "driver/file_guard_win32.h"
#include "driver/listed_folders_win32.h"
#include "editor/editor_environment_win32.h"
#include "editor/slot_allocation_win32.h"
#include "record/apps_entry_win32.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_texts.h"
#include "ui/resource_ids.h"

namespace aof {

namespace {

// Every line of the program's own texts plus a path of up to 519 bytes.
constexpr std::size_t kLineSize = kPathSize + 128;

int ReportCopyFailure(SequenceUser &user, const char *destination) {
    char text[kLineSize];
    CopyText(text, sizeof text, destination);
    AppendTextCut(text, sizeof text, kFileCopyFailed);
    user.Tell(text, MB_ICONEXCLAMATION);
    return kCopyFailed;
}

// A path too long to compose is refused rather than shortened: copying to or from a cut path
// could overwrite another file. The message names the entry by its file name; the entries
// are copied only by an install, after its first changes.
int ReportPathTooLong(SequenceUser &user, const char *fileName) {
    TellStop(user, kStopEntryPathTooLong, kLineCopiesStay, fileName);
    return kCopyFailed;
}

int Overwrite(SequenceUser &user, const char *source, const char *destination) {
    return CopyIntoPlace(source, destination, false) ? kCopied
                                                     : ReportCopyFailure(user, destination);
}

// The destination exists: ask, unless the user already chose to overwrite all in this section.
int OverwriteExisting(SequenceUser &user, const char *source, const char *destination,
                      int *overwriteAll) {
    if (*overwriteAll != 0)
        return Overwrite(user, source, destination);
    switch (user.AskOverwrite(source, destination)) {
    case IDYES:
        return Overwrite(user, source, destination);
    case IDC_OVERWRITE_ALL:
        *overwriteAll = 1;
        return Overwrite(user, source, destination);
    case IDNO:
        return kDeclined;
    default:
        user.Tell(kSetupCancelled, MB_ICONINFORMATION);
        return kCancelledByUser;
    }
}

// The list of an install or uninstall, by its place in Sequence::lists_ (an uninstall's first
// three as DeletedListSection gives them).
const char *const kInstallLists[] = {kInstallMacros, kInstallFiles, kDeleteFilesOnInstall,
                                     kMakeDirectory};
const char *const kUninstallLists[] = {kInstallMacros, kInstallFiles, kUnInstallFiles,
                                       kMakeDirectory};

} // namespace

int CopyOneFile(const SetupSection &list, unsigned n, const CopyFolders &folders, int *overwriteAll,
                SequenceUser &user) {
    ListEntry entry;
    if (!ReadListEntry(list.Index(), n, entry))
        return kEntryMissing;
    char source[kPathSize];
    char destination[kPathSize];
    if (ComposeSourcePath(source, folders.setupFolder, entry.fileName) != kPathDone ||
        !ResolveEntryDestination(entry, folders.editorFolder, folders.macroFolder, destination))
        return ReportPathTooLong(user, entry.fileName);
    user.ShowFile(destination);
    // The usual destination does not exist yet: it is copied to at once. Whether source and
    // destination are one file is asked only when the copy did not go through: an existing
    // destination (left untouched) or a source that cannot be read.
    if (CopyIntoPlace(source, destination, true))
        return kCopied;
    DWORD error = GetLastError();
    if (IsSameFile(source, destination))
        return kSameFile;
    if (error != ERROR_FILE_EXISTS)
        return ReportCopyFailure(user, destination);
    return OverwriteExisting(user, source, destination, overwriteAll);
}

Sequence::~Sequence() {
    ClosePackageRecord(record_);
}

bool Sequence::Plan(RunPlan &plan) {
    bool uninstall = state_.mode == kUninstall;
    line_ = uninstall ? kLineUninstallCancelled : kLineSetupCancelled;
    const char *file = uninstall ? state_.uninstallInfoCopy : state_.setupInfoPath;
    // An uninstall carried out again after its copy was deleted, the last of its files: it has
    // nothing left to read, and only its record to take away.
    copyGone_ = uninstall && state_.resuming && GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES;
    const char *const *sections = uninstall ? kUninstallLists : kInstallLists;
    for (unsigned i = 0; i < 4 && !copyGone_; ++i) {
        if (!lists_[i].Read(file, sections[i]))
            return TellStop(user_, kStopFileUnreadable, line_, file);
    }
    if (uninstall) {
        ReadSetupString(file, kGroupName, groupName_);
        PlanUninstall(OthersRemain(), plan);
        return true;
    }
    InstallShape shape = {state_.updateFlag, state_.filesOnlyFlag, state_.macroFolderFlag,
                          static_cast<unsigned>(state_.macroCount),
                          CountListEntries(lists_[1].Index())};
    total_ = static_cast<unsigned short>(shape.macroCount + shape.fileCount);
    PlanInstall(shape, plan);
    return true;
}

// The record, opened or created, holds the mark of this run until its last step.
bool Sequence::MarkRun() {
    RunMarker marker;
    marker.kind = static_cast<RunKind>(state_.mode);
    marker.version = state_.macroVersion;
    marker.users = state_.users;
    CopyText(marker.uninstallCopy, kPathSize, state_.uninstallInfoCopy);
    return ReportRecordWrite(
        user_, OpenPackageRecord(record_, state_.recordKeyPath) && aof::MarkRun(record_, marker),
        line_);
}

// Copies entry n of list 0 ([Install Macros]) or 1 ([Install Files]) under the progress
// dialog; false when the run ends. A macro that vanished from the file since it was counted
// (the file edited meanwhile) stops the run: the file no longer says what it said.
bool Sequence::CopyEntry(unsigned list, unsigned n) {
    if (copied_ == 0)
        user_.BeginCopies(total_);
    ++copied_;
    user_.StepProgress(copied_, total_);
    if (list == 1 && n == 1)
        state_.overwriteAll = 0; // an overwrite-all answer holds for its own section only
    CopyFolders folders = {state_.setupFolder, state_.editorFolder, state_.macroFolder};
    int result = CopyOneFile(lists_[list], n, folders, &state_.overwriteAll, user_);
    if (result == kEntryMissing)
        TellStop(user_, kStopFileUnreadable, line_, state_.setupInfoPath);
    return result < kEntryMissing;
}

// Puts macro n into its slot of the menu table in memory and records the slot. The path is
// the entry's destination as written (folder variables kept), as the editor expects it. False
// when the slot cannot be recorded (the run ends).
bool Sequence::RegisterMacro(unsigned n) {
    unsigned slot = state_.slotList[n - 1];
    if (slot == 0) {
        user_.Tell(kSlotNumberFailed, MB_ICONSTOP);
        return true;
    }
    char path[kPathSize];
    char title[kMacroTitle.size];
    if (ResolveMenuEntry(lists_[0].Index(), n, path, title) != kPathDone)
        return true;
    return !InsertMenuEntry(state_.tables.menu, slot, path, title) ||
           ReportRecordWrite(user_, RecordSlotNumber(record_, n, slot), line_);
}

// The program copy is made of the running program, whatever the setup-info file is called
// (started with "SETUP.EXE D:\pkg\MYPKG.AFU", there is no MYPKG.EXE to copy). A copy that
// cannot be made is reported, and the run goes on: the package then has no installed-apps
// entry, and is uninstalled with the program it was installed with.
void Sequence::CopyProgram() {
    char program[kPathSize];
    DWORD length = GetModuleFileNameA(nullptr, program, kPathSize);
    if (length == 0 || length >= kPathSize)
        program[0] = '\0';
    else if (MakeProgramCopy(program, state_.programCopy))
        return;
    TellStop(user_, kStopProgramCopyFailed, kLineSetupGoesOn, state_.programCopy, program);
}

// The last step stays in view while the package is recorded. The file becomes the uninstall
// information only while it can still be read; the other users' count is carried into the
// new copy at once.
bool Sequence::CopySetupInfo() {
    user_.EndCopies();
    if (!EnsureReadable(user_, state_.setupInfoPath, line_))
        return false;
    // No count is written into a copy that was not made: the package would be recorded
    // without the lists its update and uninstall need.
    if (!MakeSetupInfoCopy(state_.setupInfoPath, state_.uninstallInfoCopy))
        return TellStop(user_, kStopUninstallInfoCopyFailed, line_, state_.uninstallInfoFolder,
                        LastComponent(state_.setupInfoPath));
    WriteInstalledUsers(state_.uninstallInfoCopy, state_.users);
    return true;
}

// The uninstall-info copy goes last. One that is there but cannot be read (another program
// holds it) could not be deleted either: the user is told, rather than told the uninstall is
// complete.
bool Sequence::DeleteCopy() {
    const char *copy = state_.uninstallInfoCopy;
    if (!EnsureReadableIfPresent(user_, copy, line_))
        return false;
    DeleteFileA(copy);
    return true;
}

// The record goes, its mark with it: the uninstall is done.
bool Sequence::DeleteRecord() {
    ClosePackageRecord(record_);
    return ReportRecordWrite(user_, DeletePackageRecord(state_.recordKeyPath), line_);
}

// Stores the editor's tables of a new or files-only install, the chosen sub-menu named.
bool Sequence::StoreInstallTables() {
    bool namesGroup = !state_.filesOnlyFlag && state_.chosenGroup > kMainGroup &&
                      state_.chosenGroup < kNoGroupWithRoom;
    if (namesGroup)
        NameGroupIfEmpty(state_.setupInfoPath, state_.tables.groups, state_.chosenGroup);
    return ReportTableStore(user_, StoreEditorTables(state_.tables, namesGroup),
                            kMacroRegistryOpenFailed, line_);
}

// Takes the package's entries out of the menu and, where its sub-menu became free, the name
// the package gave it; stores the tables.
bool Sequence::RemoveRegistration() {
    bool cleared;
    bool changed;
    if (!ReportRecordRead(user_,
                          RemovePackageRegistration(state_.recordKeyPath, lists_[0].Index(),
                                                    groupName_, state_.tables, &cleared, &changed),
                          line_))
        return false;
    return ReportTableStore(user_, StoreEditorTables(state_.tables, cleared),
                            kMacroRegistryOpenFailedNt, line_);
}

// The bytes of a list's files where the install put them; a file that is not there adds none.
unsigned long long Sequence::MeasureInstalled(const SetupSection &list) const {
    unsigned long long bytes = 0;
    ListEntry entry;
    entry.ordinal = 0;
    while (NextListEntry(list.Index(), kInstallWalk, entry)) {
        char destination[kPathSize];
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (ResolveEntryDestination(entry, state_.editorFolder, state_.macroFolder, destination) &&
            GetFileAttributesExA(destination, GetFileExInfoStandard, &data))
            bytes +=
                (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return bytes;
}

// Lists the recorded package among the user's installed apps, from where it can be uninstalled.
void Sequence::ListApp() {
    DWORD program = GetFileAttributesA(state_.programCopy);
    if (state_.internalName[0] == '\0' || program == INVALID_FILE_ATTRIBUTES ||
        (program & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return; // the entry never names a program that is not there
    AppsEntryValues values = {state_.internalName, state_.setupName,   state_.macroVersion,
                              state_.programCopy,  state_.macroFolder, 0};
    values.installedBytes = MeasureInstalled(lists_[0]) + MeasureInstalled(lists_[1]);
    WriteAppsEntry(values);
}

bool Sequence::RunStep(const aof::RunStep &step) {
    const RunState &state = state_;
    switch (step.kind) {
    case kMarkRun:
        return MarkRun();
    case kPrepareMacroFolder:
        return ReportMacroFolderPreparing(
            user_, PrepareMacroFolder(state.editorFolder, state.macroFolder));
    case kMakeFolders:
        CreateListedFolders(state, lists_[3]);
        return true;
    case kDeleteBeforeCopies:
        DeleteListedFiles(lists_[2], kDeletionWalk, state.editorFolder, state.macroFolder);
        return true;
    case kCopyMacro:
        return CopyEntry(0, step.n);
    case kRegisterMacro:
        return RegisterMacro(step.n);
    case kCopyFile:
        return CopyEntry(1, step.n);
    case kCopySetupInfo:
        return CopySetupInfo();
    case kCopyProgram:
        CopyProgram();
        return true;
    case kStoreTables:
        return StoreInstallTables();
    case kCountUser:
        WriteInstalledUsers(state.uninstallInfoCopy, state.users + 1);
        return true;
    case kRecordVersion:
        return ReportRecordWrite(user_, RecordMacroVersion(record_, state.macroVersion), line_);
    case kListApp:
        ListApp();
        return true;
    case kUnmarkRun:
        UnmarkRun(record_);
        return true;
    case kRemoveRegistration:
        return RemoveRegistration();
    case kLowerCount:
        // A copy that is gone is not made again by the count.
        if (!copyGone_)
            WriteInstalledUsers(state.uninstallInfoCopy, state.users > 1 ? state.users - 1 : 0);
        return true;
    case kAskFileDeletion:
        declined_ = !user_.AskFileDeletion();
        return true;
    case kDeleteApp:
        DeleteAppsEntry(state.internalName);
        return true;
    case kDeleteRecord:
        return DeleteRecord();
    default:
        break;
    }
    // The files, folders and copy go only when the user agreed.
    if (declined_)
        return true;
    switch (step.kind) {
    case kDeleteListed:
        DeleteListedFiles(lists_[step.n], DeletedListWalk(step.n), state.editorFolder,
                          state.macroFolder);
        return true;
    case kRemoveFolders:
        RemoveListedFolders(state, lists_[3]);
        return true;
    case kDeleteCopy:
        return DeleteCopy();
    default:
        return false;
    }
}

RunEnd Sequence::CarryOut(const RunPlan &plan) {
    for (unsigned i = 0; i < plan.count; ++i) {
        if (!RunStep(plan.steps[i]))
            return kRunStopped;
        line_ = StopLineAfter(line_, plan.steps[i].kind, declined_);
    }
    return declined_ ? kRunFilesKept : kRunDone;
}

} // namespace aof
