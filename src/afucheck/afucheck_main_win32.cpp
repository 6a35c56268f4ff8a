// AFUCHECK [/WX] [/Q] [/PLAN] [PATH\SETUP.AFU]: checks a package's setup-info file as the
// setup program reads it. Exit code 0 clean, 1 warnings only, 2 errors.
#include "afucheck/afucheck_win32.h"
#include "afucheck/console_win32.h"
#include "common/library_search_win32.h"

int main(int argc, char **argv) {
    aof::RestrictLibrarySearch();
    return aof::RunChecker(argc - 1, argv + 1, aof::StandardOutput());
}
