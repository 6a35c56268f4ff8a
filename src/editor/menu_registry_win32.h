// Reading and writing the editor's two tables under HKCU\Software\Aofudeo\Aofude\Assign.dat.
#pragma once

#include "editor/menu_table.h"

namespace aof {

// Read each table (any earlier block in the table is released first). A missing key or value
// gives the default table; a key that exists but refuses full access is still read, so that
// nothing is later written back over the user's registrations from defaults. False when a
// value that exists cannot be read (the failure message has been shown and the run ends).
bool ReadGroupNameTable(ByteTable &groups);
bool ReadMacroMenuTable(ByteTable &menu);

// The same without a message (for tools that only look): false when a value that exists
// cannot be read or memory cannot be had.
bool LoadGroupNameTable(ByteTable &groups);
bool LoadMacroMenuTable(ByteTable &menu);

// Store a table whole. original is the table as this run read it: when the editor's value has
// changed since, this run's edits are carried onto the value as it is now, and the table
// becomes that. False when the value cannot be read again, someone else changed a slot or name
// this run changed, the key cannot be opened for writing or the value not set (the message has
// been shown and the run ends).
bool WriteMacroMenuTable(ByteTable &menu, const ByteTable &original);
bool WriteGroupNameTable(ByteTable &groups, const ByteTable &original, const char *failureText);

} // namespace aof
