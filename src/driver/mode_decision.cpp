#include "driver/mode_decision.h"

#include "common/text.h"
#include "editor/menu_table.h"

namespace aof {

SetupMode DecideMode(unsigned recordedVersion, unsigned installedVersion, unsigned macroVersion) {
    if (recordedVersion == 0 || installedVersion == 0)
        return kNewInstall;
    if (installedVersion == macroVersion)
        return kUninstall;
    return installedVersion > macroVersion ? kNewerInstalled : kUpdate;
}

bool IsFilesOnlyInstall(bool updateFlag, int chosenGroup) {
    return !updateFlag && chosenGroup == kNoGroupWithRoom;
}

PassDecision DecidePass(SetupMode mode, int chosenGroup) {
    PassDecision pass;
    pass.mode = mode;
    pass.filesOnly = mode != kUninstall && IsFilesOnlyInstall(mode == kUpdate, chosenGroup);
    return pass;
}

bool MustConfirm(bool editorFoundClosed, const PassDecision &pass, const PassDecision &confirmed) {
    return !editorFoundClosed || pass.mode != confirmed.mode ||
           pass.filesOnly != confirmed.filesOnly;
}

static void ComposeMessage(char *out, const char *setupName, const char *first,
                           const char *second) {
    CopyText(out, kConfirmationSize, setupName);
    AppendTextCut(out, kConfirmationSize, first);
    AppendTextCut(out, kConfirmationSize, second);
}

void ComposeInstallConfirmation(char *out, const char *setupName, bool updateFlag, bool filesOnly) {
    if (filesOnly)
        ComposeMessage(out, setupName, kConfirmFilesOnly, "");
    else
        ComposeMessage(out, setupName, updateFlag ? kConfirmUpdate : kConfirmInstall,
                       kConfirmQuitEditors);
}

void ComposeUninstallConfirmation(char *out, const char *setupName) {
    ComposeMessage(out, setupName, kConfirmUninstall, "");
}

void ComposeNewerVersionMessage(char *out, const char *setupName) {
    ComposeMessage(out, setupName, kNewerVersionInstalled, "");
}

} // namespace aof
