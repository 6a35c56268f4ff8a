// The driver's word for what the lower rooms report: each returns whether the operation went
// through and, when it did not, has shown the message that ends the run.
#pragma once

#include "editor/editor_environment_win32.h"
#include "editor/menu_registry_win32.h"

namespace aof {

// groupFailureText: what a group name table that cannot be stored says (the install's and the
// uninstall's texts differ).
bool ReportTableStore(TableStore result, const char *groupFailureText);

bool ReportRecordWrite(bool written);
bool ReportRecordRead(bool read);
bool ReportMacroFolderPreparing(MacroFolderPreparing result);

// Editor tables that exist but cannot be read would be replaced by defaults later.
bool ReportTablesRead(bool read);

} // namespace aof
