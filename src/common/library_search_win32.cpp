#include "common/library_search_win32.h"

#include <windows.h>

namespace aof {

namespace {

// A kernel32 function of type Call, nullptr where the system lacks it. GetProcAddress gives
// every function under one type; each is called through its own (by way of void (*)(), the
// type that stands for any function).
template <typename Call> Call FindKernelFunction(const char *name) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC found = kernel != nullptr ? GetProcAddress(kernel, name) : nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(found));
}

} // namespace

void RestrictLibrarySearch() {
    // LOAD_LIBRARY_SEARCH_SYSTEM32, which older headers lack.
    constexpr DWORD kSearchSystem32 = 0x00000800;
    auto setDefault = FindKernelFunction<BOOL(WINAPI *)(DWORD)>("SetDefaultDllDirectories");
    if (setDefault != nullptr && setDefault(kSearchSystem32))
        return;
    auto setDirectory = FindKernelFunction<BOOL(WINAPI *)(LPCSTR)>("SetDllDirectoryA");
    if (setDirectory != nullptr)
        setDirectory("");
}

} // namespace aof
