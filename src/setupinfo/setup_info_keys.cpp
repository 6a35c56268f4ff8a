#include "setupinfo/setup_info_keys.h"

#include "common/text.h"

namespace aof {

namespace {

constexpr KnownKey Single(const StringKey &key) {
    return {key.key, kSingleKey, key.size};
}
constexpr KnownKey Single(const NumberKey &key) {
    return {key.key, kSingleKey, 0};
}
constexpr KnownKey Numbered(const NumberedKey &key) {
    return {key.stem, kNumberedKey, key.size};
}

constexpr KnownKey kMainKeys[] = {Single(kSetupVersion),      Single(kSetupName),
                                  Single(kInternalName),      Single(kMacroVersion),
                                  Single(kUnInstallInfoPath), Single(kInstalledUsers)};
constexpr KnownKey kMacroKeys[] = {Numbered(kFileName), Numbered(kPath), Numbered(kMacroTitle),
                                   Numbered(kUnInstallOption)};
constexpr KnownKey kFileKeys[] = {Numbered(kFileName), Numbered(kPath), Numbered(kUnInstallOption)};
constexpr KnownKey kDirectoryKeys[] = {{"", kOrdinalKey, kMakeDirectorySize}};
constexpr KnownKey kGroupKeys[] = {Single(kInstallToMainGroup), Single(kGetEmptySubMenuMode),
                                   Single(kGroupName)};
constexpr KnownKey kShellKeys[] = {Single(kShellFileName), Single(kShellParameters),
                                   Single(kShellCurrentDir), Single(kShellMessage)};

template <unsigned N> constexpr KnownSection Section(const char *name, const KnownKey (&keys)[N]) {
    return {name, keys, N};
}

} // namespace

const KnownSection kKnownSections[kKnownSectionCount] = {
    Section(kMainSection, kMainKeys),          Section(kInstallMacros, kMacroKeys),
    Section(kInstallFiles, kFileKeys),         Section(kUnInstallFiles, kFileKeys),
    Section(kDeleteFilesOnInstall, kFileKeys), Section(kMakeDirectory, kDirectoryKeys),
    Section(kGroupSection, kGroupKeys),        Section(kShellExecuteSection, kShellKeys),
};

void MakeNumberedKey(char *out, const char *stem, unsigned n) {
    char digits[11];
    FormatDecimal(digits, n);
    CopyText(out, kKeyNameSize, stem);
    AppendText(out, kKeyNameSize, digits);
}

} // namespace aof
