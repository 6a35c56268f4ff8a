#include "editor/menu_table.h"

#include <cstdlib>
#include <cstring>

#include "common/text.h"

namespace aof {

bool AllocateTable(ByteTable &table, std::size_t length) {
    // A zero-length value still gets a block of its own, so that a table always owns one.
    unsigned char *bytes = static_cast<unsigned char *>(std::calloc(length > 0 ? length : 1, 1));
    if (bytes == nullptr)
        return false;
    table.bytes = bytes;
    table.length = length;
    return true;
}

bool CopyTable(const ByteTable &from, ByteTable &to) {
    if (!AllocateTable(to, from.length))
        return false;
    if (from.length > 0)
        std::memcpy(to.bytes, from.bytes, from.length);
    return true;
}

void ReleaseTable(ByteTable &table) {
    std::free(table.bytes);
    table.bytes = nullptr;
    table.length = 0;
}

void ReleaseEditorTables(EditorTables &tables) {
    ReleaseTable(tables.menu);
    ReleaseTable(tables.groups);
    ReleaseTable(tables.menuRead);
    ReleaseTable(tables.groupsRead);
}

// Replaces the table's block by a zero-filled one of newLength bytes that starts with every
// byte of the old block.
static bool GrowTable(ByteTable &table, std::size_t newLength) {
    ByteTable grown;
    if (!AllocateTable(grown, newLength))
        return false;
    if (table.length > 0)
        std::memcpy(grown.bytes, table.bytes, table.length);
    ReleaseTable(table);
    table = grown;
    return true;
}

static std::size_t CountNuls(const ByteTable &table) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < table.length; ++i) {
        if (table.bytes[i] == 0)
            ++count;
    }
    return count;
}

bool CompleteMacroMenuTable(ByteTable &menu) {
    // Each NUL added ends one string: the first one a last unterminated string, if any.
    std::size_t nuls = CountNuls(menu);
    if (nuls >= kMenuStrings)
        return true;
    return GrowTable(menu, menu.length + (kMenuStrings - nuls));
}

bool CompleteGroupNameTable(ByteTable &groups) {
    if (groups.length >= kGroupNameTableSize)
        return true;
    return GrowTable(groups, kGroupNameTableSize);
}

std::size_t SkipStrings(const ByteTable &menu, std::size_t position, std::size_t count) {
    while (count > 0 && position < menu.length) {
        if (menu.bytes[position] == 0)
            --count;
        ++position;
    }
    return position < menu.length ? position : menu.length;
}

// Where slot 1 to 80 lies: the offset of its path and of the NUL that ends its title. False
// for a slot number out of range or a slot that the table does not hold whole.
static bool LocateSlot(const ByteTable &menu, unsigned slot, std::size_t *pathOffset,
                       std::size_t *titleEnd) {
    if (slot < 1 || slot > kSlotCount)
        return false;
    std::size_t path = SkipStrings(menu, 0, 2 * slot - 2);
    std::size_t title = SkipStrings(menu, path, 1);
    std::size_t end = SkipStrings(menu, title, 1);
    if (path >= menu.length || title >= menu.length || menu.bytes[end - 1] != 0)
        return false;
    *pathOffset = path;
    *titleEnd = end - 1;
    return true;
}

static bool IsSlotFree(const ByteTable &menu, unsigned slot) {
    std::size_t path, titleEnd;
    return LocateSlot(menu, slot, &path, &titleEnd) && titleEnd == path + 1;
}

static unsigned SlotNumber(int group, int position) {
    return static_cast<unsigned>(group * kSlotsPerGroup + position);
}

static bool IsValidGroup(int group) {
    return group >= kMainGroup && group < kGroupCount;
}

int CountFreeSlots(const ByteTable &menu, int group) {
    if (!IsValidGroup(group))
        return 0;
    int count = 0;
    for (int position = 1; position <= kSlotsPerGroup; ++position) {
        if (IsSlotFree(menu, SlotNumber(group, position)))
            ++count;
    }
    return count;
}

bool IsGroupEntirelyFree(const ByteTable &menu, int group) {
    return CountFreeSlots(menu, group) == kSlotsPerGroup;
}

bool IsMacroMenuTableEmpty(const ByteTable &menu) {
    for (std::size_t i = 0; i < menu.length && i < kMenuStrings; ++i) {
        if (menu.bytes[i] != 0)
            return false;
    }
    return true;
}

static int FirstSubMenu(const ByteTable &menu, const ByteTable &groups, int macroCount,
                        bool named) {
    for (int group = 1; group < kGroupCount; ++group) {
        if (IsGroupNameEmpty(groups, group) == named)
            continue;
        bool roomy =
            named ? CountFreeSlots(menu, group) >= macroCount : IsGroupEntirelyFree(menu, group);
        if (roomy)
            return group;
    }
    return kNoGroupWithRoom;
}

int ChooseGroupFrom(const ByteTable &menu, const ByteTable &groups, int macroCount,
                    const char *installToMainGroup, unsigned emptySubMenuMode) {
    if (EqualsIgnoringAsciiCase(installToMainGroup, "yes") &&
        CountFreeSlots(menu, kMainGroup) >= macroCount)
        return kMainGroup;
    if (emptySubMenuMode == 0) {
        int group = FirstSubMenu(menu, groups, macroCount, false);
        if (group != kNoGroupWithRoom)
            return group;
    }
    return FirstSubMenu(menu, groups, macroCount, true);
}

void AssignSlotNumbers(const ByteTable &menu, int group, int macroCount,
                       unsigned slotList[kMaxMacros]) {
    for (int i = 0; i < kMaxMacros; ++i)
        slotList[i] = 0;
    if (!IsValidGroup(group))
        return;
    int assigned = 0;
    for (int position = 1; position <= kSlotsPerGroup; ++position) {
        if (assigned >= macroCount || assigned >= kMaxMacros)
            return;
        unsigned slot = SlotNumber(group, position);
        if (IsSlotFree(menu, slot))
            slotList[assigned++] = slot;
    }
}

// Replaces bytes [from, to) of the table by the given pieces, in a new block.
static bool SpliceTable(ByteTable &menu, std::size_t from, std::size_t to, const char *first,
                        const char *second) {
    std::size_t firstLength = std::strlen(first) + 1;
    std::size_t secondLength = second != nullptr ? std::strlen(second) + 1 : 0;
    std::size_t tail = menu.length - to;
    ByteTable spliced;
    if (!AllocateTable(spliced, from + firstLength + secondLength + tail))
        return false;
    unsigned char *out = spliced.bytes;
    std::memcpy(out, menu.bytes, from);
    std::memcpy(out + from, first, firstLength);
    if (second != nullptr)
        std::memcpy(out + from + firstLength, second, secondLength);
    std::memcpy(out + from + firstLength + secondLength, menu.bytes + to, tail);
    ReleaseTable(menu);
    menu = spliced;
    return true;
}

bool InsertMenuEntry(ByteTable &menu, unsigned slot, const char *path, const char *title) {
    std::size_t pathOffset, titleEnd;
    if (!LocateSlot(menu, slot, &pathOffset, &titleEnd) || titleEnd != pathOffset + 1)
        return false;
    return SpliceTable(menu, pathOffset, titleEnd + 1, path, title);
}

bool SlotHoldsEntry(const ByteTable &menu, unsigned slot, const char *path, const char *title) {
    std::size_t pathOffset, titleEnd;
    if (!LocateSlot(menu, slot, &pathOffset, &titleEnd))
        return false;
    const char *slotPath = reinterpret_cast<const char *>(menu.bytes + pathOffset);
    const char *slotTitle = slotPath + std::strlen(slotPath) + 1;
    return std::strcmp(slotPath, path) == 0 && std::strcmp(slotTitle, title) == 0;
}

bool EmptySlot(ByteTable &menu, unsigned slot) {
    std::size_t pathOffset, titleEnd;
    if (!LocateSlot(menu, slot, &pathOffset, &titleEnd))
        return false;
    return SpliceTable(menu, pathOffset, titleEnd, "", nullptr);
}

// A piece of a table: its offset and length in bytes.
struct Span {
    std::size_t offset;
    std::size_t length;
};

static bool SameBytes(const ByteTable &a, Span spanA, const ByteTable &b, Span spanB) {
    return spanA.length == spanB.length &&
           std::memcmp(a.bytes + spanA.offset, b.bytes + spanB.offset, spanA.length) == 0;
}

// Slot 1 to 80 as its two strings with their NULs; slot 81 stands for the bytes after them.
static Span SlotSpan(const ByteTable &menu, unsigned slot) {
    std::size_t start = SkipStrings(menu, 0, 2 * slot - 2);
    std::size_t end = slot <= kSlotCount ? SkipStrings(menu, start, 2) : menu.length;
    return Span{start, end - start};
}

// Where one piece of the merged table comes from; false on a conflict: a piece this run changed
// that someone else changed otherwise.
static bool PickSource(const ByteTable *tables[3], Span spans[3], int *source) {
    *source = 2; // fresh
    if (SameBytes(*tables[0], spans[0], *tables[1], spans[1]))
        return true;
    *source = 1; // edited
    return SameBytes(*tables[0], spans[0], *tables[2], spans[2]) ||
           SameBytes(*tables[1], spans[1], *tables[2], spans[2]);
}

bool MergeMenuTables(const ByteTable &original, const ByteTable &edited, const ByteTable &fresh,
                     ByteTable &merged) {
    const ByteTable *tables[3] = {&original, &edited, &fresh};
    // The first round measures the merged table, the second fills it.
    std::size_t length = 0;
    for (int round = 0; round < 2; ++round) {
        std::size_t at = 0;
        for (unsigned slot = 1; slot <= kSlotCount + 1; ++slot) {
            Span spans[3];
            for (int t = 0; t < 3; ++t)
                spans[t] = SlotSpan(*tables[t], slot);
            int source;
            // The editor's own bytes after the slots are always taken as they are now.
            if (slot > kSlotCount)
                source = 2;
            else if (!PickSource(tables, spans, &source))
                return false;
            if (round == 1 && spans[source].length > 0)
                std::memcpy(merged.bytes + at, tables[source]->bytes + spans[source].offset,
                            spans[source].length);
            at += spans[source].length;
        }
        length = at;
        if (round == 0 && !AllocateTable(merged, length))
            return false;
    }
    return true;
}

bool MergeGroupNameTables(const ByteTable &original, const ByteTable &edited,
                          const ByteTable &fresh, ByteTable &merged) {
    if (!CopyTable(fresh, merged))
        return false;
    const ByteTable *tables[3] = {&original, &edited, &fresh};
    for (int group = 1; group < kGroupCount; ++group) {
        Span field = {static_cast<std::size_t>(group - 1) * kGroupNameFieldSize,
                      kGroupNameFieldSize};
        Span spans[3] = {field, field, field};
        int source;
        if (!PickSource(tables, spans, &source)) {
            ReleaseTable(merged);
            return false;
        }
        std::memcpy(merged.bytes + field.offset, tables[source]->bytes + field.offset,
                    field.length);
    }
    return true;
}

} // namespace aof
