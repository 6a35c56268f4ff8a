#include "editor/editor_environment_win32.h"

#include <cstdlib>
#include <cstring>

#include "common/text.h"
#include "ui/message_dialog_win32.h"
#include "ui/message_texts.h"

namespace aof {

static const char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Aofude";
static const char kEnvKey[] = "Software\\Aofudeo\\Aofude\\Env";
static const char kMacroPathValue[] = "MacroPath";
static const char kFallbackMacroFolder[] = "\\MACRO";
static const char kMacroFilePattern[] = "\\*.MAC";

// The UninstallString value as a NUL-terminated heap string, or nullptr when it is missing.
static char *ReadUninstallString(HKEY key) {
    DWORD size = 0;
    if (RegQueryValueExA(key, "UninstallString", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return nullptr;
    // One byte more than the value, so that a value stored without its NUL still ends in one.
    char *value = static_cast<char *>(std::calloc(size + 1, 1));
    if (value == nullptr)
        return nullptr;
    if (RegQueryValueExA(key, "UninstallString", nullptr, nullptr, reinterpret_cast<BYTE *>(value),
                         &size) != ERROR_SUCCESS) {
        std::free(value);
        return nullptr;
    }
    return value;
}

// The text before the last "\" of the program path, in a block of exactly its size.
static char *CutEditorFolder(const char *uninstallString) {
    const char *slash = FindLastBackslash(uninstallString);
    if (slash == nullptr)
        return nullptr;
    std::size_t length = static_cast<std::size_t>(slash - uninstallString);
    char *folder = static_cast<char *>(std::malloc(length + 1));
    if (folder == nullptr)
        return nullptr;
    std::memcpy(folder, uninstallString, length);
    folder[length] = '\0';
    return folder;
}

EditorFolderReading ReadEditorFolder(char **editorFolder) {
    std::free(*editorFolder);
    *editorFolder = nullptr;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return kNoEditorKey;
    char *uninstallString = ReadUninstallString(key);
    RegCloseKey(key);
    if (uninstallString != nullptr) {
        *editorFolder = CutEditorFolder(uninstallString);
        std::free(uninstallString);
    }
    return *editorFolder != nullptr ? kEditorFound : kEditorFolderUnusable;
}

bool FindEditorFolder(HINSTANCE instance, char **editorFolder) {
    switch (ReadEditorFolder(editorFolder)) {
    case kEditorFound:
        return true;
    case kNoEditorKey:
        ShowSetupMessage(instance, kEditorNotInstalled, kOkOnlyForm);
        return false;
    case kEditorFolderUnusable:
        break;
    }
    ShowSetupMessage(instance, kEditorFolderUnknown, kOkOnlyForm);
    return false;
}

enum MacroPathReading { kMacroPathRead, kMacroPathTooLong };

// Reads MacroPath into macroFolder (kPathSize bytes); a missing value leaves it empty.
static MacroPathReading ReadMacroPath(HKEY key, char *macroFolder) {
    macroFolder[0] = '\0';
    DWORD size = 0;
    if (RegQueryValueExA(key, kMacroPathValue, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return kMacroPathRead;
    size = kPathSize;
    LONG status = RegQueryValueExA(key, kMacroPathValue, nullptr, nullptr,
                                   reinterpret_cast<BYTE *>(macroFolder), &size);
    if (status == ERROR_MORE_DATA)
        return kMacroPathTooLong;
    if (status != ERROR_SUCCESS || size == 0) {
        macroFolder[0] = '\0';
        return kMacroPathRead;
    }
    if (macroFolder[size - 1] != '\0') { // stored without its NUL
        if (size == kPathSize)
            return kMacroPathTooLong;
        macroFolder[size] = '\0';
    }
    return kMacroPathRead;
}

// The macro folder when MacroPath gives none: the fallback folder for an editor without any
// macro registration, else the editor folder itself.
static bool ComposeMacroFolder(const char *editorFolder, const ByteTable &menu, char *macroFolder,
                               bool *macroFolderFlag) {
    macroFolder[0] = '\0';
    if (!AppendText(macroFolder, kPathSize, editorFolder))
        return false;
    if (!IsMacroMenuTableEmpty(menu))
        return true;
    if (!AppendText(macroFolder, kPathSize, kFallbackMacroFolder))
        return false;
    *macroFolderFlag = true;
    return true;
}

MacroFolderReading ReadMacroFolder(const char *editorFolder, const ByteTable &menu,
                                   char *macroFolder, bool *macroFolderFlag) {
    *macroFolderFlag = false;
    macroFolder[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kEnvKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return kEnvKeyMissing;
    MacroPathReading reading = ReadMacroPath(key, macroFolder);
    RegCloseKey(key);
    bool fits = reading == kMacroPathRead &&
                (macroFolder[0] != '\0' ||
                 ComposeMacroFolder(editorFolder, menu, macroFolder, macroFolderFlag));
    if (fits)
        return kMacroFolderFound;
    macroFolder[0] = '\0';
    *macroFolderFlag = false;
    return kMacroFolderOverLimit;
}

bool ResolveMacroFolder(const char *editorFolder, const ByteTable &menu, char *macroFolder,
                        bool *macroFolderFlag) {
    switch (ReadMacroFolder(editorFolder, menu, macroFolder, macroFolderFlag)) {
    case kMacroFolderFound:
        return true;
    case kEnvKeyMissing:
        ShowMessageBox(kEnvKeyNotOpened, MB_ICONEXCLAMATION);
        return false;
    case kMacroFolderOverLimit:
        break;
    }
    ShowMessageBox(kMacroFolderTooLong, MB_ICONEXCLAMATION);
    return false;
}

static bool StoreMacroPath(const char *macroFolder) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kEnvKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    RegSetValueExA(key, kMacroPathValue, 0, REG_SZ, reinterpret_cast<const BYTE *>(macroFolder),
                   static_cast<DWORD>(std::strlen(macroFolder) + 1));
    RegFlushKey(key);
    RegCloseKey(key);
    return true;
}

// folder + "\" + name into out (kPathSize bytes); false when it does not fit.
static bool ComposeFilePath(char *out, const char *folder, const char *name) {
    out[0] = '\0';
    return AppendText(out, kPathSize, folder) && AppendText(out, kPathSize, "\\") &&
           AppendText(out, kPathSize, name);
}

static bool MoveMacroFile(const char *editorFolder, const char *macroFolder, const char *name) {
    char source[kPathSize];
    char destination[kPathSize];
    return ComposeFilePath(source, editorFolder, name) &&
           ComposeFilePath(destination, macroFolder, name) &&
           MoveFileA(source, destination) != FALSE;
}

// Finds the first *.MAC file after the skipped ones (folders are no macro files).
static bool FindMacroFile(const char *pattern, unsigned skipped, WIN32_FIND_DATAA *found) {
    HANDLE search = FindFirstFileA(pattern, found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool more = true;
    while (more) {
        if ((found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            if (skipped == 0)
                break;
            --skipped;
        }
        more = FindNextFileA(search, found) != FALSE;
    }
    FindClose(search);
    return more;
}

// Moves every *.MAC file of the editor folder into the macro folder. Each search starts again
// from the beginning, since moving files changes the folder under a running search; a file
// that cannot be moved (one of that name already in the macro folder, a file in use) stays
// where it is and is passed over by every later search.
static void MoveMacroFiles(const char *editorFolder, const char *macroFolder) {
    char pattern[kPathSize];
    pattern[0] = '\0';
    if (!AppendText(pattern, kPathSize, editorFolder) ||
        !AppendText(pattern, kPathSize, kMacroFilePattern))
        return;
    unsigned skipped = 0;
    WIN32_FIND_DATAA found;
    while (FindMacroFile(pattern, skipped, &found)) {
        if (!MoveMacroFile(editorFolder, macroFolder, found.cFileName))
            ++skipped;
    }
}

// Creates the folder; one that already exists counts as created, a file of that name not.
static bool CreateMacroFolder(const char *macroFolder) {
    if (CreateDirectoryA(macroFolder, nullptr))
        return true;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    DWORD attributes = GetFileAttributesA(macroFolder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PrepareMacroFolder(const char *editorFolder, const char *macroFolder) {
    if (!CreateMacroFolder(macroFolder)) {
        ShowMessageBox(kMacroFolderNotCreated, MB_ICONEXCLAMATION);
        return false;
    }
    if (!StoreMacroPath(macroFolder)) {
        ShowMessageBox(kEnvKeyWriteRefused, MB_ICONEXCLAMATION);
        return false;
    }
    MoveMacroFiles(editorFolder, macroFolder);
    return true;
}

static BOOL CALLBACK FindEditorWindow(HWND window, LPARAM found) {
    char className[256];
    if (GetClassNameA(window, className, sizeof className) > 0 &&
        std::strcmp(className, kEditorWindowClass) == 0) {
        *reinterpret_cast<bool *>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool IsEditorRunning() {
    bool found = false;
    EnumWindows(FindEditorWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace aof
