#include "afucheck/setup_info_check_win32.h"

#include "afucheck/check_context.h"
#include "afucheck/destination_rules.h"
#include "afucheck/key_rules.h"
#include "common/format.h"
#include "driver/startup_paths.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <cstdlib>
#include <cstring>
#include <windows.h>

namespace aof {

void Report(Check &check, int code, unsigned line, const char *detail) {
    AddDiagnostic(*check.list, code, line, detail);
}

unsigned LineOf(const Check &check, const char *section, const char *key) {
    unsigned line = FindRawKeyLine(check.scan, section, key);
    int found = FindRawSection(check.scan, section);
    return line != 0 ? line : found >= 0 ? check.scan.items[found].line : 0;
}

namespace {

// Larger than any buffer of the key table, so that a value's whole length is seen.
constexpr unsigned kWholeValueSize = 4096;
constexpr unsigned kMaxFileSize = 16u << 20;
constexpr unsigned kMaxInstalled = 2 * kMaxMacros;

bool ReadWholeFile(const char *path, unsigned char **bytes, DWORD *length) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    *bytes = size <= kMaxFileSize ? static_cast<unsigned char *>(std::malloc(size + 1)) : nullptr;
    bool read =
        *bytes != nullptr && ReadFile(file, *bytes, size, length, nullptr) && *length == size;
    CloseHandle(file);
    return read;
}

void CheckEncoding(Check &check, const EncodingFinding &finding) {
    switch (finding.encoding) {
    case kUtf8WithoutBom:
        Report(check, kUtf8WithoutBomFile, 0, "");
        break;
    case kUtf8WithBom:
        Report(check, kByteOrderMark, 1, "UTF-8");
        break;
    case kUtf16LeWithBom:
    case kUtf16BeWithBom:
        Report(check, kByteOrderMark, 1, "UTF-16");
        break;
    case kCodePage932Text:
        if (finding.invalidLine != 0)
            Report(check, kInvalidCodePage932, finding.invalidLine, "");
        break;
    }
}

// The index of the first earlier item that is a section or a key of the same section of this
// name, or -1.
int FindEarlier(const RawScan &scan, std::size_t index) {
    const RawItem &item = scan.items[index];
    for (std::size_t i = 0; i < index; ++i) {
        const RawItem &earlier = scan.items[i];
        bool sameSection = item.isSection || earlier.section == item.section;
        if (earlier.isSection == item.isSection && sameSection &&
            EqualsIgnoringAsciiCase(earlier.name, item.name))
            return static_cast<int>(i);
    }
    return -1;
}

void ReportRepeat(Check &check, int code, const RawItem &item, const RawItem &first) {
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s (%d 行目のものが使われます)", item.name,
               static_cast<int>(first.line));
    Report(check, code, item.line, detail);
}

void ReportNameWithSuggestion(Check &check, int code, const RawItem &item, bool suggested,
                              const char *suggestion) {
    char detail[kDetailSize];
    if (suggested)
        FormatText(detail, sizeof detail, "%s (%s のことですか?)", item.name, suggestion);
    else
        CopyText(detail, sizeof detail, item.name);
    Report(check, code, item.line, detail);
}

void CheckSection(Check &check, std::size_t index) {
    const RawItem &item = check.scan.items[index];
    char suggestion[kSuggestionSize];
    if (FindKnownSection(item.name) == nullptr) {
        ReportNameWithSuggestion(check, kUnknownSection, item,
                                 SuggestSection(item.name, suggestion), suggestion);
        return;
    }
    int earlier = FindEarlier(check.scan, index);
    if (earlier >= 0)
        ReportRepeat(check, kRepeatedSection, item, check.scan.items[earlier]);
}

// The known section that the reader takes this key from, or nullptr (the key lies outside any
// section, in an unknown section, or in a repeated one, which is reported already).
const KnownSection *ReadSectionOf(const Check &check, const RawItem &item) {
    if (item.section < 0)
        return nullptr;
    const char *name = check.scan.items[item.section].name;
    if (FindRawSection(check.scan, name) != item.section)
        return nullptr;
    return FindKnownSection(name);
}

void CheckKey(Check &check, std::size_t index) {
    const RawItem &item = check.scan.items[index];
    bool inSection = item.section >= 0;
    const KnownSection *section = ReadSectionOf(check, item);
    if (section == nullptr) {
        if (!inSection)
            Report(check, kUnknownKey, item.line, item.name);
        return;
    }
    KeyClass keyClass = ClassifyKey(*section, item.name);
    char suggestion[kSuggestionSize];
    if (keyClass.match == kKeyOrdinalUnread) {
        Report(check, kKeyNeverRead, item.line, item.name);
    } else if (keyClass.match == kKeyUnknown) {
        ReportNameWithSuggestion(check, kUnknownKey, item,
                                 SuggestKey(*section, item.name, suggestion), suggestion);
    } else if (FindEarlier(check.scan, index) >= 0) {
        ReportRepeat(check, kRepeatedKey, item, check.scan.items[FindEarlier(check.scan, index)]);
    }
}

void CheckNames(Check &check) {
    for (std::size_t i = 0; i < check.scan.count; ++i) {
        if (check.scan.items[i].isSection)
            CheckSection(check, i);
        else
            CheckKey(check, i);
    }
}

// A value as the reader gives it, whole.
unsigned ReadWholeValue(const Check &check, const char *section, const char *key, char *out) {
    return GetPrivateProfileStringA(section, key, "", out, kWholeValueSize, check.file);
}

void CheckLength(Check &check, const char *section, const RawItem &item, unsigned size) {
    char whole[kWholeValueSize];
    unsigned length = ReadWholeValue(check, section, item.name, whole);
    char kept[kWholeValueSize];
    ReadSetupText(check.file, section, item.name, "", kept, size);
    unsigned keptLength = static_cast<unsigned>(std::strlen(kept));
    if (length <= keptLength)
        return;
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s: %d バイトまで、%d バイトが失われて「%s」", item.name,
               static_cast<int>(size - 1), static_cast<int>(length - keptLength), kept);
    Report(check, kValueCut, item.line, detail);
}

void CheckNumber(Check &check, const char *section, const RawItem &item) {
    char whole[kWholeValueSize];
    if (ReadWholeValue(check, section, item.name, whole) == 0 || IsPlainDecimal(whole))
        return;
    char read[11];
    FormatDecimal(read, ReadSetupNumberAt(check.file, section, item.name, 0));
    // A version that reads as the installed one makes the run an uninstall.
    bool version = EqualsIgnoringAsciiCase(section, kMacroVersion.section) &&
                   EqualsIgnoringAsciiCase(item.name, kMacroVersion.key);
    char detail[kDetailSize];
    FormatText(detail, sizeof detail,
               version ? "%s=%s (%s として読まれます。インストール済みの版と同じなら、"
                         "SETUP.EXE はアンインストールになります)"
                       : "%s=%s (%s として読まれます)",
               item.name, whole, read);
    Report(check, kNotDecimal, item.line, detail);
}

// A string value holding what its author meant as a comment.
void CheckComment(Check &check, const char *section, const RawItem &item) {
    char whole[kWholeValueSize];
    ReadWholeValue(check, section, item.name, whole);
    if (!HoldsLineEndComment(whole))
        return;
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s=%s", item.name, whole);
    Report(check, kCommentInValue, item.line, detail);
}

void CheckQuotes(Check &check, const char *section, const RawItem &item) {
    char whole[kWholeValueSize];
    ReadWholeValue(check, section, item.name, whole);
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s: 「%s」として読まれます", item.name, whole);
    Report(check, kQuotedValue, item.line, detail);
}

// Every value the program reads: in quotes, cut to its buffer, holding a comment, or a number
// not written as one.
void CheckValues(Check &check) {
    for (std::size_t i = 0; i < check.scan.count; ++i) {
        const RawItem &item = check.scan.items[i];
        const KnownSection *section = item.isSection ? nullptr : ReadSectionOf(check, item);
        if (section == nullptr || FindEarlier(check.scan, i) >= 0)
            continue;
        KeyClass keyClass = ClassifyKey(*section, item.name);
        if (keyClass.match != kKeyKnown)
            continue;
        if (item.quoted)
            CheckQuotes(check, section->name, item);
        // InstallToMainGroup is read into 4 bytes on purpose; its own check tells how.
        if (std::strcmp(keyClass.key->name, kInstallToMainGroup.key) == 0)
            continue;
        if (keyClass.key->size == 0) {
            CheckNumber(check, section->name, item);
            continue;
        }
        CheckLength(check, section->name, item, keyClass.key->size);
        CheckComment(check, section->name, item);
    }
}

void ReportValue(Check &check, int code, const char *section, const char *key, const char *value) {
    char detail[kDetailSize];
    if (FindRawKeyLine(check.scan, section, key) == 0)
        FormatText(detail, sizeof detail, "%s がありません", key);
    else
        FormatText(detail, sizeof detail, "%s=%s", key, value);
    Report(check, code, LineOf(check, section, key), detail);
}

void ReportNumber(Check &check, int code, const NumberKey &key, unsigned value) {
    char digits[11];
    FormatDecimal(digits, value);
    ReportValue(check, code, key.section, key.key, digits);
}

// Folder-variable expansion as the setup program does it, or the composed path alone when
// this machine has no editor. False (reported) when the result does not fit.
bool ExpandChecked(Check &check, char *path, unsigned line, const char *what) {
    char original[kPathSize];
    CopyText(original, sizeof original, path);
    if (!check.canExpand || ExpandFolderVariablesWith(path, check.folders, kMacroRelative))
        return true;
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s: %s", what, original);
    Report(check, kPathOverLimit, line, detail);
    return false;
}

// A path with ".." steps: where it really leads (on this machine when its editor is known).
void ReportClimb(Check &check, unsigned line, const char *key, const char *value,
                 const char *expanded) {
    char resolved[kPathSize];
    CopyText(resolved, sizeof resolved, expanded);
    if (check.canExpand)
        ResolveParentSteps(resolved, 1);
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s=%s → %s", key, value, resolved);
    Report(check, kClimbsOut, line, detail);
}

// Without a final "\" the copies' names are joined to the folder's last name, and they land in
// the folder above it: say where.
void ReportJoinedCopies(Check &check, unsigned line, const char *value, const char *copy,
                        const char *programCopy) {
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s=%s → 写しは %s", kUnInstallInfoPath.key, value, copy);
    AppendTextCut(detail, sizeof detail, " と ");
    AppendTextCut(detail, sizeof detail, programCopy);
    Report(check, kNoFinalBackslash, line, detail);
}

void CheckUninstallInfoPath(Check &check) {
    const StringKey &key = kUnInstallInfoPath;
    char value[kPathSize];
    ReadSetupString(check.file, key, value);
    unsigned line = LineOf(check, key.section, key.key);
    bool shared = EqualsIgnoringAsciiCase(value, key.fallback);
    if (shared)
        ReportValue(check, kSharedUninstallInfo, key.section, key.key, value);
    char folder[kPathSize];
    CopyText(folder, sizeof folder, value);
    if (!ExpandChecked(check, folder, line, key.key))
        return;
    char copy[kPathSize];
    char programCopy[kPathSize];
    if (!ComposeUninstallInfoCopies(folder, check.file, copy, programCopy)) {
        char detail[kDetailSize];
        FormatText(detail, sizeof detail, "%s: %s%s", key.key, folder, LastComponent(check.file));
        Report(check, kPathOverLimit, line, detail);
        return;
    }
    const char *slash = FindLastBackslash(value);
    if (!shared && (slash == nullptr || slash[1] != '\0'))
        ReportJoinedCopies(check, line, value, copy, programCopy);
    if (ClimbsToParent(value))
        ReportClimb(check, line, key.key, value, copy);
}

void CheckMainSection(Check &check) {
    const char *file = check.file;
    unsigned setupVersion = ReadSetupNumber(file, kSetupVersion);
    if (setupVersion < 30 || setupVersion > 32)
        ReportNumber(check, kBadSetupVersion, kSetupVersion, setupVersion);
    unsigned macroVersion = ReadSetupNumber(file, kMacroVersion);
    if (macroVersion < 1)
        ReportNumber(check, kBadMacroVersion, kMacroVersion, macroVersion);
    char internalName[kInternalName.size];
    ReadSetupString(file, kInternalName, internalName);
    if (internalName[0] == '\0')
        ReportValue(check, kNoInternalName, kInternalName.section, kInternalName.key, "");
    CheckUninstallInfoPath(check);
}

void NumberedKey(char *out, const NumberedKey &key, unsigned n) {
    MakeNumberedKey(out, key.stem, n);
}

// Entries whose FileName the program never reaches: beyond `reached` (the entry count of an
// install list, or the end of a deletion walk).
void CheckUnreachedEntries(Check &check, const char *section, unsigned reached, const char *why) {
    int found = FindRawSection(check.scan, section);
    const KnownSection *known = FindKnownSection(section);
    for (std::size_t i = 0; found >= 0 && i < check.scan.count; ++i) {
        const RawItem &item = check.scan.items[i];
        if (item.isSection || item.section != found)
            continue;
        KeyClass keyClass = ClassifyKey(*known, item.name);
        if (keyClass.match != kKeyKnown || keyClass.ordinal <= reached ||
            std::strcmp(keyClass.key->name, kFileName.stem) != 0)
            continue;
        char detail[kDetailSize];
        FormatText(detail, sizeof detail, why, item.name, static_cast<int>(reached));
        Report(check, kEntryNeverUsed, item.line, detail);
    }
}

struct Destinations {
    char paths[kMaxInstalled][kPathSize];
    const char *sections[kMaxInstalled];
    unsigned ordinals[kMaxInstalled];
    unsigned count;
};

void CheckSameDestination(Check &check, Destinations &seen, const char *section, unsigned n,
                          const char *path, unsigned line) {
    for (unsigned i = 0; i < seen.count; ++i) {
        if (!EqualsIgnoringAsciiCase(seen.paths[i], path))
            continue;
        char detail[kDetailSize];
        FormatText(detail, sizeof detail, "[%s] FileName%d と同じ %s", seen.sections[i],
                   static_cast<int>(seen.ordinals[i]), path);
        Report(check, kSameDestination, line, detail);
        return;
    }
    if (seen.count == kMaxInstalled)
        return;
    CopyText(seen.paths[seen.count], kPathSize, path);
    seen.sections[seen.count] = section;
    seen.ordinals[seen.count++] = n;
}

// The line of key stem + n of the section.
unsigned LineOfEntry(const Check &check, const char *section, const char *stem, unsigned n) {
    char key[kKeyNameSize];
    MakeNumberedKey(key, stem, n);
    return LineOf(check, section, key);
}

// An entry's destination, composed and expanded; false (reported) when it does not fit.
bool CheckDestination(Check &check, const SetupSection &list, const char *section,
                      const ListEntry &entry, char *destination) {
    char pathKey[kKeyNameSize];
    NumberedKey(pathKey, kPath, entry.ordinal);
    unsigned line = LineOfEntry(check, section, kFileName.stem, entry.ordinal);
    if (!entry.fits)
        Report(check, kPathOverLimit, line, pathKey);
    CopyText(destination, kPathSize, entry.destination);
    if (!entry.fits || !ExpandChecked(check, destination, line, pathKey))
        return false;
    char value[kPath.size];
    list.Text(pathKey, value, kPath.size);
    if (ClimbsToParent(value))
        ReportClimb(check, LineOf(check, section, pathKey), pathKey, value, destination);
    return true;
}

void CheckSource(Check &check, const char *section, const ListEntry &entry) {
    char fileKey[kKeyNameSize];
    NumberedKey(fileKey, kFileName, entry.ordinal);
    unsigned line = LineOf(check, section, fileKey);
    char source[kPathSize];
    if (ComposeSourcePath(source, check.setupFolder, entry.fileName) != kPathDone) {
        Report(check, kPathOverLimit, line, fileKey);
        return;
    }
    DWORD attributes = GetFileAttributesA(source);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        Report(check, kSourceMissing, line, source);
}

// Without a title the editor's menu shows the macro's destination as written.
void CheckMacroTitle(Check &check, const SetupSection &macros, unsigned n) {
    char titleKey[kKeyNameSize];
    NumberedKey(titleKey, kMacroTitle, n);
    char title[kMacroTitle.size];
    char shown[kPathSize];
    if (ResolveMenuEntry(macros.Index(), n, shown, title) != kPathDone || title[0] != '\0')
        return;
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s (メニューには「%s」)", titleKey, shown);
    Report(check, kEmptyMacroTitle, LineOfEntry(check, kInstallMacros, kFileName.stem, n), detail);
}

// The entries the install walk reaches: what an install copies (and registers).
void CheckInstallList(Check &check, const char *section, Destinations &seen) {
    SetupSection list;
    list.Read(check.file, section);
    unsigned count = CountListEntries(list.Index());
    if (section == kInstallMacros && count == 0)
        Report(check, kNoFirstMacro, LineOf(check, section, "FileName1"), "");
    CheckUnreachedEntries(check, section, count, "%s (インストールされるのは番号 %d までです)");
    ListEntry entry;
    entry.ordinal = 0;
    while (NextListEntry(list.Index(), kInstallWalk, entry)) {
        CheckSource(check, section, entry);
        if (section == kInstallMacros)
            CheckMacroTitle(check, list, entry.ordinal);
        char destination[kPathSize];
        if (CheckDestination(check, list, section, entry, destination))
            CheckSameDestination(check, seen, section, entry.ordinal, destination,
                                 LineOfEntry(check, section, kFileName.stem, entry.ordinal));
    }
}

// The entries the deletion walk reaches: what an install or an uninstall deletes.
void CheckDeletionList(Check &check, const char *section) {
    SetupSection list;
    list.Read(check.file, section);
    ListEntry entry;
    entry.ordinal = 0;
    while (NextListEntry(list.Index(), kDeletionWalk, entry)) {
        char destination[kPathSize];
        CheckDestination(check, list, section, entry, destination);
    }
    CheckUnreachedEntries(check, section, entry.ordinal - 1, "%s (読まれるのは番号 %d までです)");
}

void CheckMakeDirectory(Check &check) {
    unsigned count = VisitListedFolders(check, [&check](const ListedFolderLine &listed) {
        char expanded[kPathSize];
        CopyText(expanded, sizeof expanded, listed.folder);
        if (ExpandChecked(check, expanded, listed.line, listed.key) &&
            ClimbsToParent(listed.folder))
            ReportClimb(check, listed.line, listed.key, listed.folder, expanded);
    });
    unsigned n = count + 1;
    int found = FindRawSection(check.scan, kMakeDirectory);
    for (std::size_t i = 0; found >= 0 && i < check.scan.count; ++i) {
        const RawItem &item = check.scan.items[i];
        if (item.isSection || item.section != found)
            continue;
        KeyClass keyClass = ClassifyKey(*FindKnownSection(kMakeDirectory), item.name);
        if (keyClass.match == kKeyKnown && keyClass.ordinal >= n) {
            char detail[kDetailSize];
            FormatText(detail, sizeof detail, "%s (%d がありません)", item.name,
                       static_cast<int>(n));
            Report(check, kDirectoryGap, item.line, detail);
        }
    }
}

void CheckGroup(Check &check) {
    const StringKey &key = kInstallToMainGroup;
    char whole[kWholeValueSize];
    if (ReadWholeValue(check, key.section, key.key, whole) == 0 || IsYesOrNo(whole))
        return;
    char read[kInstallToMainGroup.size];
    ReadSetupString(check.file, key, read);
    char detail[kDetailSize];
    FormatText(detail, sizeof detail, "%s=%s (%s として読まれます)", key.key, whole,
               EqualsIgnoringAsciiCase(read, "yes") ? "yes" : "no");
    Report(check, kNotYesOrNo, LineOf(check, key.section, key.key), detail);
}

// Plain expansion leaves other paths as they are, and the program opens them relative to the
// folder it was started from: the package's folder.
void CheckShellExecute(Check &check) {
    char fileName[kShellFileName.size];
    char currentDir[kShellCurrentDir.size];
    ReadSetupString(check.file, kShellFileName, fileName);
    ReadSetupString(check.file, kShellCurrentDir, currentDir);
    if (fileName[0] == '\0' || FindFolderVariable(fileName) != kNoVariable ||
        FindFolderVariable(currentDir) != kNoVariable || std::strstr(fileName, "://") != nullptr)
        return;
    char inPackage[kPathSize];
    bool relative = fileName[0] != '\\' && fileName[1] != ':';
    if (relative && ComposeSourcePath(inPackage, check.setupFolder, fileName) == kPathDone &&
        GetFileAttributesA(inPackage) != INVALID_FILE_ATTRIBUTES)
        return;
    ReportValue(check, kShellFileOutside, kShellFileName.section, kShellFileName.key, fileName);
}

void CheckContents(Check &check, const char *oldPath) {
    CheckNames(check);
    CheckValues(check);
    CheckMainSection(check);
    Destinations seen;
    seen.count = 0;
    CheckInstallList(check, kInstallMacros, seen);
    CheckInstallList(check, kInstallFiles, seen);
    CheckDeletionList(check, kUnInstallFiles);
    CheckDeletionList(check, kDeleteFilesOnInstall);
    CheckMakeDirectory(check);
    CheckGroup(check);
    CheckShellExecute(check);
    CheckDestinations(check);
    if (oldPath != nullptr)
        CheckUpdate(check, oldPath);
}

} // namespace

void CheckSetupInfo(const char *path, const Machine &machine, DiagnosticList &list,
                    const char *oldPath) {
    ClearDiagnostics(list);
    Check check{};
    check.file = path;
    check.list = &list;
    check.folders = FoldersOf(machine);
    check.canExpand = machine.macroFolderKnown;
    char programFile[kPathSize];
    DeriveProgramPaths(path, programFile, check.setupFolder);
    unsigned char *bytes = nullptr;
    DWORD length = 0;
    if (!ReadWholeFile(path, &bytes, &length)) {
        Report(check, kFileUnreadable, 0, "");
    } else {
        EncodingFinding finding = ClassifyEncoding(bytes, length);
        CheckEncoding(check, finding);
        if (ScanRawText(bytes, length, finding.encoding, check.scan))
            CheckContents(check, oldPath);
        ReleaseRawScan(check.scan);
    }
    std::free(bytes);
    SortDiagnostics(list);
}

} // namespace aof
