#include "setupinfo/setup_info_keys.h"

#include "common/text.h"

namespace aof {

void MakeNumberedKey(char *out, const char *stem, unsigned n) {
    char digits[11];
    FormatDecimal(digits, n);
    CopyText(out, kKeyNameSize, stem);
    AppendText(out, kKeyNameSize, digits);
}

} // namespace aof
