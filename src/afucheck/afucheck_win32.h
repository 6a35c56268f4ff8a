// The checker's run: options, the checks, the diagnostics, /PLAN and the summary.
#pragma once

#include "afucheck/text_sink.h"

namespace aof {

// arguments: the command line's arguments after the program name. Returns the exit code.
int RunChecker(int count, char **arguments, const TextSink &sink);

} // namespace aof
