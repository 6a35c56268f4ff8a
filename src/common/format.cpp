#include "common/format.h"

#include "common/text.h"

#include <cstdarg>
#include <cstring>

namespace aof {

namespace {

// Appends to a bounded buffer; once something did not fit, nothing more is added.
struct Output {
    char *text;
    std::size_t capacity;
    bool full;

    void Append(const char *piece) {
        if (full)
            return;
        std::size_t used = std::strlen(text);
        full = CopyText(text + used, capacity - used, piece) != std::strlen(piece);
    }
};

void AppendNumber(Output &output, int value, std::size_t width) {
    char digits[12];
    FormatDecimal(digits, value < 0 ? 0u : static_cast<unsigned>(value));
    for (std::size_t length = std::strlen(digits); length < width; ++length)
        output.Append("0");
    output.Append(digits);
}

} // namespace

void FormatText(char *out, std::size_t capacity, const char *format, ...) {
    if (capacity == 0)
        return;
    out[0] = '\0';
    Output output = {out, capacity, false};
    va_list arguments;
    va_start(arguments, format);
    for (const char *p = format; *p != '\0'; ++p) {
        // One character of the format, kept whole: a double-byte character is never cut.
        std::size_t length = IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0' ? 2 : 1;
        char single[3] = {p[0], length == 2 ? p[1] : '\0', '\0'};
        if (*p != '%') {
            output.Append(single);
            p += length - 1;
        } else if (p[1] == 's') {
            output.Append(va_arg(arguments, const char *));
            ++p;
        } else if (p[1] == 'd') {
            AppendNumber(output, va_arg(arguments, int), 0);
            ++p;
        } else if (std::strncmp(p + 1, "02d", 3) == 0) {
            AppendNumber(output, va_arg(arguments, int), 2);
            p += 3;
        } else if (p[1] == '%') {
            output.Append("%");
            ++p;
        } else {
            output.Append(single);
        }
    }
    va_end(arguments);
}

} // namespace aof
