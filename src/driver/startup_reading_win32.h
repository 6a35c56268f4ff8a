// The start-up reading: everything a run derives from the editor's registry, the setup-info
// file and the package record before the user is asked. It only reads; it may run several
// times in one process while the user closes the editor.
#pragma once

#include "driver/run_state.h"

namespace aof {

enum StartupResult { kStartupStopped, kStartupInstall, kStartupUninstall };

// commandLine: the text after the program name. kStartupStopped when the run ends (the
// message has been shown); otherwise the sequence to confirm (an update sets the update flag).
StartupResult ReadStartup(RunState &state, const char *commandLine);

} // namespace aof
