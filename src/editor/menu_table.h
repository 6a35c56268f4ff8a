// The editor's macro menu table ("Amacro") and group name table ("MacroGroup") as byte blocks.
//
// The menu table is a plain run of NUL-terminated strings taken in pairs: path and title of
// menu slots 1 to 80 (slot s = 10 x group + position; group 0 is the main menu, groups 1 to 7
// the sub-menus). A free slot is two empty strings. Bytes after the 160th string belong to the
// editor and are carried along unchanged. The group name table holds seven fields of 31 bytes,
// one name per sub-menu.
#pragma once

#include <cstddef>

namespace aof {

constexpr int kGroupCount = 8; // the main menu and seven sub-menus
constexpr int kSlotsPerGroup = 10;
constexpr unsigned kSlotCount = 80;
constexpr std::size_t kMenuStrings = 160;
constexpr std::size_t kGroupNameFieldSize = 31;
constexpr std::size_t kGroupNameTableSize = 217;
constexpr int kMainGroup = 0;
constexpr int kNoGroupWithRoom = 8;
constexpr int kMaxMacros = 10;

// A heap block and its length (malloc/free).
struct ByteTable {
    unsigned char *bytes;
    std::size_t length;
};

// The editor's two tables as a run edits them in memory, and as the run read them: the copies
// as read tell this run's edits from changes others made meanwhile (see MergeMenuTables).
struct EditorTables {
    ByteTable menu;
    ByteTable groups;
    ByteTable menuRead;
    ByteTable groupsRead;
};

void ReleaseEditorTables(EditorTables &tables);

bool AllocateTable(ByteTable &table, std::size_t length); // zero-filled
bool CopyTable(const ByteTable &from, ByteTable &to);     // to: a released table
void ReleaseTable(ByteTable &table);

// Makes sure a table read from the registry can be walked: a menu table with fewer than 160
// strings is completed with free slots (and a last unterminated string gets its NUL), a group
// name table shorter than 217 bytes is completed with NULs. Every byte read stays where it
// was. False only when memory cannot be had.
bool CompleteMacroMenuTable(ByteTable &menu);
bool CompleteGroupNameTable(ByteTable &groups);

// The position just after the count-th NUL from position (never past the table's end).
std::size_t SkipStrings(const ByteTable &menu, std::size_t position, std::size_t count);

int CountFreeSlots(const ByteTable &menu, int group);
bool IsGroupEntirelyFree(const ByteTable &menu, int group);
bool IsMacroMenuTableEmpty(const ByteTable &menu); // first 160 bytes all NUL

// The group choice from the package's settings: installToMainGroup as read (at most three
// characters), emptySubMenuMode the GetEmptySubMenuMode value. Gives 0 to 7, or 8.
int ChooseGroupFrom(const ByteTable &menu, const ByteTable &groups, int macroCount,
                    const char *installToMainGroup, unsigned emptySubMenuMode);

// Slot numbers of macros 1 to macroCount in group (0 for none); all ten are set.
void AssignSlotNumbers(const ByteTable &menu, int group, int macroCount,
                       unsigned slotList[kMaxMacros]);

// Fills free slot 1 to 80 with path and title; false (table unchanged) for a slot number out
// of range, a slot in use, or no memory.
bool InsertMenuEntry(ByteTable &menu, unsigned slot, const char *path, const char *title);

// True when slot 1 to 80 holds exactly this path and title.
bool SlotHoldsEntry(const ByteTable &menu, unsigned slot, const char *path, const char *title);

// Empties slot 1 to 80 in place; false (table unchanged) for a slot out of range or no memory.
bool EmptySlot(ByteTable &menu, unsigned slot);

// This run's edits carried onto the editor's tables as they are now. original is the table as
// this run read it, edited the same with this run's edits, fresh the value read again just
// before storing (all three completed). merged (a released table) gets fresh with every slot
// (group name) that this run changed taken from edited. False when one of those was changed
// otherwise in fresh (someone else used the slot or named the sub-menu meanwhile), or no
// memory.
bool MergeMenuTables(const ByteTable &original, const ByteTable &edited, const ByteTable &fresh,
                     ByteTable &merged);
bool MergeGroupNameTables(const ByteTable &original, const ByteTable &edited,
                          const ByteTable &fresh, ByteTable &merged);

bool IsGroupNameEmpty(const ByteTable &groups, int group); // group 1 to 7
bool GroupNameEquals(const ByteTable &groups, int group, const char *name);
void SetGroupName(ByteTable &groups, int group, const char *name); // at most 30 bytes kept
void ClearGroupName(ByteTable &groups, int group);

} // namespace aof
