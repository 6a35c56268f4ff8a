// Where the program lets Windows look for the libraries it loads at run time.
#pragma once

namespace aof {

// Restricts the search for libraries loaded by name to the system folder, so that a library
// planted beside the program (a download folder holding a "version.dll") is never loaded: the
// system's own libraries load others by name at run time. Called first thing at start-up.
// Both calls are looked up at run time, so the program still starts on systems without them:
// SetDefaultDllDirectories where the system has it, else SetDllDirectoryA(""), which takes at
// least the program's working folder out of the search.
void RestrictLibrarySearch();

} // namespace aof
