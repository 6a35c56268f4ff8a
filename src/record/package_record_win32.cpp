#include "record/package_record_win32.h"

#include "common/file_replace_win32.h"
#include "common/text.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/setup_info_win32.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

static bool CreateRecordKey(HKEY parent, const char *name, HKEY *key) {
    DWORD disposition;
    return RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, key, &disposition) == ERROR_SUCCESS;
}

static void SetDwordValue(HKEY key, const char *name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
}

void OpenPackageRecord(PackageRecord &record, const char *internalName) {
    record.brenlo = nullptr;
    record.setup = nullptr;
    record.package = nullptr;
    record.ready = CreateRecordKey(HKEY_CURRENT_USER, kRecordMakerKey, &record.brenlo) &&
                   CreateRecordKey(record.brenlo, kRecordSetupKey, &record.setup) &&
                   CreateRecordKey(record.setup, internalName, &record.package);
}

void RecordSlotNumber(const PackageRecord &record, unsigned ordinal, DWORD slot) {
    if (!record.ready)
        return;
    char name[11];
    FormatDecimal(name, ordinal);
    SetDwordValue(record.package, name, slot);
}

static void CloseRecordKey(HKEY &key) {
    if (key != nullptr)
        RegCloseKey(key);
    key = nullptr;
}

void FinishPackageRecord(PackageRecord &record, DWORD macroVersion) {
    if (record.ready)
        SetDwordValue(record.package, kRecordVersionValue, macroVersion);
    if (record.package != nullptr)
        RegFlushKey(record.package);
    CloseRecordKey(record.package);
    CloseRecordKey(record.setup);
    CloseRecordKey(record.brenlo);
    record.ready = false;
}

// A package without InternalName keeps its record in the values of AofMacroSetup itself. That
// key also holds every other package's record: only this package's values go.
static void DeleteRecordValues(const char *recordKeyPath) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, recordKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, kRecordVersionValue);
    for (unsigned ordinal = 1; ordinal <= kMaxRecordSlots; ++ordinal) {
        char name[11];
        FormatDecimal(name, ordinal);
        RegDeleteValueA(key, name);
    }
    RegFlushKey(key);
    RegCloseKey(key);
}

void DeletePackageRecord(const char *recordKeyPath) {
    if (LastComponent(recordKeyPath)[0] == '\0')
        DeleteRecordValues(recordKeyPath);
    else
        RegDeleteKeyA(HKEY_CURRENT_USER, recordKeyPath);
}

unsigned MakeUninstallInfoCopies(const char *setupInfo, const char *programFile,
                                 const char *uninstallCopy, const char *programCopy) {
    unsigned count = ReadSetupNumber(uninstallCopy, kInstalledUsers);
    // Either copy is left writable: the count is written into the uninstall-info copy later,
    // and a later install must be able to replace both.
    if (!IsSameFile(programFile, programCopy))
        CopyIntoPlace(programFile, programCopy, false);
    if (!IsSameFile(setupInfo, uninstallCopy) && !CopyIntoPlace(setupInfo, uninstallCopy, false))
        ShowMessageBox(kSetupInfoCopyFailed, MB_ICONEXCLAMATION);
    return count;
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
