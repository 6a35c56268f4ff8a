// The checker's judgement of where a package's files land, free of the platform. Paths are
// expanded with each variable's own name as its folder ("tools\a.mac" gives
// "\macrodir\tools\a.mac"), so that a package is judged alike on every machine: on the user's
// machine only the editor's, macro, Windows and system folders exist, the folders the package
// makes, and the uninstall-info folder; whatever else lies on the author's disk does not count.
#pragma once

#include "setupinfo/path_compose.h"

namespace aof {

// The folders of the variables, as their names.
extern const FolderSet kVariableFolders;

enum PathValueFault {
    kValueSound,
    kDriveOrUncPath, // "C:\Tools\", "\\server\share\": taken as relative to the macro folder
    kVariableCase,   // "\MacroDir\": a variable only in lower case
    kVariableSlash,  // "/macrodir/": a variable only with "\"
};

// What is wrong with a value that macro-relative expansion reads (Path, a [Make Directory]
// folder, UnInstallInfoPath).
PathValueFault JudgePathValue(const char *value);

// The folders that exist when the files are copied, each expanded as above and compared
// without regard to ASCII case, with "/" read as "\" (as the file functions read it).
constexpr unsigned kMaxKnownFolders = 100;

struct FolderList {
    char folders[kMaxKnownFolders][kPathSize];
    unsigned count;
};

// The variables' folders.
void StartFolderList(FolderList &list);

bool IsExistingFolder(const FolderList &list, const char *folder);

// A folder the install makes: only when its parent exists (one level is made at a time).
// False when it will not exist; parent receives its parent folder.
bool AddMadeFolder(FolderList &list, const char *folder, char *parent);

// Any folder that will exist (the uninstall-info folder).
void AddKnownFolder(FolderList &list, const char *folder);

enum DestinationFault { kDestinationSound, kFolderMissing, kDestinationIsFolder };

// Where a file copied to destination (expanded as above) lands; folder receives the missing
// folder or the folder the destination names.
DestinationFault JudgeDestination(const FolderList &list, const char *destination, char *folder);

// Whether two destinations expanded as above name one file.
bool IsSamePlace(const char *a, const char *b);

// Takes away the "." and ".." steps of path in place, as the file functions do ("C:\A\M\..\x"
// gives "C:\A\x"), "/" read as "\"; the first `kept` components (a drive; the empty one before
// a variable and the variable) are never taken away, the ".." after them stay.
void ResolveParentSteps(char *path, unsigned kept);

} // namespace aof
