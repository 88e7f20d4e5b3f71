// Layer: base. Where a line of the input ends: the rule next_line cuts the
// input by, written byte by byte.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelpway {

struct LineReader;

// Given for a line whose end cannot be told before comments are taken out
// of the bytes held: "<!-" or "<![" stands where it decides.
inline constexpr std::size_t filter_first = std::string_view::npos;

// The bytes the rule looks at: LF, CR, NUL, '>' (a tag boundary may
// follow) and '!' (a comment may begin).
bool is_line_stop(char c);

// What the stop at `at` does to the line that starts at `start` and may
// run to `limit`: ends it (where the next line begins) or not (0), noting
// in `text_end` a NUL, which ends the line's text; or filter_first.
std::size_t stop_end(const LineReader& input, std::size_t start, std::size_t at, std::size_t limit,
                     std::size_t& text_end);

// A line that runs to its limit ends there, unless a comment may begin at
// the limit's last byte.
std::size_t limit_end(const LineReader& input, std::size_t limit);

// The end of the line that starts at `start` in the bytes held: after the
// first LF or a CR that no LF follows, before the '<' of a tag boundary
// ('>', perhaps blanks and tabs, then '<' and a letter or '/'), or at
// `limit`; or filter_first. `text_end` is where a NUL ends its text.
std::size_t line_end(const LineReader& input, std::size_t start, std::size_t limit, std::size_t& text_end);

}  // namespace kelpway
