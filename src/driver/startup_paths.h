// The paths the start-up reading derives from the setup-info path: pure byte work on buffers
// of kPathSize bytes. A path that would not fit is refused, never cut.
#pragma once

#include "common/text.h"

namespace aof {

// The text after the program name of a whole command line (GetCommandLineA), as Windows'
// own C runtime gives it to WinMain: a name in quotation marks ends at the closing mark, any
// other at the first blank or control character; the blanks after it are skipped. The walk
// steps over double-byte characters whole, so a lead byte is never taken for a blank and a
// second byte never for a quotation mark.
const char *SkipProgramName(const char *commandLine);

// Overwrites the last three bytes of path with three ("AFU", "EXE"); false when the path is
// shorter than three bytes.
bool ReplaceLastThree(char *path, const char *three);

// True when the text from the last "." to the end is ".afu" in any letter case.
bool HasSetupInfoExtension(const char *path);

// Rebuilds path from its folder part (up to and including its last "\") and the long name the
// file system found. The rebuilt path replaces path only when their lengths differ: a short
// 8.3 name then gives way to the long one. False, path unchanged, when it does not fit.
bool ApplyLongName(char *path, const char *longName);

// The program file lies beside the setup-info file with the same base name and the extension
// "EXE"; the setup folder is the program file's path up to its last "\".
void DeriveProgramPaths(const char *setupInfoPath, char *programFile, char *setupFolder);

// folder followed directly by the last component of file; false when it does not fit.
bool ComposeCopyPath(char *out, const char *folder, const char *file);

// The uninstall-info copy (kPathSize bytes) of the setup-info file: the uninstall-info folder
// followed directly by the file's last component. A setup-info file that lies where such a copy
// lies is its own copy: the program copy, started without an argument, takes the copy beside it,
// also when the folder value has no final "\" and the copy's name starts with the folder's
// last part ("\macrodir\Pkg" makes "...\PkgSETUP.AFU"). The program copy (kPathSize bytes)
// is the copy's path with "EXE" for its last three characters. False when they do not fit.
bool ComposeUninstallInfoCopies(const char *folder, const char *setupInfoPath, char *copy,
                                char *programCopy);

// The record key path of a package (an InternalName of at most 255 bytes always fits): the
// one spelling that reads, writes and deletes the record. A package without InternalName keeps
// its record in the values of the AofMacroSetup key itself.
void ComposeRecordKeyPath(char *out, const char *internalName);

} // namespace aof
