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

const char *KnownOrNull(bool known, const char *folder) {
    return known && folder[0] != '\0' ? folder : nullptr;
}

} // namespace

void ReadMachine(Machine &machine) {
    machine = Machine{};
    AskFolder(GetWindowsDirectoryA, machine.windowsFolder);
    AskFolder(GetSystemDirectoryA, machine.systemFolder);
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
