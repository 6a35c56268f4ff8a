// Turning an entry of a file-list section into paths, counting entries, the same-file test and
// the deletion of listed files.
#pragma once

#include "setupinfo/path_compose.h"
#include "setupinfo/setup_section_win32.h"

namespace aof {

// Entries are read from their list, read whole once (setupinfo/setup_section_win32.h).
// Results: kPathDone, kNoSuchEntry (out untouched) or kPathTooLong (out untouched).
int ResolveSourcePath(const SetupSection &list, const char *fileKey, const char *setupFolder,
                      char *out);
int ResolveDestinationPath(const SetupSection &list, const char *fileKey, const char *pathKey,
                           char *out);

// What the editor's menu entry of macro n records: its destination as written (folder variables
// kept) and its MacroTitle (kMacroTitle.size bytes). Results as ResolveDestinationPath.
int ResolveMenuEntry(const SetupSection &macros, unsigned n, char *path, char *title);

// Consecutive non-empty FileName1, FileName2, ...; at most 10.
int CountEntries(const SetupSection &list);
int CountEntries(const char *setupInfo, const char *section);

// Whether the two paths name one file (equal, or equal short forms). The destination is
// looked up first: while it does not exist yet, the source is not looked up at all.
bool IsSameFile(const char *source, const char *destination);

void DeleteListedFiles(const SetupSection &list, const char *editorFolder, const char *macroFolder);

} // namespace aof
