#include "driver/confirmation_win32.h"
#include "driver/run_state_win32.h"

#include "driver/mode_decision.h"
#include "editor/editor_environment_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

// After the user's OK while the editor was running at start: every pass reads the registry
// again; once no editor window is left and the editor's processes have ended (it stores its
// menu as it quits), the last pass goes on without asking.
static Confirmation AwaitEditorsClosed(RunState &state, const char *caption) {
    if (IsEditorRunning(&state.editorProcesses)) {
        ShowMessageBoxCaptioned(caption, kCloseAllEditors, MB_ICONINFORMATION);
    } else {
        AwaitEditorProcesses(state.editorProcesses);
        state.editorState = EditorClosed;
    }
    return kConfirmReadAgain;
}

// A run that sets the editor's tables right does so only once the editor is known to be
// closed: an editor started meanwhile would store its own menu over the repair as it quits.
static void NoteEditorBeforeRepair(RunState &state) {
    if (state.repairing && state.editorState == EditorNotRunning &&
        IsEditorRunning(&state.editorProcesses))
        state.editorState = EditorRunning;
}

// False only for the pass read after the editor closed when it decided as the user confirmed.
static bool MustAsk(const RunState &state, SetupMode mode) {
    PassDecision pass = {mode, state.filesOnlyFlag};
    return MustConfirm(state.editorState == EditorClosed, pass, state.confirmed);
}

// What the user has just accepted, for the passes that follow.
static void NoteConfirmed(RunState &state, SetupMode mode) {
    state.confirmed.mode = mode;
    state.confirmed.filesOnly = state.filesOnlyFlag;
}

Confirmation ConfirmInstall(RunState &state) {
    SetupMode mode = state.updateFlag ? kUpdate : kNewInstall;
    if (!MustAsk(state, mode))
        return kConfirmGoOn;
    char text[kConfirmationSize];
    ComposeInstallConfirmation(text, state.setupName, state.updateFlag, state.filesOnlyFlag);
    if (ShowSetupMessage(InstanceOf(state), text, kOkCancelForm) != IDOK) {
        ShowMessageBox(kSetupCancelled, MB_ICONINFORMATION);
        return kConfirmStopped;
    }
    NoteConfirmed(state, mode);
    NoteEditorBeforeRepair(state);
    if (!state.updateFlag && state.editorState == EditorRunning)
        return AwaitEditorsClosed(state, kCaption);
    return kConfirmGoOn;
}

Confirmation ConfirmUninstall(RunState &state) {
    if (!MustAsk(state, kUninstall))
        return kConfirmGoOn;
    char text[kConfirmationSize];
    ComposeUninstallConfirmation(text, state.setupName);
    do {
        if (ShowUninstallMessage(InstanceOf(state), text, kOkCancelForm) != IDOK) {
            ShowMessageBox(kUninstallCancelled, MB_ICONINFORMATION);
            return kConfirmStopped;
        }
    } while (ShowMessageBox(kReallyRemoveRegistration, MB_YESNO | MB_ICONQUESTION) != IDYES);
    NoteConfirmed(state, kUninstall);
    NoteEditorBeforeRepair(state);
    if (state.editorState == EditorRunning)
        return AwaitEditorsClosed(state, kUninstallCaption);
    return kConfirmGoOn;
}

} // namespace aof
