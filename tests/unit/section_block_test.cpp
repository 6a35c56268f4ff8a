#include "setupinfo/section_block.h"

#include "indexed_section.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Text(const std::string &lines, const char *key, unsigned size = 520) {
    char out[1100] = "untouched";
    aof::FindSectionText(Indexed(lines).index, key, out, size);
    return out;
}

TEST(SectionBlock, FindsTheFirstEntryOfAKeyAsTheOneKeyReadDoes) {
    struct Row {
        const char *lines, *key, *text;
    } rows[] = {
        {"FileName1=a.mac\nPath1=x\n", "FileName1", "a.mac"},
        {"filename1=a.mac\n", "FileName1", "a.mac"},      // letter case folded
        {"FILENAME1=a\nFileName1=b\n", "FileName1", "a"}, // first match wins
        {"FileName1=\nFileName1=b\n", "FileName1", ""},   // even when it is empty
        {"FileName1\nFileName1=b\n", "FileName1", ""},    // a bare name has no value
        {"FileName10=a\n", "FileName1", ""},              // whole names only
        {"FileName=a\n", "FileName1", ""},
        {"Path1=a=b\n", "Path1", "a=b"},     // the first = divides
        {"Path1=\"a b\"\n", "Path1", "a b"}, // a quoted value
        {"Path1='a'\n", "Path1", "a"},
        {"Path1=\"\"\n", "Path1", ""},
        {"Path1=\"\n", "Path1", "\""}, // a lone quotation mark stays
        {"Path1=\"a'\n", "Path1", "\"a'"},
        {"Path1=a\"\n", "Path1", "a\""},
        {"1=\x95\x5c\\dir\n", "1", "\x95\x5c\\dir"}, // double-byte text unchanged
        {"\x95\x5c=x\nFileName1=y\n", "FileName1", "y"},
        {"", "FileName1", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Text(row.lines, row.key), row.text) << row.lines;
}

TEST(SectionBlock, CutsALongValueAtACharacterBoundaryLikeTheOneKeyRead) {
    std::string value(600, 'x');
    EXPECT_EQ(Text("P=" + value + "\n", "P"), value.substr(0, 519));
    EXPECT_EQ(Text("P=\"" + value + "\"\n", "P"), value.substr(0, 519));
    EXPECT_EQ(Text("P=\"abc\"\n", "P", 4), "abc");
    EXPECT_EQ(Text("P=\"abcd\"\n", "P", 4), "abc");
    EXPECT_EQ(Text("P=ab\x95\x5c\n", "P", 4), "ab"); // no half character
}

TEST(SectionBlock, ReadsNumbersAsTheProfileReaderDoes) {
    struct Row {
        const char *lines;
        unsigned number;
    } rows[] = {
        {"N=1\n", 1},
        {"N=0\n", 0},
        {"N=\n", 7},
        {"\n", 7},
        {"N=12abc\n", 12},
        {"N=abc\n", 0},
        {"N=-1\n", 0xFFFFFFFFu},
        {"N=+5\n", 5},
        {"N=\"3\"\n", 3},
        {"N=\" 4\"\n", 4},
        {"N=0x1f\n", 31},
        {"N=0X1\n", 0},
        {"N=0b101\n", 5},
        {"N=-0o17\n", 0u - 15},
        {"N=0xg\n", 0},
        {"N=4294967297\n", 1},
        {"N=000000000000000000000000000001\n", 0},
    };
    for (const Row &row : rows)
        EXPECT_EQ(aof::FindSectionNumber(Indexed(row.lines).index, "N", 7), row.number)
            << row.lines;
}

TEST(SectionBlock, IndexesAListOfThousandsOfEntriesByFirstName) {
    std::string lines;
    for (int n = 1; n <= 3000; ++n)
        lines += "FileName" + std::to_string(n) + "=f" + std::to_string(n) + "\n";
    lines += "FILENAME7=again\n";
    Indexed list(lines);
    char out[32];
    for (int n : {1, 7, 1500, 3000}) {
        aof::FindSectionText(list.index, ("filename" + std::to_string(n)).c_str(), out, 32);
        EXPECT_EQ(std::string(out), "f" + std::to_string(n));
    }
    aof::FindSectionText(list.index, "FileName3001", out, 32);
    EXPECT_EQ(std::string(out), "");
}

} // namespace
