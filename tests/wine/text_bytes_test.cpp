#include "check.h"
#include "ui/message_texts.h"

TEST_CASE(CaptionIsCodePage932) {
    CHECK_STR(aof::kCaption, "\x90\xC2\x95\x4D\xCF\xB8\xDB\x20\xBE\xAF\xC4\xB1\xAF\xCC\xDF");
    CHECK_STR("～表", "\x81\x60\x95\x5C");
}
