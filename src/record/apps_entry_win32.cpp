#include "record/apps_entry_win32.h"

#include <windows.h>

#include "common/registry_win32.h"
#include "common/text.h"
#include "record/apps_entry.h"

namespace aof {

static void WriteEntryValues(HKEY key, const AppsEntryValues &values) {
    char text[kPathSize + 2];
    WriteRegistryText(key, "DisplayName", ChooseDisplayName(values.setupName, values.internalName));
    FormatDecimal(text, values.macroVersion);
    WriteRegistryText(key, "DisplayVersion", text);
    if (QuotePath(text, sizeof text, values.programCopy))
        WriteRegistryText(key, "UninstallString", text);
    WriteRegistryText(key, "DisplayIcon", values.programCopy);
    WriteRegistryText(key, "InstallLocation", values.macroFolder);
    SYSTEMTIME today;
    GetLocalTime(&today);
    FormatInstallDate(text, today.wYear, today.wMonth, today.wDay);
    WriteRegistryText(key, "InstallDate", text);
    WriteRegistryDword(key, "EstimatedSize", ToKibibytes(values.installedBytes));
    WriteRegistryDword(key, "NoModify", 1);
    WriteRegistryDword(key, "NoRepair", 1);
}

void WriteAppsEntry(const AppsEntryValues &values) {
    char path[kPathSize];
    HKEY key;
    if (!ComposeAppsEntryKey(path, sizeof path, values.internalName) ||
        !CreateRegistryKey(HKEY_CURRENT_USER, path, &key))
        return;
    WriteEntryValues(key, values);
    FlushAndCloseKey(key);
}

void DeleteAppsEntry(const char *internalName) {
    char path[kPathSize];
    if (ComposeAppsEntryKey(path, sizeof path, internalName))
        DeleteRegistryKey(HKEY_CURRENT_USER, path);
}

} // namespace aof
