// The package record (HKCU\Software\Brenlo\AofMacroSetup\<InternalName>) and the
// uninstall-info copies that remember an installed package between runs. An operation that
// returns false has failed; the driver tells the user.
#pragma once

#include <windows.h>

#include "record/record_key.h"
#include "record/run_marker.h"

namespace aof {

struct PackageRecord {
    HKEY key; // the record key while it is open, else nullptr
};

// Creates (or opens) the record key and its parents, before anything is installed: a record
// that cannot be written would leave a package that can never be uninstalled.
bool OpenPackageRecord(PackageRecord &record, const char *recordKeyPath);
bool RecordSlotNumber(const PackageRecord &record, unsigned ordinal, DWORD slot);
bool RecordMacroVersion(const PackageRecord &record, DWORD macroVersion);
// Flushes and closes the record key; on every way out of the install.
void ClosePackageRecord(PackageRecord &record);

// Marks the run as in progress, and takes the mark away as its last step (record/run_marker.h).
bool MarkRun(const PackageRecord &record, const RunMarker &marker);
bool UnmarkRun(const PackageRecord &record);

// The marker the record holds; false when it holds none.
bool ReadRunMarker(const char *recordKeyPath, RunMarker &marker);

// A value of the record; a missing record or value gives 0. False when the record exists but
// cannot be read.
bool ReadRecordValue(const char *recordKeyPath, const char *name, DWORD *value);
// Deletes the record, and with it the run marker: the values this program writes, then the
// key unless another package's record lies below it. False when a value stays.
bool DeletePackageRecord(const char *recordKeyPath);

// The installed-user count of an uninstall-info copy (0 when it has none or is missing).
unsigned ReadInstalledUsers(const char *uninstallCopy);

// The program copy: program (the running one) copied over it, unless the two are one file.
// False when it could not be made.
bool MakeProgramCopy(const char *program, const char *programCopy);

// The uninstall-info copy: the setup-info file copied over it, unless the two are one file.
// False when it could not be made: the old one, if any, is left as it was.
bool MakeSetupInfoCopy(const char *setupInfo, const char *uninstallCopy);

void WriteInstalledUsers(const char *uninstallCopy, unsigned count);

constexpr unsigned kOwnerNameSize = 256; // a SetupName, or an InternalName of 255 bytes

// True when the uninstall-info copy belongs to another package: it names an InternalName that
// is not the running package's. ownerName (kOwnerNameSize bytes) then receives that package's
// SetupName, or its InternalName when it has none. A package without InternalName cannot tell
// and gets false.
bool IsOtherPackagesCopy(const char *uninstallCopy, const char *internalName, char *ownerName);

} // namespace aof
