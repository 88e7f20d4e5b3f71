// A faster form of classify for lines whose tag comes first: the tag's
// bytes are compared sixteen at a time where the processor allows.
#pragma once

#include <cstddef>
#include <string_view>

#include "gpx/line_kind.h"

namespace kelpway {

// classify(line) for a line whose first byte after blanks and tabs, at
// `open`, is '<'.
LineClass classify_sse(std::string_view line, std::size_t open);

}  // namespace kelpway
