// Delivers the input line by line, from a file or from memory.
#pragma once

#include <string_view>

#include "run/state.h"

namespace kelpway {

inline constexpr std::size_t line_limit = line_size - 1;

void attach_input(InputFile& input, int fd);
// `text` must outlive the run: lines are views into it.
void attach_input(InputFile& input, std::string_view text);

// The next piece of input into state.line: up to and including an LF or
// a CR that no LF follows; up to a tag boundary ('>' and perhaps blanks or
// tabs, then '<' and a letter or '/', which begins the next line); at most
// 1023 bytes; or what is left at the end. Its text ends at a NUL.
// False at the end of the input or after a read error (input.failed),
// and on every call after that.
bool next_line(ConversionState& state);

}  // namespace kelpway
