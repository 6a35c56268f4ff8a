// The package record in the real registry and the uninstall-info copies on real files under
// C:\aoftest\record.
#include "check.h"
#include "common/registry_win32.h"
#include "driver/startup_paths.h"
#include "record/package_record_win32.h"

#include "../ui/test_files.h"

#include <string>
#include <windows.h>

namespace {

const std::string kFolder = "C:\\aoftest\\record";
const char kPackage[] = "AofTestRecordPackage";

bool KeyExists(const char *path) {
    return testfiles::KeyExists(HKEY_CURRENT_USER, path);
}

// Removes the record's parent keys afterwards when the case created them.
struct RecordParents {
    bool makerExisted = KeyExists("Software\\Brenlo");
    bool setupExisted = KeyExists(aof::kRecordSetupKeyPath);
    ~RecordParents() {
        if (!setupExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, aof::kRecordSetupKeyPath);
        if (!makerExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Brenlo");
    }
};

std::string RecordPath(const char *internalName = kPackage) {
    char path[aof::kPathSize];
    aof::ComposeRecordKeyPath(path, internalName);
    return path;
}

DWORD ReadRecord(const char *name, const std::string &path = RecordPath()) {
    DWORD value = 99;
    CHECK(aof::ReadRecordValue(path.c_str(), name, &value));
    return value;
}

void WriteRecord(const std::string &path, DWORD version, unsigned ordinal, DWORD slot) {
    aof::PackageRecord record;
    CHECK(aof::OpenPackageRecord(record, path.c_str()));
    CHECK(aof::RecordSlotNumber(record, ordinal, slot));
    CHECK(aof::RecordMacroVersion(record, version));
    aof::ClosePackageRecord(record);
    CHECK(record.key == nullptr);
}

TEST_CASE(PackageRecordHoldsVersionAndSlots) {
    RecordParents parents;
    WriteRecord(RecordPath(), 3, 1, 11);
    WriteRecord(RecordPath(), 3, 10, 20);
    CHECK_EQ(ReadRecord("MacroVersion"), 3u);
    CHECK_EQ(ReadRecord("1"), 11u);
    CHECK_EQ(ReadRecord("10"), 20u);
    CHECK_EQ(ReadRecord("2"), 0u);

    // Only a REG_DWORD holds a number: text, and four bytes of another type, hold none.
    HKEY key;
    RegOpenKeyExA(HKEY_CURRENT_USER, RecordPath().c_str(), 0, KEY_ALL_ACCESS, &key);
    RegSetValueExA(key, "3", 0, REG_SZ, reinterpret_cast<const BYTE *>("123"), 4);
    const BYTE four[4] = {7, 0, 0, 0};
    RegSetValueExA(key, "4", 0, REG_BINARY, four, 4);
    RegCloseKey(key);
    DWORD value = 9;
    CHECK_EQ(aof::ReadRegistryDword(HKEY_CURRENT_USER, RecordPath().c_str(), "3", &value),
             aof::kRegistryMissing);
    CHECK_EQ(value, 0u);
    CHECK_EQ(ReadRecord("4"), 0u);

    CHECK(aof::DeletePackageRecord(RecordPath().c_str()));
    CHECK(!KeyExists(RecordPath().c_str()));
    CHECK(KeyExists("Software\\Brenlo\\AofMacroSetup"));
}

// A record key that refuses writing cannot be opened for the record (the install then stops
// with its message, shown under the robot); a record that is gone reads as missing.
TEST_CASE(PackageRecordThatCannotOpenWritesNothing) {
    RecordParents parents;
    WriteRecord(RecordPath(), 3, 1, 11);
    HKEY key;
    CHECK(aof::CreateRegistryKey(HKEY_CURRENT_USER, RecordPath().c_str(), &key));
    CHECK(testfiles::SetKeyAccess(key, "D:P(A;;KR;;;WD)"));
    HKEY refused;
    CHECK(!aof::CreateRegistryKey(HKEY_CURRENT_USER, RecordPath().c_str(), &refused));
    CHECK(refused == nullptr);
    CHECK_EQ(ReadRecord("1"), 11u);
    CHECK(testfiles::SetKeyAccess(key, "D:(A;;KA;;;WD)"));
    aof::FlushAndCloseKey(key);
    CHECK(aof::DeletePackageRecord(RecordPath().c_str()));
    CHECK(aof::DeletePackageRecord(RecordPath().c_str())); // already gone
    CHECK_EQ(ReadRecord("MacroVersion"), 0u);
}

// A setup folder and an uninstall-info folder under kFolder, removed afterwards.
class CopyBench {
  public:
    CopyBench() {
        CreateDirectoryA("C:\\aoftest", nullptr);
        CreateDirectoryA(kFolder.c_str(), nullptr);
        CreateDirectoryA(setupDir.c_str(), nullptr);
        CreateDirectoryA(infoDir.c_str(), nullptr);
    }
    ~CopyBench() {
        for (const std::string &dir : {setupDir, infoDir}) {
            for (const char *name : {"\\SETUP.AFU", "\\SETUP.EXE"}) {
                SetFileAttributesA((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((dir + name).c_str());
            }
            RemoveDirectoryA(dir.c_str());
        }
        RemoveDirectoryA(kFolder.c_str());
        RemoveDirectoryA("C:\\aoftest");
    }
    static void Write(const std::string &path, const std::string &bytes) {
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    // The count read, or 1000 + the count when the uninstall-info copy was not made.
    unsigned MakeCopies(const std::string &from) const {
        unsigned users = aof::ReadInstalledUsers(infoCopy.c_str());
        aof::MakeProgramCopy((from + "\\SETUP.EXE").c_str(), programCopy.c_str());
        bool made = aof::MakeSetupInfoCopy((from + "\\SETUP.AFU").c_str(), infoCopy.c_str());
        return made ? users : 1000 + users;
    }
    unsigned Count() const {
        return GetPrivateProfileIntA("Aofude Macro Setup", "InstalledUsers", 99, infoCopy.c_str());
    }

    const std::string setupDir = kFolder + "\\pkg";
    const std::string infoDir = kFolder + "\\info";
    const std::string infoCopy = infoDir + "\\SETUP.AFU";
    const std::string programCopy = infoDir + "\\SETUP.EXE";
};

const char kSetupInfo[] = "[Aofude Macro Setup]\r\nSetupVersion=30\r\nMacroVersion=2\r\n";

TEST_CASE(UninstallInfoCopiesOfAReadOnlySetupInfoFile) {
    CopyBench bench;
    CopyBench::Write(bench.setupDir + "\\SETUP.AFU", kSetupInfo);
    CopyBench::Write(bench.setupDir + "\\SETUP.EXE", "MZ");
    // Only the read-only bit: the bench's Wine keeps a hidden bit in an extended attribute,
    // which it cannot write on a read-only file once root's file rights are dropped.
    SetFileAttributesA((bench.setupDir + "\\SETUP.AFU").c_str(), FILE_ATTRIBUTE_READONLY);

    CHECK_EQ(bench.MakeCopies(bench.setupDir), 0u); // first install: no copy yet
    DWORD attributes = GetFileAttributesA(bench.infoCopy.c_str());
    CHECK(attributes != INVALID_FILE_ATTRIBUTES);
    CHECK((attributes & FILE_ATTRIBUTE_READONLY) == 0);
    CHECK(GetFileAttributesA(bench.programCopy.c_str()) != INVALID_FILE_ATTRIBUTES);
    aof::WriteInstalledUsers(bench.infoCopy.c_str(), 1);
    CHECK_EQ(bench.Count(), 1u);
    CHECK_EQ(GetPrivateProfileIntA("Aofude Macro Setup", "MacroVersion", 0, bench.infoCopy.c_str()),
             2u);

    // A second user: the count is read before the copy is replaced.
    CHECK_EQ(bench.MakeCopies(bench.setupDir), 1u);
    CHECK_EQ(bench.Count(), 99u);
    aof::WriteInstalledUsers(bench.infoCopy.c_str(), 2);
    CHECK_EQ(bench.Count(), 2u);
}

TEST_CASE(UninstallInfoCopiesFromTheInfoFolderItself) {
    CopyBench bench;
    CopyBench::Write(bench.infoCopy, std::string(kSetupInfo) + "InstalledUsers=3\r\n");
    CopyBench::Write(bench.programCopy, "MZ");
    SetFileAttributesA(bench.infoCopy.c_str(), FILE_ATTRIBUTE_READONLY);
    CHECK_EQ(bench.MakeCopies(bench.infoDir), 3u);
    // Not copied onto itself: the file and its attributes stay as they were.
    CHECK((GetFileAttributesA(bench.infoCopy.c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
    CHECK_EQ(bench.Count(), 3u);
}

TEST_CASE(UninstallInfoCopiesWithoutProgramFile) {
    CopyBench bench;
    CopyBench::Write(bench.setupDir + "\\SETUP.AFU", kSetupInfo);
    CHECK_EQ(bench.MakeCopies(bench.setupDir), 0u);
    CHECK(GetFileAttributesA(bench.programCopy.c_str()) == INVALID_FILE_ATTRIBUTES);
    CHECK(GetFileAttributesA(bench.infoCopy.c_str()) != INVALID_FILE_ATTRIBUTES);
}

// The setup-info file held by another program: the copy fails and says so; the old copy and
// its count stay as they were.
TEST_CASE(UninstallInfoCopyThatCannotBeMadeLeavesTheOldOne) {
    CopyBench bench;
    std::string old = "[Aofude Macro Setup]\r\nInstalledUsers=2\r\n";
    CopyBench::Write(bench.infoCopy, old);
    CopyBench::Write(bench.setupDir + "\\SETUP.AFU", "[Aofude Macro Setup]\r\nMacroVersion=3\r\n");
    HANDLE held = CreateFileA((bench.setupDir + "\\SETUP.AFU").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    CHECK_EQ(bench.MakeCopies(bench.setupDir), 1002u);
    CloseHandle(held);
    CHECK_STR(testfiles::ReadBytes(bench.infoCopy), old);
}

// Without InternalName the record is the values of AofMacroSetup itself, read, written and
// deleted through one spelling: deleting it must not take the other packages' records with it.
TEST_CASE(PackageRecordWithoutInternalName) {
    RecordParents parents;
    WriteRecord(RecordPath(), 5, 1, 11);
    std::string unnamed = RecordPath("");
    CHECK_STR(unnamed, aof::kRecordSetupKeyPath);
    WriteRecord(unnamed, 2, 1, 31);
    CHECK_EQ(ReadRecord("MacroVersion", unnamed), 2u);
    CHECK_EQ(ReadRecord("1", unnamed), 31u);

    CHECK(aof::DeletePackageRecord(unnamed.c_str()));
    CHECK_EQ(ReadRecord("MacroVersion", unnamed), 0u);
    CHECK_EQ(ReadRecord("1", unnamed), 0u);
    CHECK_EQ(ReadRecord("MacroVersion"), 5u);
    CHECK(aof::DeletePackageRecord(RecordPath().c_str()));
}

} // namespace
