#include "setupinfo/setup_info_win32.h"

#include "common/text.h"

#include <windows.h>

namespace aof {

namespace {

// Large enough for every value the program reads, so that the cut to the caller's buffer is
// made here, at a character boundary, and not by the profile reader.
constexpr unsigned kReadSize = 2 * kPathSize;

// Enough to tell an empty number value from a present one.
constexpr unsigned kNumberTextSize = 16;

// The raw value, "" when the key is missing or empty.
void ReadRawValue(const char *file, const char *section, const char *key, char *out,
                  unsigned size) {
    GetPrivateProfileStringA(section, key, "", out, size, file);
}

} // namespace

void ReadSetupText(const char *file, const char *section, const char *key, const char *fallback,
                   char *out, unsigned size) {
    char value[kReadSize];
    ReadRawValue(file, section, key, value, sizeof value);
    CopyText(out, size, value[0] != '\0' ? value : fallback);
}

void ReadSetupString(const char *file, const StringKey &key, char *out) {
    ReadSetupText(file, key.section, key.key, key.fallback, out, key.size);
}

bool IsSetupInfoReadable(const char *file) {
    HANDLE handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

unsigned ReadSetupNumberAt(const char *file, const char *section, const char *key,
                           unsigned fallback) {
    // The profile reader gives 0 for "Key=" on some systems; an empty value means the default.
    char value[kNumberTextSize];
    ReadRawValue(file, section, key, value, sizeof value);
    if (value[0] == '\0')
        return fallback;
    return GetPrivateProfileIntA(section, key, static_cast<INT>(fallback), file);
}

unsigned ReadSetupNumber(const char *file, const NumberKey &key) {
    return ReadSetupNumberAt(file, key.section, key.key, key.fallback);
}

} // namespace aof
