// The element readers and the table the scan picks them from.
#pragma once

#include <string_view>

#include "run/state.h"

namespace kelpway {

// A reader is called with its start-tag line in state.line. True when it
// stopped at a line it did not consume (a reader line, for the scan).
using Reader = bool (*)(ConversionState& state);

// A waypoint becomes one mark record, named by its first <name>. It ends
// at </wpt>, an empty tag, the end of the input, or a reader line.
bool read_waypoint(ConversionState& state);

// Every trkpt of every segment becomes a point record; a separator precedes
// every track and segment that starts after a point was written. The track ends at </trk>,
// the end of the input, or a reader line.
bool read_track(ConversionState& state);

// The reader for a line whose tag is "<wpt" or "<trk"; nullptr otherwise.
Reader reader_for(std::string_view line);

inline bool is_reader_line(std::string_view line) { return reader_for(line) != nullptr; }

}  // namespace kelpway
