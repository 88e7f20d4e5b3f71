// Lines classified through the memo of line heads take the class classify gives them.
#include "gpx/line_memo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/byte_io.h"
#include "base/line_reader.h"
#include "generated_lines.h"
#include "gpx/scan_state.h"

namespace kelpway {
namespace {

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

// The generated lines one after another, and each after the one before it
// (the same head with another tail), through one memo.
TEST(LineMemo, GivesGeneratedLinesTheirOwnClass) {
    LineMemo memo;
    const std::vector<std::string>& lines = generated_lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const std::string_view line : {std::string_view{lines[i]}, std::string_view{lines[i / 2]}}) {
            const LineClass expected = classify(line);
            const LineClass found = classify_remembered(memo, line);
            if (found.kind != expected.kind || found.tag_end != expected.tag_end) {
                ADD_FAILURE() << "[" << line << "]";
                return;
            }
        }
    }
}

}  // namespace
}  // namespace kelpway
