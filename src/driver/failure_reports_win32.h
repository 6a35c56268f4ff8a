// The driver's word for what the lower rooms report: each returns whether the operation went
// through and, when it did not, has told the message that ends the run.
#pragma once

#include "driver/teller_win32.h"
#include "editor/editor_environment_win32.h"
#include "editor/menu_registry_win32.h"

namespace aof {

// groupFailureText: what a group name table that cannot be stored says (the install's and the
// uninstall's texts differ).
bool ReportTableStore(Teller &teller, TableStore result, const char *groupFailureText);

bool ReportRecordWrite(Teller &teller, bool written);
bool ReportRecordRead(Teller &teller, bool read);
bool ReportMacroFolderPreparing(Teller &teller, MacroFolderPreparing result);

// Editor tables that exist but cannot be read would be replaced by defaults later.
bool ReportTablesRead(Teller &teller, bool read);

} // namespace aof
