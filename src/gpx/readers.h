// The element readers: each turns one element of the input into records.
#pragma once

#include "gpx/line_kind.h"
#include "gpx/scan_state.h"

namespace kelpway {

// A waypoint becomes one mark record, named by its first <name>. It ends
// at </wpt>, an empty tag, the end of the input, or a reader line.
bool read_waypoint(ScanState& state, const LineClass& start);

// Every trkpt of every segment becomes a point record; a separator precedes
// every track and segment that starts after a point was written. The track
// ends at </trk>, the end of the input, or a reader line.
bool read_track(ScanState& state, const LineClass& start);

// With --routes a route is read as a track of one segment, its rtept lines
// the points, up to </rte>. Otherwise its route points are only counted.
bool read_route(ScanState& state, const LineClass& start);

}  // namespace kelpway
