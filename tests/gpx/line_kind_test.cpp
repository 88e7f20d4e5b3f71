// Lines told apart by their first tag, with or without a namespace prefix.
#include "gpx/line_kind.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "base/line_reader.h"
#include "gpx/scan_state.h"

namespace kelpway {
namespace {

TEST(LineKind, ClassifiesByLocalNameAndPlace) {
    const struct {
        std::string_view line;
        LineKind kind;
    } rows[] = {
        {"<wpt lat=\"1\" lon=\"2\">\n", LineKind::waypoint},
        {"  \t<trk>\r\n", LineKind::track},
        {"<rte>", LineKind::route},
        {"<ns2:wpt lat=\"1\">", LineKind::waypoint},
        {"    <gpx:trkpt lat=\"1\" lon=\"2\"/>", LineKind::track_point},
        {"<trkpt\tlat=\"1\">", LineKind::track_point},
        {"<rtept lat=\"1\" lon=\"2\">", LineKind::route_point},
        {"</ns2:trkseg>\n", LineKind::segment_end},
        {"<ns2:trkseg>", LineKind::segment},
        {"</trk>", LineKind::track_end},
        {"</a:rte>", LineKind::route_end},
        {"</wpt>", LineKind::waypoint_end},
        {"<p:name>A</p:name>", LineKind::name},
        {"text <trkpt lat=\"1\">", LineKind::track_point},  // a body tag may follow other text
        {"text <wpt lat=\"1\">", LineKind::other},          // a reader's tag must come first
        {"<wptx>", LineKind::other},
        {"<p:wptx>", LineKind::other},
        {"<:wpt>", LineKind::other},
        {"<a:b:wpt>", LineKind::other},
        {"<a/b:wpt>", LineKind::other},
        {"<WPT>", LineKind::other},
        {"<trk/>", LineKind::other},
        {"<trkpt/>", LineKind::other},
        {"<ns2:/trkseg>", LineKind::other},
        {"<ele>12</ele>", LineKind::other},
        {"</trkpt>", LineKind::other},
        {"<trkptsegment>", LineKind::other},
        {"", LineKind::other},
        // Around the widths the name is read in: 7, 8, 15 and 16 bytes after '<'.
        {"</trk>\r\n", LineKind::track_end},
        {"</trkseg>", LineKind::segment_end},
        {"</trkpt>\n", LineKind::other},
        {"      </trkseg>\n", LineKind::segment_end},
        {"<trkseg>12345678", LineKind::segment},
        {"<trkseg>123456789", LineKind::segment},
        {"</abcdefg:trkseg>", LineKind::segment_end},  // a local name in the chunk's upper half
        {"<abcdef:trkpt lat=\"1\">", LineKind::track_point},  // and across both halves
        {"<abcdefghij:trkpt lat=\"1\">", LineKind::track_point},  // the name's end past the chunk
        {"<abcdefghijklmn:trkpt lat=\"1\">", LineKind::track_point},
        {"<trkpts lat=\"1\" lon=\"2\">", LineKind::other},
        {"<abcdefgh>", LineKind::other},
        {"<ab:name>x", LineKind::name},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(classify(row.line).kind, row.kind);
    }
    EXPECT_EQ(classify("  <ns:trkpt lat").tag_end, 11u);
}

TEST(LineKind, FindsWholeTagsAnywhereInAText) {
    const struct {
        std::string_view text;
        LineKind kind;
        std::size_t begin, end;
    } rows[] = {
        {"<wpt><name>A</name>", LineKind::name, 5, 11},
        {"x<ns2:name>A", LineKind::name, 1, 11},
        {"</name><name >", LineKind::name, no_tag, no_tag},
        {"<named>", LineKind::name, no_tag, no_tag},
        {"<name", LineKind::name, no_tag, no_tag},
        {"A</p:wpt>", LineKind::waypoint_end, 1, 9},
        {"<wpt></wpt>", LineKind::waypoint_end, 5, 11},
        {"</wptx>", LineKind::waypoint_end, no_tag, no_tag},
        {"<trk></trk>", LineKind::track_end, 5, 11},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const TagSpan span = find_tag(row.text, row.kind);
        EXPECT_EQ(span.begin, row.begin);
        EXPECT_EQ(span.end, row.end);
    }
}


// Lines whose heads are remembered take the class the line itself has, also
// where the head agrees and the rest differs, in every order and with more
// heads than the memo holds.
TEST(LineKind, RememberedHeadsGiveEachLineItsOwnClass) {
    const std::string_view rows[] = {
        "      <trkpt lat=\"1.5\" lon=\"2.5\">\n",
        "      <trkptx lat=\"1.5\" lon=\"2.5\">\n",
        "      <trkpt\n",
        "        <ele>306.2</ele>\n",
        "        <ele >306.2</ele>\n",
        "        <ele\t>\n",
        "        <elevation>1</elevation>\n",
        "        <time>2019-05-01T06:31:11Z</time>\n",
        "      </trkpt>\n",
        "      </trkpt\n",
        "      </trkseg>\n",
        "    </trk>\n",
        "  </trk>\n",
        "</trkseg>\n",
        "</trk>\r\n",
        "<a:trk>\n",
        "<wpt lat=\"1\">\n",
        "\t<wpt lat=\"1\">\n",
        "\t<wptx>\n",
        "hello world\n",
        "hello <trkpt lat=\"1\">\n",
        "hello <wpt lat=\"1\">\n",
        "<abcdefghijklm>\n",
        "<abcdefghijklmn>\n",
        "<ns:trkpt lat=\"1\" lon=\"2\">\n",
        "<ns:trkptx>\n",
        std::string_view{"  <ele\0>1</ele>\n", 16},
        "            <ns3:TrackPointExtension>\n",
    };
    std::string text;
    const std::size_t count = std::size(rows);
    for (std::size_t step : {1, 3, 5, 7, 11}) {
        for (std::size_t round = 0; round < 3; ++round) {
            for (std::size_t i = 0; i < count; ++i) text += rows[(i * step + round) % count];
        }
    }
    auto state = std::make_unique<ScanState>();
    MemoryText memory{text};
    attach_input(state->input, memory_source(memory));
    std::size_t lines = 0;
    while (next_line(state->input)) {
        SCOPED_TRACE(state->input.line);
        const LineClass expected = classify(state->input.line);
        const LineClass found = classify_input_line(*state);
        EXPECT_EQ(found.kind, expected.kind);
        EXPECT_EQ(found.tag_end, expected.tag_end);
        ++lines;
    }
    EXPECT_EQ(lines, 5 * 3 * count);
}

}  // namespace
}  // namespace kelpway
