// A list section of a setup-info file read whole with one profile call. The profile reader
// searches a section key by key, so reading a list of n entries one key at a time costs n^2;
// read once, every key of it is then looked up here (setupinfo/section_block.h) with the same
// result as its own one-key read.
#pragma once

namespace aof {

class SetupSection {
  public:
    SetupSection() = default;
    ~SetupSection();
    SetupSection(const SetupSection &) = delete;
    SetupSection &operator=(const SetupSection &) = delete;

    // Reads the section of file; false when no memory for it could be had. A missing file or
    // section reads as an empty section.
    bool Read(const char *file, const char *section);

    // The value of key as ReadSetupText gives it ("" when missing or empty), cut to size - 1.
    void Text(const char *key, char *out, unsigned size) const;

    // The value of key as ReadSetupNumberAt gives it.
    unsigned Number(const char *key, unsigned fallback) const;

  private:
    char *block_ = nullptr;
};

} // namespace aof
