// The checker's decisions on names and values, free of the platform: which known key a name
// in the file is, the nearest known name to suggest, and the value forms the program misreads.
#pragma once

#include "setupinfo/setup_info_keys.h"

#include <cstddef>

namespace aof {

const KnownSection *FindKnownSection(const char *name); // letter case ignored

enum KeyMatch {
    kKeyKnown,         // a key the program reads
    kKeyOrdinalUnread, // a known stem with an ordinal the program never asks for ("FileName01",
                       // "0")
    kKeyUnknown,       // no key of this section
};

struct KeyClass {
    KeyMatch match;
    const KnownKey *key; // for kKeyKnown and kKeyOrdinalUnread
    unsigned ordinal;    // numbered and ordinal keys: the ordinal (kKeyKnown only)
};

KeyClass ClassifyKey(const KnownSection &section, const char *name);

constexpr std::size_t kSuggestionSize = 64;

// The known section name nearest to name; false when none is near enough to suggest.
bool SuggestSection(const char *name, char *suggestion);

// The known key of the section nearest to name, with name's ordinal carried over
// ("Titel1" gives "MacroTitle1"); false when none is near enough.
bool SuggestKey(const KnownSection &section, const char *name, char *suggestion);

// "yes" or "no", any letter case: the only values of InstallToMainGroup read as meant.
bool IsYesOrNo(const char *value);

// Only decimal digits: the form an integer key is read as written.
bool IsPlainDecimal(const char *value);

// True when a ";" follows a blank or a tab: a comment at the end of a line, which the reader
// keeps as part of the value.
bool HoldsLineEndComment(const char *value);

// True when a component of the path is "..".
bool ClimbsToParent(const char *path);

} // namespace aof
