#include "driver/run_plan.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The plan in short: one letter per step, the entry or list number after a copy, a
// registration or a deletion.
std::string Show(const aof::RunPlan &plan) {
    const char letters[] = "MPFDCRcipSuVAUrlqdfaxe";
    std::string text;
    for (unsigned i = 0; i < plan.count; ++i) {
        const aof::RunStep &step = plan.steps[i];
        text += letters[step.kind];
        if (step.kind == aof::kCopyMacro || step.kind == aof::kRegisterMacro ||
            step.kind == aof::kCopyFile || step.kind == aof::kDeleteListed)
            text += std::to_string(step.n);
    }
    return text;
}

TEST(RunPlan, InstallsMarkFirstAndRecordTheVersionLast) {
    struct Row {
        aof::InstallShape shape;
        const char *plan;
    } rows[] = {
        {{false, false, false, 2, 1}, "MFDC1R1C2R2c1ipSuVAU"},
        {{false, false, true, 1, 0}, "PMFDC1R1ipSuVAU"},
        {{false, true, false, 1, 2}, "MFDC1c1c2ipSuVAU"}, // files only: tables stored unchanged
        {{true, false, false, 2, 0}, "MFDC1C2ipVAU"},     // update: menu and count as they are
    };
    for (const Row &row : rows) {
        aof::RunPlan plan;
        aof::PlanInstall(row.shape, plan);
        EXPECT_EQ(Show(plan), row.plan);
    }
    aof::RunPlan longest;
    aof::PlanInstall({false, false, true, 10, 10}, longest);
    EXPECT_LE(longest.count, aof::kMaxRunSteps);
}

TEST(RunPlan, UninstallsKeepTheRecordUntilTheFilesAreGone) {
    aof::RunPlan plan;
    aof::PlanUninstall(false, plan);
    EXPECT_EQ(Show(plan), "Mrlqd0d1d2faxe");
    aof::PlanUninstall(true, plan);
    EXPECT_EQ(Show(plan), "Mrlae");
}

} // namespace
