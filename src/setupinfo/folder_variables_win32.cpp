#include "setupinfo/folder_variables_win32.h"

#include <windows.h>

namespace aof {

namespace {

// The platform gives these folders into buffers of MAX_PATH + 1 bytes.
constexpr UINT kWindowsFolderSize = 261;

// nullptr when the call fails or the folder does not fit its buffer.
const char *AskFolder(UINT(WINAPI *ask)(LPSTR, UINT), char *buffer) {
    UINT length = ask(buffer, kWindowsFolderSize);
    return length != 0 && length < kWindowsFolderSize ? buffer : nullptr;
}

} // namespace

bool ExpandFolderVariables(char *path, const char *editorFolder, const char *macroFolder,
                           ExpansionMode mode) {
    char windowsFolder[kWindowsFolderSize];
    char systemFolder[kWindowsFolderSize];
    FolderSet folders{macroFolder, editorFolder, nullptr, nullptr};
    FolderVariable variable = FindFolderVariable(path);
    if (variable == kWindowsDir)
        folders.windowsFolder = AskFolder(GetWindowsDirectoryA, windowsFolder);
    if (variable == kWinSysDir)
        folders.systemFolder = AskFolder(GetSystemDirectoryA, systemFolder);
    return ExpandFolderVariablesWith(path, folders, mode);
}

} // namespace aof
