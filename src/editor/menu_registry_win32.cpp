#include "editor/menu_registry_win32.h"

#include "common/registry_win32.h"

#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

static const char kAssignKey[] = "Software\\Aofudeo\\Aofude\\Assign.dat";
static const char kMacroMenuValue[] = "Amacro";
static const char kGroupNameValue[] = "MacroGroup";

// The value, or the default of defaultLength NULs when the key or the value is missing. A key
// that refuses full access is read all the same (the tables are only read here). False when a
// value that exists cannot be read.
static bool LoadTable(const char *name, std::size_t defaultLength, ByteTable &table) {
    ReleaseTable(table);
    HKEY key;
    RegistryResult result = OpenRegistryKey(HKEY_CURRENT_USER, kAssignKey, KEY_READ, &key);
    if (result == kRegistryDone) {
        DWORD size;
        result = ReadRegistryBlock(key, name, 0, &table.bytes, &size);
        table.length = size;
        RegCloseKey(key);
    }
    if (result == kRegistryMissing && AllocateTable(table, defaultLength))
        return true;
    return result == kRegistryDone;
}

bool LoadGroupNameTable(ByteTable &groups) {
    return LoadTable(kGroupNameValue, kGroupNameTableSize, groups) &&
           CompleteGroupNameTable(groups);
}

bool LoadMacroMenuTable(ByteTable &menu) {
    return LoadTable(kMacroMenuValue, kMenuStrings, menu) && CompleteMacroMenuTable(menu);
}

// A value that exists but cannot be read ends the run: defaults written back later would
// replace the editor's registrations.
static bool RefuseUnreadableTable() {
    ShowMessageBox(kMacroRegistryOpenFailed, MB_ICONSTOP);
    return false;
}

bool ReadGroupNameTable(ByteTable &groups) {
    return LoadGroupNameTable(groups) || RefuseUnreadableTable();
}

bool ReadMacroMenuTable(ByteTable &menu) {
    return LoadMacroMenuTable(menu) || RefuseUnreadableTable();
}

typedef bool (*ReadEditorTable)(ByteTable &table);
typedef bool (*MergeEditorTables)(const ByteTable &original, const ByteTable &edited,
                                  const ByteTable &fresh, ByteTable &merged);

// Reads the value again just before storing it, since the editor (saving its menu as it
// closes) or another setup may have stored it since this run read it: this run's edits go onto
// the value as it is now, and table becomes that. Nothing is stored when someone else changed
// what this run changed. A value that cannot be set is handled like a key that cannot be
// opened for writing.
static bool WriteTable(const char *name, ReadEditorTable read, MergeEditorTables merge,
                       ByteTable &table, const ByteTable &original, const char *failureText) {
    ByteTable fresh = {nullptr, 0};
    if (!read(fresh)) {
        ReleaseTable(fresh);
        return false;
    }
    ByteTable merged = {nullptr, 0};
    bool merges = merge(original, table, fresh, merged);
    ReleaseTable(fresh);
    if (!merges) {
        ShowMessageBox(kMenuChangedDuringSetup, MB_ICONSTOP);
        return false;
    }
    ReleaseTable(table);
    table = merged;
    if (StoreRegistryValue(HKEY_CURRENT_USER, kAssignKey, name, REG_BINARY, table.bytes,
                           static_cast<DWORD>(table.length)))
        return true;
    ShowMessageBox(failureText, MB_ICONSTOP);
    return false;
}

bool WriteMacroMenuTable(ByteTable &menu, const ByteTable &original) {
    return WriteTable(kMacroMenuValue, ReadMacroMenuTable, MergeMenuTables, menu, original,
                      kMacroRegistryOpenFailed);
}

bool WriteGroupNameTable(ByteTable &groups, const ByteTable &original, const char *failureText) {
    return WriteTable(kGroupNameValue, ReadGroupNameTable, MergeGroupNameTables, groups, original,
                      failureText);
}

} // namespace aof
