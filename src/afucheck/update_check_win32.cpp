// AFUCHECK /UPDATE OLD NEW: what an update from the old version to the new one leaves wrong on
// the user's machine. An update copies the new files and records the new version; it never
// touches the menu, and the uninstall that follows reads only the new version's lists. Each
// finding is placed on the new file's lines.
#include "afucheck/check_context.h"
#include "afucheck/destination_rules.h"
#include "afucheck/setup_info_check_win32.h"
#include "common/format.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <cstring>

namespace aof {

namespace {

// The install and deletion lists of one version, each read whole once.
struct Version {
    const char *file;
    SetupSection macros;
    SetupSection files;
    SetupSection deletedOnInstall;
    SetupSection deletedOnUninstall;

    explicit Version(const char *path) : file(path) {
        macros.Read(path, kInstallMacros);
        files.Read(path, kInstallFiles);
        deletedOnInstall.Read(path, kDeleteFilesOnInstall);
        deletedOnUninstall.Read(path, kUnInstallFiles);
    }
};

// Whether the walk over list reaches an entry that lands on destination.
bool IsReachedBy(const SetupSection &list, ListWalk walk, const char *destination) {
    ListEntry entry;
    entry.ordinal = 0;
    while (NextListEntry(list.Index(), walk, entry)) {
        char other[kPathSize];
        if (ComposeLandingPath(entry, other) && IsSamePlace(other, destination))
            return true;
    }
    return false;
}

bool IsTakenCareOf(const Version &next, const char *destination) {
    return IsReachedBy(next.macros, kInstallWalk, destination) ||
           IsReachedBy(next.files, kInstallWalk, destination) ||
           IsReachedBy(next.deletedOnInstall, kDeletionWalk, destination) ||
           IsReachedBy(next.deletedOnUninstall, kDeletionWalk, destination);
}

// Files the old version installed (and its uninstall would have deleted) that the new one
// neither installs nor deletes: nothing ever takes them away.
void CheckLeftFiles(Check &check, const Version &next, const char *section,
                    const SetupSection &list) {
    ListEntry entry;
    entry.ordinal = 0;
    while (NextListEntry(list.Index(), kInstalledWalk, entry)) {
        char destination[kPathSize];
        if (!ComposeLandingPath(entry, destination) || IsTakenCareOf(next, destination))
            continue;
        char fileKey[kKeyNameSize];
        MakeNumberedKey(fileKey, kFileName.stem, entry.ordinal);
        char detail[kDetailSize];
        FormatText(detail, sizeof detail, "旧版の [%s] %s=%s → %s", section, fileKey,
                   entry.fileName, destination);
        Report(check, kFileLeftBehind, LineOf(check, section, ""), detail);
    }
}

// What the menu entry of macro n records: its destination as written and its title.
struct MenuPair {
    char path[kPathSize];
    char title[kMacroTitle.size];
};

bool ReadMenuPair(const SetupSection &macros, unsigned n, MenuPair &pair) {
    return ResolveMenuEntry(macros.Index(), n, pair.path, pair.title) == kPathDone;
}

void CheckMacros(Check &check, const Version &last, const Version &next) {
    unsigned lastCount = CountListEntries(last.macros.Index());
    unsigned nextCount = CountListEntries(next.macros.Index());
    unsigned most = lastCount > nextCount ? lastCount : nextCount;
    for (unsigned n = 1; n <= most; ++n) {
        char fileKey[kKeyNameSize];
        MakeNumberedKey(fileKey, kFileName.stem, n);
        MenuPair old{};
        MenuPair now{};
        bool inLast = n <= lastCount && ReadMenuPair(last.macros, n, old);
        bool inNext = n <= nextCount && ReadMenuPair(next.macros, n, now);
        if (inLast && inNext &&
            (std::strcmp(old.path, now.path) == 0 && std::strcmp(old.title, now.title) == 0))
            continue;
        char detail[kDetailSize];
        int code = !inLast ? kMacroAdded : !inNext ? kMacroRemoved : kMenuEntryChanged;
        const char *format = code == kMacroAdded     ? "%s: 「%s」%s"
                             : code == kMacroRemoved ? "旧版の %s: 「%s」%s"
                                                     : "%s: 旧版の「%s」%s";
        const MenuPair &shown = code == kMacroAdded ? now : old;
        FormatText(detail, sizeof detail, format, fileKey, shown.title, shown.path);
        if (code == kMenuEntryChanged) {
            AppendTextCut(detail, sizeof detail, " → 新版の「");
            AppendTextCut(detail, sizeof detail, now.title);
            AppendTextCut(detail, sizeof detail, "」");
            AppendTextCut(detail, sizeof detail, now.path);
        }
        unsigned line = LineOf(check, kInstallMacros, code == kMacroRemoved ? "" : fileKey);
        Report(check, code, line, detail);
    }
}

// The installed version decides: the same one means uninstall, a newer one a refusal.
void CheckVersions(Check &check, const Version &last, const Version &next) {
    unsigned old = ReadSetupNumber(last.file, kMacroVersion);
    unsigned now = ReadSetupNumber(next.file, kMacroVersion);
    if (now > old)
        return;
    char versions[2][11];
    FormatDecimal(versions[0], now);
    FormatDecimal(versions[1], old);
    char detail[kDetailSize];
    FormatText(detail, sizeof detail,
               now == old ? "MacroVersion=%s (旧版も %s。旧版がインストールされていると、新版の "
                            "SETUP.EXE はアンインストールになります)"
                          : "MacroVersion=%s (旧版は %s。旧版がインストールされていると、新版の "
                            "SETUP.EXE は新しい版がインストール済みとして中止します)",
               versions[0], versions[1]);
    Report(check, kVersionNotRaised, LineOf(check, kMacroVersion.section, kMacroVersion.key),
           detail);
}

} // namespace

void CheckUpdate(Check &check, const char *oldFile) {
    if (!IsSetupInfoReadable(oldFile)) {
        Report(check, kFileUnreadable, 0, oldFile);
        return;
    }
    Version last(oldFile);
    Version next(check.file);
    CheckVersions(check, last, next);
    CheckMacros(check, last, next);
    CheckLeftFiles(check, next, kInstallMacros, last.macros);
    CheckLeftFiles(check, next, kInstallFiles, last.files);
}

} // namespace aof
