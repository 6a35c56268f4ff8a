// This machine's editor environment, read as the setup program reads it at start-up, without
// a message and without writing anything: the checker's paths and /PLAN build on it.
#pragma once

#include "editor/menu_table.h"
#include "setupinfo/path_compose.h"

namespace aof {

constexpr unsigned kSystemFolderSize = 261;

struct Machine {
    bool tablesRead;       // the editor's menu tables could be read (else SETUP.EXE stops)
    bool editorInstalled;  // the editor's folder is known
    bool macroFolderKnown; // and so is its macro folder
    bool macroFolderFlag;  // the fallback macro folder would be created by an install
    char *editorFolder;    // heap
    ByteTable groupNames;
    ByteTable macroMenu;
    char macroFolder[kPathSize];
    char windowsFolder[kSystemFolderSize];
    char systemFolder[kSystemFolderSize];
};

// Never fails: a missing editor, an unreadable table or macro folder is told by the flags.
void ReadMachine(Machine &machine);
void ReleaseMachine(Machine &machine);

// The folders the variables stand for; nullptr for those the machine does not have.
FolderSet FoldersOf(const Machine &machine);

} // namespace aof
