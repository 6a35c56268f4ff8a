// Reading the setup-info file through the profile functions. An empty value counts as a
// missing key; names match without regard to case; CP932 bytes pass through unchanged.
#pragma once

#include "setupinfo/setup_info_keys.h"

namespace aof {

// Reads a string key into out, which holds key.size bytes.
void ReadSetupString(const char *file, const StringKey &key, char *out);

// Reads a string key given by name (numbered keys) into out of size bytes.
void ReadSetupText(const char *file, const char *section, const char *key, const char *fallback,
                   char *out, unsigned size);

// Whether the profile reader can still open the file. A file that is gone (a pulled medium)
// or held without sharing by another program reads as if every key were missing.
bool IsSetupInfoReadable(const char *file);

unsigned ReadSetupNumber(const char *file, const NumberKey &key);
unsigned ReadSetupNumberAt(const char *file, const char *section, const char *key,
                           unsigned fallback);

} // namespace aof
