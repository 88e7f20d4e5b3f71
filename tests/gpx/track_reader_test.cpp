// Tracks and routes in the layouts real GPX files use: every point of every segment, separated.
#include "gpx/readers.h"

#include <gtest/gtest.h>

#include <string>

#include "gpx_cases.h"

namespace kelpway {
namespace {

using namespace gpx_test;

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
        {"a route has no segments", "<rte>\n" + rpt1 + "</rtept>\n<trkseg>\n" + rpt3 + "\n</trkseg>\n</rte>\n",
         p1 + p3, "", 0, 0, true},
    };
    for (const Case& row : cases) check(row);
}

}  // namespace
}  // namespace kelpway
