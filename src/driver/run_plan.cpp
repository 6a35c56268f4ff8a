#include "driver/run_plan.h"

#include "setupinfo/setup_info_keys.h"
#include "ui/stop_messages.h"

namespace aof {

static void Add(RunPlan &plan, StepKind kind, unsigned n = 0) {
    plan.steps[plan.count].kind = kind;
    plan.steps[plan.count].n = static_cast<unsigned char>(n);
    ++plan.count;
}

void PlanInstall(const InstallShape &shape, RunPlan &plan) {
    plan.count = 0;
    // The macro folder is prepared as the editor would prepare it: a run that ends after it
    // leaves an editor whose next run simply finds its macro folder there.
    if (shape.prepareMacroFolder)
        Add(plan, kPrepareMacroFolder);
    Add(plan, kMarkRun);
    Add(plan, kMakeFolders);
    Add(plan, kDeleteBeforeCopies);
    bool registers = !shape.update && !shape.filesOnly;
    for (unsigned n = 1; n <= shape.macroCount; ++n) {
        Add(plan, kCopyMacro, n);
        if (registers)
            Add(plan, kRegisterMacro, n);
    }
    for (unsigned n = 1; n <= shape.fileCount; ++n)
        Add(plan, kCopyFile, n);
    // The uninstall-info copy carries the other users' count over (an update leaves the count
    // at that); without it the install stops, before the program copy is made for nothing.
    Add(plan, kCopySetupInfo);
    Add(plan, kCopyProgram);
    if (!shape.update) {
        Add(plan, kStoreTables);
        Add(plan, kCountUser);
    }
    Add(plan, kRecordVersion);
    Add(plan, kListApp);
    Add(plan, kUnmarkRun);
}

void PlanUninstall(bool othersRemain, RunPlan &plan) {
    plan.count = 0;
    Add(plan, kMarkRun);
    Add(plan, kRemoveRegistration);
    Add(plan, kLowerCount);
    if (!othersRemain) {
        Add(plan, kAskFileDeletion);
        for (unsigned list = 0; list < 3; ++list)
            Add(plan, kDeleteListed, list);
        Add(plan, kRemoveFolders);
    }
    Add(plan, kDeleteApp);
    if (!othersRemain)
        Add(plan, kDeleteCopy);
    Add(plan, kDeleteRecord);
}

StopLine StopLineAfter(StopLine line, StepKind done, bool filesKept) {
    switch (done) {
    case kMarkRun: // the mark only makes the next run carry this one out
    case kAskFileDeletion:
    case kDeleteApp:
    case kDeleteRecord:
        return line;
    case kPrepareMacroFolder:
        return kLineMacroFolderMade;
    case kRemoveRegistration:
    case kLowerCount:
        return kLineFilesStay;
    case kDeleteListed:
    case kRemoveFolders:
        return filesKept ? line : kLineInDeletion;
    case kDeleteCopy:
        return filesKept ? line : kLineDeleted;
    default:
        return kLineCopiesStay; // an install's folders, deletions, copies and records
    }
}

const char *DeletedListSection(unsigned n) {
    const char *const lists[] = {kInstallMacros, kInstallFiles, kUnInstallFiles};
    return lists[n];
}

ListWalk DeletedListWalk(unsigned n) {
    return n < 2 ? kInstalledWalk : kDeletionWalk;
}

} // namespace aof
