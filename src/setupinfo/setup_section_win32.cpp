#include "setupinfo/setup_section_win32.h"
#include "setupinfo/setup_info_win32.h"

#include <windows.h>

namespace aof {

namespace {

// Enough for a list of some thousand entries in one call; a longer section doubles it.
constexpr DWORD kFirstBlockSize = 64 * 1024;

// The index of an empty section: one free slot.
const char *gNoSlot[1] = {nullptr};
const SectionIndex kEmptyIndex = {gNoSlot, 1};

} // namespace

SetupSection::~SetupSection() {
    Release();
}

void SetupSection::Release() {
    if (block_ != nullptr)
        HeapFree(GetProcessHeap(), 0, block_);
    if (index_.slots != nullptr)
        HeapFree(GetProcessHeap(), 0, index_.slots);
    block_ = nullptr;
    index_ = {nullptr, 0};
}

bool SetupSection::ReadBlock(const char *file, const char *section) {
    for (DWORD size = kFirstBlockSize; size != 0; size *= 2) {
        void *grown = block_ == nullptr ? HeapAlloc(GetProcessHeap(), 0, size)
                                        : HeapReAlloc(GetProcessHeap(), 0, block_, size);
        if (grown == nullptr)
            return false;
        block_ = static_cast<char *>(grown);
        // The reader gives size - 2 when the section did not fit.
        DWORD length = GetPrivateProfileSectionA(section, block_, size, file);
        if (length < size - 2) {
            block_[length] = '\0';
            block_[length + 1] = '\0';
            // The reader gives an unreadable file as an empty section: told apart here.
            return length != 0 || IsSetupInfoReadable(file);
        }
    }
    return false;
}

bool SetupSection::BuildIndex() {
    unsigned capacity = SectionIndexCapacity(CountSectionEntries(block_));
    void *slots = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, capacity * sizeof(const char *));
    if (slots == nullptr)
        return false;
    index_ = {static_cast<const char **>(slots), capacity};
    BuildSectionIndex(block_, index_);
    return true;
}

bool SetupSection::Read(const char *file, const char *section) {
    Release();
    if (ReadBlock(file, section) && BuildIndex())
        return true;
    Release();
    return false;
}

const SectionIndex &SetupSection::Index() const {
    return index_.slots != nullptr ? index_ : kEmptyIndex;
}

void SetupSection::Text(const char *key, char *out, unsigned size) const {
    FindSectionText(Index(), key, out, size);
}

unsigned SetupSection::Number(const char *key, unsigned fallback) const {
    return FindSectionNumber(Index(), key, fallback);
}

} // namespace aof
