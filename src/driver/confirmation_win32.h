// Asking the user to confirm an install, update or uninstall, and waiting until every editor
// window has closed when the editor was running at start.
#pragma once

#include "driver/run_state.h"

namespace aof {

enum Confirmation {
    kConfirmStopped,  // cancelled; the message has been shown
    kConfirmGoOn,     // hand over to the sequence
    kConfirmReadAgain // the editor was running at start: read everything again
};

Confirmation ConfirmInstall(RunState &state);
Confirmation ConfirmUninstall(RunState &state);

} // namespace aof
