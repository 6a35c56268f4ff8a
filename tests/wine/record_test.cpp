// The package record in the real registry and the uninstall-info copies on real files under
// C:\aoftest\record.
#include "check.h"
#include "record/package_record_win32.h"
#include "record/registry_dword_win32.h"

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
    bool makerExisted = KeyExists(aof::kRecordMakerKey);
    bool setupExisted = KeyExists("Software\\Brenlo\\AofMacroSetup");
    ~RecordParents() {
        if (!setupExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Brenlo\\AofMacroSetup");
        if (!makerExisted)
            RegDeleteKeyA(HKEY_CURRENT_USER, aof::kRecordMakerKey);
    }
};

std::string RecordPath() {
    return std::string(aof::kRecordKeyPrefix) + kPackage;
}

DWORD ReadRecord(const char *name) {
    return aof::ReadRegistryDword(HKEY_CURRENT_USER, RecordPath().c_str(), name, 0);
}

TEST_CASE(PackageRecordHoldsVersionAndSlots) {
    RecordParents parents;
    aof::PackageRecord record;
    aof::OpenPackageRecord(record, kPackage);
    CHECK(record.ready);
    aof::RecordSlotNumber(record, 1, 11);
    aof::RecordSlotNumber(record, 10, 20);
    aof::FinishPackageRecord(record, 3);
    CHECK_EQ(ReadRecord("MacroVersion"), 3u);
    CHECK_EQ(ReadRecord("1"), 11u);
    CHECK_EQ(ReadRecord("10"), 20u);
    CHECK_EQ(ReadRecord("2"), 0u);

    // A value of another size than 4 bytes reads as the default; the type is not examined.
    HKEY key;
    RegOpenKeyExA(HKEY_CURRENT_USER, RecordPath().c_str(), 0, KEY_ALL_ACCESS, &key);
    RegSetValueExA(key, "3", 0, REG_SZ, reinterpret_cast<const BYTE *>("12"), 3);
    const BYTE four[4] = {7, 0, 0, 0};
    RegSetValueExA(key, "4", 0, REG_BINARY, four, 4);
    RegCloseKey(key);
    CHECK_EQ(aof::ReadRegistryDword(HKEY_CURRENT_USER, RecordPath().c_str(), "3", 9), 9u);
    CHECK_EQ(ReadRecord("4"), 7u);

    aof::DeletePackageRecord(RecordPath().c_str());
    CHECK(!KeyExists(RecordPath().c_str()));
    CHECK(KeyExists("Software\\Brenlo\\AofMacroSetup"));
}

TEST_CASE(PackageRecordThatCannotOpenWritesNothing) {
    RecordParents parents;
    aof::PackageRecord record;
    // A subkey name may not begin with "\": the last of the three keys fails.
    aof::OpenPackageRecord(record, "\\bad");
    CHECK(!record.ready);
    aof::RecordSlotNumber(record, 1, 11);
    aof::FinishPackageRecord(record, 3);
    CHECK_EQ(aof::ReadRegistryDword(HKEY_CURRENT_USER, "Software\\Brenlo\\AofMacroSetup",
                                    "MacroVersion", 0),
             0u);
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
    unsigned MakeCopies(const std::string &from) const {
        return aof::MakeUninstallInfoCopies((from + "\\SETUP.AFU").c_str(),
                                            (from + "\\SETUP.EXE").c_str(), infoCopy.c_str(),
                                            programCopy.c_str());
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

// Without InternalName the record is the values of AofMacroSetup itself: deleting it must not
// take the other packages' records with it.
TEST_CASE(PackageRecordWithoutInternalName) {
    RecordParents parents;
    aof::PackageRecord other;
    aof::OpenPackageRecord(other, kPackage);
    aof::FinishPackageRecord(other, 5);
    aof::PackageRecord unnamed;
    aof::OpenPackageRecord(unnamed, "");
    aof::RecordSlotNumber(unnamed, 1, 31);
    aof::FinishPackageRecord(unnamed, 2);
    const char setupKey[] = "Software\\Brenlo\\AofMacroSetup\\";
    CHECK_EQ(aof::ReadRegistryDword(HKEY_CURRENT_USER, setupKey, "MacroVersion", 0), 2u);

    aof::DeletePackageRecord(setupKey);
    CHECK_EQ(aof::ReadRegistryDword(HKEY_CURRENT_USER, setupKey, "MacroVersion", 0), 0u);
    CHECK_EQ(aof::ReadRegistryDword(HKEY_CURRENT_USER, setupKey, "1", 0), 0u);
    CHECK_EQ(ReadRecord("MacroVersion"), 5u);
    aof::DeletePackageRecord(RecordPath().c_str());
}

} // namespace
