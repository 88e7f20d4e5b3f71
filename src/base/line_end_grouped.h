// Layer: base. A faster form of line_end: the stops of sixty-four bytes
// found at once and kept for the lines that follow.
#pragma once

#include <cstddef>

namespace kelpway {

struct LineReader;

// Bytes the grouped search may read past the last byte held: a group from
// the last byte, and the one after it that a '>' looks at.
inline constexpr std::size_t group_padding = 64;

// line_end(input, start, limit, text_end), noting the stops it found ahead
// in input.stops for the next line.
std::size_t line_end_grouped(LineReader& input, std::size_t start, std::size_t limit, std::size_t& text_end);

}  // namespace kelpway
