// Runs every registered case (or those whose names are given) and ends with the closing line
// "N passed, M failed".
#include "check.h"

namespace wt {

static int failures_in_case = 0;

std::vector<Case> &Cases() {
    static std::vector<Case> cases;
    return cases;
}

void Fail(const char *file, int line, const std::string &what) {
    ++failures_in_case;
    std::printf("    %s:%d: %s\n", file, line, what.c_str());
}

std::string Show(const std::string &text) {
    std::string out;
    for (unsigned char c : text) {
        char hex[8];
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

} // namespace wt

int main(int argc, char **argv) {
    int passed = 0;
    int failed = 0;
    for (const wt::Case &c : wt::Cases()) {
        bool selected = argc < 2;
        for (int i = 1; i < argc; ++i)
            selected = selected || std::strcmp(argv[i], c.name) == 0;
        if (!selected)
            continue;
        wt::failures_in_case = 0;
        c.run();
        std::printf("%s %s\n", wt::failures_in_case == 0 ? "PASS" : "FAIL", c.name);
        std::fflush(stdout);
        (wt::failures_in_case == 0 ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
