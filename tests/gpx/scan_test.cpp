// Whole texts as the scan reads them: the layouts of other writers, and comments.
#include "gpx/scan.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gpx_cases.h"

namespace kelpway {
namespace {

using namespace gpx_test;

// What comments hold is not read: switched-off points, tracks and waypoints, and
// comments within lines and names. CDATA sections hold no comments.
TEST(Scan, PassesOverWhatCommentsHold) {
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

TEST(Scan, ConvertsTheLayoutsOfOtherWriters) {
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

TEST(Scan, FramesAnInputWithoutElementsInStartAndEnd) {
    auto state = std::make_unique<ScanState>();
    std::string drw, mmk;
    EXPECT_TRUE(convert_text(*state, "<?xml version=\"1.0\"?>\n<gpx>\n</gpx>\n", drw, mmk));
    EXPECT_EQ(drw, "S\r\nE\r\n");
    EXPECT_EQ(mmk, "");
    EXPECT_EQ(state->point_count, 0);
    EXPECT_EQ(state->line_count, 0);
}

}  // namespace
}  // namespace kelpway
