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
        std::string both = std::string(message.what) + next;
        EXPECT_LE(CountOf(both, "%s"), 2);
        EXPECT_EQ(CountOf(both, "%"), CountOf(both, "%s"));
        EXPECT_FALSE(HasFullWidthKatakana(message.what));
        EXPECT_FALSE(HasFullWidthKatakana(next.c_str()));
        // A file is named by its real name, never a fixed "SETUP.AFU".
        EXPECT_EQ(std::string(message.what).find("SETUP.AFU"), std::string::npos);
        EXPECT_TRUE(message.icon == aof::kStopIcon || message.icon == aof::kWarningIcon ||
                    message.icon == aof::kInformationIcon);
    }
}

TEST(StopMessages, ComposeWhatNextAndStopLineWithTheNamesInTheirPlaces) {
    char text[aof::kStopTextSize];
    // A name is taken as it is, a "%s" in it too; the longest paths fit whole.
    std::string longPath = "C:\\" + std::string(aof::kPathSize - 4, 'a');
    aof::ComposeStopMessage(text, aof::kStopProgramCopyFailed, aof::kLineSetupGoesOn,
                            longPath.c_str(), "D:\\pkg\\%s.EXE");
    EXPECT_EQ(std::string(text), "'" + longPath +
                                     "'\n\nｱﾝｲﾝｽﾄｰﾙに使うﾌﾟﾛｸﾞﾗﾑのｺﾋﾟｰを作れませんでした。\n"
                                     "ｱﾝｲﾝｽﾄｰﾙするときは、\n'D:\\pkg\\%s.EXE'\n"
                                     "をもう一度実行してください。\n\nｾｯﾄｱｯﾌﾟは続けます。");
    aof::ComposeStopMessage(text, aof::kStopRecordUnwritable, aof::kLineCopiesStay);
    EXPECT_STREQ(text, "ﾚｼﾞｽﾄﾘの Brenlo\\AofMacroSetup ｷｰに書き込めません。\n"
                       "このｷｰのｱｸｾｽ権を確認してから、もう一度実行してください。\n\n"
                       "ｺﾋﾟｰしたﾌｧｲﾙは残したまま、ｾｯﾄｱｯﾌﾟを中断します。");
}

TEST(StopMessages, StopLinesSayWhetherAnythingWasChangedAndWhichRunStopped) {
    struct Line {
        const char *run;
        const char *end;
    };
    const Line lines[aof::kLineCount] = {
        {"ｾｯﾄｱｯﾌﾟ", "を中止します。"},  {"ｱﾝｲﾝｽﾄｰﾙ", "を中止します。"},
        {"ｾｯﾄｱｯﾌﾟ", "を中断します。"},  {"ｾｯﾄｱｯﾌﾟ", "を中断します。"},
        {"ｱﾝｲﾝｽﾄｰﾙ", "を中断します。"}, {"ｱﾝｲﾝｽﾄｰﾙ", "を中断します。"},
        {"ｱﾝｲﾝｽﾄｰﾙ", "を中断します。"}, {"ｾｯﾄｱｯﾌﾟ", "は続けます。"},
    };
    for (int line = 0; line < aof::kLineCount; ++line) {
        std::string text = aof::kStopLines[line];
        EXPECT_EQ(CountOf(text, lines[line].run), 1) << text;
        EXPECT_TRUE(EndsWith(text, lines[line].end)) << text;
        EXPECT_FALSE(HasFullWidthKatakana(text.c_str()));
    }
}

} // namespace
