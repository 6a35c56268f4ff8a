#include "setupinfo/entry_resolution_win32.h"

#include "setupinfo/folder_variables_win32.h"
#include "setupinfo/setup_info_keys.h"

#include <windows.h>

namespace aof {

namespace {

// The install copies at most ten entries of a section.
constexpr int kMaxEntries = 10;

// Reads FileName of an entry; false when the entry does not exist.
bool ReadFileName(const SetupSection &list, const char *fileKey, char (&fileName)[kFileName.size]) {
    list.Text(fileKey, fileName, kFileName.size);
    return fileName[0] != '\0';
}

bool GetShortForm(const char *path, char (&shortForm)[kPathSize]) {
    DWORD length = GetShortPathNameA(path, shortForm, kPathSize);
    return length != 0 && length < kPathSize;
}

} // namespace

int ResolveSourcePath(const SetupSection &list, const char *fileKey, const char *setupFolder,
                      char *out) {
    char fileName[kFileName.size];
    if (!ReadFileName(list, fileKey, fileName))
        return kNoSuchEntry;
    return ComposeSourcePath(out, setupFolder, fileName);
}

int ResolveDestinationPath(const SetupSection &list, const char *fileKey, const char *pathKey,
                           char *out) {
    char fileName[kFileName.size];
    if (!ReadFileName(list, fileKey, fileName))
        return kNoSuchEntry;
    char pathValue[kPath.size];
    list.Text(pathKey, pathValue, kPath.size);
    return ComposeDestinationPath(out, fileName, pathValue);
}

int ResolveMenuEntry(const SetupSection &macros, unsigned n, char *path, char *title) {
    char fileKey[kKeyNameSize];
    char pathKey[kKeyNameSize];
    char titleKey[kKeyNameSize];
    MakeNumberedKey(fileKey, kFileName.stem, n);
    MakeNumberedKey(pathKey, kPath.stem, n);
    MakeNumberedKey(titleKey, kMacroTitle.stem, n);
    macros.Text(titleKey, title, kMacroTitle.size);
    return ResolveDestinationPath(macros, fileKey, pathKey, path);
}

int CountEntries(const SetupSection &list) {
    int count = 0;
    while (count < kMaxEntries) {
        char fileKey[kKeyNameSize];
        char fileName[kFileName.size];
        MakeNumberedKey(fileKey, kFileName.stem, count + 1);
        if (!ReadFileName(list, fileKey, fileName))
            break;
        ++count;
    }
    return count;
}

int CountEntries(const char *setupInfo, const char *section) {
    SetupSection list;
    list.Read(setupInfo, section); // an unreadable file has no entries
    return CountEntries(list);
}

bool IsSameFile(const char *source, const char *destination) {
    if (EqualsIgnoringAsciiCase(source, destination))
        return true;
    // A destination that does not exist yet (the usual case) is another file: one attribute
    // look-up tells, far cheaper than a short-name query.
    if (GetFileAttributesA(destination) == INVALID_FILE_ATTRIBUTES)
        return false;
    char shortDestination[kPathSize];
    char shortSource[kPathSize];
    return GetShortForm(destination, shortDestination) && GetShortForm(source, shortSource) &&
           EqualsIgnoringAsciiCase(shortSource, shortDestination);
}

void DeleteListedFiles(const SetupSection &list, const char *editorFolder,
                       const char *macroFolder) {
    for (unsigned n = 1;; ++n) {
        char optionKey[kKeyNameSize];
        MakeNumberedKey(optionKey, kUnInstallOption.stem, n);
        if (list.Number(optionKey, 0) != 0)
            continue;
        char fileKey[kKeyNameSize];
        char pathKey[kKeyNameSize];
        char path[kPathSize];
        MakeNumberedKey(fileKey, kFileName.stem, n);
        MakeNumberedKey(pathKey, kPath.stem, n);
        int result = ResolveDestinationPath(list, fileKey, pathKey, path);
        if (result == kNoSuchEntry)
            return;
        // A path that does not fit is refused rather than cut: a cut path could name another file.
        if (result == kPathDone &&
            ExpandFolderVariables(path, editorFolder, macroFolder, kMacroRelative))
            DeleteFileA(path);
    }
}

} // namespace aof
