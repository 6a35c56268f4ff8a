#include "driver/listed_folders_win32.h"

#include <windows.h>

#include "setupinfo/folder_variables_win32.h"
#include "setupinfo/setup_info_keys.h"

namespace aof {

// Value n of [Make Directory] as written in the file (kPathSize bytes); empty when missing.
static void ReadListedFolder(const SetupSection &folders, unsigned n, char *folder) {
    char key[kKeyNameSize];
    FormatDecimal(key, n);
    folders.Text(key, folder, kMakeDirectorySize);
}

// Value n expanded macro-relative; false when it is empty or its expansion does not fit.
static bool ResolveListedFolder(const RunState &state, const SetupSection &folders, unsigned n,
                                char *folder) {
    ReadListedFolder(folders, n, folder);
    return folder[0] != '\0' &&
           ExpandFolderVariables(folder, state.editorFolder, state.macroFolder, kMacroRelative);
}

static unsigned CountListedFolders(const SetupSection &folders) {
    char folder[kPathSize];
    unsigned count = 0;
    for (;;) {
        ReadListedFolder(folders, count + 1, folder);
        if (folder[0] == '\0')
            return count;
        ++count;
    }
}

void CreateListedFolders(const RunState &state, const SetupSection &folders) {
    unsigned count = CountListedFolders(folders);
    char folder[kPathSize];
    for (unsigned n = 1; n <= count; ++n) {
        if (ResolveListedFolder(state, folders, n, folder))
            CreateDirectoryA(folder, nullptr);
    }
}

void RemoveListedFolders(const RunState &state, const SetupSection &folders) {
    char folder[kPathSize];
    for (unsigned n = CountListedFolders(folders); n >= 1; --n) {
        if (ResolveListedFolder(state, folders, n, folder))
            RemoveDirectoryA(folder);
    }
}

} // namespace aof
