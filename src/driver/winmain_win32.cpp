// Entry point of SETUP.EXE: one flow from the start-up checks to the install or the uninstall.
#include <windows.h>

#include "common/library_search_win32.h"
#include "common/text.h"
#include "driver/confirmation_win32.h"
#include "driver/sequences_win32.h"
#include "driver/startup_paths.h"
#include "driver/startup_reading_win32.h"
#include "editor/editor_environment_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

static bool IsWin32s() {
    OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version; // 148 (checked with the structure sizes)
    // A failed call leaves the structure unknown: only a reported Win32s is refused.
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32s;
}

// Reads, confirms and reads again until the user has confirmed with every editor closed (or
// the editor was not running at start), then hands over to the sequence.
static void RunSetup(RunState &state, const char *commandLine) {
    for (;;) {
        StartupResult mode = ReadStartup(state, commandLine);
        if (mode == kStartupStopped)
            return;
        Confirmation answer =
            mode == kStartupUninstall ? ConfirmUninstall(state) : ConfirmInstall(state);
        if (answer == kConfirmStopped)
            return;
        if (answer == kConfirmGoOn) {
            if (mode == kStartupUninstall)
                RunUninstallSequence(state);
            else
                RunInstallSequence(state);
            return;
        }
    }
}

} // namespace aof

// The command line WinMain is given is not used: MinGW's start-up code finds the end of the
// program name testing signed bytes, so an unquoted name holding a Japanese character (集 is
// 8F 57) loses its end into the argument.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    aof::RestrictLibrarySearch();
    // Paths from the ANSI functions are in the system's code page, not always 932.
    CPINFO codePage;
    if (GetCPInfo(CP_ACP, &codePage))
        aof::UseLeadByteRanges(codePage.LeadByte);
    const char *commandLine = GetCommandLineA();
    aof::RunState state = {}; // flags false, no heap blocks yet
    state.instance = instance;
    state.editorState =
        aof::IsEditorRunning(&state.editorProcesses) ? aof::EditorRunning : aof::EditorNotRunning;
    if (aof::IsWin32s())
        aof::ShowMessageBox(aof::kWin32sRefused, MB_OK);
    else
        aof::RunSetup(state, aof::SkipProgramName(commandLine != nullptr ? commandLine : ""));
    aof::ReleaseRunState(state);
    return 0;
}
