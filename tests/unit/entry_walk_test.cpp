#include "setupinfo/entry_walk.h"

#include "indexed_section.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// What a walk reaches: "n:destination" per entry ("n:-" for one that does not fit), then
// "end n", the ordinal that ended it.
std::string Walk(const std::string &lines, aof::ListWalk walk) {
    Indexed list(lines);
    aof::ListEntry entry;
    entry.ordinal = 0;
    std::string reached;
    while (aof::NextListEntry(list.index, walk, entry))
        reached += std::to_string(entry.ordinal) + ":" +
                   (entry.fits ? std::string(entry.destination) : "-") + " ";
    return reached + "end " + std::to_string(entry.ordinal);
}

std::string Numbered(const char *stem, int first, int last) {
    std::string lines;
    for (int n = first; n <= last; ++n)
        lines += stem + std::to_string(n) + "=f" + std::to_string(n) + "\n";
    return lines;
}

TEST(EntryWalk, EachWalkReachesItsEntriesWithTheirDestinations) {
    const std::string gap = "FileName1=a.mac\nUnInstallOption2=1\nFileName3=c\n";
    const std::string optioned = "FileName1=a\nUnInstallOption1=1\nFileName2=sub\\b\nPath2=t\\\n";
    const std::string eleven = Numbered("FileName", 1, 11);
    const std::string tooLong = "FileName1=a\nPath1=" + std::string(518, 'p') + "\\\n";
    struct Row {
        std::string lines;
        aof::ListWalk walk;
        std::string reached;
    } rows[] = {
        // The destination rule: Path alone, or completed by FileName's last component.
        {"FileName1=sub\\a.mac\nPath1=\\macrodir\\t\\\nFileName2=b\nPath2=x\\renamed\n",
         aof::kInstallWalk, "1:\\macrodir\\t\\a.mac 2:x\\renamed end 3"},
        {"FileName1=\x95\x5c\\\x83\x5c.mac\n", aof::kInstallWalk, "1:\x83\x5c.mac end 2"},
        {"Path1=x\n", aof::kInstallWalk, "end 1"},
        {tooLong, aof::kInstallWalk, "1:- end 2"},
        // The install walk: consecutive entries, at most ten.
        {gap, aof::kInstallWalk, "1:a.mac end 2"},
        {eleven, aof::kInstallWalk, "1:f1 2:f2 3:f3 4:f4 5:f5 6:f6 7:f7 8:f8 9:f9 10:f10 end 11"},
        // What an uninstall deletes of an install list: those entries, option 0 only. The
        // eleventh entry, and an entry behind a gap, were never installed.
        {eleven, aof::kInstalledWalk, "1:f1 2:f2 3:f3 4:f4 5:f5 6:f6 7:f7 8:f8 9:f9 10:f10 end 11"},
        {gap, aof::kInstalledWalk, "1:a.mac end 2"},
        {optioned, aof::kInstalledWalk, "2:t\\b end 3"},
        // The deletion walk passes over a set option, also without FileName, and has no limit.
        {gap, aof::kDeletionWalk, "1:a.mac 3:c end 4"},
        {optioned, aof::kDeletionWalk, "2:t\\b end 3"},
        {eleven, aof::kDeletionWalk,
         "1:f1 2:f2 3:f3 4:f4 5:f5 6:f6 7:f7 8:f8 9:f9 10:f10 11:f11 end 12"},
        {"UnInstallOption1=0\nFileName2=b\n", aof::kDeletionWalk, "end 1"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Walk(row.lines, row.walk), row.reached) << row.lines << " walk " << row.walk;
}

TEST(EntryWalk, CountsAndReadsNumberedTexts) {
    EXPECT_EQ(aof::CountListEntries(Indexed("FileName1=a\nFileName2=b\nFileName4=d\n").index), 2u);
    EXPECT_EQ(aof::CountListEntries(Indexed(Numbered("FileName", 1, 15)).index), 10u);
    EXPECT_EQ(aof::CountListEntries(Indexed("").index), 0u);
    char title[4];
    aof::ReadEntryText(Indexed("MacroTitle2=abcdef\n").index, "MacroTitle", 2, title, sizeof title);
    EXPECT_STREQ(title, "abc");
    // [Make Directory]: values 1, 2, ... up to the first empty one, read as the reader gives them.
    EXPECT_EQ(aof::CountListedFolders(Indexed("1=a\n2=b\n4=d\n").index), 2u);
    EXPECT_EQ(aof::CountListedFolders(Indexed("1=\n2=b\n").index), 0u);
    char folder[aof::kPathSize];
    aof::ReadListedFolder(Indexed("01=x\n2=\"sub\\b\"\n").index, 2, folder);
    EXPECT_STREQ(folder, "sub\\b");
}

} // namespace
