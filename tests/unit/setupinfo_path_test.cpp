#include "setupinfo/path_compose.h"
#include "setupinfo/setup_info_keys.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

using aof::kPathSize;

constexpr char kMacro[] = "C:\\Aofude\\Macro";
constexpr char kEditor[] = "C:\\Aofude";
constexpr char kWindows[] = "C:\\WINDOWS";
constexpr char kSystem[] = "C:\\WINDOWS\\SYSTEM";
const aof::FolderSet kFolders{kMacro, kEditor, kWindows, kSystem};

std::string Destination(const char *fileName, const char *pathValue) {
    char out[kPathSize] = "untouched";
    EXPECT_EQ(aof::ComposeDestinationPath(out, fileName, pathValue), aof::kPathDone);
    return out;
}

std::string Expanded(const char *path, aof::ExpansionMode mode) {
    char buffer[kPathSize];
    std::strcpy(buffer, path);
    EXPECT_TRUE(aof::ExpandFolderVariablesWith(buffer, kFolders, mode)) << path;
    return buffer;
}

TEST(DestinationPath, CompletesAnEmptyOrFolderPathWithTheFileName) {
    struct Row {
        const char *fileName, *pathValue, *destination, *resolved;
    } rows[] = {
        {"a.mac", "", "a.mac", "C:\\Aofude\\Macro\\a.mac"},
        {"sub\\a.mac", "", "a.mac", "C:\\Aofude\\Macro\\a.mac"},
        {"sub\\a.mac", "tools\\", "tools\\a.mac", "C:\\Aofude\\Macro\\tools\\a.mac"},
        {"sub\\a.mac", "\\macrodir\\tools\\", "\\macrodir\\tools\\a.mac",
         "C:\\Aofude\\Macro\\tools\\a.mac"},
        {"a.mac", "tools\\b.mac", "tools\\b.mac", "C:\\Aofude\\Macro\\tools\\b.mac"},
        {"a.mac", "tools", "tools", "C:\\Aofude\\Macro\\tools"},
        // Double-byte characters whose second byte is 0x5C are never taken for a "\".
        {"sub\\ソート.mac", "", "ソート.mac", "C:\\Aofude\\Macro\\ソート.mac"},
        {"表\\a.mac", "", "a.mac", "C:\\Aofude\\Macro\\a.mac"},
        {"機能", "", "機能", "C:\\Aofude\\Macro\\機能"},
        {"sub\\a.mac", "表", "表", "C:\\Aofude\\Macro\\表"},
        {"sub\\a.mac", "表\\", "表\\a.mac", "C:\\Aofude\\Macro\\表\\a.mac"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.fileName) + " | " + row.pathValue);
        std::string destination = Destination(row.fileName, row.pathValue);
        EXPECT_EQ(destination, row.destination);
        EXPECT_EQ(Expanded(destination.c_str(), aof::kMacroRelative), row.resolved);
    }
}

TEST(SourcePath, JoinsTheSetupFolderAndTheFileName) {
    char out[kPathSize];
    EXPECT_EQ(aof::ComposeSourcePath(out, "D:\\PKG", "sub\\a.mac"), aof::kPathDone);
    EXPECT_STREQ(out, "D:\\PKG\\sub\\a.mac");
    EXPECT_EQ(aof::ComposeSourcePath(out, "D:\\表", "ソート.mac"), aof::kPathDone);
    EXPECT_STREQ(out, "D:\\表\\ソート.mac");
}

TEST(FolderVariables, ExpandInBothModes) {
    struct Row {
        const char *path, *macroRelative, *plain;
    } rows[] = {
        {"\\macrodir\\", "C:\\Aofude\\Macro\\", "C:\\Aofude\\Macro\\"},
        {"\\macrodir", "C:\\Aofude\\Macro", "C:\\Aofude\\Macro"},
        {"\\macrodir\\sub\\a.mac", "C:\\Aofude\\Macro\\sub\\a.mac",
         "C:\\Aofude\\Macro\\sub\\a.mac"},
        {"\\aofudedir\\a.txt", "C:\\Aofude\\a.txt", "C:\\Aofude\\a.txt"},
        {"\\windowsdir\\a.ini", "C:\\WINDOWS\\a.ini", "C:\\WINDOWS\\a.ini"},
        {"\\winsysdir\\a.dll", "C:\\WINDOWS\\SYSTEM\\a.dll", "C:\\WINDOWS\\SYSTEM\\a.dll"},
        {"\\macrodirx\\a.mac", "C:\\Aofude\\Macrox\\a.mac", "C:\\Aofude\\Macrox\\a.mac"},
        {"sub\\a.mac", "C:\\Aofude\\Macro\\sub\\a.mac", "sub\\a.mac"},
        {"", "C:\\Aofude\\Macro\\", ""},
        {"\\MACRODIR\\a.mac", "C:\\Aofude\\Macro\\\\MACRODIR\\a.mac", "\\MACRODIR\\a.mac"},
        {"C:\\a.mac", "C:\\Aofude\\Macro\\C:\\a.mac", "C:\\a.mac"},
        {"readme.txt \\macrodir\\a.txt", "C:\\Aofude\\Macro\\readme.txt \\macrodir\\a.txt",
         "readme.txt \\macrodir\\a.txt"},
        {"\\macrodir\\表\\ソート.mac", "C:\\Aofude\\Macro\\表\\ソート.mac",
         "C:\\Aofude\\Macro\\表\\ソート.mac"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(Expanded(row.path, aof::kMacroRelative), row.macroRelative) << row.path;
        EXPECT_EQ(Expanded(row.path, aof::kPlainExpansion), row.plain) << row.path;
    }
}

TEST(FolderVariables, UnknownFolderRefusesOnlyThePathsThatNeedIt) {
    const aof::FolderSet noWindows{kMacro, kEditor, nullptr, nullptr};
    char path[kPathSize] = "\\windowsdir\\a.ini";
    EXPECT_FALSE(aof::ExpandFolderVariablesWith(path, noWindows, aof::kPlainExpansion));
    EXPECT_STREQ(path, "");
    std::strcpy(path, "\\winsysdir\\a.dll");
    EXPECT_FALSE(aof::ExpandFolderVariablesWith(path, noWindows, aof::kMacroRelative));
    EXPECT_STREQ(path, "");
    std::strcpy(path, "\\aofudedir\\a.txt");
    EXPECT_TRUE(aof::ExpandFolderVariablesWith(path, noWindows, aof::kMacroRelative));
    EXPECT_STREQ(path, "C:\\Aofude\\a.txt");
}

// A path of exactly `length` bytes made of `head` followed by "x"s.
std::string PathOfLength(const std::string &head, std::size_t length) {
    return head + std::string(length - head.size(), 'x');
}

TEST(OverlongPaths, AreRefusedNotCut) {
    // Results of 519 bytes fit the 520-byte buffer with their NUL; 520 and 521 do not.
    for (std::size_t length : {519u, 520u, 521u}) {
        SCOPED_TRACE(length);
        const bool fits = length < kPathSize;
        std::string name = PathOfLength("", length - std::strlen("D:\\PKG\\"));

        char out[kPathSize] = "untouched";
        EXPECT_EQ(aof::ComposeSourcePath(out, "D:\\PKG", name.c_str()),
                  fits ? aof::kPathDone : aof::kPathTooLong);
        EXPECT_EQ(std::string(out), fits ? "D:\\PKG\\" + name : "untouched");

        std::string folder = PathOfLength("tools\\", length - std::strlen("\\a.mac")) + "\\";
        std::strcpy(out, "untouched");
        EXPECT_EQ(aof::ComposeDestinationPath(out, "sub\\a.mac", folder.c_str()),
                  fits ? aof::kPathDone : aof::kPathTooLong);
        EXPECT_EQ(std::string(out), fits ? folder + "a.mac" : "untouched");

        std::string rest = PathOfLength("\\", length - std::strlen(kMacro));
        char path[kPathSize];
        std::strcpy(path, ("\\macrodir" + rest).c_str());
        EXPECT_EQ(aof::ExpandFolderVariablesWith(path, kFolders, aof::kPlainExpansion), fits);
        EXPECT_EQ(std::string(path), fits ? kMacro + rest : "");

        std::string relative = PathOfLength("", length - std::strlen(kMacro) - 1);
        std::strcpy(path, relative.c_str());
        EXPECT_EQ(aof::ExpandFolderVariablesWith(path, kFolders, aof::kMacroRelative), fits);
        EXPECT_EQ(std::string(path), fits ? std::string(kMacro) + "\\" + relative : "");
    }
}

TEST(NumberedKeys, AppendTheOrdinalInDecimal) {
    char key[aof::kKeyNameSize];
    aof::MakeNumberedKey(key, aof::kFileName.stem, 1);
    EXPECT_STREQ(key, "FileName1");
    aof::MakeNumberedKey(key, aof::kUnInstallOption.stem, 12);
    EXPECT_STREQ(key, "UnInstallOption12");
    aof::MakeNumberedKey(key, "", 4294967295u);
    EXPECT_STREQ(key, "4294967295");
}

} // namespace
