// Where the editor is installed, where its macros live, and whether it is running.
#pragma once

#include <windows.h>

#include "editor/menu_table.h"
#include "editor/editor_processes.h"

namespace aof {

constexpr char kEditorWindowClass[] = "Aofude32Class";
constexpr DWORD kEditorExitWait = 5000;

enum EditorFolderReading { kEditorFound, kNoEditorKey, kEditorFolderUnusable };

// Reads the editor folder as FindEditorFolder does, without a message.
EditorFolderReading ReadEditorFolder(char **editorFolder);

// Gives the editor folder as a new heap string (malloc; *editorFolder is released first).
// False when neither registry view gives the editor's key or a usable UninstallString: the
// message has been shown and the run ends.
bool FindEditorFolder(HINSTANCE instance, char **editorFolder);

enum MacroFolderReading { kMacroFolderFound, kEnvKeyMissing, kMacroFolderOverLimit };

// Reads the macro folder as ResolveMacroFolder does, without a message.
MacroFolderReading ReadMacroFolder(const char *editorFolder, const ByteTable &menu,
                                   char *macroFolder, bool *macroFolderFlag);

// Gives the macro folder (kPathSize bytes) and sets *macroFolderFlag when the fallback folder
// must be prepared. False when the Env key cannot be opened or the folder does not fit (message
// shown, the run ends).
bool ResolveMacroFolder(const char *editorFolder, const ByteTable &menu, char *macroFolder,
                        bool *macroFolderFlag);

// Creates the fallback macro folder, stores it as MacroPath and moves the editor's *.MAC files
// into it. False when the run ends (message shown).
bool PrepareMacroFolder(const char *editorFolder, const char *macroFolder);

// True when a top-level window of the editor's class exists; the processes of those windows
// are added to *seen when it is given.
bool IsEditorRunning(EditorProcesses *seen = nullptr);

// Waits, at most kEditorExitWait milliseconds in all, until the processes seen have ended: the
// editor saves its menu as it quits, after its windows are gone.
void AwaitEditorProcesses(const EditorProcesses &seen);

} // namespace aof
