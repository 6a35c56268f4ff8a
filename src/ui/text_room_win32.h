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

// A text longer than the text control (1001) grows the dialog downwards, the text control with
// it and the separator and buttons below it moved down as far, up to the height of the screen's
// work area, where the dialog is centred again. A text that does not fit even then is shown in
// a read-only edit control of the same place and id, which scrolls. A text that fits leaves the
// dialog as its template made it. The text control already holds the text.
void FitMessageText(HWND dialog, const char *text);

} // namespace aof
