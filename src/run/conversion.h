// One whole conversion: the file set, the scan over the input, the records.
#pragma once

#include <string>
#include <string_view>

#include "run/outcome.h"
#include "run/state.h"

namespace kelpway {

// Converts the GPX file named by `path` into a new BV10nnnn pair. Both
// outputs are closed when it returns.
Outcome convert_gpx(ConversionState& state, std::string_view path);

// The same conversion of a text held in memory into two strings.
Outcome convert_text(ConversionState& state, std::string_view gpx, std::string& drw,
                     std::string& mmk);

// Start record, the scan handing reader lines to their readers, end record.
void scan_input(ConversionState& state);

}  // namespace kelpway
