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

constexpr unsigned kOwnerNameSize = 256; // a SetupName, or an InternalName of 255 bytes

// True when the uninstall-info copy belongs to another package: it names an InternalName that
// is not the running package's. ownerName (kOwnerNameSize bytes) then receives that package's
// SetupName, or its InternalName when it has none. A package without InternalName cannot tell
// and gets false.
bool IsOtherPackagesCopy(const char *uninstallCopy, const char *internalName, char *ownerName);

} // namespace aof
