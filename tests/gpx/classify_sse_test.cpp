// The tag's bytes compared at once classify every line whose tag comes first as classify does.
#include "gpx/classify_sse.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "generated_lines.h"
#include "gpx/line_text.h"

namespace kelpway {
namespace {

// Each line in a buffer of its own size, so that a sanitizer sees a load past its end.
void expect_as_classify(std::string_view text) {
    const std::size_t open = indentation(text);
    if (open >= text.size() || text[open] != '<') return;
    const std::unique_ptr<char[]> bytes{new char[text.size()]};
    std::copy(text.begin(), text.end(), bytes.get());
    const std::string_view line{bytes.get(), text.size()};
    const LineClass expected = classify(line);
    const LineClass found = classify_sse(line, open);
    EXPECT_EQ(found.kind, expected.kind) << "[" << text << "]";
    EXPECT_EQ(found.tag_end, expected.tag_end) << "[" << text << "]";
}

// Names and prefixes around the widths the tag is read in: 8 and 16 bytes after '<'.
TEST(ClassifySse, ReadsNamesAroundItsWidthsAsClassifyDoes) {
    const std::string_view rows[] = {
        "</trk>\r\n", "</trkseg>", "</trkpt>\n", "      </trkseg>\n", "<trkseg>12345678", "<trkseg>123456789",
        "</abcdefg:trkseg>", "<abcdef:trkpt lat=\"1\">", "<abcdefghij:trkpt lat=\"1\">",
        "<abcdefghijklmn:trkpt lat=\"1\">", "<trkpts lat=\"1\" lon=\"2\">", "<abcdefgh>", "<ab:name>x",
        "<:trkpt lat=\"1\" lon=\"2\"/>", "</:trkseg>  ", "<a/:trkpt lat=", "<a<:trkpt lat=\"1\"", "<trkpt:x lat",
        "<ns:wpt\tlat=\"1\">", "<wpt/>      ", "<name>\r\n    ",
    };
    for (const std::string_view row : rows) expect_as_classify(row);
}

TEST(ClassifySse, ClassifiesGeneratedLinesAsClassifyDoes) {
    for (const std::string& line : generated_lines()) {
        expect_as_classify(line);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace kelpway
