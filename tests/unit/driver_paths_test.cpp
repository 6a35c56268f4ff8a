#include "driver/startup_paths.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Derived {
    std::string programFile;
    std::string setupFolder;
};

Derived Derive(const char *setupInfo) {
    char programFile[aof::kPathSize];
    char setupFolder[aof::kPathSize];
    aof::DeriveProgramPaths(setupInfo, programFile, setupFolder);
    return {programFile, setupFolder};
}

std::string WithLastThree(const char *path, const char *three) {
    char buffer[aof::kPathSize];
    std::strcpy(buffer, path);
    EXPECT_TRUE(aof::ReplaceLastThree(buffer, three));
    return buffer;
}

TEST(SetupInfoPath, CommandLineTextAfterTheProgramName) {
    struct Case {
        const char *commandLine;
        const char *argument;
    } cases[] = {
        {"", ""},
        {"SETUP.EXE", ""},
        {"SETUP.EXE C:\\a.afu", "C:\\a.afu"},
        {"SETUP.EXE \t  C:\\a b.afu  ", "C:\\a b.afu  "},
        {"SETUP.EXE\t\"C:\\a.afu\"", "\"C:\\a.afu\""},
        // Lead bytes above 0x7F are no blanks, second bytes in the ASCII range (集 8F 57, 表 95 5C)
        // no ends.
        {"C:\\集\\表\\ソフト\\SETUP.EXE", ""},
        {"C:\\集\\表\\SETUP.EXE C:\\表\\a.afu", "C:\\表\\a.afu"},
        {"\"C:\\ﾌｫﾙﾀﾞ 表\\SETUP.EXE\" x.afu", "x.afu"},
        {"\"C:\\a b\\SETUP.EXE\"x.afu", "x.afu"},
        {"\"\" x.afu", "x.afu"},
        {"\"C:\\a b\\SETUP.EXE", ""},
        // A quotation mark as a second byte does not end the quoted name.
        {"\"\x81\"x\" y.afu", "y.afu"},
        {"\"\x81", ""},
        {"A\x81", ""},
    };
    for (const Case &c : cases)
        EXPECT_STREQ(aof::SkipProgramName(c.commandLine), c.argument) << c.commandLine;
}

TEST(SetupInfoPath, ModulePathGivesTheFileBesideTheProgram) {
    EXPECT_EQ(WithLastThree("C:\\pkg\\SETUP.EXE", "AFU"), "C:\\pkg\\SETUP.AFU");
    EXPECT_EQ(WithLastThree("C:\\pkg\\INSTALL.EXE", "AFU"), "C:\\pkg\\INSTALL.AFU");
    EXPECT_EQ(WithLastThree("C:\\ソフト\\setup.exe", "AFU"), "C:\\ソフト\\setup.AFU");
    char tooShort[] = "ab";
    EXPECT_FALSE(aof::ReplaceLastThree(tooShort, "AFU"));
    EXPECT_STREQ(tooShort, "ab");
}

TEST(SetupInfoPath, ProgramFileAndSetupFolderFollowTheSetupInfoPath) {
    Derived plain = Derive("C:\\pkg\\SETUP.AFU");
    EXPECT_EQ(plain.programFile, "C:\\pkg\\SETUP.EXE");
    EXPECT_EQ(plain.setupFolder, "C:\\pkg");
    EXPECT_EQ(Derive("C:\\a\\package.afu").programFile, "C:\\a\\package.EXE");
    // 表 and ソ end in the byte of "\": the folder is cut at the real separator only.
    Derived japanese = Derive("C:\\表\\ソフト\\能.afu");
    EXPECT_EQ(japanese.programFile, "C:\\表\\ソフト\\能.EXE");
    EXPECT_EQ(japanese.setupFolder, "C:\\表\\ソフト");
    EXPECT_EQ(Derive("C:\\表.afu").setupFolder, "C:");
}

TEST(SetupInfoPath, ExtensionIsTestedFromTheLastDot) {
    EXPECT_TRUE(aof::HasSetupInfoExtension("C:\\pkg\\Foo.Afu"));
    EXPECT_TRUE(aof::HasSetupInfoExtension("C:\\a.b\\SETUP.AFU"));
    EXPECT_FALSE(aof::HasSetupInfoExtension("C:\\pkg\\foo.ini"));
    EXPECT_FALSE(aof::HasSetupInfoExtension("\"C:\\pkg\\foo.afu\""));
    EXPECT_FALSE(aof::HasSetupInfoExtension("C:\\pkg.afu\\foo"));
    EXPECT_FALSE(aof::HasSetupInfoExtension("C:\\pkg\\afu"));
    EXPECT_FALSE(aof::HasSetupInfoExtension("C:\\pkg\\foo.afu "));
}

TEST(SetupInfoPath, ShortNameGivesWayToTheLongName) {
    char path[aof::kPathSize] = "C:\\a\\PACKAG~1.AFU";
    ASSERT_TRUE(aof::ApplyLongName(path, "package.afu"));
    EXPECT_STREQ(path, "C:\\a\\package.afu");

    // Same length: the path as given stays, letter case included.
    char same[aof::kPathSize] = "C:\\表\\setup.afu";
    ASSERT_TRUE(aof::ApplyLongName(same, "SETUP.AFU"));
    EXPECT_STREQ(same, "C:\\表\\setup.afu");

    char japanese[aof::kPathSize] = "C:\\表\\MACROS~1.AFU";
    ASSERT_TRUE(aof::ApplyLongName(japanese, "ソート用マクロ.afu"));
    EXPECT_STREQ(japanese, "C:\\表\\ソート用マクロ.afu");
}

TEST(SetupInfoPath, LongNameThatDoesNotFitIsRefused) {
    std::string folder = "C:\\" + std::string(500, 'd') + "\\";
    char path[aof::kPathSize];
    std::strcpy(path, (folder + "LONG~1.AFU").c_str());
    std::string longName = std::string(30, 'n') + ".afu";
    EXPECT_FALSE(aof::ApplyLongName(path, longName.c_str()));
    EXPECT_EQ(std::string(path), folder + "LONG~1.AFU");
}

TEST(CopyPaths, FolderIsFollowedDirectlyByTheLastComponent) {
    char out[aof::kPathSize];
    ASSERT_TRUE(aof::ComposeCopyPath(out, "C:\\Aofude\\Macro\\", "D:\\pkg\\SETUP.AFU"));
    EXPECT_STREQ(out, "C:\\Aofude\\Macro\\SETUP.AFU");
    ASSERT_TRUE(aof::ComposeCopyPath(out, "C:\\info", "D:\\ソ\\表.EXE"));
    EXPECT_STREQ(out, "C:\\info表.EXE");

    std::string folder(510, 'f');
    std::strcpy(out, "untouched");
    EXPECT_TRUE(aof::ComposeCopyPath(out, folder.c_str(), "D:\\x\\abcdefghi"));
    EXPECT_EQ(std::strlen(out), 519u);
    std::strcpy(out, "untouched");
    EXPECT_FALSE(aof::ComposeCopyPath(out, folder.c_str(), "D:\\x\\abcdefghij"));
    EXPECT_STREQ(out, "untouched");
}

// The program copy started without an argument finds its uninstall-info copy beside it: a
// setup-info file where a copy lies is its own copy, whatever UnInstallInfoPath ends with.
TEST(CopyPaths, UninstallInfoCopiesAndTheProgramCopyBesideThem) {
    struct Row {
        const char *folder, *setupInfo, *copy, *programCopy;
    } rows[] = {
        {"C:\\m\\", "D:\\pkg\\SETUP.AFU", "C:\\m\\SETUP.AFU", "C:\\m\\SETUP.EXE"},
        {"C:\\m\\Pkg", "D:\\pkg\\SETUP.AFU", "C:\\m\\PkgSETUP.AFU", "C:\\m\\PkgSETUP.EXE"},
        // Run from the copies: the same files, not "PkgPkgSETUP.AFU".
        {"C:\\m\\Pkg", "C:\\m\\PkgSETUP.AFU", "C:\\m\\PkgSETUP.AFU", "C:\\m\\PkgSETUP.EXE"},
        {"C:\\M\\", "c:\\m\\SETUP.AFU", "c:\\m\\SETUP.AFU", "c:\\m\\SETUP.EXE"},
        {"C:\\m\\Pkg", "C:\\m\\Pkg2\\SETUP.AFU", "C:\\m\\PkgSETUP.AFU", "C:\\m\\PkgSETUP.EXE"},
        {"C:\\m\\", "D:\\pkg\\Mine.afu", "C:\\m\\Mine.afu", "C:\\m\\Mine.EXE"},
    };
    for (const Row &row : rows) {
        char copy[aof::kPathSize];
        char programCopy[aof::kPathSize];
        ASSERT_TRUE(aof::ComposeUninstallInfoCopies(row.folder, row.setupInfo, copy, programCopy));
        EXPECT_STREQ(copy, row.copy) << row.folder << " " << row.setupInfo;
        EXPECT_STREQ(programCopy, row.programCopy) << row.folder << " " << row.setupInfo;
    }
}

TEST(CopyPaths, RecordKeyPathNamesThePackage) {
    char out[aof::kPathSize];
    aof::ComposeRecordKeyPath(out, "SortMacros");
    EXPECT_STREQ(out, "Software\\Brenlo\\AofMacroSetup\\SortMacros");
    std::string longest(255, 'x');
    aof::ComposeRecordKeyPath(out, longest.c_str());
    EXPECT_EQ(std::strlen(out), 30u + 255u);
    // Without InternalName: the AofMacroSetup key itself, with no empty component.
    aof::ComposeRecordKeyPath(out, "");
    EXPECT_STREQ(out, "Software\\Brenlo\\AofMacroSetup");
}

} // namespace
