#include "afucheck/destination_rules.h"
#include "afucheck/diagnostics.h"
#include "afucheck/key_rules.h"
#include "afucheck/raw_scan.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

TEST(AfucheckRules, ClassifiesNamesAndSuggestsTheNearestKnownOne) {
    const aof::KnownSection &macros = *aof::FindKnownSection("install MACROS");
    const aof::KnownSection &directories = *aof::FindKnownSection("Make Directory");
    struct Row {
        const aof::KnownSection &section;
        const char *name;
        aof::KeyMatch match;
        unsigned ordinal;
        const char *suggestion; // "" when none is near enough
    } rows[] = {
        {macros, "filename3", aof::kKeyKnown, 3, ""},
        {macros, "FileName01", aof::kKeyOrdinalUnread, 0, ""},
        {macros, "MacroTitle0", aof::kKeyOrdinalUnread, 0, ""},
        {macros, "Titel1", aof::kKeyUnknown, 0, "MacroTitle1"},
        {macros, "FileNmae2", aof::kKeyUnknown, 0, "FileName2"},
        {macros, "FileName", aof::kKeyUnknown, 0, "FileName1"},
        {macros, "Colour", aof::kKeyUnknown, 0, ""},
        {directories, "12", aof::kKeyKnown, 12, ""},
        {directories, "02", aof::kKeyOrdinalUnread, 0, ""},
    };
    for (const Row &row : rows) {
        aof::KeyClass found = aof::ClassifyKey(row.section, row.name);
        EXPECT_EQ(found.match, row.match) << row.name;
        EXPECT_EQ(found.ordinal, row.ordinal) << row.name;
        char suggestion[aof::kSuggestionSize] = "";
        if (found.match == aof::kKeyUnknown)
            aof::SuggestKey(row.section, row.name, suggestion);
        EXPECT_STREQ(suggestion, row.suggestion) << row.name;
    }
    char section[aof::kSuggestionSize] = "";
    EXPECT_TRUE(aof::SuggestSection("Install Macro", section));
    EXPECT_STREQ(section, "Install Macros");
    EXPECT_FALSE(aof::SuggestSection("Options", section));
}

TEST(AfucheckRules, TellsTheValueFormsTheProgramMisreads) {
    EXPECT_TRUE(aof::IsYesOrNo("YES") && aof::IsYesOrNo("No"));
    EXPECT_FALSE(aof::IsYesOrNo("yesterday") || aof::IsYesOrNo("y"));
    EXPECT_TRUE(aof::IsPlainDecimal("32"));
    EXPECT_FALSE(aof::IsPlainDecimal("3.1") || aof::IsPlainDecimal("yes") ||
                 aof::IsPlainDecimal(""));
    EXPECT_TRUE(aof::ClimbsToParent("..\\a.mac") && aof::ClimbsToParent("\\macrodir\\x/../y"));
    EXPECT_FALSE(aof::ClimbsToParent("a..b\\c.mac") || aof::ClimbsToParent("...\\a"));
    // ソ is 83 5C: its second byte is not a separator.
    EXPECT_FALSE(aof::ClimbsToParent("..\x83\x5C"));
}

TEST(AfucheckDestinations, JudgesPathValuesAndWhereFilesLand) {
    struct ValueRow {
        const char *value;
        aof::PathValueFault fault;
    } values[] = {
        {"\\macrodir\\x\\", aof::kValueSound},        {"tools\\", aof::kValueSound},
        {"C:\\Tools\\", aof::kDriveOrUncPath},        {"\\\\srv\\a\\", aof::kDriveOrUncPath},
        {"\\MacroDir\\Yamada\\", aof::kVariableCase}, {"/macrodir/x/", aof::kVariableSlash},
        {"\\AOFUDEDIR", aof::kVariableCase},          {"\\tools\\", aof::kValueSound},
    };
    for (const ValueRow &row : values)
        EXPECT_EQ(aof::JudgePathValue(row.value), row.fault) << row.value;

    auto folders = std::make_unique<aof::FolderList>();
    aof::StartFolderList(*folders);
    char parent[aof::kPathSize];
    EXPECT_TRUE(aof::AddMadeFolder(*folders, "\\macrodir\\Yamada\\", parent));
    EXPECT_TRUE(aof::AddMadeFolder(*folders, "\\macrodir\\yamada/sub", parent));
    EXPECT_FALSE(aof::AddMadeFolder(*folders, "\\macrodir\\one\\two", parent));
    EXPECT_STREQ(parent, "\\macrodir\\one");
    struct LandingRow {
        const char *destination;
        aof::DestinationFault fault;
        const char *folder;
    } landings[] = {
        {"\\macrodir\\a.mac", aof::kDestinationSound, "\\macrodir"},
        {"\\macrodir\\YAMADA\\Sub\\a.mac", aof::kDestinationSound, "\\macrodir\\YAMADA\\Sub"},
        {"\\macrodir\\tools/a.mac", aof::kFolderMissing, "\\macrodir\\tools"},
        {"\\macrodir\\Yamada", aof::kDestinationIsFolder, "\\macrodir\\Yamada"},
        {"\\macrodir\\tools/", aof::kDestinationIsFolder, "\\macrodir\\tools"},
        {"\\macrodir\\..\\a.mac", aof::kDestinationSound, "\\macrodir\\.."},
        {"\\macrodir\\Yamada\\..\\..\\a.mac", aof::kDestinationSound, "\\macrodir\\.."},
        {"\\macrodir\\..\\old\\a.mac", aof::kFolderMissing, "\\macrodir\\..\\old"},
        {"\\macrodir\\\\MacroDir\\a.mac", aof::kFolderMissing, "\\macrodir\\\\MacroDir"},
        // ソ is 83 5C: "\macrodir\ソ" is a file name, not the folder "\macrodir\\x83".
        {"\\macrodir\\\x83\x5C", aof::kDestinationSound, "\\macrodir"},
    };
    for (const LandingRow &row : landings) {
        char folder[aof::kPathSize];
        EXPECT_EQ(aof::JudgeDestination(*folders, row.destination, folder), row.fault)
            << row.destination;
        EXPECT_STREQ(folder, row.folder) << row.destination;
    }

    struct StepRow {
        const char *path;
        unsigned kept;
        const char *resolved;
    } steps[] = {
        {"C:\\A\\M\\..\\a.mac", 1, "C:\\A\\a.mac"},
        {"C:\\..\\..\\a", 1, "C:\\..\\..\\a"},
        {"C:\\A\\.\\b/../c", 1, "C:\\A\\c"},
        {"\\macrodir\\..\\..\\x\\..", 2, "\\macrodir\\..\\.."},
        {"C:\\\x95\x5C\\..\\a", 1, "C:\\a"},
    };
    for (const StepRow &row : steps) {
        char path[aof::kPathSize];
        std::strcpy(path, row.path);
        aof::ResolveParentSteps(path, row.kept);
        EXPECT_STREQ(path, row.resolved) << row.path;
    }
}

TEST(AfucheckRawScan, FindsEncodingsAndTheLinesOfSectionsAndKeys) {
    struct Row {
        const char *bytes;
        aof::TextEncoding encoding;
        unsigned invalidLine;
    } rows[] = {
        {"[A]\r\nk=\x83\x5C\xB1\r\n", aof::kCodePage932Text, 0},
        {"[A]\r\nk=\xE3\x83\x86\r\n", aof::kUtf8WithoutBom, 0},
        {"\xEF\xBB\xBF[A]", aof::kUtf8WithBom, 0},
        {"\xFF\xFE[\0", aof::kUtf16LeWithBom, 0},
        {"[A]\r\n\r\nk=\x81\x20", aof::kCodePage932Text, 3},
        {"[A]\nk=\xFD", aof::kCodePage932Text, 2},
    };
    for (const Row &row : rows) {
        aof::EncodingFinding found =
            aof::ClassifyEncoding(reinterpret_cast<const unsigned char *>(row.bytes),
                                  std::strlen(row.bytes) + (row.bytes[0] == '\xFF'));
        EXPECT_EQ(found.encoding, row.encoding) << row.bytes;
        EXPECT_EQ(found.invalidLine, row.invalidLine) << row.bytes;
    }
    const char text[] =
        "; comment\r\n  [ Group ]\r\nGroupName = a=b\r\n\r\nflag\r\n[group]\r\nGroupName=c";
    aof::RawScan scan{};
    ASSERT_TRUE(aof::ScanRawText(reinterpret_cast<const unsigned char *>(text), sizeof text - 1,
                                 aof::kCodePage932Text, scan));
    ASSERT_EQ(scan.count, 5u);
    EXPECT_STREQ(scan.items[0].name, "Group");
    EXPECT_STREQ(scan.items[2].name, "flag");
    EXPECT_EQ(aof::FindRawKeyLine(scan, "GROUP", "groupname"), 3u);
    EXPECT_EQ(aof::FindRawSection(scan, "group"), 0);
    aof::ReleaseRawScan(scan);

    const char wide[] = "\xFF\xFE[\0G\0]\0\n\0k\0=\0\xC6\x30\n\0";
    ASSERT_TRUE(aof::ScanRawText(reinterpret_cast<const unsigned char *>(wide), sizeof wide - 1,
                                 aof::kUtf16LeWithBom, scan));
    EXPECT_EQ(aof::FindRawKeyLine(scan, "G", "k"), 2u);
    aof::ReleaseRawScan(scan);
}

TEST(AfucheckDiagnostics, PrintsTheLinesBuildToolsPrintAndCountsForTheExitCode) {
    auto list = std::make_unique<aof::DiagnosticList>();
    aof::ClearDiagnostics(*list);
    aof::AddDiagnostic(*list, aof::kUnknownKey, 12, "Titel1");
    aof::AddDiagnostic(*list, aof::kBadSetupVersion, 2, "SetupVersion=33");
    aof::SortDiagnostics(*list);
    char line[aof::kLineSize];
    aof::FormatDiagnostic(line, "SETUP.AFU", list->items[0], false);
    EXPECT_EQ(std::string(line).rfind("SETUP.AFU(2): error A101: ", 0), 0u) << line;
    aof::FormatDiagnostic(line, "SETUP.AFU", list->items[1], false);
    EXPECT_EQ(std::string(line).rfind("SETUP.AFU(12): warning A203: ", 0), 0u) << line;
    aof::FormatDiagnostic(line, "SETUP.AFU", list->items[1], true);
    EXPECT_EQ(std::string(line).rfind("SETUP.AFU(12): error A203: ", 0), 0u) << line;
    EXPECT_EQ(aof::ExitCodeFor(aof::CountDiagnostics(*list, false)), 2);
    list->items[0].code = aof::kValueCut;
    EXPECT_EQ(aof::ExitCodeFor(aof::CountDiagnostics(*list, false)), 1);
    EXPECT_EQ(aof::ExitCodeFor(aof::CountDiagnostics(*list, true)), 2);
    aof::ClearDiagnostics(*list);
    EXPECT_EQ(aof::ExitCodeFor(aof::CountDiagnostics(*list, false)), 0);
    // Beyond the list's room a diagnostic is no longer printed but still decides the exit code.
    for (unsigned i = 0; i < aof::kMaxDiagnostics; ++i)
        aof::AddDiagnostic(*list, aof::kUnknownKey, i + 1, "");
    aof::AddDiagnostic(*list, aof::kNoFirstMacro, 0, "");
    EXPECT_EQ(list->count, aof::kMaxDiagnostics);
    EXPECT_EQ(aof::ExitCodeFor(aof::CountDiagnostics(*list, false)), 2);
}

} // namespace
