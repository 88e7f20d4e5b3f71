// Layer: base. Where a line of the input ends, byte by byte.
#include "base/line_end.h"

#include "base/line_reader.h"

namespace kelpway {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// "<!-" or "<![" at `at`, while comments are not yet taken out.
bool may_open_markup(const LineReader& input, std::size_t at) {
    const char* const data = input.block.data();
    return !input.filtering && at + 2 < input.end && data[at] == '<' && data[at + 1] == '!' &&
           (data[at + 2] == '-' || data[at + 2] == '[');
}

// A '>' followed by '<' and a letter or '/', perhaps with blanks or tabs
// between, ends a tag right before the next: whole documents on one line
// arrive one element per line. The line ends before that '<' (0: no
// boundary before `limit`, where the line ends anyway).
std::size_t tag_boundary(const LineReader& input, std::size_t at, std::size_t limit) {
    const char* const data = input.block.data();
    std::size_t next = at + 1;
    while (next < limit && is_blank(data[next])) ++next;
    if (next >= limit || next + 1 >= input.end || data[next] != '<') return 0;
    const char c = data[next + 1];
    return c == '/' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? next : 0;
}

}  // namespace

bool is_line_stop(char c) { return c == '\n' || c == '\r' || c == '\0' || c == '>' || c == '!'; }

std::size_t stop_end(const LineReader& input, std::size_t start, std::size_t at, std::size_t limit,
                     std::size_t& text_end) {
    const char* const data = input.block.data();
    switch (data[at]) {
        case '\n': return at + 1;
        case '\r':
            // A lone CR ends the line; after CR LF the LF does. A comment
            // between them would hide which.
            if (may_open_markup(input, at + 1)) return filter_first;
            return at + 1 >= input.end || data[at + 1] != '\n' ? at + 1 : 0;
        case '>': return tag_boundary(input, at, limit);
        case '!': return at > start && may_open_markup(input, at - 1) ? filter_first : 0;
        case '\0':
            if (text_end > at) text_end = at;
            return 0;
        default: return 0;
    }
}

std::size_t limit_end(const LineReader& input, std::size_t limit) {
    return may_open_markup(input, limit - 1) ? filter_first : limit;
}

std::size_t line_end(const LineReader& input, std::size_t start, std::size_t limit, std::size_t& text_end) {
    for (std::size_t at = start; at < limit; ++at) {
        if (!is_line_stop(input.block[at])) continue;
        if (const std::size_t end = stop_end(input, start, at, limit, text_end); end != 0) return end;
    }
    return limit_end(input, limit);
}

}  // namespace kelpway
