#include "driver/file_guard_win32.h"

#include "driver/failure_reports_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <windows.h>

namespace aof {

bool EnsureReadable(Teller &teller, const char *file, StopLine line) {
    return IsSetupInfoReadable(file) || TellStop(teller, kStopFileUnreadable, line, file);
}

bool EnsureReadableIfPresent(Teller &teller, const char *file, StopLine line) {
    return GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES ||
           EnsureReadable(teller, file, line);
}

} // namespace aof
