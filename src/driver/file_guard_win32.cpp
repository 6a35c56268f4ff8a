#include "driver/file_guard_win32.h"

#include "common/format.h"
#include "common/text.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

void ReportUnreadable(const char *file, const char *tail) {
    char text[sizeof kFileUnreadableFormat + kPathSize + sizeof kFileDeletionInterrupted];
    FormatText(text, sizeof text, kFileUnreadableFormat, file, tail);
    ShowMessageBox(text, MB_ICONSTOP);
}

bool EnsureReadable(const char *file, const char *tail) {
    if (IsSetupInfoReadable(file))
        return true;
    ReportUnreadable(file, tail);
    return false;
}

} // namespace aof
