#include "common/file_replace_win32.h"

#include "common/text.h"

#include <cstring>
#include <windows.h>

namespace aof {

namespace {

// Refuses what may not be replaced before anything is copied.
bool MayReplace(const char *destination) {
    DWORD attributes = GetFileAttributesA(destination);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0)
        return true;
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
}

void ClearReadOnly(const char *path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

// Ends a failed copy: the file it wrote goes, the reason of the failure stays.
bool RemoveFailedCopy(const char *written) {
    DWORD error = GetLastError();
    ClearReadOnly(written);
    DeleteFileA(written);
    SetLastError(error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error);
    return false;
}

// A destination that does not exist yet has no old file to keep: the copy goes straight to
// it, which spares the temporary file. An existing one is left untouched (ERROR_FILE_EXISTS).
// A failed copy takes away what it wrote, and only that: a file is taken away only where the
// look-up found none (a look-up that failed for another reason, such as a folder that cannot
// be read, tells nothing). A source that cannot be read fails before anything is written.
bool CopyIntoNewFile(const char *source, const char *destination) {
    DWORD attributes = GetFileAttributesA(destination);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A folder is no file to overwrite: no question is asked about it.
        SetLastError((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? ERROR_ACCESS_DENIED
                                                                  : ERROR_FILE_EXISTS);
        return false;
    }
    DWORD lookup = GetLastError();
    bool absent = lookup == ERROR_FILE_NOT_FOUND || lookup == ERROR_PATH_NOT_FOUND;
    if (CopyFileA(source, destination, TRUE)) {
        ClearReadOnly(destination);
        return true;
    }
    if (absent && GetLastError() != ERROR_FILE_EXISTS)
        RemoveFailedCopy(destination);
    return false;
}

} // namespace

bool CopyIntoPlace(const char *source, const char *destination, bool failIfExists) {
    if (failIfExists)
        return CopyIntoNewFile(source, destination);
    if (!MayReplace(destination))
        return false;
    // The copy is made beside the destination, under a name no longer than the destination's
    // own: it fits wherever the destination does.
    char temporary[kPathSize];
    for (const char *mark = "~_$";; ++mark) {
        if (*mark == '\0')
            return false; // every temporary name is taken: ERROR_FILE_EXISTS
        if (!ComposeTemporaryPath(temporary, destination, *mark))
            continue;
        if (CopyFileA(source, temporary, TRUE))
            break;
        if (GetLastError() != ERROR_FILE_EXISTS)
            return RemoveFailedCopy(temporary);
    }
    // A copy from read-only media would otherwise stay read-only: a later update could not
    // replace it and an uninstall could not delete it.
    ClearReadOnly(temporary);
    return MoveFileExA(temporary, destination, MOVEFILE_REPLACE_EXISTING) ||
           RemoveFailedCopy(temporary);
}

} // namespace aof
