#include "driver/failure_reports_win32.h"

#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

static bool Stop(const char *text, UINT icon) {
    ShowMessageBox(text, icon);
    return false;
}

bool ReportTableStore(TableStore result, const char *groupFailureText) {
    switch (result) {
    case kTablesStored:
        return true;
    case kTablesChanged:
        return Stop(kMenuChangedDuringSetup, MB_ICONSTOP);
    case kGroupTableRefused:
        return Stop(groupFailureText, MB_ICONSTOP);
    case kTablesUnreadable:
    case kMenuTableRefused:
        break;
    }
    return Stop(kMacroRegistryOpenFailed, MB_ICONSTOP);
}

bool ReportRecordWrite(bool written) {
    return written || Stop(kRecordWriteRefused, MB_ICONEXCLAMATION);
}

bool ReportRecordRead(bool read) {
    return read || Stop(kRecordKeyNotOpened, MB_ICONEXCLAMATION);
}

bool ReportMacroFolderPreparing(MacroFolderPreparing result) {
    if (result == kMacroFolderPrepared)
        return true;
    return Stop(result == kMacroFolderNotMade ? kMacroFolderNotCreated : kEnvKeyWriteRefused,
                MB_ICONEXCLAMATION);
}

bool ReportTablesRead(bool read) {
    return read || Stop(kMacroRegistryOpenFailed, MB_ICONSTOP);
}

} // namespace aof
