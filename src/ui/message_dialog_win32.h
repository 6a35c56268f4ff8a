// The program's message dialogs (a picture beside the text) and its message boxes.
#pragma once

#include <windows.h>

namespace aof {

constexpr int kOkCancelForm = 1; // any other form value gives the OK-only form
constexpr int kOkOnlyForm = 0;

// Modal, no owner; 1 for OK, 2 for Cancel or Escape.
int ShowSetupMessage(HINSTANCE instance, const char *text, int form);
int ShowUninstallMessage(HINSTANCE instance, const char *text, int form);

// MessageBoxA with no owner and the program's caption (or the one given).
int ShowMessageBox(const char *text, UINT style);
int ShowMessageBoxCaptioned(const char *caption, const char *text, UINT style);

} // namespace aof
