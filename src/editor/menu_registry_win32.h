// Reading and writing the editor's two tables under HKCU\Software\Aofudeo\Aofude\Assign.dat.
#pragma once

#include "editor/menu_table.h"

namespace aof {

// Read each table (any earlier block in the table is released first). A missing key or value
// gives the default table; a key that exists but refuses full access is still read, so that
// nothing is later written back over the user's registrations from defaults. False when a
// value that exists cannot be read or memory cannot be had.
bool LoadGroupNameTable(ByteTable &groups);
bool LoadMacroMenuTable(ByteTable &menu);

// Both tables, and a copy of each as read. False as above.
bool LoadEditorTables(EditorTables &tables);

enum TableStore {
    kTablesStored,
    kTablesUnreadable,  // a value could not be read again
    kTablesChanged,     // someone else changed a slot or name this run changed
    kMenuTableRefused,  // Amacro could not be stored (key not opened for writing, value not set)
    kGroupTableRefused, // likewise MacroGroup, after Amacro was stored
};

// Stores the macro menu table and, with groups, the group name table. Both values are read
// again first, since the editor (saving its menu as it closes) or another setup may have
// stored them since this run read them: this run's edits go onto the values as they are now,
// and the tables become those. Nothing is stored when either cannot be carried over; then the
// two are stored one right after the other.
TableStore StoreEditorTables(EditorTables &tables, bool groups);

} // namespace aof
