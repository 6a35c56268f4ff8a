// The folders a package lists in [Make Directory]: made by an install, removed by an uninstall.
#pragma once

#include "driver/run_state.h"
#include "setupinfo/setup_section_win32.h"

namespace aof {

// Creates the folders of values "1", "2", ... of the section up to the first empty value, in
// that order; each folder's last level only, failures ignored.
void CreateListedFolders(const RunState &state, const SetupSection &folders);

// Removes the same folders in reverse order, so that a folder listed after its parent goes
// first; only empty folders disappear, failures are ignored.
void RemoveListedFolders(const RunState &state, const SetupSection &folders);

} // namespace aof
