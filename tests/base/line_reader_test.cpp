// Lines as next_line delivers them from their byte source.
#include "base/line_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "piece_source.h"

namespace kelpway {
namespace {

std::vector<std::string> lines_of(LineReader& input) {
    std::vector<std::string> lines;
    while (next_line(input)) lines.emplace_back(input.line);
    EXPECT_FALSE(next_line(input));  // stays at the end
    return lines;
}

// With `filter_from_start`, comments are taken out of every byte read, as
// the reader does once it has met the first "<!".
std::vector<std::string> lines_of_text(std::string_view text, std::size_t piece = input_block_size,
                                       bool filter_from_start = false) {
    auto input = std::make_unique<LineReader>();
    PieceSource source{text, piece};
    attach_input(*input, source_of(source));
    input->filtering = filter_from_start;
    std::vector<std::string> lines = lines_of(*input);
    EXPECT_FALSE(input->failed);
    return lines;
}

// The same lines whether the source gives whole blocks or pieces of 1000 or 7 bytes.
void expect_lines_in_any_pieces(std::string_view text, const std::vector<std::string>& expected) {
    for (const std::size_t piece : {input_block_size, std::size_t{1000}, std::size_t{7}, std::size_t{1}}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(lines_of_text(text, piece), expected);
    }
}

TEST(NextLine, CutsPiecesAtLineEndsAndTheLengthLimit) {
    const std::string long_line = std::string(1500, 'x') + "\n";
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a\nb\n", {"a\n", "b\n"}},
        {"a\r\nb", {"a\r\n", "b"}},
        {"\n\n", {"\n", "\n"}},
        {"cr only\rline\r", {"cr only\r", "line\r"}},
        {"a\rb\r\nc\n\rd", {"a\r", "b\r\n", "c\n", "\r", "d"}},
        {"\r\r\n\r", {"\r", "\r\n", "\r"}},
        {std::string(1022, 'c') + "\r\n", {std::string(1022, 'c') + "\r", "\n"}},
        {std::string(1022, 'c') + "\rd", {std::string(1022, 'c') + "\r", "d"}},
        {std::string(1021, 'c') + "\rd", {std::string(1021, 'c') + "\r", "d"}},
        {long_line, {std::string(1023, 'x'), std::string(477, 'x') + "\n"}},
        {std::string(1023, 'y') + "\n", {std::string(1023, 'y'), "\n"}},
        {std::string(1022, 'z') + "\n", {std::string(1022, 'z') + "\n"}},
        {std::string(2046, 'w'), {std::string(1023, 'w'), std::string(1023, 'w')}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.text.substr(0, 20));
        EXPECT_EQ(lines_of_text(row.text), row.lines);
    }
}

TEST(NextLine, EndsALineWhereTheNextTagStarts) {
    const std::string prefix(1020, 'p');  // puts "><" across the 1023-byte limit
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"<trkpt lat=\"1\" lon=\"2\"><ele>5</ele></trkpt><trkpt lat=\"3\" lon=\"4\"/>",
         {"<trkpt lat=\"1\" lon=\"2\">", "<ele>5</ele>", "</trkpt>", "<trkpt lat=\"3\" lon=\"4\"/>"}},
        {"<name><![CDATA[A]]></name>\n", {"<name><![CDATA[A]]>", "</name>\n"}},
        {"<name>A</name>\r\n", {"<name>A</name>\r\n"}},
        {"<a><?pi?><!-- c --><b>", {"<a><?pi?>", "<b>"}},
        {"<a><1><_x><Z>", {"<a><1><_x>", "<Z>"}},
        {"<a>\r\n<b><c>\r\n", {"<a>\r\n", "<b>", "<c>\r\n"}},
        {"<a>< b>", {"<a>< b>"}},
        {"<a> <b>", {"<a> ", "<b>"}},
        {"</keywords>  <wpt lat=\"1\">", {"</keywords>  ", "<wpt lat=\"1\">"}},
        {"<a>\t \t</b>\n", {"<a>\t \t", "</b>\n"}},
        {"<a> x<b>", {"<a> x<b>"}},
        {"<a> \n<b>", {"<a> \n", "<b>"}},
        {"<a> <1> <", {"<a> <1> <"}},
        {prefix.substr(2) + "<a> <b>", {prefix.substr(2) + "<a> ", "<b>"}},
        {prefix + "<a>  <b>", {prefix + "<a>", "  <b>"}},
        {"<a><", {"<a><"}},
        {"<a><b", {"<a>", "<b"}},
        {prefix + "<a><b>", {prefix + "<a>", "<b>"}},
        {prefix + "x<a><b>", {prefix + "x<a", ">", "<b>"}},
        {prefix + "xy<a><b>", {prefix + "xy<", "a>", "<b>"}},
        {prefix + "<a\n", {prefix + "<a\n"}},
        {"<a>\0<b>", {std::string("<a>")}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.text.substr(0, 30));
        EXPECT_EQ(lines_of_text(row.text), row.lines);
    }
}

TEST(NextLine, EndsTheTextOfALineAtANul) {
    const std::string text("<wpt\0 hidden\nnext\n\0\n", 19);
    EXPECT_EQ(lines_of_text(text), (std::vector<std::string>{"<wpt", "next\n", ""}));
}

// Lines that straddle the reader's blocks arrive whole.
TEST(NextLine, ReadsAFileAcrossBlockBoundaries) {
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; text.size() < 3 * input_block_size; ++i) {
        std::string line(static_cast<std::size_t>(i % 1100), static_cast<char>('a' + i % 26));
        line += '\n';
        text += line;
        for (std::size_t at = 0; at < line.size(); at += 1023) expected.push_back(line.substr(at, 1023));
    }
    text += "tail";
    expected.push_back("tail");
    expect_lines_in_any_pieces(text, expected);
}

// Every kind of line end at every distance from a line's start, and so from
// the stops found ahead for the lines before: each line ends at its own.
TEST(NextLine, EndsEachLineAtItsOwnStopWhereverItFalls) {
    std::string text;
    std::vector<std::string> expected;
    for (std::size_t length = 0; length < 200; ++length) {
        const std::string body = (length == 0 ? "" : "<b>") + std::string(length, 'a');
        const std::string ends[] = {"\n", "\r\n", "\r", ">\t"};  // the next line starts with "<b"
        if (length % 5 < 4) {
            text += body + ends[length % 5];
            expected.push_back(body + ends[length % 5]);
        } else {
            text += body + std::string(1, '\0') + "z>\n";  // the text ends at the NUL
            expected.push_back(body);
        }
    }
    expect_lines_in_any_pieces(text, expected);
}

// The first read ends right after the CR: whether an LF follows is only known after the next.
TEST(NextLine, TellsCrLfFromALoneCrAcrossReads) {
    std::string filler;
    std::vector<std::string> filler_lines;
    while (filler.size() + 2 * 101 < input_block_size) {
        filler_lines.push_back(std::string(100, 'a') + "\n");
        filler += filler_lines.back();
    }
    const std::string last(input_block_size - 1 - filler.size(), 'b');
    for (const std::string after_cr : {"\ntail\n", "tail\n"}) {
        SCOPED_TRACE(after_cr);
        std::vector<std::string> expected = filler_lines;
        if (after_cr[0] == '\n') {
            expected.insert(expected.end(), {last + "\r\n", "tail\n"});
        } else {
            expected.insert(expected.end(), {last + "\r", "tail\n"});
        }
        EXPECT_EQ(lines_of_text(filler + last + "\r" + after_cr), expected);
    }
}

TEST(NextLine, ReadsTheInputWithoutItsComments) {
    const std::string prefix(1020, 'p');
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a<!--\n-->b\n", {"ab\n"}},
        {"a\r<!-- c -->\nb", {"a\r\n", "b"}},
        {"a\r<!-- c -->b", {"a\r", "b"}},
        {"<a><!-- c --><b>", {"<a>", "<b>"}},
        {"<a>  <!-- c -->  <b>", {"<a>    ", "<b>"}},
        {"</trkpt><!-- <trkpt lat=\"1\"/>\n -->\n<trkpt/>", {"</trkpt>\n", "<trkpt/>"}},
        {std::string("x<!-- \0 -->y\n", 13), {"xy\n"}},
        {std::string("x\0<!-- -->y\n", 12), {"x"}},
        {"<![CDATA[a\n<!-- b]]>\n", {"<![CDATA[a\n", "<!-- b]]>\n"}},
        {"<!-- never closed\n<wpt>\n", {}},
        {prefix + "<!-- c -->xyz\n", {prefix + "xyz", "\n"}},
        {prefix + "ab<!-- c -->cd", {prefix + "abc", "d"}},
        {prefix + "ab<!-- c -->\n", {prefix + "ab\n"}},
        {prefix + "a\r<!-- c -->\n", {prefix + "a\r\n"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.text.substr(0, 30));
        expect_lines_in_any_pieces(row.text, row.lines);
    }
}

// Comments are only looked for from the first "<!-" or "<![" on: the lines are
// those of a reader that takes them out of every byte, wherever the markup
// falls against the 1023-byte pieces, the reads, line ends and tag boundaries.
TEST(NextLine, ReadsAsIfCommentsWereTakenOutFromTheFirstByte) {
    const std::string markups[] = {"<!-- c -->", "<!--\n-->", "<![CDATA[<!--]]>", "<!-- <![CDATA[ -->",
                                   "<!<!-- -->--", "<!-->-->", "<!-- open"};
    const std::string lines = "<trkpt lat=\"1\">\r\n<ele>2</ele>\r</trkpt>  <trkpt/>\n\0z\n";
    std::string filler;
    while (filler.size() < input_block_size + 2048) filler += lines;
    int compared = 0;
    for (const std::string& markup : markups) {
        for (std::size_t middle : {std::size_t{1023}, std::size_t{2046}, input_block_size - 1089,
                                   input_block_size}) {
            for (std::size_t at = middle - 6; at <= middle + 6; ++at) {
                SCOPED_TRACE(markup + " at " + std::to_string(at));
                const std::string text = filler.substr(0, at) + markup + filler.substr(at);
                EXPECT_EQ(lines_of_text(text), lines_of_text(text, input_block_size, true));
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 7 * 4 * 13);
}

// A read error ends the lines at once, and for good; an interrupted read is asked again.
TEST(NextLine, EndsAtAReadErrorAndRetriesAnInterruptedRead) {
    const std::string text = std::string(input_block_size, 'a') + "\nb\n";
    const struct {
        int failing;
        int error;
        std::size_t lines;
        bool failed;
    } rows[] = {
        {1, EIO, 0, true},
        {2, EIO, 256, true},   // the first block's whole pieces, then the error
        {1, EINTR, 258, false},
        {3, EINTR, 258, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.failing);
        auto input = std::make_unique<LineReader>();
        PieceSource source{text, input_block_size, row.failing, row.error};
        attach_input(*input, source_of(source));
        EXPECT_EQ(lines_of(*input).size(), row.lines);
        EXPECT_EQ(input->failed, row.failed);
    }
}

}  // namespace
}  // namespace kelpway
