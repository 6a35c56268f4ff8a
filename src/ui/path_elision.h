// A path shortened in the middle to fit a control of fixed size, keeping its file name.
#pragma once

#include <cstddef>

#include "common/text.h"

namespace aof {

// Whether a text, shown where the path is to be shown, is seen whole (the control measures it).
typedef bool (*TextFits)(const char *text, void *context);

// A shortened path is at most this long: the path's own bytes, 「…」 and one "\".
constexpr std::size_t kElidedPathSize = kPathSize + 3;

// Writes into out (capacity bytes) the format ("%s" once) filled with the first of these that
// fits (or, when none does, the last):
//   the path itself;
//   its drive and first folder, 「…」, then as many of its last folders as fit and its file
//   name ("C:\Users\…\Macro\test.mac");
//   its drive, 「…」 and its file name ("C:\…\test.mac");
//   「…」 and the end of its file name ("…\test.mac", "…est.mac", …).
// A path is split only at "\" characters of its own: a trail byte 0x5C belongs to its character.
// path holds fewer than kPathSize bytes, as every path of the program does.
void ElidePath(char *out, std::size_t capacity, const char *format, const char *path, TextFits fits,
               void *context);

} // namespace aof
