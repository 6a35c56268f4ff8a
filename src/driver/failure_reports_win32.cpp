#include "driver/failure_reports_win32.h"

#include "ui/message_texts.h"

#include <windows.h>

namespace aof {

static bool Stop(Teller &teller, const char *text, UINT icon) {
    teller.Tell(text, icon);
    return false;
}

bool ReportTableStore(Teller &teller, TableStore result, const char *groupFailureText) {
    switch (result) {
    case kTablesStored:
        return true;
    case kTablesChanged:
        return Stop(teller, kMenuChangedDuringSetup, MB_ICONSTOP);
    case kGroupTableRefused:
        return Stop(teller, groupFailureText, MB_ICONSTOP);
    case kTablesUnreadable:
    case kMenuTableRefused:
        break;
    }
    return Stop(teller, kMacroRegistryOpenFailed, MB_ICONSTOP);
}

bool ReportRecordWrite(Teller &teller, bool written) {
    return written || Stop(teller, kRecordWriteRefused, MB_ICONEXCLAMATION);
}

bool ReportRecordRead(Teller &teller, bool read) {
    return read || Stop(teller, kRecordKeyNotOpened, MB_ICONEXCLAMATION);
}

bool ReportMacroFolderPreparing(Teller &teller, MacroFolderPreparing result) {
    if (result == kMacroFolderPrepared)
        return true;
    return Stop(teller,
                result == kMacroFolderNotMade ? kMacroFolderNotCreated : kEnvKeyWriteRefused,
                MB_ICONEXCLAMATION);
}

bool ReportTablesRead(Teller &teller, bool read) {
    return read || Stop(teller, kMacroRegistryOpenFailed, MB_ICONSTOP);
}

} // namespace aof
