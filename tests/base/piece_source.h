// A byte source for the tests: a text handed out in reads of at most `piece` bytes.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string_view>

#include "base/byte_io.h"

namespace kelpway {

// The read numbered `failing` (from 1) fails once with `error`.
struct PieceSource {
    std::string_view text;
    std::size_t piece;
    int failing = 0;
    int error = 0;
    std::size_t at = 0;
    int reads = 0;
};

inline ByteSource source_of(PieceSource& pieces) {
    const ReadBytes read = [](void* context, char* bytes, std::size_t size) -> std::ptrdiff_t {
        auto& source = *static_cast<PieceSource*>(context);
        if (++source.reads == source.failing) {
            errno = source.error;
            return -1;
        }
        const std::size_t part = std::min({size, source.piece, source.text.size() - source.at});
        std::copy_n(source.text.data() + source.at, part, bytes);
        source.at += part;
        return static_cast<std::ptrdiff_t>(part);
    };
    return {read, &pieces};
}

}  // namespace kelpway
