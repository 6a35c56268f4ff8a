// Copies into place on real files under C:\aoftest\file_replace: a failed copy leaves the old
// destination byte for byte and no temporary file. The full disk runs as a dialog scenario.
#include "check.h"
#include "common/file_replace_win32.h"

#include <string>
#include <windows.h>

#include "../ui/test_files.h"

namespace {

using namespace testfiles;

const std::string kRoot = "C:\\aoftest\\file_replace";

bool IsReadOnly(const std::string &path) {
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
}

int CountFiles(const std::string &folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    int count = 0;
    do {
        count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? 1 : 0;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// kTaken: the old file, and the first two temporary names beside it taken by other files.
enum Destination { kNone, kOld, kReadOnlyOld, kHeldOld, kFolder, kTaken };
enum Source { kMissing, kPresent, kHeld };

struct ReplaceCase {
    const char *name;
    Destination destination;
    Source source;
    bool failIfExists;
    bool copied;
    DWORD error;       // when not copied
    bool deep = false; // in a folder whose path takes more than MAX_PATH bytes (not characters)
};

const ReplaceCase kCases[] = {
    {"new file", kNone, kPresent, true, true, 0},
    {"replaced", kOld, kPresent, false, true, 0},
    {"exists, not replaced", kOld, kPresent, true, false, ERROR_FILE_EXISTS},
    {"read-only destination", kReadOnlyOld, kPresent, false, false, ERROR_ACCESS_DENIED},
    {"destination held without sharing", kHeldOld, kPresent, false, false, 0},
    {"missing source", kOld, kMissing, false, false, ERROR_FILE_NOT_FOUND},
    // An existing destination is not the new-file copy's to touch, whatever the source.
    {"missing source, exists", kOld, kMissing, true, false, ERROR_FILE_EXISTS},
    {"source held, exists", kOld, kHeld, true, false, ERROR_FILE_EXISTS},
    {"missing source, new file", kNone, kMissing, true, false, ERROR_FILE_NOT_FOUND},
    {"source held, new file", kNone, kHeld, true, false, ERROR_SHARING_VIOLATION},
    // A folder is no file to overwrite, and nothing is put in its place.
    {"folder, new file", kFolder, kPresent, true, false, ERROR_ACCESS_DENIED},
    {"folder, replaced", kFolder, kPresent, false, false, ERROR_ACCESS_DENIED},
    // The temporary name is no longer than the file's own: it fits wherever the file does.
    {"replaced in a folder of long Japanese names", kOld, kPresent, false, true, 0, true},
    {"temporary names taken", kTaken, kPresent, false, true, 0}, // last: its files are checked
};

// Under kRoot, folders of double-byte names: 278 bytes of code page 932, 153 characters.
std::string MakeFolder(bool deep) {
    std::string folder = kRoot;
    for (int level = 0; deep && level < 5; ++level) {
        folder += "\\深い階層に作られたマクロのためのフォルダ名の例です";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

} // namespace

TEST_CASE(CopyIntoPlaceReplacesInOneStepOrLeavesTheOldFile) {
    for (const ReplaceCase &c : kCases) {
        RemoveTree(kRoot);
        CreateDirectoryA("C:\\aoftest", nullptr);
        CreateDirectoryA(kRoot.c_str(), nullptr);
        std::string folder = MakeFolder(c.deep);
        std::string source = kRoot + "\\新.mac";
        std::string destination = folder + "\\表.mac";
        if (c.source != kMissing) {
            WriteBytes(source, "new contents");
            SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY); // from a CD-ROM
        }
        if (c.destination == kFolder)
            CreateDirectoryA(destination.c_str(), nullptr);
        else if (c.destination != kNone)
            WriteBytes(destination, "old");
        if (c.destination == kTaken) {
            WriteBytes(kRoot + "\\~.mac", "other");
            WriteBytes(kRoot + "\\_.mac", "other");
        }
        if (c.destination == kReadOnlyOld)
            SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_READONLY);
        const std::string &heldPath = c.source == kHeld ? source : destination;
        HANDLE held =
            c.destination == kHeldOld || c.source == kHeld
                ? CreateFileA(heldPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                : INVALID_HANDLE_VALUE;
        int filesBefore = CountFiles(folder);
        SetLastError(0);
        bool copied = aof::CopyIntoPlace(source.c_str(), destination.c_str(), c.failIfExists);
        DWORD error = GetLastError();
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        // One line per case, so that a failure names its case.
        std::string expected = std::string(c.name) + ": " +
                               (c.copied ? "new contents"
                                : c.destination == kNone || c.destination == kFolder ? "missing"
                                                                                     : "old") +
                               ", " + std::to_string(c.copied && c.destination == kNone) +
                               " file(s) added";
        std::string outcome = std::string(c.name) + ": " + ReadBytes(destination) + ", " +
                              std::to_string(CountFiles(folder) - filesBefore) + " file(s) added";
        if (copied != c.copied || (c.copied && IsReadOnly(destination)) ||
            (!copied && c.error != 0 && error != c.error))
            outcome += ", copied " + std::to_string(copied) + " error " + std::to_string(error);
        CHECK_STR(outcome, expected);
    }
    CHECK_STR(ReadBytes(kRoot + "\\~.mac"), "other");
    RemoveTree(kRoot);
}
