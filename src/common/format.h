// printf-style formatting into a fixed buffer, for the program's few message formats.
#pragma once

#include <cstddef>

namespace aof {

// Understands %s, %d (a non-negative int), %02d and %%. The result is cut to capacity - 1
// bytes without splitting a double-byte character. The C library's printf family is not used:
// the portable one MinGW links in would triple the size of the program.
void FormatText(char *out, std::size_t capacity, const char *format, ...);

} // namespace aof
