// The modeless progress dialog shown while files are copied.
#pragma once

#include <windows.h>

namespace aof {

// Registers the common-controls progress class and creates the dialog (no owner); nullptr when
// it cannot be made, in which case every update has no effect.
HWND CreateProgressDialog(HINSTANCE instance, unsigned short total);

// Steps the bar and sets "counter / total  n% 完了"; the step is painted by ShowCurrentFile.
void StepProgress(HWND dialog, unsigned counter, unsigned short total);

// Shows the resolved destination being copied and paints the dialog, at most 25 times a
// second (a modal dialog or message box over it paints it at once).
void ShowCurrentFile(HWND dialog, const char *path);

void CloseProgressDialog(HWND dialog);

} // namespace aof
