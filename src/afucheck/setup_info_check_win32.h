// The checks of a setup-info file: reads it through the setup program's own profile reading,
// key table, entry counting and path rules, and lists what the program would refuse or do
// otherwise than the author meant.
#pragma once

#include "afucheck/diagnostics.h"
#include "afucheck/machine_win32.h"

namespace aof {

// path: the setup-info file (full path). Destination paths are expanded with the machine's
// folders when its editor is installed, else only composed. With oldPath, the setup-info file
// of the version before it: also what an update from that version leaves wrong.
void CheckSetupInfo(const char *path, const Machine &machine, DiagnosticList &list,
                    const char *oldPath = nullptr);

} // namespace aof
