// Opening the GPX input, writing the DRW and MMK outputs as temporaries, and
// putting them in place as a pair.
#pragma once

#include <string_view>

#include "run/file_system.h"
#include "run/outcome.h"
#include "run/state.h"

namespace kelpway {

// Opens `path` with its extension replaced by GPX; when no entry of that
// exact name exists, one that differs only in ASCII case.
Outcome open_input_file(ConversionState& state, std::string_view path, FileSystem& files);

// Creates the two outputs as temporaries beside the input, once a number is
// free and its MMK name could take the file: a symbolic link in its place,
// anything but a regular file, and the input itself (through a hard link)
// are refused. Nothing gets a BV10 name here.
Outcome create_outputs(ConversionState& state, FileSystem& files);

// Puts the written outputs in place: the DRW under the first free number, by
// a placing that never replaces (an entry that appeared meanwhile moves it to
// the next number), then the MMK of that number over any MMK there. A
// failure removes what was placed.
Outcome place_outputs(ConversionState& state, FileSystem& files);

// Closes the input and removes any output not placed (a run that ended early).
void close_file_set(ConversionState& state);

}  // namespace kelpway
