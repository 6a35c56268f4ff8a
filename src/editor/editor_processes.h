// The editor's processes seen while its windows were open, so that the run can wait for them to
// end once the windows have closed.
#pragma once

namespace aof {

constexpr int kMaxEditorProcesses = 8;

struct EditorProcesses {
    unsigned long ids[kMaxEditorProcesses]; // process ids (DWORD)
    int count;
};

} // namespace aof
