#include "afucheck/raw_scan.h"

#include "common/text.h"

#include <cstdlib>
#include <cstring>

namespace aof {

namespace {

// Length of a valid UTF-8 multi-byte sequence at p (2 to 4), or 0.
std::size_t Utf8SequenceLength(const unsigned char *p, std::size_t left) {
    std::size_t length = p[0] >= 0xF0 && p[0] <= 0xF4   ? 4
                         : p[0] >= 0xE0                 ? 3
                         : p[0] >= 0xC2 && p[0] <= 0xDF ? 2
                                                        : 0;
    if (length == 0 || length > left)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

bool IsUtf8WithSequences(const unsigned char *bytes, std::size_t length) {
    bool sequences = false;
    for (std::size_t i = 0; i < length;) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        std::size_t step = Utf8SequenceLength(bytes + i, length - i);
        if (step == 0)
            return false;
        sequences = true;
        i += step;
    }
    return sequences;
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Single bytes code page 932 has: ASCII (without NUL) and the half-width katakana.
bool IsSingleByte(unsigned char byte) {
    return (byte >= 0x01 && byte <= 0x7F) || (byte >= 0xA1 && byte <= 0xDF);
}

unsigned FindInvalidCodePage932Line(const unsigned char *bytes, std::size_t length) {
    unsigned line = 1;
    for (std::size_t i = 0; i < length; ++i) {
        if (IsLeadByte(bytes[i]) && i + 1 < length && IsTrailByte(bytes[i + 1])) {
            ++i;
        } else if (!IsSingleByte(bytes[i])) {
            return line;
        }
        if (bytes[i] == '\n')
            ++line;
    }
    return 0;
}

bool StartsWith(const unsigned char *bytes, std::size_t length, const char *mark) {
    std::size_t size = std::strlen(mark);
    return length >= size && std::memcmp(bytes, mark, size) == 0;
}

// The text as a run of characters: bytes, or UTF-16 code units with everything beyond ASCII
// as "?" (the names the program knows are all ASCII).
struct CharacterReader {
    const unsigned char *bytes;
    std::size_t length;
    std::size_t position;
    TextEncoding encoding;

    bool AtEnd() const {
        std::size_t unit = IsWide() ? 2 : 1;
        return position + unit > length;
    }
    bool IsWide() const { return encoding == kUtf16LeWithBom || encoding == kUtf16BeWithBom; }
    char Next() {
        if (!IsWide())
            return static_cast<char>(bytes[position++]);
        unsigned first = bytes[position];
        unsigned second = bytes[position + 1];
        position += 2;
        unsigned unit = encoding == kUtf16LeWithBom ? first | second << 8 : first << 8 | second;
        return unit < 0x80 ? static_cast<char>(unit) : '?';
    }
};

std::size_t BomSize(TextEncoding encoding) {
    switch (encoding) {
    case kUtf8WithBom:
        return 3;
    case kUtf16LeWithBom:
    case kUtf16BeWithBom:
        return 2;
    case kCodePage932Text:
    case kUtf8WithoutBom:
        break;
    }
    return 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// One line without its line feed, cut to the buffer; leading and trailing blanks removed.
void ReadLine(CharacterReader &reader, char *line, std::size_t size) {
    std::size_t used = 0;
    while (!reader.AtEnd()) {
        char c = reader.Next();
        if (c == '\n')
            break;
        if (used + 1 < size && (used > 0 || !IsBlank(c)))
            line[used++] = c;
    }
    while (used > 0 && IsBlank(line[used - 1]))
        --used;
    line[used] = '\0';
}

// The name of a section line ("[name]") or a key line ("name=value"), trimmed.
void TakeName(const char *text, char stop, char *name) {
    const char *end = std::strchr(text, stop);
    std::size_t length = end != nullptr ? static_cast<std::size_t>(end - text) : std::strlen(text);
    while (length > 0 && IsBlank(text[length - 1]))
        --length;
    while (length > 0 && IsBlank(*text)) {
        ++text;
        --length;
    }
    char whole[kRawNameSize * 2];
    if (length >= sizeof whole)
        length = sizeof whole - 1;
    std::memcpy(whole, text, length);
    whole[length] = '\0';
    CopyText(name, kRawNameSize, whole);
}

// True when the value of a key line is enclosed in a pair of the same quotation marks.
bool IsQuotedValue(const char *line) {
    const char *value = std::strchr(line, '=');
    if (value == nullptr)
        return false;
    ++value;
    while (IsBlank(*value))
        ++value;
    std::size_t length = std::strlen(value);
    return length >= 2 && (value[0] == '"' || value[0] == '\'') && value[length - 1] == value[0];
}

std::size_t CountLines(const unsigned char *bytes, std::size_t length) {
    std::size_t lines = 1;
    for (std::size_t i = 0; i < length; ++i)
        lines += bytes[i] == '\n';
    return lines;
}

} // namespace

EncodingFinding ClassifyEncoding(const unsigned char *bytes, std::size_t length) {
    if (StartsWith(bytes, length, "\xEF\xBB\xBF"))
        return {kUtf8WithBom, 0};
    if (StartsWith(bytes, length, "\xFF\xFE"))
        return {kUtf16LeWithBom, 0};
    if (StartsWith(bytes, length, "\xFE\xFF"))
        return {kUtf16BeWithBom, 0};
    if (IsUtf8WithSequences(bytes, length))
        return {kUtf8WithoutBom, 0};
    return {kCodePage932Text, FindInvalidCodePage932Line(bytes, length)};
}

bool ScanRawText(const unsigned char *bytes, std::size_t length, TextEncoding encoding,
                 RawScan &scan) {
    scan.count = 0;
    scan.items = static_cast<RawItem *>(std::malloc(CountLines(bytes, length) * sizeof(RawItem)));
    if (scan.items == nullptr)
        return false;
    CharacterReader reader{bytes, length, BomSize(encoding), encoding};
    int section = -1;
    for (unsigned line = 1; !reader.AtEnd(); ++line) {
        char text[kPathSize * 2];
        ReadLine(reader, text, sizeof text);
        if (text[0] == '\0' || text[0] == ';')
            continue;
        RawItem &item = scan.items[scan.count];
        item.line = line;
        item.isSection = text[0] == '[';
        item.section = item.isSection ? -1 : section;
        item.quoted = !item.isSection && IsQuotedValue(text);
        TakeName(item.isSection ? text + 1 : text, item.isSection ? ']' : '=', item.name);
        if (item.isSection)
            section = static_cast<int>(scan.count);
        ++scan.count;
    }
    return true;
}

void ReleaseRawScan(RawScan &scan) {
    std::free(scan.items);
    scan.items = nullptr;
    scan.count = 0;
}

int FindRawSection(const RawScan &scan, const char *section) {
    for (std::size_t i = 0; i < scan.count; ++i) {
        if (scan.items[i].isSection && EqualsIgnoringAsciiCase(scan.items[i].name, section))
            return static_cast<int>(i);
    }
    return -1;
}

unsigned FindRawKeyLine(const RawScan &scan, const char *section, const char *key) {
    int found = FindRawSection(scan, section);
    for (std::size_t i = static_cast<std::size_t>(found) + 1; found >= 0 && i < scan.count; ++i) {
        if (scan.items[i].section == found && EqualsIgnoringAsciiCase(scan.items[i].name, key))
            return scan.items[i].line;
    }
    return 0;
}

} // namespace aof
