// Waypoints, tracks and routes in the layouts real GPX files use, converted in memory.
#include "gpx/readers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gpx/scan.h"

namespace kelpway {
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

struct Case {
    const char* what;
    std::string gpx;
    std::string drw;
    std::string mmk;
    std::int64_t skipped = 0;
    std::int64_t passed_over = 0;  // route points, when routes are not converted
    bool routes = false;
};

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
        // A CDATA section runs to its end, so one that never ends takes the rest of the element.
        {"CDATA without end", wpt + "\n<name><![CDATA[Half\n</wpt>\n" + wpt + "/>\n", "",
         mark("Half </wpt>") + mark("")},
        {"bytes kept, references decoded", wpt + "\n<name>A, \"b\" &amp; \xe6\x9d\xb1</name>\n</wpt>\n", "",
         mark("A, \"b\" & \xe6\x9d\xb1")},
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
        {"routes are not tracks", "<rte>\n<rtept lat=\"1\" lon=\"2\"/>\n</rte>\n", "", "", 0, 1},
    };
    for (const Case& row : cases) check(row);
}


TEST(WaypointReader, JoinsNamesWrittenOverSeveralLines) {
    const std::string long_piece(700, 'n');
    const Case cases[] = {
        {"two lines", wpt + "\n<name>EL A\n      Iso.8s</name>\n</wpt>\n", "", mark("EL A Iso.8s")},
        {"text on the lines after the tag", wpt + "\n<name>\n   Buoy\n</name>\n</wpt>\n", "",
         mark("Buoy")},
        {"blank lines before the text", wpt + "<name>  \r\n\t\r\n  <![CDATA[Pier\r\n  4]]></name></wpt>\n",
         "", mark("Pier 4")},
        {"empty pieces dropped", wpt + "\n<name>A\n\n  \nB </name>\n</wpt>\n", "", mark("A B ")},
        {"lone CR inside", wpt + "\r<name>EL A\rIso</name>\r</wpt>\r", "", mark("EL A Iso")},
        {"blanks kept on one line", wpt + "\n<name> Buoy </name>\n</wpt>\n", "", mark(" Buoy ")},
        {"end tag after the text", wpt + "\n<name>A\n</wpt>\n<name>outside</name>\n", "", mark("A")},
        {"end tag on a continuation", wpt + "\n<name>A\nB</wpt>\n<name>outside</name>\n", "",
         mark("A B")},
        {"the first name wins", wpt + "\n<name>First</name>\n<name>Second</name>\n</wpt>\n", "",
         mark("First")},
        {"cut by the next waypoint", wpt + "\n<name>Open\n" + wpt + "<name>Next</name></wpt>\n", "",
         mark("Open") + mark("Next")},
        {"ends with the input", wpt + "\n<name>Open\nend", "", mark("Open end")},
        {"at most one piece long", wpt + "\n<name>" + long_piece + "\n" + long_piece + "</name></wpt>\n",
         "", mark(long_piece + " " + long_piece.substr(0, 1023 - 701))},
    };
    for (const Case& row : cases) check(row);
}

// Names as a GPX reader shows them: references decoded outside CDATA, and a CDATA
// section found after the blanks that follow the tag.
TEST(WaypointReader, ShowsNamesAsAGpxReaderShowsThem) {
    const std::string half(500, 'n');
    const std::string rest(519, 'm');  // half, a blank and rest leave room for three more bytes
    const Case cases[] = {
        {"references", wpt + "\n<name>Fish &amp; Chips Caf&#xE9; &quot;Q&quot;</name>\n</wpt>\n", "",
         mark("Fish & Chips Caf\xc3\xa9 \"Q\"")},
        {"what is no reference stays", wpt + "<name>AT&T &nbsp; &#10;&amp</name></wpt>\n", "",
         mark("AT&T &nbsp; &#10;&amp")},
        {"a CDATA name is literal", wpt + "<name><![CDATA[Fish &amp; Chips]]></name></wpt>\n", "",
         mark("Fish &amp; Chips")},
        {"references over two lines", wpt + "\n<name>A &amp;\n  B&#x41;</name>\n</wpt>\n", "", mark("A & BA")},
        {"a reference the cap cuts stays", wpt + "\n<name>" + half + "\n  " + rest + "&amp;</name>\n</wpt>\n",
         "", mark(half + " " + rest + "&am")},
        {"a reference within the cap", wpt + "\n<name>" + half + "\n  " + rest.substr(1) + "&lt;</name>\n</wpt>\n",
         "", mark(half + " " + rest.substr(1) + "<")},
        {"a reference the line piece cuts", wpt + "\n<name>\n" + std::string(1020, 'p') + "&amp;</name>\n</wpt>\n",
         "", mark(std::string(1020, 'p') + "&am")},
        {"blanks before CDATA", wpt + "<name> <![CDATA[Harbour]]></name></wpt>\n", "", mark("Harbour")},
        {"tabs before CDATA", wpt + "\n<name>\t \t<![CDATA[Harbour]]></name>\n</wpt>\n", "", mark("Harbour")},
        {"a line end before CDATA", wpt + "\n<name>\n  <![CDATA[Harbour]]></name>\n</wpt>\n", "",
         mark("Harbour")},
        {"blanks before text stay", wpt + "<name> Buoy </name></wpt>\n", "", mark(" Buoy ")},
    };
    for (const Case& row : cases) check(row);
}

// What comments hold is not read: switched-off points, tracks and waypoints, and
// comments within lines and names. CDATA sections hold no comments.
TEST(Readers, PassOverWhatCommentsHold) {
    const std::string track_of = "<trk><trkseg>\n";
    const std::string track_end = "</trkseg></trk>\n";
    const Case cases[] = {
        {"a point", track_of + pt1 + "</trkpt>\n<!-- " + pt2 + "</trkpt> -->\n" + pt3 + "</trkpt>\n" + track_end,
         p1 + p3, ""},
        {"a point over lines", track_of + pt1 + "</trkpt>\n<!--\n" + pt2 + "\n</trkpt>\n-->\n" + track_end, p1, ""},
        {"a whole track", track_of + pt1 + "</trkpt>\n" + track_end + "<!--\n" + track_of + pt2 + "</trkpt>\n" +
                              track_end + "-->\n" + track_of + pt3 + "</trkpt>\n" + track_end,
         p1 + "J\n" + p3, ""},
        {"a waypoint", "<!-- " + wpt + "<name>Off</name></wpt> -->\n" + wpt + "<name>On</name></wpt>\n", "",
         mark("On")},
        {"after a point on its line", track_of + pt1 + "</trkpt><!-- " + pt2 + "</trkpt>\n-->" + pt3 + "</trkpt>\n" +
                                           track_end,
         p1 + p3, ""},
        {"joining two lines", track_of + "<trkpt lat=\"1\"<!-- old\n--> lon=\"2\"/>\n" + track_end, p3, ""},
        {"within a name", wpt + "<name>Fish <!-- old\n -->Chips</name></wpt>\n", "", mark("Fish Chips")},
        {"a name in a comment", wpt + "\n<!-- <name>Old</name> -->\n<name>New</name>\n</wpt>\n", "", mark("New")},
        {"an end tag in a comment", wpt + "\n<!-- </wpt> -->\n<name>Late</name>\n</wpt>\n", "", mark("Late")},
        {"CDATA holding an opening", wpt + "<name><![CDATA[a <!-- b]]></name></wpt>\n" + wpt + "<name>C</name></wpt>\n",
         "", mark("a <!-- b") + mark("C")},
        {"a comment holding CDATA", "<!-- <![CDATA[ -->" + wpt + "<name>D</name></wpt>\n", "", mark("D")},
        {"never closed", wpt + "<name>E</name></wpt>\n<!-- " + wpt + "<name>F</name></wpt>\n", "", mark("E")},
    };
    for (const Case& row : cases) check(row);
}

TEST(Readers, ConvertTheLayoutsOfOtherWriters) {
    const Case cases[] = {
        {"namespace prefixes",
         "<ns2:wpt lat=\"35.681236\" lon=\"139.767125\">\n  <ns2:name>P</ns2:name>\n</ns2:wpt>\n"
         "<ns2:trk>\n <ns2:name>t</ns2:name>\n <ns2:trkseg>\n  <ns2:trkpt lat=\"35.5\" lon=\"139.5\">\n"
         "  </ns2:trkpt>\n </ns2:trkseg>\n <ns2:trkseg>\n  <ns2:trkpt lat=\"1\" lon=\"2\"/>\n"
         " </ns2:trkseg>\n</ns2:trk>\n",
         p2 + "J\n" + p3, mark("P")},
        {"a prefixed document on one line",
         "<g:gpx><g:wpt lat=\"35.681236\" lon=\"139.767125\"><g:name>P</g:name></g:wpt><g:trk><g:trkseg>"
         "<g:trkpt lat=\"1\" lon=\"2\"></g:trkpt><g:trkpt lat=\"35.5\" lon=\"139.5\"/></g:trkseg></g:trk></g:gpx>",
         p3 + p2, mark("P")},
        {"start tags over several lines",
         "<wpt lat=\"35.681236\"\n     lon=\"139.767125\">\n<name>S</name>\n</wpt>\n<trk><trkseg>\n"
         "<trkpt lat=\"1\"\n lon=\"2\">\n</trkpt>\n<trkpt\n lat=\"35.5\"\n lon=\"139.5\"\n/>\n</trkseg></trk>\n",
         p3 + p2, mark("S")},
        {"a split start tag among one-line points",
         "<trk><trkseg>\n" + pt1 + "</trkpt>\n<trkpt lon=\"2\"\r\n lat=\"1\"/><trkpt lat=\"35.5\" lon=\"139.5\"/>\n"
         "</trkseg></trk>\n",
         p1 + p3 + p2, ""},
        {"a split empty waypoint", "<wpt\n lat=\"35.681236\"\n lon=\"139.767125\"/>\n<name>not mine</name>\n", "",
         mark("")},
        {"the first line with a key gives it",
         "<wpt lat=\"35.681236\"\n lat=\"1\" lon=\"139.767125\">\n<name>F</name>\n</wpt>\n", "", mark("F")},
        {"a split tag cut by the next waypoint",
         "<wpt lat=\"1\"\n<wpt lat=\"35.681236\" lon=\"139.767125\"><name>N</name></wpt>\n", "", mark("N"), 1},
        {"a split tag cut by the end of the input", "<trk><trkseg>\n<trkpt lat=\"1\"\n lon=\"2\"", p3, ""},
        {"single quotes", "<wpt lat='35.681236' lon='139.767125'><name>Q</name></wpt>\n"
                          "<trk><trkseg><trkpt lat='1' lon=\"2\"/></trkseg></trk>\n",
         p3, mark("Q")},
        {"a waypoint after other content", "<cache><keywords>x</keywords>  " + wpt +
                                              "\n<name>GC1</name>\n</wpt>\n",
         "", mark("GC1")},
        {"old Mac line ends", "<gpx>\r" + wpt + "\r  <name>M</name>\r</wpt>\r<trk>\r<trkseg>\r" + pt3 +
                                 "\r</trkpt>\r</trkseg>\r</trk>\r",
         p3, mark("M")},
    };
    for (const Case& row : cases) check(row);
}


const std::string rpt1 = "<rtept lat=\"35.681236\" lon=\"139.767125\">";
const std::string rpt2 = "<rtept lat=\"35.5\" lon=\"139.5\">";
const std::string rpt3 = "<rtept lat=\"1\" lon=\"2\"/>";

TEST(RouteReader, ReadsRoutesAsTracksOnRequest) {
    const std::string route_export = "<rte>\n  <name>Approach</name>\n  <number>1</number>\n  " + rpt1 +
                                     "\n    <name>Fairway buoy</name>\n  </rtept>\n  " + rpt2 +
                                     "\n    <name>Pier</name>\n  </rtept>\n</rte>\n";
    const std::string track = "<trk><trkseg>\n" + pt3 + "</trkpt>\n</trkseg></trk>\n";
    const Case cases[] = {
        {"a route export", route_export, p1 + p2, "", 0, 0, true},
        {"the same without --routes", route_export, "", "", 0, 2},
        {"one line", "<rte><name>R</name>" + rpt1 + "</rtept>" + rpt3 + "</rte>", p1 + p3, "", 0, 0, true},
        {"one line without --routes", "<rte><name>R</name>" + rpt1 + "</rtept>" + rpt3 + "</rte>", "", "", 0, 2},
        {"prefixed", "<g:rte>\n<g:rtept lat=\"1\" lon=\"2\"/>\n</g:rte>\n", p3, "", 0, 0, true},
        {"between tracks", track + route_export + track, p3 + "J\n" + p1 + p2 + "J\n" + p3, "", 0, 0, true},
        {"empty, between tracks", track + "<rte><name>e</name></rte>\n<rte />\n" + track, p3 + "J\nJ\nJ\n" + p3,
         "", 0, 0, true},
        {"unclosed, then a waypoint", "<rte>\n" + rpt3 + "\n" + wpt + "<name>W</name></wpt>\n" + rpt3 + "\n",
         p3, mark("W"), 0, 0, true},
        {"unclosed, then a waypoint, without --routes",
         "<rte>\n" + rpt3 + "\n" + wpt + "<name>W</name></wpt>\n" + rpt3 + "\n", "", mark("W"), 0, 1},
        {"a route ends an open track", "<trk><trkseg>\n" + pt3 + "\n<rte>\n" + rpt2 + "</rtept>\n</rte>\n",
         p3 + "J\n" + p2, "", 0, 0, true},
        {"an open track swallows a route without --routes", "<trk><trkseg>\n" + pt3 + "\n<rte>\n" + rpt2 +
                                                              "</rtept>\n</rte>\n",
         p3, "", 0, 0},
        {"route points without a position", "<rte>\n<rtept lat=\"1\"/>\n<rtept lat=\"x\" lon=\"2\"/>\n" + rpt3 +
                                                "\n</rte>\n",
         p3, "", 2, 0, true},
        {"a split route point", "<rte>\n<rtept lat=\"1\"\n lon=\"2\"/>\n</rte>\n", p3, "", 0, 0, true},
        {"trkpt lines are not route points", "<rte>\n" + pt3 + "\n</rte>\n", "", "", 0, 0, true},
    };
    for (const Case& row : cases) check(row);
}

}  // namespace
}  // namespace kelpway
