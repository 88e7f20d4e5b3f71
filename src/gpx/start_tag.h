// The start tag of a waypoint or a track or route point: its position, from
// the lat= and lon= attributes, and where the tag ends.
#pragma once

#include <cstddef>
#include <string_view>

#include "output/degrees.h"
#include "gpx/scan_state.h"

namespace kelpway {

struct Position {
    DegreesMinutes latitude;
    DegreesMinutes longitude;
};

enum class TagEnd {
    open,           // at a '>': the element goes on after it
    empty_element,  // at "/>": the element ends with its tag
    reader_line,    // at a reader line, left in state.input.line for the scan
    input_ended,
};

struct StartTag {
    bool placed;       // both attributes found, and both usable numbers
    TagEnd end;
    std::size_t rest;  // open or empty_element: where the text after '>' starts in state.input.line
};

// What the caller needs of the tag's '>': where it stands (the first after
// the name), or only whether the tag closes on its line (then `end` and
// `rest` may come from a later '>' on the same line).
enum class TagClose { where, whether };

// Reads the start tag whose name ends at `name_end` in state.input.line. A tag
// without '>' on its line goes on over the following lines up to the first
// that holds one; lat= and lon= each come from the first of its lines that
// holds the key, into `position` (only whole when the tag is placed).
StartTag read_start_tag(ScanState& state, std::size_t name_end, TagClose wanted, Position& position);

// The line's first '>' closes an empty element tag ("<trk .../>").
bool closes_empty_tag(std::string_view line);

}  // namespace kelpway
