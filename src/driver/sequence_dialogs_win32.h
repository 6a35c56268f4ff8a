// The program's dialogs as the user of a sequence: the progress dialog while files are copied,
// the overwrite confirmation, the uninstall's file deletion questions and message boxes.
#pragma once

#include <windows.h>

#include "driver/sequence_win32.h"

namespace aof {

class SequenceDialogs : public SequenceUser {
  public:
    explicit SequenceDialogs(HINSTANCE instance) : instance_(instance) {}
    ~SequenceDialogs() { CloseProgress(); }
    SequenceDialogs(const SequenceDialogs &) = delete;
    SequenceDialogs &operator=(const SequenceDialogs &) = delete;

    // Closes the progress dialog, if it is open.
    void CloseProgress();

    void Tell(const char *text, unsigned icon) override;
    void BeginCopies(unsigned short total) override;
    void StepProgress(unsigned counter, unsigned short total) override;
    void ShowFile(const char *destination) override;
    void EndCopies() override;
    int AskOverwrite(const char *source, const char *destination) override;
    bool AskFileDeletion() override;

  private:
    HINSTANCE instance_;
    HWND progress_ = nullptr;
};

} // namespace aof
