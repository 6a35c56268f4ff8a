// The folders a package lists in [Make Directory]: made by an install, removed by an uninstall.
#pragma once

#include "driver/run_state.h"

namespace aof {

// Creates the folders of values "1", "2", ... of setupInfo up to the first empty value, in
// that order; each folder's last level only, failures ignored.
void CreateListedFolders(const RunState &state, const char *setupInfo);

// Removes the same folders in reverse order, so that a folder listed after its parent goes
// first; only empty folders disappear, failures are ignored.
void RemoveListedFolders(const RunState &state, const char *setupInfo);

} // namespace aof
