// A file the run depends on (the setup-info file, the uninstall-info copy) that can no longer
// be read would read as empty lists and end a loop as if it were done. The sequences check it
// before their first change and before it becomes the uninstall information, and stop with a
// message naming it.
#pragma once

#include "driver/teller_win32.h"
#include "ui/stop_messages.h"

namespace aof {

// True when the file can still be read; otherwise tells that it can no longer be read, naming
// it (kStopFileUnreadable, the stop line line), and gives false.
bool EnsureReadable(Teller &teller, const char *file, StopLine line);

// The same for a file that may be missing: a missing file gives true.
bool EnsureReadableIfPresent(Teller &teller, const char *file, StopLine line);

} // namespace aof
