#include "driver/startup_paths.h"

#include "record/record_key.h"

#include <cstring>

namespace aof {

const char *SkipProgramName(const char *commandLine) {
    const unsigned char *p = reinterpret_cast<const unsigned char *>(commandLine);
    bool quoted = *p == '"';
    if (quoted)
        ++p;
    while (*p != '\0' && (quoted ? *p != '"' : *p > ' ')) {
        if (IsLeadByte(*p) && p[1] != '\0')
            ++p;
        ++p;
    }
    if (quoted && *p == '"')
        ++p;
    while (*p != '\0' && *p <= ' ')
        ++p;
    return reinterpret_cast<const char *>(p);
}

bool ReplaceLastThree(char *path, const char *three) {
    std::size_t length = std::strlen(path);
    if (length < 3)
        return false;
    std::memcpy(path + length - 3, three, 3);
    return true;
}

bool HasSetupInfoExtension(const char *path) {
    return HasExtension(path, ".afu");
}

// Length of path's folder part, up to and including its last "\" (0 when it has none).
static std::size_t FolderPartLength(const char *path) {
    const char *slash = FindLastBackslash(path);
    return slash != nullptr ? static_cast<std::size_t>(slash - path) + 1 : 0;
}

bool ApplyLongName(char *path, const char *longName) {
    std::size_t folderLength = FolderPartLength(path);
    std::size_t rebuiltLength = folderLength + std::strlen(longName);
    if (rebuiltLength + 1 > kPathSize)
        return false;
    if (rebuiltLength != std::strlen(path))
        std::memcpy(path + folderLength, longName, rebuiltLength - folderLength + 1);
    return true;
}

void DeriveProgramPaths(const char *setupInfoPath, char *programFile, char *setupFolder) {
    CopyText(programFile, kPathSize, setupInfoPath);
    ReplaceLastThree(programFile, "EXE");
    std::size_t folderLength = FolderPartLength(programFile);
    std::size_t setupFolderLength = folderLength > 0 ? folderLength - 1 : 0;
    std::memcpy(setupFolder, programFile, setupFolderLength);
    setupFolder[setupFolderLength] = '\0';
}

bool ComposeCopyPath(char *out, const char *folder, const char *file) {
    char composed[kPathSize];
    if (CopyText(composed, kPathSize, folder) != std::strlen(folder) ||
        !AppendText(composed, kPathSize, LastComponent(file)))
        return false;
    CopyText(out, kPathSize, composed);
    return true;
}

bool ComposeUninstallInfoCopies(const char *folder, const char *setupInfoPath, char *copy,
                                char *programCopy) {
    const char *rest = SkipPrefixIgnoringAsciiCase(setupInfoPath, folder);
    if (rest != nullptr && *rest != '\0' && FindLastBackslash(rest) == nullptr)
        CopyText(copy, kPathSize, setupInfoPath);
    else if (!ComposeCopyPath(copy, folder, setupInfoPath))
        return false;
    CopyText(programCopy, kPathSize, copy);
    return ReplaceLastThree(programCopy, "EXE");
}

void ComposeRecordKeyPath(char *out, const char *internalName) {
    CopyText(out, kPathSize, kRecordSetupKeyPath);
    if (internalName[0] == '\0')
        return;
    AppendTextCut(out, kPathSize, "\\");
    AppendTextCut(out, kPathSize, internalName);
}

} // namespace aof
