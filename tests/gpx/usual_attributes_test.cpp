// The usual layout read at once gives what attribute_text gives, the same bytes of the same line.
#include "gpx/usual_attributes.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string_view>

#include "generated_lines.h"
#include "gpx/line_kind.h"
#include "gpx/line_text.h"

namespace kelpway {
namespace {

bool same(const std::optional<std::string_view>& a, const std::optional<std::string_view>& b) {
    return a.has_value() == b.has_value() && (!a || (a->data() == b->data() && a->size() == b->size()));
}

// Each line lies in a buffer of its own size, so that a sanitizer sees any read past its end.
void expect_as_the_reference(std::string_view text, std::size_t name_end) {
    const std::unique_ptr<char[]> bytes{new char[text.size() + 1]};
    std::copy(text.begin(), text.end(), bytes.get());
    const std::string_view line{bytes.get(), text.size()};
    const std::optional<std::string_view> latitude = attribute_text(line, "lat=");
    const std::optional<std::string_view> longitude = attribute_text(line, "lon=");
    for (const std::size_t end : {name_end, std::size_t{0}}) {
        const AttributeTexts usual = attribute_texts_usual(line, end, "lat=", "lon=");
        EXPECT_TRUE(same(usual.first, latitude) && same(usual.second, longitude)) << "after " << end;
    }
}

// Lines in and around the usual layout ` lat="..." lon="..."` after the tag's name.
TEST(UsualAttributes, ReadsTheUsualLayoutAsTheReferenceDoes) {
    const struct {
        std::string_view line;
        std::size_t name_end;
    } rows[] = {
        {"      <trkpt lat=\"-44.7927476\" lon=\"151.6684758\">\n", 12},
        {"<trkpt lon=\"151.6684758\" lat=\"-44.7927476\">\r\n", 6},
        {"<wpt lat='35.5000000' lon=\"139.7000000\"/>\r\n", 4},
        {"<wpt lat=\"35.5000000\" lon='139.7000000'>\r\n", 4},
        {"<trkpt lat=\"1\" lon=\"2\">", 6},                          // too short to read at once
        {"<trkpt lat=\"1.000000000\" lon=\"2.00000000\"", 6},       // the line ends at the last quote
        {"<trkpt lat=\"1.000000000\" lon=\"2.00000000", 6},         // the second value runs to the end
        {"<trkpt lat=\"1.000000000\"=lon=\"2.00000000\">\n", 6},     // '=' after the first value
        {"<lat=:trkpt lon=\"2.00000000\" lat=\"1.00000000\">\n", 11},  // the first lat= is in the prefix
        {"x lat=\"9\" <trkpt lat=\"1.00000000\" lon=\"2.00000000\">\n", 16},  // and here before the tag
        {"<trkpt lat=\"lon=5.000000\" lon=\"2.00000000\">\n", 6},   // the first lon= is in a value
        {"<trkpt lat=\"1.5000 lon=\"2.00000000\">\n", 6},
        {"<trkpt lat=\"-12.12345678901234567\" lon=\"2.00000000\">\n", 6},  // longer than one chunk
        {"<trkpt lat=\"1.00000000\" lat=\"3.00000000\" lon=\"2.0\">\n", 6},
        {"<trkpt  lat=\"1.00000000\" lon=\"2.00000000\">\n", 6},
        {"<trkpt\tlat=\"1.00000000\" lon=\"2.00000000\">\n", 6},
        {"<trkpt lat=\"1.00000000\"  lon=\"2.00000000\">\n", 6},
        {"<trkpt lat=\"1.00000000\"\tlon=\"2.00000000\">\n", 6},
        {"<trkpt lat=1.000000000 lon=\"2.00000000\" x=\"3\">\n", 6},
        {"<trkpt lat=\"1.00000000\" lon=2.000000000>\n", 6},
        {"<trkpt lat=\"1.00000000\" x=\"2.000000000\">\n", 6},
        {"<trkpt ele=\"1.00000000\" lat=\"2.0\" lon=\"3.0\">\n", 6},
        {"<trkpt lat=\"1.00000000\" lon=\"2.00000000\" lat=\"3\">\n", 6},
        {"<trkpt lat=\"\" lon=\"\">                        \n", 6},
        {"<trkpt xlat=\"1.00000000\" lon=\"2.00000000\">\n", 6},      // a longer name ending in the key
        {"lat=\"1.00000000\" lon=\"2.00000000\">\n", 0},             // a later line of the tag
        {"<trkpt lat=\"1.00000000000000\" lon=\"", 6},
        {"<trkpt lat=\"1.00000000000000", 6},
        {"<trkpt lat=\"", 6},
        {"<trkpt", 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        expect_as_the_reference(row.line, row.name_end);
    }
}

// Every generated line, read after where classify says its tag's name ends.
TEST(UsualAttributes, ReadsGeneratedLinesAsTheReferenceDoes) {
    for (const std::string& line : generated_lines()) {
        SCOPED_TRACE(line);
        expect_as_the_reference(line, classify(line).tag_end);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace kelpway
