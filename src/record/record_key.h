// Names of the package record: HKCU\Software\Brenlo\AofMacroSetup\<InternalName>.
#pragma once

namespace aof {

constexpr char kRecordKeyPrefix[] = "Software\\Brenlo\\AofMacroSetup\\";
constexpr char kRecordMakerKey[] = "Software\\Brenlo";
constexpr char kRecordSetupKey[] = "AofMacroSetup";
constexpr char kRecordVersionValue[] = "MacroVersion";
constexpr unsigned kMaxRecordSlots = 10; // slot values "1" to "10", one per macro

} // namespace aof
