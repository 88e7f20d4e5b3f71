// Layer: base. Delivers the input line by line from its byte source.
#include "base/line_reader.h"

#include <cstring>

#include "base/line_end.h"
#include "base/line_end_grouped.h"

namespace kelpway {

namespace {

// A line piece and the bytes after it that may decide its end: a CR's LF,
// a tag boundary's '<' and letter, a comment's "<!-".
constexpr std::size_t lookahead = line_limit + 2;

// Keeping the undelivered bytes at the front lets a line always lie whole
// in the block.
void refill(LineReader& input) {
    const std::size_t rest = input.end - input.begin;
    std::memmove(input.block.data(), input.block.data() + input.begin, rest);
    input.begin = 0;
    input.end = rest;
    input.stops_at = std::string_view::npos;
    const std::size_t fresh = input.end;
    if (input.filtering) input.end += put_back_opening(input.comments, input.block.data() + input.end);
    const std::ptrdiff_t got = read_some(input.source, input.block.data() + input.end, input_block_size - input.end);
    if (got < 0) input.failed = true;
    if (got <= 0) {
        input.exhausted = true;
    } else {
        input.end += static_cast<std::size_t>(got);
    }
    if (input.filtering) {
        input.end = fresh + take_out_comments(input.comments, {input.block.data() + fresh, input.end - fresh},
                                               input.exhausted);
    }
}

// From the line being cut on, comments are taken out of the bytes held and
// of every block read after them. Taking them out of every byte from the
// first costs 3.5 % on bench/run.sh, whose file has none.
void start_filtering(LineReader& input, std::size_t from) {
    input.filtering = true;
    input.end = from + take_out_comments(input.comments, {input.block.data() + from, input.end - from},
                                         input.exhausted);
    input.stops_at = std::string_view::npos;
}

void deliver(LineReader& input, std::size_t start, std::size_t line_end, std::size_t text_end) {
    input.begin = line_end;
    input.line = {input.block.data() + start, (text_end < line_end ? text_end : line_end) - start};
}

// Near the end of what is held: more is read first, and the input may end.
// False at the end.
bool fill_lookahead(LineReader& input) {
    if (input.ended) return false;
    while (input.end - input.begin < lookahead && !input.exhausted) refill(input);
    if (input.failed || input.end == input.begin) {
        input.ended = true;
        return false;
    }
    return true;
}

}  // namespace

void attach_input(LineReader& input, const ByteSource& source) {
    input.source = source;
    input.begin = input.end = 0;
    input.exhausted = input.failed = input.ended = false;
    input.stops_at = std::string_view::npos;
    input.comments = {};
    input.filtering = false;
    input.line = {};
}

bool next_line(LineReader& input) {
    for (;;) {
        if (input.end - input.begin < lookahead && !fill_lookahead(input)) return false;
        const std::size_t start = input.begin;
        const std::size_t held = input.end - start;
        const std::size_t limit = start + (held < line_limit ? held : line_limit);
        std::size_t text_end = std::string_view::npos;
        const std::size_t end = line_end_grouped(input, start, limit, text_end);
        if (end == filter_first) {
            start_filtering(input, start);
            continue;
        }
        deliver(input, start, end, text_end);
        return true;
    }
}

}  // namespace kelpway
