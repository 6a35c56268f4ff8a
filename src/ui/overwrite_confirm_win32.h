// The question asked before an existing file is overwritten, with both files' size and date.
#pragma once

#include <windows.h>

namespace aof {

// 6 yes, 3 overwrite all, 7 no, 2 cancel.
int ConfirmOverwrite(HINSTANCE instance, HWND owner, const char *source, const char *destination);

// The size and date text of a file into out (256 bytes).
void FormatFileInfo(char *out, const char *path);

} // namespace aof
