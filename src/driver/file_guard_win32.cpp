#include "driver/file_guard_win32.h"

#include "common/format.h"
#include "common/text.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_texts.h"

#include <windows.h>

namespace aof {

void ReportUnreadable(Teller &teller, const char *file, const char *tail) {
    char text[sizeof kFileUnreadableFormat + kPathSize + sizeof kFileDeletionInterrupted];
    FormatText(text, sizeof text, kFileUnreadableFormat, file, tail);
    teller.Tell(text, MB_ICONSTOP);
}

bool EnsureReadable(Teller &teller, const char *file, const char *tail) {
    if (IsSetupInfoReadable(file))
        return true;
    ReportUnreadable(teller, file, tail);
    return false;
}

} // namespace aof
