#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"
#include "ui/progress_dialog_win32.h"

namespace aof {

int ShowMessageBoxCaptioned(const char *caption, const char *text, UINT style) {
    ShowProgressNow();
    return MessageBoxA(nullptr, text, caption, style);
}

int ShowMessageBox(const char *text, UINT style) {
    return ShowMessageBoxCaptioned(kCaption, text, style);
}

} // namespace aof
