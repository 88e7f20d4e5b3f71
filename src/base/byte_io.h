// Layer: base. Byte sources and sinks: where the input's bytes come from and
// the outputs' bytes go, read and written in large blocks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelpway {

// Reads up to `size` bytes into `bytes`: how many it read, 0 at the end, or
// -1 on an error with errno set (EINTR: nothing happened, ask again).
using ReadBytes = std::ptrdiff_t (*)(void* context, char* bytes, std::size_t size);

struct ByteSource {
    ReadBytes read = nullptr;
    void* context = nullptr;
};

// Writes some of `bytes` (at least one when there are any): how many, or -1
// on an error with errno set (EINTR: nothing happened, ask again).
using WriteBytes = std::ptrdiff_t (*)(void* context, const char* bytes, std::size_t size);
// Ends the sink; false when what was written to it may be lost.
using CloseSink = bool (*)(void* context);

struct ByteSink {
    WriteBytes write = nullptr;
    CloseSink close = nullptr;
    void* context = nullptr;
};

// source.read until it is not interrupted: the bytes read, 0 at the end, or
// -1 after an error.
std::ptrdiff_t read_some(const ByteSource& source, char* bytes, std::size_t size);

// A text held in memory, read from its start.
struct MemoryText {
    std::string_view text;
    std::size_t at = 0;
};
ByteSource memory_source(MemoryText& text);

// A string that grows with every write.
ByteSink memory_sink(std::string& text);

}  // namespace kelpway
