// What a confirmed run does, step by step, in the order it does it. SETUP.EXE carries the steps
// out one after the other (driver/sequence_win32.h) and AFUCHECK /PLAN prints them. The plan
// is pure data, built the same on every platform.
//
// Every run begins by marking itself as in progress in the package record and ends by taking
// the mark away (record/run_marker.h); the next run of a package whose run ended in between
// carries out the same plan again. So every step either gives the same result a second time
// or finds its work done, and the steps are ordered so that no state in between misleads the
// next run: an uninstall keeps the record until its files are gone, an install records its
// version only after the editor's tables are stored.
#pragma once

#include "setupinfo/entry_walk.h"

namespace aof {

enum StepKind : unsigned char {
    // Every run.
    kMarkRun, // the package record created or opened, and the run marked as in progress
    // An install, update or files-only install.
    kPrepareMacroFolder, // the fallback macro folder made and stored as MacroPath (first)
    kMakeFolders,        // the folders of [Make Directory], in listed order
    kDeleteBeforeCopies, // the files of [Delete Files on Install]
    kCopyMacro,          // the file of entry n of [Install Macros]
    kRegisterMacro,      // macro n in its menu slot (in memory) and its slot recorded
    kCopyFile,           // the file of entry n of [Install Files]
    kCopySetupInfo,      // the uninstall-info copy, with the other users' count
    kCopyProgram,        // the program copy
    kStoreTables,        // the editor's menu tables stored, the chosen sub-menu named
    kCountUser,          // this user added to the installed-user count
    kRecordVersion,      // MacroVersion recorded
    kListApp,            // the package's entry among the user's installed apps
    kUnmarkRun,          // the mark taken away: the install is complete
    // An uninstall.
    kRemoveRegistration, // the package's menu entries and sub-menu name taken out, stored
    kLowerCount,         // this user taken out of the installed-user count
    kAskFileDeletion,    // the user asked whether the files go; when not, the files, folders
                         // and copy stay and the other steps go on
    kDeleteListed,       // the files list n deletes: 0 [Install Macros], 1 [Install Files],
                         // 2 [UnInstall Files]
    kRemoveFolders,      // the folders of [Make Directory], in reverse order
    kDeleteApp,          // the installed-apps entry deleted
    kDeleteCopy,         // the uninstall-info copy
    kDeleteRecord,       // the package record deleted, the mark with it: the uninstall is done
};

struct RunStep {
    StepKind kind;
    unsigned char n; // the entry or list of the step, where it has one
};

// The longest plan: an install of ten macros and ten files.
constexpr unsigned kMaxRunSteps = 48;

struct RunPlan {
    RunStep steps[kMaxRunSteps];
    unsigned count;
};

// What the install's plan depends on.
struct InstallShape {
    bool update;             // the menu and the count stay as they are
    bool filesOnly;          // no room in the menu: no menu entries
    bool prepareMacroFolder; // the fallback macro folder is to be made
    unsigned macroCount;     // entries of [Install Macros], 1 to 10
    unsigned fileCount;      // entries of [Install Files], 0 to 10
};

void PlanInstall(const InstallShape &shape, RunPlan &plan);

// othersRemain: other users still have the package, so its files stay without a question.
void PlanUninstall(bool othersRemain, RunPlan &plan);

// The list a kDeleteListed step n deletes from, and the walk it takes: of the install lists
// only what an install copied goes; [UnInstall Files] is the package's own list of files to
// delete.
const char *DeletedListSection(unsigned n);
ListWalk DeletedListWalk(unsigned n);

enum StopLine : unsigned char; // ui/stop_messages.h

// What a run that stops now leaves, once the step done has been carried out: line is what it
// left before (at first kLineSetupCancelled or kLineUninstallCancelled). filesKept: an
// uninstall whose files stay (the user chose so), whose deletion steps delete nothing.
StopLine StopLineAfter(StopLine line, StepKind done, bool filesKept);

} // namespace aof
