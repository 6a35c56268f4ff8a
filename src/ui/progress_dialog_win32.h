// The modeless progress dialog shown while files are copied.
#pragma once

#include <windows.h>

namespace aof {

// Registers the common-controls progress class and creates the dialog (no owner), showing
// "0 / 0  0% 完了"; nullptr when it cannot be made, in which case the steps show nothing.
// The program shows one progress dialog at a time.
HWND CreateProgressDialog(HINSTANCE instance, unsigned short total);

// Shows the new dialog's first face and makes it the one the steps below show on.
void StartProgressView(HWND dialog);

// Notes the step, "counter / total  n% 完了" and the bar; it is shown with the file that follows.
void StepProgress(unsigned counter, unsigned short total);

// Notes the resolved destination being copied and shows the dialog as noted, at most 25 times
// a second.
void ShowCurrentFile(const char *path);

// Shows what was last noted, at once: called before anything appears over the dialog and when
// the copying is done.
void ShowProgressNow();

void CloseProgressDialog();

} // namespace aof
