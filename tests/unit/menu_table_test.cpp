// The editor's macro menu table and group name table as byte blocks: the group choice, slot
// numbers, insertion and removal of entries, names of sub-menus, and short or long values.
#include "editor/menu_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using aof::ByteTable;

// A table owning a copy of the given bytes.
struct Table {
    ByteTable t{nullptr, 0};
    explicit Table(const std::string &bytes) {
        EXPECT_TRUE(aof::AllocateTable(t, bytes.size()));
        if (!bytes.empty())
            std::memcpy(t.bytes, bytes.data(), bytes.size());
    }
    ~Table() { aof::ReleaseTable(t); }
    std::string Bytes() const { return std::string(reinterpret_cast<char *>(t.bytes), t.length); }
};

std::string Nuls(std::size_t n) {
    return std::string(n, '\0');
}

// A menu table of 80 free slots with the given slots filled.
struct Slot {
    unsigned number;
    std::string path;
    std::string title;
};
std::string MenuWith(const std::vector<Slot> &used) {
    std::vector<std::pair<std::string, std::string>> slots(80);
    for (const Slot &slot : used)
        slots[slot.number - 1] = {slot.path, slot.title};
    std::string bytes;
    for (const auto &slot : slots) {
        bytes += slot.first + '\0';
        bytes += slot.second + '\0';
    }
    return bytes;
}

// A group name table with the given sub-menus named.
std::string GroupsWith(const std::vector<std::pair<int, std::string>> &names) {
    std::string bytes = Nuls(217);
    for (const auto &name : names)
        bytes.replace(31 * (name.first - 1), name.second.size(), name.second);
    return bytes;
}

std::string MacroInGroup(int group, int position) {
    return "m" + std::to_string(group) + std::to_string(position) + ".mac";
}

// Every slot of the group used.
std::vector<Slot> FullGroup(int group) {
    std::vector<Slot> slots;
    for (int p = 1; p <= 10; ++p)
        slots.push_back({unsigned(10 * group + p), MacroInGroup(group, p), "t"});
    return slots;
}

TEST(FreeSlots, ASlotIsFreeOnlyWhenPathAndTitleAreBothEmpty) {
    Table menu(MenuWith({{11, "a.mac", "A"}, {13, "", "title only"}, {15, "path only", ""}}));
    EXPECT_EQ(aof::CountFreeSlots(menu.t, 1), 7);
    EXPECT_FALSE(aof::IsGroupEntirelyFree(menu.t, 1));
    EXPECT_TRUE(aof::IsGroupEntirelyFree(menu.t, 0));
    EXPECT_TRUE(aof::IsGroupEntirelyFree(menu.t, 7));
    EXPECT_EQ(aof::CountFreeSlots(menu.t, 8), 0);
    EXPECT_EQ(aof::CountFreeSlots(menu.t, -1), 0);

    Table halfUsed(MenuWith({{26, "", "only a title"},
                             {27, "a", "b"},
                             {28, "a", "b"},
                             {29, "a", "b"},
                             {30, "a", "b"}}));
    EXPECT_EQ(aof::CountFreeSlots(halfUsed.t, 2), 5);
    EXPECT_FALSE(aof::IsGroupEntirelyFree(halfUsed.t, 2));
}

TEST(FreeSlots, EmptyTableIsJudgedOnItsFirst160Bytes) {
    Table fresh(Nuls(160));
    EXPECT_TRUE(aof::IsMacroMenuTableEmpty(fresh.t));
    Table longer(Nuls(160) + "extra" + '\0');
    EXPECT_TRUE(aof::IsMacroMenuTableEmpty(longer.t));
    Table oneTitle(MenuWith({{80, "", "x"}}));
    EXPECT_FALSE(aof::IsMacroMenuTableEmpty(oneTitle.t));
}

TEST(ChooseGroup, MainMenuWhenAskedWithAnySpellingOfYesAndRoomEnough) {
    Table menu(Nuls(160));
    Table groups(Nuls(217));
    for (const char *yes : {"yes", "YES", "Yes", "yEs"})
        EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 3, yes, 0), 0) << yes;
    for (const char *other : {"y", "no", "", "ye", "yes "})
        EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 3, other, 0), 1) << other;
}

TEST(ChooseGroup, FullMainMenuFallsThroughToTheSubMenus) {
    std::vector<Slot> used = FullGroup(0);
    used.erase(used.begin() + 3, used.begin() + 5); // slots 4 and 5 free
    Table menu(MenuWith(used));
    Table groups(Nuls(217));
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 2, "yes", 0), 0);
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 3, "yes", 0), 1);
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 3, "yes", 1), 8);
}

TEST(ChooseGroup, EmptySubMenuModeDecidesBetweenUnnamedAndNamedSubMenus) {
    Table fresh(Nuls(160));
    Table noNames(Nuls(217));
    EXPECT_EQ(aof::ChooseGroupFrom(fresh.t, noNames.t, 1, "no", 0), 1);
    EXPECT_EQ(aof::ChooseGroupFrom(fresh.t, noNames.t, 1, "no", 1), 8);
    EXPECT_EQ(aof::ChooseGroupFrom(fresh.t, noNames.t, 1, "no", 7), 8);

    // Sub-menu 1 named and half full, sub-menu 2 unnamed and empty.
    Table menu(MenuWith({{11, "a", "A"}, {12, "b", "B"}, {13, "c", "C"}, {14, "d", "D"}}));
    Table groups(GroupsWith({{1, "Tools"}}));
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 6, "no", 0), 2);
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 6, "no", 1), 1);
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 7, "no", 1), 8);
}

TEST(ChooseGroup, UnnamedSubMenuWithOneUsedSlotIsNeverChosen) {
    Table menu(MenuWith({{20, "x.mac", "X"}}));
    Table groups(GroupsWith({{3, "Named"}}));
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 1, "no", 0), 2);
    EXPECT_EQ(aof::ChooseGroupFrom(menu.t, groups.t, 1, "no", 1), 3);
}

TEST(AssignSlotNumbers, MacrosTakeTheFreeSlotsInPositionOrder) {
    Table menu(MenuWith({{31, "a", "A"}, {33, "c", "C"}}));
    unsigned slots[10];
    aof::AssignSlotNumbers(menu.t, 3, 2, slots);
    EXPECT_EQ(slots[0], 32u);
    EXPECT_EQ(slots[1], 34u);
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(slots[i], 0u);

    Table fresh(Nuls(160));
    aof::AssignSlotNumbers(fresh.t, 1, 10, slots);
    for (unsigned i = 0; i < 10; ++i)
        EXPECT_EQ(slots[i], 11 + i);

    aof::AssignSlotNumbers(fresh.t, 8, 3, slots);
    for (unsigned slot : slots)
        EXPECT_EQ(slot, 0u);
}

TEST(InsertMenuEntry, FillsTheSlotInPlaceOfItsTwoNuls) {
    Table menu(Nuls(160));
    ASSERT_TRUE(aof::InsertMenuEntry(menu.t, 11, "ab.mc", "T"));
    EXPECT_EQ(menu.t.length, 166u);
    EXPECT_EQ(menu.Bytes(), Nuls(20) + "ab.mc" + '\0' + "T" + '\0' + Nuls(138));
    EXPECT_TRUE(aof::SlotHoldsEntry(menu.t, 11, "ab.mc", "T"));

    // Later insertions keep the earlier numbers valid, and an empty title makes a used slot.
    ASSERT_TRUE(aof::InsertMenuEntry(menu.t, 1, "first", ""));
    ASSERT_TRUE(aof::InsertMenuEntry(menu.t, 80, "last", "L"));
    EXPECT_EQ(menu.Bytes(), MenuWith({{1, "first", ""}, {11, "ab.mc", "T"}, {80, "last", "L"}}));
    EXPECT_EQ(aof::CountFreeSlots(menu.t, 0), 9);
}

TEST(InsertMenuEntry, RefusesUsedSlotsAndNumbersOutOfRange) {
    Table menu(MenuWith({{5, "", "title"}}));
    std::string before = menu.Bytes();
    EXPECT_FALSE(aof::InsertMenuEntry(menu.t, 5, "x", "y"));
    EXPECT_FALSE(aof::InsertMenuEntry(menu.t, 0, "x", "y"));
    EXPECT_FALSE(aof::InsertMenuEntry(menu.t, 81, "x", "y"));
    EXPECT_FALSE(aof::InsertMenuEntry(menu.t, 0xFFFFFFFFu, "x", "y"));
    EXPECT_EQ(menu.Bytes(), before);
}

TEST(EmptySlot, RemovalKeepsEveryOtherSlotAtItsNumber) {
    std::string original = MenuWith({{21, "a.mac", "A"}, {22, "b.mac", "B"}, {23, "c.mac", "C"}});
    Table menu(original);
    ASSERT_TRUE(aof::SlotHoldsEntry(menu.t, 22, "b.mac", "B"));
    ASSERT_TRUE(aof::EmptySlot(menu.t, 22));
    EXPECT_EQ(menu.Bytes(), MenuWith({{21, "a.mac", "A"}, {23, "c.mac", "C"}}));
    EXPECT_TRUE(aof::SlotHoldsEntry(menu.t, 23, "c.mac", "C"));

    // Insertion followed by removal gives the original bytes back.
    ASSERT_TRUE(aof::InsertMenuEntry(menu.t, 22, "b.mac", "B"));
    EXPECT_EQ(menu.Bytes(), original);

    EXPECT_FALSE(aof::EmptySlot(menu.t, 0));
    EXPECT_FALSE(aof::EmptySlot(menu.t, 81));
    EXPECT_EQ(menu.Bytes(), original);
}

TEST(EmptySlot, OnlyAnExactPathAndTitleCountAsThePackagesEntry) {
    // 表 ends in the byte of "\": compared as bytes, nothing is folded or split.
    Table menu(MenuWith({{12, "\\macrodir\\\x95\x5c.mac", "Title"}}));
    EXPECT_TRUE(aof::SlotHoldsEntry(menu.t, 12, "\\macrodir\\\x95\x5c.mac", "Title"));
    EXPECT_FALSE(aof::SlotHoldsEntry(menu.t, 12, "\\macrodir\\\x95\x5c.mac", "title"));
    EXPECT_FALSE(aof::SlotHoldsEntry(menu.t, 12, "\\MACRODIR\\\x95\x5c.mac", "Title"));
    EXPECT_FALSE(aof::SlotHoldsEntry(menu.t, 12, "\\macrodir\\\x95\x5c.mac", "Title "));
    EXPECT_FALSE(aof::SlotHoldsEntry(menu.t, 11, "", "x"));
    EXPECT_FALSE(aof::SlotHoldsEntry(menu.t, 0, "", ""));
    EXPECT_FALSE(aof::SlotHoldsEntry(menu.t, 1000, "", ""));
}

TEST(LongValues, BytesAfterThe160thStringAreCarriedAlong) {
    std::string extra = std::string("editor data") + '\0' + "\x01\x02 no NUL at the end";
    Table menu(MenuWith({}) + extra);
    ASSERT_TRUE(aof::CompleteMacroMenuTable(menu.t));
    ASSERT_TRUE(aof::InsertMenuEntry(menu.t, 80, "z.mac", "Z"));
    ASSERT_TRUE(aof::InsertMenuEntry(menu.t, 1, "a.mac", "A"));
    EXPECT_EQ(menu.Bytes(), MenuWith({{1, "a.mac", "A"}, {80, "z.mac", "Z"}}) + extra);
    ASSERT_TRUE(aof::EmptySlot(menu.t, 80));
    ASSERT_TRUE(aof::EmptySlot(menu.t, 1));
    EXPECT_EQ(menu.Bytes(), MenuWith({}) + extra);
}

TEST(ShortValues, AreCompletedWithFreeSlotsKeepingEveryByteRead) {
    Table empty("");
    ASSERT_TRUE(aof::CompleteMacroMenuTable(empty.t));
    EXPECT_EQ(empty.Bytes(), Nuls(160));

    // Three strings, the last one without its NUL: it is ended, the rest are free slots.
    std::string partial = std::string("a.mac") + '\0' + "A" + '\0' + "b.m";
    Table menu(partial);
    ASSERT_TRUE(aof::CompleteMacroMenuTable(menu.t));
    EXPECT_EQ(menu.Bytes(), partial + Nuls(158));
    EXPECT_TRUE(aof::SlotHoldsEntry(menu.t, 1, "a.mac", "A"));
    EXPECT_TRUE(aof::SlotHoldsEntry(menu.t, 2, "b.m", ""));
    EXPECT_EQ(aof::CountFreeSlots(menu.t, 0), 8);

    Table groups(std::string("Short"));
    ASSERT_TRUE(aof::CompleteGroupNameTable(groups.t));
    EXPECT_EQ(groups.Bytes(), "Short" + Nuls(212));
    Table oversized(GroupsWith({{7, "Seven"}}) + "tail");
    ASSERT_TRUE(aof::CompleteGroupNameTable(oversized.t));
    EXPECT_EQ(oversized.t.length, 221u);
}

TEST(ShortValues, NoWalkGoesPastAnIncompleteTable) {
    std::string partial = std::string("a") + '\0' + "b" + '\0' + Nuls(4);
    Table menu(partial);
    EXPECT_EQ(aof::SkipStrings(menu.t, 0, 1000), partial.size());
    EXPECT_EQ(aof::CountFreeSlots(menu.t, 0), 2);
    EXPECT_EQ(aof::CountFreeSlots(menu.t, 1), 0);
    EXPECT_FALSE(aof::InsertMenuEntry(menu.t, 4, "x", "y"));
    EXPECT_FALSE(aof::EmptySlot(menu.t, 4));
    Table groups(std::string(40, 'n'));
    EXPECT_FALSE(aof::IsGroupNameEmpty(groups.t, 2));
    EXPECT_TRUE(aof::IsGroupNameEmpty(groups.t, 3));
    EXPECT_TRUE(aof::GroupNameEquals(groups.t, 2, "nnnnnnnnn"));
    aof::SetGroupName(groups.t, 5, "x");
    EXPECT_EQ(groups.Bytes(), std::string(40, 'n'));
}

TEST(GroupNames, NamesAreSetClearedAndComparedWithinTheirFields) {
    Table groups(GroupsWith({{2, "Kept"}}));
    EXPECT_TRUE(aof::IsGroupNameEmpty(groups.t, 1));
    EXPECT_FALSE(aof::IsGroupNameEmpty(groups.t, 2));
    EXPECT_TRUE(aof::GroupNameEquals(groups.t, 2, "Kept"));
    EXPECT_FALSE(aof::GroupNameEquals(groups.t, 2, "Kep"));
    EXPECT_FALSE(aof::GroupNameEquals(groups.t, 2, "Kept2"));
    EXPECT_TRUE(aof::GroupNameEquals(groups.t, 1, ""));

    // A 31-byte field filled by the user without a NUL still compares whole.
    std::string full(31, 'F');
    Table unterminated(GroupsWith({{3, full}}));
    EXPECT_TRUE(aof::GroupNameEquals(unterminated.t, 3, full.c_str()));
    EXPECT_FALSE(aof::GroupNameEquals(unterminated.t, 3, std::string(30, 'F').c_str()));

    // At most 30 bytes are stored, never half a double-byte character; neighbours stay.
    Table named(GroupsWith({{1, "One"}, {3, "Three"}}));
    std::string longName = std::string(29, 'x') + "\x95\x5c" + "tail";
    aof::SetGroupName(named.t, 2, longName.c_str());
    EXPECT_EQ(named.Bytes(), GroupsWith({{1, "One"}, {2, std::string(29, 'x')}, {3, "Three"}}));
    aof::SetGroupName(named.t, 2, "\x95\x5c");
    EXPECT_TRUE(aof::GroupNameEquals(named.t, 2, "\x95\x5c"));
    aof::ClearGroupName(named.t, 2);
    EXPECT_EQ(named.Bytes(), GroupsWith({{1, "One"}, {3, "Three"}}));
    aof::ClearGroupName(named.t, 0);
    aof::ClearGroupName(named.t, 8);
    EXPECT_EQ(named.Bytes(), GroupsWith({{1, "One"}, {3, "Three"}}));
}

// The tables read again just before storing: this run's edits carried onto what the editor (or
// another setup) stored meanwhile, or refused when both changed the same slot or name.
TEST(MergeTables, ThisRunsEditsCarriedOntoTheTablesAsTheyAreNow) {
    const Slot ours = {11, "a.mac", "A"};
    const Slot theirs = {1, "x.mac", "X"};
    const Slot other = {11, "y.mac", ""};
    const std::string tail = "own";
    struct Case {
        const char *what;
        std::string original, edited, fresh;
        bool merges;
        std::string merged;
    } cases[] = {
        {"unchanged meanwhile", MenuWith({}), MenuWith({ours}), MenuWith({}), true,
         MenuWith({ours})},
        {"another slot used meanwhile", MenuWith({}), MenuWith({ours}), MenuWith({theirs}) + tail,
         true, MenuWith({theirs, ours}) + tail},
        {"our slot used meanwhile", MenuWith({}), MenuWith({ours}), MenuWith({other}), false, ""},
        {"the same entry stored meanwhile", MenuWith({}), MenuWith({ours}), MenuWith({ours}), true,
         MenuWith({ours})},
        {"uninstall: our slot emptied, another filled meanwhile", MenuWith({ours}), MenuWith({}),
         MenuWith({ours, theirs}), true, MenuWith({theirs})},
        {"uninstall: our entry edited meanwhile", MenuWith({ours}), MenuWith({}),
         MenuWith({{11, "a.mac", "A (mine)"}}), false, ""},
        {"nothing edited: the tables as they are now", MenuWith({theirs}), MenuWith({theirs}),
         MenuWith({other}), true, MenuWith({other})},
    };
    for (const Case &c : cases) {
        Table original(c.original), edited(c.edited), fresh(c.fresh);
        ByteTable merged{nullptr, 0};
        EXPECT_EQ(aof::MergeMenuTables(original.t, edited.t, fresh.t, merged), c.merges) << c.what;
        EXPECT_EQ(std::string(reinterpret_cast<char *>(merged.bytes), merged.length), c.merged)
            << c.what;
        aof::ReleaseTable(merged);
    }

    std::string named = "Tools" + Nuls(26);
    std::string unnamed = Nuls(31);
    Table original(unnamed + unnamed + Nuls(155)), edited(named + unnamed + Nuls(155));
    Table fresh(unnamed + "Yours" + Nuls(26) + Nuls(155) + "more");
    ByteTable merged{nullptr, 0};
    EXPECT_TRUE(aof::MergeGroupNameTables(original.t, edited.t, fresh.t, merged));
    EXPECT_EQ(std::string(reinterpret_cast<char *>(merged.bytes), merged.length),
              named + "Yours" + Nuls(26) + Nuls(155) + "more");
    aof::ReleaseTable(merged);
    Table renamed("Other" + Nuls(26) + unnamed + Nuls(155));
    EXPECT_FALSE(aof::MergeGroupNameTables(original.t, edited.t, renamed.t, merged));
    EXPECT_EQ(merged.bytes, nullptr);
}

} // namespace
