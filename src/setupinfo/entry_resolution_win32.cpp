#include "setupinfo/entry_resolution_win32.h"

#include "setupinfo/folder_variables_win32.h"

#include <windows.h>

namespace aof {

static bool GetShortForm(const char *path, char (&shortForm)[kPathSize]) {
    DWORD length = GetShortPathNameA(path, shortForm, kPathSize);
    return length != 0 && length < kPathSize;
}

bool ResolveEntryDestination(const ListEntry &entry, const char *editorFolder,
                             const char *macroFolder, char *out) {
    CopyText(out, kPathSize, entry.destination);
    return entry.fits && ExpandFolderVariables(out, editorFolder, macroFolder, kMacroRelative);
}

int CountEntries(const char *setupInfo, const char *section) {
    SetupSection list;
    list.Read(setupInfo, section); // an unreadable file has no entries
    return static_cast<int>(CountListEntries(list.Index()));
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

void DeleteListedFiles(const SetupSection &list, ListWalk walk, const char *editorFolder,
                       const char *macroFolder) {
    ListEntry entry;
    entry.ordinal = 0;
    char path[kPathSize];
    while (NextListEntry(list.Index(), walk, entry)) {
        if (ResolveEntryDestination(entry, editorFolder, macroFolder, path))
            DeleteFileA(path);
    }
}

} // namespace aof
