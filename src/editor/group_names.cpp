#include "editor/menu_table.h"

#include <cstring>

#include "common/text.h"

namespace aof {

// The name field of sub-menu 1 to 7 and how many of its bytes the table holds; nullptr when
// the group has no field in the table.
static unsigned char *FindGroupField(const ByteTable &groups, int group, std::size_t *size) {
    if (group < 1 || group >= kGroupCount)
        return nullptr;
    std::size_t offset = kGroupNameFieldSize * static_cast<std::size_t>(group - 1);
    if (offset >= groups.length)
        return nullptr;
    std::size_t held = groups.length - offset;
    *size = held < kGroupNameFieldSize ? held : kGroupNameFieldSize;
    return groups.bytes + offset;
}

bool IsGroupNameEmpty(const ByteTable &groups, int group) {
    std::size_t size;
    const unsigned char *field = FindGroupField(groups, group, &size);
    return field == nullptr || field[0] == 0;
}

bool GroupNameEquals(const ByteTable &groups, int group, const char *name) {
    std::size_t size;
    const unsigned char *field = FindGroupField(groups, group, &size);
    if (field == nullptr)
        return false;
    // A field may be filled to its last byte without a NUL: it ends with the field.
    for (std::size_t i = 0; i < size; ++i) {
        if (field[i] != static_cast<unsigned char>(name[i]))
            return false;
        if (field[i] == 0)
            return true;
    }
    return name[size] == '\0';
}

void SetGroupName(ByteTable &groups, int group, const char *name) {
    std::size_t size;
    unsigned char *field = FindGroupField(groups, group, &size);
    if (field == nullptr)
        return;
    std::memset(field, 0, size);
    CopyText(reinterpret_cast<char *>(field), size, name);
}

void ClearGroupName(ByteTable &groups, int group) {
    SetGroupName(groups, group, "");
}

} // namespace aof
