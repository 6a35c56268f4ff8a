#include "editor/slot_allocation_win32.h"

#include "record/package_record_win32.h"
#include "setupinfo/entry_walk.h"
#include "setupinfo/setup_info_win32.h"

namespace aof {

int ChooseGroup(const char *setupInfo, const ByteTable &menu, const ByteTable &groups,
                int macroCount) {
    char installToMainGroup[4]; // only the first three characters decide
    ReadSetupString(setupInfo, kInstallToMainGroup, installToMainGroup);
    unsigned emptySubMenuMode = ReadSetupNumber(setupInfo, kGetEmptySubMenuMode);
    return ChooseGroupFrom(menu, groups, macroCount, installToMainGroup, emptySubMenuMode);
}

void NameGroupIfEmpty(const char *setupInfo, ByteTable &groups, int group) {
    char name[kGroupNameFieldSize];
    ReadSetupString(setupInfo, kGroupName, name);
    if (IsGroupNameEmpty(groups, group))
        SetGroupName(groups, group, name);
}

// The slot the package record gives macro n (0 when none is recorded); false when the record
// cannot be read.
static bool ReadRecordedSlot(const char *recordKeyPath, unsigned n, DWORD *slot) {
    char name[11];
    FormatDecimal(name, n);
    return ReadRecordValue(recordKeyPath, name, slot);
}

// Empties the recorded slot of macro n when it still holds the package's path and title.
// False when the list has no entry n.
static bool RemoveMenuEntry(const SectionIndex &macros, ByteTable &menu, unsigned n,
                            unsigned slot) {
    char path[kPathSize];
    char title[kMacroTitle.size];
    int result = ResolveMenuEntry(macros, n, path, title);
    if (result == kNoSuchEntry)
        return false;
    if (result != kPathDone)
        return true; // a path that does not fit was never registered
    // A slot out of range, or one the user has changed since, is left as it is.
    if (SlotHoldsEntry(menu, slot, path, title))
        EmptySlot(menu, slot);
    return true;
}

bool RemovePackageMenuEntries(const char *recordKeyPath, const SectionIndex &macros,
                              ByteTable &menu) {
    for (unsigned n = 1;; ++n) {
        DWORD slot;
        if (!ReadRecordedSlot(recordKeyPath, n, &slot))
            return false;
        if (slot == 0 || !RemoveMenuEntry(macros, menu, n, slot))
            return true;
    }
}

bool ClearGroupNameIfEmptied(const char *recordKeyPath, const char *groupName,
                             const ByteTable &menu, ByteTable &groups, bool *cleared) {
    *cleared = false;
    DWORD firstSlot;
    if (!ReadRecordedSlot(recordKeyPath, 1, &firstSlot))
        return false;
    // The main menu, nothing recorded, or a slot the tables do not have: nothing to clear.
    if (firstSlot <= static_cast<unsigned>(kSlotsPerGroup) || firstSlot > kSlotCount)
        return true;
    int group = static_cast<int>((firstSlot - 1) / kSlotsPerGroup);
    if (IsGroupEntirelyFree(menu, group) && GroupNameEquals(groups, group, groupName)) {
        ClearGroupName(groups, group);
        *cleared = true;
    }
    return true;
}

bool RemovePackageRegistration(const char *recordKeyPath, const SectionIndex &macros,
                               const char *groupName, EditorTables &tables, bool *groupCleared,
                               bool *changed) {
    std::size_t length = tables.menu.length;
    if (!RemovePackageMenuEntries(recordKeyPath, macros, tables.menu) ||
        !ClearGroupNameIfEmptied(recordKeyPath, groupName, tables.menu, tables.groups,
                                 groupCleared))
        return false;
    // An emptied slot shortens the table by its path and title: a slot in use is never empty.
    *changed = *groupCleared || tables.menu.length != length;
    return true;
}

} // namespace aof
