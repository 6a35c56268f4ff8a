#include "driver/sequence_dialogs_win32.h"

#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"
#include "ui/overwrite_confirm_win32.h"
#include "ui/progress_dialog_win32.h"

namespace aof {

void SequenceDialogs::CloseProgress() {
    if (progress_ != nullptr)
        CloseProgressDialog();
    progress_ = nullptr;
}

void SequenceDialogs::Tell(const char *text, unsigned icon) {
    ShowMessageBox(text, icon);
}

void SequenceDialogs::BeginCopies(unsigned short total) {
    progress_ = CreateProgressDialog(instance_, total);
}

void SequenceDialogs::StepProgress(unsigned counter, unsigned short total) {
    aof::StepProgress(counter, total);
}

void SequenceDialogs::ShowFile(const char *destination) {
    ShowCurrentFile(destination);
}

void SequenceDialogs::EndCopies() {
    ShowProgressNow();
}

int SequenceDialogs::AskOverwrite(const char *source, const char *destination) {
    return ConfirmOverwrite(instance_, progress_, source, destination);
}

// Asks until the user either confirms the deletion twice or declines it.
bool SequenceDialogs::AskFileDeletion() {
    for (;;) {
        if (ShowUninstallMessage(instance_, kAskDeleteFiles, kOkCancelForm) != IDOK)
            return false;
        if (ShowMessageBox(kReallyDeleteFiles, MB_YESNO | MB_ICONQUESTION) == IDYES)
            return true;
    }
}

} // namespace aof
