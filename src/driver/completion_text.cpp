#include "driver/completion_text.h"

namespace aof {

// How many of the first slots are assigned; a 0 ends them, since the macros take their slots
// in order.
static int CountLeadingSlots(const unsigned *slots, int count) {
    int assigned = 0;
    while (assigned < count && slots[assigned] != 0)
        ++assigned;
    return assigned;
}

static void AppendSlotNumber(char *out, std::size_t capacity, unsigned slot) {
    char digits[11];
    FormatDecimal(digits, slot);
    AppendTextCut(out, capacity, digits);
}

void ComposeCompletionText(char *out, std::size_t capacity, const char *setupName,
                           const unsigned *slots, int count, const char *message) {
    CopyText(out, capacity, setupName);
    int assigned = CountLeadingSlots(slots, count);
    if (assigned == 0) {
        AppendTextCut(out, capacity, "\n\n");
    } else {
        AppendTextCut(out, capacity, kCompletedInMenu);
        AppendSlotNumber(out, capacity, slots[0]);
        if (assigned > 1) {
            AppendTextCut(out, capacity, kCompletedRangeTo);
            AppendSlotNumber(out, capacity, slots[assigned - 1]);
        }
        AppendTextCut(out, capacity, kCompletedAdded);
    }
    AppendTextCut(out, capacity, kCompletedSetupDone);
    if (message[0] != '\0') {
        AppendTextCut(out, capacity, "\n\n");
        AppendTextCut(out, capacity, message);
    }
}

void ComposeUninstallReport(char *out, const char *programCopy) {
    CopyText(out, kUninstallReportSize, kUninstallDone);
    AppendTextCut(out, kUninstallReportSize, programCopy);
    AppendTextCut(out, kUninstallReportSize, kUninstallDoneProgramKept);
}

} // namespace aof
