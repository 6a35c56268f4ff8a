#include "driver/confirmation_win32.h"
#include "driver/run_state_win32.h"

#include "driver/mode_decision.h"
#include "editor/editor_environment_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

// After the user's OK while the editor was running at start: every pass reads the registry
// again; once no editor window is left, the last pass goes on without asking.
static Confirmation AwaitEditorsClosed(RunState &state, const char *caption) {
    if (IsEditorRunning())
        ShowMessageBoxCaptioned(caption, kCloseAllEditors, MB_ICONINFORMATION);
    else
        state.editorState = EditorClosed;
    return kConfirmReadAgain;
}

Confirmation ConfirmInstall(RunState &state) {
    if (state.editorState == EditorClosed)
        return kConfirmGoOn;
    bool filesOnly = IsFilesOnlyInstall(state.updateFlag, state.chosenGroup);
    state.filesOnlyFlag = state.filesOnlyFlag || filesOnly;
    char text[kConfirmationSize];
    ComposeInstallConfirmation(text, state.setupName, state.updateFlag, filesOnly);
    if (ShowSetupMessage(InstanceOf(state), text, kOkCancelForm) != IDOK) {
        ShowMessageBox(kSetupCancelled, MB_ICONINFORMATION);
        return kConfirmStopped;
    }
    if (!state.updateFlag && state.editorState == EditorRunning)
        return AwaitEditorsClosed(state, kCaption);
    return kConfirmGoOn;
}

Confirmation ConfirmUninstall(RunState &state) {
    if (state.editorState == EditorClosed)
        return kConfirmGoOn;
    char text[kConfirmationSize];
    ComposeUninstallConfirmation(text, state.setupName);
    do {
        if (ShowUninstallMessage(InstanceOf(state), text, kOkCancelForm) != IDOK) {
            ShowMessageBox(kUninstallCancelled, MB_ICONINFORMATION);
            return kConfirmStopped;
        }
    } while (ShowMessageBox(kReallyRemoveRegistration, MB_YESNO | MB_ICONQUESTION) != IDYES);
    if (state.editorState == EditorRunning)
        return AwaitEditorsClosed(state, kUninstallCaption);
    return kConfirmGoOn;
}

} // namespace aof
