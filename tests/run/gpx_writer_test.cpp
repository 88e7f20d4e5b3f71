// The GPX file of a pair, element by element: its bytes exactly.
#include "run/gpx_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kelpway {
namespace {

DecimalDegrees degrees(std::string_view text) {
    DecimalDegrees value{};
    std::copy(text.begin(), text.end(), value.text.begin());
    value.size = text.size();
    return value;
}

TEST(GpxWriter, WritesOneElementPartPerLineWithLfLineEnds) {
    auto file = std::make_unique<OutputFile>();
    std::string gpx;
    attach_output(*file, memory_sink(gpx));
    write_gpx_start(*file);
    EXPECT_EQ(write_waypoint(*file, degrees("35.681233333"), degrees("-139.767116667"), "Tokyo & Bay").bytes, 0);
    EXPECT_EQ(write_waypoint(*file, degrees("-0.000000001"), degrees("2147483647.999999762"), "a\xFF<").bytes, 1);
    write_track_start(*file, 1, 5);
    write_track_point(*file, degrees("35.681233333"), degrees("139.767116667"));
    write_track_point(*file, degrees("-35.500000000"), degrees("-139.500000000"));
    write_track_end(*file);
    write_track_start(*file, 123456789012, 0);
    write_track_end(*file);
    write_gpx_end(*file);
    ASSERT_TRUE(finish_output(*file));
    EXPECT_EQ(gpx,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<gpx version=\"1.1\" creator=\"kelpway 1.10\" xmlns=\"http://www.topografix.com/GPX/1/1\""
              " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
              " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\""
              " xmlns:kelpway=\"urn:kelpway:gpx:1\">\n"
              "  <wpt lat=\"35.681233333\" lon=\"-139.767116667\">\n"
              "    <name>Tokyo &amp; Bay</name>\n"
              "  </wpt>\n"
              "  <wpt lat=\"-0.000000001\" lon=\"2147483647.999999762\">\n"
              "    <name>a\xEF\xBF\xBD&lt;</name>\n"
              "  </wpt>\n"
              "  <trk>\n"
              "    <name>Track 1</name>\n"
              "    <extensions>\n"
              "      <kelpway:color>5</kelpway:color>\n"
              "    </extensions>\n"
              "    <trkseg>\n"
              "      <trkpt lat=\"35.681233333\" lon=\"139.767116667\">\n"
              "      </trkpt>\n"
              "      <trkpt lat=\"-35.500000000\" lon=\"-139.500000000\">\n"
              "      </trkpt>\n"
              "    </trkseg>\n"
              "  </trk>\n"
              "  <trk>\n"
              "    <name>Track 123456789012</name>\n"
              "    <trkseg>\n"
              "    </trkseg>\n"
              "  </trk>\n"
              "</gpx>\n");
}

// Points fill the output buffer in place: those that straddle its end arrive whole.
TEST(GpxWriter, WritesPointsAcrossTheOutputBuffer) {
    auto file = std::make_unique<OutputFile>();
    std::string gpx;
    attach_output(*file, memory_sink(gpx));
    const std::string point = "      <trkpt lat=\"-2147483647.999999762\" lon=\"1.000000000\">\n      </trkpt>\n";
    const std::size_t count = 3 * output_buffer_size / point.size();
    for (std::size_t i = 0; i < count; ++i) {
        write_track_point(*file, degrees("-2147483647.999999762"), degrees("1.000000000"));
    }
    ASSERT_TRUE(finish_output(*file));
    ASSERT_EQ(gpx.size(), count * point.size());
    for (std::size_t at = 0; at < gpx.size(); at += point.size()) ASSERT_EQ(gpx.compare(at, point.size(), point), 0);
}

}  // namespace
}  // namespace kelpway
