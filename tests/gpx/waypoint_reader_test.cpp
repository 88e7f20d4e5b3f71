// Waypoints in the layouts real GPX files use: each one mark record, named by its first <name>.
#include "gpx/readers.h"

#include <gtest/gtest.h>

#include <string>

#include "gpx_cases.h"

namespace kelpway {
namespace {

using namespace gpx_test;

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

}  // namespace
}  // namespace kelpway
