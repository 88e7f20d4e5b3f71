// Layer: base. Byte sources and sinks held in memory.
#include "base/byte_io.h"

#include <cerrno>
#include <cstring>

namespace kelpway {

std::ptrdiff_t read_some(const ByteSource& source, char* bytes, std::size_t size) {
    std::ptrdiff_t got;
    do {
        got = source.read(source.context, bytes, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

ByteSource memory_source(MemoryText& text) {
    const ReadBytes read = [](void* context, char* bytes, std::size_t size) -> std::ptrdiff_t {
        auto& memory = *static_cast<MemoryText*>(context);
        const std::size_t rest = memory.text.size() - memory.at;
        const std::size_t part = size < rest ? size : rest;
        if (part > 0) std::memcpy(bytes, memory.text.data() + memory.at, part);
        memory.at += part;
        return static_cast<std::ptrdiff_t>(part);
    };
    return {read, &text};
}

ByteSink memory_sink(std::string& text) {
    const WriteBytes write = [](void* context, const char* bytes, std::size_t size) -> std::ptrdiff_t {
        static_cast<std::string*>(context)->append(bytes, size);
        return static_cast<std::ptrdiff_t>(size);
    };
    const CloseSink close = [](void*) { return true; };
    return {write, close, &text};
}

}  // namespace kelpway
