// Waypoints and tracks in the layouts real GPX files use, converted in memory.
#include "gpx/readers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "run/conversion.h"

namespace kelpway {
namespace {

struct Converted {
    std::string drw;  // with LF line ends, without the start and end records
    std::string mmk;  // with LF line ends
    std::int64_t points, lines, skipped;
};

std::string with_lf(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

Converted convert(const std::string& gpx) {
    auto state = std::make_unique<ConversionState>();
    state->color = 2;
    std::string drw, mmk;
    EXPECT_EQ(convert_text(*state, gpx, drw, mmk), Outcome::converted);
    EXPECT_TRUE(drw.starts_with("S\r\n") && drw.ends_with("E\r\n")) << drw;
    drw = drw.size() >= 6 ? drw.substr(3, drw.size() - 6) : drw;
    return {with_lf(drw), with_lf(mmk), state->point_count, state->line_count,
            state->skipped_count};
}

struct Case {
    const char* what;
    std::string gpx;
    std::string drw;
    std::string mmk;
    std::int64_t skipped = 0;
};

void check(const Case& row) {
    SCOPED_TRACE(row.what);
    Converted got = convert(row.gpx);
    EXPECT_EQ(got.drw, row.drw);
    EXPECT_EQ(got.mmk, row.mmk);
    std::int64_t marks = static_cast<std::int64_t>(std::count(row.mmk.begin(), row.mmk.end(), '\n'));
    std::int64_t points = 0;
    for (std::size_t at = 0; (at = row.drw.find(",E,,2", at)) != std::string::npos; ++at) ++points;
    for (std::size_t at = 0; (at = row.drw.find(",W,,2", at)) != std::string::npos; ++at) ++points;
    EXPECT_EQ(got.points, marks);
    EXPECT_EQ(got.lines, points);
    EXPECT_EQ(got.skipped, row.skipped);
}

const std::string tokyo = ",3540.874,N,13946.027,E";
const std::string p1 = ",3540.874,N,13946.027,E,,2,,,,\n";
const std::string p2 = ",3530.000,N,13930.000,E,,2,,,,\n";
const std::string p3 = ",100.000,N,200.000,E,,2,,,,\n";
const std::string wpt = "<wpt lat=\"35.681236\" lon=\"139.767125\">";
const std::string pt1 = "<trkpt lat=\"35.681236\" lon=\"139.767125\">";
const std::string pt2 = "<trkpt lat=\"35.5\" lon=\"139.5\">";
const std::string pt3 = "<trkpt lat=\"1\" lon=\"2\">";

std::string mark(const std::string& name) { return tokyo + ",26,,,,,,\"" + name + "\"\n"; }

TEST(WaypointReader, NamesEveryWaypointWhereverItsNameStands) {
    const Case cases[] = {
        {"three lines", wpt + "\n<name>Buoy</name>\n</wpt>\n", "", mark("Buoy")},
        {"name after ele and time",
         "  " + wpt + "\n    <ele>12.5</ele>\n    <time>2020-01-01T00:00:00Z</time>\n"
                      "    <name>Pier</name>\n  </wpt>\n",
         "", mark("Pier")},
        {"one line each", wpt + "<name>A</name></wpt>\n" + wpt + "<name>B</name></wpt>\n" + wpt +
                              "<name>C</name></wpt>\n",
         "", mark("A") + mark("B") + mark("C")},
        {"empty tag", "<wpt lat=\"35.681236\" lon=\"139.767125\"/>\n<name>not mine</name>\n", "",
         mark("")},
        {"no name", wpt + "\n<ele>1</ele>\n</wpt>\n<name>outside</name>\n", "", mark("")},
        {"last line of the input", wpt, "", mark("")},
        {"name without closing tag", wpt + "\n<name>Open end\r\n</wpt>\n", "", mark("Open end")},
        {"CDATA", wpt + "\n<name><![CDATA[Fish & <Chips>]]></name>\n</wpt>\n", "",
         mark("Fish & <Chips>")},
        {"CDATA without end", wpt + "\n<name><![CDATA[Half\n</wpt>\n", "", mark("Half")},
        {"bytes kept", wpt + "\n<name>A, \"b\" &amp; \xe6\x9d\xb1</name>\n</wpt>\n", "",
         mark("A, \"b\" &amp; \xe6\x9d\xb1")},
        {"tab after the tag", "\t<wpt\tlon=\"139.767125\"\tlat=\"35.681236\"><name>T</name></wpt>\n",
         "", mark("T")},
        {"unclosed, then the next",
         wpt + "\n<name>First</name>\n" + wpt + "\n<name>Second</name>\n</wpt>\n", "",
         mark("First") + mark("Second")},
        {"other tags are not waypoints",
         "<WPT lat=\"1\" lon=\"1\">\n<wptx lat=\"1\" lon=\"1\">\n<rtept lat=\"1\" lon=\"1\">\n</wpt>\n",
         "", ""},
        {"south and west", "<wpt lat=\"-33.8688\" lon=\"-151.2093\"><name>Sydney?</name></wpt>\n", "",
         ",3352.128,S,15112.558,W,26,,,,,,\"Sydney?\"\n"},
        {"without a position", "<wpt lon=\"1\">\n<name>x</name>\n</wpt>\n<wpt lat=\"a\" lon=\"1\"/>\n"
                               "<wpt lat=\"1e999\" lon=\"1\"/>\n<wpt lat=\"3000000000\" lon=\"1\"/>\n",
         "", "", 4},
    };
    for (const Case& row : cases) check(row);
}

TEST(TrackReader, KeepsEveryPointOfEverySegment) {
    const Case cases[] = {
        {"two tracks", "<trk>\n<name>a</name>\n<trkseg>\n" + pt1 + "\n</trkpt>\n" + pt2 +
                           "\n<ele>3</ele>\n</trkpt>\n</trkseg>\n</trk>\n<trk>\n<name>b</name>\n"
                           "<trkseg>\n" + pt3 + "</trkpt>\n</trkseg>\n</trk>\n",
         p1 + p2 + "J\n" + p3, ""},
        {"one line each, odd count", "<trk><name>a</name>\n<trkseg>\n" + pt1 + "</trkpt>\n" + pt2 +
                                         "</trkpt>\n" + pt3 + "</trkpt>\n</trkseg>\n</trk>\n" + wpt +
                                         "<name>W</name></wpt>\n<trk>\n<trkseg>\n" + pt1 +
                                         "</trkpt>\n</trkseg>\n</trk>\n",
         p1 + p2 + p3 + "J\n" + p1, mark("W")},
        {"no name line", "<trk>\n<trkseg>\n" + pt1 + "</trkpt>\n" + pt2 + "</trkpt>\n</trkseg>\n</trk>\n",
         p1 + p2, ""},
        {"no segment line", "<trk>\n" + pt1 + "</trkpt>\n</trk>\n", p1, ""},
        {"two segments", "<trk>\n<trkseg>\n" + pt1 + "</trkpt>\n</trkseg>\n<trkseg>\n" + pt2 +
                             "</trkpt>\n</trkseg>\n</trk>\n",
         p1 + "J\n" + p2, ""},
        {"indented, tab after trkpt", "  <trk>\n    <trkseg>\n      <trkpt\tlat=\"1\" lon=\"2\"/>\n"
                                      "    </trkseg>\n  </trk>\n",
         p3, ""},
        {"empty first track", "<trk>\n<name>e</name>\n</trk>\n<trk>\n<trkseg>\n" + pt1 +
                                  "</trkpt>\n</trkseg>\n</trk>\n",
         p1, ""},
        {"empty track between", "<trk><trkseg>\n" + pt1 + "</trkpt>\n</trkseg></trk>\n"
                                "<trk>\n<name>e</name>\n</trk>\n<trk><trkseg>\n" + pt2 +
                                "</trkpt>\n</trkseg></trk>\n",
         p1 + "J\nJ\n" + p2, ""},
        {"empty track last", "<trk>\n" + pt1 + "</trkpt>\n</trk>\n<trk />\n<trk></trk>\n<trk/>\n",
         p1 + "J\nJ\n", ""},
        {"input ends in the header", "<trk>\n" + pt1 + "</trkpt>\n</trk>\n<trk>\n<name>x</name>\n",
         p1, ""},
        {"unclosed, then a waypoint", "<trk>\n<trkseg>\n" + pt1 + "\n" + wpt + "<name>W</name></wpt>\n",
         p1, mark("W")},
        {"without a position", "<trk>\n<trkseg>\n<trkpt lat=\"1\">\n<trkpt lon=\"2\" lat=\"nan\">\n" + pt3 +
                                   "\n</trkseg>\n</trk>\n",
         p3, "", 2},
        {"routes are not tracks", "<rte>\n<rtept lat=\"1\" lon=\"2\"/>\n</rte>\n", "", ""},
    };
    for (const Case& row : cases) check(row);
}

}  // namespace
}  // namespace kelpway
