#include "driver/run_state.h"

#include <cstdlib>

namespace aof {

void ReleaseRunState(RunState &state) {
    std::free(state.editorFolder);
    state.editorFolder = nullptr;
    ReleaseEditorTables(state.tables);
}

} // namespace aof
