// The other direction: a DRW and MMK pair into one GPX file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "base/record_lines.h"
#include "gpx/name_charsets.h"
#include "output/output_file.h"
#include "output/record_reading.h"

namespace kelpway {

struct PairCounts {
    std::int64_t waypoints = 0;
    std::int64_t tracks = 0;
    std::int64_t track_points = 0;
    std::int64_t skipped = 0;   // lines that are no record of their file
    std::int64_t replaced = 0;             // name bytes that are not UTF-8, written as U+FFFD
    std::int64_t replaced_characters = 0;  // name characters GPX cannot hold, written as U+FFFD
};

// Large: kept by the caller, as one input and one output of the forward direction are.
struct PairState {
    RecordLines input;
    OutputFile gpx;
    ReadRecord record;
    PairCounts counts;
    NameCharsets* name_charsets = nullptr;  // --charset: the MMK's names are in its marks' charset
};

enum class PairOutcome { converted, cant_read_drw, cant_read_mmk, cant_write_gpx };

// Every mark of the MMK becomes a waypoint, then every run of points of the
// DRW a track, into the GPX: two passes, each over its own file, in the
// memory of one block. Either source may be missing (nullptr). The sink is
// closed on return. A read error outranks a write error.
PairOutcome convert_pair(PairState& state, const ByteSource* drw, const ByteSource* mmk, const ByteSink& gpx);

// The same for texts held in memory.
PairOutcome convert_pair_text(PairState& state, std::optional<std::string_view> drw,
                              std::optional<std::string_view> mmk, std::string& gpx);

// "GPX %d waypoints, %d tracks, %d track points", then the skipped lines and
// the replaced bytes and characters when there are any.
void print_pair_summary(const PairCounts& counts, std::FILE* console);

}  // namespace kelpway
