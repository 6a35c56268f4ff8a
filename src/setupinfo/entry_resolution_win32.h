// An entry's destination on this machine, counting entries, the same-file test and the
// deletion of listed files. The walk over a list's entries and the destination rule are
// setupinfo/entry_walk.h.
#pragma once

#include "setupinfo/entry_walk.h"
#include "setupinfo/path_compose.h"
#include "setupinfo/setup_section_win32.h"

namespace aof {

// The resolved destination of an entry: its destination with the folder variables expanded
// (relative to the macro folder). False, out empty, when it does not fit a path.
bool ResolveEntryDestination(const ListEntry &entry, const char *editorFolder,
                             const char *macroFolder, char *out);

// The entry count of a section of the file (0 when it cannot be read).
int CountEntries(const char *setupInfo, const char *section);

// Whether the two paths name one file (equal, or equal short forms). The destination is
// looked up first: while it does not exist yet, the source is not looked up at all.
bool IsSameFile(const char *source, const char *destination);

// Deletes the resolved destination of every entry the walk reaches; a file that cannot be
// deleted stays, without a word. A destination that does not fit is refused, never cut.
void DeleteListedFiles(const SetupSection &list, ListWalk walk, const char *editorFolder,
                       const char *macroFolder);

} // namespace aof
