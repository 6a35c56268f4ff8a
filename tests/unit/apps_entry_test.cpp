#include "record/apps_entry.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const std::string kParent = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string KeyOf(const std::string &name, std::size_t capacity = 520) {
    char out[520];
    bool made = aof::ComposeAppsEntryKey(out, capacity, name.c_str());
    return made ? std::string(out) : "<none:" + std::string(out) + ">";
}

TEST(AppsEntry, KeyNameIsOneKeyPerPackage) {
    struct Row {
        std::string name, key;
    } rows[] = {
        {"MyMacros", "AofMacroSetup.MyMacros"},
        {"a\\b", "AofMacroSetup.a%5Cb"},
        {"a%5Cb", "AofMacroSetup.a%255Cb"},  // stays distinct from the row above
        {"表ソ\\", "AofMacroSetup.表ソ%5C"}, // trail bytes 5C are no separators
        {"..", "AofMacroSetup..."},
    };
    for (const Row &row : rows)
        EXPECT_EQ(KeyOf(row.name), kParent + row.key) << row.name;
}

TEST(AppsEntry, NoKeyWithoutANameOrOverTheLimit) {
    std::string fits(255 - 14, 'n');
    EXPECT_EQ(KeyOf(fits), kParent + "AofMacroSetup." + fits);
    EXPECT_EQ(KeyOf(fits + "n"), "<none:>");
    EXPECT_EQ(KeyOf(std::string(239, 'n') + "\\"), "<none:>"); // the escape passes the limit
    EXPECT_EQ(KeyOf(""), "<none:>");
    EXPECT_EQ(KeyOf("MyMacros", kParent.size() + 10), "<none:>"); // a buffer too small
}

TEST(AppsEntry, TextsAsWindowsExpectsThem) {
    EXPECT_STREQ(aof::ChooseDisplayName("ｻﾝﾌﾟﾙ", "sample"), "ｻﾝﾌﾟﾙ");
    EXPECT_STREQ(aof::ChooseDisplayName("", "sample"), "sample");
    char date[9];
    aof::FormatInstallDate(date, 2026, 3, 7);
    EXPECT_STREQ(date, "20260307");
    char quoted[11];
    EXPECT_TRUE(aof::QuotePath(quoted, sizeof quoted, "C:\\a b\\S"));
    EXPECT_STREQ(quoted, "\"C:\\a b\\S\"");
    EXPECT_FALSE(aof::QuotePath(quoted, sizeof quoted, "C:\\a b\\SE"));
    EXPECT_STREQ(quoted, "");
    EXPECT_EQ(aof::ToKibibytes(0), 0ul);
    EXPECT_EQ(aof::ToKibibytes(1), 1ul);
    EXPECT_EQ(aof::ToKibibytes(2048), 2ul);
    EXPECT_EQ(aof::ToKibibytes(1ull << 50), 0xFFFFFFFFul);
}

} // namespace
