#include "setupinfo/entry_walk.h"

namespace aof {

void ReadEntryText(const SectionIndex &list, const char *stem, unsigned n, char *out,
                   unsigned size) {
    char key[kKeyNameSize];
    MakeNumberedKey(key, stem, n);
    FindSectionText(list, key, out, size);
}

static bool IsOptionSet(const SectionIndex &list, unsigned n) {
    char key[kKeyNameSize];
    MakeNumberedKey(key, kUnInstallOption.stem, n);
    return FindSectionNumber(list, key, 0) != 0;
}

bool ReadListEntry(const SectionIndex &list, unsigned n, ListEntry &entry) {
    char fileName[kFileName.size];
    ReadEntryText(list, kFileName.stem, n, fileName, sizeof fileName);
    if (fileName[0] == '\0')
        return false;
    char pathValue[kPath.size];
    ReadEntryText(list, kPath.stem, n, pathValue, sizeof pathValue);
    entry.ordinal = n;
    CopyText(entry.fileName, sizeof entry.fileName, fileName);
    entry.fits = ComposeDestinationPath(entry.destination, fileName, pathValue) == kPathDone;
    if (!entry.fits)
        entry.destination[0] = '\0';
    return true;
}

bool NextListEntry(const SectionIndex &list, ListWalk walk, ListEntry &entry) {
    for (unsigned n = entry.ordinal + 1;; ++n) {
        // The deletion walk passes over a set option without reading the entry at all.
        if (walk == kDeletionWalk && IsOptionSet(list, n))
            continue;
        if ((walk != kDeletionWalk && n > kMaxListEntries) || !ReadListEntry(list, n, entry)) {
            entry.ordinal = n;
            return false;
        }
        if (walk != kInstalledWalk || !IsOptionSet(list, n))
            return true;
    }
}

int ResolveMenuEntry(const SectionIndex &macros, unsigned n, char *path, char *title) {
    ListEntry entry;
    if (!ReadListEntry(macros, n, entry))
        return kNoSuchEntry;
    ReadEntryText(macros, kMacroTitle.stem, n, title, kMacroTitle.size);
    CopyText(path, kPathSize, entry.destination);
    return entry.fits ? kPathDone : kPathTooLong;
}

void ReadListedFolder(const SectionIndex &folders, unsigned n, char *folder) {
    char key[kKeyNameSize];
    FormatDecimal(key, n);
    FindSectionText(folders, key, folder, kMakeDirectorySize);
}

unsigned CountListedFolders(const SectionIndex &folders) {
    char folder[kPathSize];
    unsigned count = 0;
    for (;; ++count) {
        ReadListedFolder(folders, count + 1, folder);
        if (folder[0] == '\0')
            return count;
    }
}

unsigned CountListEntries(const SectionIndex &list) {
    ListEntry entry;
    entry.ordinal = 0;
    while (NextListEntry(list, kInstallWalk, entry)) {
    }
    return entry.ordinal - 1;
}

} // namespace aof
