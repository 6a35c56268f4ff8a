// Byte-string helpers for paths and texts in code page 932.
//
// Every path the program handles lives in a fixed buffer of kPathSize bytes (the NUL
// included). Japanese names are double-byte characters whose second byte may be 0x5C, the
// byte of "\" (ソ is 83 5C, 表 is 95 5C), so a path is always walked character by character
// when it is split at "\" or compared with letter case folded.
#pragma once

#include <cstddef>

namespace aof {

constexpr std::size_t kPathSize = 520;

// The lead-byte ranges of a code page as the system describes its ANSI code page: pairs of
// first and last lead byte, ended by a pair of zeros (a single-byte code page has none).
constexpr std::size_t kLeadByteRangesSize = 12;

// Takes the lead bytes of the code page the program's paths are in: the system's ANSI code
// page, given at start-up. Until then (and in the tests) code page 932.
void UseLeadByteRanges(const unsigned char (&ranges)[kLeadByteRangesSize]);

// True for a byte that starts a double-byte character in the code page taken.
bool IsLeadByte(unsigned char byte);

// Length of the character starting at s: 2 for a lead byte followed by a trail byte, else 1.
std::size_t CharacterLength(const char *s);

// Copies src into dst (capacity bytes, NUL included), cutting it to capacity - 1 bytes.
// A cut never leaves half a double-byte character at the end. Returns the length copied.
std::size_t CopyText(char *dst, std::size_t capacity, const char *src);

// Appends src to the NUL-terminated text in dst when the whole result fits in capacity bytes
// and returns true; otherwise leaves dst unchanged and returns false.
bool AppendText(char *dst, std::size_t capacity, const char *src);

// Appends src, cutting it as CopyText does when it does not fit; for display texts.
void AppendTextCut(char *dst, std::size_t capacity, const char *src);

// The position of the last "\" that is a character of its own, or nullptr.
const char *FindLastBackslash(const char *path);

// The part of the path after its last "\" (the whole path when it has none).
const char *LastComponent(const char *path);

// A path beside path for a temporary file, no longer than path: its last component with the
// first character replaced by mark ("C:\m\a.mac" and '~' give "C:\m\~.mac"). False when that
// component is empty, or begins with mark already (the name would be the file's own).
bool ComposeTemporaryPath(char *out, const char *path, char mark);

// An ASCII letter A-Z as a-z; any other byte as it is.
char FoldAscii(char c);

// Compares two texts, folding only the ASCII letters A-Z onto a-z; the second byte of a
// double-byte character is compared exactly.
bool EqualsIgnoringAsciiCase(const char *a, const char *b);

// The rest of text after prefix when text begins with prefix (compared as
// EqualsIgnoringAsciiCase compares), else nullptr.
const char *SkipPrefixIgnoringAsciiCase(const char *text, const char *prefix);

// FNV-1a over the text with the ASCII letters folded as EqualsIgnoringAsciiCase folds them:
// texts equal without regard to ASCII case hash alike.
unsigned HashIgnoringAsciiCase(const char *text);

// True when the text from the last "." of path to its end is extension (".afu") in any
// letter case.
bool HasExtension(const char *path, const char *extension);

// Writes value in decimal; the buffer must hold 11 bytes.
void FormatDecimal(char *out, unsigned value);

// The same for 64-bit values (file sizes); the buffer must hold 21 bytes.
void FormatLargeDecimal(char *out, unsigned long long value);

} // namespace aof
