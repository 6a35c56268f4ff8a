// Every run converges: a run ended after any step k of its plan, followed by a run of the same
// package as a user would start it (its SETUP.EXE, or the program copy with the uninstall-info
// copy, as the installed-apps entry starts it), leaves the state an undisturbed run leaves.
// The test drives the start-up reading and the sequences itself; it ends a run by carrying out
// only the first k steps of its plan. Files under C:\aoftest\converge, the editor's keys and the
// package record are compared whole (file times and InstallDate aside).
#include "check.h"
#include "driver/run_state.h"
#include "driver/sequence_win32.h"
#include "driver/startup_reading_win32.h"
#include "test_user.h"

#include "../ui/test_files.h"

#include <map>
#include <string>
#include <windows.h>

namespace {

using namespace testfiles;

const std::string kRoot = "C:\\aoftest\\converge";
const std::string kMacroFolder = kRoot + "\\Aofude\\Macro";
const std::string kInfoCopy = kMacroFolder + "\\ConvPack\\SETUP.AFU";
const char kEditorUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Aofude";
const char *const kComparedKeys[] = {
    "Software\\Aofudeo\\Aofude\\Assign.dat", "Software\\Brenlo",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\AofMacroSetup.ConvPack"};

std::string SetupInfo(int version, const std::string &mainExtra = "") {
    return "[Aofude Macro "
           "Setup]\r\nSetupVersion=32\r\nSetupName=Conv\r\nInternalName=ConvPack\r\n" +
           mainExtra + "MacroVersion=" + std::to_string(version) +
           "\r\nUnInstallInfoPath=\\macrodir\\ConvPack\\\r\n"
           "[Install Macros]\r\nFileName1=a.mac\r\nMacroTitle1=A\r\n"
           "FileName2=b.mac\r\nPath2=sub\\\r\nMacroTitle2=B\r\n"
           "[Install Files]\r\nFileName1=doc.txt\r\nPath1=\\aofudedir\\doc\\\r\n"
           "[UnInstall Files]\r\nFileName1=made.dat\r\nPath1=sub\\\r\n"
           "[Make Directory]\r\n1=ConvPack\r\n2=sub\r\n3=\\aofudedir\\doc\r\n"
           "[Group]\r\nGroupName=Conv\r\n";
}

// A package folder with its setup-info file and files.
void WritePackage(const std::string &folder, int version) {
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\SETUP.AFU", SetupInfo(version));
    for (const char *name : {"a.mac", "b.mac", "doc.txt"})
        WriteBytes(folder + "\\" + name, name + std::to_string(version));
}

void SetText(HKEY root, const char *path, const char *name, const std::string &text) {
    HKEY key;
    RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

// A machine with the editor installed, a macro of the user's own in sub-menu 1 (so that the
// package's sub-menu is the second), and the two versions of the package. otherUser: another
// user of the machine has installed the package already (its copy counts one user).
void PrepareMachine(bool otherUser) {
    RemoveTree(kRoot);
    for (const char *key : kComparedKeys)
        RegDeleteTreeA(HKEY_CURRENT_USER, key);
    CreateDirectoryA("C:\\aoftest", nullptr);
    CreateDirectoryA(kRoot.c_str(), nullptr);
    CreateDirectoryA((kRoot + "\\Aofude").c_str(), nullptr);
    CreateDirectoryA(kMacroFolder.c_str(), nullptr);
    SetText(HKEY_LOCAL_MACHINE, kEditorUninstallKey, "UninstallString",
            kRoot + "\\Aofude\\UNINST.EXE");
    SetText(HKEY_CURRENT_USER, "Software\\Aofudeo\\Aofude\\Env", "MacroPath", kMacroFolder);
    std::string menu = std::string(20, '\0') + "mine.mac" + '\0' + "Mine" + '\0';
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kComparedKeys[0], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    std::string bytes = menu + std::string(160 - 22, '\0');
    RegSetValueExA(key, "Amacro", 0, REG_BINARY, reinterpret_cast<const BYTE *>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    WritePackage(kRoot + "\\pkg1", 1);
    WritePackage(kRoot + "\\pkg2", 2);
    if (otherUser) {
        CreateDirectoryA((kMacroFolder + "\\ConvPack").c_str(), nullptr);
        WriteBytes(kInfoCopy, SetupInfo(1, "InstalledUsers=1\r\n"));
    }
}

// The state a run leaves: every file under the test folder with its contents, every value
// of the compared keys (InstallDate aside), one line each.
void AddKey(std::map<std::string, std::string> &state, HKEY root, const std::string &path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    state[path] = "key";
    char name[256];
    BYTE data[2048];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        if (std::string(name) != "InstallDate")
            state[path + "\\" + name] =
                std::to_string(type) + ":" + std::string(reinterpret_cast<char *>(data), dataSize);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        AddKey(state, root, path + "\\" + name);
    }
    RegCloseKey(key);
}

void AddFiles(std::map<std::string, std::string> &state, const std::string &folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        std::string path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            state[path] = "folder";
            AddFiles(state, path);
        } else {
            // Contents up to 64 bytes, and the size: the program copy is large.
            state[path] = ReadBytes(path) + "|" + std::to_string(found.nFileSizeLow);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::map<std::string, std::string> TakeState() {
    std::map<std::string, std::string> state;
    AddFiles(state, kRoot);
    for (const char *key : kComparedKeys)
        AddKey(state, HKEY_CURRENT_USER, key);
    return state;
}

// The one comparison: the first difference, or "" when the states are equal.
std::string CompareStates(const std::map<std::string, std::string> &expected,
                          const std::map<std::string, std::string> &actual) {
    for (const auto &item : expected) {
        auto found = actual.find(item.first);
        if (found == actual.end())
            return "missing " + item.first;
        if (found->second != item.second)
            return "differs " + item.first + ": " + wt::Show(found->second.substr(0, 120));
    }
    for (const auto &item : actual) {
        if (expected.find(item.first) == expected.end())
            return "left over " + item.first + ": " + wt::Show(item.second.substr(0, 120));
    }
    return "";
}

struct Stage {
    const char *name;
    const char *setupInfo; // what the user starts the run with, relative to the test folder
    // What the user starts it with again: the package's own setup-info file, when the
    // uninstall-info copy the program copy takes is gone.
    const char *package;
};

// A run as the user starts it, carried out up to step limit (all steps when it is larger
// than the plan); gives how many steps its plan has.
unsigned Run(const std::string &setupInfo, unsigned limit) {
    aof::RunState state = {};
    state.instance = GetModuleHandleA(nullptr);
    aof::StartupResult mode = aof::ReadStartup(state, setupInfo.c_str());
    CHECK(mode != aof::kStartupStopped);
    wt::TestUser user;
    aof::RunPlan plan = {};
    {
        aof::Sequence sequence(state, user);
        CHECK(sequence.Plan(plan));
        aof::RunPlan cut = plan;
        if (limit < cut.count)
            cut.count = limit;
        aof::RunEnd end = sequence.CarryOut(cut);
        CHECK(end == aof::kRunDone);
    }
    for (const std::string &text : user.told)
        wt::Fail(__FILE__, __LINE__, "told: " + wt::Show(text));
    aof::ReleaseRunState(state);
    return plan.count;
}

std::string PathOf(const char *setupInfo) {
    return kRoot + "\\" + setupInfo;
}

// Every stage, ended after every step and run again, against the undisturbed run's state.
void CheckEveryCut(const Stage *stages, int stageCount, bool otherUser) {
    std::map<std::string, std::string> undisturbed[4];
    unsigned steps[4];
    PrepareMachine(otherUser);
    for (int s = 0; s < stageCount; ++s) {
        steps[s] = Run(PathOf(stages[s].setupInfo), 1000);
        undisturbed[s] = TakeState();
    }
    for (int s = 0; s < stageCount; ++s) {
        for (unsigned k = 0; k < steps[s]; ++k) {
            PrepareMachine(otherUser);
            for (int before = 0; before < s; ++before)
                Run(PathOf(stages[before].setupInfo), 1000);
            Run(PathOf(stages[s].setupInfo), k);
            std::string again = PathOf(stages[s].setupInfo);
            if (GetFileAttributesA(again.c_str()) == INVALID_FILE_ATTRIBUTES)
                again = PathOf(stages[s].package);
            Run(again, 1000);
            std::string difference = CompareStates(undisturbed[s], TakeState());
            if (!difference.empty())
                wt::Fail(__FILE__, __LINE__,
                         std::string(stages[s].name) + " ended after step " + std::to_string(k) +
                             (otherUser ? " (other user)" : "") + ", run again: " + difference);
        }
    }
}

// Saves the editor's uninstall key of the bench and puts it back.
struct EditorKeySaved {
    std::string saved = [] {
        char text[520] = "";
        DWORD size = sizeof text;
        RegGetValueA(HKEY_LOCAL_MACHINE, kEditorUninstallKey, "UninstallString", RRF_RT_REG_SZ,
                     nullptr, text, &size);
        return std::string(text);
    }();
    ~EditorKeySaved() {
        if (!saved.empty())
            SetText(HKEY_LOCAL_MACHINE, kEditorUninstallKey, "UninstallString", saved);
        else
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, kEditorUninstallKey);
        RemoveTree(kRoot);
        for (const char *key : kComparedKeys)
            RegDeleteTreeA(HKEY_CURRENT_USER, key);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Aofudeo");
    }
};

} // namespace

TEST_CASE(EveryRunEndedAfterAnyStepIsCompletedByTheNextRun) {
    EditorKeySaved saved;
    const std::string copy = "Aofude\\Macro\\ConvPack\\SETUP.AFU";
    const Stage life[] = {
        {"install", "pkg1\\SETUP.AFU", "pkg1\\SETUP.AFU"},
        {"update", "pkg2\\SETUP.AFU", "pkg2\\SETUP.AFU"},
        // The installed-apps entry runs the program copy, which takes the copy beside it.
        {"uninstall", copy.c_str(), "pkg2\\SETUP.AFU"},
    };
    CheckEveryCut(life, 3, false);
    CheckEveryCut(life, 3, true);
}
