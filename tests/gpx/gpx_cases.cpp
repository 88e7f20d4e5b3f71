// Conversions of GPX texts in memory, compared with the records expected, for the reader tests.
#include "gpx_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gpx/scan.h"

namespace kelpway::gpx_test {
namespace {

struct Converted {
    std::string drw;  // with LF line ends, without the start and end records
    std::string mmk;  // with LF line ends
    std::int64_t points, lines, skipped, passed_over;
};

std::string with_lf(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

Converted convert(const std::string& gpx, bool routes) {
    auto state = std::make_unique<ScanState>();
    state->color = 2;
    state->convert_routes = routes;
    std::string drw, mmk;
    EXPECT_TRUE(convert_text(*state, gpx, drw, mmk));
    EXPECT_TRUE(drw.starts_with("S\r\n") && drw.ends_with("E\r\n")) << drw;
    drw = drw.size() >= 6 ? drw.substr(3, drw.size() - 6) : drw;
    return {with_lf(drw), with_lf(mmk), state->point_count, state->line_count,
            state->skipped_count, state->passed_over_count};
}

}  // namespace

void check(const Case& row) {
    SCOPED_TRACE(row.what);
    Converted got = convert(row.gpx, row.routes);
    EXPECT_EQ(got.drw, row.drw);
    EXPECT_EQ(got.mmk, row.mmk);
    std::int64_t marks = static_cast<std::int64_t>(std::count(row.mmk.begin(), row.mmk.end(), '\n'));
    std::int64_t points = 0;
    for (std::size_t at = 0; (at = row.drw.find(",E,,2", at)) != std::string::npos; ++at) ++points;
    for (std::size_t at = 0; (at = row.drw.find(",W,,2", at)) != std::string::npos; ++at) ++points;
    EXPECT_EQ(got.points, marks);
    EXPECT_EQ(got.lines, points);
    EXPECT_EQ(got.skipped, row.skipped);
    EXPECT_EQ(got.passed_over, row.passed_over);
}

}  // namespace kelpway::gpx_test
