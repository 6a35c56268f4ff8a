// A section of a setup-info file as the profile functions hand it over whole: one entry per
// line of the section, "name=value" or a bare "name", each ended by a NUL, the last followed
// by a second NUL. A key looked up here gives exactly what reading that one key gives, so a
// long list is read once instead of searched again for every key.
#pragma once

namespace aof {

// The first entry of each name, found by its name's hash: a list of thousands of entries is
// searched in constant time per key. The slots point into the block.
struct SectionIndex {
    const char **slots; // nullptr for a free slot
    unsigned capacity;  // a power of two, at least twice the entries
};

unsigned CountSectionEntries(const char *block);

// The capacity an index of that many entries needs.
unsigned SectionIndexCapacity(unsigned entries);

// Fills an index whose slots are all nullptr with the first entry of each name.
void BuildSectionIndex(const char *block, const SectionIndex &index);

// The text of key as the one-key read gives it: the value of the first entry whose name
// equals key without regard to ASCII case (a later entry of the same name is never seen), a
// value enclosed in a pair of the same quotation marks (" or ') without them, "" when no
// entry has that name or its value is empty. Cut to size - 1 bytes as CopyText cuts.
void FindSectionText(const SectionIndex &index, const char *key, char *out, unsigned size);

// The number of key as the one-key read gives it: fallback when its text is empty;
// otherwise the number at the start of the text's first 29 characters: control characters
// and blanks and then one sign skipped, decimal unless "0b", "0o" or "0x" (lower case) says
// binary, octal or hexadecimal; it wraps at 2^32; 0 when no digit is there.
unsigned FindSectionNumber(const SectionIndex &index, const char *key, unsigned fallback);

} // namespace aof
