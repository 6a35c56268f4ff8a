// The one walk over the numbered entries of a file list (FileName1, Path1, UnInstallOption1,
// FileName2, ...) and the one destination rule. Every part of the program that goes through a
// list takes it from here: the install's copies and menu entries, the uninstall's deletions and
// menu removal, the deletions before an install, the checker and its plan. It works on a list
// read whole (setupinfo/section_block.h), so it builds and is tested on every platform.
#pragma once

#include "common/text.h"
#include "setupinfo/path_compose.h"
#include "setupinfo/section_block.h"
#include "setupinfo/setup_info_keys.h"

namespace aof {

// An install copies at most this many entries of a list.
constexpr unsigned kMaxListEntries = 10;

// Entry n of a list and where its file goes.
struct ListEntry {
    unsigned ordinal; // n; 0 before the first entry of a walk
    char fileName[kFileName.size];
    // Path n, completed by the last component of FileName n when Path n is empty or ends with
    // "\"; folder variables not expanded (the menu records it so). Empty when it does not fit.
    char destination[kPathSize];
    bool fits; // false for a destination longer than a path may be: it is refused, never cut
};

enum ListWalk {
    // Entries 1 to the entry count: the consecutive entries with a FileName, at most ten. What
    // an install copies and registers.
    kInstallWalk,
    // The same entries, those whose UnInstallOption is 0 only: what an uninstall deletes of
    // the files an install copied. A file the install never wrote is never deleted.
    kInstalledWalk,
    // Lists that only delete ([UnInstall Files], [Delete Files on Install]): an entry whose
    // UnInstallOption is set is passed over unread, and the walk ends at the first other entry
    // without a FileName. It has no upper limit.
    kDeletionWalk,
};

// Reads entry n; false when it has no FileName (entry is then left as it was).
bool ReadListEntry(const SectionIndex &list, unsigned n, ListEntry &entry);

// Moves entry on to the next entry of the walk; false at the walk's end, entry's ordinal then
// being the one that ended it (11 after ten entries). Start with an entry whose ordinal is 0.
bool NextListEntry(const SectionIndex &list, ListWalk walk, ListEntry &entry);

// The entry count: how many entries the install walk reaches (0 to 10).
unsigned CountListEntries(const SectionIndex &list);

// What the editor's menu entry of macro n of [Install Macros] records: its destination as
// written (folder variables kept) into path (kPathSize bytes) and its MacroTitle into title
// (kMacroTitle.size bytes). kPathDone, kNoSuchEntry or kPathTooLong (a path never registered).
int ResolveMenuEntry(const SectionIndex &macros, unsigned n, char *path, char *title);

// The text of key stem + n ("MacroTitle3") into out of size bytes, "" when missing.
void ReadEntryText(const SectionIndex &list, const char *stem, unsigned n, char *out,
                   unsigned size);

// The folders of [Make Directory] are its values "1", "2", ... up to the first empty one: an
// install makes them in that order, an uninstall removes them in the reverse order. Value n as
// written into folder (kPathSize bytes), "" when missing.
void ReadListedFolder(const SectionIndex &folders, unsigned n, char *folder);

// How many folders [Make Directory] lists.
unsigned CountListedFolders(const SectionIndex &folders);

} // namespace aof
