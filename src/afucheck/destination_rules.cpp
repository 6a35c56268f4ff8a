#include "afucheck/destination_rules.h"

#include <cstring>
#include <initializer_list>

namespace aof {

const FolderSet kVariableFolders{"\\macrodir", "\\aofudedir", "\\windowsdir", "\\winsysdir"};

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "/" as "\" ("/" is never a byte of a double-byte character); with fold, the ASCII letters
// in lower case, the double-byte characters untouched.
void Normalize(char *out, const char *path, bool fold) {
    CopyText(out, kPathSize, path);
    for (char *p = out; *p != '\0'; p += CharacterLength(p)) {
        if (*p == '/')
            *p = '\\';
        else if (fold)
            *p = FoldAscii(*p);
    }
}

// The folder as it is compared: normalized, its steps taken away below the variable, without
// a final "\".
void NormalizeFolder(char *out, const char *folder) {
    Normalize(out, folder, false);
    const char *slash = FindLastBackslash(out);
    if (slash != nullptr && slash[1] == '\0' && slash != out)
        out[slash - out] = '\0';
    ResolveParentSteps(out, 2);
}

bool IsParentStep(const char *folder) {
    return std::strcmp(LastComponent(folder), "..") == 0;
}

// The part of a normalized path before its last "\" ("" when it has none).
void TakeParent(char *out, const char *path) {
    const char *slash = FindLastBackslash(path);
    std::size_t length = slash != nullptr ? static_cast<std::size_t>(slash - path) : 0;
    std::memmove(out, path, length);
    out[length] = '\0';
}

} // namespace

PathValueFault JudgePathValue(const char *value) {
    if ((IsAsciiLetter(value[0]) && value[1] == ':') ||
        (IsSeparator(value[0]) && IsSeparator(value[1])))
        return kDriveOrUncPath;
    if (FindFolderVariable(value) != kNoVariable)
        return kValueSound;
    char slashes[kPathSize];
    char folded[kPathSize];
    Normalize(slashes, value, false);
    Normalize(folded, value, true);
    if (FindFolderVariable(slashes) != kNoVariable)
        return kVariableSlash;
    return FindFolderVariable(folded) != kNoVariable ? kVariableCase : kValueSound;
}

void StartFolderList(FolderList &list) {
    list.count = 0;
    for (const char *folder : {kVariableFolders.macroFolder, kVariableFolders.editorFolder,
                               kVariableFolders.windowsFolder, kVariableFolders.systemFolder})
        AddKnownFolder(list, folder);
}

bool IsExistingFolder(const FolderList &list, const char *folder) {
    char wanted[kPathSize];
    NormalizeFolder(wanted, folder);
    // The folder above one that exists exists too.
    if (IsParentStep(wanted)) {
        TakeParent(wanted, wanted);
        return IsExistingFolder(list, wanted);
    }
    for (unsigned i = 0; i < list.count; ++i) {
        if (EqualsIgnoringAsciiCase(list.folders[i], wanted))
            return true;
    }
    return false;
}

void AddKnownFolder(FolderList &list, const char *folder) {
    if (list.count < kMaxKnownFolders && !IsExistingFolder(list, folder))
        NormalizeFolder(list.folders[list.count++], folder);
}

bool AddMadeFolder(FolderList &list, const char *folder, char *parent) {
    char made[kPathSize];
    NormalizeFolder(made, folder);
    TakeParent(parent, made);
    if (!IsExistingFolder(list, made) && !IsExistingFolder(list, parent))
        return false;
    AddKnownFolder(list, made);
    return true;
}

DestinationFault JudgeDestination(const FolderList &list, const char *destination, char *folder) {
    char path[kPathSize];
    Normalize(path, destination, false);
    ResolveParentSteps(path, 2);
    const char *slash = FindLastBackslash(path);
    bool namesFolder = slash != nullptr && slash[1] == '\0';
    NormalizeFolder(folder, path);
    if (namesFolder || IsExistingFolder(list, folder))
        return kDestinationIsFolder;
    TakeParent(folder, folder);
    return IsExistingFolder(list, folder) ? kDestinationSound : kFolderMissing;
}

bool IsSamePlace(const char *a, const char *b) {
    char first[kPathSize];
    char second[kPathSize];
    NormalizeFolder(first, a);
    NormalizeFolder(second, b);
    return EqualsIgnoringAsciiCase(first, second);
}

void ResolveParentSteps(char *path, unsigned kept) {
    char out[kPathSize] = "";
    std::size_t starts[kPathSize];
    std::size_t depth = 0;
    std::size_t floor = 0; // components below it are never taken away
    std::size_t used = 0;
    for (const char *p = path;;) {
        const char *end = p;
        while (*end != '\0' && !IsSeparator(*end))
            end += CharacterLength(end);
        std::size_t length = static_cast<std::size_t>(end - p);
        bool dot = length == 1 && p[0] == '.';
        bool dots = length == 2 && p[0] == '.' && p[1] == '.';
        if (dots && depth > floor) {
            used = starts[--depth];
        } else if (!dot) {
            starts[depth++] = used;
            if (dots || depth <= kept)
                floor = depth;
            if (p != path)
                out[used++] = '\\';
            std::memcpy(out + used, p, length);
            used += length;
        }
        if (*end == '\0')
            break;
        p = end + 1;
    }
    out[used] = '\0';
    std::memcpy(path, out, used + 1);
}

} // namespace aof
