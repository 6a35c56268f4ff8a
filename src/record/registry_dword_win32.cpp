#include "record/registry_dword_win32.h"

namespace aof {

DWORD ReadRegistryDword(HKEY root, const char *keyPath, const char *name, DWORD fallback) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return fallback;
    DWORD value = 0;
    DWORD size = sizeof value;
    LONG status =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size);
    RegCloseKey(key);
    // A value of another size than 4 bytes (a string, a short binary) is not a slot number or
    // a version: it counts as unreadable.
    return status == ERROR_SUCCESS && size == sizeof value ? value : fallback;
}

} // namespace aof
