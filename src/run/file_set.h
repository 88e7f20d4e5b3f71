// Opening the GPX input and creating the DRW and MMK outputs of a run.
#pragma once

#include <string_view>

#include "run/outcome.h"
#include "run/state.h"

namespace kelpway {

// Opens `path` with its extension replaced by GPX; when no entry of that
// exact name exists, one that differs only in ASCII case.
Outcome open_input_file(ConversionState& state, std::string_view path);

// Creates the first free BV10nnnn.DRW beside the input, exclusively, so an
// existing file is never truncated. Leaves the name in path_parts.
Outcome create_line_file(ConversionState& state, std::string_view path);

// Creates (or truncates) the MMK file of the chosen number; a symbolic
// link in its place, anything but a regular file, and the input itself
// (through a hard link) are refused.
Outcome create_mark_file(ConversionState& state);

void close_input_file(ConversionState& state);

}  // namespace kelpway
