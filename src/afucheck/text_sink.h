// Where the checker's lines go: the console, or a buffer in the tests.
#pragma once

namespace aof {

struct TextSink {
    void (*write)(void *context, const char *text);
    void *context;
};

inline void WriteText(const TextSink &sink, const char *text) {
    sink.write(sink.context, text);
}

} // namespace aof
