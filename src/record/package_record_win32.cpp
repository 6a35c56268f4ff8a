#include "record/package_record_win32.h"

#include "common/file_replace_win32.h"
#include "common/registry_win32.h"
#include "common/text.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <cstdlib>
#include <cstring>

namespace aof {

bool OpenPackageRecord(PackageRecord &record, const char *recordKeyPath) {
    return CreateRegistryKey(HKEY_CURRENT_USER, recordKeyPath, &record.key);
}

bool RecordSlotNumber(const PackageRecord &record, unsigned ordinal, DWORD slot) {
    char name[11];
    FormatDecimal(name, ordinal);
    return WriteRegistryDword(record.key, name, slot);
}

bool MarkRun(const PackageRecord &record, const RunMarker &marker) {
    char text[kRunMarkerSize];
    ComposeRunMarker(text, marker);
    return WriteRegistryText(record.key, kRunMarkerValue, text);
}

bool UnmarkRun(const PackageRecord &record) {
    return DeleteRegistryValue(record.key, kRunMarkerValue);
}

bool ReadRunMarker(const char *recordKeyPath, RunMarker &marker) {
    HKEY key;
    if (OpenRegistryKey(HKEY_CURRENT_USER, recordKeyPath, KEY_READ, &key) != kRegistryDone)
        return false;
    unsigned char *text;
    DWORD size;
    DWORD type = REG_NONE;
    bool read = ReadRegistryBlock(key, kRunMarkerValue, 1, &text, &size, &type) == kRegistryDone;
    RegCloseKey(key);
    bool marked = read && type == REG_SZ && ParseRunMarker(reinterpret_cast<char *>(text), marker);
    std::free(text);
    return marked;
}

bool RecordMacroVersion(const PackageRecord &record, DWORD macroVersion) {
    return WriteRegistryDword(record.key, kRecordVersionValue, macroVersion);
}

void ClosePackageRecord(PackageRecord &record) {
    FlushAndCloseKey(record.key);
}

bool ReadRecordValue(const char *recordKeyPath, const char *name, DWORD *value) {
    return ReadRegistryDword(HKEY_CURRENT_USER, recordKeyPath, name, value) != kRegistryFailed;
}

// The record's values go first, the marker last: a package without InternalName keeps its
// record in the values of AofMacroSetup itself, which holds every other package's record too,
// and a record key may hold another package's record below it (InternalName "A\B" under
// "A"). Then the key goes, unless it holds such a record below it.
bool DeletePackageRecord(const char *recordKeyPath) {
    HKEY key;
    RegistryResult result = OpenRegistryKey(HKEY_CURRENT_USER, recordKeyPath, KEY_ALL_ACCESS, &key);
    if (result != kRegistryDone)
        return result == kRegistryMissing;
    bool deleted = DeleteRegistryValue(key, kRecordVersionValue);
    for (unsigned ordinal = 1; ordinal <= kMaxRecordSlots; ++ordinal) {
        char name[11];
        FormatDecimal(name, ordinal);
        deleted = DeleteRegistryValue(key, name) && deleted;
    }
    deleted = DeleteRegistryValue(key, kRunMarkerValue) && deleted;
    FlushAndCloseKey(key);
    if (deleted && std::strcmp(recordKeyPath, kRecordSetupKeyPath) != 0)
        DeleteRegistryKey(HKEY_CURRENT_USER, recordKeyPath);
    return deleted;
}

unsigned ReadInstalledUsers(const char *uninstallCopy) {
    return ReadSetupNumber(uninstallCopy, kInstalledUsers);
}

// Either copy is left writable: the count is written into the uninstall-info copy, and a later
// install must be able to replace both.
bool MakeProgramCopy(const char *program, const char *programCopy) {
    return IsSameFile(program, programCopy) || CopyIntoPlace(program, programCopy, false);
}

bool MakeSetupInfoCopy(const char *setupInfo, const char *uninstallCopy) {
    return IsSameFile(setupInfo, uninstallCopy) || CopyIntoPlace(setupInfo, uninstallCopy, false);
}

static void FlushProfileCache(const char *file) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
}

void WriteInstalledUsers(const char *uninstallCopy, unsigned count) {
    char text[11];
    FormatDecimal(text, count);
    FlushProfileCache(uninstallCopy);
    WritePrivateProfileStringA(kInstalledUsers.section, kInstalledUsers.key, text, uninstallCopy);
    FlushProfileCache(uninstallCopy);
}

bool IsOtherPackagesCopy(const char *uninstallCopy, const char *internalName, char *ownerName) {
    char owner[kInternalName.size];
    ReadSetupString(uninstallCopy, kInternalName, owner);
    if (internalName[0] == '\0' || owner[0] == '\0' || EqualsIgnoringAsciiCase(owner, internalName))
        return false;
    ReadSetupString(uninstallCopy, kSetupName, ownerName);
    if (ownerName[0] == '\0')
        CopyText(ownerName, kOwnerNameSize, owner);
    return true;
}

} // namespace aof
