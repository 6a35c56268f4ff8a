#include "setupinfo/entry_resolution_win32.h"

#include "setupinfo/folder_variables_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <windows.h>

namespace aof {

namespace {

// The install copies at most ten entries of a section.
constexpr int kMaxEntries = 10;

// Reads FileName of an entry; false when the entry does not exist.
bool ReadFileName(const char *setupInfo, const char *section, const char *fileKey,
                  char (&fileName)[kFileName.size]) {
    ReadSetupText(setupInfo, section, fileKey, "", fileName, kFileName.size);
    return fileName[0] != '\0';
}

bool GetShortForm(const char *path, char (&shortForm)[kPathSize]) {
    DWORD length = GetShortPathNameA(path, shortForm, kPathSize);
    return length != 0 && length < kPathSize;
}

} // namespace

int ResolveSourcePath(const char *setupInfo, const char *section, const char *fileKey,
                      const char *setupFolder, char *out) {
    char fileName[kFileName.size];
    if (!ReadFileName(setupInfo, section, fileKey, fileName))
        return kNoSuchEntry;
    return ComposeSourcePath(out, setupFolder, fileName);
}

int ResolveDestinationPath(const char *setupInfo, const char *section, const char *fileKey,
                           const char *pathKey, char *out) {
    char fileName[kFileName.size];
    if (!ReadFileName(setupInfo, section, fileKey, fileName))
        return kNoSuchEntry;
    char pathValue[kPath.size];
    ReadSetupText(setupInfo, section, pathKey, "", pathValue, kPath.size);
    return ComposeDestinationPath(out, fileName, pathValue);
}

int CountEntries(const char *setupInfo, const char *section) {
    int count = 0;
    while (count < kMaxEntries) {
        char fileKey[kKeyNameSize];
        char fileName[kFileName.size];
        MakeNumberedKey(fileKey, kFileName.stem, count + 1);
        if (!ReadFileName(setupInfo, section, fileKey, fileName))
            break;
        ++count;
    }
    return count;
}

bool IsSameFile(const char *a, const char *b) {
    if (EqualsIgnoringAsciiCase(a, b))
        return true;
    char shortA[kPathSize];
    char shortB[kPathSize];
    return GetShortForm(a, shortA) && GetShortForm(b, shortB) &&
           EqualsIgnoringAsciiCase(shortA, shortB);
}

void DeleteListedFiles(const char *setupInfo, const char *section, const char *editorFolder,
                       const char *macroFolder) {
    for (unsigned n = 1;; ++n) {
        char optionKey[kKeyNameSize];
        MakeNumberedKey(optionKey, kUnInstallOption.stem, n);
        if (ReadSetupNumberAt(setupInfo, section, optionKey, 0) != 0)
            continue;
        char fileKey[kKeyNameSize];
        char pathKey[kKeyNameSize];
        char path[kPathSize];
        MakeNumberedKey(fileKey, kFileName.stem, n);
        MakeNumberedKey(pathKey, kPath.stem, n);
        int result = ResolveDestinationPath(setupInfo, section, fileKey, pathKey, path);
        if (result == kNoSuchEntry)
            return;
        // A path that does not fit is refused rather than cut: a cut path could name another file.
        if (result == kPathDone &&
            ExpandFolderVariables(path, editorFolder, macroFolder, kMacroRelative))
            DeleteFileA(path);
    }
}

} // namespace aof
