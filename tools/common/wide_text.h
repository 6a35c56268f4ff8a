// Text conversions and the wide command line, shared by the test tools.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <string>
#include <vector>

namespace tools {

inline std::wstring Widen(UINT codePage, const std::string &bytes) {
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

// Into a code page; *lossy tells whether a character had no form there (never asked for UTF-8,
// where every character has one).
inline std::string Narrow(UINT codePage, const std::wstring &text, bool *lossy = nullptr) {
    if (lossy)
        *lossy = false;
    if (text.empty())
        return std::string();
    BOOL defaulted = FALSE;
    BOOL *check = codePage == CP_UTF8 ? nullptr : &defaulted;
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int n = WideCharToMultiByte(codePage, flags, text.data(), (int)text.size(), nullptr, 0, nullptr,
                                check);
    std::string bytes(n, '\0');
    WideCharToMultiByte(codePage, flags, text.data(), (int)text.size(), &bytes[0], n, nullptr,
                        check);
    if (lossy)
        *lossy = n == 0 || defaulted != FALSE;
    return bytes;
}

inline std::string ToUtf8(const std::wstring &text) {
    return Narrow(CP_UTF8, text);
}
inline std::wstring FromUtf8(const std::string &text) {
    return Widen(CP_UTF8, text);
}

// The arguments after the program name. The wide command line keeps every character the
// caller passed; the ANSI one has already lost what code page 932 cannot hold.
inline std::vector<std::wstring> WideArguments() {
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < argc; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

} // namespace tools
