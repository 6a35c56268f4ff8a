// What the checker reads from the raw text of a setup-info file, beside the profile functions:
// its encoding, and the line of every section and key, so that a diagnostic can name its line
// and the sections and keys the program never reads can be found. Values are not read here:
// what a value means is always taken from the profile functions, as the setup program reads it.
#pragma once

#include <cstddef>

namespace aof {

enum TextEncoding {
    kCodePage932Text,
    kUtf8WithoutBom,
    kUtf8WithBom,
    kUtf16LeWithBom,
    kUtf16BeWithBom
};

struct EncodingFinding {
    TextEncoding encoding;
    unsigned invalidLine; // code page 932 text: first line with a byte it does not have; else 0
};

// UTF-8 without a BOM is recognised by its multi-byte sequences (Japanese code page 932 text
// is almost never valid UTF-8 with such sequences).
EncodingFinding ClassifyEncoding(const unsigned char *bytes, std::size_t length);

constexpr std::size_t kRawNameSize = 64;

struct RawItem {
    unsigned line;
    bool isSection;
    int section; // a key's section: the index of its section item; -1 before any section
    char name[kRawNameSize]; // cut when longer; non-ASCII UTF-16 characters become "?"
    bool quoted;             // a key whose value is enclosed in a pair of " or ', which the
                             // reader takes away
};

struct RawScan {
    RawItem *items; // malloc
    std::size_t count;
};

// Sections ("[name]") and keys ("name=value", or a line without "="); blank lines and
// comments (";") are passed over. False when memory cannot be had.
bool ScanRawText(const unsigned char *bytes, std::size_t length, TextEncoding encoding,
                 RawScan &scan);
void ReleaseRawScan(RawScan &scan);

// The first item of the section that the profile functions read (its first occurrence), or -1.
int FindRawSection(const RawScan &scan, const char *section);

// The line of a key in the first occurrence of its section; 0 when it is not there.
unsigned FindRawKeyLine(const RawScan &scan, const char *section, const char *key);

} // namespace aof
