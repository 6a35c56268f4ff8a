// Looking keys up in arbitrary section blocks and walking their entries: no read past the
// block or an output buffer, every text found fits its buffer, and every walk ends, its
// ordinals rising, the install walks within ten entries.
#include "setupinfo/entry_walk.h"
#include "setupinfo/section_block.h"

#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    std::string key = data.ConsumeRandomLengthString(40);
    unsigned outSize = data.ConsumeIntegralInRange<unsigned>(1, 600);
    std::string rest = data.ConsumeRemainingBytesAsString();
    // The block on the heap with its two closing NULs and nothing after them.
    std::unique_ptr<char[]> block(new char[rest.size() + 2]);
    std::memcpy(block.get(), rest.data(), rest.size());
    block[rest.size()] = '\0';
    block[rest.size() + 1] = '\0';
    unsigned capacity = aof::SectionIndexCapacity(aof::CountSectionEntries(block.get()));
    std::unique_ptr<const char *[]> slots(new const char *[capacity]());
    aof::SectionIndex index = {slots.get(), capacity};
    aof::BuildSectionIndex(block.get(), index);
    std::unique_ptr<char[]> out(new char[outSize]);
    aof::FindSectionText(index, key.c_str(), out.get(), outSize);
    if (std::strlen(out.get()) >= outSize)
        std::abort();
    aof::FindSectionNumber(index, key.c_str(), 0);
    for (aof::ListWalk walk : {aof::kInstallWalk, aof::kInstalledWalk, aof::kDeletionWalk}) {
        aof::ListEntry entry;
        entry.ordinal = 0;
        for (unsigned last = 0; aof::NextListEntry(index, walk, entry); last = entry.ordinal) {
            if (entry.ordinal <= last || std::strlen(entry.destination) >= aof::kPathSize ||
                (walk != aof::kDeletionWalk && entry.ordinal > aof::kMaxListEntries))
                std::abort();
        }
    }
    return 0;
}
