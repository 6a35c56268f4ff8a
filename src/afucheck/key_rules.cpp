#include "afucheck/key_rules.h"

#include "common/text.h"

#include <cstring>

namespace aof {

namespace {

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the trailing decimal digits of name begin.
std::size_t DigitsStart(const char *name) {
    std::size_t end = std::strlen(name);
    while (end > 0 && IsDigit(name[end - 1]))
        --end;
    return end;
}

bool StemEquals(const char *name, std::size_t stemLength, const char *stem) {
    if (std::strlen(stem) != stemLength)
        return false;
    for (std::size_t i = 0; i < stemLength; ++i) {
        if (Fold(name[i]) != Fold(stem[i]))
            return false;
    }
    return true;
}

// The ordinal of a run of digits as the program writes it: 1 or more, no leading zero, at most
// nine digits; 0 otherwise.
unsigned ReadOrdinal(const char *digits) {
    std::size_t length = std::strlen(digits);
    if (length == 0 || length > 9 || digits[0] == '0')
        return 0;
    unsigned value = 0;
    for (std::size_t i = 0; i < length; ++i)
        value = value * 10 + static_cast<unsigned>(digits[i] - '0');
    return value;
}

constexpr std::size_t kCompareSize = 64;

// Edit distance with adjacent transpositions, letter case ignored, on at most 63 characters.
unsigned Distance(const char *a, std::size_t aLength, const char *b, std::size_t bLength) {
    if (aLength >= kCompareSize)
        aLength = kCompareSize - 1;
    if (bLength >= kCompareSize)
        bLength = kCompareSize - 1;
    unsigned rows[3][kCompareSize];
    unsigned *before = rows[0], *previous = rows[1], *current = rows[2];
    for (std::size_t j = 0; j <= bLength; ++j)
        previous[j] = static_cast<unsigned>(j);
    for (std::size_t i = 1; i <= aLength; ++i) {
        current[0] = static_cast<unsigned>(i);
        for (std::size_t j = 1; j <= bLength; ++j) {
            unsigned cost = Fold(a[i - 1]) == Fold(b[j - 1]) ? 0 : 1;
            unsigned best = previous[j - 1] + cost;
            best = previous[j] + 1 < best ? previous[j] + 1 : best;
            best = current[j - 1] + 1 < best ? current[j - 1] + 1 : best;
            if (i > 1 && j > 1 && Fold(a[i - 1]) == Fold(b[j - 2]) &&
                Fold(a[i - 2]) == Fold(b[j - 1]) && before[j - 2] + 1 < best)
                best = before[j - 2] + 1;
            current[j] = best;
        }
        unsigned *oldest = before;
        before = previous;
        previous = current;
        current = oldest;
    }
    return previous[bLength];
}

// How far name is from a known name: the whole name, or its tail when the author left out a
// leading part ("Title" for "MacroTitle", one step more).
unsigned Nearness(const char *name, std::size_t length, const char *known) {
    std::size_t knownLength = std::strlen(known);
    unsigned whole = Distance(name, length, known, knownLength);
    if (knownLength > length) {
        unsigned tail = Distance(name, length, known + knownLength - length, length) + 1;
        whole = tail < whole ? tail : whole;
    }
    return whole;
}

// Near enough to be a slip of the hand: at most a third of the name, and at least 2 allowed.
bool IsNear(unsigned distance, std::size_t length) {
    std::size_t allowed = length / 3 > 2 ? length / 3 : 2;
    return distance <= allowed;
}

} // namespace

const KnownSection *FindKnownSection(const char *name) {
    for (unsigned i = 0; i < kKnownSectionCount; ++i) {
        if (EqualsIgnoringAsciiCase(kKnownSections[i].name, name))
            return &kKnownSections[i];
    }
    return nullptr;
}

KeyClass ClassifyKey(const KnownSection &section, const char *name) {
    std::size_t stemLength = DigitsStart(name);
    const char *digits = name + stemLength;
    for (unsigned i = 0; i < section.keyCount; ++i) {
        const KnownKey &key = section.keys[i];
        if (key.form == kSingleKey) {
            if (EqualsIgnoringAsciiCase(key.name, name))
                return {kKeyKnown, &key, 0};
            continue;
        }
        if (digits[0] == '\0' || !StemEquals(name, stemLength, key.name))
            continue;
        unsigned ordinal = ReadOrdinal(digits);
        return {ordinal != 0 ? kKeyKnown : kKeyOrdinalUnread, &key, ordinal};
    }
    return {kKeyUnknown, nullptr, 0};
}

bool SuggestSection(const char *name, char *suggestion) {
    std::size_t length = std::strlen(name);
    const char *best = nullptr;
    unsigned bestDistance = ~0u;
    for (unsigned i = 0; i < kKnownSectionCount; ++i) {
        unsigned distance = Nearness(name, length, kKnownSections[i].name);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = kKnownSections[i].name;
        }
    }
    if (best == nullptr || !IsNear(bestDistance, length))
        return false;
    CopyText(suggestion, kSuggestionSize, best);
    return true;
}

bool SuggestKey(const KnownSection &section, const char *name, char *suggestion) {
    std::size_t stemLength = DigitsStart(name);
    const KnownKey *best = nullptr;
    unsigned bestDistance = ~0u;
    for (unsigned i = 0; i < section.keyCount; ++i) {
        const KnownKey &key = section.keys[i];
        bool numbered = key.form != kSingleKey;
        std::size_t length = numbered ? stemLength : std::strlen(name);
        unsigned distance = Nearness(name, length, key.name);
        if (key.form != kOrdinalKey && distance < bestDistance) {
            bestDistance = distance;
            best = &key;
        }
    }
    std::size_t compared =
        best != nullptr && best->form != kSingleKey ? stemLength : std::strlen(name);
    if (best == nullptr || !IsNear(bestDistance, compared))
        return false;
    CopyText(suggestion, kSuggestionSize, best->name);
    if (best->form == kNumberedKey)
        AppendText(suggestion, kSuggestionSize, name[stemLength] != '\0' ? name + stemLength : "1");
    return true;
}

bool IsYesOrNo(const char *value) {
    return EqualsIgnoringAsciiCase(value, "yes") || EqualsIgnoringAsciiCase(value, "no");
}

bool IsPlainDecimal(const char *value) {
    if (value[0] == '\0')
        return false;
    for (const char *p = value; *p != '\0'; ++p) {
        if (!IsDigit(*p))
            return false;
    }
    return true;
}

bool HoldsLineEndComment(const char *value) {
    // ";" is never a byte of a double-byte character: a plain search is safe.
    for (const char *p = std::strchr(value, ';'); p != nullptr; p = std::strchr(p + 1, ';')) {
        if (p > value && (p[-1] == ' ' || p[-1] == '\t'))
            return true;
    }
    return false;
}

bool ClimbsToParent(const char *path) {
    const char *start = path;
    for (const char *p = path;; ++p) {
        bool end = *p == '\0' || *p == '\\' || *p == '/';
        if (end && p - start == 2 && start[0] == '.' && start[1] == '.')
            return true;
        if (*p == '\0')
            return false;
        if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0')
            ++p;
        else if (end)
            start = p + 1;
    }
}

} // namespace aof
