#include "common/registry_win32.h"

#include <cstdlib>
#include <cstring>

namespace aof {

// How often a two-step read starts again when the value keeps growing under it.
static const int kReadAttempts = 8;
// Larger values are refused rather than allocated: no value the program reads comes near.
static const DWORD kLargestValue = 16 * 1024 * 1024;

static RegistryResult ResultOf(LONG status) {
    if (status == ERROR_SUCCESS)
        return kRegistryDone;
    return status == ERROR_FILE_NOT_FOUND ? kRegistryMissing : kRegistryFailed;
}

RegistryResult OpenRegistryKey(HKEY root, const char *path, REGSAM access, HKEY *key) {
    *key = nullptr;
    RegistryResult result = ResultOf(RegOpenKeyExA(root, path, 0, access, key));
    if (result != kRegistryDone)
        *key = nullptr;
    return result;
}

bool CreateRegistryKey(HKEY root, const char *path, HKEY *key) {
    *key = nullptr;
    DWORD disposition;
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key, &disposition) == ERROR_SUCCESS)
        return true;
    *key = nullptr;
    return false;
}

void FlushAndCloseKey(HKEY &key) {
    if (key == nullptr)
        return;
    RegFlushKey(key);
    RegCloseKey(key);
    key = nullptr;
}

RegistryResult ReadRegistryBlock(HKEY key, const char *name, DWORD padding, unsigned char **bytes,
                                 DWORD *size, DWORD *type) {
    *bytes = nullptr;
    *size = 0;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD asked = 0;
        LONG status = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &asked);
        if (status != ERROR_SUCCESS)
            return ResultOf(status);
        if (asked > kLargestValue)
            return kRegistryFailed;
        // One byte more than needed, so that an empty value still owns a block.
        unsigned char *block = static_cast<unsigned char *>(std::calloc(asked + padding + 1, 1));
        if (block == nullptr)
            return kRegistryFailed;
        DWORD got = asked;
        status = RegQueryValueExA(key, name, nullptr, type, block, &got);
        if (status == ERROR_SUCCESS) {
            *bytes = block;
            *size = got;
            return kRegistryDone;
        }
        std::free(block);
        if (status != ERROR_MORE_DATA)
            return ResultOf(status);
    }
    return kRegistryFailed;
}

RegistryResult ReadRegistryDword(HKEY root, const char *path, const char *name, DWORD *value) {
    *value = 0;
    HKEY key;
    RegistryResult result = OpenRegistryKey(root, path, KEY_READ, &key);
    if (result != kRegistryDone)
        return result;
    DWORD read = 0;
    DWORD size = sizeof read;
    DWORD type = REG_NONE;
    LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&read), &size);
    RegCloseKey(key);
    // Only a REG_DWORD holds a number: "123" as text, or four bytes of another type, hold none.
    if (status == ERROR_MORE_DATA ||
        (status == ERROR_SUCCESS && (type != REG_DWORD || size != sizeof read)))
        return kRegistryMissing;
    if (status == ERROR_SUCCESS)
        *value = read;
    return ResultOf(status);
}

bool WriteRegistryValue(HKEY key, const char *name, DWORD type, const void *bytes, DWORD size) {
    return RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(bytes), size) ==
           ERROR_SUCCESS;
}

bool WriteRegistryDword(HKEY key, const char *name, DWORD value) {
    return WriteRegistryValue(key, name, REG_DWORD, &value, sizeof value);
}

bool WriteRegistryText(HKEY key, const char *name, const char *text) {
    return WriteRegistryValue(key, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool StoreRegistryValue(HKEY root, const char *path, const char *name, DWORD type,
                        const void *bytes, DWORD size) {
    HKEY key;
    if (OpenRegistryKey(root, path, KEY_WRITE, &key) != kRegistryDone)
        return false;
    bool stored = WriteRegistryValue(key, name, type, bytes, size);
    FlushAndCloseKey(key);
    return stored;
}

bool DeleteRegistryKey(HKEY root, const char *path) {
    return ResultOf(RegDeleteKeyA(root, path)) != kRegistryFailed;
}

bool DeleteRegistryValue(HKEY key, const char *name) {
    return ResultOf(RegDeleteValueA(key, name)) != kRegistryFailed;
}

} // namespace aof
