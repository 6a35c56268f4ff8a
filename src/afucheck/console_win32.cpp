#include "afucheck/console_win32.h"

#include <cstring>
#include <windows.h>

namespace aof {

namespace {

constexpr int kWideLineSize = 2048;

void WriteToStandardOutput(void *, const char *text) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode;
    DWORD written;
    int length = static_cast<int>(std::strlen(text));
    if (GetConsoleMode(output, &mode)) {
        wchar_t wide[kWideLineSize];
        int units = MultiByteToWideChar(932, 0, text, length, wide, kWideLineSize);
        if (units > 0) {
            WriteConsoleW(output, wide, static_cast<DWORD>(units), &written, nullptr);
            return;
        }
    }
    WriteFile(output, text, static_cast<DWORD>(length), &written, nullptr);
}

} // namespace

TextSink StandardOutput() {
    return {WriteToStandardOutput, nullptr};
}

} // namespace aof
