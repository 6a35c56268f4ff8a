// Where the driver's messages go: the program's message boxes, or, in a test that drives the
// sequences itself, whatever the test keeps of them.
#pragma once

namespace aof {

class Teller {
  public:
    // Tells the user text with the message box icon (MB_ICONSTOP, ...).
    virtual void Tell(const char *text, unsigned icon) = 0;

  protected:
    ~Teller() = default;
};

// The program's message boxes (ShowMessageBox).
Teller &MessageBoxes();

} // namespace aof
