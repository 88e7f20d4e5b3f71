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

}  // namespace
}  // namespace kelpway
