#include "ui/path_elision.h"

#include "common/format.h"

#include <cstring>

namespace aof {

namespace {

constexpr char kEllipsis[] = "…";

// The position of the next "\" from p that is a character of its own, or nullptr.
const char *FindBackslash(const char *p) {
    for (; *p != '\0'; p += CharacterLength(p)) {
        if (*p == '\\')
            return p;
    }
    return nullptr;
}

// Candidates of one path, tried in order until one fits.
struct Elision {
    const char *path;
    TextFits fits;
    void *context;
    char *out;
    std::size_t capacity;
    const char *format;

    // The format filled with the first headLength bytes of the path, 「…」 where a part is left
    // out, and the path from tail on. A head ends before the file name, well inside the path.
    bool Try(std::size_t headLength, const char *tail) {
        char shown[kElidedPathSize];
        std::memcpy(shown, path, headLength);
        char *at = shown + headLength;
        if (tail != path + headLength) {
            std::memcpy(at, kEllipsis, sizeof kEllipsis - 1);
            at += sizeof kEllipsis - 1;
        }
        CopyText(at, static_cast<std::size_t>(shown + sizeof shown - at), tail);
        FormatText(out, capacity, format, shown);
        return fits(out, context);
    }

    // head + 「…」 + the path from one of its "\" on, from first (the most kept) to last (the
    // file name alone).
    bool TryTails(std::size_t headLength, const char *first, const char *last) {
        for (const char *tail = first; tail != nullptr && tail <= last;
             tail = FindBackslash(tail + 1)) {
            if (Try(headLength, tail))
                return true;
        }
        return false;
    }
};

} // namespace

void ElidePath(char *out, std::size_t capacity, const char *format, const char *path, TextFits fits,
               void *context) {
    Elision elision = {path, fits, context, out, capacity, format};
    if (elision.Try(0, path))
        return;
    const char *fileSlash = FindLastBackslash(path);
    if (fileSlash != nullptr) {
        // The drive (or "\\server") ends at the first "\" after any leading ones, the first
        // folder at the next; at least one folder after them is left out.
        const char *start = path;
        while (*start == '\\')
            ++start;
        const char *driveEnd = FindBackslash(start);
        const char *folderEnd = driveEnd != nullptr ? FindBackslash(driveEnd + 1) : nullptr;
        const char *droppedEnd = folderEnd != nullptr ? FindBackslash(folderEnd + 1) : nullptr;
        if (droppedEnd != nullptr && elision.TryTails(folderEnd + 1 - path, droppedEnd, fileSlash))
            return;
        if (driveEnd != nullptr && driveEnd < fileSlash &&
            elision.Try(driveEnd + 1 - path, fileSlash))
            return;
    }
    // The end of the file name, as much as fits.
    const char *tail = fileSlash != nullptr ? fileSlash : path;
    for (; *tail != '\0'; tail += CharacterLength(tail)) {
        if (elision.Try(0, tail))
            return;
    }
}

} // namespace aof
