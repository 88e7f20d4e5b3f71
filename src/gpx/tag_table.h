// The tags the scan and the readers know, in one table: the only place that
// names them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "gpx/line_kind.h"
#include "gpx/readers.h"

namespace kelpway {

// Whether a row's start tag, first on its line, starts an element: never,
// always, or only when routes are converted.
enum class Starts : std::uint8_t { never, always, with_routes };

struct TagRow {
    std::string_view name;  // the local name, without a prefix
    LineKind start;         // of a line whose tag is the start tag
    LineKind end;           // of a line whose tag is the end tag; other where it plays no part
    Starts starts;
    Reader reader;          // of the elements its start tag begins; nullptr for others
};

inline constexpr std::array<TagRow, 7> tag_table{{
    {"wpt", LineKind::waypoint, LineKind::waypoint_end, Starts::always, read_waypoint},
    {"trk", LineKind::track, LineKind::track_end, Starts::always, read_track},
    {"rte", LineKind::route, LineKind::route_end, Starts::with_routes, read_route},
    {"trkpt", LineKind::track_point, LineKind::other, Starts::never, nullptr},
    {"rtept", LineKind::route_point, LineKind::other, Starts::never, nullptr},
    {"trkseg", LineKind::segment, LineKind::segment_end, Starts::never, nullptr},
    {"name", LineKind::name, LineKind::other, Starts::never, nullptr},
}};

// The row named `name` in `rows`, or nullptr: rows of any names and lengths.
const TagRow* find_row(std::span<const TagRow> rows, std::string_view name);

// The row whose start or end tag is of `kind`.
struct KindRow {
    const TagRow* row;  // nullptr for other
    bool closing;       // the end tag's kind
};
KindRow row_of_kind(LineKind kind);

// Lines of as many kinds as the table gives, other included.
inline constexpr std::size_t kind_count = [] {
    std::size_t count = 1;
    for (const TagRow& row : tag_table) {
        for (const LineKind kind : {row.start, row.end}) {
            if (static_cast<std::size_t>(kind) >= count) count = static_cast<std::size_t>(kind) + 1;
        }
    }
    return count;
}();

}  // namespace kelpway
