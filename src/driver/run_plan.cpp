#include "driver/run_plan.h"

namespace aof {

static void Add(RunPlan &plan, StepKind kind, unsigned n = 0) {
    plan.steps[plan.count].kind = kind;
    plan.steps[plan.count].n = static_cast<unsigned char>(n);
    ++plan.count;
}

void PlanInstall(const InstallShape &shape, RunPlan &plan) {
    plan.count = 0;
    if (shape.prepareMacroFolder)
        Add(plan, kPrepareMacroFolder);
    Add(plan, kOpenRecord);
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
    Add(plan, kCopyProgram);
    Add(plan, kCopySetupInfo);
    if (!shape.update)
        Add(plan, kStoreTables);
    Add(plan, kCountUser);
    Add(plan, kRecordVersion);
    Add(plan, kListApp);
}

void PlanUninstall(bool othersRemain, RunPlan &plan) {
    plan.count = 0;
    Add(plan, kRemoveRegistration);
    Add(plan, kDeleteRecord);
    Add(plan, kDeleteApp);
    Add(plan, kLowerCount);
    if (othersRemain)
        return;
    Add(plan, kAskFileDeletion);
    for (unsigned list = 0; list < 3; ++list)
        Add(plan, kDeleteListed, list);
    Add(plan, kRemoveFolders);
    Add(plan, kDeleteCopy);
}

} // namespace aof
