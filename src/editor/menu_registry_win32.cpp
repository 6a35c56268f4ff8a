#include "editor/menu_registry_win32.h"

#include "common/registry_win32.h"

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

// A copy of a table as read, kept to tell this run's edits from changes made by others.
static bool KeepAsRead(const ByteTable &table, ByteTable &read) {
    ReleaseTable(read);
    return CopyTable(table, read);
}

bool LoadEditorTables(EditorTables &tables) {
    return LoadGroupNameTable(tables.groups) && LoadMacroMenuTable(tables.menu) &&
           KeepAsRead(tables.groups, tables.groupsRead) && KeepAsRead(tables.menu, tables.menuRead);
}

typedef bool (*MergeEditorTables)(const ByteTable &original, const ByteTable &edited,
                                  const ByteTable &fresh, ByteTable &merged);

// This run's edits of table carried onto fresh, the value as it is now; table becomes that.
static TableStore MergeTable(MergeEditorTables merge, ByteTable &table, const ByteTable &original,
                             const ByteTable &fresh) {
    ByteTable merged = {nullptr, 0};
    if (!merge(original, table, fresh, merged))
        return kTablesChanged;
    ReleaseTable(table);
    table = merged;
    return kTablesStored;
}

static bool StoreTable(const char *name, const ByteTable &table) {
    return StoreRegistryValue(HKEY_CURRENT_USER, kAssignKey, name, REG_BINARY, table.bytes,
                              static_cast<DWORD>(table.length));
}

TableStore StoreEditorTables(EditorTables &tables, bool groups) {
    EditorTables fresh = {};
    TableStore result = kTablesUnreadable;
    if (LoadMacroMenuTable(fresh.menu) && LoadGroupNameTable(fresh.groups)) {
        result = MergeTable(MergeMenuTables, tables.menu, tables.menuRead, fresh.menu);
        if (result == kTablesStored && groups)
            result =
                MergeTable(MergeGroupNameTables, tables.groups, tables.groupsRead, fresh.groups);
    }
    ReleaseEditorTables(fresh);
    if (result != kTablesStored)
        return result;
    if (!StoreTable(kMacroMenuValue, tables.menu))
        return kMenuTableRefused;
    return !groups || StoreTable(kGroupNameValue, tables.groups) ? kTablesStored
                                                                 : kGroupTableRefused;
}

} // namespace aof
