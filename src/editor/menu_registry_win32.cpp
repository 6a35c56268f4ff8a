#include "editor/menu_registry_win32.h"

#include <windows.h>

#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

static const char kAssignKey[] = "Software\\Aofudeo\\Aofude\\Assign.dat";
static const char kMacroMenuValue[] = "Amacro";
static const char kGroupNameValue[] = "MacroGroup";

// Opens the editor's Assign.dat key for reading. A key that exists but refuses full access is
// opened for reading only: its values must still be read, since tables taken from the
// defaults would wipe the user's registrations when written back.
static bool OpenAssignKeyForReading(HKEY *key) {
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, KEY_ALL_ACCESS, key) == ERROR_SUCCESS)
        return true;
    return RegOpenKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, KEY_READ, key) == ERROR_SUCCESS;
}

enum ValueReading { kValueRead, kValueMissing, kNoMemory };

// Reads the value in two steps (its size, then the value into a block of exactly that size).
static ValueReading ReadValue(HKEY key, const char *name, ByteTable &table) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return kValueMissing;
    if (!AllocateTable(table, size))
        return kNoMemory;
    if (RegQueryValueExA(key, name, nullptr, nullptr, table.bytes, &size) != ERROR_SUCCESS) {
        ReleaseTable(table);
        return kValueMissing;
    }
    table.length = size;
    return kValueRead;
}

// The value, or the default of defaultLength NULs when the key or the value is missing.
static bool ReadTable(const char *name, std::size_t defaultLength, ByteTable &table) {
    ReleaseTable(table);
    HKEY key;
    ValueReading reading = kValueMissing;
    if (OpenAssignKeyForReading(&key)) {
        reading = ReadValue(key, name, table);
        RegCloseKey(key);
    }
    if (reading == kValueMissing)
        return AllocateTable(table, defaultLength);
    return reading == kValueRead;
}

bool ReadGroupNameTable(ByteTable &groups) {
    return ReadTable(kGroupNameValue, kGroupNameTableSize, groups) &&
           CompleteGroupNameTable(groups);
}

bool ReadMacroMenuTable(ByteTable &menu) {
    return ReadTable(kMacroMenuValue, kMenuStrings, menu) && CompleteMacroMenuTable(menu);
}

static bool WriteTable(const char *name, const ByteTable &table, const char *failureText) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) {
        ShowMessageBox(failureText, MB_ICONSTOP);
        return false;
    }
    RegSetValueExA(key, name, 0, REG_BINARY, table.bytes, static_cast<DWORD>(table.length));
    RegFlushKey(key);
    RegCloseKey(key);
    return true;
}

bool WriteMacroMenuTable(const ByteTable &menu) {
    return WriteTable(kMacroMenuValue, menu, kMacroRegistryOpenFailed);
}

bool WriteGroupNameTable(const ByteTable &groups, const char *failureText) {
    return WriteTable(kGroupNameValue, groups, failureText);
}

} // namespace aof
