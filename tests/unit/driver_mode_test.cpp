#include "driver/mode_decision.h"
#include "editor/menu_table.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

// Start-up passes of one run, as the driver goes through them: every pass asks until the
// editor has been found closed; the flags are always the last pass's own.
struct Pass {
    bool editorFoundClosed;
    aof::SetupMode mode;
    int chosenGroup;
    bool asks; // expected
};

struct PassSequence {
    const char *what;
    std::vector<Pass> passes;
    bool filesOnly, update; // expected flags of the run
};

TEST(StartupPasses, FlagsAreThoseOfThePassTheUserConfirmed) {
    const int none = aof::kNoGroupWithRoom;
    const aof::SetupMode fresh = aof::kNewInstall, update = aof::kUpdate, remove = aof::kUninstall;
    const PassSequence sequences[] = {
        {"editor not running: one pass", {{false, fresh, 1, true}}, false, false},
        {"files only, then the menu: the last confirmation wins",
         {{false, fresh, none, true}, {false, fresh, 1, true}, {true, fresh, 1, false}},
         false,
         false},
        {"menu, then files only",
         {{false, fresh, 1, true}, {false, fresh, none, true}, {true, fresh, none, false}},
         true,
         false},
        {"menu room gone after the close: asked again, files only",
         {{false, fresh, 1, true}, {true, fresh, none, true}},
         true,
         false},
        {"menu room found after the close: asked again, the menu",
         {{false, fresh, none, true}, {true, fresh, 2, true}},
         false,
         false},
        {"another group after the close is the same decision",
         {{false, fresh, 1, true}, {true, fresh, 2, false}},
         false,
         false},
        {"installed meanwhile: the uninstall is asked, not done",
         {{false, fresh, 1, true}, {true, remove, 1, true}},
         false,
         false},
        {"removed meanwhile: the new install is asked",
         {{false, remove, 1, true}, {true, fresh, 1, true}},
         false,
         false},
        {"an older version installed meanwhile: the update is asked",
         {{false, fresh, none, true}, {true, update, none, true}},
         false,
         true},
        {"uninstall confirmed twice",
         {{false, remove, 1, true}, {false, remove, 1, true}, {true, remove, none, false}},
         false,
         false},
    };
    for (const PassSequence &sequence : sequences) {
        aof::PassDecision confirmed = {};
        aof::PassDecision pass = {};
        for (std::size_t i = 0; i < sequence.passes.size(); ++i) {
            const Pass &p = sequence.passes[i];
            pass = aof::DecidePass(p.mode, p.chosenGroup);
            bool asks = aof::MustConfirm(p.editorFoundClosed, pass, confirmed);
            EXPECT_EQ(asks, p.asks) << sequence.what << ", pass " << i + 1;
            if (asks)
                confirmed = pass;
        }
        EXPECT_EQ(pass.filesOnly, sequence.filesOnly) << sequence.what;
        EXPECT_EQ(pass.mode == aof::kUpdate, sequence.update) << sequence.what;
    }
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
