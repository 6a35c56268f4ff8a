#include "driver/run_plan.h"

#include "ui/stop_messages.h"

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

// The stop line a failure of each step would show, one letter per step: s, u nothing changed
// (setup, uninstall), m the macro folder made, c copies stay, f files stay, i in the deletion,
// d deleted.
std::string ShowStopLines(const aof::RunPlan &plan, aof::StopLine line, bool filesKept) {
    std::string letters;
    for (unsigned i = 0; i < plan.count; ++i) {
        letters += "sumcfidg"[line];
        line = aof::StopLineAfter(line, plan.steps[i].kind, filesKept);
    }
    return letters;
}

TEST(RunPlan, AStopSaysWhatTheStepsCarriedOutLeave) {
    aof::RunPlan plan;
    aof::PlanInstall({false, false, true, 1, 0}, plan); // PMFDC1R1ipSuVAU
    EXPECT_EQ(ShowStopLines(plan, aof::kLineSetupCancelled, false), "smmcccccccccc");
    aof::PlanInstall({true, false, false, 1, 0}, plan); // MFDC1ipVAU
    EXPECT_EQ(ShowStopLines(plan, aof::kLineSetupCancelled, false), "ssccccccc");
    aof::PlanUninstall(false, plan); // Mrlqd0d1d2faxe
    EXPECT_EQ(ShowStopLines(plan, aof::kLineUninstallCancelled, false), "uufffiiiiid");
    EXPECT_EQ(ShowStopLines(plan, aof::kLineUninstallCancelled, true), "uufffffffff");
    aof::PlanUninstall(true, plan); // Mrlae
    EXPECT_EQ(ShowStopLines(plan, aof::kLineUninstallCancelled, false), "uufff");
}

} // namespace
