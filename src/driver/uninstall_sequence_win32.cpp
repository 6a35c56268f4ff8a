// The uninstall sequence: the package leaves the editor's menu and the registry first; its
// files, folders and uninstall-info copy go last, and only when no other user still has the
// package and the user agrees. Every setup-info value comes from the uninstall-info copy.
#include <windows.h>

#include "driver/completion_text.h"
#include "driver/run_state_win32.h"
#include "driver/sequence_dialogs_win32.h"
#include "driver/sequences_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

void RunUninstallSequence(RunState &state) {
    SequenceDialogs dialogs(InstanceOf(state));
    Sequence sequence(state, dialogs);
    RunPlan plan;
    if (!sequence.Plan(plan))
        return;
    switch (sequence.CarryOut(plan)) {
    case kRunStopped:
        return;
    case kRunFilesKept:
        ShowUninstallMessage(InstanceOf(state), kFilesKept, kOkOnlyForm);
        return;
    case kRunDone:
        break;
    }
    if (sequence.OthersRemain()) {
        ShowUninstallMessage(InstanceOf(state), kOtherUsersRemain, kOkOnlyForm);
        return;
    }
    char report[kUninstallReportSize];
    ComposeUninstallReport(report, state.programCopy);
    ShowUninstallMessage(InstanceOf(state), report, kOkOnlyForm);
}

} // namespace aof
