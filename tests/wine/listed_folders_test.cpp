// The folders of [Make Directory]: created in listed order up to the first empty value,
// removed in reverse order, on real folders under C:\aoftest\listed_folders.
#include "check.h"
#include "driver/listed_folders_win32.h"

#include <cstring>
#include <string>
#include <windows.h>

namespace {

const std::string kRoot = "C:\\aoftest\\listed_folders";
const std::string kMacros = kRoot + "\\ﾏｸﾛ表";
const std::string kSetupInfo = kRoot + "\\SETUP.AFU";

bool IsFolder(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void WriteSetupInfo(const std::string &section) {
    HANDLE file =
        CreateFileA(kSetupInfo.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, section.data(), static_cast<DWORD>(section.size()), &written, nullptr);
    CloseHandle(file);
}

// The macro folder exists; the editor folder is the test root.
aof::RunState PrepareFolders() {
    static char editorFolder[] = "C:\\aoftest\\listed_folders";
    CreateDirectoryA("C:\\aoftest", nullptr);
    CreateDirectoryA(kRoot.c_str(), nullptr);
    CreateDirectoryA(kMacros.c_str(), nullptr);
    aof::RunState state;
    std::memset(&state, 0, sizeof state);
    state.editorFolder = editorFolder;
    std::strcpy(state.macroFolder, kMacros.c_str());
    return state;
}

// [Make Directory] of the setup-info file, read whole as the sequences read it.
const aof::SetupSection &Folders() {
    static aof::SetupSection folders;
    CHECK(folders.Read(kSetupInfo.c_str(), "Make Directory"));
    return folders;
}

void CleanUp() {
    for (const char *folder : {"\\a\\b\\c", "\\a\\b", "\\a", "\\first", "\\third"})
        RemoveDirectoryA((kMacros + folder).c_str());
    DeleteFileA((kMacros + "\\a\\keep.txt").c_str());
    RemoveDirectoryA((kMacros + "\\a").c_str());
    RemoveDirectoryA(kMacros.c_str());
    DeleteFileA(kSetupInfo.c_str());
    RemoveDirectoryA(kRoot.c_str());
}

} // namespace

TEST_CASE(ListedFoldersStopAtTheFirstEmptyValue) {
    aof::RunState state = PrepareFolders();
    WriteSetupInfo("[Make Directory]\r\n1=first\r\n3=third\r\n");
    aof::CreateListedFolders(state, Folders());
    CHECK(IsFolder(kMacros + "\\first"));
    CHECK(!IsFolder(kMacros + "\\third"));
    CleanUp();
}

TEST_CASE(ListedFoldersGoInReverseOrderAndOnlyWhenEmpty) {
    aof::RunState state = PrepareFolders();
    WriteSetupInfo("[Make Directory]\r\n1=a\r\n2=\\macrodir\\a\\b\r\n3=a\\b\\c\r\n");
    aof::CreateListedFolders(state, Folders());
    CHECK(IsFolder(kMacros + "\\a\\b\\c"));
    aof::RemoveListedFolders(state, Folders());
    CHECK(!IsFolder(kMacros + "\\a"));

    // A folder that still holds a file the package did not list stays, and so does its parent
    // chain above it; the folders below it go.
    aof::CreateListedFolders(state, Folders());
    HANDLE file = CreateFileA((kMacros + "\\a\\keep.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    aof::RemoveListedFolders(state, Folders());
    CHECK(!IsFolder(kMacros + "\\a\\b"));
    CHECK(IsFolder(kMacros + "\\a"));
    CleanUp();
}
