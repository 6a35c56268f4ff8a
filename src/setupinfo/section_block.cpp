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

// The value of the first entry named key, nullptr when there is none (a bare name has "").
const char *FindEntryValue(const char *block, const char *key) {
    std::size_t keyLength = std::strlen(key);
    char name[64];
    for (const char *entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
        const char *equals = std::strchr(entry, '=');
        std::size_t nameLength =
            equals != nullptr ? static_cast<std::size_t>(equals - entry) : std::strlen(entry);
        if (nameLength != keyLength || nameLength >= sizeof name)
            continue;
        std::memcpy(name, entry, nameLength);
        name[nameLength] = '\0';
        if (EqualsIgnoringAsciiCase(name, key))
            return equals != nullptr ? equals + 1 : entry + nameLength;
    }
    return nullptr;
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

void FindSectionText(const char *block, const char *key, char *out, unsigned size) {
    const char *value = FindEntryValue(block, key);
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

unsigned FindSectionNumber(const char *block, const char *key, unsigned fallback) {
    char text[2 * kNumberCharacters + 1];
    FindSectionText(block, key, text, sizeof text);
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
