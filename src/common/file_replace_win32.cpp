#include "common/file_replace_win32.h"

#include "common/text.h"

#include <cstring>
#include <windows.h>

namespace aof {

namespace {

// Refuses what may not be replaced before anything is copied.
bool MayReplace(const char *destination, bool failIfExists) {
    DWORD attributes = GetFileAttributesA(destination);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (failIfExists)
        SetLastError(ERROR_FILE_EXISTS);
    else if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        SetLastError(ERROR_ACCESS_DENIED);
    else
        return true;
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

// Ends a failed copy: the temporary file goes, the reason of the failure stays.
bool RemoveTemporary(const char *temporary) {
    DWORD error = GetLastError();
    ClearReadOnly(temporary);
    DeleteFileA(temporary);
    SetLastError(error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error);
    return false;
}

} // namespace

bool CopyIntoPlace(const char *source, const char *destination, bool failIfExists) {
    if (!MayReplace(destination, failIfExists))
        return false;
    char folder[kPathSize];
    TakeFolder(folder, destination);
    char temporary[kPathSize];
    if (GetTempFileNameA(folder, "aof", 0, temporary) == 0)
        return false;
    if (!CopyFileA(source, temporary, FALSE))
        return RemoveTemporary(temporary);
    // A copy from read-only media would otherwise stay read-only: a later update could not
    // replace it and an uninstall could not delete it.
    ClearReadOnly(temporary);
    DWORD flags = failIfExists ? 0 : MOVEFILE_REPLACE_EXISTING;
    return MoveFileExA(temporary, destination, flags) || RemoveTemporary(temporary);
}

} // namespace aof
