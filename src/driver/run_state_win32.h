// The run state's module instance as the Win32 handle the dialogs are loaded from.
#pragma once

#include <windows.h>

#include "driver/run_state.h"

namespace aof {

inline HINSTANCE InstanceOf(const RunState &state) {
    return static_cast<HINSTANCE>(state.instance);
}

} // namespace aof
