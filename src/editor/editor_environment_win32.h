// Where the editor is installed, where its macros live, and whether it is running.
#pragma once

#include <windows.h>

#include "editor/menu_table.h"
#include "editor/editor_processes.h"

namespace aof {

constexpr char kEditorWindowClass[] = "Aofude32Class";
constexpr DWORD kEditorExitWait = 5000;

enum EditorFolderReading { kEditorFound, kNoEditorKey, kEditorFolderUnusable };

// Gives the editor folder as a new heap string (malloc; *editorFolder is released first):
// found, or neither registry view gives the editor's key, or its UninstallString is unusable.
EditorFolderReading ReadEditorFolder(char **editorFolder);

enum MacroFolderReading { kMacroFolderFound, kEnvKeyMissing, kMacroFolderOverLimit };

// Gives the macro folder (kPathSize bytes) and sets *macroFolderFlag when the fallback folder
// must be prepared: found, or the Env key cannot be opened, or the folder does not fit.
MacroFolderReading ReadMacroFolder(const char *editorFolder, const ByteTable &menu,
                                   char *macroFolder, bool *macroFolderFlag);

enum MacroFolderPreparing { kMacroFolderPrepared, kMacroFolderNotMade, kMacroPathRefused };

// Creates the fallback macro folder, stores it as MacroPath and moves the editor's *.MAC files
// into it.
MacroFolderPreparing PrepareMacroFolder(const char *editorFolder, const char *macroFolder);

// True when a top-level window of the editor's class exists; the processes of those windows
// are added to *seen when it is given.
bool IsEditorRunning(EditorProcesses *seen = nullptr);

// Waits, at most kEditorExitWait milliseconds in all, until the processes seen have ended: the
// editor saves its menu as it quits, after its windows are gone.
void AwaitEditorProcesses(const EditorProcesses &seen);

} // namespace aof
