// Composing an entry's paths and expanding folder variables: pure byte work on paths of at
// most kPathSize bytes. A result that would not fit is refused, never cut: a file operation
// on a silently shortened path could delete or overwrite the wrong file.
#pragma once

#include "common/text.h"

namespace aof {

enum PathResult {
    kPathDone = 0,
    kPathTooLong = 254, // the composed path does not fit; out is left untouched
    kNoSuchEntry = 255, // the entry's FileName is empty
};

enum ExpansionMode { kPlainExpansion = 0, kMacroRelative = 1 };

// setup folder + "\" + file name.
int ComposeSourcePath(char *out, const char *setupFolder, const char *fileName);

// pathValue, completed by the last component of fileName when it is empty or ends with "\".
int ComposeDestinationPath(char *out, const char *fileName, const char *pathValue);

// The folders the variables stand for; windowsFolder and systemFolder may be nullptr when the
// platform could not give them (a path that needs one is then refused).
struct FolderSet {
    const char *macroFolder;
    const char *editorFolder;
    const char *windowsFolder;
    const char *systemFolder;
};

enum FolderVariable { kNoVariable, kMacroDir, kAofudeDir, kWindowsDir, kWinSysDir };

// Which variable, if any, the path begins with.
FolderVariable FindFolderVariable(const char *path);

// Expands path (kPathSize bytes) in place. Returns false, with path emptied, when the result
// does not fit or a needed folder is unknown.
bool ExpandFolderVariablesWith(char *path, const FolderSet &folders, ExpansionMode mode);

} // namespace aof
