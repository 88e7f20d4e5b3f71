// Layer: base. Delivers the input line by line from its byte source.
#include "base/line_reader.h"

#include <bit>
#include <cerrno>
#include <cstring>

#include "base/byte_scan.h"

namespace kelpway {

namespace {

// Near the input's end, stops are looked for in windows of two chunks from a
// line's start, each read only as far as bytes are held.
constexpr std::size_t window_width = 2 * scan_width;

// Elsewhere in groups of four chunks, each looked at once and kept for the
// lines that follow: a line's end is then one bit away from the last one's,
// and the next line need not wait for its bytes to be compared.
constexpr std::size_t group_width = 64;

// A line piece and the bytes after it that may decide its end (a CR's LF,
// a tag boundary's '<' and letter), and then a group more: with so much
// held, every group a line looks at can be read whole.
constexpr std::size_t lookahead = line_limit + group_width + 2;

// Stops of the window at `bytes`, `held` bytes of which are readable.
std::uint32_t window_stops(const char* bytes, std::size_t held) {
    if (held > window_width) {
        return line_stops(bytes, scan_width, held) |
               line_stops(bytes + scan_width, scan_width, held - scan_width) << scan_width;
    }
    std::uint32_t stops = line_stops(bytes, held < scan_width ? held : scan_width, held);
    if (held > scan_width) {
        stops |= line_stops(bytes + scan_width, held - scan_width, held - scan_width) << scan_width;
    }
    return stops;
}

std::uint64_t group_stops(const char* bytes) {
    std::uint64_t stops = 0;
    for (std::size_t chunk = 0; chunk < group_width; chunk += scan_width) {
        stops |= std::uint64_t{line_stops(bytes + chunk, scan_width, scan_width + 1)} << chunk;
    }
    return stops;
}

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
    std::ptrdiff_t got;
    do {
        got = input.source.read(input.source.context, input.block.data() + input.end,
                                input.block.size() - input.end);
    } while (got < 0 && errno == EINTR);
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
// of every block read after them.
void start_filtering(LineReader& input, std::size_t from) {
    input.filtering = true;
    input.end = from + take_out_comments(input.comments, {input.block.data() + from, input.end - from},
                                         input.exhausted);
    input.stops_at = std::string_view::npos;
}

// Returned for a line whose end cannot be told before comments are taken out.
constexpr std::size_t filter_first = std::string_view::npos;

// "<!-" or "<![" at `at`: a comment or a CDATA section may begin there.
bool may_open_markup(const LineReader& input, std::size_t at) {
    const char* const data = input.block.data();
    return !input.filtering && at + 2 < input.end && data[at] == '<' && data[at + 1] == '!' &&
           (data[at + 2] == '-' || data[at + 2] == '[');
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

// What one stop at `at` does to the line that starts at `start`: ends it
// (where the next begins), or not (0), noting a NUL, which ends its text;
// or filter_first.
std::size_t stop_end(const LineReader& input, std::size_t start, std::size_t at, std::size_t limit,
                     std::size_t& text_end) {
    const char* const data = input.block.data();
    const char stop = data[at];
    if (stop == '\n') return at + 1;
    if (stop == '\r') {
        // A lone CR ends the line; after CR LF the LF does. A comment between
        // them would hide which.
        if (may_open_markup(input, at + 1)) return filter_first;
        return at + 1 >= input.end || data[at + 1] != '\n' ? at + 1 : 0;
    }
    if (stop == '>') return tag_boundary(data, input.end, at, limit);
    if (stop == '!') return at > start && may_open_markup(input, at - 1) ? filter_first : 0;
    if (text_end > at) text_end = at;  // a NUL
    return 0;
}

// A line cut by the length limit right after a '<' that may open a comment
// could end elsewhere without it.
std::size_t limit_end(const LineReader& input, std::size_t limit) {
    return may_open_markup(input, limit - 1) ? filter_first : limit;
}

// The end of the line that starts at `start`: after the first LF or lone
// CR, or before the '<' of a tag boundary, before `limit`; else `limit`.
// Notes where a NUL ends its text. Windows are read only as far as bytes are held.
std::size_t line_end_near(const LineReader& input, std::size_t start, std::size_t limit, std::size_t& text_end) {
    for (std::size_t window = start; window < limit; window += window_width) {
        std::uint32_t stops = window_stops(input.block.data() + window, input.end - window);
        while (stops != 0) {
            const std::size_t at = window + static_cast<std::size_t>(std::countr_zero(stops));
            if (at >= limit) return limit_end(input, limit);
            stops &= stops - 1;
            if (const std::size_t end = stop_end(input, start, at, limit, text_end); end != 0) return end;
        }
    }
    return limit_end(input, limit);
}

// The same with the whole lookahead held, from the stops found ahead, which
// it keeps for the next line.
std::size_t line_end_ahead(LineReader& input, std::size_t start, std::size_t limit, std::size_t& text_end) {
    std::size_t base = input.stops_at;
    std::uint64_t stops = input.stops;
    if (start < base || start - base >= group_width) {
        base = start;
        stops = group_stops(input.block.data() + start);
    }
    stops &= ~std::uint64_t{0} << (start - base);  // the bytes before the line
    std::size_t end = limit;
    for (;;) {
        if (stops != 0) {
            const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(stops));
            if (at >= limit) break;
            stops &= stops - 1;
            end = stop_end(input, start, at, limit, text_end);
            if (end != 0) break;
            end = limit;
            continue;
        }
        base += group_width;
        if (base >= limit) {
            base = std::string_view::npos;  // that group is not looked at
            break;
        }
        stops = group_stops(input.block.data() + base);
    }
    input.stops_at = base;
    input.stops = stops;
    return end == limit ? limit_end(input, limit) : end;
}

void deliver(LineReader& input, std::size_t start, std::size_t line_end, std::size_t text_end) {
    input.begin = line_end;
    input.line = {input.block.data() + start, (text_end < line_end ? text_end : line_end) - start};
}

// Near the end of what is held: more is read first, and the input may end.
// False at the end; else the limit of the next line and whether the whole
// lookahead is held after it.
bool prepare_near_end(LineReader& input, std::size_t& limit, bool& ahead) {
    if (input.ended) return false;
    while (input.end - input.begin < lookahead && !input.exhausted) refill(input);
    const std::size_t held = input.end - input.begin;
    if (input.failed || held == 0) {
        input.ended = true;
        return false;
    }
    limit = input.begin + (held < line_limit ? held : line_limit);
    ahead = held >= lookahead;
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
        std::size_t limit = input.begin + line_limit;
        bool ahead = true;
        if (input.end - input.begin < lookahead && !prepare_near_end(input, limit, ahead)) return false;
        const std::size_t start = input.begin;
        std::size_t text_end = std::string_view::npos;
        const std::size_t end = ahead ? line_end_ahead(input, start, limit, text_end)
                                      : line_end_near(input, start, limit, text_end);
        if (end == filter_first) {
            start_filtering(input, start);
            continue;
        }
        deliver(input, start, end, text_end);
        return true;
    }
}

}  // namespace kelpway
