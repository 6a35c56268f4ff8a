#include "driver/failure_reports_win32.h"

#include "ui/message_texts.h"

#include <windows.h>

namespace aof {

static_assert(kStopIcon == MB_ICONSTOP && kWarningIcon == MB_ICONEXCLAMATION &&
                  kInformationIcon == MB_ICONINFORMATION,
              "stop message icons are message box styles");

static bool Stop(Teller &teller, const char *text, UINT icon) {
    teller.Tell(text, icon);
    return false;
}

bool TellStop(Teller &teller, StopId stop, StopLine line, const char *first, const char *second) {
    char text[kStopTextSize];
    unsigned char icon = ComposeStopMessage(text, stop, line, first, second);
    return Stop(teller, text, icon);
}

bool ReportTableStore(Teller &teller, TableStore result, const char *groupFailureText,
                      StopLine line) {
    switch (result) {
    case kTablesStored:
        return true;
    case kTablesChanged:
        return TellStop(teller, kStopMenuChanged, line);
    case kGroupTableRefused:
        return Stop(teller, groupFailureText, MB_ICONSTOP);
    case kTablesUnreadable:
    case kMenuTableRefused:
        break;
    }
    return Stop(teller, kMacroRegistryOpenFailed, MB_ICONSTOP);
}

bool ReportRecordWrite(Teller &teller, bool written, StopLine line) {
    return written || TellStop(teller, kStopRecordUnwritable, line);
}

bool ReportRecordRead(Teller &teller, bool read, StopLine line) {
    return read || TellStop(teller, kStopRecordUnreadable, line);
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
