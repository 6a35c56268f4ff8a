#include "ui/stop_messages.h"

#include "common/text.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// Full-width katakana (code page 932 83 40 to 83 96); the program writes katakana half-width.
bool HasFullWidthKatakana(const char *text) {
    for (const char *p = text; *p != '\0'; p += aof::CharacterLength(p)) {
        auto lead = static_cast<unsigned char>(p[0]);
        auto trail = static_cast<unsigned char>(p[1]);
        if (lead == 0x83 && trail >= 0x40 && trail <= 0x96)
            return true;
    }
    return false;
}

int CountOf(const std::string &text, const std::string &piece) {
    int count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

bool EndsWith(const std::string &text, const char *end) {
    std::size_t length = std::strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

TEST(StopMessages, EachSaysWhatHappenedAndOneNextStepInHalfWidthKatakana) {
    for (int stop = 0; stop < aof::kStopCount; ++stop) {
        const aof::StopMessage &message = aof::kStopMessages[stop];
        SCOPED_TRACE(stop);
        // A step that "run again" follows ends in "て", the others are sentences of their own.
        EXPECT_EQ(message.runAgain, EndsWith(message.next, "て"));
        std::string next = message.next;
        if (message.runAgain)
            next += aof::kRunAgain;
        EXPECT_TRUE(EndsWith(next, "ください。")) << next;
        EXPECT_LE(CountOf(message.what, "%s"), 2);
        EXPECT_EQ(CountOf(message.what, "%"), CountOf(message.what, "%s"));
        EXPECT_FALSE(HasFullWidthKatakana(message.what));
        EXPECT_FALSE(HasFullWidthKatakana(next.c_str()));
        // A file is named by its real name, never a fixed "SETUP.AFU".
        EXPECT_EQ(std::string(message.what).find("SETUP.AFU"), std::string::npos);
        EXPECT_TRUE(message.icon == aof::kStopIcon || message.icon == aof::kWarningIcon);
    }
}

TEST(StopMessages, StopLinesSayWhetherAnythingWasChangedAndWhichRunStopped) {
    struct Line {
        const char *text;
        const char *run;
        const char *stop;
    };
    const Line lines[] = {
        {aof::kSetupCancelled, "ｾｯﾄｱｯﾌﾟ", "中止"},
        {aof::kUninstallCancelled, "ｱﾝｲﾝｽﾄｰﾙ", "中止"},
        {aof::kSetupInterruptedCopiesStay, "ｾｯﾄｱｯﾌﾟ", "中断"},
        {aof::kUninstallInterruptedFilesStay, "ｱﾝｲﾝｽﾄｰﾙ", "中断"},
        {aof::kUninstallInterruptedInDeletion, "ｱﾝｲﾝｽﾄｰﾙ", "中断"},
    };
    for (const Line &line : lines) {
        std::string text = line.text;
        EXPECT_EQ(CountOf(text, line.run), 1) << text;
        EXPECT_TRUE(EndsWith(text, (std::string(line.stop) + "します。").c_str())) << text;
        EXPECT_FALSE(HasFullWidthKatakana(line.text));
    }
}

} // namespace
