// Every registry read and write of the program. Reads are typed and sized, and their result
// tells a missing key or value (the only case that may be answered with a default) from a
// failure; every write reports its result; a key that was written is flushed as it is closed.
#pragma once

#include <windows.h>

namespace aof {

enum RegistryResult {
    kRegistryDone,
    kRegistryMissing, // the key or the value does not exist (ERROR_FILE_NOT_FOUND)
    kRegistryFailed   // it exists but could not be read or written (access, memory, ...)
};

RegistryResult OpenRegistryKey(HKEY root, const char *path, REGSAM access, HKEY *key);

// Opens root\path with full access, creating it and any missing parent key.
bool CreateRegistryKey(HKEY root, const char *path, HKEY *key);

// Flushes and closes a key that was opened for writing; nullptr is left alone.
void FlushAndCloseKey(HKEY &key);

// Reads a value of any size in two steps (its size, then the value) into a new heap block
// (malloc) of that size followed by `padding` NUL bytes; *size is the value's size. When the
// value grows between the two steps (someone stores it meanwhile) the read starts again, a
// bounded number of times.
RegistryResult ReadRegistryBlock(HKEY key, const char *name, DWORD padding, unsigned char **bytes,
                                 DWORD *size, DWORD *type = nullptr);

// The REG_DWORD value of root\path\name; *value is 0 unless done. A value of another type or
// size holds no number and counts as missing.
RegistryResult ReadRegistryDword(HKEY root, const char *path, const char *name, DWORD *value);

bool WriteRegistryValue(HKEY key, const char *name, DWORD type, const void *bytes, DWORD size);
bool WriteRegistryDword(HKEY key, const char *name, DWORD value);
bool WriteRegistryText(HKEY key, const char *name, const char *text); // REG_SZ, NUL included

// Opens root\path for writing, sets one value, flushes and closes the key. False when the key
// cannot be opened or the value not set.
bool StoreRegistryValue(HKEY root, const char *path, const char *name, DWORD type,
                        const void *bytes, DWORD size);

// Delete root\path (a key without subkeys) or one value; false when it exists and stays.
bool DeleteRegistryKey(HKEY root, const char *path);
bool DeleteRegistryValue(HKEY key, const char *name);

} // namespace aof
