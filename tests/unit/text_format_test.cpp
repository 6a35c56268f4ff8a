#include "ui/text_format.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Grouped(const char *digits, std::size_t capacity = 32) {
    char buffer[64];
    std::strcpy(buffer, digits);
    aof::GroupThousands(buffer, capacity);
    return buffer;
}

TEST(GroupThousands, SeparatesGroupsOfThreeFromTheRight) {
    EXPECT_EQ(Grouped("0"), "0");
    EXPECT_EQ(Grouped("999"), "999");
    EXPECT_EQ(Grouped("1000"), "1,000");
    EXPECT_EQ(Grouped("123456"), "123,456");
    EXPECT_EQ(Grouped("1234567"), "1,234,567");
    EXPECT_EQ(Grouped("4294967"), "4,294,967");
    EXPECT_EQ(Grouped(""), "");
}

TEST(GroupThousands, SizesBeyondThirtyTwoBits) {
    EXPECT_EQ(Grouped("4294967296"), "4,294,967,296");
    EXPECT_EQ(Grouped("18446744073709551615"), "18,446,744,073,709,551,615");
}

TEST(GroupThousands, ResultThatDoesNotFitIsLeftUnchanged) {
    EXPECT_EQ(Grouped("1234", 6), "1,234");
    EXPECT_EQ(Grouped("1234", 5), "1234");
}

std::string Progress(unsigned counter, unsigned total) {
    char out[64];
    aof::FormatProgressText(out, sizeof out, counter, total);
    return out;
}

TEST(ProgressText, CountsEntriesWithTruncatedPercent) {
    const char *percents[] = {"12", "25", "37", "50", "62", "75", "87", "100"};
    for (unsigned i = 1; i <= 8; ++i)
        EXPECT_EQ(Progress(i, 8), std::to_string(i) + " / 8  " + percents[i - 1] + "% 完了");
    EXPECT_EQ(Progress(0, 0), "0 / 0  0% 完了");
    EXPECT_EQ(Progress(65535, 65535), "65535 / 65535  100% 完了");
}

std::string Info(unsigned long long size, int hour, int minute, int second) {
    char out[256];
    aof::FormatFileInfoText(out, sizeof out, {size, 1998, 11, 23, hour, minute, second});
    return out;
}

TEST(FileInfoText, GroupedSizeAndLocalTime) {
    EXPECT_EQ(Info(12345, 9, 5, 7), "ｻｲｽﾞ : 12,345 ﾊﾞｲﾄ\n更新日時 : 1998年11月23日、9:05:07");
    EXPECT_EQ(Info(0, 23, 59, 0), "ｻｲｽﾞ : 0 ﾊﾞｲﾄ\n更新日時 : 1998年11月23日、23:59:00");
    // 2 GiB and 4 GiB + 1 keep their real, positive size.
    EXPECT_EQ(Info(2147483648ULL, 0, 0, 0),
              "ｻｲｽﾞ : 2,147,483,648 ﾊﾞｲﾄ\n更新日時 : 1998年11月23日、0:00:00");
    EXPECT_EQ(Info(4294967297ULL, 0, 0, 0),
              "ｻｲｽﾞ : 4,294,967,297 ﾊﾞｲﾄ\n更新日時 : 1998年11月23日、0:00:00");
}

} // namespace
