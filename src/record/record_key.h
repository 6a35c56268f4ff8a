// Names of the package record: HKCU\Software\Brenlo\AofMacroSetup\<InternalName>, or the
// values of AofMacroSetup itself for a package without InternalName.
#pragma once

namespace aof {

constexpr char kRecordSetupKeyPath[] = "Software\\Brenlo\\AofMacroSetup";
constexpr char kRecordVersionValue[] = "MacroVersion";
constexpr unsigned kMaxRecordSlots = 10; // slot values "1" to "10", one per macro

} // namespace aof
