#include "setupinfo/path_compose.h"

#include <cstring>

namespace aof {

namespace {

struct VariableName {
    FolderVariable variable;
    const char *text;
};

// Tested in this order; none is a prefix of another.
constexpr VariableName kVariables[] = {
    {kMacroDir, "\\macrodir"},
    {kAofudeDir, "\\aofudedir"},
    {kWindowsDir, "\\windowsdir"},
    {kWinSysDir, "\\winsysdir"},
};

// Joins head, separator and tail into out (kPathSize bytes) when the whole fits; out is left
// untouched otherwise. out may be one of the inputs.
bool JoinPath(char *out, const char *head, const char *separator, const char *tail) {
    char joined[kPathSize] = "";
    if (!AppendText(joined, kPathSize, head) || !AppendText(joined, kPathSize, separator) ||
        !AppendText(joined, kPathSize, tail))
        return false;
    std::memcpy(out, joined, std::strlen(joined) + 1);
    return true;
}

// True when the last character of the path is a "\" of its own (not the trail byte of a
// double-byte character such as 表).
bool EndsWithBackslash(const char *path) {
    const char *slash = FindLastBackslash(path);
    return slash != nullptr && slash[1] == '\0';
}

const char *VariableText(FolderVariable variable) {
    for (const VariableName &name : kVariables) {
        if (name.variable == variable)
            return name.text;
    }
    return "";
}

// The folder a variable stands for; a path without a variable is relative to the macro folder.
const char *FolderOf(FolderVariable variable, const FolderSet &folders) {
    switch (variable) {
    case kNoVariable:
    case kMacroDir:
        return folders.macroFolder;
    case kAofudeDir:
        return folders.editorFolder;
    case kWindowsDir:
        return folders.windowsFolder;
    case kWinSysDir:
        return folders.systemFolder;
    }
    return nullptr;
}

} // namespace

int ComposeSourcePath(char *out, const char *setupFolder, const char *fileName) {
    return JoinPath(out, setupFolder, "\\", fileName) ? kPathDone : kPathTooLong;
}

int ComposeDestinationPath(char *out, const char *fileName, const char *pathValue) {
    const char *name = "";
    if (pathValue[0] == '\0' || EndsWithBackslash(pathValue))
        name = LastComponent(fileName);
    return JoinPath(out, pathValue, "", name) ? kPathDone : kPathTooLong;
}

FolderVariable FindFolderVariable(const char *path) {
    for (const VariableName &name : kVariables) {
        if (std::strncmp(path, name.text, std::strlen(name.text)) == 0)
            return name.variable;
    }
    return kNoVariable;
}

bool ExpandFolderVariablesWith(char *path, const FolderSet &folders, ExpansionMode mode) {
    FolderVariable variable = FindFolderVariable(path);
    if (variable == kNoVariable && mode == kPlainExpansion)
        return true;
    const char *folder = FolderOf(variable, folders);
    const char *separator = variable == kNoVariable ? "\\" : "";
    const char *rest = path + std::strlen(VariableText(variable));
    if (folder == nullptr || !JoinPath(path, folder, separator, rest)) {
        path[0] = '\0';
        return false;
    }
    return true;
}

} // namespace aof
