#include "driver/listed_folders_win32.h"

#include <windows.h>

#include "setupinfo/entry_walk.h"
#include "setupinfo/folder_variables_win32.h"

namespace aof {

// Value n expanded macro-relative; false when it is empty or its expansion does not fit.
static bool ResolveListedFolder(const RunState &state, const SetupSection &folders, unsigned n,
                                char *folder) {
    ReadListedFolder(folders.Index(), n, folder);
    return folder[0] != '\0' &&
           ExpandFolderVariables(folder, state.editorFolder, state.macroFolder, kMacroRelative);
}

void CreateListedFolders(const RunState &state, const SetupSection &folders) {
    unsigned count = CountListedFolders(folders.Index());
    char folder[kPathSize];
    for (unsigned n = 1; n <= count; ++n) {
        if (ResolveListedFolder(state, folders, n, folder))
            CreateDirectoryA(folder, nullptr);
    }
}

void RemoveListedFolders(const RunState &state, const SetupSection &folders) {
    char folder[kPathSize];
    for (unsigned n = CountListedFolders(folders.Index()); n >= 1; --n) {
        if (ResolveListedFolder(state, folders, n, folder))
            RemoveDirectoryA(folder);
    }
}

} // namespace aof
