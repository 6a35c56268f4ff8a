#include "record/run_marker.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(RunMarker, ReadsBackWhatItWrites) {
    const aof::RunMarker markers[] = {
        {aof::kInstallRun, 1, 0, "C:\\m\\SETUP.AFU"},
        {aof::kUpdateRun, 4294967295u, 7, "C:\\m 2\\\x95\x5c\\S.AFU"},
        {aof::kUninstallRun, 3, 1, "x"},
    };
    for (const aof::RunMarker &marker : markers) {
        char text[aof::kRunMarkerSize];
        aof::ComposeRunMarker(text, marker);
        aof::RunMarker read = {};
        ASSERT_TRUE(aof::ParseRunMarker(text, read)) << text;
        EXPECT_EQ(read.kind, marker.kind);
        EXPECT_EQ(read.version, marker.version);
        EXPECT_EQ(read.users, marker.users);
        EXPECT_STREQ(read.uninstallCopy, marker.uninstallCopy);
    }
    char text[aof::kRunMarkerSize];
    aof::ComposeRunMarker(text, markers[2]);
    EXPECT_STREQ(text, "uninstall 3 1 x");
}

TEST(RunMarker, RefusesWhatIsNoMarker) {
    const std::string texts[] = {"",
                                 "install",
                                 "install 1 0 ",
                                 "repair 1 0 C:\\a",
                                 "install x 0 C:\\a",
                                 "install 1 C:\\a",
                                 "install 4294967296 0 C:\\a",
                                 "Install 1 0 C:\\a",
                                 "install 1 0 C:\\" + std::string(600, 'p')};
    for (const std::string &text : texts) {
        aof::RunMarker marker;
        EXPECT_FALSE(aof::ParseRunMarker(text.c_str(), marker)) << text;
    }
}

TEST(RunMarker, BelongsToOneRunOfOnePackage) {
    aof::RunMarker marker = {aof::kUpdateRun, 2, 0, "C:\\Macro\\Pack\\SETUP.AFU"};
    EXPECT_TRUE(aof::IsMarkerOf(marker, "c:\\macro\\pack\\setup.afu", 2));
    EXPECT_FALSE(aof::IsMarkerOf(marker, "C:\\Macro\\Pack\\SETUP.AFU", 3));
    EXPECT_FALSE(aof::IsMarkerOf(marker, "C:\\Macro\\Other\\SETUP.AFU", 2));
}

TEST(RunMarker, OneLockPerRecordKeyInAnyLetterCase) {
    char a[aof::kRunLockNameSize], b[aof::kRunLockNameSize], c[aof::kRunLockNameSize];
    aof::ComposeRunLockName(a, "Software\\Brenlo\\AofMacroSetup\\Pack");
    aof::ComposeRunLockName(b, "SOFTWARE\\brenlo\\aofmacrosetup\\PACK");
    aof::ComposeRunLockName(c, "Software\\Brenlo\\AofMacroSetup\\Pack2");
    EXPECT_STREQ(a, b);
    EXPECT_STRNE(a, c);
    EXPECT_EQ(std::string(a).rfind("AofMacroSetup.", 0), 0u);
    EXPECT_EQ(std::string(a).find('\\'), std::string::npos); // no namespace of its own
}

} // namespace
