// Tests for the pieces cut out of one GPX line.
#include "gpx/line_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

namespace kelpway {
namespace {

struct PieceRow {
    std::string_view text;
    std::string_view expected;
};

// A piece must lie inside the text it was cut from: callers rely on views, not copies.
void expect_piece(std::string_view text, std::string_view piece, std::string_view expected) {
    EXPECT_EQ(piece, expected);
    EXPECT_GE(piece.data(), text.data());
    EXPECT_LE(piece.data() + piece.size(), text.data() + text.size());
}

TEST(LineText, TagNameEndsAtBracketBlankTabOrLineEnd) {
    const PieceRow rows[] = {
        {"\t\t<trkpt lat=\"35.6\" lon=\"139.7\">\r\n", "trkpt"},
        {"    </trkseg>\r\n", "/trkseg"},
        {"<ele>12.5</ele>\r\n", "ele"},
        {"<trkpt\tlat=\"35.6\">\r\n", "trkpt"},
        {"<trkpt />\r\n", "trkpt"},
        {"<trkpt/>\r\n", "trkpt/"},
        {"<name\r\n", "name"},
        {"<name\n", "name"},
        {"<gpx", "gpx"},
        {"<>", ""},
        {"<", ""},
        {"a<b<c>", "b<c"},
        {"no opener", "no"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const PieceRow& row : rows) {
        SCOPED_TRACE(row.text);
        expect_piece(row.text, tag_name(row.text), row.expected);
    }
}

TEST(LineText, ElementTextRunsFromFirstBracketToNextOpening) {
    const PieceRow rows[] = {
        {"    <name>Buoy</name>\r\n", "Buoy"},
        {"<name>Buoy\r\n", "Buoy\r\n"},
        {"<name></name>\r\n", ""},
        {"<trk>\r\n", "\r\n"},
        {"<desc>a > b</desc>", "a > b"},
        {"<desc>x</desc><name>y</name>", "x"},
        {"text<tail", "text"},
        {"no brackets\n", "no brackets\n"},
        {"", ""},
    };
    for (const PieceRow& row : rows) {
        SCOPED_TRACE(row.text);
        expect_piece(row.text, element_text(row.text), row.expected);
    }
}

TEST(LineText, QuotedValueRunsBetweenFirstTwoQuotes) {
    const PieceRow rows[] = {
        {"lat=\"35.6\" lon=\"139.7\"", "35.6"},
        {"\"\"", ""},
        {"\"open only\r\n", "open only\r\n"},
        {"no quote at all\r\n", "no quote at all\r\n"},
        {"say 'single' \"double\"", "single"},
        {"'it''s'", "it"},
        {"\"it's\"", "it's"},
        {"'open only\r\n", "open only\r\n"},
        {"", ""},
    };
    for (const PieceRow& row : rows) {
        SCOPED_TRACE(row.text);
        expect_piece(row.text, quoted_value(row.text), row.expected);
    }
}

struct AttributeRow {
    std::string_view line;
    std::string_view key;
    std::optional<std::string_view> expected;
};

TEST(LineText, AttributeTextTakesFirstQuoteAfterFirstKey) {
    const AttributeRow rows[] = {
        {"<wpt lat=\"35.681236\" lon=\"139.767125\">\r\n", "lat=", "35.681236"},
        {"<wpt lat=\"35.681236\" lon=\"139.767125\">\r\n", "lon=", "139.767125"},
        {"<trkpt lon=\"139.7\" lat=\"35.6\">\r\n", "lat=", "35.6"},
        {"<wpt lat=35.6 lon=\"139.7\">\r\n", "lat=", "139.7"},
        {"<wpt xlat=\"1\" lat=\"2\">\r\n", "lat=", "1"},
        {"<wpt lat=\"\" lon=\"139.7\">\r\n", "lat=", ""},
        {"<wpt lat=35.6>\r\n", "lat=", "35.6>\r\n"},
        {"<wpt lat=\"35.6\r\n", "lat=", "35.6\r\n"},
        {"<wpt lat='35.5' lon='139.7'/>\r\n", "lat=", "35.5"},
        {"<wpt lat='35.5' lon='139.7'/>\r\n", "lon=", "139.7"},
        {"<wpt lat=35.6 lon='139.7'>\r\n", "lat=", "139.7"},
        {"<wpt lat=\"35.6\">\r\n", "lon=", std::nullopt},
        {"<wpt LAT=\"35.6\">\r\n", "lat=", std::nullopt},
        {"", "lat=", std::nullopt},
    };
    for (const AttributeRow& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.key << " in " << row.line);
        const std::optional<std::string_view> value = attribute_text(row.line, row.key);
        ASSERT_EQ(value.has_value(), row.expected.has_value());
        if (value) expect_piece(row.line, *value, *row.expected);
    }
}

}  // namespace
}  // namespace kelpway
