// Placing a package's macros in the editor's macro menu and taking them out again, in memory;
// editor/menu_registry_win32.h stores the tables.
#pragma once

#include "editor/menu_table.h"
#include "setupinfo/section_block.h"

namespace aof {

// Reads InstallToMainGroup and GetEmptySubMenuMode of the package; gives 0 to 7, or 8.
int ChooseGroup(const char *setupInfo, const ByteTable &menu, const ByteTable &groups,
                int macroCount);

// Names sub-menu group (1 to 7) from the package's GroupName when it has no name.
void NameGroupIfEmpty(const char *setupInfo, ByteTable &groups, int group);

// Empties every slot the package record gives a macro of macros (the package's [Install
// Macros]) that still holds that macro's path and title. False when the record cannot be read.
bool RemovePackageMenuEntries(const char *recordKeyPath, const SectionIndex &macros,
                              ByteTable &menu);

// Clears the name of the sub-menu of the package's first recorded slot when the sub-menu has
// become entirely free and the name is groupName (the package's GroupName); *cleared tells.
// False when the record cannot be read.
bool ClearGroupNameIfEmptied(const char *recordKeyPath, const char *groupName,
                             const ByteTable &menu, ByteTable &groups, bool *cleared);

// Both of the above: the package's registration taken out of the tables in memory, as far as
// the record and the package's [Install Macros] and GroupName still find it. *groupCleared
// tells whether the name went, *changed whether anything did. False when the record cannot be
// read.
bool RemovePackageRegistration(const char *recordKeyPath, const SectionIndex &macros,
                               const char *groupName, EditorTables &tables, bool *groupCleared,
                               bool *changed);

} // namespace aof
