#include "common/text.h"

#include <cstring>

namespace aof {

namespace {

unsigned char gLeadByteRanges[kLeadByteRangesSize] = {0x81, 0x9F, 0xE0, 0xFC};

} // namespace

void UseLeadByteRanges(const unsigned char (&ranges)[kLeadByteRangesSize]) {
    std::memcpy(gLeadByteRanges, ranges, kLeadByteRangesSize);
}

bool IsLeadByte(unsigned char byte) {
    for (std::size_t i = 0; i + 1 < kLeadByteRangesSize && gLeadByteRanges[i] != 0; i += 2) {
        if (byte >= gLeadByteRanges[i] && byte <= gLeadByteRanges[i + 1])
            return true;
    }
    return false;
}

std::size_t CharacterLength(const char *s) {
    return IsLeadByte(static_cast<unsigned char>(s[0])) && s[1] != '\0' ? 2 : 1;
}

std::size_t CopyText(char *dst, std::size_t capacity, const char *src) {
    if (capacity == 0)
        return 0;
    std::size_t length = 0;
    while (src[length] != '\0') {
        std::size_t step = CharacterLength(src + length);
        if (length + step > capacity - 1)
            break;
        length += step;
    }
    std::memcpy(dst, src, length);
    dst[length] = '\0';
    return length;
}

bool AppendText(char *dst, std::size_t capacity, const char *src) {
    std::size_t used = std::strlen(dst);
    std::size_t added = std::strlen(src);
    if (used + added + 1 > capacity)
        return false;
    std::memcpy(dst + used, src, added + 1);
    return true;
}

void AppendTextCut(char *dst, std::size_t capacity, const char *src) {
    std::size_t used = std::strlen(dst);
    if (used < capacity)
        CopyText(dst + used, capacity - used, src);
}

const char *FindLastBackslash(const char *path) {
    const char *found = nullptr;
    for (const char *p = path; *p != '\0'; p += CharacterLength(p)) {
        if (*p == '\\')
            found = p;
    }
    return found;
}

const char *LastComponent(const char *path) {
    const char *slash = FindLastBackslash(path);
    return slash != nullptr ? slash + 1 : path;
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool ComposeTemporaryPath(char *out, const char *path, char mark) {
    const char *name = LastComponent(path);
    if (*name == '\0' || *name == mark)
        return false;
    std::size_t head = static_cast<std::size_t>(name - path);
    std::memcpy(out, path, head);
    out[head] = mark;
    // A double-byte first character gives way to the one byte of the mark.
    CopyText(out + head + 1, kPathSize - head - 1, name + CharacterLength(name));
    return true;
}

const char *SkipPrefixIgnoringAsciiCase(const char *text, const char *prefix) {
    while (*prefix != '\0') {
        std::size_t step = CharacterLength(prefix);
        if (step == 2 ? text[0] != prefix[0] || text[1] != prefix[1]
                      : FoldAscii(*text) != FoldAscii(*prefix))
            return nullptr;
        text += step;
        prefix += step;
    }
    return text;
}

bool EqualsIgnoringAsciiCase(const char *a, const char *b) {
    const char *rest = SkipPrefixIgnoringAsciiCase(a, b);
    return rest != nullptr && *rest == '\0';
}

unsigned HashIgnoringAsciiCase(const char *text) {
    unsigned hash = 2166136261u;
    while (*text != '\0') {
        std::size_t step = CharacterLength(text);
        for (std::size_t i = 0; i < step; ++i) {
            char c = step == 1 ? FoldAscii(text[i]) : text[i];
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        }
        text += step;
    }
    return hash;
}

void FormatLargeDecimal(char *out, unsigned long long value) {
    char reversed[20];
    std::size_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = reversed[count - 1 - i];
    out[count] = '\0';
}

bool HasExtension(const char *path, const char *extension) {
    // "." is never the second byte of a double-byte character, so a plain search is safe.
    const char *dot = std::strrchr(path, '.');
    return dot != nullptr && EqualsIgnoringAsciiCase(dot, extension);
}

void FormatDecimal(char *out, unsigned value) {
    FormatLargeDecimal(out, value);
}

} // namespace aof
