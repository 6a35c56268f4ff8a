#include "record/apps_entry.h"

#include "common/format.h"
#include "common/text.h"

#include <cstring>

namespace aof {

// The key name: the prefix, then the name with "\" and "%" escaped, walked character by
// character so that the second byte of a double-byte character is never taken for either.
static bool ComposeAppsKeyName(char *name, const char *internalName) {
    std::size_t length = CopyText(name, kAppsKeyNameLimit + 1, kAppsEntryNamePrefix);
    for (const char *p = internalName; *p != '\0';) {
        const char *escape = *p == '\\' ? "%5C" : *p == '%' ? "%25" : nullptr;
        unsigned char byte = static_cast<unsigned char>(*p);
        std::size_t width = escape != nullptr ? 3 : IsLeadByte(byte) && p[1] != '\0' ? 2 : 1;
        if (length + width > kAppsKeyNameLimit)
            return false;
        std::memcpy(name + length, escape != nullptr ? escape : p, width);
        length += width;
        p += escape != nullptr ? 1 : width;
    }
    name[length] = '\0';
    return true;
}

bool ComposeAppsEntryKey(char *out, std::size_t capacity, const char *internalName) {
    char name[kAppsKeyNameLimit + 1];
    out[0] = '\0';
    if (internalName[0] != '\0' && ComposeAppsKeyName(name, internalName) &&
        AppendText(out, capacity, kAppsEntryParent) && AppendText(out, capacity, name))
        return true;
    out[0] = '\0';
    return false;
}

const char *ChooseDisplayName(const char *setupName, const char *internalName) {
    return setupName[0] != '\0' ? setupName : internalName;
}

void FormatInstallDate(char *out, unsigned year, unsigned month, unsigned day) {
    FormatText(out, 9, "%d%02d%02d", static_cast<int>(year), static_cast<int>(month),
               static_cast<int>(day));
}

bool QuotePath(char *out, std::size_t capacity, const char *path) {
    CopyText(out, capacity, "\"");
    if (AppendText(out, capacity, path) && AppendText(out, capacity, "\""))
        return true;
    out[0] = '\0';
    return false;
}

unsigned long ToKibibytes(unsigned long long bytes) {
    unsigned long long kib = (bytes + 1023) / 1024;
    return kib > 0xFFFFFFFFull ? 0xFFFFFFFFul : static_cast<unsigned long>(kib);
}

} // namespace aof
