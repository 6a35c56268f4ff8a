// What a run does with the package, and the texts that ask the user to confirm it.
#pragma once

#include "ui/message_texts.h"

#include <cstddef>

namespace aof {

enum SetupMode { kNewInstall, kUpdate, kUninstall, kNewerInstalled };

// recordedVersion: the record's "MacroVersion" (only tested for non-zero); installedVersion:
// MacroVersion of the uninstall-info copy; macroVersion: that of the file being run.
SetupMode DecideMode(unsigned recordedVersion, unsigned installedVersion, unsigned macroVersion);

// A new install with no group that has room copies the files only.
bool IsFilesOnlyInstall(bool updateFlag, int chosenGroup);

// What one pass of the start-up reading decided, as its confirmation states it. The run's
// flags (and the macro-folder flag) are always those of the last pass, the one the sequence
// works on, never left over from an earlier pass.
struct PassDecision {
    SetupMode mode; // kNewInstall, kUpdate or kUninstall
    bool filesOnly; // a new install without room in the macro menu
};

PassDecision DecidePass(SetupMode mode, int chosenGroup);

// Whether a pass must ask the user. Every pass asks until the editor has been found closed;
// the pass read after that asks only when it decided otherwise than the confirmation the user
// accepted (the editor saving its menu as it closed, or another setup, changed what the
// registry says): a run never does what the user has not confirmed.
bool MustConfirm(bool editorFoundClosed, const PassDecision &pass, const PassDecision &confirmed);

constexpr std::size_t Longer(std::size_t a, std::size_t b) {
    return a > b ? a : b;
}

// SetupName (at most 127 bytes) followed by the longest fixed piece.
constexpr std::size_t kConfirmationSize =
    127 + Longer(Longer(sizeof kConfirmFilesOnly, sizeof kConfirmUninstall),
                 Longer(sizeof kConfirmInstall + sizeof kConfirmQuitEditors,
                        sizeof kNewerVersionInstalled));

// Each writes into out of kConfirmationSize bytes.
void ComposeInstallConfirmation(char *out, const char *setupName, bool updateFlag, bool filesOnly);
void ComposeUninstallConfirmation(char *out, const char *setupName);
void ComposeNewerVersionMessage(char *out, const char *setupName);

} // namespace aof
