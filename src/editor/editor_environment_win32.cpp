#include "editor/editor_environment_win32.h"

#include <cstdlib>
#include <cstring>

#include "common/registry_win32.h"
#include "common/text.h"
#include "setupinfo/entry_resolution_win32.h"

namespace aof {

static const char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Aofude";
static const char kEnvKey[] = "Software\\Aofudeo\\Aofude\\Env";
static const char kMacroPathValue[] = "MacroPath";
static const char kFallbackMacroFolder[] = "\\MACRO";
static const char kMacroFilePattern[] = "*.MAC";
static const char kMacroFileExtension[] = ".mac";

// The text of a value as a heap string that ends in a NUL even when the value was stored
// without one; nullptr unless done. A REG_EXPAND_SZ is given with its %VARIABLES% expanded.
static RegistryResult ReadText(HKEY key, const char *name, char **text) {
    DWORD size;
    DWORD type = REG_NONE;
    RegistryResult result =
        ReadRegistryBlock(key, name, 1, reinterpret_cast<unsigned char **>(text), &size, &type);
    if (result != kRegistryDone || type != REG_EXPAND_SZ)
        return result;
    DWORD expandedSize = ExpandEnvironmentStringsA(*text, nullptr, 0);
    char *expanded = static_cast<char *>(std::malloc(expandedSize + 1));
    if (expanded == nullptr || expandedSize == 0 ||
        ExpandEnvironmentStringsA(*text, expanded, expandedSize + 1) > expandedSize) {
        std::free(expanded);
        expanded = nullptr;
        result = kRegistryFailed;
    }
    std::free(*text);
    *text = expanded;
    return result;
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

// Reads the editor folder from the uninstall key in one registry view.
static EditorFolderReading ReadEditorFolderIn(REGSAM view, char **editorFolder) {
    HKEY key;
    if (OpenRegistryKey(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ | view, &key) != kRegistryDone)
        return kNoEditorKey;
    char *uninstallString;
    RegistryResult result = ReadText(key, "UninstallString", &uninstallString);
    RegCloseKey(key);
    // A value that exists but cannot be read counts as a key that cannot be opened.
    if (result == kRegistryFailed)
        return kNoEditorKey;
    if (result == kRegistryDone) {
        *editorFolder = CutEditorFolder(uninstallString);
        std::free(uninstallString);
    }
    return *editorFolder != nullptr ? kEditorFound : kEditorFolderUnusable;
}

EditorFolderReading ReadEditorFolder(char **editorFolder) {
    std::free(*editorFolder);
    *editorFolder = nullptr;
    // The editor's installer registers it in the registry view of its own bitness, which need
    // not be this program's: on 64-bit Windows HKLM\SOFTWARE is split into a 64-bit and a
    // 32-bit view (WOW6432Node), so both are asked, 64-bit first; on 32-bit Windows the flags
    // are ignored and both ask the one registry. This is the only key the program takes from
    // HKLM\SOFTWARE. Everything else it reads and writes lives under HKCU\Software, which
    // both views share: the editor's Env and Assign.dat keys, the package records under
    // Brenlo\AofMacroSetup and the installed-apps entries under
    // Microsoft\Windows\CurrentVersion\Uninstall.
    static const REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    EditorFolderReading reading = kNoEditorKey;
    for (REGSAM view : kViews) {
        EditorFolderReading inView = ReadEditorFolderIn(view, editorFolder);
        if (inView == kEditorFound)
            return kEditorFound;
        // A key without a usable folder is told apart from no key at all.
        if (inView == kEditorFolderUnusable)
            reading = kEditorFolderUnusable;
    }
    return reading;
}

// Reads MacroPath into macroFolder (kPathSize bytes; empty when the value is missing); *fits
// is false for a value too long for it. Failed when the Env key cannot be opened or the value
// exists but cannot be read.
static RegistryResult ReadMacroPath(char *macroFolder, bool *fits) {
    macroFolder[0] = '\0';
    *fits = true;
    HKEY key;
    if (OpenRegistryKey(HKEY_CURRENT_USER, kEnvKey, KEY_READ, &key) != kRegistryDone)
        return kRegistryFailed; // a missing key cannot be opened either
    char *value;
    RegistryResult result = ReadText(key, kMacroPathValue, &value);
    RegCloseKey(key);
    if (result == kRegistryDone) {
        *fits = CopyText(macroFolder, kPathSize, value) == std::strlen(value);
        std::free(value);
    }
    return result;
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
    bool fits;
    if (ReadMacroPath(macroFolder, &fits) == kRegistryFailed) {
        macroFolder[0] = '\0';
        return kEnvKeyMissing;
    }
    fits = fits && (macroFolder[0] != '\0' ||
                    ComposeMacroFolder(editorFolder, menu, macroFolder, macroFolderFlag));
    if (fits)
        return kMacroFolderFound;
    macroFolder[0] = '\0';
    *macroFolderFlag = false;
    return kMacroFolderOverLimit;
}

static bool StoreMacroPath(const char *macroFolder) {
    return StoreRegistryValue(HKEY_CURRENT_USER, kEnvKey, kMacroPathValue, REG_SZ, macroFolder,
                              static_cast<DWORD>(std::strlen(macroFolder) + 1));
}

// folder + "\" + name into out (kPathSize bytes); false when it does not fit.
static bool ComposeFilePath(char *out, const char *folder, const char *name) {
    out[0] = '\0';
    return AppendText(out, kPathSize, folder) && AppendText(out, kPathSize, "\\") &&
           AppendText(out, kPathSize, name);
}

static void MoveMacroFile(const char *editorFolder, const char *macroFolder, const char *name) {
    char source[kPathSize];
    char destination[kPathSize];
    if (ComposeFilePath(source, editorFolder, name) &&
        ComposeFilePath(destination, macroFolder, name))
        MoveFileA(source, destination);
}

// A macro file is a file whose long name ends in ".mac": the search pattern also finds a file
// whose short name alone does ("notes.macro" as NOTES~1.MAC), and folders.
static bool IsMacroFile(const WIN32_FIND_DATAA &found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           HasExtension(found.cFileName, kMacroFileExtension);
}

// Appends name and its NUL to the heap block of *used bytes; false when memory runs out.
static bool AppendName(char **names, std::size_t *used, const char *name) {
    std::size_t length = std::strlen(name) + 1;
    char *grown = static_cast<char *>(std::realloc(*names, *used + length + 1));
    if (grown == nullptr)
        return false;
    std::memcpy(grown + *used, name, length);
    *used += length;
    grown[*used] = '\0';
    *names = grown;
    return true;
}

// The names of the macro files matching pattern, taken once before any file is moved: each
// name followed by its NUL, then an empty name. nullptr when there is none.
static char *ListMacroFiles(const char *pattern) {
    char *names = nullptr;
    std::size_t used = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return nullptr;
    bool more = true;
    while (more) {
        if (IsMacroFile(found))
            more = AppendName(&names, &used, found.cFileName);
        more = more && FindNextFileA(search, &found) != FALSE;
    }
    FindClose(search);
    return names;
}

// Moves every macro file of the editor folder into the macro folder. The names are listed
// first, so each file is tried once: one that cannot be moved (a file of that name already in
// the macro folder, a file in use) stays where it is.
static void MoveMacroFiles(const char *editorFolder, const char *macroFolder) {
    char pattern[kPathSize];
    if (!ComposeFilePath(pattern, editorFolder, kMacroFilePattern))
        return;
    char *names = ListMacroFiles(pattern);
    for (const char *name = names; name != nullptr && *name != '\0'; name += std::strlen(name) + 1)
        MoveMacroFile(editorFolder, macroFolder, name);
    std::free(names);
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

MacroFolderPreparing PrepareMacroFolder(const char *editorFolder, const char *macroFolder) {
    // The editor folder itself, in whatever spelling, needs no preparing, and moving its
    // files onto themselves would find them again and again.
    if (IsSameFile(editorFolder, macroFolder))
        return kMacroFolderPrepared;
    if (!CreateMacroFolder(macroFolder))
        return kMacroFolderNotMade;
    if (!StoreMacroPath(macroFolder))
        return kMacroPathRefused;
    MoveMacroFiles(editorFolder, macroFolder);
    return kMacroFolderPrepared;
}

struct EditorSearch {
    bool found;
    EditorProcesses *seen;
};

// Notes the process of an editor window (once), as long as there is room.
static void NoteEditorProcess(EditorProcesses &seen, DWORD id) {
    for (int i = 0; i < seen.count; ++i) {
        if (seen.ids[i] == id)
            return;
    }
    if (seen.count < kMaxEditorProcesses)
        seen.ids[seen.count++] = id;
}

static BOOL CALLBACK FindEditorWindow(HWND window, LPARAM context) {
    EditorSearch *search = reinterpret_cast<EditorSearch *>(context);
    char className[256];
    if (GetClassNameA(window, className, sizeof className) == 0 ||
        std::strcmp(className, kEditorWindowClass) != 0)
        return TRUE;
    search->found = true;
    if (search->seen == nullptr)
        return FALSE;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    NoteEditorProcess(*search->seen, id);
    return TRUE;
}

bool IsEditorRunning(EditorProcesses *seen) {
    EditorSearch search = {false, seen};
    EnumWindows(FindEditorWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void AwaitEditorProcesses(const EditorProcesses &seen) {
    DWORD start = GetTickCount();
    for (int i = 0; i < seen.count; ++i) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, seen.ids[i]);
        if (process == nullptr)
            continue; // ended already
        DWORD spent = GetTickCount() - start;
        WaitForSingleObject(process, spent < kEditorExitWait ? kEditorExitWait - spent : 0);
        CloseHandle(process);
    }
}

} // namespace aof
