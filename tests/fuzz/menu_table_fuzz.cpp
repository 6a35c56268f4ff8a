// Random menu and group name tables, edited by random sequences of insertions, removals,
// names and unnamings. Every edit must keep at least 80 slots, leave the bytes outside the
// edited slot or field as they were, and an insertion undone by its removal must give the
// original bytes back.
#include "editor/menu_table.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using aof::ByteTable;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

std::string BytesOf(const ByteTable &table) {
    return std::string(reinterpret_cast<const char *>(table.bytes), table.length);
}

ByteTable TableOf(const std::string &bytes) {
    ByteTable table{nullptr, 0};
    Require(aof::AllocateTable(table, bytes.size()));
    if (!bytes.empty())
        std::memcpy(table.bytes, bytes.data(), bytes.size());
    return table;
}

// A text without NUL bytes, as the profile functions give them.
std::string TextFrom(FuzzedDataProvider &data, std::size_t most) {
    std::string text = data.ConsumeRandomLengthString(most);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

void RequireEightySlots(const ByteTable &menu) {
    Require(std::count(menu.bytes, menu.bytes + menu.length, 0) >= 160);
}

// The byte range [from, to) of a slot's two strings in a whole table.
void SlotRange(const ByteTable &menu, unsigned slot, std::size_t *from, std::size_t *to) {
    *from = aof::SkipStrings(menu, 0, 2 * slot - 2);
    *to = aof::SkipStrings(menu, *from, 2);
}

// after is before with [from, to) replaced by middle.
void RequireSplice(const std::string &before, const ByteTable &after, std::size_t from,
                   std::size_t to, const std::string &middle) {
    Require(BytesOf(after) == before.substr(0, from) + middle + before.substr(to));
}

void Insert(FuzzedDataProvider &data, ByteTable &menu, unsigned slot) {
    std::string path = TextFrom(data, 300);
    std::string title = TextFrom(data, 300);
    std::string before = BytesOf(menu);
    if (!aof::InsertMenuEntry(menu, slot, path.c_str(), title.c_str())) {
        Require(BytesOf(menu) == before);
        return;
    }
    std::size_t from, to;
    SlotRange(menu, slot, &from, &to);
    RequireSplice(before, menu, from, from + 2, path + '\0' + title + '\0');
    Require(aof::SlotHoldsEntry(menu, slot, path.c_str(), title.c_str()));
    if (data.ConsumeBool()) {
        Require(aof::EmptySlot(menu, slot));
        Require(BytesOf(menu) == before);
    }
}

void Remove(ByteTable &menu, unsigned slot) {
    std::string before = BytesOf(menu);
    std::size_t from, to;
    bool inRange = slot >= 1 && slot <= 80;
    if (inRange)
        SlotRange(menu, slot, &from, &to);
    if (!aof::EmptySlot(menu, slot)) {
        Require(!inRange);
        Require(BytesOf(menu) == before);
        return;
    }
    RequireSplice(before, menu, from, to, std::string(2, '\0'));
}

void Name(FuzzedDataProvider &data, ByteTable &groups, int group, bool clear) {
    std::string before = BytesOf(groups);
    std::string name = clear ? std::string() : TextFrom(data, 40);
    if (clear)
        aof::ClearGroupName(groups, group);
    else
        aof::SetGroupName(groups, group, name.c_str());
    std::string after = BytesOf(groups);
    Require(after.size() == before.size());
    if (group < 1 || group > 7) {
        Require(after == before);
        return;
    }
    std::size_t from = 31 * static_cast<std::size_t>(group - 1);
    Require(after.substr(0, from) == before.substr(0, from));
    Require(after.substr(from + 31) == before.substr(from + 31));
    Require(after[from + 30] == '\0');
    Require(aof::GroupNameEquals(groups, group, after.c_str() + from));
    Require(aof::IsGroupNameEmpty(groups, group) == name.empty());
}

void Choose(FuzzedDataProvider &data, const ByteTable &menu, const ByteTable &groups) {
    int macroCount = data.ConsumeIntegralInRange(1, 10);
    int group = aof::ChooseGroupFrom(menu, groups, macroCount, data.ConsumeBool() ? "YeS" : "no",
                                     data.ConsumeIntegralInRange(0u, 2u));
    Require(group >= 0 && group <= 8);
    unsigned slots[aof::kMaxMacros];
    aof::AssignSlotNumbers(menu, group, macroCount, slots);
    for (int i = 0; i < aof::kMaxMacros; ++i) {
        Require(slots[i] == 0 || (slots[i] - 1) / 10 == static_cast<unsigned>(group));
        Require(i < macroCount || slots[i] == 0);
        Require(i == 0 || slots[i] == 0 || slots[i] > slots[i - 1]);
    }
    if (group != 8)
        Require(slots[macroCount - 1] != 0);
}

// Merges that must give the edited tables: this run's edits onto the tables as read, someone
// else's same edits without any of this run's, and the same edits made on both sides.
void RequireMergesGiveEdited(const std::string &menuRead, const ByteTable &menu,
                             const std::string &groupsRead, const ByteTable &groups) {
    ByteTable read[2] = {TableOf(menuRead), TableOf(groupsRead)};
    Require(aof::CompleteMacroMenuTable(read[0]));
    Require(aof::CompleteGroupNameTable(read[1]));
    const ByteTable *edited[2] = {&menu, &groups};
    for (int t = 0; t < 2; ++t) {
        const ByteTable *o = &read[t], *e = edited[t];
        const ByteTable *variants[3][2] = {{e, o}, {o, e}, {e, e}}; // edited, fresh
        for (const auto &variant : variants) {
            ByteTable merged{nullptr, 0};
            Require(t == 0 ? aof::MergeMenuTables(*o, *variant[0], *variant[1], merged)
                           : aof::MergeGroupNameTables(*o, *variant[0], *variant[1], merged));
            Require(BytesOf(merged) == BytesOf(*e));
            aof::ReleaseTable(merged);
        }
        aof::ReleaseTable(read[t]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    std::string menuRead = data.ConsumeRandomLengthString(600);
    std::string groupsRead = data.ConsumeRandomLengthString(260);
    ByteTable menu = TableOf(menuRead);
    ByteTable groups = TableOf(groupsRead);
    Require(aof::CompleteMacroMenuTable(menu));
    Require(aof::CompleteGroupNameTable(groups));
    Require(BytesOf(menu).compare(0, menuRead.size(), menuRead) == 0);
    Require(BytesOf(groups).compare(0, groupsRead.size(), groupsRead) == 0);
    Require(groups.length >= 217);

    while (data.remaining_bytes() > 0) {
        RequireEightySlots(menu);
        unsigned slot = data.ConsumeIntegralInRange(0u, 82u);
        int group = data.ConsumeIntegralInRange(0, 8);
        switch (data.ConsumeIntegralInRange(0, 4)) {
        case 0:
            Insert(data, menu, slot);
            break;
        case 1:
            Remove(menu, slot);
            break;
        case 2:
            Name(data, groups, group, false);
            break;
        case 3:
            Name(data, groups, group, true);
            break;
        default:
            Choose(data, menu, groups);
            break;
        }
    }
    RequireEightySlots(menu);
    RequireMergesGiveEdited(menuRead, menu, groupsRead, groups);
    aof::ReleaseTable(menu);
    aof::ReleaseTable(groups);
    return 0;
}
