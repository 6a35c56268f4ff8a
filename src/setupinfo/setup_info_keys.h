// The sections and keys of a package's setup-info file, with their defaults and buffer sizes
// (sizes include the terminating NUL; a longer value is cut to size - 1 bytes).
#pragma once

namespace aof {

constexpr char kMainSection[] = "Aofude Macro Setup";
constexpr char kInstallMacros[] = "Install Macros";
constexpr char kInstallFiles[] = "Install Files";
constexpr char kUnInstallFiles[] = "UnInstall Files";
constexpr char kDeleteFilesOnInstall[] = "Delete Files on Install";
constexpr char kMakeDirectory[] = "Make Directory";
constexpr char kGroupSection[] = "Group";
constexpr char kShellExecuteSection[] = "ShellExecute";

struct StringKey {
    const char *section;
    const char *key;
    const char *fallback;
    unsigned size;
};

struct NumberKey {
    const char *section;
    const char *key;
    unsigned fallback;
};

// Keys of numbered entries: the stem followed by the ordinal ("FileName1", "Path1", ...).
struct NumberedKey {
    const char *stem;
    unsigned size; // buffer size of a string key; 0 for a number key
};

constexpr NumberKey kSetupVersion{kMainSection, "SetupVersion", 1};
constexpr StringKey kSetupName{kMainSection, "SetupName", "", 128};
constexpr StringKey kInternalName{kMainSection, "InternalName", "", 256};
constexpr NumberKey kMacroVersion{kMainSection, "MacroVersion", 0};
constexpr StringKey kUnInstallInfoPath{kMainSection, "UnInstallInfoPath", "\\macrodir\\", 520};
constexpr NumberKey kInstalledUsers{kMainSection, "InstalledUsers", 0};

constexpr NumberedKey kFileName{"FileName", 260};
constexpr NumberedKey kPath{"Path", 520};
constexpr NumberedKey kMacroTitle{"MacroTitle", 256};
constexpr NumberedKey kUnInstallOption{"UnInstallOption", 0};
constexpr unsigned kMakeDirectorySize = 520; // the values "1", "2", ... of [Make Directory]

constexpr StringKey kInstallToMainGroup{kGroupSection, "InstallToMainGroup", "no", 4};
constexpr NumberKey kGetEmptySubMenuMode{kGroupSection, "GetEmptySubMenuMode", 0};
constexpr StringKey kGroupName{kGroupSection, "GroupName", "", 31};

constexpr StringKey kShellFileName{kShellExecuteSection, "FileName", "", 520};
constexpr StringKey kShellParameters{kShellExecuteSection, "Parameters", "", 520};
constexpr StringKey kShellCurrentDir{kShellExecuteSection, "CurrentDir", "", 520};
constexpr StringKey kShellMessage{kShellExecuteSection, "Message", "", 256};

constexpr unsigned kKeyNameSize = 32;

// The whole key table, for tools that look at a file as a whole (the checker): every section
// and the keys the program reads from it.
enum KeyForm {
    kSingleKey,   // one key of this name
    kNumberedKey, // stem + ordinal 1, 2, ... ("FileName1")
    kOrdinalKey,  // the bare ordinals 1, 2, ... of [Make Directory]
};

struct KnownKey {
    const char *name; // the key, or the stem of numbered keys ("" for bare ordinals)
    KeyForm form;
    unsigned size; // buffer size of a string value; 0 for a number
};

struct KnownSection {
    const char *name;
    const KnownKey *keys;
    unsigned keyCount;
};

extern const KnownSection kKnownSections[];
constexpr unsigned kKnownSectionCount = 8;

// Writes the stem followed by n in decimal ("FileName" and 3 give "FileName3").
void MakeNumberedKey(char *out, const char *stem, unsigned n);

} // namespace aof
