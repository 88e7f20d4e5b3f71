// Which lines start an element that a reader converts.
#include <array>

#include "gpx/readers.h"

namespace kelpway {

namespace {

struct ReaderRow {
    LineKind kind;
    Reader reader;
};

constexpr std::array<ReaderRow, 2> reader_table{{
    {LineKind::waypoint, read_waypoint},
    {LineKind::track, read_track},
}};

}  // namespace

Reader reader_for(const ConversionState& /*state*/, LineKind kind) {
    for (const ReaderRow& row : reader_table) {
        if (kind == row.kind) return row.reader;
    }
    return nullptr;
}

}  // namespace kelpway
