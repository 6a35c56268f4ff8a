// Copying one entry's file into place, asking before an existing file is overwritten.
#pragma once

#include "setupinfo/setup_section_win32.h"

#include <windows.h>

namespace aof {

enum CopyResult {
    kCopied = 0,
    kSameFile = 1,
    kDeclined = 2,
    kEntryMissing = 255,
    kCancelledByUser = 256,
    kCopyFailed = 257,
};

// Copies entry n of list (its section of the setup-info file).
// overwriteAll: 0 asks, non-zero overwrites without asking; set to 1 by "overwrite all".
int CopyOneFile(const SetupSection &list, unsigned n, const char *setupFolder,
                const char *editorFolder, const char *macroFolder, int *overwriteAll,
                HWND progress);

// 6 yes, 3 overwrite all, 7 no, 2 cancel.
int ConfirmOverwrite(HINSTANCE instance, HWND owner, const char *source, const char *destination);

// The size and date text of a file into out (256 bytes).
void FormatFileInfo(char *out, const char *path);

} // namespace aof
