// Layer: base. Takes XML comments out of the input's bytes before they
// become lines, so that nothing a comment holds is read as data.
#include "base/comment_filter.h"

#include <cstring>
#include <string_view>

namespace kelpway {
namespace {

using Within = CommentFilter::Within;

constexpr std::string_view comment_start = "<!--";
constexpr std::string_view cdata_start = "<![CDATA[";

bool extends(std::string_view opener, std::string_view held, char c) {
    return held.size() < opener.size() && opener.starts_with(held) && opener[held.size()] == c;
}

// Bytes are written back no further on than they were read, so the filter
// works in place: what is held back was read before it is written.
struct Pass {
    char* bytes;
    std::size_t size;
    std::size_t at = 0;    // next byte to read
    std::size_t kept = 0;  // bytes written back
};

void keep(Pass& pass, const char* from, std::size_t count) {
    // Until the first comment the bytes stay where they are.
    if (from != pass.bytes + pass.kept) std::memmove(pass.bytes + pass.kept, from, count);
    pass.kept += count;
}

// What was held back stays as text after all.
void keep_opening(CommentFilter& filter, Pass& pass) {
    keep(pass, filter.opening.data(), filter.opening_size);
    filter.opening_size = 0;
}

// One byte of text while an opening may be under way.
void take_text_byte(CommentFilter& filter, Pass& pass) {
    const char c = pass.bytes[pass.at++];
    const std::string_view held{filter.opening.data(), filter.opening_size};
    const bool comment = extends(comment_start, held, c);
    const bool cdata = extends(cdata_start, held, c);
    if (comment && held.size() + 1 == comment_start.size()) {
        filter.opening_size = 0;  // a comment's bytes are dropped, its opening too
        filter.within = Within::comment;
    } else if (cdata && held.size() + 1 == cdata_start.size()) {
        keep_opening(filter, pass);
        keep(pass, &c, 1);
        filter.within = Within::cdata;
    } else if (comment || cdata) {
        filter.opening[filter.opening_size++] = c;
    } else {
        keep_opening(filter, pass);
        if (c == '<') {
            filter.opening[filter.opening_size++] = c;  // the start of another opening
        } else {
            keep(pass, &c, 1);
        }
    }
}

// Text up to the next '<' that a '!' follows (or a '<' that ends the
// bytes) is kept whole; from there on, byte by byte.
void take_text(CommentFilter& filter, Pass& pass) {
    if (filter.opening_size > 0) return take_text_byte(filter, pass);
    const std::string_view rest{pass.bytes + pass.at, pass.size - pass.at};
    std::size_t plain = 0;
    for (;;) {
        const std::size_t mark = rest.find('!', plain + 1);
        if (mark == std::string_view::npos) {
            plain = rest.back() == '<' ? rest.size() - 1 : rest.size();
            break;
        }
        if (rest[mark - 1] == '<') {
            plain = mark - 1;
            break;
        }
        plain = mark;
    }
    keep(pass, rest.data(), plain);
    pass.at += plain;
    if (pass.at < pass.size) take_text_byte(filter, pass);
}

// Up to the '>' that ends "-->" (or "]]>"), counting the dashes (or
// brackets) before each '>' with those the last bytes left in `closed`.
// The section's bytes are kept or dropped.
void take_section(CommentFilter& filter, Pass& pass, char repeated, bool kept) {
    const std::string_view rest{pass.bytes + pass.at, pass.size - pass.at};
    std::size_t from = 0;
    for (;;) {
        const std::size_t close = rest.find('>', from);
        const std::size_t end = close == std::string_view::npos ? rest.size() : close;
        std::size_t repeats = 0;
        while (repeats < 2 && repeats < end - from && rest[end - 1 - repeats] == repeated) ++repeats;
        if (repeats == end - from) repeats += filter.closed;  // the run goes on from the last bytes
        if (close == std::string_view::npos) {
            filter.closed = static_cast<std::uint8_t>(repeats < 2 ? repeats : 2);
            from = rest.size();
            break;
        }
        from = close + 1;
        filter.closed = 0;
        if (repeats >= 2) {
            filter.within = Within::text;
            break;
        }
    }
    if (kept) keep(pass, rest.data(), from);
    pass.at += from;
}

}  // namespace

std::size_t take_out_comments(CommentFilter& filter, std::span<char> bytes, bool at_end) {
    Pass pass{bytes.data(), bytes.size()};
    while (pass.at < pass.size) {
        switch (filter.within) {
            case Within::text: take_text(filter, pass); break;
            case Within::comment: take_section(filter, pass, '-', false); break;
            case Within::cdata: take_section(filter, pass, ']', true); break;
        }
    }
    if (at_end) keep_opening(filter, pass);  // nothing can complete it now
    return pass.kept;
}

std::size_t put_back_opening(CommentFilter& filter, char* into) {
    const std::size_t size = filter.opening_size;
    std::memcpy(into, filter.opening.data(), size);
    filter.opening_size = 0;
    return size;
}

}  // namespace kelpway
