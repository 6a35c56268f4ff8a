// The install sequence: a confirmed new install, files-only install or update, from the
// package's folders to the completion message. Nothing done is undone when it stops early.
#include <windows.h>
#include <shellapi.h>

#include "common/registry_win32.h"
#include "driver/completion_text.h"
#include "driver/run_state_win32.h"
#include "driver/sequence_dialogs_win32.h"
#include "driver/sequences_win32.h"
#include "setupinfo/folder_variables_win32.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_dialog_win32.h"

namespace aof {
namespace {

// The slots the package's macros occupy: those just assigned for a new install, those its
// first install recorded for an update, none for a files-only install.
int CollectOccupiedSlots(const RunState &state, unsigned slots[kMaxMacros]) {
    if (state.updateFlag) {
        for (int i = 0; i < kMaxMacros; ++i) {
            char name[11];
            FormatDecimal(name, i + 1);
            DWORD slot; // only shown: an unreadable value shows as none
            ReadRegistryDword(HKEY_CURRENT_USER, state.recordKeyPath, name, &slot);
            slots[i] = slot;
        }
        return kMaxMacros;
    }
    if (state.filesOnlyFlag)
        return 0;
    for (int i = 0; i < kMaxMacros; ++i)
        slots[i] = state.slotList[i];
    return state.macroCount;
}

void ShowCompletion(const RunState &state) {
    char message[kShellMessage.size];
    ReadSetupString(state.uninstallInfoCopy, kShellMessage, message);
    unsigned slots[kMaxMacros];
    int count = CollectOccupiedSlots(state, slots);
    char text[kCompletionTextSize];
    ComposeCompletionText(text, sizeof text, state.setupName, slots, count, message);
    ShowSetupMessage(InstanceOf(state), text, kOkOnlyForm);
}

// Reads a [ShellExecute] value of the uninstall-info copy with plain expansion; false when
// its expansion does not fit.
bool ReadShellValue(const RunState &state, const StringKey &key, char *out) {
    ReadSetupString(state.uninstallInfoCopy, key, out);
    return ExpandFolderVariables(out, state.editorFolder, state.macroFolder, kPlainExpansion);
}

// Opens the file the package names for after its setup, if any. A value whose expansion does
// not fit is not passed on cut short: nothing is opened then.
void OpenShellFile(const RunState &state) {
    char file[kPathSize];
    char parameters[kPathSize];
    char folder[kPathSize];
    if (ReadShellValue(state, kShellFileName, file) && file[0] != '\0' &&
        ReadShellValue(state, kShellParameters, parameters) &&
        ReadShellValue(state, kShellCurrentDir, folder))
        ShellExecuteA(nullptr, "open", file, parameters, folder, SW_SHOW);
}

} // namespace

void RunInstallSequence(RunState &state) {
    SequenceDialogs dialogs(InstanceOf(state));
    RunEnd end = kRunStopped;
    {
        Sequence sequence(state, dialogs);
        RunPlan plan;
        if (sequence.Plan(plan))
            end = sequence.CarryOut(plan);
    }
    dialogs.CloseProgress();
    if (end != kRunDone)
        return;
    ShowCompletion(state);
    OpenShellFile(state);
}

} // namespace aof
