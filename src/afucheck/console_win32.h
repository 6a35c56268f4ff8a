// The checker's console output: code page 932 bytes into a file or pipe, the same text as
// Unicode into a console window, whatever code page that console uses.
#pragma once

#include "afucheck/text_sink.h"

namespace aof {

TextSink StandardOutput();

} // namespace aof
