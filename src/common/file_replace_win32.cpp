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

// The destination's folder with its "\" (".\" for a bare name): the temporary file lies on
// the same drive, so that it can take the destination's place by a rename.
void TakeFolder(char (&folder)[kPathSize], const char *destination) {
    const char *slash = FindLastBackslash(destination);
    if (slash == nullptr) {
        CopyText(folder, sizeof folder, ".\\");
        return;
    }
    std::size_t length = static_cast<std::size_t>(slash - destination) + 1;
    std::memcpy(folder, destination, length);
    folder[length] = '\0';
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
    if (GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES) {
        SetLastError(ERROR_FILE_EXISTS);
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
    char folder[kPathSize];
    TakeFolder(folder, destination);
    char temporary[kPathSize];
    if (GetTempFileNameA(folder, "aof", 0, temporary) == 0)
        return false;
    if (!CopyFileA(source, temporary, FALSE))
        return RemoveFailedCopy(temporary);
    // A copy from read-only media would otherwise stay read-only: a later update could not
    // replace it and an uninstall could not delete it.
    ClearReadOnly(temporary);
    return MoveFileExA(temporary, destination, MOVEFILE_REPLACE_EXISTING) ||
           RemoveFailedCopy(temporary);
}

} // namespace aof
