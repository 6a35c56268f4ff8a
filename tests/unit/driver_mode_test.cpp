#include "driver/mode_decision.h"
#include "editor/menu_table.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(ModeDecision, RecordAndInstalledVersionDecide) {
    EXPECT_EQ(aof::DecideMode(0, 0, 3), aof::kNewInstall);
    EXPECT_EQ(aof::DecideMode(0, 3, 3), aof::kNewInstall); // another user's copy, no record
    EXPECT_EQ(aof::DecideMode(5, 0, 3), aof::kNewInstall); // copy missing or without version
    EXPECT_EQ(aof::DecideMode(1, 3, 3), aof::kUninstall);
    EXPECT_EQ(aof::DecideMode(3, 4, 3), aof::kNewerInstalled);
    EXPECT_EQ(aof::DecideMode(3, 2, 3), aof::kUpdate);
    // The versions compare unsigned.
    EXPECT_EQ(aof::DecideMode(1, 0x80000000u, 1), aof::kNewerInstalled);
    EXPECT_EQ(aof::DecideMode(1, 1, 0xFFFFFFFFu), aof::kUpdate);
}

TEST(ModeDecision, OnlyANewInstallWithoutRoomCopiesFilesOnly) {
    EXPECT_TRUE(aof::IsFilesOnlyInstall(false, aof::kNoGroupWithRoom));
    EXPECT_FALSE(aof::IsFilesOnlyInstall(false, 7));
    EXPECT_FALSE(aof::IsFilesOnlyInstall(false, 0));
    EXPECT_FALSE(aof::IsFilesOnlyInstall(true, aof::kNoGroupWithRoom));
}

std::string Install(const char *name, bool update, bool filesOnly) {
    char out[aof::kConfirmationSize];
    aof::ComposeInstallConfirmation(out, name, update, filesOnly);
    return out;
}

TEST(ConfirmationText, NameIsFollowedByThePiecesOfTheMode) {
    const std::string quit = aof::kConfirmQuitEditors;
    EXPECT_EQ(Install("ｿｰﾄ", false, false), "ｿｰﾄ" + std::string(aof::kConfirmInstall) + quit);
    EXPECT_EQ(Install("ｿｰﾄ", true, false), "ｿｰﾄ" + std::string(aof::kConfirmUpdate) + quit);
    EXPECT_EQ(Install("ｿｰﾄ", false, true), "ｿｰﾄ" + std::string(aof::kConfirmFilesOnly));

    char out[aof::kConfirmationSize];
    aof::ComposeUninstallConfirmation(out, "表計算");
    EXPECT_EQ(std::string(out), "表計算" + std::string(aof::kConfirmUninstall));
    aof::ComposeNewerVersionMessage(out, "表計算");
    EXPECT_EQ(std::string(out), "表計算" + std::string(aof::kNewerVersionInstalled));
}

TEST(ConfirmationText, WithoutNameTheTextBeginsWithTwoLineBreaks) {
    EXPECT_EQ(Install("", false, false).rfind("\n\nをｾｯﾄｱｯﾌﾟして", 0), 0u);
    EXPECT_EQ(Install("", true, false).rfind("\n\nをｱｯﾌﾟﾃﾞｰﾄします。", 0), 0u);
    char out[aof::kConfirmationSize];
    aof::ComposeUninstallConfirmation(out, "");
    EXPECT_STREQ(out, aof::kConfirmUninstall);
}

TEST(ConfirmationText, LongestNameIsNeverCut) {
    std::string name(127, 'N');
    for (bool update : {false, true})
        for (bool filesOnly : {false, true}) {
            std::string text = Install(name.c_str(), update, filesOnly);
            EXPECT_EQ(text.rfind(name, 0), 0u);
            const std::string end = "よろしいですか？";
            EXPECT_EQ(text.substr(text.size() - end.size()), end) << update << filesOnly;
        }
}

} // namespace
