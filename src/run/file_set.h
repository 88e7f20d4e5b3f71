// Opening the GPX input and creating the DRW and MMK outputs of a run.
#pragma once

#include <string_view>

#include "run/file_system.h"
#include "run/outcome.h"
#include "run/state.h"

namespace kelpway {

// Opens `path` with its extension replaced by GPX; when no entry of that
// exact name exists, one that differs only in ASCII case.
Outcome open_input_file(ConversionState& state, std::string_view path, FileSystem& files);

// Creates the first free BV10nnnn.DRW beside the input, exclusively, so an
// existing file is never truncated. Gives its number, or 0 when none could
// be created.
int create_line_file(ConversionState& state, FileSystem& files);

// Creates (or truncates) the MMK file of that number; a symbolic link in
// its place, anything but a regular file, and the input itself (through a
// hard link) are refused.
bool create_mark_file(ConversionState& state, FileSystem& files, int number);

// Closes the input and whatever output is still open, caring for nothing
// (a run that ended early).
void close_file_set(ConversionState& state);

}  // namespace kelpway
