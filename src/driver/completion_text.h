// The closing texts of a run: the completion message of an install and the final report of
// an uninstall that deleted the package's files.
#pragma once

#include <cstddef>

#include "common/text.h"
#include "ui/message_texts.h"

namespace aof {

// Holds the package name (127 bytes), the fixed pieces, two slot numbers and the package's
// own message (255 bytes).
constexpr std::size_t kCompletionTextSize = 1024;

// Names the menu slots the macros occupy: the leading non-zero entries of slots[0..count)
// count, as "ﾏｸﾛa" for one and "ﾏｸﾛa ～ ﾏｸﾛb" for several. With none (files only, or an update
// of a package that has no slots recorded) the text only says that setup is complete. A
// non-empty message follows after an empty line.
void ComposeCompletionText(char *out, std::size_t capacity, const char *setupName,
                           const unsigned *slots, int count, const char *message);

constexpr std::size_t kUninstallReportSize =
    sizeof(kUninstallDone) + kPathSize + sizeof(kUninstallDoneProgramKept);

// The report that names the program copy left behind; out holds kUninstallReportSize bytes.
void ComposeUninstallReport(char *out, const char *programCopy);

} // namespace aof
