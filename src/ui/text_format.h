// Texts the dialogs compose: grouped sizes, the progress counter, file information.
#pragma once

#include <cstddef>

namespace aof {

// Rewrites a string of decimal digits in place with "," between groups of three digits from
// the right; the buffer holds capacity bytes (a result that would not fit is left unchanged).
void GroupThousands(char *digits, std::size_t capacity);

// "%d / %d  %d%% 完了" with counter, total and counter * 100 / total (0 when total is 0).
void FormatProgressText(char *out, std::size_t capacity, unsigned counter, unsigned total);

struct FileStamp {
    unsigned long long size;
    int year, month, day, hour, minute, second;
};

// The two-line size and last-write text of the overwrite confirmation.
void FormatFileInfoText(char *out, std::size_t capacity, const FileStamp &stamp);

} // namespace aof
