#include "driver/run_state.h"

#include <cstdlib>

namespace aof {

void ReleaseRunState(RunState &state) {
    std::free(state.editorFolder);
    state.editorFolder = nullptr;
    ReleaseTable(state.groupNames);
    ReleaseTable(state.macroMenu);
    ReleaseTable(state.groupNamesRead);
    ReleaseTable(state.macroMenuRead);
}

} // namespace aof
