// The state of one run: every path, flag and table the start-up reading derives.
#pragma once

#include "common/text.h"
#include "driver/mode_decision.h"
#include "editor/editor_processes.h"
#include "editor/menu_table.h"

namespace aof {

enum EditorState { EditorNotRunning = 0, EditorRunning = 1, EditorClosed = 2 };

struct RunState {
    void *instance; // the module instance (HINSTANCE)
    int editorState;
    EditorProcesses editorProcesses; // those of the editor windows seen
    // The flags of the last pass of the start-up reading (see DecidePass).
    SetupMode mode; // kNewInstall, kUpdate or kUninstall
    bool updateFlag;
    bool filesOnlyFlag;
    bool macroFolderFlag;
    PassDecision confirmed; // what the user last accepted
    int overwriteAll;

    char *editorFolder; // heap, from the editor's UninstallString
    EditorTables tables;

    char setupInfoPath[kPathSize];
    char programFile[kPathSize];
    char setupFolder[kPathSize];
    char macroFolder[kPathSize];
    char uninstallInfoFolder[kPathSize];
    char uninstallInfoCopy[kPathSize];
    char programCopy[kPathSize];

    char setupName[128];
    char internalName[256];
    unsigned macroVersion;
    char recordKeyPath[kPathSize];

    int macroCount;
    int chosenGroup;
    unsigned slotList[kMaxMacros];

    void *runLock;  // the package's run lock (HANDLE), held from the first pass on; the end
                    // of the process lets go of it
    bool resuming;  // a run of this package that ended early is carried out again
    bool repairing; // the editor's tables are to be set right: resuming, or an earlier install's
                    // menu entries were taken out to be given again
    unsigned users; // the installed-user count before the run (when resuming, the marker's)
};

// Frees the heap blocks (editor folder and the tables); safe to call more than once.
void ReleaseRunState(RunState &state);

} // namespace aof
