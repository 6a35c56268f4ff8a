// The editor's registry values, its folders and its windows, against the real registry, files
// under C:\aoftest\editor_env and windows created by the test itself. The cases that end the
// run with a message (a key that cannot be opened or written) run with the robot instead.
#include "check.h"
#include "common/text.h"
#include "editor/editor_environment_win32.h"
#include "editor/menu_registry_win32.h"
#include "editor/slot_allocation_win32.h"
#include "setupinfo/setup_section_win32.h"

#include "../ui/test_files.h"

#include <cstdlib>
#include <cstring>
#include <sddl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

const char kEditorRoot[] = "Software\\Aofudeo";
const char kEditorKey[] = "Software\\Aofudeo\\Aofude";
const char kAssignKey[] = "Software\\Aofudeo\\Aofude\\Assign.dat";
const char kEnvKey[] = "Software\\Aofudeo\\Aofude\\Env";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Aofude";
const std::string kFolder = "C:\\aoftest\\editor_env";

// Deletes afterwards the editor's keys that the case created.
struct EditorKeys {
    bool rootExisted = testfiles::KeyExists(HKEY_CURRENT_USER, kEditorRoot);
    bool editorExisted = testfiles::KeyExists(HKEY_CURRENT_USER, kEditorKey);
    bool assignExisted = testfiles::KeyExists(HKEY_CURRENT_USER, kAssignKey);
    bool envExisted = testfiles::KeyExists(HKEY_CURRENT_USER, kEnvKey);
    ~EditorKeys() {
        if (!assignExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, kAssignKey);
        if (!envExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, kEnvKey);
        if (!editorExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, kEditorKey);
        if (!rootExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, kEditorRoot);
    }
};

void SetValue(HKEY root, const char *path, const char *name, DWORD type, const std::string &bytes) {
    HKEY key;
    RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE *>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

void SetBinary(const char *name, const std::string &bytes) {
    SetValue(HKEY_CURRENT_USER, kAssignKey, name, REG_BINARY, bytes);
}

std::string ReadValue(HKEY root, const char *path, const char *name, REGSAM view = 0) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return "(no key)";
    char buffer[2048];
    DWORD size = sizeof buffer;
    LONG status =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(buffer), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(buffer, size) : "(missing)";
}

std::string Bytes(const aof::ByteTable &table) {
    return std::string(reinterpret_cast<const char *>(table.bytes), table.length);
}

std::string Nuls(std::size_t n) {
    return std::string(n, '\0');
}

// Tables read fresh into released tables, as the start-up reading does, with their copies as
// read.
struct ReadTables : aof::EditorTables {
    ReadTables() : aof::EditorTables{} { CHECK(aof::LoadEditorTables(*this)); }
    ~ReadTables() { aof::ReleaseEditorTables(*this); }
};

// Amacro with slot 1 used, then free slots, then bytes of the editor's own after them.
std::string UsedMenu() {
    std::string bytes = std::string("\\macrodir\\\x95\x5c.mac") + '\0' + "\x95\x5c" + '\0';
    bytes += Nuls(158);
    return bytes + "editor's own" + '\0' + "\x01\x02";
}

} // namespace

TEST_CASE(EditorTablesDefaultWithoutKeyOrValues) {
    EditorKeys keys;
    RegDeleteKeyA(HKEY_CURRENT_USER, kAssignKey);
    {
        ReadTables tables;
        CHECK_STR(Bytes(tables.groups), Nuls(217));
        CHECK_STR(Bytes(tables.menu), Nuls(160));
    }
    SetBinary("Other", "x");
    {
        ReadTables tables;
        CHECK_STR(Bytes(tables.groups), Nuls(217));
        CHECK_STR(Bytes(tables.menu), Nuls(160));
    }
}

TEST_CASE(EditorTablesReadAndWrittenBackByteForByte) {
    EditorKeys keys;
    std::string groups = std::string("Tools") + Nuls(26) + "\x95\x5c" + Nuls(250 - 33);
    SetBinary("MacroGroup", groups);
    SetBinary("Amacro", UsedMenu());
    {
        ReadTables tables;
        CHECK_STR(Bytes(tables.groups), groups);
        CHECK_STR(Bytes(tables.menu), UsedMenu());
        CHECK_EQ(aof::StoreEditorTables(tables, true), aof::kTablesStored);
    }
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "Amacro"), UsedMenu());
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "MacroGroup"), groups);

    // Short values are completed in memory; every byte read is written back where it was.
    SetBinary("Amacro", "");
    SetBinary("MacroGroup", "Short");
    {
        ReadTables tables;
        CHECK_STR(Bytes(tables.menu), Nuls(160));
        CHECK_STR(Bytes(tables.groups), "Short" + Nuls(212));
        CHECK_EQ(aof::StoreEditorTables(tables, true), aof::kTablesStored);
    }
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "Amacro"), Nuls(160));
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "MacroGroup"), "Short" + Nuls(212));
}

// A key the user may read but not write: its values are read all the same, so that the later
// write fails with its message instead of replacing the registrations by defaults.
TEST_CASE(EditorTablesReadFromKeyThatRefusesWriting) {
    EditorKeys keys;
    SetBinary("Amacro", UsedMenu());
    SetBinary("MacroGroup", "Named" + Nuls(212));
    HKEY key;
    CHECK_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    char original[1024];
    DWORD originalSize = sizeof original;
    CHECK_EQ(RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, original, &originalSize),
             ERROR_SUCCESS);
    CHECK(testfiles::SetKeyAccess(key, "D:P(A;;KR;;;WD)"));
    HKEY refused;
    CHECK_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kAssignKey, 0, KEY_WRITE, &refused),
             ERROR_ACCESS_DENIED);
    {
        ReadTables tables;
        CHECK_STR(Bytes(tables.menu), UsedMenu());
        CHECK_STR(Bytes(tables.groups), "Named" + Nuls(212));
    }
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, original);
    RegCloseKey(key);
}

namespace {

const char kNoValue[] = "(no value)";

// The editor's uninstall key in one registry view, written with that view's flag (a key written
// without one lands in the test program's own view, where it is always found): nullptr for no
// key, kNoValue for a key without UninstallString.
void SetEditorKey(REGSAM view, const char *uninstallString, DWORD type = REG_SZ) {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, view, 0);
    if (uninstallString == nullptr)
        return;
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_ALL_ACCESS | view,
                    nullptr, &key, nullptr);
    if (uninstallString != kNoValue)
        RegSetValueExA(key, "UninstallString", 0, type,
                       reinterpret_cast<const BYTE *>(uninstallString),
                       static_cast<DWORD>(std::strlen(uninstallString) + 1));
    RegCloseKey(key);
}

// Puts the editor's uninstall key of both views back as it was before the case.
struct SavedEditorKeys {
    struct Saved {
        REGSAM view;
        bool existed;
        std::string value;
    };
    static Saved Save(REGSAM view) {
        std::string value = ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", view);
        return {view, value != "(no key)", value};
    }
    Saved saved[2] = {Save(KEY_WOW64_64KEY), Save(KEY_WOW64_32KEY)};
    ~SavedEditorKeys() {
        for (const Saved &s : saved)
            SetEditorKey(s.view, !s.existed               ? nullptr
                                 : s.value == "(missing)" ? kNoValue
                                                          : s.value.c_str());
    }
};

} // namespace

TEST_CASE(EditorFolderIsTheUninstallStringUpToItsLastBackslash) {
    SavedEditorKeys saved;
    SetEditorKey(KEY_WOW64_32KEY, nullptr);
    struct Case {
        std::string value;
        std::string folder;
        DWORD type;
    } cases[] = {
        {"C:\\Program Files\\Aofude\\AOFUDE.EXE", "C:\\Program Files\\Aofude", REG_SZ},
        {"C:\\AOFUDE.EXE", "C:", REG_SZ},
        // 表 ends in the byte of "\", which never splits a path.
        {"D:\\\x95\x5c\\\x83\x5c\x83t\x83g\\\x95\x5c", "D:\\\x95\x5c\\\x83\x5c\x83t\x83g", REG_SZ},
        {"\"C:\\Aofude\\AOFUDE.EXE\" /u", "\"C:\\Aofude", REG_SZ},
        // An installer may store it with variables; they are expanded.
        {"%SystemDrive%\\Aofude\\AOFUDE.EXE", "C:\\Aofude", REG_EXPAND_SZ},
    };
    char *folder = nullptr;
    for (const Case &c : cases) {
        SetEditorKey(KEY_WOW64_64KEY, c.value.c_str(), c.type);
        CHECK_EQ(aof::ReadEditorFolder(&folder), aof::kEditorFound);
        CHECK_STR(folder != nullptr ? folder : "(none)", c.folder);
    }
    std::free(folder);
}

TEST_CASE(EditorFolderFoundInEitherRegistryView) {
    SavedEditorKeys saved;
    struct Case {
        const char *in64; // UninstallString in the 64-bit view
        const char *in32; // and in the 32-bit view (WOW6432Node)
        aof::EditorFolderReading reading;
        const char *folder;
    } cases[] = {
        {"C:\\A64\\AOFUDE.EXE", nullptr, aof::kEditorFound, "C:\\A64"},
        {nullptr, "C:\\A32\\AOFUDE.EXE", aof::kEditorFound, "C:\\A32"},
        {"C:\\A64\\AOFUDE.EXE", "C:\\A32\\AOFUDE.EXE", aof::kEditorFound, "C:\\A64"},
        // A missing or unusable value in the 64-bit view falls through to the 32-bit one.
        {kNoValue, "C:\\A32\\AOFUDE.EXE", aof::kEditorFound, "C:\\A32"},
        {"AOFUDE.EXE", "C:\\A32\\AOFUDE.EXE", aof::kEditorFound, "C:\\A32"},
        {kNoValue, nullptr, aof::kEditorFolderUnusable, nullptr},
        {nullptr, "AOFUDE.EXE", aof::kEditorFolderUnusable, nullptr},
        {nullptr, nullptr, aof::kNoEditorKey, nullptr},
    };
    for (const Case &c : cases) {
        SetEditorKey(KEY_WOW64_64KEY, c.in64);
        SetEditorKey(KEY_WOW64_32KEY, c.in32);
        char *folder = nullptr;
        CHECK_EQ(aof::ReadEditorFolder(&folder), c.reading);
        CHECK_STR(folder != nullptr ? folder : "(none)", c.folder != nullptr ? c.folder : "(none)");
        std::free(folder);
    }
}

TEST_CASE(EditorMacroFolderResolvedInItsThreeCases) {
    EditorKeys keys;
    const char editor[] = "C:\\aoftest\\editor_env\\\x95\x5c";
    aof::ByteTable fresh{nullptr, 0};
    aof::ByteTable used{nullptr, 0};
    CHECK(aof::AllocateTable(fresh, 170)); // longer than 160, still entirely empty
    CHECK(aof::AllocateTable(used, 160));
    used.bytes[159] = 'x';
    char macroFolder[aof::kPathSize];
    bool flag = true;

    // MacroPath set: used as it is, even for a folder that does not exist.
    SetValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath", REG_SZ, std::string("Z:\\nowhere") + '\0');
    CHECK_EQ(aof::kMacroFolderFound, aof::ReadMacroFolder(editor, used, macroFolder, &flag));
    CHECK_STR(macroFolder, "Z:\\nowhere");
    CHECK(!flag);
    SetValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath", REG_SZ, "Y:\\stored without NUL");
    CHECK_EQ(aof::kMacroFolderFound, aof::ReadMacroFolder(editor, fresh, macroFolder, &flag));
    CHECK_STR(macroFolder, "Y:\\stored without NUL");
    CHECK(!flag);
    SetValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath", REG_EXPAND_SZ,
             std::string("%SystemDrive%\\m") + '\0');
    CHECK_EQ(aof::kMacroFolderFound, aof::ReadMacroFolder(editor, fresh, macroFolder, &flag));
    CHECK_STR(macroFolder, "C:\\m");

    // No MacroPath and no macro registered: the editor's MACRO folder is to be prepared.
    SetValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath", REG_SZ, std::string(1, '\0'));
    CHECK_EQ(aof::kMacroFolderFound, aof::ReadMacroFolder(editor, fresh, macroFolder, &flag));
    CHECK_STR(macroFolder, std::string(editor) + "\\MACRO");
    CHECK(flag);

    // No MacroPath but registrations exist: the editor folder itself, nothing to prepare.
    HKEY env;
    RegOpenKeyExA(HKEY_CURRENT_USER, kEnvKey, 0, KEY_ALL_ACCESS, &env);
    RegDeleteValueA(env, "MacroPath");
    RegCloseKey(env);
    CHECK_EQ(aof::kMacroFolderFound, aof::ReadMacroFolder(editor, used, macroFolder, &flag));
    CHECK_STR(macroFolder, editor);
    CHECK(!flag);
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath"), "(missing)");

    // The longest fallback that fits.
    std::string longEditor = "C:\\" + std::string(aof::kPathSize - 1 - 3 - 6, 'e');
    CHECK_EQ(aof::kMacroFolderFound,
             aof::ReadMacroFolder(longEditor.c_str(), fresh, macroFolder, &flag));
    CHECK_EQ(std::string(macroFolder).size(), aof::kPathSize - 1);
    aof::ReleaseTable(fresh);
    aof::ReleaseTable(used);
}

namespace {

bool IsFile(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// An editor folder with macro files, another file and a folder whose name looks like a macro.
struct EditorFolder {
    std::string path = kFolder + "\\\x90\xc2\x95\x4d\x95\x5c"; // 青筆表
    std::string macros = path + "\\MACRO";
    EditorFolder() {
        CreateDirectoryA("C:\\aoftest", nullptr);
        CreateDirectoryA(kFolder.c_str(), nullptr);
        CreateDirectoryA(path.c_str(), nullptr);
        testfiles::WriteBytes(path + "\\ONE.MAC", "one");
        testfiles::WriteBytes(path + "\\\x83\x5c\x81\x5b\x83g.mac", "sort"); // ソート.mac
        testfiles::WriteBytes(path + "\\README.TXT", "readme");
        // Its short name NOTES~1.MAC matches "*.MAC"; its long name is no macro file's.
        testfiles::WriteBytes(path + "\\notes.macro", "notes");
        CreateDirectoryA((path + "\\FOLDER.MAC").c_str(), nullptr);
    }
    ~EditorFolder() { testfiles::RemoveTree(kFolder); } // C:\aoftest stays for other cases
};

} // namespace

TEST_CASE(EditorMacroFolderPreparedAndMacroFilesMoved) {
    EditorKeys keys;
    EditorFolder editor;
    SetValue(HKEY_CURRENT_USER, kEnvKey, "Other", REG_SZ, std::string("x") + '\0');
    CHECK_EQ(aof::PrepareMacroFolder(editor.path.c_str(), editor.macros.c_str()),
             aof::kMacroFolderPrepared);
    CHECK(IsFolder(editor.macros));
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath"), editor.macros + '\0');
    CHECK(IsFile(editor.macros + "\\ONE.MAC"));
    CHECK(IsFile(editor.macros + "\\\x83\x5c\x81\x5b\x83g.mac"));
    CHECK(!IsFile(editor.path + "\\ONE.MAC"));
    CHECK(IsFile(editor.path + "\\README.TXT"));
    CHECK(IsFile(editor.path + "\\notes.macro"));
    CHECK(IsFolder(editor.path + "\\FOLDER.MAC"));
}

// A macro folder that is the editor folder in another spelling: nothing to create, store or
// move (moving each file onto itself used to find it again for ever).
TEST_CASE(EditorMacroFolderThatIsTheEditorFolderIsLeftAlone) {
    EditorKeys keys;
    EditorFolder editor;
    SetValue(HKEY_CURRENT_USER, kEnvKey, "Other", REG_SZ, std::string("x") + '\0');
    HKEY env;
    RegOpenKeyExA(HKEY_CURRENT_USER, kEnvKey, 0, KEY_ALL_ACCESS, &env);
    RegDeleteValueA(env, "MacroPath");
    RegCloseKey(env);
    std::string upper = "C:\\AOFTEST\\EDITOR_ENV" + editor.path.substr(kFolder.size());
    CHECK_EQ(aof::PrepareMacroFolder(editor.path.c_str(), upper.c_str()),
             aof::kMacroFolderPrepared);
    CHECK(IsFile(editor.path + "\\ONE.MAC"));
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath"), "(missing)");
}

// The MACRO folder exists and already holds a file of one macro's name: that file cannot be
// moved and stays, the others are moved all the same, and the moving comes to an end.
TEST_CASE(EditorMacroFolderExistingWithAnUnmovableFile) {
    EditorKeys keys;
    EditorFolder editor;
    SetValue(HKEY_CURRENT_USER, kEnvKey, "Other", REG_SZ, std::string("x") + '\0');
    CreateDirectoryA(editor.macros.c_str(), nullptr);
    testfiles::WriteBytes(editor.macros + "\\ONE.MAC", "kept");
    testfiles::WriteBytes(editor.path + "\\TWO.MAC", "two");
    testfiles::WriteBytes(editor.path + "\\ZZZ.MAC", "zzz");
    CHECK_EQ(aof::PrepareMacroFolder(editor.path.c_str(), editor.macros.c_str()),
             aof::kMacroFolderPrepared);
    CHECK(IsFile(editor.path + "\\ONE.MAC"));
    CHECK(IsFile(editor.macros + "\\ONE.MAC"));
    CHECK(IsFile(editor.macros + "\\TWO.MAC"));
    CHECK(IsFile(editor.macros + "\\ZZZ.MAC"));
    CHECK(IsFile(editor.macros + "\\\x83\x5c\x81\x5b\x83g.mac"));
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kEnvKey, "MacroPath"), editor.macros + '\0');
}

namespace {

LRESULT CALLBACK PlainWindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

// A hidden top-level window of the given class while it lives.
struct TopLevelWindow {
    const char *className;
    HWND window = nullptr;
    explicit TopLevelWindow(const char *name) : className(name) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainWindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, className, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TopLevelWindow() {
        DestroyWindow(window);
        UnregisterClassA(className, GetModuleHandleA(nullptr));
    }
};

} // namespace

TEST_CASE(EditorRunningFoundByExactWindowClass) {
    CHECK(!aof::IsEditorRunning());
    {
        TopLevelWindow editor(aof::kEditorWindowClass);
        CHECK(editor.window != nullptr);
        CHECK(aof::IsEditorRunning());
    }
    CHECK(!aof::IsEditorRunning());
    {
        TopLevelWindow lookalike("aofude32class");
        CHECK(lookalike.window != nullptr);
        CHECK(!aof::IsEditorRunning());
    }
}

namespace {

const char kRecordKey[] = "Software\\Aofudeo\\EditorTestRecord";
const std::string kSetupInfo = kFolder + "\\SETUP.AFU";

// A setup-info file (the package's or its uninstall-info copy) while it lives.
struct SetupInfoFile {
    explicit SetupInfoFile(const std::string &text) {
        CreateDirectoryA("C:\\aoftest", nullptr);
        CreateDirectoryA(kFolder.c_str(), nullptr);
        testfiles::WriteBytes(kSetupInfo, text);
    }
    ~SetupInfoFile() { testfiles::RemoveTree(kFolder); }
};

void RecordSlot(const char *name, DWORD slot) {
    SetValue(HKEY_CURRENT_USER, kRecordKey, name, REG_DWORD,
             std::string(reinterpret_cast<const char *>(&slot), sizeof slot));
}

// A menu table with the given slots filled (path and title).
std::string
MenuWith(const std::vector<std::pair<unsigned, std::pair<std::string, std::string>>> &used) {
    std::vector<std::string> strings(160);
    for (const auto &slot : used) {
        strings[2 * slot.first - 2] = slot.second.first;
        strings[2 * slot.first - 1] = slot.second.second;
    }
    std::string bytes;
    for (const std::string &s : strings)
        bytes += s + '\0';
    return bytes;
}

const char kPackageMacros[] = "[Install Macros]\r\n"
                              "FileName1=a.mac\r\nPath1=\\macrodir\\\r\nMacroTitle1=Alpha\r\n"
                              "FileName2=b.mac\r\nPath2=\\macrodir\\sub\\\r\nMacroTitle2=Beta\r\n"
                              "FileName3=c.mac\r\n"
                              "FileName4=d.mac\r\nMacroTitle4=Delta\r\n"
                              "[Group]\r\nGroupName=Package tools\r\n";

} // namespace

TEST_CASE(EditorGroupChoiceAndNameFromTheSetupInfoFile) {
    EditorKeys keys;
    SetBinary("MacroGroup", Nuls(217));
    aof::ByteTable menu{nullptr, 0};
    aof::ByteTable groups{nullptr, 0};
    CHECK(aof::AllocateTable(menu, 160));
    CHECK(aof::AllocateTable(groups, 217));
    {
        // Only three characters are read: "YesPlease" asks for the main menu.
        SetupInfoFile file("[Group]\r\nInstallToMainGroup=YesPlease\r\nGetEmptySubMenuMode=1\r\n"
                           "GroupName=" +
                           std::string(28, 'g') + "\x95\x5c" + "more\r\n");
        CHECK_EQ(aof::ChooseGroup(kSetupInfo.c_str(), menu, groups, 10), 0);
        aof::NameGroupIfEmpty(kSetupInfo.c_str(), groups, 3);
        std::string named = Nuls(62) + std::string(28, 'g') + "\x95\x5c" + Nuls(1) + Nuls(124);
        CHECK_STR(Bytes(groups), named);
    }
    {
        SetupInfoFile file("[Group]\r\nInstallToMainGroup=y\r\nGroupName=Other\r\n");
        CHECK_EQ(aof::ChooseGroup(kSetupInfo.c_str(), menu, groups, 1), 1);
        // A sub-menu that has a name keeps it.
        aof::NameGroupIfEmpty(kSetupInfo.c_str(), groups, 3);
        CHECK(aof::GroupNameEquals(groups, 3, (std::string(28, 'g') + "\x95\x5c").c_str()));
    }
    {
        SetupInfoFile file("[Group]\r\nGetEmptySubMenuMode=1\r\n");
        CHECK_EQ(aof::ChooseGroup(kSetupInfo.c_str(), menu, groups, 10), 3);
        CHECK_EQ(aof::ChooseGroup(kSetupInfo.c_str(), menu, groups, 11), 8);
    }
    aof::ReleaseTable(menu);
    aof::ReleaseTable(groups);
}

// The uninstall's removal of the package in memory, then the tables stored; nameStays: whether
// the sub-menu's name is expected to stay.
static void RemoveRegistration(bool nameStays) {
    ReadTables tables;
    aof::SetupSection macros;
    CHECK(macros.Read(kSetupInfo.c_str(), "Install Macros"));
    CHECK(aof::RemovePackageMenuEntries(kRecordKey, macros.Index(), tables.menu));
    bool cleared = true;
    CHECK(aof::ClearGroupNameIfEmptied(kRecordKey, "Package tools", tables.menu, tables.groups,
                                       &cleared));
    CHECK_EQ(cleared, !nameStays);
    CHECK_EQ(aof::StoreEditorTables(tables, cleared), aof::kTablesStored);
}

// The user edited the second macro's title: that slot keeps its entry, so the sub-menu stays
// in use and keeps its name. A recorded slot beyond the menu touches nothing.
TEST_CASE(EditorUninstallEmptiesOnlyThePackagesUnchangedSlots) {
    EditorKeys keys;
    SetupInfoFile file(kPackageMacros);
    RecordSlot("1", 21);
    RecordSlot("2", 22);
    RecordSlot("3", 23);
    RecordSlot("4", 4000000000u);
    std::string other = std::string("\\macrodir\\x.mac");
    std::string menuBytes = MenuWith({{21, {"\\macrodir\\a.mac", "Alpha"}},
                                      {22, {"\\macrodir\\sub\\b.mac", "Beta (mine)"}},
                                      {23, {"c.mac", ""}},
                                      {25, {other, "X"}}}) +
                            "tail";
    SetBinary("Amacro", menuBytes);
    std::string groupBytes = Nuls(31) + "Package tools" + Nuls(18) + Nuls(155);
    SetBinary("MacroGroup", groupBytes);
    RemoveRegistration(true);
    CHECK_STR(Bytes(ReadTables().groups), groupBytes);
    std::string expected =
        MenuWith({{22, {"\\macrodir\\sub\\b.mac", "Beta (mine)"}}, {25, {other, "X"}}}) + "tail";
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "Amacro"), expected);
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "MacroGroup"), groupBytes);

    // Once the sub-menu holds nothing else, its name goes with the package.
    SetBinary("Amacro", MenuWith({{22, {"\\macrodir\\sub\\b.mac", "Beta"}}}));
    RemoveRegistration(false);
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "Amacro"), Nuls(160));
    CHECK_STR(ReadValue(HKEY_CURRENT_USER, kAssignKey, "MacroGroup"), Nuls(217));
    RegDeleteKeyA(HKEY_CURRENT_USER, kRecordKey);
}
