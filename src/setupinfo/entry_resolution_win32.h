// Turning an entry of a file-list section into paths, counting entries, the same-file test and
// the deletion of listed files.
#pragma once

#include "setupinfo/path_compose.h"

namespace aof {

// Results: kPathDone, kNoSuchEntry (out untouched) or kPathTooLong (out untouched).
int ResolveSourcePath(const char *setupInfo, const char *section, const char *fileKey,
                      const char *setupFolder, char *out);
int ResolveDestinationPath(const char *setupInfo, const char *section, const char *fileKey,
                           const char *pathKey, char *out);

// Consecutive non-empty FileName1, FileName2, ...; at most 10.
int CountEntries(const char *setupInfo, const char *section);

bool IsSameFile(const char *a, const char *b);

void DeleteListedFiles(const char *setupInfo, const char *section, const char *editorFolder,
                       const char *macroFolder);

} // namespace aof
