#include "editor/slot_allocation_win32.h"

#include "editor/menu_registry_win32.h"
#include "record/registry_dword_win32.h"
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

bool SetGroupNameIfEmpty(const char *setupInfo, ByteTable &groups, int group) {
    char name[kGroupNameFieldSize];
    ReadSetupString(setupInfo, kGroupName, name);
    if (IsGroupNameEmpty(groups, group))
        SetGroupName(groups, group, name);
    return WriteGroupNameTable(groups, kMacroRegistryOpenFailed);
}

// The slot the package record gives macro n (0 when none is recorded).
static unsigned ReadRecordedSlot(const char *recordKeyPath, unsigned n) {
    char name[11];
    FormatDecimal(name, n);
    return ReadRegistryDword(HKEY_CURRENT_USER, recordKeyPath, name, 0);
}

// Empties the recorded slot of macro n when it still holds the package's path and title.
// False when the uninstall-info copy has no entry n.
static bool RemoveMenuEntry(const char *uninstallCopy, ByteTable &menu, unsigned n, unsigned slot) {
    char fileKey[kKeyNameSize];
    char pathKey[kKeyNameSize];
    char titleKey[kKeyNameSize];
    MakeNumberedKey(fileKey, kFileName.stem, n);
    MakeNumberedKey(pathKey, kPath.stem, n);
    MakeNumberedKey(titleKey, kMacroTitle.stem, n);
    char path[kPathSize];
    int result = ResolveDestinationPath(uninstallCopy, kInstallMacros, fileKey, pathKey, path);
    if (result == kNoSuchEntry)
        return false;
    if (result != kPathDone)
        return true; // a path that does not fit was never registered
    char title[256];
    ReadSetupText(uninstallCopy, kInstallMacros, titleKey, "", title, kMacroTitle.size);
    // A slot out of range, or one the user has changed since, is left as it is.
    if (SlotHoldsEntry(menu, slot, path, title))
        EmptySlot(menu, slot);
    return true;
}

bool RemovePackageMenuEntries(const char *recordKeyPath, const char *uninstallCopy,
                              ByteTable &menu) {
    for (unsigned n = 1;; ++n) {
        unsigned slot = ReadRecordedSlot(recordKeyPath, n);
        if (slot == 0 || !RemoveMenuEntry(uninstallCopy, menu, n, slot))
            break;
    }
    return WriteMacroMenuTable(menu);
}

bool ClearGroupNameIfEmptied(const char *recordKeyPath, const char *uninstallCopy,
                             const ByteTable &menu, ByteTable &groups) {
    unsigned firstSlot = ReadRecordedSlot(recordKeyPath, 1);
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
    return WriteGroupNameTable(groups, kMacroRegistryOpenFailedNt);
}

} // namespace aof
