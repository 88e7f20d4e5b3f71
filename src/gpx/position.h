// The position a wpt or trkpt start tag gives in its lat= and lon= attributes.
#pragma once

#include <string_view>

#include "output/degrees.h"

namespace kelpway {

struct Position {
    DegreesMinutes latitude;
    DegreesMinutes longitude;
};

// False when either attribute is missing or holds no usable number.
bool read_position(std::string_view line, Position& position);

// The first '>' of the line closes an empty element tag ("<wpt .../>").
bool closes_empty_tag(std::string_view line);

}  // namespace kelpway
