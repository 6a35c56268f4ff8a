#include "setupinfo/section_block.h"

#include "common/text.h"

#include <cstring>

namespace aof {

namespace {

// The profile reader hands a number over in a buffer of 30 characters.
constexpr unsigned kNumberCharacters = 29;

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// The longest entry name worth indexing: every key the program reads is shorter.
constexpr std::size_t kNameSize = 64;

// The entry's name into name; false when it is too long to be any key.
bool TakeName(const char *entry, char (&name)[kNameSize]) {
    std::size_t length = std::strcspn(entry, "=");
    if (length >= kNameSize)
        return false;
    std::memcpy(name, entry, length);
    name[length] = '\0';
    return true;
}

// The slot that holds the entry named name, or the free slot where it belongs.
const char **FindSlot(const SectionIndex &index, const char *name) {
    unsigned mask = index.capacity - 1;
    for (unsigned i = HashIgnoringAsciiCase(name) & mask;; i = (i + 1) & mask) {
        const char **slot = &index.slots[i];
        char other[kNameSize];
        if (*slot == nullptr || (TakeName(*slot, other) && EqualsIgnoringAsciiCase(other, name)))
            return slot;
    }
}

// The value of the first entry named key, nullptr when there is none (a bare name has "").
const char *FindEntryValue(const SectionIndex &index, const char *key) {
    if (std::strlen(key) >= kNameSize)
        return nullptr;
    const char *entry = *FindSlot(index, key);
    if (entry == nullptr)
        return nullptr;
    const char *equals = std::strchr(entry, '=');
    return equals != nullptr ? equals + 1 : entry + std::strlen(entry);
}

// The value of a digit of any base up to 36; 36 for a character that is none.
unsigned DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned>(c - 'a') + 10;
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned>(c - 'A') + 10;
    return 36;
}

} // namespace

unsigned CountSectionEntries(const char *block) {
    unsigned count = 0;
    for (const char *entry = block; *entry != '\0'; entry += std::strlen(entry) + 1)
        ++count;
    return count;
}

unsigned SectionIndexCapacity(unsigned entries) {
    unsigned capacity = 16;
    while (capacity < 2 * entries)
        capacity *= 2;
    return capacity;
}

void BuildSectionIndex(const char *block, const SectionIndex &index) {
    char name[kNameSize];
    for (const char *entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
        if (!TakeName(entry, name))
            continue;
        const char **slot = FindSlot(index, name);
        if (*slot == nullptr)
            *slot = entry; // a later entry of the same name is never seen
    }
}

void FindSectionText(const SectionIndex &index, const char *key, char *out, unsigned size) {
    const char *value = FindEntryValue(index, key);
    if (value == nullptr || size == 0) {
        if (size != 0)
            out[0] = '\0';
        return;
    }
    std::size_t length = std::strlen(value);
    // Neither quotation mark can be the second byte of a double-byte character.
    bool quoted = length >= 2 && IsQuote(value[0]) && value[length - 1] == value[0];
    if (!quoted) {
        CopyText(out, size, value);
        return;
    }
    std::size_t inner = CopyText(out, size, value + 1);
    if (inner == length - 1)
        out[inner - 1] = '\0';
}

unsigned FindSectionNumber(const SectionIndex &index, const char *key, unsigned fallback) {
    char text[2 * kNumberCharacters + 1];
    FindSectionText(index, key, text, sizeof text);
    if (text[0] == '\0')
        return fallback;
    const char *end = text;
    for (unsigned characters = 0; *end != '\0' && characters < kNumberCharacters; ++characters)
        end += IsLeadByte(static_cast<unsigned char>(*end)) && end[1] != '\0' ? 2 : 1;
    const char *p = text;
    while (p < end && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    unsigned base = 10;
    if (end - p >= 2 && p[0] == '0' && (p[1] == 'b' || p[1] == 'o' || p[1] == 'x')) {
        base = p[1] == 'b' ? 2 : p[1] == 'o' ? 8 : 16;
        p += 2;
    }
    unsigned value = 0;
    for (unsigned digit; p < end && (digit = DigitValue(*p)) < base; ++p)
        value = value * base + digit;
    return negative ? 0u - value : value;
}

} // namespace aof
