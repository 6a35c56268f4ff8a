// Room for the texts a user must read. Texts are measured as a static control draws them: with
// its own font, at its width, words broken where the control breaks them and "&" shown as itself.
#pragma once

#include <windows.h>

namespace aof {

// How many pixels taller than the dialog's control id the text needs to be seen whole (0 or
// less when it fits).
int MeasureMissingHeight(HWND dialog, int id, const char *text);

// Sets the text of the dialog's control id to the format ("%s" once) filled with the path, the
// path shortened in the middle when the whole text does not fit the control, so that its file
// name stays in view.
void ShowPathInControl(HWND dialog, int id, const char *format, const char *path);

} // namespace aof
