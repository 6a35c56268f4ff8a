// Where a package's files land on the user's machine, judged as SETUP.EXE will place them:
// each destination and folder composed by the program's own rules, expanded with the
// variables' names as folders (afucheck/destination_rules.h), and held against the folders
// that will exist when it is used.
#include "afucheck/check_context.h"
#include "afucheck/destination_rules.h"
#include "afucheck/setup_info_check_win32.h"
#include "common/format.h"
#include "driver/startup_paths.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <cstdlib>
#include <cstring>

namespace aof {

namespace {

// What SETUP.EXE does where a path goes wrong, by what the path is for.
enum Use { kCopiedTo, kMadeFolder, kCopiesFolder, kDeletedFile };

constexpr const char *kConsequences[] = {
    "SETUP.EXE はコピーに失敗して中止します",
    "SETUP.EXE はこのフォルダを作らずに続けます",
    "SETUP.EXE はアンインストール情報の写しを作れずに中止します",
    "SETUP.EXE はこのファイルを削除しません",
};

// A path as the checker names it: its keys as written, their line, and what it is for.
struct Place {
    Use use;
    unsigned line;
    char shown[kDetailSize / 2];
};

// "SHOWN → PATH (…)。CONSEQUENCE"; format holds the shown keys, the path and the folder.
void ReportAt(Check &check, int code, const Place &place, const char *format, const char *path,
              const char *folder) {
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, format, place.shown, path, folder);
    AppendTextCut(detail, sizeof detail, "。");
    AppendTextCut(detail, sizeof detail, kConsequences[place.use]);
    Report(check, code, place.line, detail);
}

bool ExpandWithVariableNames(char *path) {
    return ExpandFolderVariablesWith(path, kVariableFolders, kMacroRelative);
}

// A value that cannot mean what its author meant; false when it is sound.
bool CheckPathValue(Check &check, const Place &place, const char *value, const char *expanded) {
    PathValueFault fault = JudgePathValue(value);
    if (fault == kValueSound)
        return false;
    int code = fault == kDriveOrUncPath ? kDriveInPath
               : fault == kVariableCase ? kVariableInOtherCase
                                        : kSlashInPath;
    ReportAt(check, code, place, "%s → %s", expanded, "");
    return true;
}

// The one judgement of a destination: its folder must exist and it must not be a folder.
// folder receives the folder it lands in (or the folder it names).
DestinationFault CheckLanding(Check &check, const Place &place, const FolderList &folders,
                              const char *destination, char *folder) {
    DestinationFault fault = JudgeDestination(folders, destination, folder);
    if (fault == kFolderMissing)
        ReportAt(check, std::strchr(destination, '/') != nullptr ? kSlashInPath : kNoSuchFolder,
                 place, "%s → %s (フォルダ %s がありません)", destination, folder);
    else if (fault == kDestinationIsFolder)
        ReportAt(check,
                 std::strchr(destination, '/') != nullptr ? kSlashInPath : kDestinationFolder,
                 place, "%s → %s はフォルダです", folder, "");
    return fault;
}

// [Make Directory], in its order: a folder is made only inside one that exists by then.
void CheckMadeFolders(Check &check, FolderList &folders) {
    VisitListedFolders(check, [&check, &folders](const ListedFolderLine &listed) {
        Place place{kMadeFolder, listed.line, ""};
        FormatText(place.shown, sizeof place.shown, "%s=%s", listed.key, listed.folder);
        char folder[kPathSize];
        char parent[kPathSize];
        CopyText(folder, sizeof folder, listed.folder);
        if (ExpandWithVariableNames(folder) &&
            !CheckPathValue(check, place, listed.folder, folder) &&
            !AddMadeFolder(folders, folder, parent))
            ReportAt(check, kNoSuchFolder, place, "%s → %s (フォルダ %s がありません)", folder,
                     parent);
    });
}

// The uninstall-info copy is made after the files; its folder then counts as existing.
void CheckCopiesFolder(Check &check, FolderList &folders) {
    const StringKey &key = kUnInstallInfoPath;
    char value[kPathSize];
    ReadSetupString(check.file, key, value);
    Place place{kCopiesFolder, LineOf(check, key.section, key.key), ""};
    FormatText(place.shown, sizeof place.shown, "%s=%s", key.key, value);
    char folder[kPathSize];
    char copy[kPathSize];
    char programCopy[kPathSize];
    CopyText(folder, sizeof folder, value);
    if (!ExpandWithVariableNames(folder) || CheckPathValue(check, place, value, folder) ||
        !ComposeUninstallInfoCopies(folder, check.file, copy, programCopy))
        return;
    if (CheckLanding(check, place, folders, copy, folder) != kDestinationIsFolder)
        AddKnownFolder(folders, folder);
}

// Entry n of a list: its keys as written, and its destination expanded with the variables'
// names; false when it has none.
struct Entry {
    char fileKey[kKeyNameSize];
    char pathKey[kKeyNameSize];
    char path[kPath.size];
    char destination[kPathSize];
};

bool ReadEntry(const Check &check, const SetupSection &list, const char *section,
               const ListEntry &listEntry, Use use, Entry &entry, Place &place) {
    MakeNumberedKey(entry.fileKey, kFileName.stem, listEntry.ordinal);
    MakeNumberedKey(entry.pathKey, kPath.stem, listEntry.ordinal);
    list.Text(entry.pathKey, entry.path, kPath.size);
    if (!ComposeLandingPath(listEntry, entry.destination))
        return false;
    bool pathGiven = entry.path[0] != '\0';
    place.use = use;
    place.line = LineOf(check, section, pathGiven ? entry.pathKey : entry.fileKey);
    FormatText(place.shown, sizeof place.shown, pathGiven ? "%s=%s, %s=%s" : "%s=%s", entry.fileKey,
               listEntry.fileName, entry.pathKey, entry.path);
    return true;
}

// The entries a list's walk reaches (the install's copies, or a deletion list's entries): a
// copy lands in the folders that exist once every folder is made; a deletion deletes nothing
// where nothing is, so only its values are judged.
void CheckEntries(Check &check, const FolderList &folders, const char *section, ListWalk walk) {
    SetupSection list;
    list.Read(check.file, section);
    ListEntry listEntry;
    listEntry.ordinal = 0;
    Use use = walk == kInstallWalk ? kCopiedTo : kDeletedFile;
    while (NextListEntry(list.Index(), walk, listEntry)) {
        Entry entry;
        Place place;
        char folder[kPathSize];
        if (ReadEntry(check, list, section, listEntry, use, entry, place) &&
            !CheckPathValue(check, place, entry.path, entry.destination) && use == kCopiedTo)
            CheckLanding(check, place, folders, entry.destination, folder);
    }
}

} // namespace

bool ComposeLandingPath(const ListEntry &entry, char *destination) {
    CopyText(destination, kPathSize, entry.destination);
    return entry.fits && ExpandWithVariableNames(destination);
}

void CheckDestinations(Check &check) {
    auto *folders = static_cast<FolderList *>(std::malloc(sizeof(FolderList)));
    if (folders == nullptr)
        return;
    StartFolderList(*folders);
    CheckMadeFolders(check, *folders);
    CheckCopiesFolder(check, *folders);
    CheckEntries(check, *folders, kInstallMacros, kInstallWalk);
    CheckEntries(check, *folders, kInstallFiles, kInstallWalk);
    CheckEntries(check, *folders, kUnInstallFiles, kDeletionWalk);
    CheckEntries(check, *folders, kDeleteFilesOnInstall, kDeletionWalk);
    std::free(folders);
}

} // namespace aof
