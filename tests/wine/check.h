// A small test harness for the tests that run under Wine against the real Win32 API.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace wt {

struct Case {
    const char *name;
    void (*run)();
};

std::vector<Case> &Cases();
void Fail(const char *file, int line, const std::string &what);

struct Register {
    Register(const char *name, void (*run)()) { Cases().push_back({name, run}); }
};

std::string Show(const std::string &text); // printable form of CP932 bytes

} // namespace wt

#define WT_CONCAT2(a, b) a##b
#define WT_CONCAT(a, b) WT_CONCAT2(a, b)
#define TEST_CASE(name)                                                                            \
    static void name();                                                                            \
    static wt::Register WT_CONCAT(register_, name)(#name, name);                                   \
    static void name()

#define CHECK(cond)                                                                                \
    do {                                                                                           \
        if (!(cond))                                                                               \
            wt::Fail(__FILE__, __LINE__, #cond);                                                   \
    } while (0)

#define CHECK_EQ(a, b)                                                                             \
    do {                                                                                           \
        auto wt_a = (a);                                                                           \
        auto wt_b = (b);                                                                           \
        if (!(wt_a == wt_b))                                                                       \
            wt::Fail(__FILE__, __LINE__,                                                           \
                     std::string(#a " == " #b " (") + std::to_string(wt_a) + " vs " +              \
                         std::to_string(wt_b) + ")");                                              \
    } while (0)

#define CHECK_STR(a, b)                                                                            \
    do {                                                                                           \
        std::string wt_a = (a);                                                                    \
        std::string wt_b = (b);                                                                    \
        if (wt_a != wt_b)                                                                          \
            wt::Fail(__FILE__, __LINE__,                                                           \
                     std::string(#a " == " #b ": \"") + wt::Show(wt_a) + "\" vs \"" +              \
                         wt::Show(wt_b) + "\"");                                                   \
    } while (0)
