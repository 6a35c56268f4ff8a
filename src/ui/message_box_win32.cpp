#include "ui/message_dialog_win32.h"

#include "common/format.h"
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

static_assert(kStopIcon == MB_ICONSTOP && kWarningIcon == MB_ICONEXCLAMATION,
              "stop message icons are message box styles");

// What happened (first and second fill in its %s), a line break, the next step, an empty line,
// the stop line. It holds a path or two package names and the fixed pieces.
void ShowStop(StopId stop, const char *stopLine, const char *first, const char *second) {
    const StopMessage &message = kStopMessages[stop];
    char what[1024];
    FormatText(what, sizeof what, message.what, first, second);
    char text[1024];
    FormatText(text, sizeof text, "%s\n%s%s\n\n%s", what, message.next,
               message.runAgain ? kRunAgain : "", stopLine);
    ShowMessageBox(text, message.icon);
}

} // namespace aof
