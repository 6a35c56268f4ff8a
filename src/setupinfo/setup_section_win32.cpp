#include "setupinfo/setup_section_win32.h"

#include "setupinfo/section_block.h"

#include <windows.h>

namespace aof {

namespace {

// Enough for a list of some thousand entries in one call; a longer section doubles it.
constexpr DWORD kFirstBlockSize = 64 * 1024;

const char kEmptyBlock[2] = {'\0', '\0'};

} // namespace

SetupSection::~SetupSection() {
    if (block_ != nullptr)
        HeapFree(GetProcessHeap(), 0, block_);
}

bool SetupSection::Read(const char *file, const char *section) {
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
            return true;
        }
    }
    return false;
}

void SetupSection::Text(const char *key, char *out, unsigned size) const {
    FindSectionText(block_ != nullptr ? block_ : kEmptyBlock, key, out, size);
}

unsigned SetupSection::Number(const char *key, unsigned fallback) const {
    return FindSectionNumber(block_ != nullptr ? block_ : kEmptyBlock, key, fallback);
}

} // namespace aof
