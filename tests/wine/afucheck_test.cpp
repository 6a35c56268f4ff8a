// AFUCHECK's checks on small broken setup-info files, read through the real profile functions:
// each row is a file and the diagnostics (code@line) it must give, in line order.
#include "afucheck/setup_info_check_win32.h"
#include "check.h"
#include "setupinfo/setup_info_win32.h"
#include "../ui/test_files.h"

#include <memory>
#include <string>
#include <windows.h>

namespace {

const std::string kFolder = "C:\\aoftest\\afucheck";
char kMacroFolder[] = "C:\\aoftest\\afucheck\\Macro";
char kEditorFolder[] = "C:\\aoftest\\Aofude";

// The package folder with the files the rows name, and a machine whose editor is installed.
struct Package {
    Package() {
        CreateDirectoryA("C:\\aoftest", nullptr);
        CreateDirectoryA(kFolder.c_str(), nullptr);
        CreateDirectoryA((kFolder + "\\tools").c_str(), nullptr);
        for (const char *name : {"a.mac", "b.mac", "readme.txt", "tools\\c.mac"})
            testfiles::WriteBytes(kFolder + "\\" + name, "x");
        machine = aof::Machine{};
        machine.editorInstalled = machine.macroFolderKnown = true;
        machine.editorFolder = kEditorFolder;
        std::strcpy(machine.macroFolder, kMacroFolder);
        std::strcpy(machine.windowsFolder, "C:\\windows");
        std::strcpy(machine.systemFolder, "C:\\windows\\system32");
    }
    ~Package() { testfiles::RemoveTree(kFolder); }

    // The diagnostics of a setup-info file with these bytes: "101@2 205@9"; with details,
    // "101@2 SetupVersion=33|205@9 …".
    std::string Check(const std::string &bytes, bool details = false) {
        std::string path = kFolder + "\\SETUP.AFU";
        testfiles::WriteBytes(path, bytes);
        auto list = std::make_unique<aof::DiagnosticList>();
        aof::CheckSetupInfo(path.c_str(), machine, *list,
                            oldPath.empty() ? nullptr : oldPath.c_str());
        std::string found;
        for (unsigned i = 0; i < list->count; ++i) {
            found += found.empty() ? "" : details ? "|" : " ";
            found +=
                std::to_string(list->items[i].code) + "@" + std::to_string(list->items[i].line);
            found += details ? std::string(" ") + list->items[i].detail : "";
        }
        return found;
    }
    // The same for an update from the version whose setup-info file holds oldBytes.
    std::string CheckUpdate(const std::string &oldBytes, const std::string &bytes) {
        oldPath = kFolder + "\\OLD.AFU";
        testfiles::WriteBytes(oldPath, oldBytes);
        std::string found = Check(bytes);
        oldPath.clear();
        return found;
    }
    aof::Machine machine;
    std::string oldPath;
};

// Lines joined with CR LF; the first six are a clean head (its uninstall-info folder, the
// editor's, always exists).
std::string File(std::initializer_list<const char *> lines) {
    std::string text;
    for (const char *line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

// A setup-info file and the diagnostics it must give.
struct Row {
    std::string file;
    const char *expected;
};

#define HEAD                                                                                       \
    "[Aofude Macro Setup]", "SetupVersion=32", "SetupName=テスト", "InternalName=Test",            \
        "MacroVersion=1", "UnInstallInfoPath=\\aofudedir\\"

TEST_CASE(AfucheckFindsEachMistakeOnItsLine) {
    Package package;
    const std::string longName(200, 'n');
    const std::string longPath(510, 'p');
    const Row rows[] = {
        {File({HEAD, "[Install Macros]", "FileName1=a.mac", "MacroTitle1=A"}), ""},
        {File({"[Aofude Macro Setup]", "SetupVersion=33", "MacroVersion=0", "[Install Macros]",
               "FileName2=a.mac"}),
         "210@1 211@1 101@2 102@3 103@4 201@5"},
        {File({HEAD, "[Install Macros]", "FileName1=a.mac", "FileName3=b.mac", "FileName12=b.mac",
               "FileName01=b.mac", "Titel1=x", "FileName1=b.mac"}),
         "220@8 201@9 201@10 202@11 203@12 205@13"},
        {File({HEAD, "[Install Macro]", "[Install Macros]", "FileName1=zzz.mac",
               "UnInstallOption1=yes", "[Install Macros]", "FileName2=b.mac"}),
         "204@7 106@9 220@9 217@10 206@11"},
        {File({"SetupName=outside", HEAD, "[Install Macros]", "FileName1=a.mac", "[Install Files]",
               "FileName1=b.mac", "Path1=A.MAC", "[Delete Files on Install]", "FileName1=old.mac",
               "Path1=..\\old\\"}),
         "203@1 220@9 213@11 212@15"},
        {File({"[Aofude Macro Setup]", "SetupVersion=30", ("SetupName=" + longName).c_str(),
               "InternalName=T", "MacroVersion=2", "UnInstallInfoPath=\\macrodir\\test",
               "[Install Macros]", "FileName1=a.mac", ("Path1=" + longPath).c_str(), "[Group]",
               "InstallToMainGroup=yesterday",
               "GroupName=0123456789012345678901234567890123456789"}),
         "207@3 209@6 220@8 107@8 208@11 207@12"},
        {File({HEAD, "[Install Macros]", "FileName1=a.mac", "[Make Directory]", "1=one", "3=three",
               "[ShellExecute]", "FileName=missing.txt", "[UnInstall Files]", "FileName1=x.dat",
               "UnInstallOption2=1", "FileName3=y.dat", "FileName5=z.dat"}),
         "220@8 214@11 215@13 201@18"},
        {File({HEAD, "[Install Macros]", "FileName1=a.mac", "MacroTitle1=A", "[ShellExecute]",
               "FileName=readme.txt"}),
         ""},
        {"[Aofude Macro Setup]\r\nSetupVersion=32\r\nSetupName=\x81\x20\r\n",
         "103@0 102@1 210@1 211@1 105@3"},
    };
    for (const Row &row : rows)
        CHECK_STR(package.Check(row.file), row.expected);
}

#define MACRO "[Install Macros]", "FileName1=a.mac", "MacroTitle1=A"

// Where the files land, judged as SETUP.EXE will place them on the user's machine: only the
// variables' folders, the folders [Make Directory] makes and the uninstall-info folder exist.
TEST_CASE(AfucheckJudgesDestinationsAsSetupWill) {
    Package package;
    const Row rows[] = {
        {File({HEAD, MACRO, "Path1=\\MacroDir\\Yamada\\"}), "111@10"},
        {File({HEAD, MACRO, "Path1=C:\\Tools\\"}), "110@10"},
        {File({HEAD, MACRO, "Path1=\\\\server\\share\\"}), "110@10"},
        {File({HEAD, "[Install Macros]", "FileName1=tools/c.mac", "MacroTitle1=C",
               "Path1=\\macrodir\\"}),
         "112@10"},
        {File({HEAD, "[Install Macros]", "FileName1=tools/c.mac", "MacroTitle1=C",
               "[Make Directory]", "1=tools"}),
         ""},
        {File({HEAD, MACRO, "Path1=sub\\", "[Make Directry]", "1=sub"}), "108@10 204@11"},
        {File({HEAD, MACRO, "Path1=Yamada", "[Make Directory]", "1=Yamada"}), "109@10"},
        {File({HEAD, MACRO, "Path1=\\macrodir"}), "109@10"},
        {File({HEAD, MACRO, "Path1=tools/"}), "112@10"},
        {File({HEAD, MACRO, "Path1=/macrodir/x.mac"}), "112@10"},
        {File({HEAD, MACRO, "[Make Directory]", "1=one\\two"}), "108@11"},
        {File({HEAD, MACRO, "[Install Files]", "FileName1=b.mac", "Path1=\\windowsdir\\b.ini",
               "[UnInstall Files]", "FileName1=x.dat", "Path1=C:\\x\\", "UnInstallOption2=1",
               "FileName2=y.dat", "Path2=C:\\y\\"}),
         "110@15"},
        {File({HEAD, "[Install Macros]", "FileName1=a.mac",
               "MacroTitle1=検索強化(&S) ; Ctrl+F の代わり"}),
         "218@9"},
        {File({HEAD, "[Install Macros]", "FileName1=a.mac", "MacroTitle1=\"A\""}), "219@9"},
        {File({HEAD, "[Install Macros]", "FileName1=a.mac"}), "220@8"},
    };
    for (const Row &row : rows)
        CHECK_STR(package.Check(row.file), row.expected);
    const std::string head = "[Aofude Macro Setup]\r\nSetupVersion=32\r\nInternalName=Test\r\n"
                             "MacroVersion=1\r\nUnInstallInfoPath=";
    const std::string macro = "\r\n[Install Macros]\r\nFileName1=a.mac\r\nMacroTitle1=A\r\n";
    CHECK_STR(package.Check(head + "\\macrodir\\test\\" + macro), "108@5");
    CHECK_STR(package.Check(head + "\\macrodir\\test\\" + macro + "[Make Directory]\r\n1=test"),
              "");
    CHECK_STR(package.Check(head + "D:\\info\\" + macro), "110@5");
}

// The details name the keys, where the paths really lead and what SETUP.EXE does.
TEST_CASE(AfucheckSaysWhereTheFilesLand) {
    Package package;
    const Row rows[] = {
        {File({HEAD, MACRO, "Path1=sub\\"}),
         "108@10 FileName1=a.mac, Path1=sub\\ → \\macrodir\\sub\\a.mac (フォルダ "
         "\\macrodir\\sub がありません)。SETUP.EXE はコピーに失敗して中止します"},
        {File({HEAD, MACRO, "Path1=..\\a.mac"}),
         "212@10 Path1=..\\a.mac → C:\\aoftest\\afucheck\\a.mac"},
        {File({"[Aofude Macro Setup]", "SetupVersion=32", "InternalName=T", "MacroVersion=1.1",
               "UnInstallInfoPath=\\macrodir\\文章整形", "[Install Macros]", "FileName1=a.mac",
               "MacroTitle1=A"}),
         "217@4 MacroVersion=1.1 (1 として読まれます。インストール済みの版と同じなら、SETUP.EXE "
         "はアンインストールになります)|209@5 UnInstallInfoPath=\\macrodir\\文章整形 → 写しは "
         "C:\\aoftest\\afucheck\\Macro\\文章整形SETUP.AFU と "
         "C:\\aoftest\\afucheck\\Macro\\文章整形SETUP.EXE"},
        {File({HEAD, "[Install Macros]", "FileName1=a.mac", "Path1=tools\\x.mac",
               "[Make Directory]", "1=tools"}),
         "220@8 MacroTitle1 (メニューには「tools\\x.mac」)"},
    };
    for (const Row &row : rows)
        CHECK_STR(package.Check(row.file, true), row.expected);
}

// What an update leaves wrong on the user's machine: files nothing takes away, menu entries it
// never changes, a version that does not select the update.
TEST_CASE(AfucheckComparesVersions) {
    Package package;
#define VERSION(n)                                                                                 \
    "[Aofude Macro Setup]", "SetupVersion=32", "SetupName=テスト", "InternalName=Test",            \
        "MacroVersion=" #n, "UnInstallInfoPath=\\aofudedir\\"
    const std::string old = File({VERSION(1), MACRO, "[Install Files]", "FileName1=readme.txt",
                                  "Path1=\\aofudedir\\", "FileName2=b.mac", "UnInstallOption2=1"});
    const Row rows[] = {
        {File(
             {VERSION(2), MACRO, "[Install Files]", "FileName1=readme.txt", "Path1=\\aofudedir\\"}),
         ""},
        {File({VERSION(2), MACRO, "[Install Files]", "FileName1=README.TXT",
               "Path1=\\aofudedir\\.\\"}),
         ""},
        {File(
             {VERSION(1), MACRO, "[Install Files]", "FileName1=readme.txt", "Path1=\\aofudedir\\"}),
         "225@5"},
        {File({VERSION(2), MACRO}), "221@0"},
        {File({VERSION(2), MACRO, "[UnInstall Files]", "UnInstallOption1=1", "FileName2=readme.txt",
               "Path2=\\aofudedir\\", "UnInstallOption2=1"}),
         "221@0"},
        {File({VERSION(2), MACRO, "[UnInstall Files]", "FileName1=x.txt", "Path1=\\aofudedir\\",
               "FileName2=readme.txt", "Path2=\\aofudedir\\"}),
         ""},
        {File({VERSION(2), MACRO, "[Delete Files on Install]", "FileName1=readme.txt",
               "Path1=\\aofudedir\\"}),
         ""},
        {File({VERSION(2), "[Install Macros]", "FileName1=a.mac", "MacroTitle1=B",
               "FileName2=b.mac", "MacroTitle2=B", "[Install Files]", "FileName1=readme.txt",
               "Path1=\\aofudedir\\"}),
         "222@8 223@10"},
        {File({VERSION(2), "[Install Macros]", "FileName1=b.mac", "MacroTitle1=A", "Path1=a.mac",
               "[Install Files]", "FileName1=readme.txt", "Path1=\\aofudedir\\"}),
         ""},
    };
    for (const Row &row : rows)
        CHECK_STR(package.CheckUpdate(old, row.file), row.expected);
    // The old version's second macro is gone: its slot and its file stay.
    std::string twoMacros = File({VERSION(1), MACRO, "FileName2=b.mac", "MacroTitle2=B"});
    CHECK_STR(package.CheckUpdate(twoMacros, File({VERSION(2), MACRO})), "224@7 221@7");
    CHECK_STR(package.CheckUpdate(twoMacros, File({VERSION(0), MACRO})), "102@5 225@5 224@7 221@7");
}

// What the warnings on repeats say is what the reader does: the first key and the first
// section win.
TEST_CASE(AfucheckRepeatsFollowTheReader) {
    Package package;
    package.Check(File({HEAD, "[Install Macros]", "FileName1=a.mac", "FileName1=b.mac",
                        "[Install Macros]", "FileName2=b.mac"}));
    std::string path = kFolder + "\\SETUP.AFU";
    char value[260];
    aof::ReadSetupText(path.c_str(), aof::kInstallMacros, "FileName1", "", value, sizeof value);
    CHECK_STR(value, "a.mac");
    aof::ReadSetupText(path.c_str(), aof::kInstallMacros, "FileName2", "", value, sizeof value);
    CHECK_STR(value, "");
}

// Saved in UTF-8 without a BOM: an error (every Japanese text would be mojibake). With a BOM,
// UTF-8 or UTF-16: a warning, and the reader gives the values as code page 932 text.
TEST_CASE(AfucheckTellsTheEncodings) {
    Package package;
    std::string utf8 =
        u8"[Aofude Macro Setup]\r\nSetupVersion=32\r\nSetupName=テスト\r\n"
        u8"InternalName=Test\r\nMacroVersion=1\r\nUnInstallInfoPath=\\aofudedir\\\r\n"
        u8"[Install Macros]\r\nFileName1=a.mac\r\nMacroTitle1=A\r\n";
    CHECK_STR(package.Check(utf8), "104@0");
    CHECK_STR(package.Check("\xEF\xBB\xBF" + utf8), "216@1");
    std::string utf16 = "\xFF\xFE";
    wchar_t wide[512];
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 512) - 1;
    utf16.append(reinterpret_cast<const char *>(wide), units * 2);
    CHECK_STR(package.Check(utf16), "216@1");
    char name[128];
    std::string path = kFolder + "\\SETUP.AFU";
    aof::ReadSetupString(path.c_str(), aof::kSetupName, name);
    CHECK_STR(name, "テスト");
}

} // namespace

// \winsysdir in the plan is where the shipped i686 SETUP.EXE's files land: on 64-bit Windows
// (the bench) the 32-bit system folder, whichever build of the checker runs.
TEST_CASE(AfucheckPlansSystemFilesWhereTheShippedProgramWritesThem) {
    aof::Machine machine;
    aof::ReadMachine(machine);
    CHECK_STR(machine.systemFolder, "C:\\windows\\syswow64");
    // The i686 build writes to the system folder Windows names and lands in that one.
    if (sizeof(void *) == 4) {
        char system[MAX_PATH];
        CHECK(GetSystemDirectoryA(system, MAX_PATH) != 0);
        std::string written = std::string(system) + "\\aofude-redirect-probe.txt";
        testfiles::WriteBytes(written, "x");
        CHECK_STR(
            testfiles::ReadBytes(std::string(machine.systemFolder) + "\\aofude-redirect-probe.txt"),
            "x");
        DeleteFileA(written.c_str());
    }
    aof::ReleaseMachine(machine);
}
