// Where the byte-by-byte rule ends a line in the bytes held.
#include "base/line_end.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/line_reader.h"

namespace kelpway {
namespace {

struct Ends {
    std::size_t end;
    std::size_t text_end;
};

Ends ends_of(std::string_view text, bool filtering = false) {
    static auto input = std::make_unique<LineReader>();
    input->block.fill('\0');
    std::copy(text.begin(), text.end(), input->block.begin());
    input->end = text.size();
    input->filtering = filtering;
    std::size_t text_end = std::string_view::npos;
    const std::size_t limit = text.size() < line_limit ? text.size() : line_limit;
    return {line_end(*input, 0, limit, text_end), text_end};
}

TEST(LineEnd, EndsAtLineEndsTagBoundariesAndTheLimit) {
    constexpr std::size_t none = std::string_view::npos;
    const std::string long_line(1100, 'x');
    const struct {
        std::string text;
        std::size_t end;
        std::size_t text_end = none;
        bool filtering = false;
    } rows[] = {
        {"abc\ndef", 4},
        {"abc\r\ndef", 5},
        {"abc\rdef", 4},
        {"abc\r", 4},
        {"<a><b>", 3},
        {"<a> \t <b>", 6},
        {"<a></b>", 3},
        {"<a><1>", 6},
        {"<a>< b>", 7},
        {"<a><", 4},
        {std::string("a\0b\n", 4), 4, 1},
        {long_line, 1023},
        {"a<!-- c -->", filter_first},
        {"a<![CDATA[", filter_first},
        {"a<!DOCTYPE", 10},
        {"a\r<!-- -->\n", filter_first},
        {"a<!-- c -->", 11, none, true},
        {std::string(1022, 'p') + "<!--", filter_first},
        {std::string(1023, 'p') + "<!--", 1023},
        {std::string(1021, 'p') + "x<!--", filter_first},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 20));
        const Ends ends = ends_of(row.text, row.filtering);
        EXPECT_EQ(ends.end, row.end);
        EXPECT_EQ(ends.text_end, row.text_end);
    }
}

}  // namespace
}  // namespace kelpway
