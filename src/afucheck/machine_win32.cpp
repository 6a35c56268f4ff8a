#include "afucheck/machine_win32.h"

#include "editor/editor_environment_win32.h"
#include "editor/menu_registry_win32.h"

#include <cstdlib>
#include <windows.h>

namespace aof {

namespace {

void AskFolder(UINT(WINAPI *ask)(LPSTR, UINT), char *buffer) {
    UINT length = ask(buffer, kSystemFolderSize);
    if (length == 0 || length >= kSystemFolderSize)
        buffer[0] = '\0';
}

// The system folder where the shipped SETUP.EXE's files land, whichever build of the checker
// runs: SETUP.EXE is a 32-bit program, and on 64-bit Windows what a 32-bit program writes to
// the system folder goes to the 32-bit one (SysWOW64). 32-bit Windows has no such folder.
UINT WINAPI AskShippedSystemFolder(LPSTR buffer, UINT size) {
    UINT length = GetSystemWow64DirectoryA(buffer, size);
    return length != 0 ? length : GetSystemDirectoryA(buffer, size);
}

const char *KnownOrNull(bool known, const char *folder) {
    return known && folder[0] != '\0' ? folder : nullptr;
}

} // namespace

void ReadMachine(Machine &machine) {
    machine = Machine{};
    AskFolder(GetWindowsDirectoryA, machine.windowsFolder);
    AskFolder(AskShippedSystemFolder, machine.systemFolder);
    machine.tablesRead =
        LoadGroupNameTable(machine.groupNames) && LoadMacroMenuTable(machine.macroMenu);
    machine.editorInstalled = ReadEditorFolder(&machine.editorFolder) == kEditorFound;
    machine.macroFolderKnown =
        machine.editorInstalled && machine.tablesRead &&
        ReadMacroFolder(machine.editorFolder, machine.macroMenu, machine.macroFolder,
                        &machine.macroFolderFlag) == kMacroFolderFound;
}

void ReleaseMachine(Machine &machine) {
    std::free(machine.editorFolder);
    machine.editorFolder = nullptr;
    ReleaseTable(machine.groupNames);
    ReleaseTable(machine.macroMenu);
}

FolderSet FoldersOf(const Machine &machine) {
    return {KnownOrNull(machine.macroFolderKnown, machine.macroFolder),
            KnownOrNull(machine.editorInstalled,
                        machine.editorFolder != nullptr ? machine.editorFolder : ""),
            KnownOrNull(true, machine.windowsFolder), KnownOrNull(true, machine.systemFolder)};
}

} // namespace aof
