// One whole conversion: the file set, the scan over the input, the records.
#pragma once

#include <string_view>

#include "gpx/scan_state.h"
#include "run/file_system.h"
#include "run/outcome.h"
#include "run/state.h"

namespace kelpway {

// Converts the GPX file named by `path` into a new BV10nnnn pair, which
// appears whole or not at all. Every file it opened is closed when it
// returns, and an output it did not place is removed.
Outcome convert_gpx(ConversionState& state, std::string_view path, FileSystem& files);

}  // namespace kelpway
