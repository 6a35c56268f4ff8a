// Names of the package record: HKCU\Software\Brenlo\AofMacroSetup\<InternalName>.
#pragma once

namespace aof {

constexpr char kRecordKeyPrefix[] = "Software\\Brenlo\\AofMacroSetup\\";
constexpr char kRecordMakerKey[] = "Software\\Brenlo";
constexpr char kRecordSetupKey[] = "AofMacroSetup";
constexpr char kRecordVersionValue[] = "MacroVersion";

} // namespace aof
