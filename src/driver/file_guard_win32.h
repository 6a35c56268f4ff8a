// A file the run depends on (the setup-info file, the uninstall-info copy) that can no longer
// be read would read as empty lists and end a loop as if it were done. The sequences check it
// before their first change and before it becomes the uninstall information, and stop with a
// message naming it.
#pragma once

#include "driver/teller_win32.h"

namespace aof {

// Tells that the file can no longer be read, naming it, followed by tail (what the stop
// means: kSetupInterrupted, kUninstallInterrupted, kFilesKept, kFileDeletionInterrupted).
void ReportUnreadable(Teller &teller, const char *file, const char *tail);

// True when the file can still be read; otherwise reports it as above and gives false.
bool EnsureReadable(Teller &teller, const char *file, const char *tail);

} // namespace aof
