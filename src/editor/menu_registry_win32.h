// Reading and writing the editor's two tables under HKCU\Software\Aofudeo\Aofude\Assign.dat.
#pragma once

#include "editor/menu_table.h"

namespace aof {

// Read each table (any earlier block in the table is released first). A missing key or value
// gives the default table; a key that exists but refuses full access is still read, so that
// nothing is later written back over the user's registrations from defaults. False only when
// memory cannot be had.
bool ReadGroupNameTable(ByteTable &groups);
bool ReadMacroMenuTable(ByteTable &menu);

// Store a table whole; false when the key cannot be opened for writing (the failure message
// has been shown and the run ends).
bool WriteMacroMenuTable(const ByteTable &menu);
bool WriteGroupNameTable(const ByteTable &groups, const char *failureText);

} // namespace aof
