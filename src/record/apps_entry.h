// The package's entry in the current user's list of installed apps (Settings > Apps, Programs
// and Features): where it lives and the texts it holds. Only packages with an InternalName get
// one; the entry is a convenience for the user, the package record stays the program's memory.
#pragma once

#include <cstddef>

namespace aof {

constexpr char kAppsEntryParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kAppsEntryNamePrefix[] = "AofMacroSetup.";
constexpr std::size_t kAppsKeyNameLimit = 255; // the longest key name Windows accepts

// The entry's key path under HKEY_CURRENT_USER: the parent, the prefix, then InternalName with
// "\" written as "%5C" and "%" as "%25", so that the name stays one key and distinct names stay
// distinct. False, with out left empty, for an empty name or a key name over the limit.
bool ComposeAppsEntryKey(char *out, std::size_t capacity, const char *internalName);

// The name the list shows: SetupName, or InternalName when the package has no SetupName.
const char *ChooseDisplayName(const char *setupName, const char *internalName);

// "YYYYMMDD", as Windows expects InstallDate; out holds 9 bytes.
void FormatInstallDate(char *out, unsigned year, unsigned month, unsigned day);

// The path in double quotes, as an UninstallString that Windows runs as written; false when it
// does not fit (out is then empty).
bool QuotePath(char *out, std::size_t capacity, const char *path);

// Bytes as whole KiB, rounded up, saturating at the largest DWORD (EstimatedSize).
unsigned long ToKibibytes(unsigned long long bytes);

} // namespace aof
