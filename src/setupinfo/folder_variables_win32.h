// Folder-variable expansion with the platform's Windows and system folders.
#pragma once

#include "setupinfo/path_compose.h"

namespace aof {

// Expands path (kPathSize bytes) in place. False, with path emptied, when the result does not
// fit or the Windows or system folder cannot be had.
bool ExpandFolderVariables(char *path, const char *editorFolder, const char *macroFolder,
                           ExpansionMode mode);

} // namespace aof
