// The package record (HKCU\Software\Brenlo\AofMacroSetup\<InternalName>) and the
// uninstall-info copies that remember an installed package between runs.
#pragma once

#include <windows.h>

#include "record/record_key.h"

namespace aof {

struct PackageRecord {
    HKEY brenlo;
    HKEY setup;
    HKEY package;
    bool ready; // all three keys were created or opened
};

void OpenPackageRecord(PackageRecord &record, const char *internalName);
void RecordSlotNumber(const PackageRecord &record, unsigned ordinal, DWORD slot);
void FinishPackageRecord(PackageRecord &record, DWORD macroVersion);
void DeletePackageRecord(const char *recordKeyPath);

// Reads the installed-user count from the old uninstall-info copy, then makes the program copy
// and the uninstall-info copy. Returns the count read.
unsigned MakeUninstallInfoCopies(const char *setupInfo, const char *programFile,
                                 const char *uninstallCopy, const char *programCopy);

void WriteInstalledUsers(const char *uninstallCopy, unsigned count);

} // namespace aof
