// The element readers and the table the scan picks them from.
#pragma once

#include "gpx/line_kind.h"
#include "run/state.h"

namespace kelpway {

// A reader is called with its start-tag line in state.line, classified as
// `start`. True when it stopped at a line it did not consume (a reader
// line, for the scan).
using Reader = bool (*)(ConversionState& state, const LineClass& start);

// A waypoint becomes one mark record, named by its first <name>. It ends
// at </wpt>, an empty tag, the end of the input, or a reader line.
bool read_waypoint(ConversionState& state, const LineClass& start);

// Every trkpt of every segment becomes a point record; a separator precedes
// every track and segment that starts after a point was written. The track
// ends at </trk>, the end of the input, or a reader line.
bool read_track(ConversionState& state, const LineClass& start);

// The reader for a line of `kind`; nullptr for lines that start no element.
Reader reader_for(const ConversionState& state, LineKind kind);

inline bool is_reader_line(const ConversionState& state, LineKind kind) {
    return reader_for(state, kind) != nullptr;
}

}  // namespace kelpway
