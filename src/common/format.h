// printf-style formatting into a fixed buffer, for the program's few message formats.
#pragma once

#include <cstddef>

// GCC and Clang check every call's arguments against its format (-Wformat, an error in every
// build, the i686 one included): an argument of another type than its format names stops the
// build (a size_t for %d in the 64-bit build, where it is wider than an int).
#if defined(__GNUC__)
#define AOF_FORMAT_CHECKED(formatIndex, firstArgument)                                             \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define AOF_FORMAT_CHECKED(formatIndex, firstArgument)
#endif

namespace aof {

// Understands %s, %d (a non-negative int), %02d and %%. The result is cut to capacity - 1
// bytes without splitting a double-byte character. The C library's printf family is not used:
// the portable one MinGW links in would triple the size of the program.
void FormatText(char *out, std::size_t capacity, const char *format, ...) AOF_FORMAT_CHECKED(3, 4);

} // namespace aof
