// What the scan and the element readers work on: the input's lines, the two
// outputs, the run's options and its counts.
#pragma once

#include <cstdint>

#include "base/line_reader.h"
#include "gpx/line_memo.h"
#include "gpx/name_charsets.h"
#include "output/output_file.h"

namespace kelpway {

inline constexpr int default_color = 2;

struct ScanState {
    LineReader input;
    LineMemo line_memo;
    OutputFile line_file;             // DRW
    OutputFile mark_file;             // MMK
    int color = default_color;
    bool convert_routes = false;      // --routes: routes are read as tracks
    NameCharsets* name_charsets = nullptr;  // --charset: names converted through these
    std::int64_t point_count = 0;     // MMK mark records written
    std::int64_t line_count = 0;      // DRW point records written
    std::int64_t skipped_count = 0;   // points passed over for want of a position
    std::int64_t passed_over_count = 0;  // route points, when routes are not converted
};

}  // namespace kelpway
