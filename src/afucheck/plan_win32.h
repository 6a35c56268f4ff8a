// /PLAN: what an install of the package would do on this machine, resolved as the setup
// program resolves it. It only reads: nothing is written to any file or registry key.
#pragma once

#include "afucheck/machine_win32.h"
#include "afucheck/text_sink.h"

namespace aof {

// path: the setup-info file (full path), free of errors.
void PrintPlan(const char *path, const Machine &machine, const TextSink &sink);

} // namespace aof
