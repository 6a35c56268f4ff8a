#include "record/run_marker.h"

#include <cstring>

#include "common/format.h"

namespace aof {

static const char *const kRunKinds[] = {"install ", "update ", "uninstall "};

void ComposeRunMarker(char *out, const RunMarker &marker) {
    char version[11];
    char users[11];
    FormatDecimal(version, marker.version);
    FormatDecimal(users, marker.users);
    FormatText(out, kRunMarkerSize, "%s%s %s %s", kRunKinds[marker.kind], version, users,
               marker.uninstallCopy);
}

// A decimal number followed by a blank; false when there is none or it overflows.
static bool TakeNumber(const char *&text, unsigned &value) {
    value = 0;
    const char *start = text;
    for (; *text >= '0' && *text <= '9'; ++text) {
        unsigned digit = static_cast<unsigned>(*text - '0');
        if (value > (0xFFFFFFFFu - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return text != start && *text++ == ' ';
}

bool ParseRunMarker(const char *text, RunMarker &marker) {
    for (int kind = kInstallRun; kind <= kUninstallRun; ++kind) {
        std::size_t length = std::strlen(kRunKinds[kind]);
        if (std::strncmp(text, kRunKinds[kind], length) != 0)
            continue;
        text += length;
        marker.kind = static_cast<RunKind>(kind);
        return TakeNumber(text, marker.version) && TakeNumber(text, marker.users) &&
               *text != '\0' &&
               CopyText(marker.uninstallCopy, kPathSize, text) == std::strlen(text);
    }
    return false;
}

bool IsMarkerOf(const RunMarker &marker, const char *uninstallCopy, unsigned version) {
    return marker.version == version &&
           EqualsIgnoringAsciiCase(marker.uninstallCopy, uninstallCopy);
}

void ComposeRunLockName(char *out, const char *recordKeyPath) {
    // The registry takes key names without regard to letter case.
    char hash[11];
    FormatDecimal(hash, HashIgnoringAsciiCase(recordKeyPath));
    FormatText(out, kRunLockNameSize, "AofMacroSetup.%s", hash);
}

} // namespace aof
