// The package's entry in the current user's list of installed apps, from which the user can
// uninstall it like any other program. Writing or deleting it never stops a run.
#pragma once

namespace aof {

struct AppsEntryValues {
    const char *internalName;
    const char *setupName;
    unsigned macroVersion;
    const char *programCopy; // what the entry runs to uninstall, and its icon
    const char *macroFolder;
    unsigned long long installedBytes;
};

// Writes the entry of a package whose install or update has been recorded, replacing what an
// earlier version wrote. A package without InternalName gets none.
void WriteAppsEntry(const AppsEntryValues &values);

// Deletes the entry once the package record is gone.
void DeleteAppsEntry(const char *internalName);

} // namespace aof
