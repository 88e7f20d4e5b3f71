// The GPX file of a DRW and MMK pair: GPX 1.1 in UTF-8 with plain LF line
// ends, every waypoint before every track as the schema orders them, one
// element part per line as kelpway's own GPX reading expects.
#pragma once

#include <cstdint>
#include <string_view>

#include "output/degrees_reading.h"
#include "output/output_file.h"
#include "run/gpx_name.h"

namespace kelpway {

// The XML declaration and <gpx>, which declares the prefix kelpway for
// the program's own extensions.
void write_gpx_start(OutputFile& gpx);
void write_gpx_end(OutputFile& gpx);    // </gpx>

// A wpt at the position, with the name; what the name lost.
NameReplacements write_waypoint(OutputFile& gpx, const DecimalDegrees& latitude,
                            const DecimalDegrees& longitude, std::string_view name);

// <trk>, the name "Track N" for N = `number`, the colour 1 to 7 as
// <kelpway:color> among the track's extensions (none for 0), and <trkseg>.
void write_track_start(OutputFile& gpx, std::int64_t number, int color);

// A trkpt at the position, its end tag on the next line.
void write_track_point(OutputFile& gpx, const DecimalDegrees& latitude, const DecimalDegrees& longitude);

void write_track_end(OutputFile& gpx);  // </trkseg> and </trk>

}  // namespace kelpway
