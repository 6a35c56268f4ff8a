#include "driver/completion_text.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr char kTail[] = "ｾｯﾄｱｯﾌﾟが完了しました。\n\nｾｯﾄｱｯﾌﾟ元のﾌｫﾙﾀﾞにあるﾌｧｲﾙは、"
                         "不必要ならば削除してかまいません。";

std::string Compose(const char *name, std::initializer_list<unsigned> slots,
                    const char *message = "") {
    unsigned list[10] = {};
    int count = 0;
    for (unsigned s : slots)
        list[count++] = s;
    char out[aof::kCompletionTextSize];
    aof::ComposeCompletionText(out, sizeof out, name, list, count, message);
    return out;
}

TEST(CompletionText, NamesTheFirstAndLastSlotOfTheMacros) {
    EXPECT_EQ(
        Compose("ﾃｽﾄ", {11, 12, 13}),
        std::string("ﾃｽﾄ\n\nが青筆ｴﾃﾞｨﾀの『ﾏｸﾛ(M)』ﾒﾆｭｰの ﾏｸﾛ11 ～ ﾏｸﾛ13 に追加されました。") +
            kTail);
    EXPECT_EQ(Compose("", {4}),
              std::string("\n\nが青筆ｴﾃﾞｨﾀの『ﾏｸﾛ(M)』ﾒﾆｭｰの ﾏｸﾛ4 に追加されました。") + kTail);
    EXPECT_NE(Compose("A", {71, 73, 80}).find("ﾏｸﾛ71 ～ ﾏｸﾛ80 に"), std::string::npos);
}

TEST(CompletionText, NeverNamesSlotZero) {
    // Files only, or an update of a package that recorded no slots.
    EXPECT_EQ(Compose("ﾃｽﾄ", {}), std::string("ﾃｽﾄ\n\n") + kTail);
    EXPECT_EQ(Compose("ﾃｽﾄ", {0, 0, 0}), std::string("ﾃｽﾄ\n\n") + kTail);
    // Slots end at the first unassigned one.
    std::string partial = Compose("X", {21, 22, 0, 0});
    EXPECT_NE(partial.find("ﾏｸﾛ21 ～ ﾏｸﾛ22 に"), std::string::npos);
    EXPECT_EQ(partial.find("ﾏｸﾛ0"), std::string::npos);
}

TEST(CompletionText, AppendsThePackageMessageAfterAnEmptyLine) {
    EXPECT_EQ(Compose("A", {1}, "readme を見てください"),
              Compose("A", {1}) + "\n\nreadme を見てください");
    // The longest name and message fit whole.
    std::string name(127, 'n');
    std::string message(255, 'm');
    std::string text = Compose(name.c_str(), {11, 20}, message.c_str());
    EXPECT_EQ(text.substr(0, 127), name);
    EXPECT_EQ(text.substr(text.size() - 257), "\n\n" + message);
}

TEST(UninstallReport, HoldsTheLongestProgramCopyPath) {
    std::string path = "C:\\" + std::string(516, 'p');
    ASSERT_EQ(path.size(), aof::kPathSize - 1);
    char out[aof::kUninstallReportSize];
    aof::ComposeUninstallReport(out, path.c_str());
    EXPECT_EQ(std::string(out),
              std::string(aof::kUninstallDone) + path + aof::kUninstallDoneProgramKept);
}

} // namespace
