// The checker's raw scan and name rules on arbitrary files: no read past the text, every name
// found fits its buffer and is terminated, every suggestion fits its buffer.
#include "afucheck/key_rules.h"
#include "afucheck/raw_scan.h"

#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
    // The file on the heap with nothing after it.
    std::unique_ptr<unsigned char[]> text(new unsigned char[size + 1]);
    std::memcpy(text.get(), bytes, size);
    aof::EncodingFinding finding = aof::ClassifyEncoding(text.get(), size);
    aof::RawScan scan{};
    if (!aof::ScanRawText(text.get(), size, finding.encoding, scan))
        return 0;
    const aof::KnownSection *section = aof::FindKnownSection("Install Macros");
    for (std::size_t i = 0; i < scan.count; ++i) {
        const aof::RawItem &item = scan.items[i];
        if (std::memchr(item.name, '\0', sizeof item.name) == nullptr)
            std::abort();
        aof::ClassifyKey(*section, item.name);
        aof::ClimbsToParent(item.name);
        if (i >= 8) // the suggestions and look-ups cost much; the first names are enough
            continue;
        char suggestion[aof::kSuggestionSize];
        aof::SuggestSection(item.name, suggestion);
        aof::SuggestKey(*section, item.name, suggestion);
        aof::FindRawKeyLine(scan, item.name, item.name);
    }
    aof::ReleaseRawScan(scan);
    return 0;
}
