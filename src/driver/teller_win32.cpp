#include "driver/teller_win32.h"

#include "ui/message_dialog_win32.h"

namespace aof {

namespace {

class MessageBoxTeller : public Teller {
  public:
    void Tell(const char *text, unsigned icon) override { ShowMessageBox(text, icon); }
};

MessageBoxTeller messageBoxes;

} // namespace

Teller &MessageBoxes() {
    return messageBoxes;
}

} // namespace aof
