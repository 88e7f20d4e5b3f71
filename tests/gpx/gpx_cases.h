// Conversions of GPX texts in memory, compared with the records expected, for the reader tests.
#pragma once

#include <cstdint>
#include <string>

namespace kelpway::gpx_test {

struct Case {
    const char* what;
    std::string gpx;
    std::string drw;  // with LF line ends, without the start and end records
    std::string mmk;  // with LF line ends
    std::int64_t skipped = 0;
    std::int64_t passed_over = 0;  // route points, when routes are not converted
    bool routes = false;
};

// Converts the case's GPX in colour 2 and checks records and counts.
void check(const Case& row);

inline const std::string tokyo = ",3540.874,N,13946.027,E";
inline const std::string p1 = ",3540.874,N,13946.027,E,,2,,,,\n";
inline const std::string p2 = ",3530.000,N,13930.000,E,,2,,,,\n";
inline const std::string p3 = ",100.000,N,200.000,E,,2,,,,\n";
inline const std::string wpt = "<wpt lat=\"35.681236\" lon=\"139.767125\">";
inline const std::string pt1 = "<trkpt lat=\"35.681236\" lon=\"139.767125\">";
inline const std::string pt2 = "<trkpt lat=\"35.5\" lon=\"139.5\">";
inline const std::string pt3 = "<trkpt lat=\"1\" lon=\"2\">";

// The mark record of a waypoint at Tokyo named `name`.
inline std::string mark(const std::string& name) { return tokyo + ",26,,,,,,\"" + name + "\"\n"; }

}  // namespace kelpway::gpx_test
