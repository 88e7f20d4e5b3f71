// Layer: base. Delivers a DRW or MMK file record line by record line.
#include "base/record_lines.h"

#include <cstring>

namespace kelpway {

namespace {

// The longest line and its CR LF: held whole before its LF is looked for.
constexpr std::size_t line_window = record_line_limit + 2;

// Keeping the undelivered bytes at the front lets a line always lie whole in the block.
void refill(RecordLines& input) {
    const std::size_t rest = input.end - input.begin;
    std::memmove(input.block.data(), input.block.data() + input.begin, rest);
    input.begin = 0;
    input.end = rest;
    const std::ptrdiff_t got = read_some(input.source, input.block.data() + input.end, input.block.size() - input.end);
    if (got < 0) input.failed = true;
    if (got <= 0) {
        input.exhausted = true;
    } else {
        input.end += static_cast<std::size_t>(got);
    }
}

// Where the LF of the line at `begin` stands among the `size` bytes from there, or npos.
std::size_t find_lf(const RecordLines& input, std::size_t size) {
    const char* const from = input.block.data() + input.begin;
    const void* const lf = std::memchr(from, '\n', size);
    return lf == nullptr ? std::string_view::npos
                         : static_cast<std::size_t>(static_cast<const char*>(lf) - from);
}

// Up to the LF that ends the overlong line, across as many blocks as it takes.
void pass_over_rest(RecordLines& input) {
    for (;;) {
        const std::size_t lf = find_lf(input, input.end - input.begin);
        if (lf != std::string_view::npos) {
            input.begin += lf + 1;
            break;
        }
        input.begin = input.end;
        if (input.exhausted) break;
        refill(input);
    }
    input.passing_over = false;
}

void deliver(RecordLines& input, std::size_t size, std::size_t consumed) {
    input.overlong = size > record_line_limit;
    input.line = {input.block.data() + input.begin, input.overlong ? record_line_limit : size};
    input.begin += consumed;
}

}  // namespace

void attach_record_lines(RecordLines& input, const ByteSource& source) {
    input.source = source;
    input.begin = input.end = 0;
    input.exhausted = input.failed = input.overlong = input.passing_over = false;
    input.line = {};
}

bool next_record_line(RecordLines& input) {
    if (input.passing_over) pass_over_rest(input);
    while (input.end - input.begin < line_window && !input.exhausted) refill(input);
    const std::size_t held = input.end - input.begin;
    if (input.failed || held == 0) return false;
    const std::size_t window = held < line_window ? held : line_window;
    const std::size_t lf = find_lf(input, window);
    if (lf != std::string_view::npos) {
        const bool crlf = lf > 0 && input.block[input.begin + lf - 1] == '\r';
        deliver(input, crlf ? lf - 1 : lf, lf + 1);
    } else if (window < line_window) {
        deliver(input, held, held);  // the last line, without a line end
    } else {
        deliver(input, window, window);
        input.passing_over = true;
    }
    return true;
}

}  // namespace kelpway
