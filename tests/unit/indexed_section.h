// A section of a setup-info file as the reader hands it over and indexes it, written in a
// test as one entry a line.
#pragma once

#include "setupinfo/section_block.h"

#include <string>
#include <vector>

namespace {

// A section block from entries written one a line ("\n" ends each entry).
inline std::string Block(const std::string &lines) {
    std::string block;
    for (char c : lines)
        block += c == '\n' ? '\0' : c;
    return block + '\0';
}

// A block with its index, as the reader keeps them.
struct Indexed {
    explicit Indexed(const std::string &lines) : block(Block(lines)) {
        slots.assign(aof::SectionIndexCapacity(aof::CountSectionEntries(block.c_str())), nullptr);
        index = {slots.data(), static_cast<unsigned>(slots.size())};
        aof::BuildSectionIndex(block.c_str(), index);
    }
    std::string block;
    std::vector<const char *> slots;
    aof::SectionIndex index;
};

} // namespace
