#include "ui/path_elision.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// A control as wide as a number of bytes.
bool FitsBytes(const char *text, void *limit) {
    return std::strlen(text) <= *static_cast<std::size_t *>(limit);
}

std::string Elided(const std::string &path, std::size_t limit) {
    char out[aof::kElidedPathSize];
    aof::ElidePath(out, sizeof out, "%s", path.c_str(), FitsBytes, &limit);
    return out;
}

struct Case {
    const char *path;
    const char *shown; // the text expected in a control just as wide as it
};

TEST(ElidePath, KeepsDriveFirstFolderAndAsMuchOfTheEndAsFits) {
    const Case cases[] = {
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "C:\\aoftest\\deep\\b\\Macro\\test.mac"},
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "C:\\aoftest\\…\\b\\Macro\\test.mac"},
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "C:\\aoftest\\…\\Macro\\test.mac"},
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "C:\\aoftest\\…\\test.mac"},
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "C:\\…\\test.mac"},
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "…\\test.mac"},
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "…test.mac"},
        {"C:\\aoftest\\deep\\b\\Macro\\test.mac", "…ac"},
        {"C:\\aoftest\\test.mac", "C:\\…\\test.mac"},
        {"C:\\test.mac", "…mac"},
        {"test.mac", "…mac"},
        {"\\\\server\\share\\folder\\b\\f.mac", "\\\\server\\share\\…\\b\\f.mac"},
        // A trail byte 0x5C (表 95 5C, ソ 83 5C) is no "\": neither a place to cut nor to join.
        {"C:\\表示\\ソート\\深い\\ソ.mac", "C:\\表示\\…\\深い\\ソ.mac"},
        {"C:\\表示\\ソート\\深い\\ソ.mac", "C:\\表示\\…\\ソ.mac"},
        {"C:\\表示\\ソート\\深い\\ソ.mac", "…ソ.mac"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Elided(c.path, std::strlen(c.shown)), c.shown) << c.path;
}

TEST(ElidePath, NeverCutsADoubleByteCharacterInHalf) {
    // 7 bytes would take the trail byte of ソ alone; the next whole character is ".".
    EXPECT_EQ(Elided("C:\\表示\\ソ.mac", 7), "….mac");
}

TEST(ElidePath, WithNothingThatFitsGivesTheShortest) {
    EXPECT_EQ(Elided("C:\\aoftest\\test.mac", 0), "…c");
}

TEST(ElidePath, LongestPathStaysInsideTheBuffer) {
    std::string path = "C:";
    while (path.size() + 8 < aof::kPathSize - 1)
        path += "\\ソ表示";
    path += "\\a.mac";
    path.resize(aof::kPathSize - 1, 'x');
    char out[aof::kElidedPathSize + 8];
    std::memset(out, '#', sizeof out);
    for (std::size_t limit : {std::size_t(0), std::size_t(40), path.size() - 1, path.size()}) {
        aof::ElidePath(out, aof::kElidedPathSize, "%s", path.c_str(), FitsBytes, &limit);
        EXPECT_LT(std::strlen(out), aof::kElidedPathSize);
        for (std::size_t i = aof::kElidedPathSize; i < sizeof out; ++i)
            EXPECT_EQ(out[i], '#');
    }
}

} // namespace
