#pragma once

#include <windows.h>

namespace aof {

// The 4-byte value of root\keyPath\name, or fallback when the key cannot be opened for reading
// or the value is not a 4-byte value.
DWORD ReadRegistryDword(HKEY root, const char *keyPath, const char *name, DWORD fallback);

} // namespace aof
