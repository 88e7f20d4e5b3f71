// Delivers the input line by line, from a file or from memory.
#include "run/line_reader.h"

#include <bit>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "run/byte_scan.h"

namespace kelpway {

namespace {

// A line piece and the two bytes after it that may decide its end (a CR's
// LF, a tag boundary's '<' and letter).
constexpr std::size_t lookahead = line_limit + 2;

void scan_chunk(InputFile& input, std::size_t chunk) {
    std::size_t count = input.end - chunk < scan_width ? input.end - chunk : scan_width;
    input.chunk = chunk;
    input.stops = line_stops(input.data + chunk, count, input.end - chunk);
}

// Keeping the undelivered bytes at the front lets a line always lie whole
// in the block.
void refill(InputFile& input) {
    if (input.fd < 0) {
        input.exhausted = true;
        return;
    }
    std::size_t rest = input.end - input.begin;
    std::memmove(input.block.data(), input.block.data() + input.begin, rest);
    input.begin = 0;
    input.end = rest;
    ssize_t got;
    do {
        got = ::read(input.fd, input.block.data() + input.end, input.block.size() - input.end);
    } while (got < 0 && errno == EINTR);
    if (got < 0) input.failed = true;
    if (got <= 0) {
        input.exhausted = true;
    } else {
        input.end += static_cast<std::size_t>(got);
    }
    scan_chunk(input, 0);
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// A '>' followed by '<' and a letter or '/', perhaps with blanks or tabs
// between, ends a tag right before the next: whole documents on one line
// arrive one element per line. The line ends before that '<' (0: no
// boundary before `limit`, where the line ends anyway).
std::size_t tag_boundary(const char* data, std::size_t end, std::size_t at, std::size_t limit) {
    std::size_t next = at + 1;
    while (next < limit && is_blank(data[next])) ++next;
    if (next >= limit || next + 1 >= end || data[next] != '<') return 0;
    const char c = data[next + 1];
    return c == '/' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? next : 0;
}

// The end of the line that starts at input.begin: after the first LF or
// lone CR, or before the '<' of a tag boundary, before `limit`; else
// `limit`. Notes where a NUL ends its text. Works on copies of the scan
// state: stores through `input` would make the compiler reload it after
// every stop.
std::size_t line_end(InputFile& input, std::size_t limit, std::size_t& text_end) {
    const char* const data = input.data;
    const std::size_t end = input.end;
    std::size_t chunk = input.chunk;
    std::uint32_t stops = input.stops;
    std::size_t line_end = limit;
    for (;;) {
        if (stops == 0) {
            if (chunk + scan_width >= limit) break;
            chunk += scan_width;
            stops = line_stops(data + chunk, end - chunk < scan_width ? end - chunk : scan_width,
                               end - chunk);
            continue;
        }
        const std::size_t at = chunk + static_cast<std::size_t>(std::countr_zero(stops));
        if (at >= limit) break;  // the stop stays for the next line
        stops &= stops - 1;
        const char stop = data[at];
        if (stop == '\n' || stop == '\r') {  // only a CR without LF after it is a stop
            line_end = at + 1;
            break;
        }
        if (stop == '>') {
            if (const std::size_t next = tag_boundary(data, end, at, limit); next != 0) {
                line_end = next;
                break;
            }
        } else if (text_end > at) {
            text_end = at;  // a NUL
        }
    }
    input.chunk = chunk;
    input.stops = stops;
    return line_end;
}

}  // namespace

void attach_input(InputFile& input, int fd) {
    input.fd = fd;
    input.data = input.block.data();
    input.begin = input.end = 0;
    input.exhausted = input.failed = input.ended = false;
    scan_chunk(input, 0);
}

void attach_input(InputFile& input, std::string_view text) {
    input.fd = -1;
    input.data = text.data();
    input.begin = 0;
    input.end = text.size();
    input.exhausted = true;
    input.failed = input.ended = false;
    scan_chunk(input, 0);
}

bool next_line(ConversionState& state) {
    InputFile& input = state.input;
    if (input.ended) return false;
    while (input.end - input.begin < lookahead && !input.exhausted) refill(input);
    std::size_t held = input.end - input.begin;
    if (input.failed || held == 0) {
        input.ended = true;
        return false;
    }
    std::size_t start = input.begin;
    std::size_t limit = start + (held < line_limit ? held : line_limit);
    std::size_t text_end = limit;
    input.begin = line_end(input, limit, text_end);
    if (text_end > input.begin) text_end = input.begin;
    state.line = {input.data + start, text_end - start};
    return true;
}

}  // namespace kelpway
