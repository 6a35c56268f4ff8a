#include "editor/slot_allocation_win32.h"

#include "editor/menu_registry_win32.h"
#include "record/package_record_win32.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_texts.h"

namespace aof {

int ChooseGroup(const char *setupInfo, const ByteTable &menu, const ByteTable &groups,
                int macroCount) {
    char installToMainGroup[4]; // only the first three characters decide
    ReadSetupString(setupInfo, kInstallToMainGroup, installToMainGroup);
    unsigned emptySubMenuMode = ReadSetupNumber(setupInfo, kGetEmptySubMenuMode);
    return ChooseGroupFrom(menu, groups, macroCount, installToMainGroup, emptySubMenuMode);
}

bool SetGroupNameIfEmpty(const char *setupInfo, ByteTable &groups, const ByteTable &groupsRead,
                         int group) {
    char name[kGroupNameFieldSize];
    ReadSetupString(setupInfo, kGroupName, name);
    if (IsGroupNameEmpty(groups, group))
        SetGroupName(groups, group, name);
    return WriteGroupNameTable(groups, groupsRead, kMacroRegistryOpenFailed);
}

// The slot the package record gives macro n (0 when none is recorded); false when the record
// cannot be read (message shown, the run ends).
static bool ReadRecordedSlot(const char *recordKeyPath, unsigned n, DWORD *slot) {
    char name[11];
    FormatDecimal(name, n);
    return ReadRecordValue(recordKeyPath, name, slot);
}

// Empties the recorded slot of macro n when it still holds the package's path and title.
// False when the uninstall-info copy has no entry n.
static bool RemoveMenuEntry(const SetupSection &macros, ByteTable &menu, unsigned n,
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

bool RemovePackageMenuEntries(const char *recordKeyPath, const char *uninstallCopy, ByteTable &menu,
                              const ByteTable &menuRead) {
    SetupSection macros;
    macros.Read(uninstallCopy, kInstallMacros); // an unreadable copy lists no macro
    for (unsigned n = 1;; ++n) {
        DWORD slot;
        if (!ReadRecordedSlot(recordKeyPath, n, &slot))
            return false;
        if (slot == 0 || !RemoveMenuEntry(macros, menu, n, slot))
            break;
    }
    return WriteMacroMenuTable(menu, menuRead);
}

bool ClearGroupNameIfEmptied(const char *recordKeyPath, const char *uninstallCopy,
                             const ByteTable &menu, ByteTable &groups,
                             const ByteTable &groupsRead) {
    DWORD firstSlot;
    if (!ReadRecordedSlot(recordKeyPath, 1, &firstSlot))
        return false;
    if (firstSlot <= static_cast<unsigned>(kSlotsPerGroup) || firstSlot > kSlotCount)
        return true; // the main menu, nothing recorded, or a slot the tables do not have
    int group = static_cast<int>((firstSlot - 1) / kSlotsPerGroup);
    if (!IsGroupEntirelyFree(menu, group))
        return true;
    char name[kGroupNameFieldSize];
    ReadSetupString(uninstallCopy, kGroupName, name);
    if (!GroupNameEquals(groups, group, name))
        return true;
    ClearGroupName(groups, group);
    return WriteGroupNameTable(groups, groupsRead, kMacroRegistryOpenFailedNt);
}

} // namespace aof
