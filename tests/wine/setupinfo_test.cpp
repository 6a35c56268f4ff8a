// Reading setup-info files and resolving their entries on real INI files and real files under
// C:\aoftest\setupinfo. Japanese literals are code page 932 bytes, as the files hold them.
#include "check.h"
#include "setupinfo/entry_resolution_win32.h"
#include "setupinfo/folder_variables_win32.h"
#include "setupinfo/setup_info_win32.h"
#include "setupinfo/setup_section_win32.h"

#include <string>
#include <vector>
#include <windows.h>

namespace {

const std::string kRoot = "C:\\aoftest\\setupinfo";

// A folder of test files under kRoot, removed with everything written through it.
class Scratch {
  public:
    explicit Scratch(const std::string &name) : folder_(kRoot + "\\" + name) {
        CreateDirectoryA("C:\\aoftest", nullptr);
        CreateDirectoryA(kRoot.c_str(), nullptr);
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    ~Scratch() {
        for (const std::string &path : files_) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
            RemoveDirectoryA(folder->c_str());
        RemoveDirectoryA(folder_.c_str());
        RemoveDirectoryA(kRoot.c_str());
        RemoveDirectoryA("C:\\aoftest");
    }
    std::string Path(const std::string &name) const { return folder_ + "\\" + name; }
    std::string Folder(const std::string &name) {
        folders_.push_back(Path(name));
        CreateDirectoryA(folders_.back().c_str(), nullptr);
        return folders_.back();
    }
    std::string Write(const std::string &name, const std::string &bytes) {
        std::string path = Path(name);
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        files_.push_back(path);
        return path;
    }

  private:
    std::string folder_;
    std::vector<std::string> files_;
    std::vector<std::string> folders_;
};

bool Exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadString(const std::string &file, const aof::StringKey &key) {
    std::vector<char> out(key.size + 16, '#');
    aof::ReadSetupString(file.c_str(), key, out.data());
    return out.data();
}

TEST_CASE(SetupInfoReaderRules) {
    Scratch scratch("reader");
    std::string info = scratch.Write("SETUP.AFU", "[aofude MACRO setup]\r\n"
                                                  "setupversion=31\r\n"
                                                  "SETUPNAME=" +
                                                      std::string(200, 'n') +
                                                      "\r\n"
                                                      "InternalName=表示ソート\\能\r\n"
                                                      "MacroVersion=\r\n"
                                                      "UnInstallInfoPath=\r\n"
                                                      "InstalledUsers=12\r\n"
                                                      "[Group]\r\n"
                                                      "InstallToMainGroup=Yesterday\r\n"
                                                      "GroupName=" +
                                                      std::string(40, 'g') +
                                                      "\r\n"
                                                      "GetEmptySubMenuMode=\r\n"
                                                      "[ShellExecute]\r\n"
                                                      "Message=a表表表\r\n");
    CHECK_EQ(aof::ReadSetupNumber(info.c_str(), aof::kSetupVersion), 31u);
    CHECK_EQ(aof::ReadSetupNumber(info.c_str(), aof::kInstalledUsers), 12u);
    CHECK_STR(ReadString(info, aof::kSetupName), std::string(127, 'n'));
    CHECK_STR(ReadString(info, aof::kInternalName), "表示ソート\\能");
    CHECK_STR(ReadString(info, aof::kGroupName), std::string(30, 'g'));
    CHECK_STR(ReadString(info, aof::kInstallToMainGroup), "Yes");
    // Empty values act as missing keys, for numbers and texts alike.
    CHECK_EQ(aof::ReadSetupNumber(info.c_str(), aof::kMacroVersion), 0u);
    CHECK_EQ(aof::ReadSetupNumber(info.c_str(), aof::kGetEmptySubMenuMode), 0u);
    CHECK_STR(ReadString(info, aof::kUnInstallInfoPath), "\\macrodir\\");
    CHECK_STR(ReadString(info, aof::kShellMessage), "a表表表");
    CHECK_STR(ReadString(info, aof::kShellFileName), "");

    std::string missing = scratch.Path("NONE.AFU");
    CHECK_EQ(aof::ReadSetupNumber(missing.c_str(), aof::kSetupVersion), 1u);
    CHECK_STR(ReadString(missing, aof::kInstallToMainGroup), "no");
    CHECK_STR(ReadString(missing, aof::kUnInstallInfoPath), "\\macrodir\\");
}

TEST_CASE(SetupInfoCutNeverSplitsACharacter) {
    Scratch scratch("cut");
    // 1 + 20 × 2 bytes: 30 bytes would end inside the fifteenth 表.
    std::string info = scratch.Write(
        "SETUP.AFU", "[Group]\r\nGroupName=a表表表表表表表表表表表表表表表表表表表表\r\n");
    CHECK_STR(ReadString(info, aof::kGroupName), "a表表表表表表表表表表表表表表");
}

TEST_CASE(EntryCountStopsAtTheFirstGapAndAtTen) {
    Scratch scratch("count");
    std::string gaps = scratch.Write("GAPS.AFU", "[Install Macros]\r\nFileName1=a.mac\r\n"
                                                 "filename2=b.mac\r\nFileName3=\r\n"
                                                 "FileName4=d.mac\r\n");
    CHECK_EQ(aof::CountEntries(gaps.c_str(), aof::kInstallMacros), 2);
    CHECK_EQ(aof::CountEntries(gaps.c_str(), aof::kInstallFiles), 0);

    std::string many = "[Install Files]\r\n";
    for (int n = 1; n <= 15; ++n)
        many += "FileName" + std::to_string(n) + "=f" + std::to_string(n) + ".txt\r\n";
    std::string fifteen = scratch.Write("MANY.AFU", many);
    CHECK_EQ(aof::CountEntries(fifteen.c_str(), aof::kInstallFiles), 10);
}

TEST_CASE(EntryPathsFromTheFile) {
    Scratch scratch("resolve");
    std::string info =
        scratch.Write("SETUP.AFU", "[Install Macros]\r\n"
                                   "FileName1=表\\ソート.mac\r\nPath1=\\macrodir\\表\\\r\n");
    aof::SetupSection list;
    CHECK(list.Read(info.c_str(), aof::kInstallMacros));
    aof::ListEntry entry;
    CHECK(aof::ReadListEntry(list.Index(), 1, entry));
    char out[aof::kPathSize];
    CHECK_EQ(aof::ComposeSourcePath(out, "D:\\PKG", entry.fileName), 0);
    CHECK_STR(out, "D:\\PKG\\表\\ソート.mac");
    CHECK_STR(entry.destination, "\\macrodir\\表\\ソート.mac");
    CHECK(aof::ResolveEntryDestination(entry, "C:\\E", "C:\\M", out));
    CHECK_STR(out, "C:\\M\\表\\ソート.mac");
    CHECK(!aof::ReadListEntry(list.Index(), 2, entry));
    CHECK_EQ(entry.ordinal, 1u);
    // A file that cannot be read is told apart from one without the section.
    CHECK(list.Read(info.c_str(), aof::kInstallFiles));
    CHECK(!list.Read(scratch.Path("NONE.AFU").c_str(), aof::kInstallMacros));
    CHECK(!aof::ReadListEntry(list.Index(), 1, entry));
}

TEST_CASE(WindowsFoldersComeFromThePlatform) {
    char windows[MAX_PATH + 1];
    char system[MAX_PATH + 1];
    GetWindowsDirectoryA(windows, sizeof windows);
    GetSystemDirectoryA(system, sizeof system);
    char path[aof::kPathSize] = "\\windowsdir\\a.ini";
    CHECK(aof::ExpandFolderVariables(path, "C:\\E", "C:\\M", aof::kPlainExpansion));
    CHECK_STR(path, std::string(windows) + "\\a.ini");
    lstrcpyA(path, "\\winsysdir\\b.dll");
    CHECK(aof::ExpandFolderVariables(path, "C:\\E", "C:\\M", aof::kMacroRelative));
    CHECK_STR(path, std::string(system) + "\\b.dll");
    lstrcpyA(path, "b.mac");
    CHECK(aof::ExpandFolderVariables(path, "C:\\E", "C:\\M", aof::kMacroRelative));
    CHECK_STR(path, "C:\\M\\b.mac");
}

TEST_CASE(SameFileByLetterCaseAndShortForm) {
    Scratch scratch("same");
    std::string longName = scratch.Write("LongFileName.afu", "x");
    std::string japanese = scratch.Write("表示ソートMacro.mac", "x");
    std::string other = scratch.Write("Other.afu", "x");
    char shortForm[aof::kPathSize];
    CHECK(GetShortPathNameA(longName.c_str(), shortForm, sizeof shortForm) != 0);
    CHECK(longName != shortForm);

    CHECK(aof::IsSameFile(longName.c_str(), "c:\\AOFTEST\\SetupInfo\\same\\LONGFILENAME.AFU"));
    CHECK(aof::IsSameFile(longName.c_str(), shortForm));
    CHECK(aof::IsSameFile(shortForm, longName.c_str()));
    CHECK(aof::IsSameFile(japanese.c_str(), "C:\\aoftest\\setupinfo\\same\\表示ソートMACRO.MAC"));
    CHECK(!aof::IsSameFile(longName.c_str(), other.c_str()));
    // A destination that does not exist yet is never the source.
    CHECK(!aof::IsSameFile(longName.c_str(), scratch.Path("LongFileName.mac").c_str()));
    CHECK(!aof::IsSameFile(scratch.Path("new.mac").c_str(), scratch.Path("NEW2.mac").c_str()));
}

TEST_CASE(ListedFilesAreDeletedHonouringTheOption) {
    Scratch scratch("delete");
    std::string macro = scratch.Folder("Macro");
    std::string editor = scratch.Folder("Aofude");
    scratch.Folder("Macro\\表");
    std::string ini = "[UnInstall Files]\r\n"
                      "FileName1=sub\\one.mac\r\n"
                      "UnInstallOption2=1\r\n"
                      "FileName3=keep.mac\r\nUnInstallOption3=1\r\n"
                      "FileName4=ソート.mac\r\nPath4=表\\\r\n"
                      "FileName5=absent.mac\r\n"
                      "FileName6=ro.mac\r\n"
                      "FileName7=e.txt\r\nPath7=\\aofudedir\\e.txt\r\n"
                      "FileName8=" +
                      std::string(200, 'l') + "\r\nPath8=" + std::string(400, 'p') + "\\\r\n";
    for (int n = 9; n <= 12; ++n)
        ini += "FileName" + std::to_string(n) + "=f" + std::to_string(n) + ".mac\r\n";
    ini += "UnInstallOption13=0\r\nFileName14=after.mac\r\n";
    std::string info = scratch.Write("SETUP.AFU", ini);
    std::vector<std::string> deleted = {scratch.Write("Macro\\one.mac", "x"),
                                        scratch.Write("Macro\\表\\ソート.mac", "x"),
                                        scratch.Write("Aofude\\e.txt", "x")};
    for (int n = 9; n <= 12; ++n)
        deleted.push_back(scratch.Write("Macro\\f" + std::to_string(n) + ".mac", "x"));
    std::string kept = scratch.Write("Macro\\keep.mac", "x");
    std::string after = scratch.Write("Macro\\after.mac", "x");
    std::string readOnly = scratch.Write("Macro\\ro.mac", "x");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);

    aof::SetupSection list;
    CHECK(list.Read(info.c_str(), aof::kUnInstallFiles));
    aof::DeleteListedFiles(list, aof::kDeletionWalk, editor.c_str(), macro.c_str());

    for (const std::string &path : deleted)
        CHECK(!Exists(path));
    CHECK(Exists(kept));
    CHECK(Exists(after)); // the walk ends at entry 13: option 0 and no FileName13
    // DeleteFileA refuses a read-only file (under Wine even for root); the walk goes on.
    CHECK(Exists(readOnly));
}

// Generated setup-info files for the section reader: one a call, each line drawn from names
// and values that test the profile reader's rules (repeats, letter case, gaps, comments,
// blanks, quotes, double-byte names and values, values longer than every buffer).
class ListFileMaker {
  public:
    std::string Make() {
        std::string text = Pick({"", "[Other]\r\nFileName1=other\r\n"});
        text += "[Install Files]\r\n";
        for (int lines = Next(40); lines > 0; --lines)
            text += Line() + "\r\n";
        text += Pick({"", "[install files]\r\nFileName1=second\r\n", "[Main]\r\nA=b\r\n"});
        return text;
    }

  private:
    unsigned state_ = 12345;
    int Next(int bound) {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int>((state_ >> 16) % static_cast<unsigned>(bound));
    }
    std::string Pick(std::vector<std::string> choices) {
        return choices[static_cast<std::size_t>(Next(static_cast<int>(choices.size())))];
    }
    std::string Line() {
        std::string name =
            Pick({"FileName", "filename", "FILENAME", "Path", "path", "UnInstallOption",
                  "uninstalloption", "MacroTitle", "", "表", "ソ", "FileName ", " Path"}) +
            std::to_string(1 + Next(6));
        std::string value = Pick({"a.mac",
                                  "",
                                  "   ",
                                  "\"q q\"",
                                  "''",
                                  "\"",
                                  "'x\"",
                                  "表\\ソ",
                                  "\\macrodir\\d\\",
                                  "0",
                                  "1",
                                  "-1",
                                  "12x",
                                  "0x1F",
                                  "0X1",
                                  "0b11",
                                  "-0o7",
                                  " 7 ",
                                  std::string(30, '0') + "1",
                                  "\"3\"",
                                  "4294967296",
                                  std::string(300, 'v'),
                                  std::string(600, 'w') + "表",
                                  "\"" + std::string(700, 'u') + "\"",
                                  std::string(1500, 'z')});
        switch (Next(12)) {
        case 0:
            return "; " + name + "=comment";
        case 1:
            return name; // a name without a value
        case 2:
            return "";
        case 3:
            return name + " = " + value;
        default:
            return name + "=" + value;
        }
    }
};

// The section read once gives each key exactly what the one-key reads give, in every buffer
// size the program uses and in a small one that cuts.
TEST_CASE(SectionReadOnceMatchesTheOneKeyReads) {
    Scratch scratch("section");
    ListFileMaker maker;
    const char *stems[] = {"FileName", "Path", "UnInstallOption", "MacroTitle", ""};
    const unsigned sizes[] = {260, 520, 256, 31, 4};
    for (int file = 0; file < 80; ++file) {
        std::string path = scratch.Write("LIST" + std::to_string(file) + ".AFU", maker.Make());
        aof::SetupSection section;
        CHECK(section.Read(path.c_str(), aof::kInstallFiles));
        for (const char *stem : stems) {
            for (int n = 1; n <= 7; ++n) {
                std::string key = stem + std::to_string(n);
                for (unsigned size : sizes) {
                    char once[aof::kPathSize] = "#";
                    char alone[aof::kPathSize] = "#";
                    section.Text(key.c_str(), once, size);
                    aof::ReadSetupText(path.c_str(), aof::kInstallFiles, key.c_str(), "", alone,
                                       size);
                    CHECK_STR(once, alone);
                }
                CHECK_EQ(section.Number(key.c_str(), 9),
                         aof::ReadSetupNumberAt(path.c_str(), aof::kInstallFiles, key.c_str(), 9));
            }
        }
    }
}

} // namespace
