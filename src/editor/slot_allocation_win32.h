// Placing a package's macros in the editor's macro menu and taking them out again.
#pragma once

#include "editor/menu_table.h"

namespace aof {

// The tables "read" are the editor's values as this run read them (see WriteMacroMenuTable).

// Reads InstallToMainGroup and GetEmptySubMenuMode of the package; gives 0 to 7, or 8.
int ChooseGroup(const char *setupInfo, const ByteTable &menu, const ByteTable &groups,
                int macroCount);

// Names sub-menu group (1 to 7) from GroupName when it has no name, then stores the table.
// False when the store failed (message shown, the run ends).
bool SetGroupNameIfEmpty(const char *setupInfo, ByteTable &groups, const ByteTable &groupsRead,
                         int group);

// Empties every recorded slot that still holds the package's path and title, then stores the
// menu table. False when the record cannot be read or the store failed (message shown, the
// run ends).
bool RemovePackageMenuEntries(const char *recordKeyPath, const char *uninstallCopy, ByteTable &menu,
                              const ByteTable &menuRead);

// Clears the package's sub-menu name when the sub-menu became free and the name is the
// package's; stores the table then. False when the store failed (message shown, run ends).
bool ClearGroupNameIfEmptied(const char *recordKeyPath, const char *uninstallCopy,
                             const ByteTable &menu, ByteTable &groups, const ByteTable &groupsRead);

} // namespace aof
