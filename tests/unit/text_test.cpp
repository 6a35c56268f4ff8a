#include "common/format.h"
#include "common/text.h"
#include "ui/message_texts.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

void ExpectBytes(const char *text, std::initializer_list<unsigned char> bytes) {
    ASSERT_EQ(std::strlen(text), bytes.size());
    std::size_t i = 0;
    for (unsigned char b : bytes)
        EXPECT_EQ(static_cast<unsigned char>(text[i++]), b) << "byte " << i - 1;
}

TEST(ProgramText, LiteralsBecomeCodePage932Bytes) {
    ExpectBytes(aof::kCaption, {0x90, 0xC2, 0x95, 0x4D, 0xCF, 0xB8, 0xDB, 0x20, 0xBE, 0xAF, 0xC4,
                                0xB1, 0xAF, 0xCC, 0xDF});
    ExpectBytes("～", {0x81, 0x60});
    ExpectBytes("表\n", {0x95, 0x5C, 0x0A});
    ExpectBytes("ソ", {0x83, 0x5C});
}

TEST(PathSplit, TrailByte5CIsNotABackslash) {
    EXPECT_STREQ(aof::LastComponent("C:\\pkg\\ソート.mac"), "ソート.mac");
    EXPECT_STREQ(aof::LastComponent("表\\a.mac"), "a.mac");
    EXPECT_STREQ(aof::LastComponent("機能.mac"), "機能.mac");
    EXPECT_STREQ(aof::LastComponent("C:\\表"), "表");
    EXPECT_EQ(aof::FindLastBackslash("表"), nullptr);
    EXPECT_STREQ(aof::LastComponent("plain"), "plain");
    EXPECT_STREQ(aof::LastComponent("dir\\"), "");
}

// A temporary file beside a file is never longer than the file: it fits wherever the file
// does.
TEST(PathSplit, TemporaryNameIsNoLongerThanTheFilesOwn) {
    struct Row {
        const char *path;
        char mark;
        const char *temporary; // nullptr: the name is the file's own
    } rows[] = {
        {"C:\\m\\a.mac", '~', "C:\\m\\~.mac"},
        {"C:\\m\\表\\ソート.mac", '~', "C:\\m\\表\\~ート.mac"}, // one byte shorter
        {"a", '_', "_"},
        {"C:\\m\\~a.mac", '~', nullptr},
        {"C:\\m\\", '~', nullptr}, // no name to mark
        {"C:\\m\\~a.mac", '_', "C:\\m\\_a.mac"},
    };
    for (const Row &row : rows) {
        char out[aof::kPathSize] = "untouched";
        bool made = aof::ComposeTemporaryPath(out, row.path, row.mark);
        EXPECT_EQ(made, row.temporary != nullptr) << row.path;
        EXPECT_STREQ(out, made ? row.temporary : "untouched") << row.path;
    }
}

// The system's ANSI code page decides which bytes start a double-byte character: on a Western
// system "C:\café\SETUP.AFU" (é is E9, a lead byte in code page 932) splits after "café".
TEST(PathSplit, LeadBytesComeFromTheCodePageTaken) {
    const struct {
        const char *codePage;
        unsigned char ranges[aof::kLeadByteRangesSize];
        const char *path;
        const char *last;
    } cases[] = {
        {"1252", {}, "C:\\caf\xE9\\SETUP.AFU", "SETUP.AFU"},
        {"932", {0x81, 0x9F, 0xE0, 0xFC}, "C:\\caf\xE9\\SETUP.AFU", "caf\xE9\\SETUP.AFU"},
        {"936", {0x81, 0xFE}, "C:\\\xFD\\a.mac", "\xFD\\a.mac"},
        {"1252", {}, "C:\\\xFD\\a.mac", "a.mac"},
    };
    for (const auto &c : cases) {
        aof::UseLeadByteRanges(c.ranges);
        EXPECT_STREQ(aof::LastComponent(c.path), c.last) << "code page " << c.codePage;
    }
    const unsigned char cp932[aof::kLeadByteRangesSize] = {0x81, 0x9F, 0xE0, 0xFC};
    aof::UseLeadByteRanges(cp932);
}

TEST(CaseFolding, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(aof::EqualsIgnoringAsciiCase("C:\\Macro\\A.MAC", "c:\\macro\\a.mac"));
    EXPECT_FALSE(aof::EqualsIgnoringAsciiCase("a.mac", "a.mac2"));
    // A trail byte in the letter range is part of a character, never folded: ア is 83 41 ("A"),
    // ヂ is 83 61 ("a").
    EXPECT_FALSE(aof::EqualsIgnoringAsciiCase("\x83\x61", "\x83\x41"));
    EXPECT_TRUE(aof::EqualsIgnoringAsciiCase("表.TXT", "表.txt"));
}

TEST(BoundedCopy, CutsAtCapacityWithoutSplittingACharacter) {
    char buffer[5];
    EXPECT_EQ(aof::CopyText(buffer, sizeof buffer, "abcdef"), 4u);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(aof::CopyText(buffer, sizeof buffer, "abc表"), 3u);
    EXPECT_STREQ(buffer, "abc");
    char path[8] = "ab";
    EXPECT_FALSE(aof::AppendText(path, sizeof path, "cdefgh"));
    EXPECT_STREQ(path, "ab");
    EXPECT_TRUE(aof::AppendText(path, sizeof path, "cdefg"));
    EXPECT_STREQ(path, "abcdefg");
}

TEST(Decimal, FormatsTheFullUnsignedRange) {
    char out[11];
    aof::FormatDecimal(out, 0);
    EXPECT_STREQ(out, "0");
    aof::FormatDecimal(out, 4294967295u);
    EXPECT_STREQ(out, "4294967295");
}

} // namespace

namespace {

TEST(FormatText, FillsTheProgramsFormatsAndCutsWholeCharacters) {
    char out[64];
    aof::FormatText(out, sizeof out, "%d:%02d:%02d %s 100%%", 9, 5, 7, "表");
    EXPECT_STREQ(out, "9:05:07 表 100%");
    char small[5];
    aof::FormatText(small, sizeof small, "'%s'", "ab表c");
    EXPECT_STREQ(small, "'ab"); // 表 does not fit whole, and nothing follows a cut
    aof::FormatText(small, sizeof small, "表表表");
    EXPECT_STREQ(small, "表表");
}

} // namespace
