// Start tags of waypoints and points read for their position, on one line or over several.
#include "gpx/start_tag.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/byte_io.h"
#include "base/line_reader.h"
#include "gpx/line_memo.h"

namespace kelpway {
namespace {

struct Read {
    StartTag tag;
    std::string latitude;
    std::string longitude;
    std::string rest;  // of the line the tag ended on
};

Read read_tag(const std::string& text) {
    auto state = std::make_unique<ScanState>();
    MemoryText memory{text};
    attach_input(state->input, memory_source(memory));
    EXPECT_TRUE(next_line(state->input));
    const LineClass start = classify_input_line(*state);
    Position position{};
    const StartTag tag = read_start_tag(*state, start.tag_end, TagClose::where, position);
    const std::string rest = tag.end == TagEnd::open || tag.end == TagEnd::empty_element
                                 ? std::string(state->input.line.substr(tag.rest))
                                 : std::string();
    return {tag, std::string(position.latitude.view()), std::string(position.longitude.view()), rest};
}

TEST(StartTag, TakesThePositionFromTheFirstLineHoldingEachKey) {
    const struct {
        std::string text;
        bool placed;
        TagEnd end;
        std::string latitude, longitude, rest;
    } rows[] = {
        {"<wpt lat=\"35.681236\" lon=\"139.767125\">A</wpt>\n", true, TagEnd::open, "3540.874", "13946.027",
         "A</wpt>\n"},
        {"<trkpt lon=\"2\" lat=\"1\"/>\n", true, TagEnd::empty_element, "100.000", "200.000", "\n"},
        {"<trkpt lat=\"1\"\n lon=\"2\">x\n", true, TagEnd::open, "100.000", "200.000", "x\n"},
        {"<trkpt\n lat=\"1\"\n lon=\"2\"\n/>\n", true, TagEnd::empty_element, "100.000", "200.000", "\n"},
        {"<wpt lat=\"1\"\n lat=\"5\" lon=\"2\">\n", true, TagEnd::open, "100.000", "200.000", "\n"},
        {"<wpt lat=\"1\">\n lon=\"2\"\n", false, TagEnd::open, "100.000", "", "\n"},  // lon= after the '>'
        {"<wpt lat=\"1\" lon=\"x\">\n", false, TagEnd::open, "100.000", "000.000", "\n"},
        {"<wpt lat=\"1\"\n<trk>\n", false, TagEnd::reader_line, "100.000", "", ""},
        {"<trkpt lat=\"1\"\n lon=\"2\"", true, TagEnd::input_ended, "100.000", "200.000", ""},
        {"<trkpt lat=\"-1\" lon=\"-2\" />", true, TagEnd::empty_element, "100.000", "200.000", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const Read read = read_tag(row.text);
        EXPECT_EQ(read.tag.placed, row.placed);
        EXPECT_EQ(read.tag.end, row.end);
        if (!row.latitude.empty()) {
            EXPECT_EQ(read.latitude, row.latitude);
        }
        if (!row.longitude.empty()) {
            EXPECT_EQ(read.longitude, row.longitude);
        }
        EXPECT_EQ(read.rest, row.rest);
    }
}

TEST(StartTag, TellsAnEmptyElementTag) {
    EXPECT_TRUE(closes_empty_tag("<trk/>"));
    EXPECT_TRUE(closes_empty_tag("<rte name=\"a\" />\n"));
    EXPECT_FALSE(closes_empty_tag("<trk>"));
    EXPECT_FALSE(closes_empty_tag("<trk>/>"));
    EXPECT_FALSE(closes_empty_tag(">"));
    EXPECT_FALSE(closes_empty_tag("<trk"));
}

}  // namespace
}  // namespace kelpway
