// A list section of a setup-info file read whole with one profile call. The profile reader
// searches a section key by key, so reading a list of n entries one key at a time costs n^2;
// read once and indexed, every key of it is looked up here (setupinfo/section_block.h) with
// the same result as its own one-key read.
#pragma once

#include "setupinfo/section_block.h"

namespace aof {

class SetupSection {
  public:
    SetupSection() = default;
    ~SetupSection();
    SetupSection(const SetupSection &) = delete;
    SetupSection &operator=(const SetupSection &) = delete;

    // Reads the section of file; a missing section reads as an empty one. False, with the
    // section left empty, when the file cannot be read or no memory could be had for it.
    bool Read(const char *file, const char *section);

    // The value of key as ReadSetupText gives it ("" when missing or empty), cut to size - 1.
    void Text(const char *key, char *out, unsigned size) const;

    // The value of key as ReadSetupNumberAt gives it.
    unsigned Number(const char *key, unsigned fallback) const;

    // The index the walks over its entries take (setupinfo/entry_walk.h); that of an empty
    // section until it has been read.
    const SectionIndex &Index() const;

  private:
    bool ReadBlock(const char *file, const char *section);
    bool BuildIndex();
    void Release();

    char *block_ = nullptr;
    SectionIndex index_ = {nullptr, 0};
};

} // namespace aof
