// The two sequences the driver hands a confirmed run to. Each ends the run; the driver then
// releases the run state.
#pragma once

#include "driver/run_state.h"

namespace aof {

void RunInstallSequence(RunState &state);
void RunUninstallSequence(RunState &state);

} // namespace aof
