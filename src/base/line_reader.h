// Layer: base. Delivers the input line by line from its byte source.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/byte_io.h"
#include "base/comment_filter.h"
#include "base/line_end_grouped.h"

namespace kelpway {

inline constexpr std::size_t line_size = 1024;  // a line piece: 1023 bytes and a terminator
inline constexpr std::size_t line_limit = line_size - 1;
inline constexpr std::size_t input_block_size = std::size_t{1} << 18;

// Reads its source in large blocks and cuts them into lines.
struct LineReader {
    ByteSource source;
    std::size_t begin = 0;          // first byte not yet delivered
    std::size_t end = 0;            // one past the last byte held
    bool exhausted = false;         // nothing more will arrive from the source
    bool failed = false;            // a read error ended the input
    bool ended = false;             // next_line has reported the end
    // Bytes that may end a line, found ahead: bit i stands for block[stops_at + i].
    // Holds only until the block is refilled.
    std::size_t stops_at = std::string_view::npos;
    std::uint64_t stops = 0;
    // Comments are taken out of every block once the first "<!-" or "<!["
    // has been met; the bytes before it can hold none.
    CommentFilter comments;
    bool filtering = false;
    // The current line up to its first NUL, line end kept. It points into
    // the block and stays valid only until the next call of next_line.
    std::string_view line;
    // Read past `end` by the grouped search, which looks at no stop there.
    std::array<char, input_block_size + group_padding> block;
};

void attach_input(LineReader& input, const ByteSource& source);

// The next piece of the input without its comments into input.line: up to and including an LF or
// a CR that no LF follows; up to a tag boundary ('>' and perhaps blanks or
// tabs, then '<' and a letter or '/', which begins the next line); at most
// 1023 bytes; or what is left at the end. Its text ends at a NUL.
// False at the end of the input or after a read error (input.failed),
// and on every call after that. A read that EINTR interrupts is asked again.
bool next_line(LineReader& input);

}  // namespace kelpway
