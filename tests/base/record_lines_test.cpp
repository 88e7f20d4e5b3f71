// Record lines as next_record_line delivers them from their byte source.
#include "base/record_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "piece_source.h"

namespace kelpway {
namespace {

// An overlong line is shown as "!" and its first bytes.
std::vector<std::string> lines_of(RecordLines& input) {
    std::vector<std::string> lines;
    while (next_record_line(input)) {
        lines.emplace_back(input.overlong ? "!" : "");
        lines.back() += input.line;
    }
    EXPECT_FALSE(next_record_line(input));  // stays at the end
    return lines;
}

std::vector<std::string> lines_of_text(std::string_view text, std::size_t piece) {
    auto input = std::make_unique<RecordLines>();
    PieceSource source{text, piece};
    attach_record_lines(*input, source_of(source));
    std::vector<std::string> lines = lines_of(*input);
    EXPECT_FALSE(input->failed);
    return lines;
}

// The same lines whether the source gives whole blocks or pieces of 1000 or 7 bytes.
void expect_lines(std::string_view text, const std::vector<std::string>& expected) {
    for (const std::size_t piece : {record_block_size, std::size_t{1000}, std::size_t{7}}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(lines_of_text(text, piece), expected);
    }
}

const std::string longest(record_line_limit, 'x');

TEST(RecordLines, EndLinesAtLfOrCrLfOnly) {
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"nothing", "", {}},
        {"CR LF", "S\r\n,1,N,2,E,,2,,,,\r\nE\r\n", {"S", ",1,N,2,E,,2,,,,", "E"}},
        {"LF", "S\nJ\nE\n", {"S", "J", "E"}},
        {"mixed", "S\r\nJ\nE\r\n", {"S", "J", "E"}},
        {"last line without a line end", "S\r\nE", {"S", "E"}},
        {"empty lines", "\n\r\n\n", {"", "", ""}},
        {"a CR alone stays in the line", "a\rb\r\r\nc\r", {"a\rb\r", "c\r"}},
        {"tag boundaries and NUL bytes stay", std::string("\"a><b> <c\0d\"\n", 13),
         {std::string("\"a><b> <c\0d\"", 12)}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        expect_lines(row.text, row.lines);
    }
}

// A line longer than the limit is one overlong line, never pieces that could read as records.
TEST(RecordLines, DeliverAnOverlongLineOnce) {
    const std::string record = ",3540.874,N,13946.027,E,,2,,,,";
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"at the limit", longest + "\nE\n", {longest, "E"}},
        {"at the limit with CR LF", longest + "\r\nE\n", {longest, "E"}},
        {"at the limit, last", longest, {longest}},
        {"one byte over", longest + "y\nE\n", {"!" + longest, "E"}},
        {"one byte over, last", longest + "y", {"!" + longest}},
        {"one byte over, a CR", longest + "\r\r\nE\n", {"!" + longest, "E"}},
        {"records inside", longest + record + "\n" + record + "\n", {"!" + longest, record}},
        {"far over", std::string(3 * record_block_size, 'z') + "\r\nS\r\n",
         {"!" + std::string(record_line_limit, 'z'), "S"}},
        {"far over, last", std::string(record_block_size + 5, 'z'), {"!" + std::string(record_line_limit, 'z')}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        expect_lines(row.text, row.lines);
    }
}

TEST(RecordLines, ReadAFileAcrossBlockBoundaries) {
    std::string text;
    std::vector<std::string> expected;
    for (std::size_t i = 0; text.size() < 3 * record_block_size; ++i) {
        std::string line(i * 7 % (record_line_limit + 50), static_cast<char>('a' + i % 26));
        text += line + (i % 2 == 0 ? "\r\n" : "\n");
        expected.push_back(line.size() > record_line_limit ? "!" + line.substr(0, record_line_limit) : line);
    }
    expect_lines(text, expected);
}

// A read error ends the lines at once, and for good; an interrupted read is asked again.
TEST(RecordLines, EndAtAReadErrorAndRetryAnInterruptedRead) {
    std::string text;
    while (text.size() < record_block_size) text += ",3540.874,N,13946.027,E,,2,,,,\r\n";
    text += "E\r\n";
    const std::size_t all = text.size() / 32;
    const struct {
        int failing;
        int error;
        bool failed;
    } rows[] = {{1, EIO, true}, {2, EIO, true}, {1, EINTR, false}, {3, EINTR, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.failing);
        auto input = std::make_unique<RecordLines>();
        PieceSource source{text, record_block_size, row.failing, row.error};
        attach_record_lines(*input, source_of(source));
        const std::vector<std::string> lines = lines_of(*input);
        EXPECT_EQ(input->failed, row.failed);
        EXPECT_EQ(lines.size() == all + 1, !row.failed);
    }
}

}  // namespace
}  // namespace kelpway
