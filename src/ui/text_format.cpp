#include "ui/text_format.h"

#include "common/format.h"
#include "common/text.h"
#include "ui/message_texts.h"

#include <cstring>

namespace aof {

void GroupThousands(char *digits, std::size_t capacity) {
    std::size_t length = std::strlen(digits);
    if (length == 0)
        return;
    std::size_t lead = length % 3;
    std::size_t groups = length / 3;
    if (lead == 0) {
        lead = 3;
        --groups;
    }
    // 20 digits of a 64-bit size and their 6 separators fit in 27 bytes.
    char grouped[32];
    if (length + groups + 1 > sizeof grouped || length + groups + 1 > capacity)
        return;
    std::memcpy(grouped, digits, lead);
    std::size_t out = lead;
    for (std::size_t in = lead; in < length; in += 3) {
        grouped[out++] = ',';
        std::memcpy(grouped + out, digits + in, 3);
        out += 3;
    }
    grouped[out] = '\0';
    std::memcpy(digits, grouped, out + 1);
}

void FormatProgressText(char *out, std::size_t capacity, unsigned counter, unsigned total) {
    unsigned percent = total == 0 ? 0 : static_cast<unsigned>(counter * 100ULL / total);
    FormatText(out, capacity, kProgressFormat, static_cast<int>(counter), static_cast<int>(total),
               static_cast<int>(percent));
}

void FormatFileInfoText(char *out, std::size_t capacity, const FileStamp &stamp) {
    char size[32];
    FormatLargeDecimal(size, stamp.size);
    GroupThousands(size, sizeof size);
    FormatText(out, capacity, kFileInfoFormat, size, stamp.year, stamp.month, stamp.day, stamp.hour,
               stamp.minute, stamp.second);
}

} // namespace aof
