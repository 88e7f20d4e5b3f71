// The grouped line-end search ends every line where the byte-by-byte rule does.
#include "base/line_end_grouped.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "base/byte_scan.h"
#include "base/line_end.h"
#include "base/line_reader.h"

namespace kelpway {
namespace {

// The bytes the rule looks at and those around them, often in runs.
std::string random_text(std::mt19937& random, std::size_t size) {
    constexpr std::string_view bytes{"a\n\r\0<>!-[ \t/b", 13};
    std::string text;
    while (text.size() < size) {
        const char c = bytes[random() % bytes.size()];
        text.append(random() % 8 == 0 ? random() % 40 : 1, c);
    }
    return text;
}

// Walks the text held in `input` line by line as next_line does, comparing both searches.
void expect_same_ends(LineReader& input) {
    std::size_t start = 0;
    while (start < input.end) {
        const std::size_t held = input.end - start;
        const std::size_t limit = start + (held < line_limit ? held : line_limit);
        std::size_t text_end = std::string_view::npos;
        std::size_t grouped_text_end = std::string_view::npos;
        const std::size_t end = line_end(input, start, limit, text_end);
        ASSERT_EQ(line_end_grouped(input, start, limit, grouped_text_end), end) << "from " << start;
        ASSERT_EQ(grouped_text_end, text_end) << "from " << start;
        if (end == filter_first) {
            input.filtering = true;  // as next_line does once comments are taken out
            input.stops_at = std::string_view::npos;
            continue;
        }
        start = end;
    }
}

TEST(LineEndGrouped, EndsEveryLineWhereTheRuleDoes) {
    std::mt19937 random{77};
    auto input = std::make_unique<LineReader>();
    for (int round = 0; round < 3000; ++round) {
        const std::string text = random_text(random, random() % 3000);
        SCOPED_TRACE(round);
        input->block.fill('\0');
        std::copy(text.begin(), text.end(), input->block.begin());
        input->end = text.size();
        input->filtering = round % 2 == 0;
        input->stops_at = std::string_view::npos;
        expect_same_ends(*input);
        if (HasFailure()) return;
    }
}

// The mask of sixteen bytes marks what the rule looks at, '>' only where a tag boundary may follow.
TEST(LineEndGrouped, MarksTheStopsOfSixteenBytes) {
    std::mt19937 random{5};
    for (int round = 0; round < 20000; ++round) {
        const std::string text = random_text(random, 17).substr(0, 17);
        std::uint32_t expected = 0;
        for (std::size_t i = 0; i < scan_width; ++i) {
            const char next = text[i + 1];
            const bool boundary_may_follow = next == '<' || next == ' ' || next == '\t';
            if (is_line_stop(text[i]) && (text[i] != '>' || boundary_may_follow)) expected |= 1u << i;
        }
        ASSERT_EQ(line_stops(text.data()), expected) << text;
    }
}

}  // namespace
}  // namespace kelpway
