// One check run of a setup-info file, shared by the rooms of the checks: the file, its raw
// scan (for line numbers), the folders its paths expand to, and the list it fills.
#pragma once

#include "afucheck/diagnostics.h"
#include "afucheck/raw_scan.h"
#include "common/format.h"
#include "setupinfo/entry_walk.h"
#include "setupinfo/path_compose.h"
#include "setupinfo/setup_section_win32.h"

namespace aof {

struct Check {
    const char *file;
    char setupFolder[kPathSize];
    FolderSet folders;
    bool canExpand; // the machine's editor is known: paths expand to its folders
    RawScan scan;
    DiagnosticList *list;
};

void Report(Check &check, int code, unsigned line, const char *detail);

// The key's line, else its section's line, else 0.
unsigned LineOf(const Check &check, const char *section, const char *key);

// A folder of [Make Directory] as SETUP.EXE reads it, with its key and line.
struct ListedFolderLine {
    char key[kKeyNameSize];
    char folder[kPathSize];
    unsigned line;
};

// Calls visit(const ListedFolderLine &) for each folder of [Make Directory], in its order;
// returns their count.
template <typename Visit> unsigned VisitListedFolders(Check &check, Visit visit) {
    SetupSection folders;
    folders.Read(check.file, kMakeDirectory);
    unsigned count = CountListedFolders(folders.Index());
    for (unsigned n = 1; n <= count; ++n) {
        ListedFolderLine listed;
        FormatDecimal(listed.key, n);
        ReadListedFolder(folders.Index(), n, listed.folder);
        listed.line = LineOf(check, kMakeDirectory, listed.key);
        visit(listed);
    }
    return count;
}

// Where the package's files land on the user's machine (destination_check_win32.cpp).
void CheckDestinations(Check &check);

// An entry's destination, expanded with the variables' names as folders
// (afucheck/destination_rules.h); false when it does not fit.
bool ComposeLandingPath(const ListEntry &entry, char *destination);

// What an update from the old version's setup-info file leaves wrong (update_check_win32.cpp).
void CheckUpdate(Check &check, const char *oldFile);

} // namespace aof
