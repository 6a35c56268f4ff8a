// The driver's word for what the lower rooms report: each returns whether the operation went
// through and, when it did not, has told the message that ends the run. line tells what the
// stop leaves (ui/stop_messages.h).
#pragma once

#include "driver/teller_win32.h"
#include "editor/editor_environment_win32.h"
#include "editor/menu_registry_win32.h"
#include "ui/stop_messages.h"

namespace aof {

// Tells one of the program's own stop messages, with its icon; first and second name the file
// or package its text names. Always false: the run ends (or, with kLineSetupGoesOn, goes on).
bool TellStop(Teller &teller, StopId stop, StopLine line, const char *first = nullptr,
              const char *second = nullptr);

// groupFailureText: what a group name table that cannot be stored says (the install's and the
// uninstall's texts differ).
bool ReportTableStore(Teller &teller, TableStore result, const char *groupFailureText,
                      StopLine line);

bool ReportRecordWrite(Teller &teller, bool written, StopLine line);
bool ReportRecordRead(Teller &teller, bool read, StopLine line);
bool ReportMacroFolderPreparing(Teller &teller, MacroFolderPreparing result);

// Editor tables that exist but cannot be read would be replaced by defaults later.
bool ReportTablesRead(Teller &teller, bool read);

} // namespace aof
